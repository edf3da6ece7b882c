#pragma once
// A component reader that meets a value of the wrong type throws the JSON
// library's bare text ("Value is not convertible to float."), which names no
// place. LoadLevel passes such a failure through here to add where the value is.
#include <string>

#include <json/value.h>

#include "ecs/entity_handle.h"

// `entity`: the entity whose reading failed with `message`, as far as it was
// built; `written`: its JSON as the file has it. Its components up to the
// failure are attached, so the failing one is the first the entity does not
// hold; each of that component's members is then read alone into a spare
// component of the type, and the first whose reading fails with the same text
// is the one named:
//
//   Level file "levels/a.json", entity "Lamp", component "PointLight", member "max_radius": Value is not convertible to float.
//
// The message comes back unchanged when no single member explains it (an
// unknown component, the entity's own "pos", a failure that needs no member).
std::string LocateMemberError(engine::entity_handle entity, const Json::Value& written, const std::string& message);
