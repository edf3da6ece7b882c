#include "graphics/unlit_pass.h"

#include <algorithm>
#include <cmath>

#include <epoxy/gl.h>
#include <glm/gtc/type_ptr.hpp>

#include "ecs/entity_store.h"
#include "graphics/camera.h"
#include "graphics/shader_program.h"
#include "graphics/sprite.h"

void SortBackToFront(std::vector<engine::entity_handle>& sprites) {
    // Positions are read once up front: a checked handle lookup per comparison
    // costs more than the sort itself.
    struct Keyed {
        float z, y;
        engine::entity_handle handle;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(sprites.size());
    for (engine::entity_handle h : sprites) {
        const glm::vec3 p = h.GetPosition();
        keyed.push_back({p.z, p.y, h});
    }
    std::stable_sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
        if (std::fabs(a.z - b.z) >= 1e-5f) return a.z < b.z;
        return a.y > b.y;
    });
    for (size_t i = 0; i < keyed.size(); ++i) sprites[i] = keyed[i].handle;
}

std::vector<engine::entity_handle> CollectSprites() {
    std::vector<engine::entity_handle> out;
    for (engine::entity_handle h : engine::GetLiveEntities())
        if (h.Has<Sprite>()) out.push_back(h);
    return out;
}

void DrawUnlitSprites(const std::vector<engine::entity_handle>& sprites, const ShaderProgram& forward,
                      uint32_t anchoredQuad, float dt) {
    forward.Use();
    forward.SetInt("in_texture", 0);
    const int32_t modelLocation = forward.GetUniformLocation("model");
    const int32_t tintLocation = forward.GetUniformLocation("tint");
    const glm::mat4 view = GetCamera().ViewMatrix(true, -1.0f, -1.0f);
    forward.SetMat4("view", glm::value_ptr(view));
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glBlendEquation(GL_FUNC_ADD);
    glActiveTexture(GL_TEXTURE0);

    for (engine::entity_handle h : sprites) {
        Sprite* sprite = h.Get<Sprite>();
        glBindTexture(GL_TEXTURE_2D, sprite->GetTexture());
        sprite->Animate(dt);
        glBindVertexArray(sprite->UsesFrameQuad() ? sprite->GetFrameQuadArray() : anchoredQuad);
        const glm::mat4 model = sprite->ModelMatrix(h.GetPosition());
        const glm::vec4 tint = sprite->GetTint();
        forward.SetMat4(modelLocation, glm::value_ptr(model));
        forward.SetVec4(tintLocation, glm::value_ptr(tint));
        glDrawArrays(GL_TRIANGLES, 0, 6);
    }
}
