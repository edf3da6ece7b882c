#include "physics/broad_phase.h"

#include <algorithm>

void BroadPhase::FindPairs(const std::vector<Bounds>& bounds, const std::vector<uint8_t>& usable,
                           std::vector<uint64_t>& pairs) {
    sorted_.clear();
    float spreadX = 0.0f, spreadY = 0.0f;
    for (size_t i = 0; i < bounds.size(); ++i) {
        if (!usable[i]) continue;
        const Bounds& b = bounds[i];
        sorted_.push_back({b.minX, b.maxX, b.minY, b.maxY, uint32_t(i)});
    }
    if (sorted_.size() < 2) return;
    // Sweep along the axis on which the items are spread more, so that fewer
    // neighbours fall inside each item's sweep window.
    float loX = sorted_[0].minX, hiX = loX, loY = sorted_[0].minY, hiY = loY;
    for (const Entry& e : sorted_) {
        loX = std::min(loX, e.minX), hiX = std::max(hiX, e.minX);
        loY = std::min(loY, e.minY), hiY = std::max(hiY, e.minY);
    }
    spreadX = hiX - loX;
    spreadY = hiY - loY;
    if (spreadY > spreadX) {
        for (Entry& e : sorted_) {
            std::swap(e.minX, e.minY);
            std::swap(e.maxX, e.maxY);
        }
    }
    std::sort(sorted_.begin(), sorted_.end(), [](const Entry& a, const Entry& b) { return a.minX < b.minX; });
    const size_t n = sorted_.size();
    for (size_t k = 0; k < n; ++k) {
        const Entry& a = sorted_[k];
        for (size_t m = k + 1; m < n && sorted_[m].minX <= a.maxX; ++m) {
            const Entry& b = sorted_[m];
            if (b.minY <= a.maxY && a.minY <= b.maxY) pairs.push_back(PairCode(a.item, b.item));
        }
    }
}
