#include "core/level_changes.h"

namespace editor {
namespace {
bool g_changed = false;
}

void MarkLevelChanged() { g_changed = true; }
bool LevelChanged() { return g_changed; }
void ClearLevelChanged() { g_changed = false; }

}  // namespace editor
