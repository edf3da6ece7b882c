#include "ecs/component_registry.h"

#include <unordered_map>

#include "core/debug_exception.h"

namespace components {
namespace {

struct Registry {
    std::unordered_map<std::string, Factory> factories;
    std::unordered_map<std::string, uint32_t> ids;
    std::map<uint32_t, std::string> names;
    uint32_t counter = 0;
    ScriptComponentMaker scriptMaker;
};

Registry& R() {
    static Registry registry;
    return registry;
}

}  // namespace

RootComponent* Create(const std::string& name) {
    auto& factories = R().factories;
    auto it = factories.find(name);
    if (it == factories.end()) throw debug::exception("components::Create failed to map component string!");
    return it->second();
}

uint32_t GetID(const std::string& name) {
    auto& ids = R().ids;
    auto it = ids.find(name);
    if (it == ids.end()) throw debug::exception("components::GetID failed to map component string!");
    return it->second;
}

std::string GetName(uint32_t id) {
    auto& names = R().names;
    auto it = names.find(id);
    if (it == names.end()) throw debug::exception("components::GetName failed to map component ID to string!");
    return it->second;
}

bool IsRegistered(const std::string& name) { return R().ids.count(name) != 0; }

const std::map<uint32_t, std::string>& ListComponentTypes() { return R().names; }

uint32_t RegisterFactory(const std::string& name, Factory factory) {
    Registry& r = R();
    uint32_t id = ++r.counter;
    r.factories[name] = std::move(factory);
    r.ids[name] = id;
    r.names[id] = name;
    return id;
}

void SetScriptComponentMaker(ScriptComponentMaker maker) { R().scriptMaker = std::move(maker); }

uint32_t RegisterScriptComponent(const std::string& name) {
    Registry& r = R();
    auto existing = r.ids.find(name);
    if (existing != r.ids.end()) return existing->second;
    uint32_t id = r.counter + 1;
    return RegisterFactory(name, [id, name]() -> RootComponent* {
        if (!R().scriptMaker) throw debug::exception("components::Create failed to map component string!");
        return R().scriptMaker(id, name);
    });
}

}  // namespace components
