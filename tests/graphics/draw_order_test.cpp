#include "graphics/draw_order.h"

#include <gtest/gtest.h>

#include <glm/vec4.hpp>

// Sorts sprites given as (x, y, z, y offset), numbered from 1 in list order; gives their numbers.
static std::vector<uint32_t> Sorted(bool lit, const std::vector<glm::vec4>& sprites) {
    std::vector<SpriteDrawItem> items;
    for (const glm::vec4& s : sprites) {
        const uint32_t id = uint32_t(items.size() + 1);
        items.push_back({{id, id}, nullptr, {s.x, s.y, s.z}, s.w});
    }
    lit ? SortLitFrontToBack(items) : SortUnlitBackToFront(items);
    std::vector<uint32_t> ids;
    for (const auto& item : items) ids.push_back(item.handle.GetEntityID());
    return ids;
}

TEST(DrawOrder, UnlitBackToFrontLitFrontToBack) {
    const struct { const char* what; bool lit; std::vector<glm::vec4> sprites; std::vector<uint32_t> ids; } cases[] = {
        {"unlit, equal z: the lower sprite first", false, {{0, 10, 0, 0}, {0, 20, 0, 0}}, {2, 1}},
        {"unlit, ascending z; z within 1e-5: y decides", false,
         {{0, 0, 2, 0}, {0, 0, -1, 0}, {0, 50, 2.000001f, 0}, {0, 0, 0.5f, 0}}, {2, 4, 3, 1}},
        {"lit, equal z: the smaller y + y offset first", true, {{0, 20, 0, 0}, {0, 10, 0, 0}, {0, 30, 0, -25}},
         {3, 2, 1}},
        {"lit, descending z; z within 1e-4: y, then x", true,
         {{5, 0, 0, 0}, {0, 0, 3, 0}, {-5, 0, 0.00005f, 0}, {0, -1, 0, 0}, {9, 0, 1, 0}}, {2, 5, 4, 3, 1}},
    };
    for (const auto& c : cases) EXPECT_EQ(Sorted(c.lit, c.sprites), c.ids) << c.what;
}
