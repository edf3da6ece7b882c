#include "editor/level_changes.h"

#include "editor/unsaved_changes.h"

namespace editor {

void MarkLevelChanged() { MarkUnsavedChanges(); }
bool LevelChanged() { return HasUnsavedChanges(); }
void ClearLevelChanged() { ClearUnsavedChanges(); }

}  // namespace editor
