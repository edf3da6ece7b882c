#pragma once
// Where a free sprite (lit, keeping its sub-pixel position) touches the scene
// target and the window, so its clear and its composition cover its own
// rectangle instead of the whole scene and window. Plain maths, no GL.
#include <vector>

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

// Pixels [x, x + width) x [y, y + height), GL window convention (y from the
// bottom row). Empty when width or height is 0.
struct PixelRect {
    int x = 0, y = 0, width = 0, height = 0;
};

// The scene pixels (498 x 280 target) that the anchored quad placed by `model`
// can cover under `sceneView` (the lit pass's view; clip y is negated by the
// shaders), grown by `margin` pixels on every side and kept inside the target.
PixelRect SceneRectOfQuad(const glm::mat4& model, const glm::mat4& sceneView, int margin);

// The window pixels whose centres sample the scene pixels of `scene` when the
// scene is composed with `shift` (world units, see SceneShift) at pixelScale
// onto a framebuffer of the given size, grown by one whole pixel each side.
PixelRect WindowRectOfSceneRect(const PixelRect& scene, glm::vec3 shift, int pixelScale, int framebufferWidth,
                                int framebufferHeight);

PixelRect Intersect(const PixelRect& a, const PixelRect& b);

// Splits free sprites (in drawing order) into visits: each visit draws some of
// them alone in the scene target, then composes them onto the window, and the
// visits go in ascending order. Returns each sprite's visit, the smallest that
// keeps the picture of drawing them one by one: no two sprites of a visit have
// meeting `cleared` (scene) rectangles, and a sprite whose `target` (window)
// rectangle meets an earlier one's never goes to an earlier visit than it.
std::vector<int> FreeSpriteVisits(const std::vector<PixelRect>& cleared, const std::vector<PixelRect>& target);
