#include "graphics/scene_coverage.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

#include <glm/gtc/matrix_transform.hpp>

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

// Where the anchored quad's corners (-0.5, 0) and (0.5, 1) land on the scene
// target, in pixels (rows from the bottom). The quad spans x -0.5..0.5 and
// y 0..1 of its model space, and clip = view x model only scales and moves it.
struct QuadCorners {
    float xa, ya, xb, yb;
};

QuadCorners CornersOnScene(const glm::mat4& clip) {
    const glm::vec4 a = clip * glm::vec4(-0.5f, 0.0f, 0.0f, 1.0f);
    const glm::vec4 b = clip * glm::vec4(0.5f, 1.0f, 0.0f, 1.0f);
    return {(a.x + 1.0f) * 0.5f * float(kSceneWidth), (-a.y + 1.0f) * 0.5f * float(kSceneHeight),
            (b.x + 1.0f) * 0.5f * float(kSceneWidth), (-b.y + 1.0f) * 0.5f * float(kSceneHeight)};
}

// Whether a texel edge of a quad side from pa to pb holding `texels` texels
// could fall on a pixel centre, where the rounding of an interpolated texture
// coordinate would decide which texel a pixel shows. Only a quad of one pixel
// per texel whose edges stay clear of the centres is sure not to.
bool TexelEdgesNearCentres(float pa, float pb, float texels) {
    const float lo = std::min(pa, pb);
    const float offCentre = std::abs(lo - std::floor(lo) - 0.5f);
    return std::abs(std::abs(pb - pa) - texels) > kCoverageSlack || offCentre <= kCoverageSlack;
}

// The quad parameter (0 at pa, 1 at pb) of the cut of side [pa, pb] to the
// pixel edges [keepLo, keepHi]: t0 <= t1, exactly 0 and 1 where nothing is cut
// (a keep edge on the quad's own, give or take rounding, cuts nothing).
void CutSide(float pa, float pb, int keepLo, int keepHi, float& t0, float& t1) {
    const float lo0 = std::min(pa, pb), hi0 = std::max(pa, pb);
    const float lo = float(keepLo) > lo0 + kCoverageSlack ? float(keepLo) : lo0;
    const float hi = float(keepHi) < hi0 - kCoverageSlack ? float(keepHi) : hi0;
    auto param = [&](float p) { return p == pa ? 0.0f : p == pb ? 1.0f : (p - pa) / (pb - pa); };
    t0 = std::min(param(lo), param(hi));
    t1 = std::max(param(lo), param(hi));
}

}  // namespace

QuadPixels ScenePixelsOfQuad(const glm::mat4& clip) {
    const auto [xa, ya, xb, yb] = CornersOnScene(clip);
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

PixelRect SceneCoverage::Unclaimed(const PixelRect& r) const {
    int x0 = kSceneWidth, x1 = -1, y0 = kSceneHeight, y1 = -1;
    for (int y = r.y; y < r.y + r.height; ++y) {
        for (int w = r.x / 64; w < kWords && 64 * w < r.x + r.width; ++w) {
            const uint64_t open = ~rows_[y][w] & WordMask(w, r.x, r.x + r.width);
            if (!open) continue;
            y0 = std::min(y0, y);
            y1 = y;
            x0 = std::min(x0, 64 * w + std::countr_zero(open));
            x1 = std::max(x1, 64 * w + 63 - std::countl_zero(open));
        }
    }
    if (x1 < 0) return {};
    return {x0, y0, x1 - x0 + 1, y1 - y0 + 1};
}

bool CropQuadToPixels(glm::mat4& model, float frame[4], const glm::mat4& sceneView, const PixelRect& keep,
                      glm::vec2 texels) {
    const auto [xa, ya, xb, yb] = CornersOnScene(sceneView * model);
    if (TexelEdgesNearCentres(xa, xb, texels.x) || TexelEdgesNearCentres(ya, yb, texels.y)) return false;
    float tx0, tx1, ty0, ty1;
    CutSide(xa, xb, keep.x, keep.x + keep.width, tx0, tx1);
    CutSide(ya, yb, keep.y, keep.y + keep.height, ty0, ty1);
    if (tx0 == 0.0f && tx1 == 1.0f && ty0 == 0.0f && ty1 == 1.0f) return false;
    // The quad's z row has no x or y terms, so the depth it draws at is
    // unchanged, bit for bit.
    model = model * glm::scale(glm::translate(glm::mat4(1.0f), glm::vec3(0.5f * (tx0 + tx1) - 0.5f, ty0, 0.0f)),
                               glm::vec3(tx1 - tx0, ty1 - ty0, 1.0f));
    const float u0 = frame[0], v0 = frame[1], du = frame[2] - frame[0], dv = frame[3] - frame[1];
    frame[0] = u0 + du * tx0;
    frame[2] = u0 + du * tx1;
    frame[1] = v0 + dv * ty0;
    frame[3] = v0 + dv * ty1;
    return true;
}
