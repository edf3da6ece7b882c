#pragma once
// The camera: which part of the world is shown and at what scale, and the
// conversions between world units and window pixels. One world unit is one
// pixel of the 498 x 280 off-screen scene; world +y points down the screen.
// All maths here is plain (no GL), so it is tested headless. It sits in core
// because every floor asks what is in view: physics gathers its candidates
// near it, sound emitters measure their distance from it, the editor picks
// under the mouse; the renderer only writes the framebuffer size into it.
#include <glm/mat4x4.hpp>
#include <glm/vec2.hpp>
#include <glm/vec3.hpp>

constexpr int kSceneWidth = 498;   // off-screen scene, pixels
constexpr int kSceneHeight = 280;

struct LetterboxRect {
    int x = 0, y = 0, width = 0, height = 0;  // window pixels
};

class Camera {
public:
    glm::vec3 position{0.0f, 0.0f, 0.0f};
    glm::vec3 zoom{1.0f, 1.0f, 1.0f};
    glm::vec2 viewSize{kSceneWidth, kSceneHeight};  // window pixels, set by the letterbox
    // Framebuffer size in pixels, measured by Graphics at every BeginFrame.
    int framebufferWidth = kSceneWidth;
    int framebufferHeight = kSceneHeight;

    glm::vec3 GetPosition() const { return position; }
    void SetPosition(float x, float y, float z) { position = {x, y, z}; }
    void SetScale(float s) { zoom = {s, s, 1.0f}; }
    float GetScale() const { return zoom.x; }

    // Whole-number enlargement of the off-screen scene for a framebuffer.
    static int PixelScale(int width, int height);
    // Window pixels per world unit.
    float ScreenScale() const;

    // Negative w or h: the window's framebuffer, camera z included.
    glm::mat4 ViewMatrix(bool pixel, float w, float h) const;
    glm::mat4 ScreenMatrix() const;  // world -> window pixels (window y grows down)
    glm::vec3 WorldToScreen(float x, float y, float z) const;
    glm::vec3 ScreenToWorld(float x, float y, float z) const;

    // The largest 498:280 rectangle centred in the framebuffer; stores its size
    // as the view size. Graphics applies it as the scissor rectangle.
    LetterboxRect Letterbox();
    glm::vec2 GetViewSize() const { return viewSize; }

    // Width and height of the visible area in world units (what scripts see as
    // the window size before truncation, and what physics tests against).
    glm::vec2 VisibleWorldSize() const { return viewSize / ScreenScale(); }
};

Camera& GetCamera();
