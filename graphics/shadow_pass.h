#pragma once
// The shadow pass: for each of the first 32 visible point lights, the region
// every kept caster hides from it is rasterised into the mask as bit i. Each
// light draws into one sBuffer after copying in the other (the mask so far),
// under a stencil that lets each mask pixel take the light's bit once.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "graphics/render_lists.h"
#include "graphics/render_targets.h"
#include "graphics/tangent_points.h"

class ShaderProgram;

// Vertex array + buffer of 2-float positions (attribute 0, 8-byte stride), and
// the CPU copy the batches are built in.
struct ShadowGeometry {
    uint32_t vao = 0;
    uint32_t vbo = 0;
    size_t capacityBytes = 0;  // grows once to the largest batch, then is reused
    std::vector<float> scratch;

    void Create();
    void Destroy();
};

// Casters per geometry upload. Every caster's triangles are independent and
// the stencil keeps each pixel to one write per light, so any batch size gives
// the same mask; bigger batches only mean fewer uploads and draw calls.
constexpr int kReferenceShadowBatch = 50;
constexpr int kMergedShadowBatch = 2048;

void DrawShadowMasks(const RenderLists& lists, const RenderTargets& targets, const ShaderProgram& shadowProgram,
                     ShadowGeometry& geometry, const TrigTables& tables, int batchCasters, RenderCounters& counters);
