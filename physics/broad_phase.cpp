#include "physics/broad_phase.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMaxCellsPerItem = 64;

bool Touch(const Bounds& a, const Bounds& b) {
    return a.minX <= b.maxX && b.minX <= a.maxX && a.minY <= b.maxY && b.minY <= a.maxY;
}

bool FiniteBounds(const Bounds& b) {
    return std::isfinite(b.minX) && std::isfinite(b.minY) && std::isfinite(b.maxX) && std::isfinite(b.maxY);
}

}  // namespace

BroadPhase::CellRange BroadPhase::CellsOf(const Bounds& b) const {
    // Clamped in float first, so huge coordinates never overflow the integer.
    auto cell = [this](float v, float origin, int count) {
        float f = std::floor((v - origin) * inverseCell_);
        f = std::min(std::max(f, 0.0f), float(count - 1));
        return int(f);
    };
    return {cell(b.minX, originX_, columns_), cell(b.minY, originY_, rows_), cell(b.maxX, originX_, columns_),
            cell(b.maxY, originY_, rows_)};
}

void BroadPhase::FindPairs(const std::vector<Bounds>& bounds, const std::vector<uint8_t>& usable,
                           std::vector<uint64_t>& pairs) {
    large_.clear();
    gridded_.clear();
    float loX = 0, loY = 0, hiX = 0, hiY = 0, extent = 0;
    for (uint32_t i = 0; i < bounds.size(); ++i) {
        if (!usable[i]) continue;
        const Bounds& b = bounds[i];
        if (!FiniteBounds(b)) {
            large_.push_back(i);
            continue;
        }
        if (gridded_.empty()) loX = b.minX, loY = b.minY, hiX = b.maxX, hiY = b.maxY;
        loX = std::min(loX, b.minX), loY = std::min(loY, b.minY);
        hiX = std::max(hiX, b.maxX), hiY = std::max(hiY, b.maxY);
        extent += std::max(b.maxX - b.minX, b.maxY - b.minY);
        gridded_.push_back(i);
    }
    if (!gridded_.empty()) {
        // Cells about twice the average item, but never more cells than a few
        // per item, so a sparse level does not pay for an empty grid.
        const size_t n = gridded_.size();
        const float spanX = std::max(hiX - loX, 1e-3f), spanY = std::max(hiY - loY, 1e-3f);
        float cell = std::max(2.0f * extent / float(n), 1e-3f);
        const float cap = 4.0f * float(n) + 16.0f;
        if ((spanX / cell + 1) * (spanY / cell + 1) > cap) cell = std::sqrt(spanX * spanY / cap) * 1.5f;
        originX_ = loX, originY_ = loY, inverseCell_ = 1.0f / cell;
        columns_ = int(std::min(spanX / cell + 1, 4096.0f));
        rows_ = int(std::min(spanY / cell + 1, 4096.0f));

        // Counting sort of (cell, item) references.
        cellStart_.assign(size_t(columns_) * rows_ + 1, 0);
        size_t kept = 0;
        for (uint32_t i : gridded_) {
            const CellRange r = CellsOf(bounds[i]);
            if ((r.x1 - r.x0 + 1) * (r.y1 - r.y0 + 1) > kMaxCellsPerItem) {
                large_.push_back(i);
                continue;
            }
            gridded_[kept++] = i;
            for (int y = r.y0; y <= r.y1; ++y)
                for (int x = r.x0; x <= r.x1; ++x) ++cellStart_[size_t(y) * columns_ + x + 1];
        }
        gridded_.resize(kept);
        for (size_t c = 1; c < cellStart_.size(); ++c) cellStart_[c] += cellStart_[c - 1];
        cellItems_.resize(cellStart_.back());
        std::vector<uint32_t>& fill = cellStart_;  // advanced while filling, then restored
        for (uint32_t i : gridded_) {
            const CellRange r = CellsOf(bounds[i]);
            for (int y = r.y0; y <= r.y1; ++y)
                for (int x = r.x0; x <= r.x1; ++x) cellItems_[fill[size_t(y) * columns_ + x]++] = i;
        }
        for (size_t c = cellStart_.size() - 1; c > 0; --c) cellStart_[c] = cellStart_[c - 1];
        cellStart_[0] = 0;

        // A pair sharing several cells is reported only by the cell holding the
        // low corner of the overlap of its bounds.
        for (int y = 0; y < rows_; ++y) {
            for (int x = 0; x < columns_; ++x) {
                const size_t c = size_t(y) * columns_ + x;
                for (uint32_t p = cellStart_[c]; p < cellStart_[c + 1]; ++p) {
                    const Bounds& a = bounds[cellItems_[p]];
                    for (uint32_t q = p + 1; q < cellStart_[c + 1]; ++q) {
                        const Bounds& b = bounds[cellItems_[q]];
                        if (!Touch(a, b)) continue;
                        const Bounds corner{std::max(a.minX, b.minX), std::max(a.minY, b.minY), 0, 0};
                        const CellRange r = CellsOf({corner.minX, corner.minY, corner.minX, corner.minY});
                        if (r.x0 == x && r.y0 == y) pairs.push_back(PairCode(cellItems_[p], cellItems_[q]));
                    }
                }
            }
        }
    }
    // Large items against everything (and each other once).
    for (size_t k = 0; k < large_.size(); ++k) {
        const uint32_t a = large_[k];
        for (uint32_t i : gridded_)
            if (Touch(bounds[a], bounds[i])) pairs.push_back(PairCode(a, i));
        for (size_t m = k + 1; m < large_.size(); ++m)
            if (Touch(bounds[a], bounds[large_[m]])) pairs.push_back(PairCode(a, large_[m]));
    }
}
