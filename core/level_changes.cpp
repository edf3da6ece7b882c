#include "core/level_changes.h"

#include "core/level_change_count.h"

namespace editor {
namespace {
bool g_changed = false;
unsigned long long g_marks = 0;
}  // namespace

void MarkLevelChanged() {
    g_changed = true;
    ++g_marks;
}
unsigned long long LevelChangeCount() { return g_marks; }
bool LevelChanged() { return g_changed; }
void ClearLevelChanged() { g_changed = false; }

}  // namespace editor
