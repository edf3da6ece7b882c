#pragma once
// The GPU side of batched sprites: one vertex array that reads the anchored
// quad (attributes 0 and 1) and, per instance, a SpriteInstance from one
// buffer refilled once per frame (attributes 2..5 model matrix columns, 6 tint,
// 7 frame rectangle, 8 rank depth). Every sprite pass of the frame draws runs out of it.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "graphics/render_lists.h"
#include "graphics/sprite_batch.h"

struct SpriteInstanceBuffer {
    uint32_t vao = 0;
    uint32_t vbo = 0;
    size_t capacityBytes = 0;
    bool baseInstance = false;  // the driver draws from a first instance itself

    // Needs a current GL context. quadBuffer: the anchored quad's vertices.
    void Create(uint32_t quadBuffer);
    void Destroy();
    // Replaces the buffer's contents (binds the vertex array).
    void Upload(const std::vector<SpriteInstance>& instances);
};

// What one pass has bound, so runs that share a texture do not bind it again.
struct BoundTextures {
    uint32_t ids[3] = {0, 0, 0};
};

// Draws one run with the current program: its first textureCount textures on
// units firstUnit.., then six vertices per instance. The instance buffer's
// vertex array must be bound.
void DrawSpriteRun(const SpriteInstanceBuffer& buffer, const SpriteRun& run, int textureCount, int firstUnit,
                   BoundTextures& bound, RenderCounters& counters);
