#pragma once
// The entity inspector: the GUI widgets that edit one entity (its name,
// position and every component, with adding and removing components). Drawn
// inside the editor's "Level" panel for the primary selection. Every edit takes
// effect at once and marks the level as changed, from which the editor makes
// one undo entry of each finished edit.
#include <cstdint>
#include <string>
#include <vector>

#include "ecs/entity_handle.h"

// Draws the inspector for a live entity into the current GUI window. A
// wrong/dead handle throws the handle's exception.
void DrawEntityInspector(engine::entity_handle entity);

namespace inspector {

struct ComponentType {
    uint32_t id = 0;
    std::string name;
};

// Every registered component type, script-defined ones included, sorted by
// name in ascending byte order: the order of the add and remove popups and of
// the component headers.
std::vector<ComponentType> ComponentTypeList();
// The types of the list that the entity lacks ("add component") or has
// ("remove component" and the headers), in list order.
std::vector<ComponentType> AddableTypes(engine::entity_handle entity);
std::vector<ComponentType> PresentTypes(engine::entity_handle entity);

// What choosing an entry of the popups does: add with defaults (null data,
// then Initialize) or remove the component, and mark the level as changed.
void AddComponent(engine::entity_handle entity, const std::string& name);
void RemoveComponent(engine::entity_handle entity, const std::string& name);

// Capacity of the name field, terminator included: longer names show cut.
constexpr size_t kNameCapacity = 128;

}  // namespace inspector
