#pragma once
// Sprites drawn in batches: the per-instance data of each sprite (model matrix,
// tint, frame rectangle) and the runs of consecutive sprites that share their
// textures, each run one instanced draw. GL draws the instances of one call in
// order, so a run gives the same pixels as drawing its sprites one by one.
#include <cstdint>
#include <vector>

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

#include "graphics/render_lists.h"

class SceneCoverage;
class Sprite;

// What the sprite shaders read per instance (attributes 2..8), 100 bytes.
struct SpriteInstance {
    glm::mat4 model{1.0f};  // Sprite::ModelMatrix
    float tint[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    // Texture rectangle (u0, v0, u1, v1) laid on the anchored quad: its corner
    // at texture coordinate (0, 0) takes (u0, v0), the one at (1, 1) takes
    // (u1, v1). The whole sheet is (0, 0, 1, 1); a sheet's frame gives the
    // same corners as its frame quad.
    float frame[4] = {0.0f, 0.0f, 1.0f, 1.0f};
    // Clip-space z the lit scene depth-tests with (SceneRankDepth): the
    // sprite's place in the front-to-back order, not its own depth. Unused by
    // passes that draw without the depth test.
    float rankDepth = 0.0f;
};
static_assert(sizeof(SpriteInstance) == 100, "the instance attributes assume a packed 100-byte record");

// The lit scene keeps the first fragment of the front-to-back order at each
// pixel with a depth test (GL_LESS) on the order itself: rank r (0 = front)
// draws at clip z -1 + (r + 1) / 2^23, which is exact in float, so window depth
// (r + 1) / 2^24 is exact in a float depth buffer and every rank has its own
// depth. Since the order lives in the depth, draws may go in any order (so
// sprites of one texture share a draw however they interleave), and unlike a
// stencil the test can reject covered fragments before they are shaded even
// though the shaders discard clear texels. Ranks past 2^24 - 2 share the last
// depth.
float SceneRankDepth(uint32_t rank);

// Consecutive instances [first, first + count) drawn with the same textures
// (diffuse, "_nm", "_sm"; only the diffuse one counts for unlit sprites).
struct SpriteRun {
    uint32_t first = 0;
    uint32_t count = 0;
    uint32_t textures[3] = {0, 0, 0};
    // Lit runs: no texel of these sprites is clear enough at their tint to be
    // discarded (DrawsSolid), so the program without the discard may draw them.
    bool solid = false;
};

// Whether a texture whose smallest alpha is minAlpha (0..255) drawn with this
// tint alpha keeps every texel in the lit scene (which drops alpha under 0.5).
bool DrawsSolid(int minAlpha, float tintAlpha);

// The instance of one sprite at `position` (its animation already advanced).
SpriteInstance MakeSpriteInstance(const Sprite& sprite, glm::vec3 position);

// Appends every item's instance, in order, advancing each sprite's animation by
// dt first, and splits them into runs. textureCount 3: a run shares all three
// textures (lit); 1: the diffuse texture only (unlit).
void BatchSprites(const std::vector<SpriteDrawItem>& items, float dt, int textureCount,
                  std::vector<SpriteInstance>& instances, std::vector<SpriteRun>& runs);

// Hidden lit sprites are found with `coverage` (cleared by the caller), the
// scene pixels under `sceneView` (the lit pass's view) that solid sprites
// earlier in the order claim.
struct SceneOcclusion {
    SceneCoverage* coverage = nullptr;
    glm::mat4 sceneView{1.0f};
};

// Lit sprites, already sorted front to back: each instance gets the rank
// depth of its place in `items` (from firstRank on), then the instances are
// grouped by their three textures and whether they draw solid, one run per
// distinct group, in the order the groups first appear; within a run they stay
// front to back. Appends to instances and runs like BatchSprites. With
// `occlusion`, a sprite whose every pixel solid sprites before it cover is
// left out (still animated), and one partly covered is cut down to the part
// still open (CropQuadToPixels); returns how many of each.
struct OcclusionCounts {
    size_t hidden = 0;
    size_t cropped = 0;
};
OcclusionCounts BatchLitSprites(const std::vector<SpriteDrawItem>& items, float dt, uint32_t firstRank,
                       std::vector<SpriteInstance>& instances, std::vector<SpriteRun>& runs,
                       const SceneOcclusion* occlusion = nullptr);
