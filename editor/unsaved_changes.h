#pragma once
// Whether the level in memory differs from what was last loaded or saved in
// the editor: shown in the "Editor" window's menu bar, so a designer knows
// whether leaving the editor writes anything new.
//
// The editor marks moves (and their undo and redo), creation, duplication,
// deletion, clearing, renaming the level, and every widget edit in the
// inspector, "Tiles" and "Graphics" panels; painting tiles marks it when it
// starts. Code that changes the level some other way calls
// MarkUnsavedChanges itself.
namespace editor {

void MarkUnsavedChanges();
// After the level was saved to levels/ or loaded afresh.
void ClearUnsavedChanges();
bool HasUnsavedChanges();

}  // namespace editor
