#include "editor/editor_actions.h"

#include <algorithm>

#include "core/camera.h"
#include "core/level_changes.h"
#include "core/log.h"
#include "editor/cursor.h"

namespace {

std::vector<std::unique_ptr<Editor::action_>>& HistoryList() {
    static std::vector<std::unique_ptr<Editor::action_>> history;
    return history;
}

std::vector<std::unique_ptr<Editor::action_>>& RedoList() {
    static std::vector<std::unique_ptr<Editor::action_>> redo;
    return redo;
}

uint32_t g_levelEpoch = 0;

// Whether undoing or redoing the action changes the level (a click that did
// not drag leaves it as it was).
bool ChangesLevel(const Editor::action_& action) {
    if (dynamic_cast<const Editor::levelEditAction*>(&action)) return true;
    auto* move = dynamic_cast<const Editor::moveEntityAction*>(&action);
    return move && move->Moved();
}

bool MovedSomethingNow(const Editor::action_& action) {
    return static_cast<const Editor::moveEntityAction&>(action).Moved();
}

void Append(std::unique_ptr<Editor::action_> action) {
    auto& history = HistoryList();
    if (history.size() >= Editor::kHistoryLimit)
        history.erase(history.begin(), history.begin() + Editor::kHistoryDrop);
    history.push_back(std::move(action));
}

}  // namespace

namespace editor {
uint32_t LevelEpoch() { return g_levelEpoch; }
void ForgetLevelEntities() { ++g_levelEpoch; }
void ReturnToLevelEpoch(uint32_t epoch) { g_levelEpoch = epoch; }
}  // namespace editor

// ---- moveEntityAction ---------------------------------------------------------

Editor::moveEntityAction::moveEntityAction(const std::vector<engine::entity_handle>& selection, glm::vec3 grab)
    : action_("MoveEntity"), levelEpoch(editor::LevelEpoch()) {
    for (const engine::entity_handle& h : selection) {
        if (!h.IsValid()) continue;
        entities.push_back(h);
        offsets.push_back(grab - h.GetPosition());
        startPositions.push_back(h.GetPosition());
    }
    what = entities.size() == 1 ? "move " + entities[0].GetName()
                                : "move " + std::to_string(entities.size()) + " entities";
}

void Editor::moveEntityAction::Update() {
    if (levelEpoch != editor::LevelEpoch()) return;
    const glm::vec3 cursor = editor::CursorWorldPosition();
    for (size_t i = 0; i < entities.size(); ++i) {
        if (!entities[i].IsValid()) continue;
        const glm::vec3 p = cursor - offsets[i];
        entities[i].SetPosition(p.x, p.y, p.z);
    }
}

void Editor::moveEntityAction::Undo() {
    if (levelEpoch != editor::LevelEpoch()) return;
    undonePositions.assign(entities.size(), glm::vec3(0.0f));
    for (size_t i = 0; i < entities.size(); ++i) {
        if (!entities[i].IsValid()) continue;
        undonePositions[i] = entities[i].GetPosition();
        const glm::vec3& p = startPositions[i];
        entities[i].SetPosition(p.x, p.y, p.z);
    }
}

void Editor::moveEntityAction::Redo() {
    if (levelEpoch != editor::LevelEpoch() || undonePositions.size() != entities.size()) return;
    for (size_t i = 0; i < entities.size(); ++i) {
        if (!entities[i].IsValid()) continue;
        const glm::vec3& p = undonePositions[i];
        entities[i].SetPosition(p.x, p.y, p.z);
    }
}

bool Editor::moveEntityAction::Moved() const {
    if (levelEpoch != editor::LevelEpoch()) return false;
    for (size_t i = 0; i < entities.size(); ++i)
        if (entities[i].IsValid() && entities[i].GetPosition() != startPositions[i]) return true;
    return false;
}

// ---- levelEditAction ----------------------------------------------------------

Editor::levelEditAction::levelEditAction(editor::LevelEdit made)
    : action_("LevelEdit"), edit(std::move(made)), levelEpoch(editor::LevelEpoch()) {
    active = false;  // made already: nothing follows the cursor
}

void Editor::levelEditAction::Undo() {
    if (levelEpoch == editor::LevelEpoch()) editor::ApplyLevelEdit(edit, false);
}

void Editor::levelEditAction::Redo() {
    if (levelEpoch == editor::LevelEpoch()) editor::ApplyLevelEdit(edit, true);
}

// ---- panCameraAction ----------------------------------------------------------

Editor::panCameraAction::panCameraAction(glm::vec3 grab, glm::vec3 cameraPosition)
    : action_("PanCamera"), grabPoint(grab), startCamera(cameraPosition), currentCamera(cameraPosition) {}

void Editor::panCameraAction::Update() {
    // Moving the camera moves the cursor's world position with it, so this
    // keeps the grabbed point under the cursor.
    currentCamera -= editor::CursorWorldPosition() - grabPoint;
    GetCamera().SetPosition(currentCamera.x, currentCamera.y, currentCamera.z);
}

// ---- history ------------------------------------------------------------------

void Editor::PushAction(std::unique_ptr<action_> action) {
    // A pan is no edit: it leaves what can be redone alone.
    if (action->Undoable()) RedoList().clear();
    Append(std::move(action));
}

void Editor::UndoLast() {
    auto& history = HistoryList();
    // A finished click that moved nothing is no edit: undo goes past it.
    while (!history.empty() && !history.back()->active && history.back()->name == "MoveEntity" &&
           !MovedSomethingNow(*history.back()))
        history.pop_back();
    if (history.empty()) return;
    std::unique_ptr<action_> last = std::move(history.back());
    history.pop_back();
    const bool changes = ChangesLevel(*last);
    last->Undo();
    if (changes) editor::MarkLevelChanged();
    if (!last->Undoable()) return;
    Print("Undo: " + last->What());
    RedoList().push_back(std::move(last));
}

void Editor::RedoLast() {
    auto& redo = RedoList();
    if (redo.empty()) return;
    std::unique_ptr<action_> last = std::move(redo.back());
    redo.pop_back();
    last->active = false;  // a redone move is finished: it does not follow the cursor
    last->Redo();
    if (ChangesLevel(*last)) editor::MarkLevelChanged();
    Print("Redo: " + last->What());
    Append(std::move(last));
}

void Editor::UpdateActions() {
    // By index, so an Update that pushes an action cannot break the walk.
    auto& history = HistoryList();
    for (size_t i = 0; i < history.size(); ++i)
        if (history[i]->active) history[i]->Update();
}

const std::vector<std::unique_ptr<Editor::action_>>& Editor::History() { return HistoryList(); }
size_t Editor::RedoCount() { return RedoList().size(); }

void Editor::ClearHistory() {
    HistoryList().clear();
    RedoList().clear();
}

void Editor::RemoveAction(const action_* action) {
    std::erase_if(HistoryList(), [action](const std::unique_ptr<action_>& a) { return a.get() == action; });
}
