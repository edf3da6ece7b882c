#pragma once
// The lit pass: environmental sprites drawn into the 498 x 280 scene with the
// sprite program, lit by the visible lights and shadowed by the mask.
#include <cstdint>
#include <vector>

#include <glm/vec3.hpp>

#include "graphics/render_lists.h"

class ShaderProgram;

// What one pass keeps between sprites: the per-sprite uniform locations (looked
// up once per pass) and what is bound on units 1..3 and as vertex array, so a
// run of sprites sharing a sheet binds it once.
struct LitPassState {
    int32_t modelLocation = -1;
    int32_t tintLocation = -1;
    uint32_t textures[3] = {0, 0, 0};
    uint32_t vertexArray = 0;
};

// Makes the sprite program current and sets everything a lit sprite needs but
// its own textures and matrices: scene uniforms, sampler units, the mask on
// unit 0, and the lights.
LitPassState BeginLitSprites(const ShaderProgram& program, uint32_t shadowMask, const RenderLists& lists,
                             RenderCounters& counters);

// Draws one sprite with the program set up by BeginLitSprites; its model
// matrix places it at `position`.
void DrawLitSprite(const ShaderProgram& program, const SpriteDrawItem& item, glm::vec3 position,
                   uint32_t anchoredQuad, float dt, LitPassState& state, RenderCounters& counters);

// The lit clamped list in its (already sorted) order; unit 0 is active again
// afterwards.
void DrawLitSprites(const ShaderProgram& program, const std::vector<SpriteDrawItem>& sprites, uint32_t anchoredQuad,
                    float dt, LitPassState& state, RenderCounters& counters);
