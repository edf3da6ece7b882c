#pragma once
// RigidBody: lets physics move the entity by its velocity (world units per
// second) and push it apart from other bodies. Every body has the same mass
// (kMass); there is no gravity and no rotation.
#include <glm/vec2.hpp>

#include "ecs/root_component.h"

class RigidBody : public BaseComponent<RigidBody> {
public:
    static constexpr float kMass = 10.0f;

    glm::vec2 velocity{0.0f, 0.0f};  // world units / s
    float restitution = 1.0f;        // bounciness; a pair uses the smaller one

    void Initialize() override {}
    void Remove() override {}
    void Copy(RootComponent* source) override;
    // Keys: "vel_x", "vel_y", "restitution"; a missing key reads as 0.
    Json::Value Serialize() override;
    void Deserialize(Json::Value json) override;
    void EditInfoDisplay() override;
};
