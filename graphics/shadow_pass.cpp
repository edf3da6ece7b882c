#include "graphics/shadow_pass.h"

#include <cmath>

#include <epoxy/gl.h>
#include <glm/gtc/matrix_transform.hpp>

#include "core/camera.h"
#include "graphics/point_light.h"
#include "graphics/render_limits.h"
#include "graphics/shadow_caster.h"
#include "graphics/shadow_raster.h"

void DrawShadowMasks(const RenderLists& lists, const RenderTargets& targets, ShadowGeometry& geometry,
                     const TrigTables& tables) {
    // Caster shapes once per frame, not once per light.
    geometry.casters.clear();
    for (const ShadowCaster* caster : lists.shadowCasters)
        geometry.casters.push_back({caster->GetWorldPosition(), caster->width, caster->height});
    geometry.lights.clear();
    for (const PointLight* light : lists.pointLights) geometry.lights.push_back({light->GetWorldPosition(), light->radius});
    // Only the part of the mask under the scene is ever looked up: triangles
    // wholly outside it are left out, and only that part is filled.
    const glm::vec3 c = GetCamera().GetPosition();
    const glm::vec2 maskOrigin = ShadowMaskOrigin(c);
    const MaskRect read =
        ShadowMaskRectRead(GetCamera().ViewMatrix(false, float(kSceneWidth), float(kSceneHeight)), maskOrigin);
    const WorldRect seen{maskOrigin.x + float(read.x) - 1.0f, maskOrigin.y + float(read.y) - 1.0f,
                         maskOrigin.x + float(read.x + read.width) + 1.0f,
                         maskOrigin.y + float(read.y + read.height) + 1.0f};
    // The mask spans 980 rows: 700 above the view's 280. Centre row offset 350.
    const glm::mat4 view =
        glm::scale(glm::mat4(1.0f), glm::vec3(2.0f / kShadowMaskWidth, 2.0f / kShadowMaskHeight, 1.0f)) *
        glm::translate(glm::mat4(1.0f), glm::vec3(-std::floor(c.x), 350.0f - std::floor(c.y), 0.0f));
    const bool empty = read.width == 0 || !FillShadowMask(tables, geometry.casters, geometry.lights, seen, view, read,
                                                          geometry.work, geometry.texels);

    // Bits are only ever written inside the part read: the mask needs a whole
    // clear only when that part moves (or nothing is shadowed any more), and
    // not at all when it holds no bit.
    if (!geometry.maskClear && (empty || read != geometry.filled)) {
        glBindFramebuffer(GL_FRAMEBUFFER, targets.sFramebuffer);
        const GLuint zero[4] = {0, 0, 0, 0};
        glClearBufferuiv(GL_COLOR, 0, zero);
        geometry.maskClear = true;
    }
    if (empty) return;
    glBindTexture(GL_TEXTURE_2D, targets.sMask);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexSubImage2D(GL_TEXTURE_2D, 0, read.x, read.y, read.width, read.height, GL_RED_INTEGER, GL_UNSIGNED_INT,
                    geometry.texels.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    geometry.maskClear = false;
    geometry.filled = read;
}
