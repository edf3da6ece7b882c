#pragma once
// Graphics owns the game window, the OpenGL 3.3 core context and the device
// objects every drawing part shares (the two unit quads, the forward programs,
// the renderer, the texture cache). The Engine creates it at start-up and calls
// BeginFrame, Draw and EndFrame once per frame.
#include <glm/vec2.hpp>

struct GLFWwindow;

class Graphics {
public:
    Graphics();   // opens the full-screen window titled "Quillmere"; throws debug::exception
    ~Graphics();

    bool BeginFrame();    // false: the framebuffer has no area, draw nothing this frame
    void Draw(float dt);  // composes the frame, raises "PostDraw"
    void EndFrame();      // renders the GUI draw lists and swaps

    void SetFullscreen(bool on);
    bool GetFullscreen() const;
    glm::ivec2 GetFramebufferSize() const;
    GLFWwindow* GetWindow() const;

private:
    struct Impl;
    Impl* impl_;
};

// The one instance while it exists, else null.
Graphics* GetGraphics();
