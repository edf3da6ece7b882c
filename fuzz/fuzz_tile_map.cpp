// The tile map's "tiles" string: the first two bytes give the width and height
// (0 to 63), the rest is the string. It is read in full or rejected with an
// exception; a map that was read writes the same text after a round trip.
#include <json/value.h>

#include "fuzz/fuzz_world.h"
#include "graphics/tile_map.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::SetUpWorld();
    if (size < 2) return 0;
    Json::Value json;
    json["width"] = data[0] % 64;
    json["height"] = data[1] % 64;
    json["tile_width"] = 16;
    json["tile_height"] = 16;
    json["tiles"] = std::string(reinterpret_cast<const char*>(data + 2), size - 2);
    TileMap map;
    try {
        map.Deserialize(json);
    } catch (const std::exception&) {
        return 0;
    }
    const Json::Value written = map.Serialize();
    TileMap again;
    again.Deserialize(written);
    if (again.Serialize() != written) {
        std::fprintf(stderr, "a tile map changes when written, read and written again\n");
        std::abort();
    }
    return 0;
}
