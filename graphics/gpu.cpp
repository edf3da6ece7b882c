#include "graphics/gpu.h"

#include <epoxy/gl.h>

namespace gpu {
namespace {
bool g_active = false;
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

void DeleteTexture(uint32_t id) {
    if (!g_active || id == 0) return;
    GLuint gl = id;
    glDeleteTextures(1, &gl);
}

}  // namespace gpu
