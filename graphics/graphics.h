#pragma once
// Graphics owns the game window, the OpenGL 3.3 core context and the device
// objects every drawing part shares (the two unit quads, the forward programs,
// the texture cache). The Engine creates it at start-up (after Input, whose key
// and mouse events the GUI host listens to), handing down the GUI the window
// feeds, and calls BeginFrame, Draw and EndFrame once per frame.
//
// Orientation: world +y points down the screen in every pass. The view
// matrices map world +y to clip +y, and every vertex shader of the engine
// negates clip-space y as its last step (see shaders/forward.vs), so a picture
// whose first PNG row is at v = 0 comes out upright with v = 0 at its top.
// Off-screen targets drawn that way hold their smallest world y in the top
// row (v = 1): the composition's negative y scale puts that row at the top of
// the window, and a shader that looks a target up by world position (the
// shadow mask) must use v = 1 - (y - smallest y) / rows.
#include <cstdint>
#include <string>

#include <glm/vec2.hpp>
#include <glm/vec4.hpp>

struct GLFWwindow;
class ShaderProgram;

// The GUI the window feeds: started once the GL context is current, given a
// new frame in BeginFrame (or told that frame will not be drawn), rendered in
// EndFrame before the swap, shut down with the window. The Engine hands down
// the editor's GUI host (editor/gui_host.h); a member left null is skipped.
struct WindowGui {
    void (*init)(GLFWwindow* window) = nullptr;
    void (*newFrame)() = nullptr;
    void (*discardFrame)() = nullptr;
    void (*render)() = nullptr;
    void (*shutdown)() = nullptr;
};

class Graphics {
public:
    // Opens the full-screen window titled "Quillmere"; throws debug::exception.
    explicit Graphics(const WindowGui& gui);
    ~Graphics();
    Graphics(const Graphics&) = delete;
    Graphics& operator=(const Graphics&) = delete;

    bool BeginFrame();    // false: the framebuffer has no area, draw nothing this frame
    void Draw(float dt);  // composes the frame, raises "PostDraw"
    void EndFrame();      // renders the GUI draw lists and swaps

    // Draws a texture centred on (x, y, z) world units, width x height world
    // units, with the forward program and the frame's current blend and depth
    // state (for scripts, usually from a "PostDraw" listener).
    void DrawTexture(uint32_t texture, unsigned width, unsigned height, float x, float y, float z, glm::vec4 tint);

    // Full screen on the monitor the window is on, or a 1280x720 window centred there.
    void SetFullscreen(bool on);
    bool GetFullscreen() const;
    glm::ivec2 GetFramebufferSize() const;  // pixels, as measured at the last BeginFrame
    GLFWwindow* GetWindow() const;

    // Six vertices each: anchored x -0.5..0.5, y 0..1 (drawn from its top
    // centre); centred x and y -0.5..0.5.
    uint32_t GetAnchoredQuad() const;
    uint32_t GetCentredQuad() const;
    ShaderProgram& GetForwardProgram() const;
    ShaderProgram& GetForwardDepthProgram() const;

private:
    struct Impl;
    Impl* impl_;
};

// The one instance while it exists, else null.
Graphics* GetGraphics();

// The start-up check of the context's version (major * 10 + minor, 0 when it
// cannot be read). Throws debug::exception with the message shown to players.
void CheckOpenGLVersion(int version);
