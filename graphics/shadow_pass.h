#pragma once
// The shadow pass: for each of the first 32 visible point lights, the region
// every kept caster hides from it is filled into the mask as bit i. The
// shadows' triangles are built and filled on the CPU (graphics/shadow_raster.h)
// over the part of the mask the view can read, and that part is uploaded once.
#include <cstdint>
#include <vector>

#include "graphics/render_lists.h"
#include "graphics/render_targets.h"
#include "graphics/shadow_geometry.h"
#include "graphics/shadow_raster.h"
#include "graphics/tangent_points.h"

// The frame's shadow inputs and the mask they make, reused frame to frame.
struct ShadowGeometry {
    bool maskClear = false;  // the mask texture holds no bit (unknown at first)
    MaskRect filled;         // the part last filled; the rest holds no bit
    std::vector<CasterShape> casters;
    std::vector<ShadowLight> lights;
    ShadowMaskWork work;
    std::vector<uint32_t> texels;  // the read part of the mask, row by row
};

void DrawShadowMasks(const RenderLists& lists, const RenderTargets& targets, ShadowGeometry& geometry,
                     const TrigTables& tables);
