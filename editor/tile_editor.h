#pragma once
// The tile editor: the "Tiles" panel (tile size, tile textures, the brush) and
// painting the level's tile map with the left mouse button.
namespace editor {
// The panel's widgets, drawn while the "Tiles" panel is shown.
void DrawTilesPanel();
// Called on a left press in the level while the "Tiles" panel is shown: paints
// at the cursor, then once per logic update until the left button is released.
void StartTilePainting();
}  // namespace editor
