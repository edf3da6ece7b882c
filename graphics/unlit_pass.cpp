#include "graphics/unlit_pass.h"

#include <epoxy/gl.h>
#include <glm/gtc/type_ptr.hpp>

#include "core/camera.h"
#include "graphics/shader_program.h"

void DrawUnlitRuns(const ShaderProgram& program, const SpriteInstanceBuffer& buffer,
                   const std::vector<SpriteRun>& runs, RenderCounters& counters) {
    program.Use();
    program.SetInt("in_texture", 0);
    const glm::mat4 view = GetCamera().ViewMatrix(true, -1.0f, -1.0f);
    program.SetMat4("view", glm::value_ptr(view));
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glBlendEquation(GL_FUNC_ADD);
    BoundTextures bound;
    for (const SpriteRun& run : runs) DrawSpriteRun(buffer, run, 1, 0, bound, counters);
}
