#include "graphics/tile_visible_range.h"

#include <gtest/gtest.h>

#include <glm/vec4.hpp>

TEST(TileVisibleRange, ColumnsAndRowsAroundTheViewWithinTheMap) {
    // f = camera, k = the window's top-left corner; 16 x 16 tiles.
    const struct { const char* what; glm::vec2 f, k; uint32_t tileWidth; int columns, rows; glm::ivec4 r; } cases[] = {
        // x0 = trunc(-249 / 16) - 1 + 50 - 1, x1 = x0 + trunc(498 / 16 + 3); rows likewise
        {"centred on a large map", {0, 0}, {-249, -140}, 16, 100, 100, {33, 67, 40, 60}},
        {"clamped to the map", {0, 0}, {-249, -140}, 16, 4, 2, {0, 4, 0, 2}},
        {"odd sizes show their last column and row", {0, 0}, {-249, -140}, 16, 5, 3, {0, 5, 0, 3}},
        {"far left of the map: no columns", {-5000, 0}, {-5249, -140}, 16, 10, 10, {0, 0, 0, 10}},
        {"view edge at +40 steps once: trunc(2.5) - 1 + 50", {289, 0}, {40, -140}, 16, 100, 100, {51, 85, 40, 60}},
        {"view edge at -40 steps twice: trunc(-2.5) - 2 + 50", {209, 0}, {-40, -140}, 16, 100, 100, {46, 80, 40, 60}},
        {"far right of the map: no columns", {5000, 0}, {4751, -140}, 16, 10, 10, {300, 300, 0, 10}},
        {"tiles of no width: nothing", {0, 0}, {-249, -140}, 0, 10, 10, {0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        const TileRange r = VisibleTileRange(c.f, c.k, c.tileWidth, 16, c.columns, c.rows);
        EXPECT_EQ(glm::ivec4(r.x0, r.x1, r.y0, r.y1), c.r) << c.what;
    }
}
