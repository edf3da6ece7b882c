#pragma once
// The lit pass: environmental sprites drawn into the 498 x 280 scene with the
// sprite program, lit by the visible lights and shadowed by the mask, in runs
// of instances (see sprite_batch.h).
#include <cstdint>
#include <vector>

#include "graphics/render_lists.h"
#include "graphics/sprite_instances.h"

class ShaderProgram;

// Makes the sprite program current and sets everything a lit sprite needs but
// its own instance data and textures: scene uniforms, sampler units (diffuse,
// "_nm", "_sm" on units 1..3), the mask on unit 0, and the lights.
void BeginLitSprites(const ShaderProgram& program, uint32_t shadowMask, const RenderLists& lists,
                     RenderCounters& counters);

// Draws the runs whose `solid` flag equals `solid`, in order, with the program
// set up by BeginLitSprites (the one built with SOLID_SPRITES for solid runs),
// the instance buffer's vertex array bound; unit 0 is active again afterwards.
void DrawLitRuns(const SpriteInstanceBuffer& buffer, const std::vector<SpriteRun>& runs, bool solid,
                 BoundTextures& bound, RenderCounters& counters);
