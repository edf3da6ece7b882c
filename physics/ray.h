#pragma once
// Ray: marks an entity whose BoxCollider is a probe (a box rotated by its angle)
// rather than a solid body. Physics records every box the probe overlaps with
// AddHit; the list is rebuilt each physics step (cleared at the start of the
// step), so it always describes the latest step. Nothing is saved.
#include <vector>

#include "ecs/root_component.h"

class Ray : public BaseComponent<Ray> {
public:
    std::vector<engine::entity_handle> hits;  // nearest first, see AddHit
    engine::entity_handle nearest;            // front of hits; default when none

    void Initialize() override {}
    void Remove() override {}
    void Copy(RootComponent* source) override;
    Json::Value Serialize() override { return Json::Value(); }
    void Deserialize(Json::Value) override {}
    void EditInfoDisplay() override {}

    // Records an entity the probe overlaps. Both the ray's entity and the hit
    // entity have box colliders; distance is box centre to box centre. The new
    // entity goes before the first entry (other than itself) that is not nearer
    // than it; when every entry is nearer, it is not recorded.
    void AddHit(engine::entity_handle entity);
    void ClearHits();
};
