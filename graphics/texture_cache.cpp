#include "graphics/texture_cache.h"

#include <algorithm>
#include <vector>

#include <lodepng.h>

#include "core/log.h"
#include "graphics/gpu.h"

namespace {

TextureCache* g_active = nullptr;

// Used while no Graphics exists. Made once and never destroyed: it only ever
// holds null-device ids, and leaving it alone at exit keeps it out of the
// static destruction order altogether.
TextureCache& StandBy() {
    static TextureCache* cache = new TextureCache;
    return *cache;
}

int SmallestAlpha(const std::vector<unsigned char>& rgba) {
    int smallest = 255;
    for (size_t i = 3; i < rgba.size(); i += 4) smallest = std::min(smallest, int(rgba[i]));
    return smallest;
}

}  // namespace

TextureCache::~TextureCache() { Clear(); }

uint32_t TextureCache::Load(const std::string& name, int& width, int& height, bool* loaded) {
    auto it = byName_.find(name);
    if (it != byName_.end()) {
        width = it->second.width;
        height = it->second.height;
        if (loaded) *loaded = true;
        return it->second.id;
    }
    std::vector<unsigned char> pixels;
    unsigned w = 0, h = 0;
    // lodepng converts every PNG colour type and bit depth to 8-bit RGBA rows in file order.
    unsigned error = lodepng::decode(pixels, w, h, folder_ + name + ".png");
    if (error) {
        if (loaded) *loaded = false;
        if (name == "debug") {
            // The fallback itself is missing: hand out an empty texture rather
            // than asking for "debug" again without end.
            width = height = 1;
            if (!missingDebug_) {
                missingDebug_ = gpu::CreateEmptyTexture();
                byId_[missingDebug_] = "debug";
            }
            return missingDebug_;
        }
        return Load("debug", width, height);
    }
    TextureInfo info{gpu::CreateTexture(pixels.data(), int(w), int(h)), int(w), int(h)};
    minAlphaById_[info.id] = SmallestAlpha(pixels);
    byName_[name] = info;
    byId_[info.id] = name;
    width = info.width;
    height = info.height;
    if (loaded) *loaded = true;
    return info.id;
}

bool TextureCache::Reload(const std::string& name) {
    auto it = byName_.find(name);
    if (it == byName_.end()) return false;
    std::vector<unsigned char> pixels;
    unsigned w = 0, h = 0;
    if (unsigned error = lodepng::decode(pixels, w, h, folder_ + name + ".png")) {
        Print("Texture \"" + name + "\" not reloaded, keeping the old picture: " + lodepng_error_text(error));
        return false;
    }
    gpu::ReplaceTexture(it->second.id, pixels.data(), int(w), int(h));
    it->second.width = int(w);
    it->second.height = int(h);
    minAlphaById_[it->second.id] = SmallestAlpha(pixels);
    return true;
}

std::string TextureCache::GetName(uint32_t id) const { return byId_.at(id); }

int TextureCache::MinAlpha(uint32_t id) const {
    const auto it = minAlphaById_.find(id);
    return it == minAlphaById_.end() ? 0 : it->second;
}

void TextureCache::Clear() {
    for (auto& [name, info] : byName_) gpu::DeleteTexture(info.id);
    gpu::DeleteTexture(missingDebug_);
    missingDebug_ = 0;
    byName_.clear();
    byId_.clear();
    minAlphaById_.clear();
}

void SetActiveTextureCache(TextureCache* cache) { g_active = cache; }
TextureCache& ActiveTextureCache() { return g_active ? *g_active : StandBy(); }

uint32_t LoadTexture(const std::string& name, int& width, int& height, bool* loaded) {
    return ActiveTextureCache().Load(name, width, height, loaded);
}
std::string GetTextureName(uint32_t id) { return ActiveTextureCache().GetName(id); }
int TextureMinAlpha(uint32_t id) { return ActiveTextureCache().MinAlpha(id); }
bool ReloadTexture(const std::string& name) { return ActiveTextureCache().Reload(name); }
void ClearTextures() { ActiveTextureCache().Clear(); }
void SetTextureFolder(const std::string& folder) { ActiveTextureCache().SetFolder(folder); }
const std::string& GetTextureFolder() { return ActiveTextureCache().GetFolder(); }
