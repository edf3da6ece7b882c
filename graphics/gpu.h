#pragma once
// The thin layer between the engine's drawing code and OpenGL. Graphics switches
// it to the real device once its context exists; until then (and in tests) the
// null device hands out ids and keeps nothing, so components that own GPU objects
// (sprites, the texture cache, the tile map) work headless.
#include <cstdint>

namespace gpu {

// True once Graphics has made a GL context current.
bool Active();
void SetActive(bool active);

// 2D RGBA8 texture, first image row at texture row 0, repeat wrap, nearest
// filtering, mipmaps generated. Returns the texture object id (never 0).
uint32_t CreateTexture(const unsigned char* rgba, int width, int height);
// An empty texture object (a real id), as made before decoding an image.
uint32_t CreateEmptyTexture();
void DeleteTexture(uint32_t id);

}  // namespace gpu
