#pragma once
// The "Editor" window: a menu bar choosing one of four panels and the panel
// chosen (editor/editor.h: GetShownPanel). Drawn every frame the editor is
// open, after the actions' update.
namespace editor {

// Placed at (50, 25), 500 x 680 window pixels, the first time it is shown;
// no title bar. The menu bar holds "Level", "Sound", "Tiles", "Graphics" (the
// shown one disabled) and, while the level has unsaved changes, the text
// kUnsavedChangesText. Drops dead handles from the selection first. Nothing
// while the window is minimised or without a GUI context.
void DrawEditorWindow();

constexpr const char* kUnsavedChangesText = "(unsaved changes)";

}  // namespace editor
