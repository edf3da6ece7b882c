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

class Sprite;

// What the sprite shaders read per instance (attributes 2..7), 96 bytes.
struct SpriteInstance {
    glm::mat4 model{1.0f};  // Sprite::ModelMatrix
    float tint[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    // Texture rectangle (u0, v0, u1, v1) laid on the anchored quad: its corner
    // at texture coordinate (0, 0) takes (u0, v0), the one at (1, 1) takes
    // (u1, v1). The whole sheet is (0, 0, 1, 1); a sheet's frame gives the
    // same corners as its frame quad.
    float frame[4] = {0.0f, 0.0f, 1.0f, 1.0f};
};
static_assert(sizeof(SpriteInstance) == 96, "the instance attributes assume a packed 96-byte record");

// Consecutive instances [first, first + count) drawn with the same textures
// (diffuse, "_nm", "_sm"; only the diffuse one counts for unlit sprites).
struct SpriteRun {
    uint32_t first = 0;
    uint32_t count = 0;
    uint32_t textures[3] = {0, 0, 0};
};

// The instance of one sprite at `position` (its animation already advanced).
SpriteInstance MakeSpriteInstance(const Sprite& sprite, glm::vec3 position);

// Appends every item's instance, in order, advancing each sprite's animation by
// dt first, and splits them into runs. textureCount 3: a run shares all three
// textures (lit); 1: the diffuse texture only (unlit).
void BatchSprites(const std::vector<SpriteDrawItem>& items, float dt, int textureCount,
                  std::vector<SpriteInstance>& instances, std::vector<SpriteRun>& runs);
