#include "graphics/shadow_geometry.h"

#include "core/camera.h"

#include <cmath>

#include <glm/geometric.hpp>
#include <gtest/gtest.h>

namespace {

const TrigTables& Tables() {
    static const TrigTables tables;
    return tables;
}

// Distance from the ellipse centre to the line through L and T, scaled so a
// tangent line of a circle of radius r gives r.
float LineDistance(glm::vec2 P, glm::vec2 L, glm::vec2 T) {
    const glm::vec2 d = T - L, w = P - L;
    return std::fabs(d.x * w.y - d.y * w.x) / std::sqrt(d.x * d.x + d.y * d.y);
}

}  // namespace

TEST(TrigTables, HoldFourHundredEntriesAndWrapTheFullTurn) {
    EXPECT_FLOAT_EQ(Tables().sine[100], 1.0f);
    EXPECT_FLOAT_EQ(Tables().cosine[0], 1.0f);
    EXPECT_NEAR(Tables().cosine[200], -1.0f, 1e-6);
    EXPECT_EQ(TrigTables::Index(0.0f), 0);
    EXPECT_EQ(TrigTables::Index(3.1f), 197);          // integer part of 197.35
    EXPECT_EQ(TrigTables::Index(6.2831853f), 0);     // 2 pi is the same entry as 0
    EXPECT_EQ(TrigTables::Index(NAN), 0);
}

TEST(TangentPoints, CircleSeenFromTheLeftTouchesAboveAndBelow) {
    // Circle of radius 10 at the origin, light at (-30, 0): the tangent points
    // are at x = -10/3, y = +-9.43.
    const glm::vec2 P(0, 0), L(-30, 0);
    const glm::vec2 A = TangentPoint(Tables(), P, 10, 10, L, 0);
    const glm::vec2 B = TangentPoint(Tables(), P, 10, 10, L, 1);
    EXPECT_NEAR(A.x, -10.0f / 3.0f, 0.6f);
    EXPECT_NEAR(B.x, -10.0f / 3.0f, 0.6f);
    EXPECT_NEAR(std::fabs(A.y), 9.43f, 0.4f);
    EXPECT_NEAR(A.y, -B.y, 0.8f);
    EXPECT_GT(std::fabs(A.y - B.y), 17.0f);  // one on each side
    EXPECT_NEAR(LineDistance(P, L, A), 10.0f, 0.1f);
    EXPECT_NEAR(LineDistance(P, L, B), 10.0f, 0.1f);
}

TEST(TangentPoints, FlatEllipseFromAbove) {
    // Ellipse 40 wide, 10 high at (100, 50); light straight above. The
    // silhouette points lie to the left and right of the centre, above its row.
    const glm::vec2 P(100, 50), L(100, 0);
    const glm::vec2 A = TangentPoint(Tables(), P, 20, 5, L, 0);
    const glm::vec2 B = TangentPoint(Tables(), P, 20, 5, L, 1);
    EXPECT_NEAR(std::fabs(A.x - P.x), 20.0f, 1.0f);
    EXPECT_NEAR(std::fabs(B.x - P.x), 20.0f, 1.0f);
    EXPECT_LT((A.x - P.x) * (B.x - P.x), 0.0f);
    EXPECT_LE(A.y, P.y + 0.01f);
    EXPECT_LE(B.y, P.y + 0.01f);
}

TEST(CasterShadow, LightInsideTheBoxWritesNoArea) {
    float out[kShadowFloatsPerCaster];
    CasterShape caster{{10, 10}, 8, 4};
    WriteCasterShadow(Tables(), caster, {13, 12}, 100, out);
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(out[2 * i], 10.0f);
        EXPECT_EQ(out[2 * i + 1], 10.0f);
    }
    // On the box's edge counts as outside.
    WriteCasterShadow(Tables(), caster, {18, 10}, 100, out);
    EXPECT_NE(out[2], out[0]);
}

TEST(CasterShadow, ZeroSizedCasterWritesNoAreaInsteadOfNaN) {
    float out[kShadowFloatsPerCaster];
    WriteCasterShadow(Tables(), {{0, 0}, 0, 0}, {0, 0}, 50, out);
    for (float v : out) EXPECT_EQ(v, 0.0f);
}

TEST(CasterShadow, TrianglesStretchAwayFromTheLightByTheReach) {
    float out[kShadowFloatsPerCaster];
    const glm::vec2 L(-30, 0);
    WriteCasterShadow(Tables(), {{0, 0}, 20, 20}, L, 100, out);
    auto vertex = [&](int i) { return glm::vec2(out[2 * i], out[2 * i + 1]); };
    const glm::vec2 B = vertex(0), B2 = vertex(1), C = vertex(2), A2 = vertex(5), A = vertex(8);
    EXPECT_EQ(vertex(3), B);
    EXPECT_EQ(vertex(4), C);
    EXPECT_EQ(vertex(6), B);
    EXPECT_EQ(vertex(7), A2);
    EXPECT_NEAR(glm::length(B2 - B), 100.0f, 1e-3);
    EXPECT_NEAR(glm::length(A2 - A), 100.0f, 1e-3);
    // B' continues the ray from the light through B.
    EXPECT_NEAR(LineDistance(B2, L, B), 0.0f, 1e-3);
    EXPECT_NEAR(C.x, B2.x + A2.x - L.x, 1e-3);
    EXPECT_NEAR(C.y, B2.y + A2.y - L.y, 1e-3);
    // Everything lies on the far side of the caster.
    for (int i = 0; i < 9; ++i) EXPECT_GT(vertex(i).x, -10.0f);
}

TEST(ShadowGeometry, EveryCasterOfEveryShadowedLightInOrderTaggedWithItsBit) {
    // 120 casters in a row under 40 lights above them: the frame's one draw
    // holds 9 vertices per (light, caster) for the first 32 lights only.
    std::vector<CasterShape> casters;
    for (int k = 0; k < 120; ++k) casters.push_back({{float(k * 20), 100.0f}, 12, 6});
    std::vector<ShadowLight> lights;
    for (int i = 0; i < 40; ++i) lights.push_back({{float(i * 30), 0.0f}, 150.0f});
    std::vector<ShadowVertex> out;
    BuildShadowGeometry(Tables(), casters, lights, out);
    ASSERT_EQ(out.size(), size_t(32 * 120 * 9));
    float expected[kShadowFloatsPerCaster];
    for (size_t i = 0; i < 32; ++i) {
        for (size_t k = 0; k < 120; k += 37) {
            WriteCasterShadow(Tables(), casters[k], lights[i].position, lights[i].reach, expected);
            const size_t first = (i * 120 + k) * 9;
            for (int v = 0; v < 9; ++v) {
                EXPECT_EQ(out[first + v].light, i);
                EXPECT_EQ(out[first + v].x, expected[2 * v]);
                EXPECT_EQ(out[first + v].y, expected[2 * v + 1]);
            }
        }
    }
    EXPECT_EQ(out.back().light, 31u);  // bit 31 is the last one ever set
}

TEST(ShadowGeometry, PairsWithoutAreaAreLeftOut) {
    // Light 0 stands inside caster 0's box: only caster 1 shadows from it;
    // light 1 sees both. A caster of no size shadows nothing.
    const std::vector<CasterShape> casters = {{{0, 0}, 20, 10}, {{60, 0}, 10, 10}, {{-60, 0}, 0, 0}};
    const std::vector<ShadowLight> lights = {{{2, 1}, 100}, {{0, -50}, 100}};
    std::vector<ShadowVertex> out;
    BuildShadowGeometry(Tables(), casters, lights, out);
    ASSERT_EQ(out.size(), size_t(3 * 9));
    for (int v = 0; v < 9; ++v) EXPECT_EQ(out[v].light, 0u);
    for (int v = 9; v < 27; ++v) EXPECT_EQ(out[v].light, 1u);
    EXPECT_GT(out[0].x, 50.0f);  // light 0's one shadow is caster 1's

    BuildShadowGeometry(Tables(), casters, {}, out);
    EXPECT_TRUE(out.empty());
}

TEST(ShadowGeometry, MaskAreaReadIsTheSceneTargetsWorldArea) {
    // Camera at the origin: the scene covers world x -249..249, y -140..140;
    // the mask starts at (-249, -840), so rows 700..980 (one more texel each
    // side, within the mask).
    Camera camera;
    const glm::vec2 origin(-249.0f, -840.0f);
    MaskRect r = ShadowMaskRectRead(camera.ViewMatrix(false, 498, 280), origin);
    EXPECT_EQ(r.x, 0);
    EXPECT_EQ(r.width, 498);
    EXPECT_EQ(r.y, 699);
    EXPECT_EQ(r.height, 980 - 699);
    // Zoomed out by half, the scene shows twice the rows: the mask rows above
    // the view are read too.
    camera.SetScale(0.5f);
    r = ShadowMaskRectRead(camera.ViewMatrix(false, 498, 280), origin);
    EXPECT_EQ(r.y, 559);
    EXPECT_EQ(r.height, 980 - 559);
    // Camera between whole pixels: the scene sits ceil(c) - c further on.
    camera = Camera();
    camera.SetPosition(10.5f, 20.5f, 0.0f);
    r = ShadowMaskRectRead(camera.ViewMatrix(false, 498, 280), {10.0f - 249.0f, 20.0f - 840.0f});
    EXPECT_EQ(r.x, 0);
    EXPECT_EQ(r.y, 700);
}
