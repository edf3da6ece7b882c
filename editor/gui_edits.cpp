#include "editor/gui_edits.h"

#include <imgui.h>
#include <imgui_internal.h>

namespace editor {

bool EditedThisFrame() {
    ImGuiContext* g = ImGui::GetCurrentContext();
    return g && g->ActiveIdHasBeenEditedThisFrame;
}

void SetEditedThisFrame(bool edited) {
    if (ImGuiContext* g = ImGui::GetCurrentContext()) g->ActiveIdHasBeenEditedThisFrame = edited;
}

}  // namespace editor
