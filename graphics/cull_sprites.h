#pragma once
// The sprite half of culling: sorts a visible sprite into the unlit, lit clamped
// or lit free list. Kept apart from the light culling because it is the only part
// that reads the Sprite component.
#include <cstdint>

#include <glm/vec2.hpp>

#include "ecs/entity_store.h"
#include "graphics/render_lists.h"

uint32_t SpriteTypeID();

// `d` = entity position - camera position; r2 = squared cull radius. The sprite
// is visible when its sheet's box (width wide, hanging `height` below the entity)
// comes strictly inside the circle.
void CullSprite(engine::entity_handle handle, const engine::entity_base& record, RootComponent* sprite, glm::vec2 d,
                float r2, RenderLists& lists);

// The distance test on its own: ax = max(0, |d.x| - width / 2),
// ay = max(0, |d.y| - height), visible when ax^2 + ay^2 < r2.
bool SpriteInsideCullCircle(glm::vec2 d, float width, float height, float r2);
