// The JSON form of an entity: {"pos": {x, y, z}, "name": ..., "components": [...]}
// with components written in ascending type id, each tagged "__component_name".
#include <utility>

#include "core/debug_exception.h"
#include "ecs/component_registry.h"
#include "ecs/entity_store.h"

namespace engine {

Json::Value entity_handle::Serialize() const {
    Json::Value json;
    Json::Value components;  // null until the first append: no components -> null
    const glm::vec3& p = GetPosition();
    // Literal keys go in as StaticString: the member points at the literal
    // instead of copying it, one allocation fewer per member of a saved level.
    Json::Value& pos = json[Json::StaticString("pos")];
    pos[Json::StaticString("x")] = p.x;
    pos[Json::StaticString("y")] = p.y;
    pos[Json::StaticString("z")] = p.z;
    json[Json::StaticString("name")] = GetName();
    for (auto& [id, component] : GetBaseEntity()->components) {
        Json::Value element = component->Serialize();
        element[Json::StaticString("__component_name")] = components::GetName(component->GetTypeID());
        components.append(std::move(element));
    }
    json[Json::StaticString("components")] = std::move(components);
    return json;
}

void entity_handle::Deserialize(const Json::Value& json) const { Deserialize(Json::Value(json)); }

// Each component element is moved into its component rather than copied: a
// level load hands over tens of thousands of them.
void entity_handle::Deserialize(Json::Value&& json) const {
    const Json::Value& pos = std::as_const(json)["pos"];
    SetPosition(pos["x"].asFloat(), pos["y"].asFloat(), pos["z"].asFloat());
    std::string name = std::as_const(json)["name"].asString();
    if (!name.empty()) SetName(name);
    const Json::Value& given = std::as_const(json)["components"];
    if (given.isNull()) return;
    // Any other type would read as "no components" and lose them silently.
    if (!given.isArray())
        throw debug::exception("Entity \"" + GetName() + "\": \"components\" is not an array.");
    Json::Value& components = json["components"];
    for (Json::ArrayIndex i = 0; i < components.size(); ++i) {
        Json::Value& element = components[i];
        std::string type = std::as_const(element)["__component_name"].asString();
        AddComponent(std::move(type), std::move(element));
    }
}

}  // namespace engine
