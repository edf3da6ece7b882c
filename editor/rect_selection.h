#pragma once
// Rectangle selection with the mouse. Process-wide: a rectangle started in
// one editor session ends at the next release seen by an editor.
//
// While it lasts the listener "MouseMovementMouseSelection" on "DebugDraw"
// draws the rectangle from the anchor to the cursor in the current debug-draw
// colour. The editor applies a finished rectangle to its selection.
#include <vector>

#include "ecs/entity_handle.h"

namespace editor {

// What a finished rectangle asks of the selection: deselect the covered
// entities (removeMode), or select each with the given toggle flag.
struct RectSelection {
    std::vector<engine::entity_handle> covered;  // in picking order
    bool removeMode = false;
    bool toggle = false;
};

// Anchors at the cursor's world position. removeMode: the entities covered
// are deselected; otherwise each is selected with the given toggle flag.
// Starting again while one is active moves the anchor and takes the new mode.
void StartRectSelection(bool removeMode, bool toggle);
bool RectSelectionActive();
// Ends the rectangle from the anchor to the cursor and disconnects the
// listener. Covers nothing when none is active.
RectSelection EndRectSelection();
// Drops an active rectangle without applying it (tests).
void CancelRectSelection();

}  // namespace editor
