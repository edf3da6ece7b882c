#pragma once
// Ground materials and the names of their 16 x 16 tiles, shared by the tile
// painter and the level writer.
//
// Tiles are chosen by their four corners ("corner tiles"): each grid vertex of
// the map holds one material, and a cell whose corners differ shows the
// transition tile of grass against that material. The corner mask has bit 1 for
// the top-left corner, 2 top-right, 4 bottom-left, 8 bottom-right set where the
// material (not grass) lies. Mask 15 is the plain material tile, mask 0 plain grass.
#include <string>

enum class Ground { Grass, Path, Stone, Water };

constexpr int kTileSize = 16;

inline const char* GroundName(Ground g) {
    switch (g) {
        case Ground::Grass: return "grass";
        case Ground::Path: return "path";
        case Ground::Stone: return "stone";
        case Ground::Water: return "water";
    }
    return "grass";
}

// Texture name of the tile of material g (not grass) with the given corner mask.
inline std::string GroundTileName(Ground g, int mask) {
    if (g == Ground::Grass || mask == 0) return "grass";
    if (mask == 15) return GroundName(g);
    return std::string(GroundName(g)) + "_" + std::to_string(mask);
}
