#pragma once
// The host of Dear ImGui. Rendering goes through the stock OpenGL 3 back end;
// the input side is our own: keys and mouse buttons arrive as engine events
// (so the editor, the console and the GUI see the same presses in the same
// order), while the cursor, wheel and typed characters are read from GLFW.
//
// The Engine hands these down to Graphics (graphics/graphics.h: WindowGui),
// which calls Init at start-up, NewFrame in BeginFrame, Render in EndFrame and
// Shutdown at the end.
struct GLFWwindow;

namespace gui_host {

// Creates the GUI context, the key map, clipboard and GL back end, installs the
// scroll and character callbacks on the window and connects the listeners
// "imguiIOBindingKeyPress", "imguiIOBindingKeyRelease" (to "KeyPressed",
// "KeyReleased"), "imguiIOBindingMousePress" and "imguiIOBindingMouseRelease"
// (to "MouseButtonPressed", "MouseButtonReleased"). Those events must exist.
void Init(GLFWwindow* window);
// Display size, time step, cursor, buttons and wheel for this frame; shows the
// system cursor only in the editor; starts the GUI frame.
void NewFrame();
// Ends a frame that will not be drawn (the window is minimised).
void DiscardFrame();
// Draws the frame's GUI lists into the current framebuffer.
void Render();
void Shutdown();

// The input half without a window, for tests: connect the four listeners to
// the current GUI context, and move the buttons noted since the last frame
// into the GUI's button state.
void ConnectInputListeners();
void DisconnectInputListeners();
void UpdateMouseButtons();

}  // namespace gui_host
