#include "editor/cursor.h"

#include <imgui.h>

#include "core/camera.h"
#include "core/input.h"

namespace editor {
namespace {
constexpr int kLeftShift = 340, kLeftControl = 341, kRightShift = 344, kRightControl = 345;
constexpr float kMarkerPixels = 20.0f;
}  // namespace

glm::vec3 CursorWorldPosition() {
    Input* input = GetInput();
    if (!input) return glm::vec3(0.0f);
    const glm::vec2 c = input->GetCursorPosition();
    return GetCamera().ScreenToWorld(c.x, c.y, 0.0f);
}

float MarkerSize() { return kMarkerPixels / GetCamera().ScreenScale(); }

bool CtrlHeld() {
    Input* input = GetInput();
    return input && (input->IsKeyDown(kLeftControl) || input->IsKeyDown(kRightControl));
}

bool ShiftHeld() {
    Input* input = GetInput();
    return input && (input->IsKeyDown(kLeftShift) || input->IsKeyDown(kRightShift));
}

bool GuiWantsMouse() { return ImGui::GetCurrentContext() && ImGui::GetIO().WantCaptureMouse; }

bool GuiWantsKeyboard() {
    if (!ImGui::GetCurrentContext()) return false;
    const ImGuiIO& io = ImGui::GetIO();
    return io.WantCaptureKeyboard || io.WantTextInput;
}

}  // namespace editor
