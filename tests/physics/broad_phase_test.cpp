// The grid reports exactly the pairs whose bounds overlap or touch, once each.
#include <algorithm>
#include <limits>
#include <random>

#include <gtest/gtest.h>

#include "physics/broad_phase.h"

TEST(BroadPhaseTest, FindsExactlyTheTouchingPairsOnce) {
    std::mt19937 rng(99);
    std::uniform_real_distribution<float> pos(-500, 500), size(0, 40);
    const float inf = std::numeric_limits<float>::infinity();
    BroadPhase grid;
    for (int round = 0; round < 30; ++round) {
        // Spans and sizes beyond a float, points (one unusable), infinite and wide bounds, corners that touch.
        std::vector<Bounds> b = {{-3e38f, -3e38f, 3e38f, 3e38f}, {-3.3e38f, 0, -3.3e38f + 1e32f, 1}, {3.3e38f, 0, 3.3e38f, 1},
                                 {3, 3, 3, 3}, {3, 3, 3, 3}, {3, 3, 3, 3}, {-inf, 5, inf, 6}, {0, 0, 2000, 1},
                                 {10, 10, 20, 20}, {20, 20, 30, 30}};
        for (int i = 0; i < round * 8; ++i) {
            const float x = pos(rng), y = pos(rng);
            b.push_back({x, y, x + size(rng), y + size(rng)});
        }
        std::vector<uint8_t> usable(b.size(), 1);
        usable[3] = 0;
        std::vector<uint64_t> found, expected;
        grid.FindPairs(b, usable, found);
        for (uint32_t i = 0; i < b.size(); ++i)
            for (uint32_t j = i + 1; j < b.size(); ++j)
                if (usable[i] && usable[j] && b[i].minX <= b[j].maxX && b[j].minX <= b[i].maxX && b[i].minY <= b[j].maxY &&
                    b[j].minY <= b[i].maxY)
                    expected.push_back(PairCode(i, j));
        std::sort(found.begin(), found.end());
        ASSERT_EQ(found, expected) << "round " << round;
    }
}
