// TileMap::Draw: the level's tiles into the lit scene, after the lit sprites and
// under the same first-fragment stencil, so tiles only fill the pixels no
// sprite covered. Lit and shadowed like the sprites by the tile program.
#include <cmath>

#include <epoxy/gl.h>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>

#include "graphics/camera.h"
#include "graphics/graphics.h"
#include "graphics/light_upload.h"
#include "graphics/program_uniforms.h"
#include "graphics/renderer.h"
#include "graphics/shader_program.h"
#include "graphics/tile_map.h"
#include "graphics/tile_visible_range.h"
#include "level/lighting_settings.h"

void TileMap::Draw() {
    const int columns = int(GetColumns()), rows = int(GetRows());
    if (tileWidth == 0 || tileHeight == 0 || columns <= 1) return;
    Renderer* renderer = GetRenderer();
    Graphics* graphics = GetGraphics();
    if (!renderer || !graphics) return;
    if (!program) program = std::make_shared<ShaderProgram>("shaders/tile_shader.vs", "shaders/tile_shader.frag");

    const Camera& camera = GetCamera();
    const glm::vec3 c = camera.GetPosition();
    const glm::vec2 f(std::floor(c.x), std::floor(c.y));
    const glm::vec3 k = camera.ScreenToWorld(0.0f, 0.0f, 0.0f);
    const TileRange range = VisibleTileRange(f, {k.x, k.y}, tileWidth, tileHeight, columns, rows);

    program->Use();
    ProgramUniforms uniforms(*program);
    SetSceneUniforms(uniforms, GetLightingSettings());
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, renderer->GetShadowMask());
    program->SetInt("shadow_texture", 1);
    glActiveTexture(GL_TEXTURE0);
    program->SetInt("in_texture", 0);
    glBindVertexArray(graphics->GetCentredQuad());
    UploadLights(uniforms, renderer->GetLists().pointLights, renderer->GetLists().moonLights, GetLightingSettings(),
                 renderer->GetCounters());

    RenderCounters& counters = renderer->GetCounters();
    const int32_t modelLocation = program->GetUniformLocation("model");
    const float tw = float(tileWidth), th = float(tileHeight);
    const int halfW = columns / 2, halfH = rows / 2;
    const size_t textureCount = tileTextures.size();
    uint32_t bound = 0;
    for (int x = range.x0; x < range.x1; ++x) {
        const std::vector<uint32_t>& column = tiles[size_t(x)];
        for (int y = range.y0; y < range.y1 && y < int(column.size()); ++y) {
            const uint32_t index = column[size_t(y)];
            // Index 0 is the empty tile; an index past the texture list (a
            // removed texture) draws nothing.
            if (index == 0 || index >= textureCount || tileTextures[index] == 0) continue;
            const glm::vec3 centre(tw * float(x - halfW) + tw / 2.0f, th * float(y - halfH) + th / 2.0f, 0.999f);
            const glm::mat4 model =
                glm::scale(glm::translate(glm::mat4(1.0f), centre), glm::vec3(tw, th, 1.0f));
            program->SetMat4(modelLocation, glm::value_ptr(model));
            if (tileTextures[index] != bound) {
                bound = tileTextures[index];
                glBindTexture(GL_TEXTURE_2D, bound);
                ++counters.textureBinds;
            }
            glDrawArrays(GL_TRIANGLES, 0, 6);
            ++counters.drawCalls;
        }
    }
    glBindVertexArray(0);
}
