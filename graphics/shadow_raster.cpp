#include "graphics/shadow_raster.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <thread>

#include "graphics/render_limits.h"

namespace {

constexpr int64_t kSub = 256;  // subtexel steps per texel

int64_t FloorDiv(int64_t a, int64_t b) {  // b > 0
    int64_t q = a / b;
    if (a % b != 0 && a < 0) --q;
    return q;
}

// floor(n / d) while n grows by `step` each row, without dividing again.
struct SteppedQuotient {
    int64_t q = 0, r = 0, d = 1, stepQ = 0, stepR = 0;
    void Start(int64_t n, int64_t divisor, int64_t step) {
        d = divisor;
        q = FloorDiv(n, d);
        r = n - q * d;
        stepQ = FloorDiv(step, d);
        stepR = step - stepQ * d;
    }
    void Next() {  // without a branch: whether the remainder wraps is a coin toss
        q += stepQ;
        r += stepR;
        const int64_t wrap = -int64_t(r >= d);  // all ones when it wraps
        r -= d & wrap;
        q -= wrap;
    }
};

struct Point {
    int64_t x, y;  // subtexels
};

constexpr int kMaxCorners = 8;
// Fewer caster-light pairs than this make shadows that fill in about a
// millisecond at most: one thread does it.
constexpr size_t kShadowsForTwoThreads = 200;

// ORs `bit` into `count` texels from `out`, four at a time: a span that is
// not a whole number of fours ends with four that overlap the ones before,
// which an OR does not mind.
void OrSpan(uint32_t* out, int64_t count, uint32_t bit) {
    if (count < 4) {
        for (int64_t i = 0; i < count; ++i) out[i] |= bit;
        return;
    }
    typedef uint32_t Four __attribute__((vector_size(16)));
    const Four bits = {bit, bit, bit, bit};
    auto orFour = [&](uint32_t* at) {
        Four v;
        std::memcpy(&v, at, sizeof v);
        v |= bits;
        std::memcpy(at, &v, sizeof v);
    };
    for (int64_t i = 0; i + 4 <= count; i += 4) orFour(out + i);
    if (count % 4 != 0) orFour(out + count - 4);
}

// Fills a convex polygon wound counter-clockwise (inside is left of each
// edge), n <= kMaxCorners: the texels whose centres pass every edge's test.
void FillConvex(const Point* v, int n, uint32_t bit, const MaskRect& rect, uint32_t* mask) {
    const int64_t half = kSub / 2;
    int64_t yMin = v[0].y, yMax = v[0].y;
    for (int i = 1; i < n; ++i) {
        yMin = std::min(yMin, v[i].y);
        yMax = std::max(yMax, v[i].y);
    }
    const int64_t rowFirst = std::max<int64_t>(rect.y, -FloorDiv(half - yMin, kSub));  // centre >= yMin
    const int64_t rowLast = std::min<int64_t>(rect.y + rect.height - 1, FloorDiv(yMax - half, kSub));
    if (rowFirst > rowLast) return;
    const int rows = int(rowLast - rowFirst + 1);  // at most the rect's height, within the mask's
    int64_t lo[kShadowMaskHeight], hi[kShadowMaskHeight];
    std::fill(lo, lo + rows, int64_t(rect.x));
    std::fill(hi, hi + rows, int64_t(rect.x) + rect.width - 1);

    // For a centre (px, py): E = dx (py - ay) - dy (px - ax) > 0 inside. An
    // edge running down bounds each row's first texel, one running up its
    // last, over the rows whose centres lie within the edge's height: in a
    // convex polygon the other edges are the tighter ones elsewhere. A
    // horizontal edge decides only a row whose centre lies on it: the bottom
    // edge (running right) keeps it, the top one drops it.
    for (int e = 0; e < n; ++e) {
        const Point a = v[e], b = v[(e + 1) % n];
        const int64_t dx = b.x - a.x, dy = b.y - a.y;
        if (dy == 0) {
            const int64_t row = FloorDiv(a.y - half, kSub);
            if (dx < 0 && row * kSub + half == a.y && row >= rowFirst && row <= rowLast) lo[row - rowFirst] = INT64_MAX;
            continue;
        }
        const int64_t r0 = std::max(rowFirst, -FloorDiv(half - std::min(a.y, b.y), kSub));
        const int64_t r1 = std::min(rowLast, FloorDiv(std::max(a.y, b.y) - half, kSub));
        if (r0 > r1) continue;
        // E at texel i = m - dy * kSub * i, with m = dx (py - ay) - dy (half - ax).
        const int64_t m = dx * (r0 * kSub + half - a.y) - dy * (half - a.x);
        SteppedQuotient q;
        if (dy < 0) {  // centres on it included: i >= ceil(-m / d)
            q.Start(m, -dy * kSub, dx * kSub);
            for (int64_t r = r0 - rowFirst; r <= r1 - rowFirst; ++r, q.Next()) lo[r] = std::max(lo[r], -q.q);
        } else {  // centres on it left out: i <= floor((m - 1) / d)
            q.Start(m - 1, dy * kSub, dx * kSub);
            for (int64_t r = r0 - rowFirst; r <= r1 - rowFirst; ++r, q.Next()) hi[r] = std::min(hi[r], q.q);
        }
    }
    for (int r = 0; r < rows; ++r) {
        if (lo[r] > hi[r]) continue;
        OrSpan(mask + size_t(rowFirst + r - rect.y) * size_t(rect.width) + size_t(lo[r] - rect.x), hi[r] - lo[r] + 1,
               bit);
    }
}

int64_t Cross(Point o, Point a, Point b) { return (a.x - o.x) * (b.y - o.y) - (b.x - o.x) * (a.y - o.y); }

void FillTriangle(Point v0, Point v1, Point v2, uint32_t bit, const MaskRect& rect, uint32_t* mask) {
    const int64_t area = Cross(v0, v1, v2);
    if (area == 0) return;
    const Point v[3] = {v0, area > 0 ? v1 : v2, area > 0 ? v2 : v1};
    FillConvex(v, 3, bit, rect, mask);
}

// Whether the polygon turns the same way, strictly, at every corner (then
// its fan triangles all share that winding); flips it to counter-clockwise.
bool MakeStrictlyConvex(Point* v, int n) {
    int sign = 0;
    for (int i = 0; i < n; ++i) {
        const int64_t c = Cross(v[i], v[(i + 1) % n], v[(i + 2) % n]);
        const int s = c > 0 ? 1 : c < 0 ? -1 : 0;
        if (s == 0 || (sign != 0 && s != sign)) return false;
        sign = s;
    }
    if (sign < 0) std::reverse(v, v + n);
    return true;
}

// A vertex as the driver carries it: clip-space x and y (w is 1) and its
// position on the mask's viewport, texels.
struct ClipVertex {
    float cx, cy;
    float wx, wy;
};

Point Snap(const ClipVertex& v) {
    return {int64_t(std::lrint(v.wx * float(kSub))), int64_t(std::lrint(v.wy * float(kSub)))};
}

constexpr float kHalfWidth = kShadowMaskWidth / 2.0f, kHalfHeight = kShadowMaskHeight / 2.0f;

// The distance inside the viewport's side `plane` (right, left, top, bottom
// in clip space), negative outside.
float InsideBy(const ClipVertex& v, int plane) {
    switch (plane) {
        case 0: return -v.cx + 1.0f;
        case 1: return v.cx + 1.0f;
        case 2: return -v.cy + 1.0f;
        default: return v.cy + 1.0f;
    }
}

// Where the edge from `out` (outside `plane`) to `in` crosses it, computed
// from the outside vertex whichever way the edge is walked, and put on the
// viewport.
ClipVertex CutAt(const ClipVertex& out, const ClipVertex& in, float dOut, float dIn) {
    const float t = dOut / (dOut - dIn);
    ClipVertex v;
    v.cx = out.cx + t * (in.cx - out.cx);
    v.cy = out.cy + t * (in.cy - out.cy);
    const float sx = v.cx * kHalfWidth, sy = v.cy * kHalfHeight;
    v.wx = sx + kHalfWidth;
    v.wy = sy + kHalfHeight;
    return v;
}

// Cuts a triangle reaching past the viewport at each side it crosses, in
// turn, and fills the polygon left as a fan.
void FillClippedTriangle(const ClipVertex (&t)[3], uint32_t bit, const MaskRect& rect, uint32_t* mask) {
    ClipVertex polygons[2][9];
    ClipVertex* poly = polygons[0];
    ClipVertex* next = polygons[1];
    int n = 3;
    std::copy(t, t + 3, poly);
    for (int plane = 0; plane < 4 && n >= 3; ++plane) {
        bool crossed = false;
        for (int i = 0; i < n; ++i) crossed = crossed || InsideBy(poly[i], plane) < 0.0f;
        if (!crossed) continue;
        int m = 0;
        ClipVertex prev = poly[n - 1];
        float dPrev = InsideBy(prev, plane);
        for (int i = 0; i < n; ++i) {
            const ClipVertex& v = poly[i];
            const float d = InsideBy(v, plane);
            if (dPrev >= 0.0f) next[m++] = prev;
            if ((d < 0.0f) != (dPrev < 0.0f)) next[m++] = d < 0.0f ? CutAt(v, prev, d, dPrev) : CutAt(prev, v, dPrev, d);
            prev = v;
            dPrev = d;
        }
        std::swap(poly, next);
        n = m;
    }
    // Far-flung vertices (a huge light radius) can cut to nonsense; the driver
    // draws nothing sensible there either, and the edge sums must not overflow.
    for (int i = 0; i < n; ++i)
        if (!(std::abs(poly[i].wx) < 1e6f && std::abs(poly[i].wy) < 1e6f)) return;
    for (int i = 1; i + 1 < n; ++i) FillTriangle(Snap(poly[0]), Snap(poly[i]), Snap(poly[i + 1]), bit, rect, mask);
}

// World to clip space (x and y scaled and moved) and onto the viewport.
struct MaskProjection {
    float scaleX, moveX, scaleY, moveY;

    ClipVertex Carry(const ShadowVertex& s) const {
        // The product and the sum round apart; the viewport's multiply-add
        // rounds once, as the driver does it.
        const float px = scaleX * s.x, py = scaleY * s.y;
        ClipVertex v;
        v.cx = px + moveX;
        v.cy = py + moveY;
        v.wx = std::fma(v.cx, kHalfWidth, kHalfWidth);
        v.wy = std::fma(v.cy, kHalfHeight, kHalfHeight);
        return v;
    }
};

bool Finite(const ClipVertex& v) { return std::isfinite(v.cx) && std::isfinite(v.cy); }
bool OnViewport(const ClipVertex& v) { return std::abs(v.cx) <= 1.0f && std::abs(v.cy) <= 1.0f; }

void FillOneTriangle(const ShadowVertex* s, const MaskProjection& to, const MaskRect& rect, uint32_t* mask) {
    const ClipVertex t[3] = {to.Carry(s[0]), to.Carry(s[1]), to.Carry(s[2])};
    if (!Finite(t[0]) || !Finite(t[1]) || !Finite(t[2])) return;
    const uint32_t bit = 1u << (s[0].light & 31u);
    if (OnViewport(t[0]) && OnViewport(t[1]) && OnViewport(t[2]))
        FillTriangle(Snap(t[0]), Snap(t[1]), Snap(t[2]), bit, rect, mask);
    else
        FillClippedTriangle(t, bit, rect, mask);
}

bool SamePlace(const ShadowVertex& a, const ShadowVertex& b) { return a.x == b.x && a.y == b.y; }

// Whether triangle `b` continues the fan of triangle `a`: the same light, the
// same first corner, and its second corner is a's third.
bool ContinuesFan(const ShadowVertex* a, const ShadowVertex* b) {
    return a[0].light == b[0].light && SamePlace(a[0], b[0]) && SamePlace(a[2], b[1]);
}

// Fills `part` of the mask (its rows only) into `out`, laid out as `part`.
void FillPart(const std::vector<ShadowVertex>& triangles, const MaskProjection& to, const MaskRect& part,
              uint32_t* out) {
    const size_t count = triangles.size() / 3;
    // A caster's shadow is a fan of triangles around one corner. Where the fan
    // is a strictly convex polygon on the viewport, the texels its triangles
    // cover (each centre on a shared edge by exactly one of them) are those of
    // the polygon, filled in one pass over its rows.
    for (size_t k = 0; k < count;) {
        const ShadowVertex* first = &triangles[3 * k];
        size_t end = k + 1;
        int n = 3;
        while (end < count && n < kMaxCorners && ContinuesFan(&triangles[3 * (end - 1)], &triangles[3 * end])) {
            ++end;
            ++n;
        }
        bool whole = end - k > 1;
        Point corners[kMaxCorners];
        for (int i = 0; i < n && whole; ++i) {
            const ClipVertex v = to.Carry(i < 3 ? first[i] : triangles[3 * (k + size_t(i) - 2) + 2]);
            whole = Finite(v) && OnViewport(v);
            if (whole) corners[i] = Snap(v);
        }
        if (whole && MakeStrictlyConvex(corners, n))
            FillConvex(corners, n, 1u << (first[0].light & 31u), part, out);
        else
            for (size_t t = k; t < end; ++t) FillOneTriangle(&triangles[3 * t], to, part, out);
        k = end;
    }
}

}  // namespace

void RasterizeShadows(const std::vector<ShadowVertex>& triangles, const glm::mat4& view, const MaskRect& rect,
                      std::vector<uint32_t>& mask) {
    mask.assign(size_t(rect.width) * size_t(rect.height), 0u);
    if (rect.width <= 0 || rect.height <= 0 || rect.x < 0 || rect.y < 0 || rect.x + rect.width > kShadowMaskWidth ||
        rect.y + rect.height > kShadowMaskHeight)
        return;
    const MaskProjection to{view[0][0], view[3][0], view[1][1], view[3][1]};
    FillPart(triangles, to, rect, mask.data());
}

bool FillShadowMask(const TrigTables& tables, const std::vector<CasterShape>& casters,
                    const std::vector<ShadowLight>& lights, const WorldRect& seen, const glm::mat4& view,
                    const MaskRect& rect, ShadowMaskWork& work, std::vector<uint32_t>& mask) {
    const size_t shadowed = std::min(lights.size(), size_t(kMaxShadowedLights));
    if (casters.size() * shadowed < kShadowsForTwoThreads || shadowed < 2) {
        BuildShadowGeometry(tables, casters, lights, seen, work.triangles[0]);
        if (work.triangles[0].empty()) return false;
        RasterizeShadows(work.triangles[0], view, rect, mask);
        return true;
    }
    // While the mask is made the driver's own threads have nothing to do yet:
    // the second half of the lights is built and filled beside the first.
    const size_t half = shadowed / 2;
    std::thread second([&] {
        BuildShadowGeometry(tables, casters, lights, seen, work.triangles[1], half, shadowed);
        RasterizeShadows(work.triangles[1], view, rect, work.secondMask);
    });
    BuildShadowGeometry(tables, casters, lights, seen, work.triangles[0], 0, half);
    RasterizeShadows(work.triangles[0], view, rect, mask);
    second.join();
    for (size_t i = 0; i < mask.size(); ++i) mask[i] |= work.secondMask[i];
    return !work.triangles[0].empty() || !work.triangles[1].empty();
}
