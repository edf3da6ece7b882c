#include "graphics/cull_sprites.h"

#include <algorithm>
#include <cmath>

#include "graphics/sprite.h"

uint32_t SpriteTypeID() { return Sprite::typeID; }

bool SpriteInsideCullCircle(glm::vec2 d, float width, float height, float r2) {
    const float ax = std::max(0.0f, std::fabs(d.x) - width / 2.0f);
    const float ay = std::max(0.0f, std::fabs(d.y) - height);
    return ax * ax + ay * ay < r2;
}

void CullSprite(engine::entity_handle handle, const engine::entity_base& record, RootComponent* component, glm::vec2 d,
                float r2, RenderLists& lists) {
    // Filled in once the Sprite component exposes its size and flags.
    (void)handle, (void)record, (void)component, (void)d, (void)r2, (void)lists;
}
