#include "editor/graphics_panel.h"

namespace editor {
void DrawGraphicsPanel() {}
}  // namespace editor
