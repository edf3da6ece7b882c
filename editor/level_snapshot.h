#pragma once
// The level in memory as plain data: what the editor puts back when a load it
// started fails half way.
// Entities come back under their old handles and in their old order, so the
// selection and the undo history still name them.
#include <vector>

#include <json/value.h>

#include "ecs/entity_handle.h"
#include "graphics/lighting_settings.h"
#include "physics/physics_settings.h"

namespace editor {

struct LevelSnapshot {
    bool hasTileMap = false;
    Json::Value tileMap;
    LightingSettings lighting;
    PhysicsSettings physics;
    std::vector<engine::entity_handle> handles;  // live-list order
    std::vector<Json::Value> entities;           // one per handle
};

LevelSnapshot CaptureLevel();
// Replaces the level in memory by the snapshot. Nothing is raised: the level
// was never meant to go.
void RestoreLevel(const LevelSnapshot& snapshot);

}  // namespace editor
