#include "graphics/moon_light.h"

#include <imgui.h>

#include "core/json_util.h"
#include "core/level_changes.h"
#include "ecs/entity_store.h"
#include "graphics/component_json.h"

void MoonLight::Copy(RootComponent* source) {
    auto* other = static_cast<MoonLight*>(source);
    offset = other->offset;
    intensity = other->intensity;
    innerRadius = other->innerRadius;
}

Json::Value MoonLight::Serialize() {
    Json::Value json;
    json["offset"] = WriteVec(offset);
    json["intensity"] = double(intensity);
    json["inner_radius"] = double(innerRadius);
    return json;
}

void MoonLight::Deserialize(Json::Value json) {
    RequireComponentObject(json, "MoonLight");
    offset = ReadVec2(json["offset"]);
    intensity = json["intensity"].asFloat();
    innerRadius = json["inner_radius"].asFloat();
}

void MoonLight::EditInfoDisplay() {
    bool changed = ImGui::InputFloat2("offset", &offset.x);
    changed |= ImGui::InputFloat("intensity", &intensity);
    changed |= ImGui::InputFloat("inner radius", &innerRadius);
    if (changed) editor::MarkLevelChanged();
}

glm::vec2 MoonLight::GetWorldPosition() const {
    const glm::vec3& p = owner.GetPosition();
    return glm::vec2(p.x, p.y) + offset;
}
