#pragma once
// Whether the level in memory differs from what was last loaded or saved in
// the editor: shown in the "Editor" window's menu bar, so a designer knows
// whether leaving the editor writes anything new.
//
// The editor marks moves (and their undo and redo), creation, duplication,
// deletion, clearing, renaming the level, and every widget edit in the
// inspector, "Tiles" and "Graphics" panels; painting tiles marks it when it
// starts. Every component's inspector marks it too, including the changes the
// GUI's own edit flag does not see (a texture picked from a popup), which is
// why the flag lives here rather than with the editor that shows it. Code that
// changes the level some other way calls MarkLevelChanged itself.
// Main thread only.
namespace editor {

void MarkLevelChanged();
bool LevelChanged();
// After the level was saved to levels/ or loaded afresh.
void ClearLevelChanged();

}  // namespace editor
