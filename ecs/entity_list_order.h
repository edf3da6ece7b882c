#pragma once
// Putting entities back where they were: the editor's undo brings a deleted
// entity back under the handle it had and at its place in the live list, so
// that what still names it (the undo history, the selection) finds it again.
// Implemented with the store (ecs/entity_store.cpp).
#include <cstddef>

#include "ecs/entity_handle.h"

namespace engine {

// Brings back an entity under a handle it had before: the slot is taken back
// with the old generation, and the entity, fresh and without components, goes
// to the end of the live list. When the slot is in use or the generation is
// alive, a new entity is made instead and returned.
entity_handle RecreateEntity(entity_handle handle);
// Moves a live entity to `place` in the live list (the end when past it).
void MoveEntityInList(entity_handle handle, size_t place);
// The entity's place in the live list; the list's size when it is not there.
size_t PlaceInList(entity_handle handle);

}  // namespace engine
