#pragma once
// entity_handle: the only way anything outside the store names an entity.
// A handle is a slot index plus the generation the slot had when the handle was
// made; every use is checked against the store and a wrong/dead handle throws
// "entity_handle::GetBaseEntity: attempted to get wrong/dead ent!".
// The generation doubles as the entity's unique id (listener names, scripts).
#include <cstdint>
#include <string>

#include <glm/vec3.hpp>
#include <json/value.h>

class RootComponent;

namespace engine {

struct entity_base;

struct entity_handle {
    uint32_t index = 0;
    uint32_t generation = 0;  // 0 is never given to an entity: a default handle is dead

    // Handles are equal when their generations are (the index is not compared).
    bool operator==(const entity_handle& other) const { return generation == other.generation; }
    bool operator!=(const entity_handle& other) const { return generation != other.generation; }

    entity_base* GetBaseEntity() const;  // checked
    bool IsValid() const;
    uint32_t GetEntityID() const { return generation; }
    uint32_t GetIndex() const { return index; }

    std::string& GetName() const;
    void SetName(std::string name) const;
    glm::vec3& GetPosition() const;
    glm::vec3 GetRoundedPosition() const;  // x, y rounded halves away from zero
    void SetPosition(float x, float y, float z) const;

    // Components by registered name (see ecs/component_registry.h).
    void AddComponent(std::string name, Json::Value data) const;
    bool RemoveComponent(std::string name) const;
    bool HasComponent(std::string name) const;

    // Built-in component types (T derives from BaseComponent<T>).
    template <class T> T* Get() const;
    template <class T> bool Has() const;

    void CopyFrom(entity_handle source) const;
    Json::Value Serialize() const;
    void Deserialize(const Json::Value& json) const;
    void Deserialize(Json::Value&& json) const;  // moves the component data (level loading)
};

}  // namespace engine
