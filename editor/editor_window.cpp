#include "editor/editor_window.h"

#include <imgui.h>

#include "core/engine_state.h"
#include "core/level_changes.h"
#include "editor/editor.h"
#include "editor/finished_edit.h"
#include "editor/graphics_panel.h"
#include "editor/gui_edits.h"
#include "editor/level_edit.h"
#include "editor/level_panel.h"
#include "editor/sound_cue_editor.h"
#include "editor/tile_editor.h"
#include "graphics/tile_map.h"

namespace editor {
namespace {

const char* const kPanelNames[] = {"Level", "Sound", "Tiles", "Graphics"};

// The lighting settings, compared member by member.
struct Lighting {
    LightingSettings settings;
    bool operator==(const Lighting& o) const {
        const LightingSettings &a = settings, &b = o.settings;
        return a.moonlightColor == b.moonlightColor && a.moonlightFadeDist == b.moonlightFadeDist &&
               a.moonlightFadeExponent == b.moonlightFadeExponent && a.globalAmbient == b.globalAmbient &&
               a.globalAmbientIntensity == b.globalAmbientIntensity && a.attenuationZero == b.attenuationZero;
    }
};

// One undo entry per gesture in the "Tiles" and "Graphics" panels.
EditGesture<Json::Value> g_tilesEdit;
EditGesture<Lighting> g_lightingEdit;

Json::Value TilesNow() { return GetTileMap() ? GetTileMap()->Serialize() : Json::Value(); }

void DrawTilesPanelRecorded() {
    auto edit = g_tilesEdit.Track(TilesNow, [] {
        if (DrawnWithEdits(DrawTilesPanel)) MarkLevelChanged();
    });
    // A map that came or went with a level load is no edit.
    if (!edit || edit->before.isNull() || edit->after.isNull()) return;
    LevelEdit made{.what = "edit tiles"};
    made.tilesBefore = std::move(edit->before);
    made.tilesAfter = std::move(edit->after);
    RecordLevelEdit(std::move(made));
}

void DrawGraphicsPanelRecorded() {
    auto edit = g_lightingEdit.Track([] { return Lighting{GetLightingSettings()}; }, [] {
        if (DrawnWithEdits(DrawGraphicsPanel)) MarkLevelChanged();
    });
    if (!edit) return;
    LevelEdit made{.what = "edit lighting"};
    made.lightingBefore = edit->before.settings;
    made.lightingAfter = edit->after.settings;
    RecordLevelEdit(std::move(made));
}

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
            DrawTilesPanelRecorded();
            break;
        case kPanelGraphics:
            DrawGraphicsPanelRecorded();
            break;
        }
    }
    ImGui::End();
}

}  // namespace editor
