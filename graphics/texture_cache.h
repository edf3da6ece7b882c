#pragma once
// The texture cache: a texture name ("tree", no path, no extension) becomes a
// texture object by loading textures/<name>.png once. A missing or broken image
// falls back to "debug"; nothing is cached under the failed name, so the next
// request tries the disk again.
//
// Graphics owns the game's cache and makes it the active one for as long as it
// lives; the free functions below work on the active cache. Without a Graphics
// (tests, tools) they use a stand-by cache on the null device. Whoever owns a
// cache releases its textures in its own destructor, so nothing depends on the
// order in which static objects are destroyed at exit.
#include <cstdint>
#include <string>
#include <unordered_map>

struct TextureInfo {
    uint32_t id = 0;
    int width = 0;   // pixels
    int height = 0;
};

class TextureCache {
public:
    TextureCache() = default;
    ~TextureCache();  // deletes every texture it made
    TextureCache(const TextureCache&) = delete;
    TextureCache& operator=(const TextureCache&) = delete;

    uint32_t Load(const std::string& name, int& width, int& height, bool* loaded = nullptr);
    std::string GetName(uint32_t id) const;  // throws std::out_of_range
    void Clear();
    // Reads the image of a cached name again into the texture object it already
    // has: the id stays, width and height follow the file. False when the name
    // is not cached, or when the file cannot be decoded (the old picture stays
    // and the reason is printed).
    bool Reload(const std::string& name);
    bool IsCached(const std::string& name) const { return byName_.count(name) != 0; }
    // The smallest alpha (0..255) of the picture loaded as `id`; 0 for an id
    // this cache did not load from a file.
    int MinAlpha(uint32_t id) const;
    void SetFolder(const std::string& folder) { folder_ = folder; }
    const std::string& GetFolder() const { return folder_; }

private:
    std::unordered_map<std::string, TextureInfo> byName_;
    std::unordered_map<uint32_t, std::string> byId_;
    std::unordered_map<uint32_t, int> minAlphaById_;  // of the pictures loaded from files
    std::string folder_ = "textures/";
    // Stands in for "debug" when its own image is missing, made once so a level
    // full of broken names does not make a texture object per request.
    uint32_t missingDebug_ = 0;
};

// Makes `cache` the one the free functions use (null: back to the stand-by
// cache). Graphics sets its own at start-up and clears it before releasing it.
void SetActiveTextureCache(TextureCache* cache);
TextureCache& ActiveTextureCache();

// Returns the texture object id and writes its size; `loaded` (when given) tells
// whether the named image itself was used.
uint32_t LoadTexture(const std::string& name, int& width, int& height, bool* loaded = nullptr);
// The name an id was loaded under; throws std::out_of_range for an unknown id.
std::string GetTextureName(uint32_t id);
// TextureCache::MinAlpha on the active cache.
int TextureMinAlpha(uint32_t id);
// TextureCache::Reload on the active cache.
bool ReloadTexture(const std::string& name);
// Deletes every cached texture object; afterwards names load from disk again.
void ClearTextures();
// Folder the cache reads from, "textures/" by default (tests point it elsewhere).
void SetTextureFolder(const std::string& folder);
const std::string& GetTextureFolder();
