#include "graphics/shadow_geometry.h"

#include <gtest/gtest.h>

#include <glm/geometric.hpp>

#include "core/camera.h"

static const TrigTables& Tables() {
    static const TrigTables tables;
    return tables;
}

TEST(CasterShadow, TrianglesFromTheTangentPointsStretchAwayFromTheLightByTheReach) {
    // A circle of radius 10 seen from (-30, 0): the tangents touch it at x = -10/3, y = +-9.43.
    float out[kShadowFloatsPerCaster];
    const glm::vec2 L(-30, 0);
    EXPECT_TRUE(WriteCasterShadow(Tables(), {{0, 0}, 20, 20}, L, 100, out));
    auto vertex = [&](int i) { return glm::vec2(out[2 * i], out[2 * i + 1]); };
    const glm::vec2 B = vertex(0), B2 = vertex(1), C = vertex(2), A2 = vertex(5), A = vertex(8);
    for (glm::vec2 T : {A, B})
        EXPECT_NEAR(glm::distance(T, glm::vec2(-10.0f / 3.0f, std::copysign(9.43f, T.y))), 0.0f, 0.6f);
    EXPECT_LT(A.y * B.y, 0.0f);
    // (B, B', C), (B, C, A'), (B, A', A); B' and A' continue the rays from the light by the reach.
    EXPECT_EQ(glm::vec4(vertex(3), vertex(4)), glm::vec4(B, C));
    EXPECT_EQ(glm::vec4(vertex(6), vertex(7)), glm::vec4(B, A2));
    EXPECT_NEAR(glm::length(B2 - (B + 100.0f * glm::normalize(B - L))), 0.0f, 1e-3);
    EXPECT_NEAR(glm::length(A2 - (A + 100.0f * glm::normalize(A - L))), 0.0f, 1e-3);
    EXPECT_NEAR(glm::length(C - (B2 + A2 - L)), 0.0f, 1e-3);
}

TEST(CasterShadow, ALightInsideTheBoxOrACasterOfNoSizeWritesNoArea) {
    // The box reaches the caster's full width and height from its centre; its edge counts as outside.
    const struct { CasterShape caster; glm::vec2 light; bool area; } cases[] = {
        {{{10, 10}, 8, 4}, {13, 12}, false}, {{{10, 10}, 8, 4}, {17.9f, 13.9f}, false},
        {{{10, 10}, 8, 4}, {18, 10}, true},  {{{10, 10}, 8, 4}, {2, 12}, true}, {{{10, 10}, 8, 4}, {10, 6}, true},
        {{{0, 0}, 0, 0}, {5, 5}, false},      {{{0, 0}, 4, 0}, {5, 5}, false},
    };
    for (const auto& c : cases) {
        float out[kShadowFloatsPerCaster];
        EXPECT_EQ(WriteCasterShadow(Tables(), c.caster, c.light, 100, out), c.area) << c.light.x << ", " << c.light.y;
        for (int i = 0; i < 9 && !c.area; ++i) EXPECT_EQ(glm::vec2(out[2 * i], out[2 * i + 1]), c.caster.center);
    }
}

TEST(ShadowGeometry, EveryCasterOfTheFirstThirtyTwoLightsInOrderTaggedWithItsBit) {
    // 120 casters in a row under 40 lights: 9 vertices per (light, caster).
    std::vector<CasterShape> casters(120);
    for (int k = 0; k < 120; ++k) casters[k] = {{float(k * 20), 100.0f}, 12, 6};
    std::vector<ShadowLight> lights(40);
    for (int i = 0; i < 40; ++i) lights[i] = {{float(i * 30), 0.0f}, 150.0f};
    std::vector<ShadowVertex> out;
    BuildShadowGeometry(Tables(), casters, lights, WorldRect(), out);
    ASSERT_EQ(out.size(), size_t(32 * 120 * 9));
    float expected[kShadowFloatsPerCaster];
    for (size_t i : {0, 31}) {
        for (size_t k : {0, 37, 119}) {
            WriteCasterShadow(Tables(), casters[k], lights[i].position, lights[i].reach, expected);
            for (size_t v = 0; v < 9; ++v) {
                const ShadowVertex& got = out[(i * 120 + k) * 9 + v];
                EXPECT_EQ(glm::vec3(got.x, got.y, got.light), glm::vec3(expected[2 * v], expected[2 * v + 1], i));
            }
        }
    }
    // Pairs without area are left out: light 0 stands inside caster 0's box.
    BuildShadowGeometry(Tables(), {{{0, 0}, 20, 10}, {{60, 0}, 10, 10}}, {{{2, 1}, 100}, {{0, -50}, 100}},
                        WorldRect(), out);
    ASSERT_EQ(out.size(), size_t(3 * 9));
    EXPECT_EQ(glm::vec4(out[0].light, out[9].light, out[26].light, out[0].x > 50), glm::vec4(0, 1, 1, 1));

    // A light left of a caster throws its shadow right, from x 94 on: a seen
    // area ending at x 93 takes none of it, one ending at 94 the triangles
    // that reach into it, each whole.
    const std::vector<CasterShape> one = {{{100, 0}, 12, 6}};
    const std::vector<ShadowLight> left = {{{0, 0}, 150}};
    float shape[kShadowFloatsPerCaster];
    WriteCasterShadow(Tables(), one[0], left[0].position, 150, shape);
    float nearest = 1e9f;
    for (int v = 0; v < 9; ++v) nearest = std::min(nearest, shape[2 * v]);
    BuildShadowGeometry(Tables(), one, left, {-500, -500, nearest - 0.01f, 500}, out);
    EXPECT_TRUE(out.empty());
    BuildShadowGeometry(Tables(), one, left, {-500, -500, nearest, 500}, out);
    ASSERT_FALSE(out.empty());
    EXPECT_LT(out.size(), size_t(9));
    for (size_t t = 0; t < out.size(); t += 3)
        EXPECT_EQ(std::min({out[t].x, out[t + 1].x, out[t + 2].x}), nearest);
}

TEST(ShadowGeometry, TheMaskAreaReadIsTheSceneTargetsWorldArea) {
    // The scene shows world y -140..140; from the mask's start at -840 that is rows 700..980, plus a texel.
    const struct { float zoom; glm::vec2 camera, origin; glm::ivec4 rect; } cases[] = {
        {1.0f, {0, 0}, {-249, -840}, {0, 699, 498, 980 - 699}},
        {0.5f, {0, 0}, {-249, -840}, {0, 559, 498, 980 - 559}},         // zoomed out: twice the rows
        {1.0f, {10.5f, 20.5f}, {10 - 249, 20 - 840}, {0, 700, 498, 280}},  // between pixels: ceil(c) - c on
    };
    for (const auto& c : cases) {
        Camera camera;
        camera.SetScale(c.zoom);
        camera.SetPosition(c.camera.x, c.camera.y, 0);
        const MaskRect r = ShadowMaskRectRead(camera.ViewMatrix(false, 498, 280), c.origin);
        EXPECT_EQ(glm::ivec4(r.x, r.y, r.width, r.height), c.rect) << c.zoom << " " << c.camera.x;
    }
}
