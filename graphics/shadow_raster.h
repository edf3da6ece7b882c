#pragma once
// The shadow mask filled on the CPU. A software GL driver sets up, tests and
// writes each of the shadows' fragments on its own (millions a frame when many
// lights see many casters); here each shadow (a fan of triangles, filled as
// the convex polygon it makes) fills its rows' spans, four texels per OR.
// Each step is the one a GL driver takes, rounding included,
// so the mask is the one it would draw: the vertex is carried into clip space
// and onto the mask's viewport; a triangle reaching past the viewport is cut
// at its sides in clip space and the pieces drawn; vertices snap to 1/256
// texel; a texel is covered when its centre lies inside, and a centre exactly
// on an edge belongs to the triangle on the edge's left (the edge runs
// downwards) or below it (the edge is horizontal), so two triangles that
// share an edge cover each texel along it once.
#include <cstdint>
#include <vector>

#include <glm/mat4x4.hpp>

#include "graphics/shadow_geometry.h"
#include "graphics/tangent_points.h"

// Sets `mask` to rect.width x rect.height texels (row 0 = mask row rect.y,
// column 0 = mask column rect.x; the rect lies within the mask), each the OR
// of (1 << light) over the triangles of `triangles` (three vertices each,
// world units) that cover it.
// `view` takes world positions to the clip space of the mask's viewport
// (kShadowMaskWidth x kShadowMaskHeight texels); it scales and translates x
// and y only.
void RasterizeShadows(const std::vector<ShadowVertex>& triangles, const glm::mat4& view, const MaskRect& rect,
                      std::vector<uint32_t>& mask);

// Buffers FillShadowMask keeps from frame to frame.
struct ShadowMaskWork {
    std::vector<ShadowVertex> triangles[2];
    std::vector<uint32_t> secondMask;
};

// The shadow pass on the CPU: BuildShadowGeometry's triangles (within `seen`)
// filled into `mask` as RasterizeShadows fills them. With many casters and
// lights, the first half of the lights and the second are built and filled
// on two threads at once. Returns whether any caster throws a shadow there
// (if not, `mask` may be left as it was).
bool FillShadowMask(const TrigTables& tables, const std::vector<CasterShape>& casters,
                    const std::vector<ShadowLight>& lights, const WorldRect& seen, const glm::mat4& view,
                    const MaskRect& rect, ShadowMaskWork& work, std::vector<uint32_t>& mask);
