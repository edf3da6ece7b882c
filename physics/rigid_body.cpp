#include "physics/rigid_body.h"

#include <imgui.h>

#include "core/level_changes.h"
#include "physics/json_number.h"

void RigidBody::Copy(RootComponent* source) {
    auto* other = static_cast<RigidBody*>(source);
    velocity = other->velocity;
    restitution = other->restitution;
}

Json::Value RigidBody::Serialize() {
    Json::Value json(Json::objectValue);
    // StaticString keys point at the literals: no key copy per member of a saved level.
    json[Json::StaticString("vel_x")] = double(velocity.x);
    json[Json::StaticString("vel_y")] = double(velocity.y);
    json[Json::StaticString("restitution")] = double(restitution);
    return json;
}

void RigidBody::Deserialize(Json::Value json) {
    velocity.x = ReadFiniteFloat(json, "vel_x", "RigidBody");
    velocity.y = ReadFiniteFloat(json, "vel_y", "RigidBody");
    restitution = ReadFiniteFloat(json, "restitution", "RigidBody");
}

void RigidBody::EditInfoDisplay() {
    bool changed = ImGui::InputFloat2("velocity", &velocity.x);
    changed |= ImGui::InputFloat("restitution", &restitution);
    if (changed) editor::MarkLevelChanged();
}
