#pragma once
// Where a component's member comes from, for a message about its value:
//
//   Level file "levels/forest.json", entity "Campfire", component "PointLight", member "max_radius"
//
// The file is the one the level loader says it is reading; outside a level
// load the text starts at the entity.
#include <string>

#include "ecs/entity_handle.h"

std::string MemberLocation(engine::entity_handle entity, const std::string& component, const std::string& member);

// Set by the level loader while it reads a file's entities; cleared (empty)
// when it is done.
void SetLevelFileBeingRead(const std::string& path);
