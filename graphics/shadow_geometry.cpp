#include "graphics/shadow_geometry.h"

#include <algorithm>
#include <cmath>

#include <glm/matrix.hpp>

#include "core/camera.h"
#include "graphics/render_limits.h"

namespace {

glm::vec2 Stretch(glm::vec2 point, glm::vec2 light, float reach) {
    const glm::vec2 dir = point - light;
    const float len = std::sqrt(dir.x * dir.x + dir.y * dir.y);
    if (!(len > 0.0f)) return point;
    return point + dir / len * reach;
}

}  // namespace

bool WriteCasterShadow(const TrigTables& tables, const CasterShape& caster, glm::vec2 L, float reach, float* out) {
    const glm::vec2 P = caster.center;
    // The box is twice the ellipse's size: a light this close (or inside) gets
    // no shadow from it rather than a wild one from a grazing angle.
    const bool lightOutsideBox = L.y >= P.y + caster.height || L.y <= P.y - caster.height ||
                            L.x >= P.x + caster.width || L.x <= P.x - caster.width;
    const bool hasArea = caster.width > 0.0f && caster.height > 0.0f;
    if (!lightOutsideBox || !hasArea) {
        for (int i = 0; i < 9; ++i) {
            out[2 * i] = P.x;
            out[2 * i + 1] = P.y;
        }
        return false;
    }
    const float a = caster.width / 2.0f, b = caster.height / 2.0f;
    const glm::vec2 A = TangentPoint(tables, P, a, b, L, 0);
    const glm::vec2 B = TangentPoint(tables, P, a, b, L, 1);
    const glm::vec2 A2 = Stretch(A, L, reach);
    const glm::vec2 B2 = Stretch(B, L, reach);
    const glm::vec2 C = B2 + (A2 - L);
    const glm::vec2 verts[9] = {B, B2, C, B, C, A2, B, A2, A};
    for (int i = 0; i < 9; ++i) {
        out[2 * i] = verts[i].x;
        out[2 * i + 1] = verts[i].y;
    }
    return true;
}

void BuildShadowGeometry(const TrigTables& tables, const std::vector<CasterShape>& casters,
                         const std::vector<ShadowLight>& lights, const WorldRect& seen, std::vector<ShadowVertex>& out,
                         size_t firstLight, size_t endLight) {
    out.clear();
    const size_t n = std::min({lights.size(), size_t(kMaxShadowedLights), endLight});
    float shape[kShadowFloatsPerCaster];
    for (size_t i = firstLight; i < n; ++i) {
        for (const CasterShape& caster : casters) {
            if (!WriteCasterShadow(tables, caster, lights[i].position, lights[i].reach, shape)) continue;
            for (int t = 0; t < 3; ++t) {
                const float* v = shape + 6 * t;
                if (std::max({v[0], v[2], v[4]}) < seen.x0 || std::min({v[0], v[2], v[4]}) > seen.x1 ||
                    std::max({v[1], v[3], v[5]}) < seen.y0 || std::min({v[1], v[3], v[5]}) > seen.y1)
                    continue;
                for (int k = 0; k < 3; ++k) out.push_back({v[2 * k], v[2 * k + 1], uint32_t(i)});
            }
        }
    }
}

glm::vec2 ShadowMaskOrigin(glm::vec3 camera) {
    return {std::floor(camera.x) - kSceneWidth / 2, std::floor(camera.y) - kSceneHeight / 2 - kShadowRowsAboveView};
}

MaskRect ShadowMaskRectRead(const glm::mat4& sceneView, glm::vec2 maskOrigin) {
    const glm::mat4 toWorld = glm::inverse(sceneView);
    float x0 = 1e30f, y0 = 1e30f, x1 = -1e30f, y1 = -1e30f;
    for (float cx : {-1.0f, 1.0f}) {
        for (float cy : {-1.0f, 1.0f}) {
            const glm::vec4 w = toWorld * glm::vec4(cx, cy, 0.0f, 1.0f);
            x0 = std::min(x0, w.x - maskOrigin.x);
            x1 = std::max(x1, w.x - maskOrigin.x);
            y0 = std::min(y0, w.y - maskOrigin.y);
            y1 = std::max(y1, w.y - maskOrigin.y);
        }
    }
    MaskRect r;
    if (!(x1 > -1e6f && x0 < 1e6f && y1 > -1e6f && y0 < 1e6f)) {  // a view that sees nothing sensible
        r.width = kShadowMaskWidth;
        r.height = kShadowMaskHeight;
        return r;
    }
    const int ix0 = std::max(0, int(std::floor(x0)) - 1), iy0 = std::max(0, int(std::floor(y0)) - 1);
    const int ix1 = std::min(kShadowMaskWidth, int(std::ceil(x1)) + 1);
    const int iy1 = std::min(kShadowMaskHeight, int(std::ceil(y1)) + 1);
    if (ix1 <= ix0 || iy1 <= iy0) return r;
    r = {ix0, iy0, ix1 - ix0, iy1 - iy0};
    return r;
}
