#include "graphics/shadow_raster.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <random>
#include <string>

#include <glm/gtc/matrix_transform.hpp>

#include "graphics/render_limits.h"

namespace {

// World positions equal mask positions: texel (i, j) has its centre at (i + 0.5, j + 0.5).
glm::mat4 MaskView() {
    return glm::scale(glm::mat4(1.0f), glm::vec3(2.0f / kShadowMaskWidth, 2.0f / kShadowMaskHeight, 1.0f)) *
           glm::translate(glm::mat4(1.0f), glm::vec3(-kShadowMaskWidth / 2.0f, -kShadowMaskHeight / 2.0f, 0.0f));
}

void AddTriangle(std::vector<ShadowVertex>& out, glm::vec2 a, glm::vec2 b, glm::vec2 c, uint32_t light) {
    for (glm::vec2 p : {a, b, c}) out.push_back({p.x, p.y, light});
}

// The mask as rows of characters, top row first: '.' no bit, else the lowest light's digit.
std::string Picture(const std::vector<uint32_t>& mask, const MaskRect& r) {
    std::string s;
    for (int y = r.height - 1; y >= 0; --y) {
        for (int x = 0; x < r.width; ++x) {
            const uint32_t m = mask[size_t(y) * r.width + x];
            s += m == 0 ? '.' : char('0' + std::countr_zero(m));
        }
        s += '\n';
    }
    return s;
}

}  // namespace

TEST(ShadowRaster, CentresOnTheLeftAndBottomEdgesAreCoveredAndASharedEdgeOnce) {
    // A square from centre (1.5, 1.5) to centre (4.5, 4.5), cut along its diagonal
    // through the centres: light 1 below the diagonal, light 2 above, each side
    // drawn in a different winding.
    std::vector<ShadowVertex> tris;
    AddTriangle(tris, {1.5f, 1.5f}, {4.5f, 1.5f}, {4.5f, 4.5f}, 1);
    AddTriangle(tris, {1.5f, 1.5f}, {1.5f, 4.5f}, {4.5f, 4.5f}, 2);
    const MaskRect r{0, 0, 6, 6};
    std::vector<uint32_t> mask;
    RasterizeShadows(tris, MaskView(), r, mask);
    EXPECT_EQ(Picture(mask, r),
              "......\n"
              "......\n"
              ".221..\n"
              ".211..\n"
              ".111..\n"
              "......\n");
    for (uint32_t m : mask) EXPECT_NE(m, 6u);  // never both sides of the diagonal
}

TEST(ShadowRaster, OnlyTheRectIsFilledAndOverlappingLightsAddTheirBits) {
    std::vector<ShadowVertex> tris;
    AddTriangle(tris, {10, 10}, {20, 10}, {10, 20}, 0);
    AddTriangle(tris, {10, 20}, {20, 10}, {20, 20}, 0);  // with the first, the square 10..20
    AddTriangle(tris, {15, 0}, {30, 0}, {30, 30}, 31);
    const MaskRect r{12, 8, 10, 4};  // texels 12..21, rows 8..11
    std::vector<uint32_t> mask(3, 7u);
    RasterizeShadows(tris, MaskView(), r, mask);
    ASSERT_EQ(mask.size(), 40u);
    for (int y = 0; y < r.height; ++y) {
        for (int x = 0; x < r.width; ++x) {
            const float cx = r.x + x + 0.5f, cy = r.y + y + 0.5f;
            const uint32_t square = cx < 20 && cy > 10 ? 1u : 0u;
            const uint32_t wedge = cx > 15 && cy < 2 * (cx - 15) ? 1u << 31 : 0u;
            EXPECT_EQ(mask[size_t(y) * r.width + x], square | wedge) << cx << ", " << cy;
        }
    }
}

TEST(ShadowRaster, TrianglesReachingFarPastTheMaskAreCutToItAndBrokenOnesSkipped) {
    const float inf = std::numeric_limits<float>::infinity(), nan = std::numeric_limits<float>::quiet_NaN();
    std::vector<ShadowVertex> tris;
    // The left half of the mask's bottom rows, from a triangle a million texels across.
    AddTriangle(tris, {-1e6f, -1e6f}, {249, -1e6f}, {249, 1e6f}, 3);
    AddTriangle(tris, {-1e6f, -1e6f}, {249, 1e6f}, {-1e6f, 1e6f}, 3);
    AddTriangle(tris, {0, 0}, {inf, 0}, {0, 100}, 4);
    AddTriangle(tris, {0, 0}, {nan, 0}, {0, 100}, 5);
    // Cut in floats as a driver cuts them, vertices this far land anywhere;
    // what matters is that no edge sum overflows (the checked build traps it).
    AddTriangle(tris, {-1e12f, 5}, {1e12f, 5}, {0, 1e12f}, 6);
    AddTriangle(tris, {-1e30f, 5}, {1e30f, 5}, {0, 1e30f}, 6);
    const MaskRect r{0, 0, kShadowMaskWidth, 4};
    std::vector<uint32_t> mask;
    RasterizeShadows(tris, MaskView(), r, mask);
    for (int x = 0; x < kShadowMaskWidth; ++x)
        EXPECT_EQ(mask[x] & 0x3fu, x < 249 ? 8u : 0u) << x;
}

TEST(ShadowRaster, AFanCoversWhatItsTrianglesCoverOneByOne) {
    // Fans of four triangles around random corners on the half-texel grid, so
    // that many centres fall on edges and corners; drawn as they come (a fan)
    // and in reverse order (triangle by triangle) they must cover the same.
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> half(0, 40);
    const MaskRect r{0, 0, 24, 24};
    for (int round = 0; round < 400; ++round) {
        const glm::vec2 o(half(rng) * 0.5f, half(rng) * 0.5f);
        std::vector<glm::vec2> rim;
        const float start = float(round) * 0.7f;
        for (int i = 0; i < 5; ++i) {
            const float a = start + 0.6f * float(i), d = 1.0f + float(half(rng)) * 0.25f;
            rim.push_back(o + glm::vec2(std::round(2.0f * d * std::cos(a)) * 0.5f, std::round(2.0f * d * std::sin(a)) * 0.5f));
        }
        std::vector<ShadowVertex> fan, apart;
        for (int i = 0; i + 1 < 5; ++i) AddTriangle(fan, o, rim[i], rim[i + 1], 7);
        for (size_t i = fan.size(); i >= 3; i -= 3) apart.insert(apart.end(), fan.begin() + i - 3, fan.begin() + i);
        std::vector<uint32_t> a, b;
        RasterizeShadows(fan, MaskView(), r, a);
        RasterizeShadows(apart, MaskView(), r, b);
        ASSERT_EQ(Picture(a, r), Picture(b, r)) << "round " << round;
    }
}

TEST(ShadowRaster, ManyShadowsFillTheMaskTheirTrianglesFillAndFewLeaveItAlone) {
    // 30 lights and 40 casters: the two halves of the lights go on two threads.
    static const TrigTables tables;
    std::mt19937 rng(9);
    std::uniform_real_distribution<float> x(0.0f, 240.0f), y(0.0f, 200.0f);
    std::vector<CasterShape> casters;
    std::vector<ShadowLight> lights;
    for (int i = 0; i < 40; ++i) casters.push_back({{x(rng), y(rng)}, 12, 6});
    for (int i = 0; i < 30; ++i) lights.push_back({{x(rng), y(rng)}, 150});
    const MaskRect r{3, 5, 240, 201};
    std::vector<ShadowVertex> all;
    BuildShadowGeometry(tables, casters, lights, WorldRect(), all);
    std::vector<uint32_t> expected, got;
    RasterizeShadows(all, MaskView(), r, expected);
    ShadowMaskWork work;
    EXPECT_TRUE(FillShadowMask(tables, casters, lights, WorldRect(), MaskView(), r, work, got));
    EXPECT_EQ(got, expected);
    EXPECT_NE(std::count(got.begin(), got.end(), 0u), std::ptrdiff_t(got.size()));
    // One light inside its only caster throws no shadow: the mask is not touched.
    got.assign(2, 7u);
    EXPECT_FALSE(FillShadowMask(tables, {{{50, 50}, 10, 10}}, {{{50, 50}, 100}}, WorldRect(), MaskView(), r, work, got));
    EXPECT_EQ(got, std::vector<uint32_t>(2, 7u));
}
