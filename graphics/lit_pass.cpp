#include "graphics/lit_pass.h"

#include <epoxy/gl.h>

#include "graphics/light_upload.h"
#include "graphics/lighting_settings.h"
#include "graphics/program_uniforms.h"
#include "graphics/shader_program.h"

void BeginSceneSprites(const ShaderProgram& program) {
    program.Use();
    ProgramUniforms uniforms(program);
    SetSceneUniforms(uniforms, GetLightingSettings());
    program.SetInt("in_texture", 1);
    program.SetInt("light_texture", 2);
    program.SetInt("sampler_texture", 3);
}

void BeginLitSprites(const ShaderProgram& program, uint32_t shadowMask, const RenderLists& lists,
                     RenderCounters& counters) {
    BeginSceneSprites(program);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, shadowMask);
    program.SetInt("shadow_texture", 0);
    ProgramUniforms uniforms(program);
    UploadLights(uniforms, lists.pointLights, lists.moonLights, GetLightingSettings(), counters);
}

void DrawLitRuns(const SpriteInstanceBuffer& buffer, const std::vector<SpriteRun>& runs, bool solid,
                 BoundTextures& bound, RenderCounters& counters) {
    for (const SpriteRun& run : runs)
        if (run.solid == solid) DrawSpriteRun(buffer, run, 3, 1, bound, counters);
    glActiveTexture(GL_TEXTURE0);
}
