#pragma once
// The record passed, by value, with "OnCollisionStarted", "OnCollisionPersisted"
// and "OnCollisionEnded". Every collision test fills normal and penetration so
// that moving `first` by normalize(normal) * penetration and `second` by the
// opposite amount separates the two (see each test for its sign convention).
// An ended record carries only the two handles; everything else is zero.
#include <glm/vec2.hpp>

#include "ecs/entity_handle.h"

namespace CollisionDetection {

struct CollisionDataObj {
    engine::entity_handle first;   // entity A of the tested pair
    engine::entity_handle second;  // entity B
    glm::vec2 normal{0.0f, 0.0f};  // not necessarily unit length
    glm::vec2 relativeVelocity{0.0f, 0.0f};  // B's velocity - A's when both have a RigidBody
    glm::vec2 contactPoint{0.0f, 0.0f};      // circle-circle only; (0, 0) otherwise
    float penetration = 0.0f;
};

}  // namespace CollisionDetection
