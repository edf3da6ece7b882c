#pragma once
// Whether the level was edited since the flag was last cleared. Every editor
// widget that changes the level (the inspector, the component editors, the
// tile editor, the lighting settings) marks it; whoever writes the level
// clears it. Process-wide, main thread only.
namespace editor {
void MarkLevelChanged();
bool LevelChanged();
void ClearLevelChanged();
}  // namespace editor
