#pragma once
// The physics-relevant components of one entity, fetched in one pass over its
// component map. Fetched again whenever an event may have run in between, since
// a listener can add or remove components.
#include "ecs/entity_store.h"
#include "physics/box_collider.h"
#include "physics/circle_collider.h"
#include "physics/ray.h"
#include "physics/rigid_body.h"

struct BodyParts {
    RigidBody* body = nullptr;
    CircleCollider* circle = nullptr;
    BoxCollider* box = nullptr;
    Ray* ray = nullptr;

    // An entity is static when either of its colliders is.
    bool IsStatic() const { return (box && box->isStatic) || (circle && circle->isStatic); }
    bool AnyGhost() const { return (box && box->ghost) || (circle && circle->ghost); }
};

// Checked: a wrong/dead handle raises the entity store's exception.
inline BodyParts FetchBodyParts(engine::entity_handle h) {
    BodyParts parts;
    for (auto& [id, component] : h.GetBaseEntity()->components) {
        RootComponent* c = component.get();
        if (id == RigidBody::typeID) parts.body = static_cast<RigidBody*>(c);
        else if (id == CircleCollider::typeID) parts.circle = static_cast<CircleCollider*>(c);
        else if (id == BoxCollider::typeID) parts.box = static_cast<BoxCollider*>(c);
        else if (id == Ray::typeID) parts.ray = static_cast<Ray*>(c);
        else if (id > Ray::typeID) break;  // script components come after every built-in
    }
    return parts;
}
