#pragma once
// Sort-and-sweep over axis-aligned bounds: finds every pair of bounds that
// overlap or touch, without looking at all n^2 pairs. It is conservative on
// purpose; the exact collision tests decide.
#include <cstdint>
#include <vector>

struct Bounds {
    float minX, minY, maxX, maxY;
};

// Pair code of items i < j: (i << 32) | j, which sorts in (i, j) order.
inline uint64_t PairCode(uint32_t i, uint32_t j) {
    return i < j ? (uint64_t(i) << 32) | j : (uint64_t(j) << 32) | i;
}

class BroadPhase {
public:
    // Appends the pair code of every two items whose bounds overlap (edges
    // touching included). Items with `usable` false take no part. Bounds must
    // not hold NaN.
    void FindPairs(const std::vector<Bounds>& bounds, const std::vector<uint8_t>& usable,
                   std::vector<uint64_t>& pairs);

private:
    struct Entry {
        float minX, maxX, minY, maxY;
        uint32_t item;
    };
    std::vector<Entry> sorted_;  // reused between steps
};
