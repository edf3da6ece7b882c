#include "graphics/draw_order.h"

#include <algorithm>
#include <cmath>

void SortLitFrontToBack(std::vector<SpriteDrawItem>& items) {
    std::stable_sort(items.begin(), items.end(), [](const SpriteDrawItem& a, const SpriteDrawItem& b) {
        if (std::fabs(a.position.z - b.position.z) >= 0.0001f) return a.position.z > b.position.z;
        const float ya = a.position.y + a.yOffset, yb = b.position.y + b.yOffset;
        if (std::fabs(ya - yb) >= 0.0001f) return ya < yb;
        return a.position.x < b.position.x;
    });
}

void SortUnlitBackToFront(std::vector<SpriteDrawItem>& items) {
    std::stable_sort(items.begin(), items.end(), [](const SpriteDrawItem& a, const SpriteDrawItem& b) {
        if (std::fabs(a.position.z - b.position.z) >= 0.00001f) return a.position.z < b.position.z;
        return a.position.y > b.position.y;
    });
}
