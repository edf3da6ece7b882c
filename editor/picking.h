#pragma once
// Finding entities by position, for clicks and rectangle selection. Both walk
// the live entities in list order and test the position strictly inside.
#include <vector>

#include <glm/vec2.hpp>
#include <glm/vec3.hpp>

#include "ecs/entity_handle.h"

namespace editor {

// The entity whose position lies strictly inside the square p +- half (x and
// y) with the greatest z; on equal z the earlier one in the live list. The
// empty handle when none.
engine::entity_handle PickTopmost(glm::vec3 p, float half);

// The live entities, in list order, whose position lies strictly inside the
// rectangle spanned by the two corners (in any order).
std::vector<engine::entity_handle> EntitiesInside(glm::vec2 a, glm::vec2 b);

}  // namespace editor
