#pragma once
// The interface every component implements. Components are created by the
// registry, owned by their entity, and always deleted through this base after
// Remove. Initialize runs once after the owner is set (and after Deserialize when
// there was data); Remove runs once just before deletion and undoes Initialize.
#include <cstdint>

#include <json/value.h>

#include "ecs/entity_handle.h"

class RootComponent {
public:
    engine::entity_handle owner;  // {0, 0} until attached

    virtual ~RootComponent() = default;
    virtual void Initialize() = 0;
    virtual void Remove() = 0;
    virtual void Copy(RootComponent* source) = 0;  // same concrete type; never the owner
    virtual Json::Value Serialize() = 0;           // null for a type without persistent fields
    virtual void Deserialize(Json::Value json) = 0;
    virtual void EditInfoDisplay() = 0;            // inspector widgets (Dear ImGui)
    virtual uint32_t GetTypeID() = 0;
};

// Built-in types derive from BaseComponent<T>, which holds T's type id: 0 until
// the registry registers T, then the id it was given.
template <class T>
class BaseComponent : public RootComponent {
public:
    static inline uint32_t typeID = 0;
    uint32_t GetTypeID() override { return typeID; }
};
