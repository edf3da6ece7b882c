#include "graphics/tile_visible_range.h"

#include <gtest/gtest.h>

// Camera at the origin on a 498 x 280 window: k = (-249, -140), hx = 249, hy = 140.
TEST(TileVisibleRange, CentredCameraOnALargeMap) {
    TileRange r = VisibleTileRange({0, 0}, {-249, -140}, 16, 16, 100, 100);
    // x0 = trunc(-249 / 16) - 1 + 50 - 1 = -15 - 2 + 50 = 33; x1 = 33 + trunc(498/16 + 3) = 33 + 34
    EXPECT_EQ(r.x0, 33);
    EXPECT_EQ(r.x1, 67);
    // y0 = 50 - 1 + trunc(-140 / 16) - 1 = 49 - 8 - 1 = 40; y1 = 40 + trunc(280/16 + 3) = 40 + 20
    EXPECT_EQ(r.y0, 40);
    EXPECT_EQ(r.y1, 60);
}

TEST(TileVisibleRange, ClampedToTheMap) {
    TileRange r = VisibleTileRange({0, 0}, {-249, -140}, 16, 16, 4, 2);
    EXPECT_EQ(r.x0, 0);
    EXPECT_EQ(r.x1, 4);
    EXPECT_EQ(r.y0, 0);
    EXPECT_EQ(r.y1, 2);
}

TEST(TileVisibleRange, OddSizedMapsShowTheirLastColumnAndRow) {
    TileRange r = VisibleTileRange({0, 0}, {-249, -140}, 16, 16, 5, 3);
    EXPECT_EQ(r.x1, 5);
    EXPECT_EQ(r.y1, 3);
}

TEST(TileVisibleRange, CameraFarOffTheMapGivesAnEmptyRange) {
    TileRange r = VisibleTileRange({5000, 0}, {5000 - 249, -140}, 16, 16, 10, 10);
    EXPECT_GE(r.x0, r.x1);
    r = VisibleTileRange({-5000, 0}, {-5000 - 249, -140}, 16, 16, 10, 10);
    EXPECT_EQ(r.x0, 0);
    EXPECT_EQ(r.x1, 0);
}

TEST(TileVisibleRange, PositiveViewEdgeStepsOnlyOnce) {
    // View edge at x = +40: trunc(40 / 16) - 1 + 50 = 51 (no extra step).
    TileRange r = VisibleTileRange({289, 0}, {40, -140}, 16, 16, 100, 100);
    EXPECT_EQ(r.x0, 51);
    // Edge at -40: trunc(-2.5) - 1 + 50 - 1 = 46.
    r = VisibleTileRange({209, 0}, {-40, -140}, 16, 16, 100, 100);
    EXPECT_EQ(r.x0, 46);
}

TEST(TileVisibleRange, ZeroTileSizeDrawsNothing) {
    TileRange r = VisibleTileRange({0, 0}, {-249, -140}, 0, 16, 10, 10);
    EXPECT_EQ(r.x1 - r.x0, 0);
    EXPECT_EQ(r.y1 - r.y0, 0);
}
