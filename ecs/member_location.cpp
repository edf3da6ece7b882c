#include "ecs/member_location.h"

namespace {
std::string g_levelFile;
}  // namespace

void SetLevelFileBeingRead(const std::string& path) { g_levelFile = path; }

std::string MemberLocation(engine::entity_handle entity, const std::string& component, const std::string& member) {
    const std::string name = entity.IsValid() ? entity.GetName() : std::string();
    return (g_levelFile.empty() ? std::string("Entity \"") : "Level file \"" + g_levelFile + "\", entity \"") + name +
           "\", component \"" + component + "\", member \"" + member + "\"";
}
