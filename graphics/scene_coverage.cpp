#include "graphics/scene_coverage.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Columns (or rows) i with lo <= i + 0.5 <= hi, kept inside [0, size).
void CentresWithin(float lo, float hi, int size, int& first, int& end) {
    first = std::max(0, int(std::ceil(lo - 0.5f)));
    end = std::min(size, int(std::floor(hi - 0.5f)) + 1);
    if (end < first) end = first;
}

PixelRect CentresInside(float x0, float y0, float x1, float y1, float slack) {
    int cx, ex, cy, ey;
    CentresWithin(x0 + slack, x1 - slack, kSceneWidth, cx, ex);
    CentresWithin(y0 + slack, y1 - slack, kSceneHeight, cy, ey);
    if (ex <= cx || ey <= cy) return {};
    return {cx, cy, ex - cx, ey - cy};
}

// The bits [first, end) of word w of a row.
uint64_t WordMask(int w, int first, int end) {
    const int lo = std::max(first - 64 * w, 0), hi = std::min(end - 64 * w, 64);
    if (hi <= lo) return 0;
    const uint64_t upTo = hi == 64 ? ~uint64_t(0) : (uint64_t(1) << hi) - 1;
    return upTo & ~((uint64_t(1) << lo) - 1);
}

}  // namespace

QuadPixels ScenePixelsOfQuad(const glm::mat4& clip) {
    // The anchored quad spans x -0.5..0.5 and y 0..1 of its model space, and
    // clip = view x model only scales and moves it.
    const glm::vec4 a = clip * glm::vec4(-0.5f, 0.0f, 0.0f, 1.0f);
    const glm::vec4 b = clip * glm::vec4(0.5f, 1.0f, 0.0f, 1.0f);
    const float xa = (a.x + 1.0f) * 0.5f * float(kSceneWidth), xb = (b.x + 1.0f) * 0.5f * float(kSceneWidth);
    const float ya = (-a.y + 1.0f) * 0.5f * float(kSceneHeight), yb = (-b.y + 1.0f) * 0.5f * float(kSceneHeight);
    const float x0 = std::min(xa, xb), x1 = std::max(xa, xb), y0 = std::min(ya, yb), y1 = std::max(ya, yb);
    // Anything far off the target (or not a number) covers nothing.
    if (!(x1 > -1e6f && x0 < 1e6f && y1 > -1e6f && y0 < 1e6f)) return {};
    return {CentresInside(x0, y0, x1, y1, kCoverageSlack), CentresInside(x0, y0, x1, y1, -kCoverageSlack)};
}

void SceneCoverage::Clear() { std::memset(rows_, 0, sizeof(rows_)); }

void SceneCoverage::Claim(const PixelRect& r) {
    for (int w = r.x / 64; w < kWords && 64 * w < r.x + r.width; ++w) {
        const uint64_t mask = WordMask(w, r.x, r.x + r.width);
        for (int y = r.y; y < r.y + r.height; ++y) rows_[y][w] |= mask;
    }
}

bool SceneCoverage::Covers(const PixelRect& r) const {
    for (int w = r.x / 64; w < kWords && 64 * w < r.x + r.width; ++w) {
        const uint64_t mask = WordMask(w, r.x, r.x + r.width);
        for (int y = r.y; y < r.y + r.height; ++y)
            if ((rows_[y][w] & mask) != mask) return false;
    }
    return true;
}
