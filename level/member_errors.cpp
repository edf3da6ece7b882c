#include "level/member_errors.h"

#include <exception>
#include <memory>

#include "ecs/component_registry.h"
#include "ecs/member_location.h"
#include "ecs/root_component.h"

namespace {

// Whether reading `data` into a spare, unattached component of `type` fails
// with `message`. The spare is never initialised, so it connects nothing.
bool ReadingFails(const std::string& type, engine::entity_handle owner, const Json::Value& data,
                  const std::string& message) {
    std::unique_ptr<RootComponent> spare(components::Create(type));
    spare->owner = owner;
    try {
        spare->Deserialize(data);
    } catch (const std::exception& e) {
        return message == e.what();
    }
    return false;
}

}  // namespace

std::string LocateMemberError(engine::entity_handle entity, const Json::Value& written, const std::string& message) {
    const Json::Value& list = written["components"];
    if (!entity.IsValid() || !list.isArray()) return message;
    for (const Json::Value& element : list) {
        if (!element.isObject() || !element["__component_name"].isString()) return message;
        const std::string type = element["__component_name"].asString();
        if (!components::IsRegistered(type)) return message;
        if (entity.HasComponent(type)) continue;
        // The first component not attached is the one whose reading failed.
        if (ReadingFails(type, entity, Json::Value(Json::objectValue), message)) return message;
        for (const std::string& member : element.getMemberNames()) {
            if (member == "__component_name") continue;
            Json::Value alone(Json::objectValue);
            alone[member] = element[member];
            if (ReadingFails(type, entity, alone, message))
                return MemberLocation(entity, type, member) + ": " + message;
        }
        return message;
    }
    return message;
}
