#pragma once
// The editor's undoable actions and the process-wide history they live in
// (Editor::PushAction and the rest, editor/editor.h).
//
// An action is active from its creation until its gesture ends (the mouse
// button is released); while active it gets Update once per frame. A move
// stays in the history after that, for undo; a pan is removed at release.
//
// Entity handles in a move are checked at every use: an entity deleted since,
// or gone with a level reload, is skipped. Level reloads restart the store's
// numbering, so a handle from an earlier level could name a new entity; each
// move therefore remembers the level it was made in (LevelEpoch) and does
// nothing once that level is gone.
#include <cstdint>
#include <string>
#include <vector>

#include <glm/vec3.hpp>

#include "editor/editor.h"
#include "editor/level_edit.h"

struct Editor::action_ {
    explicit action_(std::string actionName) : name(std::move(actionName)) {}
    virtual ~action_() = default;
    virtual void Update() {}
    virtual void Undo() {}
    // Puts back what Undo took away; only undoable actions are ever redone.
    virtual void Redo() {}
    virtual bool Undoable() const { return false; }
    // What undo or redo takes back or does again, for the log ("move Campfire").
    virtual std::string What() const { return name; }

    std::string name;
    bool active = true;
};

// "MoveEntity": drags entities with the cursor, keeping each one's offset from
// the grab point.
struct Editor::moveEntityAction : Editor::action_ {
    // grab: the cursor's world position at the click.
    moveEntityAction(const std::vector<engine::entity_handle>& selection, glm::vec3 grab);
    void Update() override;      // position = cursor world position - offset
    void Undo() override;        // back to the start positions
    void Redo() override;        // to the positions the undo left
    bool Undoable() const override { return true; }
    std::string What() const override { return what; }
    // Whether some entity that still exists is away from its start position.
    bool Moved() const;

    std::string what;  // "move Campfire", "move 3 entities"

    std::vector<engine::entity_handle> entities;
    std::vector<glm::vec3> offsets;         // grab point - entity position
    std::vector<glm::vec3> startPositions;  // at creation
    std::vector<glm::vec3> undonePositions; // taken by Undo, used by Redo
    uint32_t levelEpoch = 0;
};

// "LevelEdit": a finished edit of the level (creating, duplicating, deleting,
// an inspector or component field, tiles, lighting), done when recorded.
struct Editor::levelEditAction : Editor::action_ {
    explicit levelEditAction(editor::LevelEdit made);
    void Undo() override;
    void Redo() override;
    bool Undoable() const override { return true; }
    std::string What() const override { return edit.what; }

    editor::LevelEdit edit;
    uint32_t levelEpoch = 0;
};

// "PanCamera": the world point grabbed stays under the cursor. Not undoable.
struct Editor::panCameraAction : Editor::action_ {
    panCameraAction(glm::vec3 grab, glm::vec3 cameraPosition);
    void Update() override;

    glm::vec3 grabPoint;
    glm::vec3 startCamera;
    glm::vec3 currentCamera;
};

namespace editor {

// Counts level instances as the editor sees them: bumped whenever the
// entities of the level in memory are replaced (editor entry, loading,
// reloading, clearing).
uint32_t LevelEpoch();
void ForgetLevelEntities();
// After a failed load put the level back under its old handles: what was
// recorded for it holds again.
void ReturnToLevelEpoch(uint32_t epoch);

}  // namespace editor
