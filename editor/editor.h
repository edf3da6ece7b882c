#pragma once
// The level editor's core: the selection and the mouse and key handling that
// edits the level while the editor is open (Ctrl+Shift+F8).
//
// One Editor exists while the editor is open (OpenEditor / CloseEditor); its
// selection goes with it. The undo history (editor/editor_actions.h) and the
// rectangle selection (editor/rect_selection.h) are process-wide and outlive it.
//
// The Editor holds entity handles only and checks each before use: entities
// die under it (Delete, "clear", scripts, level loads).
//
// Mouse (ignored while the GUI wants the mouse):
//   left            pick the topmost entity under the cursor and drag the
//                   selection; on empty space, clear the selection
//   Ctrl+left       toggle the entity under the cursor; Ctrl+drag deselects a box
//   Shift+drag      box selection toggling what it covers; Shift+Ctrl+drag adds
//   right drag      pan the camera
// Keys (ignored while the GUI wants the keyboard or text):
//   C create, D duplicate, Delete, F focus, E/Q zoom in/out, arrows move the
//   camera, Z undo, Ctrl+Y or Ctrl+Shift+Z redo.
#include <cstdint>
#include <memory>
#include <vector>

#include "ecs/entity_handle.h"

class Editor {
public:
    // Undoable steps of the editor, kept in the process-wide history; defined in
    // editor/editor_actions.h.
    struct action_;
    struct moveEntityAction;
    struct levelEditAction;
    struct panCameraAction;

    // Connects "EditorDrawDraggables" (to "DebugDraw"), "EditorKeyPressed",
    // "EditorMouseButtonPressed" and "EditorMouseButtonReleased", in this order,
    // then "EditorLevelUnload" (to "LevelUnload", when registered), which tells
    // the history and the selection that the level's entities are going.
    Editor();
    // Disconnects them.
    ~Editor();
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    // The selection rule. Without replace, selecting an entity already selected
    // with toggle set removes it, as DeselectEntity does (no event; the primary
    // selection never names an entity outside the selection). Otherwise "EditorSelectedEntity"(h)
    // is raised and h becomes the primary selection; with replace, an h not yet
    // selected replaces the whole selection (an h already selected keeps the
    // others, so clicking one of several selected entities drags them all). The
    // empty handle is never kept in the list.
    void SelectEntity(engine::entity_handle h, bool replace, bool toggle);
    // Removes h; the primary selection becomes empty when it was h. No event.
    void DeselectEntity(engine::entity_handle h);

    engine::entity_handle GetSelected() const { return selected_; }
    const std::vector<engine::entity_handle>& GetSelection() const { return selection_; }
    bool IsSelected(engine::entity_handle h) const;

    // Once per frame and before every mouse or key command: a primary
    // selection that died (or whose level was replaced) is dropped with
    // SelectEntity(empty, true, true); other dead handles leave the list
    // silently.
    void DropDeadSelection();

    // The listeners' bodies.
    void OnMouseButtonPressed(int button);
    void OnMouseButtonReleased(int button);
    void OnKeyPressed(int key);
    // One rectangle, 20 screen pixels wide, on every live entity near the view:
    // red-orange for the primary selection, orange for the rest of the
    // selection, black for the others.
    void DrawDraggables() const;

    // Picks the topmost entity under the cursor. Additive (Ctrl) toggles it in
    // the selection; otherwise it replaces the selection. A hit starts a drag of
    // the whole selection (one undo entry per click); a miss without additive
    // clears the selection.
    void Pick(bool additive);
    // Delete: requests the destruction of every live entity of the selection,
    // as one undoable edit.
    void DeleteSelection();

    // The process-wide history, oldest first, at most kHistoryLimit entries;
    // once full, a new action first drops the kHistoryDrop oldest.
    static constexpr size_t kHistoryLimit = 1000;
    static constexpr size_t kHistoryDrop = 200;
    static void PushAction(std::unique_ptr<action_> action);
    // Undoes the newest action and takes it off the history; an undoable one
    // (a move or an edit) goes to the redo list and is logged as "Undo: <what>",
    // others are destroyed.
    static void UndoLast();
    // Re-applies the most recently undone action, logs "Redo: <what>" and puts
    // it back in the history. Pushing a new undoable action empties the redo
    // list.
    static void RedoLast();
    // Update of every active action, oldest first (each frame in the editor).
    static void UpdateActions();
    // Takes the action off the history and destroys it.
    static void RemoveAction(const action_* action);
    static const std::vector<std::unique_ptr<action_>>& History();
    static size_t RedoCount();
    // Empties history and redo list (tests, benchmarks).
    static void ClearHistory();

private:
    std::shared_ptr<Editor*> self_;  // what the listeners call; null once destroyed
    engine::entity_handle selected_;
    std::vector<engine::entity_handle> selection_;
    uint32_t selectionEpoch_ = 0;  // the level the selection belongs to
};

// The Editor while the editor is open, else null.
Editor* GetEditor();
// Creates the Editor (nothing when one exists). The level is about to be
// reloaded from levels/, so the mark of unsaved changes is cleared.
void OpenEditor();
// Destroys the Editor (nothing when none exists).
void CloseEditor();

namespace editor {

// The panel the "Editor" window shows (editor/editor_window.h). The choice is
// process-wide and survives closing and reopening the editor; while "Tiles"
// is shown, left clicks in the level paint tiles instead of picking.
enum EditorPanel { kPanelLevel = 0, kPanelSound = 1, kPanelTiles = 2, kPanelGraphics = 3 };
int GetShownPanel();
void SetShownPanel(int panel);  // anything but the four panels is ignored

}  // namespace editor
