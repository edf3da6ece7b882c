#pragma once
// The process-wide entity store: records by value in one growable array indexed
// by slot, a free list of destroyed slots (reused last-in first-out), the live
// list in creation order and the list of entities waiting for deferred
// destruction at the end of the frame.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <glm/vec3.hpp>

#include "ecs/entity_handle.h"
#include "ecs/root_component.h"

namespace engine {

struct entity_base {
    entity_base() = default;
    entity_base(entity_base&&) noexcept = default;  // lets the record array grow by moving
    entity_base& operator=(entity_base&&) noexcept = default;

    uint32_t index = 0;
    uint32_t generation = 0;
    std::string name = "Entity";
    glm::vec3 position{0.0f, 0.0f, 0.0f};
    bool dead = false;
    bool pendingDestroy = false;  // already in the pending list (no duplicates)
    // Ascending type id: "Sprite" before "RigidBody" before "BoxCollider".
    std::map<uint32_t, std::unique_ptr<RootComponent>> components;
};

entity_handle CreateEntity();
// Deferred (default): queue for the end of the frame; an invalid handle is ignored.
// Immediate: tear down now (only DestroyAllEntities uses it).
void DestroyEntity(entity_handle handle, bool immediate = false);
void FlushDestroyedEntities();
// Destroys every live entity and resets numbering: the next entity is {0, 1}.
void DestroyAllEntities();
const std::vector<entity_handle>& GetLiveEntities();
const std::vector<entity_handle>& GetPendingDestroy();

// Unchecked record access for hot loops that already hold a live handle.
entity_base& RecordAt(uint32_t index);

}  // namespace engine

#include "ecs/entity_handle_inl.h"
