// TileMap::Draw: the level's tiles into the lit scene, after the lit sprites and
// under the same first-fragment depth test, ranked behind every sprite, so
// tiles only fill the pixels no sprite covered. The light pass then lights and
// shadows them like the sprites.
//
// The visible cells go out as instances, one draw per tile texture. Cells never
// overlap (neighbours share exact edges, which GL rasterises once), so drawing
// them grouped by texture gives the same pixels as drawing them cell by cell.
#include <algorithm>
#include <cmath>

#include <epoxy/gl.h>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>

#include "core/camera.h"
#include "graphics/light_upload.h"
#include "graphics/lighting_settings.h"
#include "graphics/program_uniforms.h"
#include "graphics/render_lists.h"
#include "graphics/shader_program.h"
#include "graphics/sprite_batch.h"
#include "graphics/sprite_instances.h"
#include "graphics/tile_map.h"
#include "graphics/tile_visible_range.h"

size_t TileMap::Draw(SpriteInstanceBuffer& buffer, float rankDepth, RenderCounters& counters) {
    if (!CanDraw()) return 0;
    const int columns = int(GetColumns()), rows = int(GetRows());
    if (!program) program = std::make_shared<ShaderProgram>("shaders/tile_shader.vs", "shaders/tile_shader.frag");

    const Camera& camera = GetCamera();
    const glm::vec3 c = camera.GetPosition();
    const glm::vec2 f(std::floor(c.x), std::floor(c.y));
    const glm::vec3 k = camera.ScreenToWorld(0.0f, 0.0f, 0.0f);
    const TileRange range = VisibleTileRange(f, {k.x, k.y}, tileWidth, tileHeight, columns, rows);

    program->Use();
    ProgramUniforms uniforms(*program);
    SetSceneUniforms(uniforms, GetLightingSettings());
    glActiveTexture(GL_TEXTURE0);
    program->SetInt("in_texture", 0);

    const float tw = float(tileWidth), th = float(tileHeight);
    const int halfW = columns / 2, halfH = rows / 2;
    const size_t textureCount = tileTextures.size();
    struct Cell {
        uint32_t texture;
        SpriteInstance instance;
    };
    std::vector<Cell> cells;
    for (int x = range.x0; x < range.x1; ++x) {
        const std::vector<uint32_t>& column = tiles[size_t(x)];
        for (int y = range.y0; y < range.y1 && y < int(column.size()); ++y) {
            const uint32_t index = column[size_t(y)];
            // Index 0 is the empty tile; an index past the texture list (a
            // removed texture) draws nothing.
            if (index == 0 || index >= textureCount || tileTextures[index] == 0) continue;
            const glm::vec3 centre(tw * float(x - halfW) + tw / 2.0f, th * float(y - halfH) + th / 2.0f, 0.999f);
            Cell cell;
            cell.texture = tileTextures[index];
            cell.instance.model = glm::scale(glm::translate(glm::mat4(1.0f), centre), glm::vec3(tw, th, 1.0f));
            cell.instance.rankDepth = rankDepth;
            cells.push_back(cell);
        }
    }
    std::stable_sort(cells.begin(), cells.end(), [](const Cell& a, const Cell& b) { return a.texture < b.texture; });
    std::vector<SpriteInstance> instances;
    std::vector<SpriteRun> runs;
    instances.reserve(cells.size());
    for (const Cell& cell : cells) {
        if (runs.empty() || runs.back().textures[0] != cell.texture) {
            SpriteRun run;
            run.first = uint32_t(instances.size());
            run.textures[0] = cell.texture;
            runs.push_back(run);
        }
        ++runs.back().count;
        instances.push_back(cell.instance);
    }
    buffer.Upload(instances);
    glActiveTexture(GL_TEXTURE0);
    BoundTextures bound;
    for (const SpriteRun& run : runs) DrawSpriteRun(buffer, run, 1, 0, bound, counters);
    glBindVertexArray(0);
    return instances.size();
}
