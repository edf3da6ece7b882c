#pragma once
// The shadow pass: for each of the first 32 visible point lights, the region
// every kept caster hides from it is rasterised into the mask as bit i. All
// lights' shadow triangles go out in one draw, each fragment OR-ing its light's
// bit into the mask (a logic operation on the integer target), so the cost
// follows the shadows' area and no light copies the mask so far.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "graphics/render_lists.h"
#include "graphics/render_targets.h"
#include "graphics/shadow_geometry.h"
#include "graphics/tangent_points.h"

class ShaderProgram;

// Vertex array + buffer of ShadowVertex (attribute 0: two floats, attribute 1:
// one unsigned integer), and the CPU copy the frame's geometry is built in.
struct ShadowGeometry {
    uint32_t vao = 0;
    uint32_t vbo = 0;
    size_t capacityBytes = 0;  // grows to the largest frame, then is reused
    bool maskClear = false;    // the mask holds no bit (unknown at first)
    std::vector<CasterShape> casters;
    std::vector<ShadowLight> lights;
    std::vector<ShadowVertex> vertices;

    void Create();
    void Destroy();
};

void DrawShadowMasks(const RenderLists& lists, const RenderTargets& targets, const ShaderProgram& shadowProgram,
                     ShadowGeometry& geometry, const TrigTables& tables, RenderCounters& counters);
