#include <gtest/gtest.h>

#include <vector>

#include "core/debug_exception.h"
#include "graphics/texture_cache.h"
#include "graphics/tile_map.h"

namespace {

using Grid = std::vector<std::vector<uint32_t>>;

TileMap MapWithTiles(uint32_t size, Grid grid) {
    TileMap map;
    map.SetTileWidth(size);
    map.SetTileHeight(size);
    map.tiles = std::move(grid);
    return map;
}

TEST(TileMapTest, TilesAreWrittenColumnByColumnEachFollowedByASpaceAndReadWithAnyWhiteSpace) {
    TileMap map = MapWithTiles(16, {{1, 2}, {3, 4}});
    map.SetTileTexture(1, "rock");
    map.SetTileTexture(2, "moss");
    Json::Value json = map.Serialize();
    EXPECT_EQ(json["tiles"].asString(), "1 2 3 4 ");
    EXPECT_EQ(json["width"].asInt(), 2);
    EXPECT_EQ(json["height"].asInt(), 2);
    EXPECT_EQ(json["tile_width"].asUInt(), 16u);
    EXPECT_EQ(json["tile_height"].asUInt(), 16u);
    ASSERT_TRUE(json["tile_textures"].isArray());
    ASSERT_EQ(json["tile_textures"].size(), 2u);
    EXPECT_EQ(json["tile_textures"][0].asString(), "rock");
    EXPECT_EQ(json["tile_textures"][1].asString(), "moss");

    TileMap back;
    back.Deserialize(json);
    EXPECT_EQ(back.tiles, (Grid{{1, 2}, {3, 4}}));
    EXPECT_EQ(back.GetTileNames(), (std::vector<std::string>{"empty tile", "rock", "moss"}));
    EXPECT_EQ(back.GetTileTextures().size(), 3u);
    EXPECT_EQ(back.Serialize(), json);

    // Reading accepts any white space and a non-square grid.
    json = Json::Value();
    json["width"] = 3;
    json["height"] = 2;
    json["tile_width"] = 8;
    json["tile_height"] = 4;
    json["tiles"] = " 1\n2\t3 4   5 6";
    TileMap grid;
    grid.Deserialize(json);
    EXPECT_EQ(grid.tiles, (Grid{{1, 2}, {3, 4}, {5, 6}}));
    EXPECT_EQ(grid.GetColumns(), 3u);
    EXPECT_EQ(grid.GetRows(), 2u);
    EXPECT_TRUE(grid.Serialize()["tile_textures"].isArray());
}

TEST(TileMapTest, ReadingRejectsShortOrBadTileStrings) {
    Json::Value json;
    json["width"] = 2;
    json["height"] = 2;
    json["tiles"] = "1 2 3";
    TileMap map;
    try {
        map.Deserialize(json);
        FAIL();
    } catch (const debug::exception& e) {
        EXPECT_STREQ(e.what(), "TileMap: \"tiles\" needs 4 whole numbers of at least 0; entry 4 is missing or bad.");
    }
    json["tiles"] = "1 -2 3 4";
    EXPECT_THROW(map.Deserialize(json), debug::exception);
    json["tiles"] = "1 two 3 4";
    EXPECT_THROW(map.Deserialize(json), debug::exception);
    json["tiles"] = "1 2 3 4";
    json["width"] = -2;
    EXPECT_THROW(map.Deserialize(json), debug::exception);
    json["width"] = 100000;  // would be gigabytes
    EXPECT_THROW(map.Deserialize(json), debug::exception);
}

TEST(TileMapTest, PaintingGrowsAFreshMapEvenlyAroundTheOrigin) {
    TileMap map = MapWithTiles(16, {{0}});
    map.SetTile(-1.0f, -1.0f, 5);
    EXPECT_EQ(map.tiles, (Grid{{5, 0}, {0, 0}}));
    map.SetTile(0.0f, 0.0f, 6);
    EXPECT_EQ(map.tiles, (Grid{{5, 0}, {0, 6}}));
    map.SetTile(15.9f, -16.0f, 7);  // cell (0, -2): the map grows to 2 x 4
    EXPECT_EQ(map.tiles, (Grid{{0, 5, 0, 0}, {7, 0, 6, 0}}));
    map.SetTile(-17.0f, 0.0f, 8);  // cell (-2, 0): 4 x 4, old cells one column right
    EXPECT_EQ(map.tiles, (Grid{{0, 0, 8, 0}, {0, 5, 0, 0}, {7, 0, 6, 0}, {0, 0, 0, 0}}));
}

TEST(TileMapTest, PaintingNeedsATileSizeAndAReasonableDistance) {
    TileMap map;  // fresh: one empty cell, no tile size, only the empty tile
    EXPECT_EQ(map.GetTileNames(), (std::vector<std::string>{"empty tile"}));
    EXPECT_EQ(map.program, nullptr);  // headless: nothing built on the GPU
    map.SetTile(5.0f, 5.0f, 1);
    EXPECT_EQ(map.tiles, (Grid{{0}}));
    map.SetTileWidth(16);
    map.SetTile(5.0f, 5.0f, 1);  // height still 0
    EXPECT_EQ(map.tiles, (Grid{{0}}));
    map.SetTileHeight(16);
    map.SetTile(1.0e9f, 0.0f, 1);  // far away: refused, not gigabytes
    EXPECT_EQ(map.tiles, (Grid{{0}}));
}

TEST(TileMapTest, ErasingNeverGrowsAndSparesColumnZeroAndRowZero) {
    TileMap map = MapWithTiles(16, {{1, 2}, {3, 4}});
    map.SetTile(100.0f, 0.0f, 0);
    map.SetTile(0.0f, -100.0f, 0);
    EXPECT_EQ(map.tiles, (Grid{{1, 2}, {3, 4}}));
    map.SetTile(-1.0f, 0.0f, 0);  // column 0
    map.SetTile(0.0f, -1.0f, 0);  // row 0
    EXPECT_EQ(map.tiles, (Grid{{1, 2}, {3, 4}}));
    map.SetTile(0.0f, 0.0f, 0);
    EXPECT_EQ(map.tiles, (Grid{{1, 2}, {3, 0}}));
}

TEST(TileMapTest, ResizeGrowsEvenlyAndNeverShrinks) {
    TileMap map = MapWithTiles(16, {{1, 2}, {3, 4}});
    map.Resize(1, 1);
    EXPECT_EQ(map.tiles, (Grid{{1, 2}, {3, 4}}));
    map.Resize(5, 3);  // columns shift by 5/2 - 2/2 = 1, rows by 3/2 - 2/2 = 0
    EXPECT_EQ(map.tiles, (Grid{{0, 0, 0}, {1, 2, 0}, {3, 4, 0}, {0, 0, 0}, {0, 0, 0}}));
    map.Resize(4, 6);  // width kept at 5, rows shift by 2
    EXPECT_EQ(map.GetColumns(), 5u);
    EXPECT_EQ(map.GetRows(), 6u);
    EXPECT_EQ(map.GetTile(1, 2), 1u);
    EXPECT_EQ(map.GetTile(2, 3), 4u);
    EXPECT_THROW(map.Resize(TileMap::kMaxSide + 1, 1), debug::exception);

    TileMap empty;
    empty.tiles.clear();  // a map read with width 0
    empty.Resize(2, 2);
    EXPECT_EQ(empty.tiles, (Grid{{0, 0}, {0, 0}}));
}

TEST(TileMapTest, SetTileTexturePadsWithDebugAndRemoveKeepsTheEmptyTile) {
    ClearTextures();
    TileMap map;
    map.SetTileTexture(3, "lava");
    EXPECT_EQ(map.GetTileNames(), (std::vector<std::string>{"empty tile", "debug", "debug", "lava"}));
    EXPECT_EQ(map.GetTileTextures().size(), 4u);
    EXPECT_NE(map.GetTileTextures()[3], 0u);
    map.SetTileTexture(1, "sand");
    EXPECT_EQ(map.GetTileNames()[1], "sand");

    for (int i = 0; i < 6; ++i) map.RemoveLastTexture();
    EXPECT_EQ(map.GetTileNames(), (std::vector<std::string>{"empty tile"}));
    EXPECT_EQ(map.GetTileTextures(), (std::vector<uint32_t>{0}));
    ClearTextures();
}

}  // namespace
