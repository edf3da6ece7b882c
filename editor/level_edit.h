#pragma once
// What one finished edit of the level changed, as plain data, so that undo and
// redo can put either side back: the entities it touched (as their JSON), the
// tile map and the lighting settings.
//
// Entities are named by handle, never by pointer, and keep their place in the
// entity list: an entity brought back comes back under its old handle (so the
// moves recorded before it still name it) and at its old place.
#include <optional>
#include <string>
#include <vector>

#include <json/value.h>

#include "ecs/entity_handle.h"
#include "graphics/lighting_settings.h"

namespace editor {

// One entity on both sides of an edit. A null side means that the entity does
// not exist there: before is null for one created, after for one deleted.
struct EntityChange {
    engine::entity_handle handle;
    size_t place = 0;  // in the live list, on the side where it exists
    Json::Value before, after;
};

struct LevelEdit {
    std::string what{};  // for the log: "delete Campfire", "paint tiles"
    // In the order they were made; undo goes through them backwards.
    std::vector<EntityChange> entities{};
    std::optional<Json::Value> tilesBefore{}, tilesAfter{};  // the whole tile map
    std::optional<LightingSettings> lightingBefore{}, lightingAfter{};
};

// The entity as it is now, as the before (or with `asAfter`, the after) side
// of a change.
EntityChange EntityAsItIs(engine::entity_handle h, bool asAfter);

// Puts the level in the state after the edit (redo) or before it (undo).
void ApplyLevelEdit(const LevelEdit& edit, bool after);

// Records an edit that has been made (the level shows its after side): one
// entry in the undo history, and the level is marked as changed.
void RecordLevelEdit(LevelEdit edit);

// "edit Sprite of Campfire", "add Sprite to Campfire", "rename Campfire to
// Fire"...: what an inspector edit did to one entity.
std::string DescribeEntityEdit(const Json::Value& before, const Json::Value& after);

}  // namespace editor
