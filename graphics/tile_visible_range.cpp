#include "graphics/tile_visible_range.h"

#include <algorithm>
#include <cmath>

namespace {

// One axis: `lo` = the view's near edge in world units, `extent` = the view's
// half size, `tile` = cell size, `count` = cells on this axis.
void AxisRange(float lo, float extent, float tile, int count, int& first, int& last) {
    first = int(lo / tile) - 1 + count / 2;  // int() truncates toward zero
    if (lo < 0.0f) first -= 1;               // ... so step once more on the negative side
    last = first + int(2.0f * extent / tile + 3.0f);
    last = std::min(last, count);
    first = std::max(first, 0);
    if (last < first) last = first;
}

}  // namespace

TileRange VisibleTileRange(glm::vec2 f, glm::vec2 k, uint32_t tileWidth, uint32_t tileHeight, int columns, int rows) {
    TileRange range;
    if (tileWidth == 0 || tileHeight == 0) return range;
    const float hx = std::fabs(k.x - f.x), hy = std::fabs(k.y - f.y);
    AxisRange(f.x - hx, hx, float(tileWidth), columns, range.x0, range.x1);
    AxisRange(f.y - hy, hy, float(tileHeight), rows, range.y0, range.y1);
    return range;
}
