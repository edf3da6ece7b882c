#include "editor/level_snapshot.h"

#include <memory>

#include "ecs/entity_list_order.h"
#include "ecs/entity_store.h"
#include "graphics/tile_map.h"

namespace editor {

LevelSnapshot CaptureLevel() {
    LevelSnapshot snapshot;
    if (const TileMap* map = GetTileMap()) {
        snapshot.hasTileMap = true;
        snapshot.tileMap = map->Serialize();
    }
    snapshot.lighting = GetLightingSettings();
    snapshot.physics = GetPhysicsSettings();
    snapshot.handles = engine::GetLiveEntities();
    for (const engine::entity_handle& h : snapshot.handles) snapshot.entities.push_back(h.Serialize());
    return snapshot;
}

void RestoreLevel(const LevelSnapshot& snapshot) {
    engine::DestroyAllEntities();
    std::unique_ptr<TileMap> map;
    if (snapshot.hasTileMap) {
        map = std::make_unique<TileMap>();
        map->Deserialize(snapshot.tileMap);
    }
    SetTileMap(std::move(map));
    GetLightingSettings() = snapshot.lighting;
    GetPhysicsSettings() = snapshot.physics;
    for (size_t i = 0; i < snapshot.handles.size(); ++i)
        engine::RecreateEntity(snapshot.handles[i]).Deserialize(snapshot.entities[i]);
}

}  // namespace editor
