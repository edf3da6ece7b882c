#include "editor/picking.h"

#include <glm/common.hpp>

#include "ecs/entity_store.h"

namespace editor {

engine::entity_handle PickTopmost(glm::vec3 p, float half) {
    engine::entity_handle best;
    float bestZ = 0.0f;
    for (const engine::entity_handle& h : engine::GetLiveEntities()) {
        const glm::vec3& q = engine::RecordAt(h.index).position;
        if (q.x <= p.x - half || q.x >= p.x + half || q.y <= p.y - half || q.y >= p.y + half) continue;
        if (best.generation == 0 || q.z > bestZ) {
            best = h;
            bestZ = q.z;
        }
    }
    return best;
}

std::vector<engine::entity_handle> EntitiesInside(glm::vec2 a, glm::vec2 b) {
    const glm::vec2 lo = glm::min(a, b), hi = glm::max(a, b);
    std::vector<engine::entity_handle> inside;
    for (const engine::entity_handle& h : engine::GetLiveEntities()) {
        const glm::vec3& q = engine::RecordAt(h.index).position;
        if (q.x > lo.x && q.x < hi.x && q.y > lo.y && q.y < hi.y) inside.push_back(h);
    }
    return inside;
}

}  // namespace editor
