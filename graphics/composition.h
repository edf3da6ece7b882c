#pragma once
// Puts the 498 x 280 scene on the window: scaled by the whole-number pixel
// scale, shifted by the camera's sub-pixel offset, with its depth so that
// full-resolution sprites drawn later are depth-tested against it.
#include <cstdint>

#include <glm/vec3.hpp>

#include "graphics/free_sprite_rect.h"

class ShaderProgram;

// Sets up the forward depth program (tint, view for the framebuffer size and
// pixel scale, the scene's colour and depth textures on units 0 and 1).
void BeginComposition(const ShaderProgram& forwardDepth, uint32_t color, uint32_t depth, int framebufferWidth,
                      int framebufferHeight);

// Sets the program's view to the composition's (framebuffer size and pixel
// scale) and leaves the program in use; BeginComposition does this too.
void SetCompositionView(const ShaderProgram& program, int framebufferWidth, int framebufferHeight);

// Puts another scene's colour and depth textures on units 0 and 1 (unit 0
// active afterwards), the program's other settings staying as they are.
void BindComposedScene(uint32_t color, uint32_t depth);

// Draws the scene quad translated by `shift` world units (the camera's
// sub-pixel offset).
void DrawComposedScene(const ShaderProgram& forwardDepth, uint32_t centredQuad, glm::vec3 shift);

// Draws `vertexCount` vertices from `firstVertex` of `rects` (a vertex array
// filled by AppendComposedRect): pieces of the scene quad.
void DrawComposedRects(const ShaderProgram& forwardDepth, uint32_t rects, int firstVertex, int vertexCount);

// The part of the window the scene goes on: the letterbox, or in the editor
// the whole window.
PixelRect SceneWindowRect(int framebufferWidth, int framebufferHeight);

// The window pixels (rows from the bottom) the scene quad covers whatever the
// camera's sub-pixel shift, kept inside `within` (the letterbox, or the
// whole window in the editor): the composition writes each of them, so the
// window needs no clear there.
PixelRect ComposedSceneInterior(int framebufferWidth, int framebufferHeight, const PixelRect& within);

// The shift of the whole scene in world units: (ceil x - x, ceil y - y, 1 - z)
// of the camera, i.e. 1 - fract for a camera between whole positions.
glm::vec3 SceneShift(glm::vec3 camera);
