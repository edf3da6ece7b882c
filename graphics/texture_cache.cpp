#include "graphics/texture_cache.h"

#include <unordered_map>
#include <vector>

#include <lodepng.h>

#include "graphics/gpu.h"

namespace {

struct Cache {
    std::unordered_map<std::string, TextureInfo> byName;
    std::unordered_map<uint32_t, std::string> byId;
    std::string folder = "textures/";
    // Stands in for "debug" when its own image is missing, made once so a level
    // full of broken names does not make a texture object per request.
    uint32_t missingDebug = 0;
};

Cache& C() {
    static Cache cache;
    return cache;
}

}  // namespace

void SetTextureFolder(const std::string& folder) { C().folder = folder; }
const std::string& GetTextureFolder() { return C().folder; }

uint32_t LoadTexture(const std::string& name, int& width, int& height, bool* loaded) {
    Cache& c = C();
    auto it = c.byName.find(name);
    if (it != c.byName.end()) {
        width = it->second.width;
        height = it->second.height;
        if (loaded) *loaded = true;
        return it->second.id;
    }
    std::vector<unsigned char> pixels;
    unsigned w = 0, h = 0;
    // lodepng converts every PNG colour type and bit depth to 8-bit RGBA rows in file order.
    unsigned error = lodepng::decode(pixels, w, h, c.folder + name + ".png");
    if (error) {
        if (loaded) *loaded = false;
        if (name == "debug") {
            // The fallback itself is missing: hand out an empty texture rather
            // than asking for "debug" again without end.
            width = height = 1;
            if (!c.missingDebug) {
                c.missingDebug = gpu::CreateEmptyTexture();
                c.byId[c.missingDebug] = "debug";
            }
            return c.missingDebug;
        }
        return LoadTexture("debug", width, height);
    }
    TextureInfo info{gpu::CreateTexture(pixels.data(), int(w), int(h)), int(w), int(h)};
    c.byName[name] = info;
    c.byId[info.id] = name;
    width = info.width;
    height = info.height;
    if (loaded) *loaded = true;
    return info.id;
}

std::string GetTextureName(uint32_t id) { return C().byId.at(id); }

void ClearTextures() {
    Cache& c = C();
    for (auto& [name, info] : c.byName) gpu::DeleteTexture(info.id);
    gpu::DeleteTexture(c.missingDebug);
    c.missingDebug = 0;
    c.byName.clear();
    c.byId.clear();
}
