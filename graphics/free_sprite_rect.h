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
    bool operator==(const PixelRect&) const = default;
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

// Vertices of the rectangles free sprites are cleared under and composed
// through: position, texture coordinate, and a second texture coordinate
// (x, y, z, u, v, su, sv).
constexpr int kRectVertexFloats = 7;
constexpr int kComposedRectFloats = 6 * kRectVertexFloats;

// The piece of the composed scene's quad (see DrawComposedScene) shifted by
// `shift` that covers `window`: two triangles (6 vertices appended to `out`),
// placed for the composition's view with an identity model, each corner
// carrying the texture coordinate the whole quad has there, and as its second
// one what the quad shifted by `sceneShift` has there. Drawn, they show what
// the whole quad shows under a scissor to `window`.
void AppendComposedRect(const PixelRect& window, glm::vec3 shift, glm::vec3 sceneShift, int pixelScale,
                        int framebufferWidth, int framebufferHeight, std::vector<float>& out);

// The scene pixels `scene` as two triangles on the scene target (6 vertices
// appended to `out`, texture coordinates 0), for the forward vertex program
// with identity view and model: edges on whole pixels, so they cover exactly
// those pixels.
void AppendSceneRect(const PixelRect& scene, std::vector<float>& out);

// Where free sprites (in drawing order) are drawn. A round draws some of
// them, each alone at its place in one of up to maxLayers scene-sized layers,
// then composes them onto the window in order; the rounds go in order, and a
// new one starts only when a sprite finds no layer of the current one whose
// sprites' `cleared` rectangles all miss its own. Sprites with an empty
// rectangle are not drawn (layer -1).
struct FreeSpritePlace {
    int round = 0;
    int layer = -1;
};
std::vector<FreeSpritePlace> PlaceFreeSprites(const std::vector<PixelRect>& cleared, int maxLayers);

// The draws that compose one round's free sprites (in drawing order, with
// their window rectangles and layers) onto the window. A draw takes sprites
// of one layer, in drawing order; a sprite may go out in an earlier draw than
// sprites ahead of it only if its rectangle meets none of theirs, so the
// window ends up as if they went one by one. Returns the draws in order.
struct ComposeDraw {
    int layer = 0;
    std::vector<size_t> sprites;  // indices into the round's sprites
};
std::vector<ComposeDraw> PlanComposeDraws(const std::vector<PixelRect>& targets, const std::vector<int>& layers);
