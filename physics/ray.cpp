#include "physics/ray.h"

#include <limits>

#include <glm/geometric.hpp>

#include "ecs/entity_store.h"
#include "physics/box_collider.h"

namespace {

// Box centre of an entity, or nothing when it is gone or lost its box (a hit
// list may outlive the entities in it).
bool BoxCenter(engine::entity_handle h, glm::vec2* out) {
    if (!h.IsValid() || !h.Has<BoxCollider>()) return false;
    *out = h.Get<BoxCollider>()->GetCenter();
    return true;
}

}  // namespace

void Ray::Copy(RootComponent* source) {
    auto* other = static_cast<Ray*>(source);
    hits = other->hits;
    nearest = other->nearest;
}

void Ray::ClearHits() {
    hits.clear();
    nearest = engine::entity_handle();
}

void Ray::AddHit(engine::entity_handle entity) {
    if (hits.empty()) {
        hits.push_back(entity);
        nearest = entity;
        return;
    }
    glm::vec2 self, other;
    if (!BoxCenter(owner, &self) || !BoxCenter(entity, &other)) return;
    const float d = glm::distance(self, other);
    for (size_t i = 0; i < hits.size(); ++i) {
        if (hits[i] == entity) continue;
        glm::vec2 at;
        float di = BoxCenter(hits[i], &at) ? glm::distance(self, at) : std::numeric_limits<float>::infinity();
        if (!(di < d)) {
            hits.insert(hits.begin() + long(i), entity);
            if (i == 0) nearest = entity;
            return;
        }
    }
}
