#include "editor/level_changes.h"

namespace editor {

namespace {
bool g_levelChanged = false;
}

void MarkLevelChanged() { g_levelChanged = true; }
bool LevelChanged() { return g_levelChanged; }
void ClearLevelChanged() { g_levelChanged = false; }

}  // namespace editor
