#pragma once
// The texture cache: a texture name ("tree", no path, no extension) becomes a
// texture object by loading textures/<name>.png once. A missing or broken image
// falls back to "debug"; nothing is cached under the failed name, so the next
// request tries the disk again.
#include <cstdint>
#include <string>

struct TextureInfo {
    uint32_t id = 0;
    int width = 0;   // pixels
    int height = 0;
};

// Returns the texture object id and writes its size; `loaded` (when given) tells
// whether the named image itself was used.
uint32_t LoadTexture(const std::string& name, int& width, int& height, bool* loaded = nullptr);
// The name an id was loaded under; throws std::out_of_range for an unknown id.
std::string GetTextureName(uint32_t id);
// Deletes every cached texture object; afterwards names load from disk again.
void ClearTextures();
// Folder the cache reads from, "textures/" by default (tests point it elsewhere).
void SetTextureFolder(const std::string& folder);
const std::string& GetTextureFolder();
