#pragma once
// The CPU half of the shadow pass: the triangles that cover what one caster
// hides from one light, the batching of casters into geometry uploads, and the
// order in which the two mask buffers are written.
#include <vector>

#include <glm/vec2.hpp>

#include "graphics/tangent_points.h"

class ShadowCaster;

// One caster as the shadow pass sees it.
struct CasterShape {
    glm::vec2 center{0.0f};  // P, world units
    float width = 1.0f;      // full ellipse size
    float height = 1.0f;
};

constexpr int kShadowFloatsPerCaster = 18;  // 9 vertices x 2 floats

// Writes 9 vertices (18 floats) to `out`: three triangles (B, B', C),
// (B, C, A'), (B, A', A) from the tangent points A, B stretched away from the
// light by `reach`; or nine copies of one point (no area) when the light is
// inside the caster's box, or the caster has no area.
void WriteCasterShadow(const TrigTables& tables, const CasterShape& caster, glm::vec2 light, float reach,
                       float* out);

// Caster counts of the successive geometry uploads for `casters` casters with at
// most `capacity` per upload (e.g. 120, 50 -> 50, 50, 20).
std::vector<int> ShadowBatchSizes(int casters, int capacity);

// Which of the two mask buffers light i of n writes. The choice alternates and
// starts so the last light always lands in buffer 0, the one the lit passes read.
int ShadowTargetFor(int lightIndex, int shadowedLights);
