#include "graphics/point_light.h"

#include <imgui.h>

#include "core/debug_draw.h"
#include "core/json_util.h"
#include "core/level_changes.h"
#include "ecs/entity_store.h"
#include "graphics/component_json.h"

namespace {
const char* const kOutlineListener = "PointLightDrawOultine";
}

void PointLight::Initialize() {
    const PointLight* self = this;  // Remove disconnects before deletion
    outline.Connect(owner, kOutlineListener, [self] {
        if (!self->owner.IsValid()) return;
        const glm::vec4 saved = debug_draw::GetColor();
        debug_draw::SetColor(0.5f, 1.0f, 0.0f, 1.0f);
        // The circle sits on the entity, not on the offset light: it shows the
        // designer which entity the reach belongs to.
        const glm::vec3 p = self->owner.GetPosition();
        debug_draw::Circle(p.x, p.y, self->radius);
        debug_draw::SetColor(saved.r, saved.g, saved.b, saved.a);
    });
}

void PointLight::Remove() { outline.Disconnect(owner, kOutlineListener); }

void PointLight::Copy(RootComponent* source) {
    auto* other = static_cast<PointLight*>(source);
    offset = other->offset;
    color = other->color;
    ambientIntensity = other->ambientIntensity;
    diffuseIntensity = other->diffuseIntensity;
    radius = other->radius;
    attenuation = other->attenuation;
}

Json::Value PointLight::Serialize() {
    Json::Value json;
    json["offset"] = WriteVec(offset);
    json["color"] = WriteVec(color);
    json["ambient_intensity"] = double(ambientIntensity);
    json["diffuse_intensity"] = double(diffuseIntensity);
    json["max_radius"] = double(radius);
    json["attenuation"] = WriteVec(attenuation);
    return json;
}

void PointLight::Deserialize(Json::Value json) {
    RequireComponentObject(json, "PointLight");
    offset = ReadVec2(json["offset"]);
    color = ReadVec3(json["color"]);
    ambientIntensity = json["ambient_intensity"].asFloat();
    diffuseIntensity = json["diffuse_intensity"].asFloat();
    radius = json["max_radius"].asFloat();
    attenuation = ReadVec3(json["attenuation"]);
}

void PointLight::EditInfoDisplay() {
    bool changed = ImGui::InputFloat2("offset", &offset.x);
    changed |= ImGui::InputFloat("max radius", &radius);
    changed |= ImGui::ColorEdit3("color", &color.x);
    changed |= ImGui::InputFloat("ambient intensity", &ambientIntensity);
    changed |= ImGui::InputFloat("diffuse intensity", &diffuseIntensity);
    changed |= ImGui::InputFloat3("attenuation coefficients", &attenuation.x);
    if (changed) editor::MarkLevelChanged();
}

glm::vec2 PointLight::GetWorldPosition() const {
    const glm::vec3& p = owner.GetPosition();
    return glm::vec2(p.x, p.y) + offset;
}
