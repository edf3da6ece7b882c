#pragma once
// Typed component access; included by ecs/entity_store.h.
#include "core/debug_exception.h"

namespace engine {

template <class T>
T* entity_handle::Get() const {
    auto& components = GetBaseEntity()->components;
    auto it = components.find(T::typeID);
    if (it == components.end()) throw debug::exception("entity_base.Get: component doesn't exist!");
    return static_cast<T*>(it->second.get());
}

template <class T>
bool entity_handle::Has() const {
    auto& components = GetBaseEntity()->components;
    return components.find(T::typeID) != components.end();
}

}  // namespace engine
