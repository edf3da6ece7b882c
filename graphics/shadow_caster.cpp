#include "graphics/shadow_caster.h"

#include <imgui.h>

#include "core/debug_draw.h"
#include "core/json_util.h"
#include "core/level_changes.h"
#include "ecs/entity_store.h"
#include "graphics/component_json.h"

namespace {
const char* const kOutlineListener = "ShadowCasterDrawCaster";
}

void ShadowCaster::Initialize() {
    const ShadowCaster* self = this;  // Remove disconnects before deletion
    outline.Connect(owner, kOutlineListener, [self] {
        if (!self->owner.IsValid()) return;
        const glm::vec4 saved = debug_draw::GetColor();
        debug_draw::SetColor(1.0f, 0.0f, 1.0f, 1.0f);
        const glm::vec2 p = self->GetWorldPosition();
        debug_draw::Ellipse(p.x, p.y, self->width / 2.0f, self->height / 2.0f);
        debug_draw::SetColor(saved.r, saved.g, saved.b, saved.a);
    });
}

void ShadowCaster::Remove() { outline.Disconnect(owner, kOutlineListener); }

void ShadowCaster::Copy(RootComponent* source) {
    auto* other = static_cast<ShadowCaster*>(source);
    offset = other->offset;
    width = other->width;
    height = other->height;
}

Json::Value ShadowCaster::Serialize() {
    Json::Value json;
    json["offset"] = WriteVec(offset);
    json["width"] = double(width);
    json["height"] = double(height);
    return json;
}

void ShadowCaster::Deserialize(Json::Value json) {
    RequireComponentObject(json, "ShadowCaster");
    offset = ReadVec2(json["offset"]);
    width = json["width"].asFloat();
    height = json["height"].asFloat();
}

void ShadowCaster::EditInfoDisplay() {
    bool changed = ImGui::InputFloat2("offset", &offset.x);
    changed |= ImGui::InputFloat("width", &width);
    changed |= ImGui::InputFloat("height", &height);
    if (changed) editor::MarkLevelChanged();
}

glm::vec2 ShadowCaster::GetWorldPosition() const {
    const glm::vec3& p = owner.GetPosition();
    return glm::vec2(p.x, p.y) + offset;
}
