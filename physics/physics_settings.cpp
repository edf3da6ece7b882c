#include "physics/physics_settings.h"

#include "core/debug_exception.h"

PhysicsSettings& GetPhysicsSettings() {
    static PhysicsSettings settings;
    return settings;
}

void ReadPhysicsSettings(const Json::Value& document) {
    PhysicsSettings& s = GetPhysicsSettings();
    s = PhysicsSettings();
    const Json::Value& physics = document["physics"];
    if (physics.isNull()) return;
    if (!physics.isObject()) throw debug::exception("Level: \"physics\" is not an object.");
    const Json::Value& stable = physics["stable_contacts"];
    if (stable.isNull()) return;
    if (!stable.isBool()) throw debug::exception("Level: \"physics\": \"stable_contacts\" is not true or false.");
    s.stableContacts = stable.asBool();
}

void WritePhysicsSettings(Json::Value& document) {
    const PhysicsSettings& s = GetPhysicsSettings();
    if (!s.stableContacts) return;
    document["physics"]["stable_contacts"] = true;
}
