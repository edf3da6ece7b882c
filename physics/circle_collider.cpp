#include "physics/circle_collider.h"

#include <imgui.h>

#include "core/debug_draw.h"
#include "core/level_changes.h"
#include "ecs/entity_store.h"
#include "physics/json_number.h"

glm::vec2 CircleCollider::GetCenter() const {
    if (!owner.IsValid()) return centerOffset;
    const glm::vec3& p = owner.GetPosition();
    return glm::vec2(p.x, p.y) + centerOffset;
}

void CircleCollider::Copy(RootComponent* source) {
    auto* other = static_cast<CircleCollider*>(source);
    shapeKind = other->shapeKind;
    ghost = other->ghost;
    isStatic = other->isStatic;
    radius = other->radius;
    centerOffset = other->centerOffset;
}

Json::Value CircleCollider::Serialize() {
    Json::Value json(Json::objectValue);
    json["Circle Center OffsetX"] = double(centerOffset.x);
    json["Circle Center OffsetY"] = double(centerOffset.y);
    json["Circle Ghost"] = ghost;
    json["Circle Static"] = isStatic;
    json["Circle Radius"] = double(radius);
    return json;
}

void CircleCollider::Deserialize(Json::Value json) {
    centerOffset.x = ReadFiniteFloat(json, "Circle Center OffsetX", "CircleCollider");
    centerOffset.y = ReadFiniteFloat(json, "Circle Center OffsetY", "CircleCollider");
    ghost = ReadBool(json, "Circle Ghost");
    isStatic = ReadBool(json, "Circle Static");
    radius = ReadFiniteFloat(json, "Circle Radius", "CircleCollider");
}

void CircleCollider::EditInfoDisplay() {
    bool changed = ImGui::InputFloat2("Center Offset", &centerOffset.x);
    changed |= ImGui::Checkbox("Circle Ghost", &ghost);
    changed |= ImGui::Checkbox("Circle Static:", &isStatic);
    changed |= ImGui::InputFloat("Circle Radius", &radius);
    if (changed) editor::MarkLevelChanged();
}

void CircleCollider::DebugDraw() const {
    const glm::vec2 c = GetCenter();
    debug_draw::SetColor(1.0f, 0.0f, 0.0f, 1.0f);
    debug_draw::Circle(c.x, c.y, radius);
}
