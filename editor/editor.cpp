#include "editor/editor.h"

#include <algorithm>

#include <json/value.h>

#include "core/camera.h"
#include "core/debug_draw.h"
#include "core/events.h"
#include "core/level_changes.h"
#include "ecs/entity_list_order.h"
#include "ecs/entity_store.h"
#include "editor/cursor.h"
#include "editor/editor_actions.h"
#include "editor/picking.h"
#include "editor/rect_selection.h"
#include "editor/recovery_copy.h"
#include "editor/tile_editor.h"

namespace {

std::unique_ptr<Editor> g_editor;
int g_panel = editor::kPanelLevel;

constexpr int kMouseLeft = 0, kMouseRight = 1;
constexpr int kKeyC = 67, kKeyD = 68, kKeyE = 69, kKeyF = 70, kKeyQ = 81, kKeyY = 89, kKeyZ = 90;
constexpr int kKeyDelete = 261, kKeyRight = 262, kKeyLeft = 263, kKeyDown = 264, kKeyUp = 265;
// Keyboard camera steps and zoom, in window pixels and as a factor.
constexpr float kCameraStepPixels = 200.0f;
constexpr float kZoomFactor = 1.5f;

// Listener names, in the order they are connected.
const char* const kListeners[][2] = {{"DebugDraw", "EditorDrawDraggables"},
                                     {"KeyPressed", "EditorKeyPressed"},
                                     {"MouseButtonPressed", "EditorMouseButtonPressed"},
                                     {"MouseButtonReleased", "EditorMouseButtonReleased"},
                                     {"LevelUnload", "EditorLevelUnload"}};

}  // namespace

Editor::Editor() : self_(std::make_shared<Editor*>(this)), selectionEpoch_(editor::LevelEpoch()) {
    // The listeners reach the Editor through self_, which the destructor
    // clears: the editor is closed from inside a "KeyPressed" raise, whose
    // snapshot of listeners still calls this Editor's after it is gone.
    events::Connect<>("DebugDraw", "EditorDrawDraggables", [self = self_] {
        if (*self) (*self)->DrawDraggables();
    });
    events::Connect<int>("KeyPressed", "EditorKeyPressed", [self = self_](int key) {
        if (*self) (*self)->OnKeyPressed(key);
    });
    events::Connect<int>("MouseButtonPressed", "EditorMouseButtonPressed", [self = self_](int button) {
        if (*self) (*self)->OnMouseButtonPressed(button);
    });
    events::Connect<int>("MouseButtonReleased", "EditorMouseButtonReleased", [self = self_](int button) {
        if (*self) (*self)->OnMouseButtonReleased(button);
    });
    if (events::IsRegistered("LevelUnload"))
        events::Connect<Json::Value*>("LevelUnload", "EditorLevelUnload",
                                      [](Json::Value*) { editor::ForgetLevelEntities(); });
}

Editor::~Editor() {
    *self_ = nullptr;
    for (const auto& pair : kListeners)
        if (events::IsRegistered(pair[0])) events::Disconnect(pair[0], pair[1]);
}

bool Editor::IsSelected(engine::entity_handle h) const {
    return std::find(selection_.begin(), selection_.end(), h) != selection_.end();
}

void Editor::SelectEntity(engine::entity_handle h, bool replace, bool toggle) {
    const bool found = IsSelected(h);
    if (!replace && found && toggle) {
        DeselectEntity(h);
        return;
    }
    events::Call("EditorSelectedEntity", h);
    selected_ = h;
    selectionEpoch_ = editor::LevelEpoch();
    if (replace && !found) selection_.clear();
    if (h.generation != 0 && !found) selection_.push_back(h);
}

void Editor::DeselectEntity(engine::entity_handle h) {
    std::erase(selection_, h);
    if (selected_ == h) selected_ = engine::entity_handle();
}

void Editor::DropDeadSelection() {
    const bool levelGone = selectionEpoch_ != editor::LevelEpoch();
    if (levelGone) selection_.clear();
    if (selected_.generation != 0 && (levelGone || !selected_.IsValid())) SelectEntity(engine::entity_handle(), true, true);
    std::erase_if(selection_, [](const engine::entity_handle& h) { return !h.IsValid(); });
    selectionEpoch_ = editor::LevelEpoch();
}

void Editor::Pick(bool additive) {
    const glm::vec3 p = editor::CursorWorldPosition();
    const engine::entity_handle hit = editor::PickTopmost(p, editor::MarkerSize() * 0.5f);
    if (hit.generation != 0) {
        SelectEntity(hit, !additive, true);
        PushAction(std::make_unique<moveEntityAction>(selection_, p));
    } else if (!additive) {
        SelectEntity(engine::entity_handle(), true, true);
    }
}

void Editor::OnMouseButtonPressed(int button) {
    if (editor::GuiWantsMouse()) return;
    DropDeadSelection();
    if (button == kMouseLeft) {
        if (editor::GetShownPanel() == editor::kPanelTiles) {
            editor::MarkLevelChanged();
            editor::StartTilePainting();
            return;
        }
        const bool ctrl = editor::CtrlHeld();
        if (editor::ShiftHeld()) {
            editor::StartRectSelection(false, !ctrl);
            return;
        }
        if (ctrl) editor::StartRectSelection(true, false);
        Pick(ctrl);
    } else if (button == kMouseRight) {
        PushAction(std::make_unique<panCameraAction>(editor::CursorWorldPosition(), GetCamera().GetPosition()));
    }
}

void Editor::OnMouseButtonReleased(int button) {
    if (editor::GuiWantsMouse()) return;
    DropDeadSelection();
    const editor::RectSelection rect = editor::EndRectSelection();
    for (const engine::entity_handle& h : rect.covered) {
        if (rect.removeMode)
            DeselectEntity(h);
        else
            SelectEntity(h, false, rect.toggle);
    }
    const char* kind = button == kMouseLeft ? "MoveEntity" : button == kMouseRight ? "PanCamera" : nullptr;
    if (!kind) return;
    for (const auto& action : History()) {
        if (!action->active || action->name != kind) continue;
        if (button == kMouseLeft) {
            action->active = false;  // kept for undo
            if (static_cast<const moveEntityAction&>(*action).Moved()) editor::MarkLevelChanged();
        } else {
            RemoveAction(action.get());  // a pan is not undoable
        }
        break;
    }
}

void Editor::OnKeyPressed(int key) {
    if (editor::GuiWantsKeyboard()) return;
    DropDeadSelection();
    Camera& camera = GetCamera();
    const glm::vec3 cam = camera.GetPosition();
    const float step = kCameraStepPixels / camera.ScreenScale();
    switch (key) {
    case kKeyC: {
        const engine::entity_handle created = engine::CreateEntity();
        created.SetPosition(cam.x, cam.y, cam.z);
        editor::RecordLevelEdit({.what = "create " + created.GetName(), .entities = {editor::EntityAsItIs(created, true)}});
        SelectEntity(created, true, true);
        break;
    }
    case kKeyD:
        if (selected_.IsValid()) {
            const engine::entity_handle copy = engine::CreateEntity();
            copy.CopyFrom(selected_);
            editor::RecordLevelEdit(
                {.what = "duplicate " + selected_.GetName(), .entities = {editor::EntityAsItIs(copy, true)}});
        }
        break;
    case kKeyE:
        camera.SetScale(camera.GetScale() * kZoomFactor);
        break;
    case kKeyQ:
        camera.SetScale(camera.GetScale() / kZoomFactor);
        break;
    case kKeyF:
        if (selected_.IsValid()) {
            const glm::vec3 p = selected_.GetPosition();
            camera.SetPosition(p.x, p.y, cam.z);  // the view's depth stays
        }
        break;
    case kKeyZ:
        if (editor::CtrlHeld() && editor::ShiftHeld())
            RedoLast();
        else
            UndoLast();
        break;
    case kKeyY:
        if (editor::CtrlHeld()) RedoLast();
        break;
    case kKeyDelete:
        if (selected_.IsValid()) {
            DeleteSelection();
            SelectEntity(engine::entity_handle(), true, true);
        }
        break;
    case kKeyRight:
        camera.SetPosition(cam.x + step, cam.y, cam.z);
        break;
    case kKeyLeft:
        camera.SetPosition(cam.x - step, cam.y, cam.z);
        break;
    case kKeyDown:
        camera.SetPosition(cam.x, cam.y - step, cam.z);
        break;
    case kKeyUp:
        camera.SetPosition(cam.x, cam.y + step, cam.z);
        break;
    default:
        break;
    }
}

void Editor::DeleteSelection() {
    editor::LevelEdit edit;
    for (const engine::entity_handle& h : selection_)
        if (h.IsValid()) edit.entities.push_back(editor::EntityAsItIs(h, false));
    // Undo walks the list backwards, so the entities come back front to back,
    // each at the place it had.
    std::sort(edit.entities.begin(), edit.entities.end(),
              [](const editor::EntityChange& a, const editor::EntityChange& b) { return a.place > b.place; });
    edit.what = edit.entities.size() == 1 ? "delete " + edit.entities[0].before["name"].asString()
                                          : "delete " + std::to_string(edit.entities.size()) + " entities";
    for (const engine::entity_handle& h : selection_) engine::DestroyEntity(h);
    editor::RecordLevelEdit(std::move(edit));
}

void Editor::DrawDraggables() const {
    if (!debug_draw::IsDrawing()) return;
    const Camera& camera = GetCamera();
    const glm::vec3 c = camera.GetPosition();
    const glm::vec3 corner = camera.ScreenToWorld(0.0f, 0.0f, 0.0f);
    const float r2 = (corner.x - c.x) * (corner.x - c.x) + (corner.y - c.y) * (corner.y - c.y);
    const float size = editor::MarkerSize();

    // Membership by generation, sorted once: a box selection may hold
    // thousands of entities.
    std::vector<uint32_t> chosen;
    chosen.reserve(selection_.size());
    for (const engine::entity_handle& h : selection_) chosen.push_back(h.generation);
    std::sort(chosen.begin(), chosen.end());

    for (const engine::entity_handle& h : engine::GetLiveEntities()) {
        const glm::vec3& p = engine::RecordAt(h.index).position;
        const float dx = p.x - c.x, dy = p.y - c.y;
        if (dx * dx + dy * dy >= r2) continue;
        if (h == selected_)
            debug_draw::SetColor(1.0f, 0.05f, 0.0f, 1.0f);
        else if (std::binary_search(chosen.begin(), chosen.end(), h.generation))
            debug_draw::SetColor(0.8f, 0.3f, 0.0f, 1.0f);
        else
            debug_draw::SetColor(0.0f, 0.0f, 0.0f, 1.0f);
        debug_draw::Rect(p.x, p.y, size, size);
    }
}

Editor* GetEditor() { return g_editor.get(); }

void OpenEditor() {
    if (g_editor) return;
    g_editor = std::make_unique<Editor>();
    editor::ClearLevelChanged();
    editor::InstallCrashRescue();
}

void CloseEditor() { g_editor.reset(); }

namespace editor {

int GetShownPanel() { return g_panel; }
void SetShownPanel(int panel) {
    if (panel >= kPanelLevel && panel <= kPanelGraphics) g_panel = panel;
}

}  // namespace editor
