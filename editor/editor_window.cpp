#include "editor/editor_window.h"

#include <imgui.h>

#include "core/engine_state.h"
#include "core/level_changes.h"
#include "editor/editor.h"
#include "editor/graphics_panel.h"
#include "editor/gui_edits.h"
#include "editor/level_panel.h"
#include "editor/sound_cue_editor.h"
#include "editor/tile_editor.h"

namespace editor {
namespace {

const char* const kPanelNames[] = {"Level", "Sound", "Tiles", "Graphics"};

}  // namespace

void DrawEditorWindow() {
    if (!ImGui::GetCurrentContext() || GetEngineState().minimized) return;
    Editor* editor = GetEditor();
    if (editor) editor->DropDeadSelection();

    ImGui::SetNextWindowPos(ImVec2(50, 25), ImGuiCond_FirstUseEver);
    ImGui::SetNextWindowSize(ImVec2(500, 680), ImGuiCond_FirstUseEver);
    if (ImGui::Begin("Editor", nullptr, ImGuiWindowFlags_NoTitleBar | ImGuiWindowFlags_MenuBar)) {
        if (ImGui::BeginMenuBar()) {
            for (int i = kPanelLevel; i <= kPanelGraphics; ++i)
                if (ImGui::MenuItem(kPanelNames[i], nullptr, false, i != GetShownPanel())) SetShownPanel(i);
            if (LevelChanged()) ImGui::TextColored(ImVec4(1.0f, 0.75f, 0.2f, 1.0f), "%s", kUnsavedChangesText);
            ImGui::EndMenuBar();
        }
        switch (GetShownPanel()) {
        case kPanelLevel:
            if (editor) DrawLevelPanel(*editor);
            break;
        case kPanelSound:
            DrawSoundPanel();  // cues are not part of the level
            break;
        case kPanelTiles:
            if (DrawnWithEdits(DrawTilesPanel)) MarkLevelChanged();
            break;
        case kPanelGraphics:
            if (DrawnWithEdits(DrawGraphicsPanel)) MarkLevelChanged();
            break;
        }
    }
    ImGui::End();
}

}  // namespace editor
