#pragma once
// Uniform-grid broad phase over axis-aligned bounds: finds every pair of bounds
// that overlap or touch in time roughly linear in the number of items, where
// checking all n^2 pairs would not scale. It is conservative on purpose; the
// exact collision tests decide.
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
    // Appends, once each and in no particular order, the pair code of every two
    // items whose bounds overlap (edges touching included). Items with `usable`
    // false take no part. Bounds must not hold NaN; infinite ones, and finite
    // ones whose size overflows a float, are fine (checked against all items).
    void FindPairs(const std::vector<Bounds>& bounds, const std::vector<uint8_t>& usable,
                   std::vector<uint64_t>& pairs);

private:
    struct CellRange {
        int x0, y0, x1, y1;
    };
    CellRange CellsOf(const Bounds& b) const;

    // Grid of the current call: cells of `cell` world units from (originX, originY).
    double originX_ = 0, originY_ = 0, inverseCell_ = 1;
    int columns_ = 1, rows_ = 1;
    // Items covering too many cells (huge level geometry, infinite bounds) are
    // checked against every item instead of being put in the grid.
    std::vector<uint32_t> large_;
    std::vector<uint32_t> gridded_;
    std::vector<uint32_t> cellStart_;  // counting sort of item references by cell
    std::vector<uint32_t> cellItems_;
};
