#pragma once
// The CPU half of the shadow pass: the triangles that cover what one caster
// hides from one light, and the frame's whole shadow geometry, every triangle
// tagged with the index (the mask bit) of its light.
#include <cstddef>
#include <cstdint>
#include <vector>

#include <glm/mat4x4.hpp>
#include <glm/vec2.hpp>
#include <glm/vec3.hpp>

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
// inside the caster's box, or the caster has no area. Returns whether the
// triangles have area.
bool WriteCasterShadow(const TrigTables& tables, const CasterShape& caster, glm::vec2 light, float reach,
                       float* out);

// One point light as the shadow pass sees it.
struct ShadowLight {
    glm::vec2 position{0.0f};  // world units
    float reach = 0.0f;        // its radius
};

// A vertex of the shadow geometry (attribute 0: position, attribute 1: light).
struct ShadowVertex {
    float x = 0.0f, y = 0.0f;  // world units
    uint32_t light = 0;        // index of the light, the mask bit it sets
};

// An axis-aligned world area, world units; the default holds everything.
struct WorldRect {
    float x0 = -1e30f, y0 = -1e30f, x1 = 1e30f, y1 = 1e30f;
};

// Replaces `out` with the shadows of every caster from each of the first
// kMaxShadowedLights lights, light by light in list order, caster by caster;
// pairs that give no area are left out (they would draw nothing), and so is
// every triangle whose bounding box lies wholly outside `seen` (it would set
// only bits that are never read). Only the lights from index firstLight up to
// (not including) endLight are taken; each keeps its index as its bit.
void BuildShadowGeometry(const TrigTables& tables, const std::vector<CasterShape>& casters,
                         const std::vector<ShadowLight>& lights, const WorldRect& seen, std::vector<ShadowVertex>& out,
                         size_t firstLight = 0, size_t endLight = SIZE_MAX);

// The world position of the mask's texel (0, 0) (its smallest x and y) for a
// camera at `camera`: the 498 columns of the view and its 280 rows with the 700
// of smaller y beyond its top edge.
glm::vec2 ShadowMaskOrigin(glm::vec3 camera);

// The mask texels the lit passes can read: the world area the 498 x 280 scene
// target covers under `sceneView` (its view matrix, zoom included), as mask
// columns and rows from `maskOrigin` (the world position of texel (0, 0)),
// grown by one texel and kept inside the mask. Shadows outside it are never
// looked up, so the pass need not draw them.
struct MaskRect {
    int x = 0, y = 0, width = 0, height = 0;  // texels
    bool operator==(const MaskRect&) const = default;
};
MaskRect ShadowMaskRectRead(const glm::mat4& sceneView, glm::vec2 maskOrigin);
