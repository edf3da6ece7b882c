#pragma once
// The level's tile map: a grid of equal-sized cells centred on the world
// origin, each holding a tile index (0 = empty) into the list of tile textures.
// There is one current map (GetTileMap), which the level loader replaces at
// every load (level/level_file.h); the tile editor edits it through the
// operations below; the renderer draws it (Draw, in tile_map_draw.cpp).
//
// Cell (x, y) is tiles[x][y]; W = tiles.size() columns, H = tiles[0].size()
// rows (0 when there are no columns). Its centre is at world
//   (tileWidth * (x - W/2) + tileWidth/2, tileHeight * (y - H/2) + tileHeight/2)
// with integer halves, so the map grows evenly around the origin.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <json/value.h>

class ShaderProgram;
struct SpriteInstanceBuffer;
struct RenderCounters;

class TileMap {
public:
    // A fresh map: tile size 0 x 0 (drawing and painting are off until set), one
    // column holding one empty cell, and only the empty tile (id 0, "empty tile").
    TileMap();

    // The level file's "tile_map" object. Reading replaces the whole map; a
    // "tiles" string that is malformed or holds fewer than width x height
    // numbers throws debug::exception, so a damaged level never loads half a map.
    void Deserialize(const Json::Value& json);
    Json::Value Serialize() const;

    // Laid down in the lit off-screen scene by the renderer (tile_map_draw.cpp)
    // for its light pass; the cells go out as instances through `instances` at
    // the given rank depth. Returns how many cells it drew.
    size_t Draw(SpriteInstanceBuffer& instances, float rankDepth, RenderCounters& counters);
    // Whether Draw can draw anything at all (a tile size and more than one column).
    bool CanDraw() const { return tileWidth != 0 && tileHeight != 0 && GetColumns() > 1; }

    uint32_t GetTileWidth() const { return tileWidth; }
    uint32_t GetTileHeight() const { return tileHeight; }
    void SetTileWidth(uint32_t width) { tileWidth = width; }    // world units
    void SetTileHeight(uint32_t height) { tileHeight = height; }  // world units
    uint32_t GetColumns() const { return uint32_t(tiles.size()); }
    uint32_t GetRows() const { return tiles.empty() ? 0 : uint32_t(tiles[0].size()); }
    uint32_t GetTile(uint32_t column, uint32_t row) const { return tiles.at(column).at(row); }
    const std::vector<std::string>& GetTileNames() const { return tileNames; }
    const std::vector<uint32_t>& GetTileTextures() const { return tileTextures; }

    // Puts the texture `name` at tile index `index`, padding the lists with
    // "debug" tiles when the index lies past their end.
    void SetTileTexture(uint32_t index, const std::string& name);
    // Drops the last tile texture; the empty tile at index 0 always stays.
    // Cells that still use the dropped index draw nothing.
    void RemoveLastTexture();
    // Paints (index != 0) or erases (index 0) the cell under a world position.
    // Painting grows the map evenly until the cell exists; erasing never grows
    // it. Does nothing while the tile width or height is 0.
    void SetTile(float worldX, float worldY, uint32_t index);
    // Grows to at least columns x rows, keeping every cell at its world place.
    // Never shrinks. Throws debug::exception past kMaxSide on either side.
    void Resize(uint32_t columns, uint32_t rows);

    // Upper bound on either side, so a stray click far away or a corrupt file
    // cannot ask for gigabytes.
    static constexpr uint32_t kMaxSide = 4096;

    // Plain data, shared with tile_map_draw.cpp.
    uint32_t tileWidth = 0;
    uint32_t tileHeight = 0;
    std::vector<uint32_t> tileTextures;  // texture object ids; [0] is the empty tile (0)
    std::vector<std::string> tileNames;  // parallel to tileTextures; [0] is "empty tile"
    std::vector<std::vector<uint32_t>> tiles;  // tiles[x][y]; all columns the same length
    // The tile program, built on the first Draw (null headless).
    std::shared_ptr<ShaderProgram> program;
};

// The current level's tile map; null before the first load (and after a load
// that failed before its tile map was built). Setting it destroys the old one.
TileMap* GetTileMap();
void SetTileMap(std::unique_ptr<TileMap> map);
