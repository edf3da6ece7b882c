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
// New pixels (and size) for an existing texture object, mipmaps remade; its id
// and sampling settings stay. Nothing on the null device.
void ReplaceTexture(uint32_t id, const unsigned char* rgba, int width, int height);
void DeleteTexture(uint32_t id);

// Number of floats in one quad: six vertices of (x, y, z, u, v).
constexpr int kQuadFloats = 30;

// A vertex array with its own buffer in the quad vertex format: attribute 0 =
// position (3 floats at byte 0), attribute 1 = texture coordinate (2 floats at
// byte 12), 20-byte stride. Both ids are 0 before creation.
struct QuadArray {
    uint32_t vao = 0;
    uint32_t vbo = 0;
};

// Creates the array and fills it once with static-draw usage; leaves no vertex
// array bound.
QuadArray CreateQuadArray(const float* vertices);
// An array with an empty buffer of its own, refilled by its user, for vertices
// of a position and two texture coordinates: attributes 0 (3 floats), 1 and 2
// (2 floats each), 28-byte stride.
QuadArray CreateTwoCoordinateArray();
// Replaces the six vertices of an existing array.
void UpdateQuadArray(const QuadArray& quad, const float* vertices);
void DeleteQuadArray(QuadArray& quad);  // resets both ids to 0

}  // namespace gpu
