#include "graphics/lit_pass.h"

#include <epoxy/gl.h>
#include <glm/gtc/type_ptr.hpp>

#include "graphics/light_upload.h"
#include "graphics/program_uniforms.h"
#include "graphics/shader_program.h"
#include "graphics/sprite.h"
#include "level/lighting_settings.h"

LitPassState BeginLitSprites(const ShaderProgram& program, uint32_t shadowMask, const RenderLists& lists,
                             RenderCounters& counters) {
    program.Use();
    ProgramUniforms uniforms(program);
    SetSceneUniforms(uniforms, GetLightingSettings());
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, shadowMask);
    program.SetInt("shadow_texture", 0);
    program.SetInt("in_texture", 1);
    program.SetInt("light_texture", 2);
    program.SetInt("sampler_texture", 3);
    UploadLights(uniforms, lists.pointLights, lists.moonLights, GetLightingSettings(), counters);
    LitPassState state;
    state.modelLocation = program.GetUniformLocation("model");
    state.tintLocation = program.GetUniformLocation("tint");
    return state;
}

void DrawLitSprite(const ShaderProgram& program, const SpriteDrawItem& item, glm::vec3 position,
                   uint32_t anchoredQuad, float dt, LitPassState& state, RenderCounters& counters) {
    Sprite& sprite = *item.sprite;
    const uint32_t textures[3] = {sprite.GetTexture(), sprite.GetNormalTexture(), sprite.GetSecondTexture()};
    for (int unit = 0; unit < 3; ++unit) {
        if (state.textures[unit] == textures[unit]) continue;
        glActiveTexture(GL_TEXTURE1 + unit);
        glBindTexture(GL_TEXTURE_2D, textures[unit]);
        state.textures[unit] = textures[unit];
        ++counters.textureBinds;
    }
    sprite.Animate(dt);
    const uint32_t vao = sprite.UsesFrameQuad() ? sprite.GetFrameQuadArray() : anchoredQuad;
    if (vao != state.vertexArray) {
        glBindVertexArray(vao);
        state.vertexArray = vao;
    }
    const glm::mat4 model = sprite.ModelMatrix(position);
    const glm::vec4 tint = sprite.GetTint();
    program.SetMat4(state.modelLocation, glm::value_ptr(model));
    program.SetVec4(state.tintLocation, glm::value_ptr(tint));
    glDrawArrays(GL_TRIANGLES, 0, 6);
    ++counters.drawCalls;
}

void DrawLitSprites(const ShaderProgram& program, const std::vector<SpriteDrawItem>& sprites, uint32_t anchoredQuad,
                    float dt, LitPassState& state, RenderCounters& counters) {
    for (const SpriteDrawItem& item : sprites)
        DrawLitSprite(program, item, item.position, anchoredQuad, dt, state, counters);
    glActiveTexture(GL_TEXTURE0);
}
