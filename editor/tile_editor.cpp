#include "editor/tile_editor.h"

namespace editor {
void DrawTilesPanel() {}
void StartTilePainting() {}
}  // namespace editor
