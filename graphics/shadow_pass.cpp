#include "graphics/shadow_pass.h"

#include <algorithm>
#include <cmath>

#include <epoxy/gl.h>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>

#include "core/camera.h"
#include "graphics/point_light.h"
#include "graphics/render_limits.h"
#include "graphics/shader_program.h"
#include "graphics/shadow_caster.h"

void ShadowGeometry::Create() {
    glGenVertexArrays(1, &vao);
    glGenBuffers(1, &vbo);
    glBindVertexArray(vao);
    glBindBuffer(GL_ARRAY_BUFFER, vbo);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, sizeof(ShadowVertex), nullptr);
    glEnableVertexAttribArray(1);
    glVertexAttribIPointer(1, 1, GL_UNSIGNED_INT, sizeof(ShadowVertex),
                           reinterpret_cast<void*>(offsetof(ShadowVertex, light)));
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
                     ShadowGeometry& geometry, const TrigTables& tables, RenderCounters& counters) {
    // Caster shapes once per frame, not once per light.
    geometry.casters.clear();
    for (const ShadowCaster* caster : lists.shadowCasters)
        geometry.casters.push_back({caster->GetWorldPosition(), caster->width, caster->height});
    geometry.lights.clear();
    for (const PointLight* light : lists.pointLights) geometry.lights.push_back({light->GetWorldPosition(), light->radius});
    // Only the part of the mask under the scene is ever looked up: triangles
    // wholly outside it are not sent, and the scissor keeps the rest to it.
    const glm::vec3 c = GetCamera().GetPosition();
    const glm::vec2 maskOrigin = ShadowMaskOrigin(c);
    const MaskRect read =
        ShadowMaskRectRead(GetCamera().ViewMatrix(false, float(kSceneWidth), float(kSceneHeight)), maskOrigin);
    const WorldRect seen{maskOrigin.x + float(read.x) - 1.0f, maskOrigin.y + float(read.y) - 1.0f,
                         maskOrigin.x + float(read.x + read.width) + 1.0f,
                         maskOrigin.y + float(read.y + read.height) + 1.0f};
    BuildShadowGeometry(tables, geometry.casters, geometry.lights, seen, geometry.vertices);

    // A mask left empty by the last frame needs no clearing for another empty one.
    if (geometry.vertices.empty() && geometry.maskClear) return;
    glViewport(0, 0, kShadowMaskWidth, kShadowMaskHeight);
    glBindFramebuffer(GL_FRAMEBUFFER, targets.sFramebuffer);
    const GLuint zero[4] = {0, 0, 0, 0};
    glClearBufferuiv(GL_COLOR, 0, zero);
    geometry.maskClear = geometry.vertices.empty();
    if (geometry.maskClear) return;

    shadowProgram.Use();
    // The mask spans 980 rows: 700 above the view's 280. Centre row offset 350.
    const glm::mat4 view =
        glm::scale(glm::mat4(1.0f), glm::vec3(2.0f / kShadowMaskWidth, 2.0f / kShadowMaskHeight, 1.0f)) *
        glm::translate(glm::mat4(1.0f), glm::vec3(-std::floor(c.x), 350.0f - std::floor(c.y), 0.0f));
    shadowProgram.SetMat4("view", glm::value_ptr(view));

    glBindVertexArray(geometry.vao);
    glBindBuffer(GL_ARRAY_BUFFER, geometry.vbo);
    const size_t bytes = geometry.vertices.size() * sizeof(ShadowVertex);
    if (bytes > geometry.capacityBytes) {
        geometry.capacityBytes = std::max(bytes, geometry.capacityBytes * 2);
        glBufferData(GL_ARRAY_BUFFER, geometry.capacityBytes, nullptr, GL_STREAM_DRAW);
    }
    glBufferSubData(GL_ARRAY_BUFFER, 0, bytes, geometry.vertices.data());

    if (read.width == 0) return;
    glEnable(GL_SCISSOR_TEST);
    glScissor(read.x, read.y, read.width, read.height);

    // Each fragment ORs its light's bit into the mask; overlapping shadows of
    // one light set the same bit again, which changes nothing. (A stencil
    // keeping each light to one write per pixel costs more than it saves here:
    // the shader is one shift.)
    glEnable(GL_COLOR_LOGIC_OP);
    glLogicOp(GL_OR);
    glDrawArrays(GL_TRIANGLES, 0, GLsizei(geometry.vertices.size()));
    ++counters.drawCalls;
    glDisable(GL_COLOR_LOGIC_OP);
    glLogicOp(GL_COPY);
    glDisable(GL_SCISSOR_TEST);
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}
