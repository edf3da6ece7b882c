#pragma once
// The unlit pass: sprites that are not environmental, drawn straight into the
// window's framebuffer at window resolution after the scene, alpha-blended and
// depth-tested against it, in runs of instances that share a diffuse texture.
#include <vector>

#include "graphics/render_lists.h"
#include "graphics/sprite_instances.h"

class ShaderProgram;

// Uses the unlit sprite program ("view" = the camera view for the window,
// diffuse on unit 0), turns blending on (source alpha, one minus source alpha)
// and draws the runs in order; the instance buffer's vertex array must be
// bound. Leaves blending on.
void DrawUnlitRuns(const ShaderProgram& program, const SpriteInstanceBuffer& buffer,
                   const std::vector<SpriteRun>& runs, RenderCounters& counters);
