#include "graphics/gpu.h"

#include <epoxy/gl.h>

namespace gpu {
namespace {
bool g_active = false;
// Null ids never repeat, so tests can tell two objects apart.
uint32_t g_nextNullId = 1;
}  // namespace

bool Active() { return g_active; }
void SetActive(bool active) { g_active = active; }

uint32_t CreateEmptyTexture() {
    if (!g_active) return g_nextNullId++;
    GLuint id = 0;
    glGenTextures(1, &id);
    glBindTexture(GL_TEXTURE_2D, id);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glBindTexture(GL_TEXTURE_2D, 0);
    return id;
}

uint32_t CreateTexture(const unsigned char* rgba, int width, int height) {
    uint32_t id = CreateEmptyTexture();
    if (!g_active) return id;
    glBindTexture(GL_TEXTURE_2D, id);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    glGenerateMipmap(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, 0);
    return id;
}

void ReplaceTexture(uint32_t id, const unsigned char* rgba, int width, int height) {
    if (!g_active || id == 0) return;
    glBindTexture(GL_TEXTURE_2D, id);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    glGenerateMipmap(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, 0);
}

void DeleteTexture(uint32_t id) {
    if (!g_active || id == 0) return;
    GLuint gl = id;
    glDeleteTextures(1, &gl);
}

namespace {
// A vertex array over a buffer of its own: a position (3 floats) then
// `coordinates` texture coordinates (2 floats each), filled with `floats`
// floats from `vertices` when there are any.
QuadArray MakeVertexArray(const float* vertices, int floats, int coordinates) {
    QuadArray array;
    if (!g_active) {
        array.vao = g_nextNullId++;
        array.vbo = g_nextNullId++;
        return array;
    }
    glGenVertexArrays(1, &array.vao);
    glGenBuffers(1, &array.vbo);
    glBindVertexArray(array.vao);
    glBindBuffer(GL_ARRAY_BUFFER, array.vbo);
    if (floats > 0) glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(floats * sizeof(float)), vertices, GL_STATIC_DRAW);
    const GLsizei stride = GLsizei((3 + 2 * coordinates) * sizeof(float));
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(0));
    glEnableVertexAttribArray(0);
    for (int c = 0; c < coordinates; ++c) {
        const size_t offset = (3 + 2 * size_t(c)) * sizeof(float);
        glVertexAttribPointer(GLuint(1 + c), 2, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(offset));
        glEnableVertexAttribArray(GLuint(1 + c));
    }
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    return array;
}
}  // namespace

QuadArray CreateQuadArray(const float* vertices) { return MakeVertexArray(vertices, kQuadFloats, 1); }

QuadArray CreateTwoCoordinateArray() { return MakeVertexArray(nullptr, 0, 2); }

void UpdateQuadArray(const QuadArray& quad, const float* vertices) {
    if (!g_active || quad.vbo == 0) return;
    glBindBuffer(GL_ARRAY_BUFFER, quad.vbo);
    glBufferData(GL_ARRAY_BUFFER, kQuadFloats * sizeof(float), vertices, GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void DeleteQuadArray(QuadArray& quad) {
    // Arrays made by the null device (or left over after the context is gone)
    // own nothing on the driver side.
    if (g_active) {
        if (quad.vao) glDeleteVertexArrays(1, &quad.vao);
        if (quad.vbo) glDeleteBuffers(1, &quad.vbo);
    }
    quad = QuadArray{};
}

}  // namespace gpu
