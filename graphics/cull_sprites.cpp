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
    auto* sprite = static_cast<Sprite*>(component);
    if (!SpriteInsideCullCircle(d, float(sprite->GetWidth()), float(sprite->GetHeight()), r2)) return;
    SpriteDrawItem item{handle, sprite, record.position, sprite->GetYOffset()};
    if (!sprite->GetEnvironmental())
        lists.unlitSprites.push_back(item);
    else if (sprite->GetClamped())
        lists.litClampedSprites.push_back(item);
    else
        lists.litFreeSprites.push_back(item);
}
