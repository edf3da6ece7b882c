#pragma once
// The tile editor: the "Tiles" panel (tile size, tile textures, the brush) and
// painting the level's tile map (graphics/tile_map.h: GetTileMap) with the left
// mouse button.
//
// Painting connects "TileEditorMouseDraggingUpdate" to "LogicUpdate", which
// paints the cell under the cursor once per logic update, and
// "TileEditorMouseButtonRelease" to "MouseButtonReleased", which ends the
// stroke on a release of the left button (other buttons are ignored).
#include <cstdint>

class TileMap;

namespace editor {

// The panel's widgets, drawn while the "Tiles" panel is shown.
void DrawTilesPanel();
// Called on a left press in the level while the "Tiles" panel is shown: paints
// at the cursor, then once per logic update until the left button is released.
// A press while a stroke is already going on goes on with that stroke.
void StartTilePainting();

// The tile index painted; 0 (the initial brush) erases.
uint32_t GetTileBrush();
void SetTileBrush(uint32_t index);
// Whether a stroke is going on (the two listeners are connected).
bool IsTilePainting();
// Sets the cell under the cursor (window pixels, through the camera) to the
// brush. Does nothing without a tile map or input.
void PaintTileAtCursor();
// What the "add tile" button does: a new last tile with the "debug" texture.
void AddTile(TileMap& map);

}  // namespace editor
