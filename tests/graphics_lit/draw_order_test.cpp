#include "graphics/draw_order.h"

#include <gtest/gtest.h>

namespace {

SpriteDrawItem Item(uint32_t id, float x, float y, float z, float yOffset = 0.0f) {
    SpriteDrawItem item;
    item.handle = {id, id};
    item.position = {x, y, z};
    item.yOffset = yOffset;
    return item;
}

std::vector<uint32_t> Ids(const std::vector<SpriteDrawItem>& items) {
    std::vector<uint32_t> ids;
    for (const auto& item : items) ids.push_back(item.handle.GetEntityID());
    return ids;
}

}  // namespace

TEST(DrawOrder, UnlitEqualZDrawsTheLowerSpriteFirst) {
    std::vector<SpriteDrawItem> items = {Item(1, 0, 10, 0), Item(2, 0, 20, 0)};
    SortUnlitBackToFront(items);
    EXPECT_EQ(Ids(items), (std::vector<uint32_t>{2, 1}));
}

TEST(DrawOrder, UnlitAscendingZWithItsTolerance) {
    std::vector<SpriteDrawItem> items = {Item(1, 0, 0, 2), Item(2, 0, 0, -1), Item(3, 0, 50, 2.000001f),
                                         Item(4, 0, 0, 0.5f)};
    SortUnlitBackToFront(items);
    // 1 and 3 differ in z by less than 1e-5: y decides, 3 (y 50) first.
    EXPECT_EQ(Ids(items), (std::vector<uint32_t>{2, 4, 3, 1}));
}

TEST(DrawOrder, LitEqualZDrawsTheSmallerYPlusOffsetFirst) {
    std::vector<SpriteDrawItem> items = {Item(1, 0, 20, 0), Item(2, 0, 10, 0)};
    SortLitFrontToBack(items);
    EXPECT_EQ(Ids(items), (std::vector<uint32_t>{2, 1}));

    // The y offset counts: 30 + (-25) = 5 comes before 10.
    items = {Item(1, 0, 10, 0), Item(2, 0, 30, 0, -25)};
    SortLitFrontToBack(items);
    EXPECT_EQ(Ids(items), (std::vector<uint32_t>{2, 1}));
}

TEST(DrawOrder, LitDescendingZThenYThenX) {
    std::vector<SpriteDrawItem> items = {Item(1, 5, 0, 0), Item(2, 0, 0, 3), Item(3, -5, 0, 0.00005f),
                                         Item(4, 0, -1, 0), Item(5, 9, 0, 1)};
    SortLitFrontToBack(items);
    // z 3, z 1, then the three at z ~0: y -1 first, then x -5 before x 5.
    EXPECT_EQ(Ids(items), (std::vector<uint32_t>{2, 5, 4, 3, 1}));
}

TEST(DrawOrder, IntransitiveTolerancesStayInBounds) {
    // z values 0.00004 apart chain across the tolerance: a merge sort must
    // still terminate with every item present once.
    std::vector<SpriteDrawItem> items;
    for (uint32_t i = 0; i < 2000; ++i) items.push_back(Item(i + 1, float(i % 7), float((i * 37) % 11), i * 0.00004f));
    SortLitFrontToBack(items);
    SortUnlitBackToFront(items);
    std::vector<uint32_t> ids = Ids(items);
    std::sort(ids.begin(), ids.end());
    for (uint32_t i = 0; i < 2000; ++i) ASSERT_EQ(ids[i], i + 1);
}
