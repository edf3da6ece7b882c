#pragma once
// Whether the level was edited since the flag was last cleared. Every editor
// widget that changes the level (the inspector, the component editors, the
// tile editor, the lighting settings) marks it, including the changes the
// GUI's own edit flag does not see (a texture picked from a popup, a tile
// stroke). It is the flag the "Editor" window shows as unsaved changes
// (editor/unsaved_changes.h), under the names the component code uses.
// Main thread only.
namespace editor {
void MarkLevelChanged();
bool LevelChanged();
void ClearLevelChanged();
}  // namespace editor
