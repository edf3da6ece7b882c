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
#include <cstdint>

#include <glm/mat4x4.hpp>

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

// One bit per scene pixel, a row at a time.
class SceneCoverage {
public:
    void Clear();
    // Claims every pixel of r (inside the target).
    void Claim(const PixelRect& r);
    // Whether every pixel of r (inside the target) is claimed; true when r is empty.
    bool Covers(const PixelRect& r) const;

private:
    static constexpr int kWords = (kSceneWidth + 63) / 64;
    uint64_t rows_[kSceneHeight][kWords] = {};
};
