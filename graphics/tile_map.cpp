#include "graphics/tile_map.h"

#include <cmath>
#include <cstdlib>
#include <sstream>

#include "core/debug_exception.h"
#include "core/log.h"
#include "graphics/texture_cache.h"

namespace {

// Function-local: made at the first level load, after the first shader
// program, so at exit the map (and its tile program) goes before the list of
// live programs that the program's destructor updates.
std::unique_ptr<TileMap>& Current() {
    static std::unique_ptr<TileMap> map;
    return map;
}

uint32_t LoadTileTexture(const std::string& name) {
    int width = 0, height = 0;
    return LoadTexture(name, width, height);
}

// Cell coordinate of a world coordinate: truncated toward zero, then one less
// on the negative side, so world -1 lies in cell -1 and world 0 in cell 0.
int64_t CellOf(float world, uint32_t size) {
    int64_t c = int64_t(world / float(size));
    if (world < 0.0f) c -= 1;
    return c;
}

}  // namespace

TileMap* GetTileMap() { return Current().get(); }
void SetTileMap(std::unique_ptr<TileMap> map) { Current() = std::move(map); }

TileMap::TileMap() : tileTextures{0}, tileNames{"empty tile"}, tiles{{0}} {}

void TileMap::Deserialize(const Json::Value& json) {
    const int width = json["width"].asInt();
    const int height = json["height"].asInt();
    if (width < 0 || height < 0 || uint32_t(width) > kMaxSide || uint32_t(height) > kMaxSide)
        throw debug::exception("TileMap: \"width\" and \"height\" must lie between 0 and " +
                               std::to_string(kMaxSide) + ", got " + std::to_string(width) + " x " +
                               std::to_string(height) + ".");
    tileWidth = json["tile_width"].asUInt();
    tileHeight = json["tile_height"].asUInt();

    const Json::Value& names = json["tile_textures"];
    if (!names.isNull() && !names.isArray()) throw debug::exception("TileMap: \"tile_textures\" is not an array.");
    tileTextures.assign(1, 0);
    tileNames.assign(1, "empty tile");
    for (const Json::Value& name : names) {
        tileTextures.push_back(LoadTileTexture(name.asString()));
        tileNames.push_back(name.asString());
    }

    std::istringstream in(json["tiles"].asString());
    std::vector<std::vector<uint32_t>> grid(width, std::vector<uint32_t>(height, 0));
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y) {
            int64_t value = -1;
            if (!(in >> value) || value < 0 || value > int64_t(UINT32_MAX))
                throw debug::exception("TileMap: \"tiles\" needs " + std::to_string(int64_t(width) * height) +
                                       " whole numbers of at least 0; entry " +
                                       std::to_string(int64_t(x) * height + y + 1) + " is missing or bad.");
            grid[x][y] = uint32_t(value);
        }
    }
    tiles = std::move(grid);
}

Json::Value TileMap::Serialize() const {
    Json::Value json;
    json["tile_width"] = tileWidth;
    json["tile_height"] = tileHeight;
    json["width"] = int(GetColumns());
    json["height"] = int(GetRows());
    Json::Value names(Json::arrayValue);
    for (size_t i = 1; i < tileNames.size(); ++i) names.append(tileNames[i]);
    json["tile_textures"] = names;
    std::string text;
    for (const auto& column : tiles)
        for (uint32_t cell : column) {
            text += std::to_string(cell);
            text += ' ';
        }
    json["tiles"] = text;
    return json;
}

void TileMap::SetTileTexture(uint32_t index, const std::string& name) {
    if (index >= kMaxSide * kMaxSide)
        throw debug::exception("TileMap.SetTileTexture: tile index " + std::to_string(index) + " is too large.");
    while (tileNames.size() < size_t(index) + 1) {
        tileNames.push_back("debug");
        tileTextures.push_back(LoadTileTexture("debug"));
    }
    tileNames[index] = name;
    tileTextures[index] = LoadTileTexture(name);
}

void TileMap::RemoveLastTexture() {
    if (tileNames.size() <= 1) return;
    tileNames.pop_back();
    tileTextures.pop_back();
}

void TileMap::Resize(uint32_t columns, uint32_t rows) {
    const uint32_t oldW = GetColumns(), oldH = GetRows();
    const uint32_t newW = std::max(oldW, columns), newH = std::max(oldH, rows);
    if (newW == oldW && newH == oldH) return;
    if (newW > kMaxSide || newH > kMaxSide)
        throw debug::exception("TileMap.Resize: " + std::to_string(newW) + " x " + std::to_string(newH) +
                               " tiles is more than " + std::to_string(kMaxSide) + " a side.");
    std::vector<std::vector<uint32_t>> grid(newW, std::vector<uint32_t>(newH, 0));
    const uint32_t dx = newW / 2 - oldW / 2, dy = newH / 2 - oldH / 2;
    for (uint32_t x = 0; x < oldW; ++x)
        for (uint32_t y = 0; y < oldH; ++y) grid[x + dx][y + dy] = tiles[x][y];
    tiles = std::move(grid);
}

void TileMap::SetTile(float worldX, float worldY, uint32_t index) {
    if (tileWidth == 0 || tileHeight == 0) return;
    if (!std::isfinite(worldX) || !std::isfinite(worldY)) return;
    const int64_t cx = CellOf(worldX, tileWidth), cy = CellOf(worldY, tileHeight);

    if (index != 0) {
        // The smallest even size that holds the cell: cells -n..n-1 need 2n.
        const int64_t needW = cx < 0 ? -2 * cx : 2 * cx + 2;
        const int64_t needH = cy < 0 ? -2 * cy : 2 * cy + 2;
        if (needW > kMaxSide || needH > kMaxSide) {
            Print("TileMap.SetTile: the cell is too far from the origin; a map holds at most " +
                  std::to_string(kMaxSide) + " tiles a side.");
            return;
        }
        if (GetColumns() < needW || GetRows() < needH) Resize(uint32_t(needW), uint32_t(needH));
        const int64_t c = GetColumns() / 2 + cx, r = GetRows() / 2 + cy;
        tiles[c][r] = index;
        return;
    }

    // Erasing only touches cells strictly inside the map: column 0 and row 0
    // are kept, as the tile editor has always done with the maps made in it.
    const int64_t c = int64_t(GetColumns() / 2) + cx, r = int64_t(GetRows() / 2) + cy;
    if (c > 0 && c < int64_t(GetColumns()) && r > 0 && r < int64_t(GetRows())) tiles[c][r] = 0;
}
