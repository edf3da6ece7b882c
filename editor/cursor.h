#pragma once
// Where the editor's mouse is and what the GUI claims: the cursor in world
// units, the marker size, the modifier keys (either side), and whether
// Dear ImGui wants the mouse or the keyboard this frame.
#include <glm/vec3.hpp>

namespace editor {

// The cursor of Input (window pixels, z = 0) through the camera's
// ScreenToWorld; the origin when there is no Input.
glm::vec3 CursorWorldPosition();
// 20 window pixels in world units: markers keep their size on screen.
float MarkerSize();

bool CtrlHeld();
bool ShiftHeld();

// False without a GUI context.
bool GuiWantsMouse();
// The keyboard, or text input (a focused text field).
bool GuiWantsKeyboard();

}  // namespace editor
