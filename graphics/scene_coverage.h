#pragma once
// Which pixels of the 498 x 280 scene target solid sprites have already
// claimed, filled front to back on the CPU while the lit sprites are batched.
// A sprite every pixel of which is claimed by solid sprites in front of it
// would lose each of its fragments to the depth test, so it is not drawn at
// all: the picture is the same, and the rasteriser never sees it.
//
// A quad covers the pixels whose centres lie inside it; the GPU decides the
// centres on its edges by its own rules, after rounding the corners to its
// sub-pixel grid. So a quad claims only the pixels whose centres lie inside
// it by more than kCoverageSlack, and counts as hidden only when every pixel
// whose centre lies within that slack of it is claimed.
//
// A sprite only partly covered is cut down to the bounding rectangle of the
// pixels still open to it (CropQuadToPixels), with its texture rectangle cut
// alike: sprites sorted by y cover each other in bands, and the rows a sprite
// would lose to the depth test are then not rasterised either.
#include <cstdint>

#include <glm/mat4x4.hpp>
#include <glm/vec2.hpp>

#include "core/camera.h"
#include "graphics/free_sprite_rect.h"

// Pixels, as a fraction of one; far above float and sub-pixel rounding at
// scene coordinates (under 1/256), far below what a sprite's edge moves by.
constexpr float kCoverageSlack = 1.0f / 64.0f;

// The pixels of the scene target an anchored quad covers, placed by `clip`
// (scene view x model; the shaders negate clip y): `surely` those it covers
// whatever the rounding, `maybe` every one it might. Rows count from the
// bottom, as GL's do; both are kept inside the target, and empty when the
// quad misses it.
struct QuadPixels {
    PixelRect surely, maybe;
};
QuadPixels ScenePixelsOfQuad(const glm::mat4& clip);

// Cuts an anchored quad (model) and its texture rectangle (frame: u0, v0, u1,
// v1 at its corners (-0.5, 0) and (0.5, 1)) down to the scene pixels `keep`,
// a part of what ScenePixelsOfQuad(sceneView x model) gives as maybe. Every
// pixel inside keep shows the texel it showed before; only a quad of one
// pixel per texel (`texels`: its texels across and down) whose edges lie
// clear of pixel centres is cut, since elsewhere a texel edge may fall on a
// pixel centre and rounding would choose. Returns whether the quad changed.
bool CropQuadToPixels(glm::mat4& model, float frame[4], const glm::mat4& sceneView, const PixelRect& keep,
                      glm::vec2 texels);

// One bit per scene pixel, a row at a time.
class SceneCoverage {
public:
    void Clear();
    // Claims every pixel of r (inside the target).
    void Claim(const PixelRect& r);
    // The bounding rectangle of the pixels of r (inside the target) not yet
    // claimed; empty when every one is.
    PixelRect Unclaimed(const PixelRect& r) const;

private:
    static constexpr int kWords = (kSceneWidth + 63) / 64;
    uint64_t rows_[kSceneHeight][kWords] = {};
};
