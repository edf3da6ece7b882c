// The JSON form of an entity: {"pos": {x, y, z}, "name": ..., "components": [...]}
// with components written in ascending type id, each tagged "__component_name".
#include "ecs/component_registry.h"
#include "ecs/entity_store.h"

namespace engine {

Json::Value entity_handle::Serialize() const {
    Json::Value json;
    Json::Value components;  // null until the first append: no components -> null
    const glm::vec3& p = GetPosition();
    json["pos"]["x"] = p.x;
    json["pos"]["y"] = p.y;
    json["pos"]["z"] = p.z;
    json["name"] = GetName();
    for (auto& [id, component] : GetBaseEntity()->components) {
        Json::Value element = component->Serialize();
        element["__component_name"] = components::GetName(component->GetTypeID());
        components.append(element);
    }
    json["components"] = components;
    return json;
}

void entity_handle::Deserialize(const Json::Value& json) const {
    const Json::Value& components = json["components"];
    const Json::Value& pos = json["pos"];
    SetPosition(pos["x"].asFloat(), pos["y"].asFloat(), pos["z"].asFloat());
    std::string name = json["name"].asString();
    if (!name.empty()) SetName(name);
    for (Json::ArrayIndex i = 0; i < components.size(); ++i) {
        const Json::Value& element = components[i];
        AddComponent(element["__component_name"].asString(), element);
    }
}

}  // namespace engine
