#pragma once
// The lit pass: environmental sprites laid down in the 498 x 280 scene in runs
// of instances (see sprite_batch.h), then lit by the visible lights and
// shadowed by the mask, each pixel once (see sprite_shader.frag).
#include <cstdint>
#include <vector>

#include "graphics/render_lists.h"
#include "graphics/sprite_instances.h"

class ShaderProgram;

// Makes a program built from the sprite shaders current and sets what laying
// a sprite down needs but its own instance data and textures: the scene
// uniforms and the sampler units (diffuse, "_nm", "_sm" on units 1..3).
void BeginSceneSprites(const ShaderProgram& program);

// The same, then what lighting needs: the mask on unit 0 and the lights (for
// the light pass, whose units 1 and 2 hold what was laid down, and for free
// sprites, lit as they are drawn).
void BeginLitSprites(const ShaderProgram& program, uint32_t shadowMask, const RenderLists& lists,
                     RenderCounters& counters);

// Draws the runs whose `solid` flag equals `solid`, in order, with the program
// set up by BeginSceneSprites (the one built with SOLID_SPRITES for solid runs),
// the instance buffer's vertex array bound; unit 0 is active again afterwards.
void DrawLitRuns(const SpriteInstanceBuffer& buffer, const std::vector<SpriteRun>& runs, bool solid,
                 BoundTextures& bound, RenderCounters& counters);
