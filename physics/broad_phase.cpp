#include "physics/broad_phase.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMaxCellsPerItem = 64;

bool Touch(const Bounds& a, const Bounds& b) {
    return a.minX <= b.maxX && b.minX <= a.maxX && a.minY <= b.maxY && b.minY <= a.maxY;
}

// Bounds whose corners and sizes are all finite floats. A body of radius 3e38
// has finite corners but a width that overflows to infinity; it goes with the
// large items rather than into the grid's size.
bool FiniteBounds(const Bounds& b) {
    return std::isfinite(b.minX) && std::isfinite(b.minY) && std::isfinite(b.maxX) && std::isfinite(b.maxY) &&
           std::isfinite(b.maxX - b.minX) && std::isfinite(b.maxY - b.minY);
}

}  // namespace

BroadPhase::CellRange BroadPhase::CellsOf(const Bounds& b) const {
    // Clamped before the conversion, so huge coordinates never overflow the
    // integer. In double: a float difference of two huge coordinates could be
    // infinite, and infinity times a tiny inverse cell size NaN.
    auto cell = [this](float v, double origin, int count) {
        double f = std::floor((double(v) - origin) * inverseCell_);
        f = std::min(std::max(f, 0.0), double(count - 1));
        return int(f);
    };
    return {cell(b.minX, originX_, columns_), cell(b.minY, originY_, rows_), cell(b.maxX, originX_, columns_),
            cell(b.maxY, originY_, rows_)};
}

void BroadPhase::FindPairs(const std::vector<Bounds>& bounds, const std::vector<uint8_t>& usable,
                           std::vector<uint64_t>& pairs) {
    large_.clear();
    gridded_.clear();
    // Sums and spans in double: items at -3e38 and +3e38 span more than a float holds.
    double loX = 0, loY = 0, hiX = 0, hiY = 0, extent = 0;
    for (uint32_t i = 0; i < bounds.size(); ++i) {
        if (!usable[i]) continue;
        const Bounds& b = bounds[i];
        if (!FiniteBounds(b)) {
            large_.push_back(i);
            continue;
        }
        if (gridded_.empty()) loX = b.minX, loY = b.minY, hiX = b.maxX, hiY = b.maxY;
        loX = std::min(loX, double(b.minX)), loY = std::min(loY, double(b.minY));
        hiX = std::max(hiX, double(b.maxX)), hiY = std::max(hiY, double(b.maxY));
        extent += std::max(double(b.maxX) - b.minX, double(b.maxY) - b.minY);
        gridded_.push_back(i);
    }
    if (!gridded_.empty()) {
        // Cells about twice the average item, but never more cells than a few
        // per item, so a sparse level does not pay for an empty grid.
        const size_t n = gridded_.size();
        const double spanX = std::max(hiX - loX, 1e-3), spanY = std::max(hiY - loY, 1e-3);
        double cell = std::max(2.0 * extent / double(n), 1e-3);
        const double cap = 4.0 * double(n) + 16.0;
        if ((spanX / cell + 1) * (spanY / cell + 1) > cap) cell = std::sqrt(spanX * spanY / cap) * 1.5;
        originX_ = loX, originY_ = loY, inverseCell_ = 1.0 / cell;
        columns_ = int(std::clamp(spanX / cell + 1, 1.0, 4096.0));
        rows_ = int(std::clamp(spanY / cell + 1, 1.0, 4096.0));

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
