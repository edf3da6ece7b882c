#pragma once
// The component registry: names <-> type ids <-> factories. Ids come from one
// counter starting at 1; the ten built-in types always hold ids 1 to 10 and
// script-defined types follow in registration order. Filled at start-up, never
// emptied.
#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "ecs/root_component.h"

namespace components {

using Factory = std::function<RootComponent*()>;

RootComponent* Create(const std::string& name);  // caller owns
uint32_t GetID(const std::string& name);
std::string GetName(uint32_t id);
bool IsRegistered(const std::string& name);
const std::map<uint32_t, std::string>& ListComponentTypes();

uint32_t RegisterFactory(const std::string& name, Factory factory);

template <class T>
void RegisterComponentType(const std::string& name) {
    T::typeID = RegisterFactory(name, [] { return static_cast<RootComponent*>(new T()); });
}

// Sprite, MoonLight, PointLight, ShadowCaster, RigidBody, CircleCollider,
// BoxCollider, SoundEmitter, SoundSpace, Ray as ids 1..10. Safe to call again.
void RegisterBuiltinComponents();

// Script-defined types all share one class (LuaComponent, owned by the scripting
// subsystem), which sets this maker: it builds an instance for (type id, name).
using ScriptComponentMaker = std::function<RootComponent*(uint32_t id, const std::string& name)>;
void SetScriptComponentMaker(ScriptComponentMaker maker);
// Registers a script type; a name already registered keeps its first id.
uint32_t RegisterScriptComponent(const std::string& name);

}  // namespace components
