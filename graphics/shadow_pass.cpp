#include "graphics/shadow_pass.h"

#include <algorithm>
#include <cmath>

#include <epoxy/gl.h>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>

#include "graphics/camera.h"
#include "graphics/point_light.h"
#include "graphics/render_limits.h"
#include "graphics/shader_program.h"
#include "graphics/shadow_caster.h"
#include "graphics/shadow_geometry.h"

void ShadowGeometry::Create() {
    glGenVertexArrays(1, &vao);
    glGenBuffers(1, &vbo);
    glBindVertexArray(vao);
    glBindBuffer(GL_ARRAY_BUFFER, vbo);
    capacityBytes = size_t(kReferenceShadowBatch) * kShadowFloatsPerCaster * sizeof(float);
    glBufferData(GL_ARRAY_BUFFER, capacityBytes, nullptr, GL_STATIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, 2 * sizeof(float), nullptr);
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void ShadowGeometry::Destroy() {
    glDeleteVertexArrays(1, &vao);
    glDeleteBuffers(1, &vbo);
    vao = vbo = 0;
    capacityBytes = 0;
}

void DrawShadowMasks(const RenderLists& lists, const RenderTargets& targets, const ShaderProgram& shadowProgram,
                     ShadowGeometry& geometry, const TrigTables& tables, int batchCasters, RenderCounters& counters) {
    glViewport(0, 0, kShadowMaskWidth, kShadowMaskHeight);
    const GLuint zero[4] = {0, 0, 0, 0};
    for (int i = 0; i < 2; ++i) {
        glBindFramebuffer(GL_FRAMEBUFFER, targets.sFramebuffer[i]);
        glClearBufferuiv(GL_COLOR, 0, zero);
        glClearStencil(0);
        glClear(GL_STENCIL_BUFFER_BIT);
    }

    shadowProgram.Use();
    glBindVertexArray(geometry.vao);
    glBindBuffer(GL_ARRAY_BUFFER, geometry.vbo);
    glEnable(GL_STENCIL_TEST);
    glStencilMask(0xFF);
    glStencilOp(GL_KEEP, GL_KEEP, GL_REPLACE);

    const glm::vec3 c = GetCamera().GetPosition();
    // The mask spans 980 rows: 700 above the view's 280. Centre row offset 350.
    const glm::mat4 view =
        glm::scale(glm::mat4(1.0f), glm::vec3(2.0f / kShadowMaskWidth, 2.0f / kShadowMaskHeight, 1.0f)) *
        glm::translate(glm::mat4(1.0f), glm::vec3(-std::floor(c.x), 350.0f - std::floor(c.y), 0.0f));
    shadowProgram.SetMat4("view", glm::value_ptr(view));
    shadowProgram.SetInt("shadow_texture", 0);
    glActiveTexture(GL_TEXTURE0);

    // Caster shapes once per frame, not once per light.
    std::vector<CasterShape> shapes;
    shapes.reserve(lists.shadowCasters.size());
    for (const ShadowCaster* caster : lists.shadowCasters)
        shapes.push_back({caster->GetWorldPosition(), caster->width, caster->height});
    const std::vector<int> batches = ShadowBatchSizes(int(shapes.size()), batchCasters);
    const int largestBatch = batches.empty() ? 0 : *std::max_element(batches.begin(), batches.end());
    geometry.scratch.resize(size_t(largestBatch) * kShadowFloatsPerCaster);

    const int n = std::min(int(lists.pointLights.size()), kMaxShadowedLights);
    for (int i = 0; i < n; ++i) {
        const PointLight* light = lists.pointLights[i];
        const glm::vec2 L = light->GetWorldPosition();
        const float reach = light->radius;
        shadowProgram.SetUInt("shadow_num", unsigned(i));

        const int sel = ShadowTargetFor(i, n);
        const int other = 1 - sel;
        glBindFramebuffer(GL_FRAMEBUFFER, targets.sFramebuffer[sel]);
        glBindTexture(GL_TEXTURE_2D, targets.sMask[other]);
        if (i > 0) {
            glBindFramebuffer(GL_READ_FRAMEBUFFER, targets.sFramebuffer[other]);
            glBlitFramebuffer(0, 0, kShadowMaskWidth, kShadowMaskHeight, 0, 0, kShadowMaskWidth, kShadowMaskHeight,
                              GL_COLOR_BUFFER_BIT | GL_STENCIL_BUFFER_BIT, GL_NEAREST);
            glBindFramebuffer(GL_FRAMEBUFFER, targets.sFramebuffer[sel]);
        }
        glStencilFunc(GL_NOTEQUAL, i + 1, 0xFF);

        size_t first = 0;
        for (int count : batches) {
            float* out = geometry.scratch.data();
            for (int k = 0; k < count; ++k)
                WriteCasterShadow(tables, shapes[first + k], L, reach, out + k * kShadowFloatsPerCaster);
            const size_t bytes = size_t(count) * kShadowFloatsPerCaster * sizeof(float);
            if (bytes > geometry.capacityBytes) {
                glBufferData(GL_ARRAY_BUFFER, bytes, geometry.scratch.data(), GL_STATIC_DRAW);
                geometry.capacityBytes = bytes;
            } else {
                glBufferSubData(GL_ARRAY_BUFFER, 0, bytes, geometry.scratch.data());
            }
            glDrawArrays(GL_TRIANGLES, 0, count * kShadowVerticesPerCaster);
            ++counters.drawCalls;
            first += size_t(count);
        }
    }
    glDisable(GL_STENCIL_TEST);
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindTexture(GL_TEXTURE_2D, 0);
}
