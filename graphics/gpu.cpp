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

QuadArray CreateQuadArray(const float* vertices) {
    QuadArray quad;
    if (!g_active) {
        quad.vao = g_nextNullId++;
        quad.vbo = g_nextNullId++;
        return quad;
    }
    glGenVertexArrays(1, &quad.vao);
    glGenBuffers(1, &quad.vbo);
    glBindVertexArray(quad.vao);
    glBindBuffer(GL_ARRAY_BUFFER, quad.vbo);
    glBufferData(GL_ARRAY_BUFFER, kQuadFloats * sizeof(float), vertices, GL_STATIC_DRAW);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 5 * sizeof(float), reinterpret_cast<void*>(0));
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, 5 * sizeof(float), reinterpret_cast<void*>(3 * sizeof(float)));
    glEnableVertexAttribArray(1);
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    return quad;
}

QuadArray CreateTwoCoordinateArray() {
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
    const GLsizei stride = 7 * sizeof(float);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(0));
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(3 * sizeof(float)));
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(5 * sizeof(float)));
    glEnableVertexAttribArray(2);
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    return array;
}

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
