#pragma once
// The pattern shared by the component exports: look the entity up (a dead
// handle throws, ending in the crash dialog), find component T by its type id,
// and either act on it or print the export's "Lua Error: ..." line and return
// the export's default.
#include <string>

#include "core/log.h"
#include "ecs/entity_store.h"

namespace scripting {

template <class T, class R, class F>
R WithComponent(uint32_t index, uint32_t generation, const char* missingMessage, R fallback, F&& act) {
    engine::entity_base* entity = engine::entity_handle{index, generation}.GetBaseEntity();
    auto it = entity->components.find(T::typeID);
    if (it == entity->components.end()) {
        Print(missingMessage);
        return fallback;
    }
    return act(*static_cast<T*>(it->second.get()), *entity);
}

// For setters: nothing to return.
template <class T, class F>
void WithComponent(uint32_t index, uint32_t generation, const char* missingMessage, F&& act) {
    engine::entity_base* entity = engine::entity_handle{index, generation}.GetBaseEntity();
    auto it = entity->components.find(T::typeID);
    if (it == entity->components.end()) {
        Print(missingMessage);
        return;
    }
    act(*static_cast<T*>(it->second.get()), *entity);
}

}  // namespace scripting
