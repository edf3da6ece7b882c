// The grid must report exactly the pairs whose bounds overlap or touch, each
// once, whatever the mix of sizes: tiny, huge, infinite, identical, unusable.
#include <algorithm>
#include <limits>
#include <random>

#include <gtest/gtest.h>

#include "physics/broad_phase.h"

namespace {

std::vector<uint64_t> BruteForce(const std::vector<Bounds>& b, const std::vector<uint8_t>& usable) {
    std::vector<uint64_t> out;
    for (uint32_t i = 0; i < b.size(); ++i)
        for (uint32_t j = i + 1; j < b.size(); ++j)
            if (usable[i] && usable[j] && b[i].minX <= b[j].maxX && b[j].minX <= b[i].maxX &&
                b[i].minY <= b[j].maxY && b[j].minY <= b[i].maxY)
                out.push_back(PairCode(i, j));
    return out;
}

TEST(BroadPhaseTest, FindsExactlyTheOverlappingPairsOnce) {
    std::mt19937 rng(99);
    std::uniform_real_distribution<float> pos(-500, 500), size(0, 30), big(200, 3000);
    const float inf = std::numeric_limits<float>::infinity();
    BroadPhase grid;
    for (int round = 0; round < 50; ++round) {
        std::vector<Bounds> bounds;
        std::vector<uint8_t> usable;
        const int n = 1 + round * 7;
        for (int i = 0; i < n; ++i) {
            float x = pos(rng), y = pos(rng);
            float w = i % 17 == 0 ? big(rng) : size(rng), h = i % 13 == 0 ? 0.0f : size(rng);
            if (i % 5 == 0 && i > 0) x = bounds[i - 1].maxX, y = bounds[i - 1].minY;  // edges touching
            bounds.push_back({x, y, x + w, y + h});
            if (i % 29 == 0) bounds.back() = {-inf, y, inf, y + h};  // a body thrown to infinity
            usable.push_back(i % 11 != 3);
        }
        std::vector<uint64_t> found;
        grid.FindPairs(bounds, usable, found);
        std::sort(found.begin(), found.end());
        ASSERT_EQ(found, BruteForce(bounds, usable)) << "round " << round;
    }
}

// Finite bounds whose width or span overflows a float (radius 3e38, items at
// both ends of the float range) must neither size the grid nor be lost.
TEST(BroadPhaseTest, SizesAndSpansBeyondTheFloatRange) {
    const std::vector<Bounds> bounds = {
        {-3e38f, -3e38f, 3e38f, 3e38f}, {-3e38f + 5, -3e38f, 3e38f + 5, 3e38f},  // overflowing widths
        {-3.3e38f, 0, -3.3e38f + 1e32f, 1},  {3.3e38f, 0, 3.3e38f, 1},         // span overflows
        {0, 0, 1, 1},                        {0.5f, 0.5f, 2, 2},
    };
    std::vector<uint8_t> usable(bounds.size(), 1);
    std::vector<uint64_t> found;
    BroadPhase grid;
    grid.FindPairs(bounds, usable, found);
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, BruteForce(bounds, usable));
    EXPECT_EQ(found.size(), 6u);
}

TEST(BroadPhaseTest, IdenticalAndPointBounds) {
    std::vector<Bounds> bounds(5, Bounds{3, 3, 3, 3});
    std::vector<uint8_t> usable(5, 1);
    std::vector<uint64_t> found;
    BroadPhase().FindPairs(bounds, usable, found);
    EXPECT_EQ(found.size(), 10u);
}

}  // namespace
