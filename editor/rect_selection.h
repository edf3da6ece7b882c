#pragma once
// Rectangle selection with the mouse. Process-wide: a rectangle started in
// one editor session ends at the next release seen by an editor.
//
// While it lasts the listener "MouseMovementMouseSelection" on "DebugDraw"
// draws the rectangle from the anchor to the cursor in the current debug-draw
// colour.
class Editor;

namespace editor {

// Anchors at the cursor's world position. removeMode: the entities covered
// are deselected; otherwise each is selected with the given toggle flag.
// Starting again while one is active moves the anchor and takes the new mode.
void StartRectSelection(bool removeMode, bool toggle);
bool RectSelectionActive();
// Applies the rectangle from the anchor to the cursor to the editor's
// selection and disconnects the listener. Nothing when none is active.
void EndRectSelection(Editor& editor);
// Drops an active rectangle without applying it (tests).
void CancelRectSelection();

}  // namespace editor
