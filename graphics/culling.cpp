#include "graphics/culling.h"

#include <algorithm>
#include <cmath>

#include "core/camera.h"
#include "ecs/entity_store.h"
#include "graphics/cull_sprites.h"
#include "graphics/lighting_settings.h"
#include "graphics/moon_light.h"
#include "graphics/point_light.h"
#include "graphics/render_limits.h"
#include "graphics/shadow_caster.h"

float CullView::HalfWidth() const { return std::fabs(topLeft.x - camera.x); }
float CullView::Top() const { return topLeft.y - camera.y; }
float CullView::Radius2() const {
    const float dx = topLeft.x - camera.x, dy = topLeft.y - camera.y;
    return dx * dx + dy * dy;
}

CullView CurrentCullView() {
    const Camera& camera = GetCamera();
    CullView view;
    view.camera = camera.GetPosition();
    const glm::vec3 k = camera.ScreenToWorld(0.0f, 0.0f, 0.0f);
    view.topLeft = {k.x, k.y};
    view.moonFadeDistance = GetLightingSettings().moonlightFadeDist;
    return view;
}

float LightCullDistance2(const CullView& view, glm::vec2 rel, float entityDy, float reach) {
    const float ax = std::max(0.0f, std::fabs(rel.x) - reach);
    float ay = std::fabs(rel.y) - reach;
    if (entityDy < view.Top() && ax < view.HalfWidth()) ay -= float(kShadowRowsAboveView);
    ay = std::max(0.0f, ay);
    return ax * ax + ay * ay;
}

namespace {

// A caster's shadow points away from the light. It can only reach the view when
// some visible light sees the caster on the same side as the camera (positive
// dot product); a caster behind every light shadows nothing we draw.
bool SomeLightCastsIntoView(const CullView& view, glm::vec2 P, const std::vector<PointLight*>& lights) {
    const glm::vec2 c(view.camera.x, view.camera.y);
    for (const PointLight* light : lights) {
        const glm::vec2 L = light->GetWorldPosition();
        const glm::vec2 toCaster = P - L, toCamera = c - L;
        if (toCaster.x * toCamera.x + toCaster.y * toCamera.y > 0.0f) return true;
    }
    return false;
}

}  // namespace

int CullScene(const CullView& view, RenderLists& lists) {
    lists.Clear();
    const float r2 = view.Radius2();
    const glm::vec3 c = view.camera;
    float largestReach2 = 0.0f;  // m: casters this close may shadow the view from off-screen lights

    const auto& live = engine::GetLiveEntities();
    for (const engine::entity_handle& handle : live) {
        engine::entity_base& record = engine::RecordAt(handle.GetIndex());
        const glm::vec2 d(record.position.x - c.x, record.position.y - c.y);
        for (auto& [typeId, component] : record.components) {
            if (typeId == PointLight::typeID) {
                auto* light = static_cast<PointLight*>(component.get());
                const float reach = light->radius;
                largestReach2 = std::max(largestReach2, 2.0f * reach * reach);
                if (LightCullDistance2(view, light->offset + d, d.y, reach) < r2) lists.pointLights.push_back(light);
            } else if (typeId == MoonLight::typeID) {
                auto* light = static_cast<MoonLight*>(component.get());
                const float reach = light->innerRadius + view.moonFadeDistance;
                if (LightCullDistance2(view, light->offset + d, d.y, reach) < r2) lists.moonLights.push_back(light);
            } else if (typeId != 0 && typeId == SpriteTypeID()) {
                CullSprite(handle, record, component.get(), d, r2, lists);
            }
        }
    }

    // Casters need the largest reach of every point light seen, so they are
    // decided in a second walk.
    if (ShadowCaster::typeID != 0 && !lists.pointLights.empty()) {
        for (const engine::entity_handle& handle : live) {
            engine::entity_base& record = engine::RecordAt(handle.GetIndex());
            auto it = record.components.find(ShadowCaster::typeID);
            if (it == record.components.end()) continue;
            auto* caster = static_cast<ShadowCaster*>(it->second.get());
            const glm::vec2 P = glm::vec2(record.position.x, record.position.y) + caster->offset;
            const float ax = std::max(0.0f, std::fabs(P.x - c.x) - caster->width);
            const float ay = std::max(0.0f, std::fabs(P.y - c.y) - caster->height);
            const float dist2 = ax * ax + ay * ay;
            if (!(dist2 < r2 || dist2 < largestReach2)) continue;
            if (SomeLightCastsIntoView(view, P, lists.pointLights)) lists.shadowCasters.push_back(caster);
        }
    }
    return int(lists.shadowCasters.size());
}
