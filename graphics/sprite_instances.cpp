#include "graphics/sprite_instances.h"

#include <epoxy/gl.h>

namespace {

constexpr GLsizei kStride = sizeof(SpriteInstance);

void PointInstanceAttributes(size_t firstInstance) {
    const size_t base = firstInstance * sizeof(SpriteInstance);
    for (int column = 0; column < 4; ++column)
        glVertexAttribPointer(2 + column, 4, GL_FLOAT, GL_FALSE, kStride,
                              reinterpret_cast<void*>(base + offsetof(SpriteInstance, model) + 16 * column));
    glVertexAttribPointer(6, 4, GL_FLOAT, GL_FALSE, kStride, reinterpret_cast<void*>(base + offsetof(SpriteInstance, tint)));
    glVertexAttribPointer(7, 4, GL_FLOAT, GL_FALSE, kStride,
                          reinterpret_cast<void*>(base + offsetof(SpriteInstance, frame)));
    glVertexAttribPointer(8, 1, GL_FLOAT, GL_FALSE, kStride,
                          reinterpret_cast<void*>(base + offsetof(SpriteInstance, rankDepth)));
}

}  // namespace

void SpriteInstanceBuffer::Create(uint32_t quadBuffer) {
    baseInstance = epoxy_gl_version() >= 42 || epoxy_has_gl_extension("GL_ARB_base_instance");
    glGenVertexArrays(1, &vao);
    glGenBuffers(1, &vbo);
    glBindVertexArray(vao);
    glBindBuffer(GL_ARRAY_BUFFER, quadBuffer);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 5 * sizeof(float), reinterpret_cast<void*>(0));
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, 5 * sizeof(float), reinterpret_cast<void*>(3 * sizeof(float)));
    glEnableVertexAttribArray(1);
    glBindBuffer(GL_ARRAY_BUFFER, vbo);
    PointInstanceAttributes(0);
    for (int a = 2; a <= 8; ++a) {
        glEnableVertexAttribArray(a);
        glVertexAttribDivisor(a, 1);
    }
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void SpriteInstanceBuffer::Destroy() {
    glDeleteVertexArrays(1, &vao);
    glDeleteBuffers(1, &vbo);
    *this = SpriteInstanceBuffer();
}

void SpriteInstanceBuffer::Upload(const std::vector<SpriteInstance>& instances) {
    glBindVertexArray(vao);
    glBindBuffer(GL_ARRAY_BUFFER, vbo);
    const size_t bytes = instances.size() * sizeof(SpriteInstance);
    if (bytes > capacityBytes) {
        // Grows in steps, then is refilled in place frame after frame.
        capacityBytes = std::max(bytes, capacityBytes * 2);
        glBufferData(GL_ARRAY_BUFFER, capacityBytes, nullptr, GL_STREAM_DRAW);
    }
    if (bytes) glBufferSubData(GL_ARRAY_BUFFER, 0, bytes, instances.data());
}

void DrawSpriteRun(const SpriteInstanceBuffer& buffer, const SpriteRun& run, int textureCount, int firstUnit,
                   BoundTextures& bound, RenderCounters& counters) {
    for (int i = 0; i < textureCount; ++i) {
        if (bound.ids[i] == run.textures[i]) continue;
        glActiveTexture(GL_TEXTURE0 + firstUnit + i);
        glBindTexture(GL_TEXTURE_2D, run.textures[i]);
        bound.ids[i] = run.textures[i];
        ++counters.textureBinds;
    }
    if (buffer.baseInstance) {
        glDrawArraysInstancedBaseInstance(GL_TRIANGLES, 0, 6, GLsizei(run.count), run.first);
    } else {
        glBindBuffer(GL_ARRAY_BUFFER, buffer.vbo);
        PointInstanceAttributes(run.first);
        glDrawArraysInstanced(GL_TRIANGLES, 0, 6, GLsizei(run.count));
    }
    ++counters.drawCalls;
    counters.instances += int(run.count);
}
