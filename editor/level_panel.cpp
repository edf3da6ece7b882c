#include "editor/level_panel.h"

#include <cstring>
#include <vector>

#include <imgui.h>

#include "core/engine_state.h"
#include "core/file_util.h"
#include "core/level_changes.h"
#include "core/log.h"
#include "ecs/entity_inspector.h"
#include "ecs/entity_list_order.h"
#include "ecs/entity_store.h"
#include "editor/editor.h"
#include "editor/editor_actions.h"
#include "editor/finished_edit.h"
#include "editor/gui_edits.h"
#include "editor/level_edit.h"
#include "editor/level_name.h"
#include "editor/level_snapshot.h"
#include "editor/recovery_copy.h"
#include "graphics/texture_cache.h"
#include "level/level_file.h"
#include "level/save_game.h"

namespace editor {
namespace {

constexpr size_t kNameBufferSize = 128;
char g_levelName[kNameBufferSize] = {};
// Why the text in "level" is not the level's name; empty while it is. While a
// text is refused the field keeps it (the designer is still typing) and the
// level keeps its last good name.
std::string g_nameRefusal;
// Why the last load the editor started did not happen; empty after one that did.
std::string g_loadFailure;
std::vector<std::string> g_levelList;  // as listed at the last press of "load"
engine::entity_handle g_rangeStart, g_rangeEnd;
uint32_t g_rangeEpoch = 0;  // the level the anchors belong to
std::function<void()> g_restartScripts;

constexpr float kEntityListHeight = 200.0f;

// What the inspector can change without a widget reporting an edit (adding
// or removing a component through its popups).
struct EntityShape {
    std::string name;
    glm::vec3 position{0.0f};
    std::vector<uint32_t> componentTypes;
    bool operator==(const EntityShape&) const = default;
};

EntityShape ShapeOf(engine::entity_handle h) {
    EntityShape shape;
    if (!h.IsValid()) return shape;
    const engine::entity_base& record = *h.GetBaseEntity();
    shape.name = record.name;
    shape.position = record.position;
    for (const auto& [type, component] : record.components) shape.componentTypes.push_back(type);
    return shape;
}

void DrawLevelButtons() {
    if (ImGui::Button("load")) {
        g_levelList = ListFilesWithExtension("levels", "json");
        ImGui::OpenPopup("load level");
    }
    if (ImGui::BeginPopup("load level")) {
        for (const std::string& name : g_levelList) {
            if (ImGui::Selectable(name.c_str())) {
                const std::string chosen = name;
                LoadLevelFromEditor(chosen);
                break;
            }
        }
        ImGui::EndPopup();
    }
    ImGui::SameLine();
    if (ImGui::Button("save level and reload assets")) SaveLevelAndReloadAssets();
    ImGui::SameLine();
    if (ImGui::Button("delete save")) {
        try {
            DeleteSave();
        } catch (const std::exception& e) {
            Print(std::string("delete save: ") + e.what());
        }
    }
    ImGui::SameLine();
    if (ImGui::Button("clear")) ImGui::OpenPopup("clear level");
    if (!g_loadFailure.empty()) ImGui::TextColored(ImVec4(1.0f, 0.35f, 0.2f, 1.0f), "%s", g_loadFailure.c_str());
    if (ImGui::BeginPopup("clear level")) {
        ImGui::Text("are you sure?");
        ImGui::Separator();
        if (ImGui::Selectable("yes")) ClearLevel();
        ImGui::Selectable("no");
        ImGui::EndPopup();
    }
}

void DrawEntityList(Editor& editor) {
    ImGui::BeginChild("Entities", ImVec2(ImGui::GetWindowContentRegionWidth(), kEntityListHeight));
    const std::vector<engine::entity_handle>& live = engine::GetLiveEntities();
    engine::entity_handle clicked;
    // Only the rows in view are laid out: levels hold thousands of entities.
    ImGuiListClipper clipper;
    clipper.Begin(int(live.size()));
    while (clipper.Step()) {
        for (int i = clipper.DisplayStart; i < clipper.DisplayEnd; ++i) {
            const engine::entity_handle h = live[size_t(i)];
            ImGui::PushID(int(h.generation));  // equal names are allowed
            if (ImGui::Selectable(engine::RecordAt(h.index).name.c_str(), editor.IsSelected(h))) clicked = h;
            ImGui::PopID();
        }
    }
    ImGui::EndChild();
    if (clicked.generation != 0) {
        const ImGuiIO& io = ImGui::GetIO();
        ClickEntityInList(editor, clicked, io.KeyCtrl, io.KeyShift);
    }
    ApplyRangeSelection(editor);
}

// The inspector's edits of the entity it shows, one undo entry per gesture.
EditGesture<Json::Value> g_inspectorEdit;
engine::entity_handle g_inspected;

void RecordInspectorEdit(engine::entity_handle h, const std::optional<FinishedEdit<Json::Value>>& edit) {
    if (!edit) return;
    EntityChange change{h, engine::PlaceInList(h), edit->before, edit->after};
    RecordLevelEdit({.what = DescribeEntityEdit(edit->before, edit->after), .entities = {std::move(change)}});
}

void DrawInspector(Editor& editor) {
    const engine::entity_handle selected = editor.GetSelected();
    if (g_inspected != selected) {
        // A gesture left unfinished on the entity shown before ends with it.
        if (g_inspectorEdit.UnderWay() && g_inspected.IsValid())
            RecordInspectorEdit(g_inspected, g_inspectorEdit.Finish(g_inspected.Serialize()));
        g_inspectorEdit.Reset();
        g_inspected = selected;
    }
    if (selected.generation == 0) return;
    if (!selected.IsValid()) {
        editor.SelectEntity(engine::entity_handle(), true, true);
        return;
    }
    const auto edit = g_inspectorEdit.Track([&] { return selected.Serialize(); }, [&] {
        const EntityShape before = ShapeOf(selected);
        const bool edited = DrawnWithEdits([&] { DrawEntityInspector(selected); });
        if (edited || !(ShapeOf(selected) == before)) MarkLevelChanged();
    });
    if (selected.IsValid()) RecordInspectorEdit(selected, edit);
}

void DrawLevelNameField() {
    if (g_nameRefusal.empty()) {
        const std::string& current = GetEngineState().previousLevelName;
        std::strncpy(g_levelName, current.c_str(), kNameBufferSize - 1);
        g_levelName[kNameBufferSize - 1] = '\0';
    }
    // Renaming only changes where the level will be written; nothing reloads.
    // That file does not hold this level yet, so it counts as unsaved.
    if (ImGui::InputText("level", g_levelName, kNameBufferSize)) {
        g_nameRefusal = LevelNameProblem(g_levelName);
        if (g_nameRefusal.empty()) {
            RequestLevel(g_levelName, true);
            MarkLevelChanged();
        }
    }
    if (!g_nameRefusal.empty()) {
        ImGui::SameLine();
        ImGui::TextColored(ImVec4(1.0f, 0.35f, 0.2f, 1.0f), "not used: %s", g_nameRefusal.c_str());
    }
}

// Edits of this level kept through a crash, offered until loaded or discarded.
void DrawRecoveryOffer() {
    const std::string level = GetEngineState().previousLevelName;
    if (!HasRecoveryCopy(level)) return;
    ImGui::TextColored(ImVec4(1.0f, 0.75f, 0.2f, 1.0f), "Unsaved edits of this level were kept after a crash.");
    if (ImGui::Button("load kept edits")) LoadRecoveryCopy(level);
    ImGui::SameLine();
    if (ImGui::Button("discard kept edits")) DiscardRecoveryCopy(level);
}

// Loads `name`; when that throws, puts `kept` back and says why.
bool LoadOrKeep(const std::string& name, const LevelSnapshot& kept, uint32_t keptEpoch, bool keptChanged) {
    g_nameRefusal.clear();
    try {
        LoadLevel(name);
    } catch (const std::exception& error) {
        RestoreLevel(kept);
        ReturnToLevelEpoch(keptEpoch);
        if (keptChanged) MarkLevelChanged();
        g_loadFailure = "Level \"" + name + "\" was not loaded: " + error.what();
        Print(g_loadFailure);
        return false;
    }
    g_loadFailure.clear();
    ClearLevelChanged();
    return true;
}

}  // namespace

void DrawLevelPanel(Editor& editor) {
    DrawLevelNameField();
    DrawRecoveryOffer();

    DrawLevelButtons();

    ImGui::Separator();
    DrawEntityList(editor);

    ImGui::Separator();
    DrawInspector(editor);

    ImGui::Separator();
    ImGui::Text("Average FPS: %.1f\n", ImGui::GetIO().Framerate);
}

bool LoadLevelFromEditor(const std::string& name) {
    const LevelSnapshot kept = CaptureLevel();
    const uint32_t keptEpoch = LevelEpoch();
    const bool keptChanged = LevelChanged();
    ForgetLevelEntities();
    return LoadOrKeep(name, kept, keptEpoch, keptChanged);
}

void SetScriptRestart(std::function<void()> restart) { g_restartScripts = std::move(restart); }

void SaveLevelAndReloadAssets() {
    const std::string name = GetEngineState().previousLevelName;
    SaveLevel(name, false);
    ClearLevelChanged();
    // Saving flushed the deferred destructions: this is the level as written.
    const LevelSnapshot kept = CaptureLevel();
    const uint32_t keptEpoch = LevelEpoch();
    ForgetLevelEntities();
    engine::DestroyAllEntities();
    ClearTextures();
    if (g_restartScripts) g_restartScripts();
    LoadOrKeep(name, kept, keptEpoch, false);
}

void ClearLevel() {
    ForgetLevelEntities();
    engine::DestroyAllEntities();
    MarkLevelChanged();
}

void ClickEntityInList(Editor& editor, engine::entity_handle h, bool ctrl, bool shift) {
    editor.DropDeadSelection();
    editor.SelectEntity(h, !ctrl, true);
    if (g_rangeEpoch != LevelEpoch()) g_rangeStart = g_rangeEnd = engine::entity_handle();
    g_rangeEpoch = LevelEpoch();
    if (shift)
        g_rangeEnd = h;
    else
        g_rangeStart = h;
}

void ApplyRangeSelection(Editor& editor) {
    // A Shift click with no plain or Ctrl click before it has no run to make;
    // kept, its end would turn the next plain click into a run.
    if (g_rangeStart.generation == 0) g_rangeEnd = engine::entity_handle();
    if (g_rangeStart.generation == 0 || g_rangeEnd.generation == 0) return;
    if (g_rangeEpoch != LevelEpoch()) {  // handles of a level that is gone
        g_rangeStart = g_rangeEnd = engine::entity_handle();
        return;
    }
    const engine::entity_handle start = g_rangeStart, end = g_rangeEnd;
    g_rangeStart = g_rangeEnd = engine::entity_handle();
    // A copy: selecting raises an event whose listeners may create entities.
    const std::vector<engine::entity_handle> live = engine::GetLiveEntities();
    bool inside = false;
    for (const engine::entity_handle& h : live) {
        const bool anchor = h == start || h == end;
        if (!inside && !anchor) continue;
        editor.SelectEntity(h, false, false);
        if (inside && anchor) break;
        if (!inside && start == end) break;
        inside = true;
    }
}

}  // namespace editor
