// Exports: box and circle colliders, rigid bodies.
//
// Every one follows the component pattern of scripting/component_access.h.
#include "physics/box_collider.h"
#include "physics/circle_collider.h"
#include "physics/rigid_body.h"
#include "scripting/component_access.h"
#include "scripting/export_guard.h"
#include "scripting/lb_exports.h"

using scripting::Guarded;
using scripting::WithComponent;

extern "C" bool lb_collider_box_get_ghost(uint32_t index, uint32_t generation) {
    return Guarded([&] {
        return WithComponent<BoxCollider>(index, generation, "Lua Error: Attempted to get ghost on entity with no box collider", false,
                                 [&](BoxCollider& c, engine::entity_base&) -> bool { return c.IsGhost(); });
    });
}

extern "C" bool lb_collider_box_get_static(uint32_t index, uint32_t generation) {
    return Guarded([&] {
        return WithComponent<BoxCollider>(index, generation, "Lua Error: Attempted to get static on entity with no box collider", false,
                                 [&](BoxCollider& c, engine::entity_base&) -> bool { return c.IsStatic(); });
    });
}

extern "C" void lb_collider_box_set_ghost(uint32_t index, uint32_t generation, bool v) {
    Guarded([&] {
        WithComponent<BoxCollider>(index, generation, "Lua Error: Attempted to set ghost on entity with no box collider", [&](BoxCollider& c, engine::entity_base&) {
            c.SetGhost(v);
        });
    });
}

extern "C" void lb_collider_box_set_static(uint32_t index, uint32_t generation, bool v) {
    Guarded([&] {
        WithComponent<BoxCollider>(index, generation, "Lua Error: Attempted to set static on entity with no box collider", [&](BoxCollider& c, engine::entity_base&) {
            c.SetStatic(v);
        });
    });
}

extern "C" void lb_collider_box_set_center(uint32_t index, uint32_t generation, float x, float y) {
    Guarded([&] {
        WithComponent<BoxCollider>(index, generation, "Lua Error: Attempted to set center on entity with no box collider", [&](BoxCollider& c, engine::entity_base&) {
            c.SetCenterOffset(x, y);
        });
    });
}

extern "C" void lb_collider_box_set_width(uint32_t index, uint32_t generation, float w) {
    Guarded([&] {
        WithComponent<BoxCollider>(index, generation, "Lua Error: Attempted to set width on entity with no box collider", [&](BoxCollider& c, engine::entity_base&) {
            c.SetWidthVector(glm::vec2(w, 0.0f));
        });
    });
}

extern "C" void lb_collider_box_set_height(uint32_t index, uint32_t generation, float h) {
    Guarded([&] {
        WithComponent<BoxCollider>(index, generation, "Lua Error: Attempted to set height on entity with no box collider", [&](BoxCollider& c, engine::entity_base&) {
            c.SetHeightVector(glm::vec2(0.0f, h));
        });
    });
}

extern "C" bool lb_collider_circle_get_ghost(uint32_t index, uint32_t generation) {
    return Guarded([&] {
        return WithComponent<CircleCollider>(index, generation, "Lua Error: Attempted to get ghost on entity with no circle collider", false,
                                 [&](CircleCollider& c, engine::entity_base&) -> bool { return c.IsGhost(); });
    });
}

extern "C" bool lb_collider_circle_get_static(uint32_t index, uint32_t generation) {
    return Guarded([&] {
        return WithComponent<CircleCollider>(index, generation, "Lua Error: Attempted to get static on entity with no circle collider", false,
                                 [&](CircleCollider& c, engine::entity_base&) -> bool { return c.IsStatic(); });
    });
}

extern "C" void lb_collider_circle_set_ghost(uint32_t index, uint32_t generation, bool v) {
    Guarded([&] {
        WithComponent<CircleCollider>(index, generation, "Lua Error: Attempted to set ghost on entity with no circle collider", [&](CircleCollider& c, engine::entity_base&) {
            c.SetGhost(v);
        });
    });
}

extern "C" void lb_collider_circle_set_static(uint32_t index, uint32_t generation, bool v) {
    Guarded([&] {
        WithComponent<CircleCollider>(index, generation, "Lua Error: Attempted to set static on entity with no circle collider", [&](CircleCollider& c, engine::entity_base&) {
            c.SetStatic(v);
        });
    });
}

extern "C" void lb_collider_circle_set_center(uint32_t index, uint32_t generation, float x, float y) {
    Guarded([&] {
        WithComponent<CircleCollider>(index, generation, "Lua Error: Attempted to set center on entity with no circle collider", [&](CircleCollider& c, engine::entity_base&) {
            c.SetCenterOffset(x, y);
        });
    });
}

extern "C" void lb_collider_circle_set_radius(uint32_t index, uint32_t generation, float r) {
    Guarded([&] {
        WithComponent<CircleCollider>(index, generation, "Lua Error: Attempted to set radius on entity with no circle collider", [&](CircleCollider& c, engine::entity_base&) {
            c.SetRadius(r);
        });
    });
}

extern "C" lb_vec2 lb_rigidbody_get_velocity(uint32_t index, uint32_t generation) {
    return Guarded([&] {
        return WithComponent<RigidBody>(index, generation, "Lua Error: Attempted to access velocity on component with no rigidbody", lb_vec2{0.0f, 0.0f},
                                 [&](RigidBody& c, engine::entity_base&) -> lb_vec2 { return lb_vec2{c.velocity.x, c.velocity.y}; });
    });
}

extern "C" void lb_rigidbody_set_velocity(uint32_t index, uint32_t generation, float x, float y) {
    Guarded([&] {
        WithComponent<RigidBody>(index, generation, "Lua Error: Attempted to set velocity on component with no rigidbody", [&](RigidBody& c, engine::entity_base&) {
            c.velocity = glm::vec2(x, y);
        });
    });
}
