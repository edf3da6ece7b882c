#include "editor/unsaved_changes.h"

namespace editor {
namespace {
bool g_unsaved = false;
}

void MarkUnsavedChanges() { g_unsaved = true; }
void ClearUnsavedChanges() { g_unsaved = false; }
bool HasUnsavedChanges() { return g_unsaved; }

}  // namespace editor
