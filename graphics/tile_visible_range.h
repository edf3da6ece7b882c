#pragma once
// The block of tile-map cells that can show in the window: columns [x0, x1)
// and rows [y0, y1), with a cell of margin on each side. Pure arithmetic so it
// is tested without a window.
#include <cstdint>

#include <glm/vec2.hpp>

struct TileRange {
    int x0 = 0, x1 = 0;  // columns, x1 excluded
    int y0 = 0, y1 = 0;  // rows, y1 excluded
};

// f = the camera position floored, k = world position of the window's top-left
// corner, tile size in world units, map size in cells (W columns, H rows).
// Odd-sized maps show their last column and row too: the range is clamped to
// the map itself.
TileRange VisibleTileRange(glm::vec2 f, glm::vec2 k, uint32_t tileWidth, uint32_t tileHeight, int columns, int rows);
