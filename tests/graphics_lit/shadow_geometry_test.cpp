#include "graphics/shadow_geometry.h"

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

TEST(ShadowBatches, SplitIntoUploadsOfAtMostTheCapacity) {
    EXPECT_EQ(ShadowBatchSizes(120, 50), (std::vector<int>{50, 50, 20}));
    EXPECT_EQ(ShadowBatchSizes(50, 50), (std::vector<int>{50}));
    EXPECT_EQ(ShadowBatchSizes(0, 50), (std::vector<int>{}));
    EXPECT_EQ(ShadowBatchSizes(3, 0), (std::vector<int>{1, 1, 1}));
}

TEST(ShadowTargets, AlternateAndAlwaysEndInBufferZero) {
    EXPECT_EQ(ShadowTargetFor(0, 1), 0);  // one light writes buffer 0 directly
    for (int n = 1; n <= 32; ++n) {
        EXPECT_EQ(ShadowTargetFor(n - 1, n), 0) << n;
        for (int i = 1; i < n; ++i) EXPECT_NE(ShadowTargetFor(i, n), ShadowTargetFor(i - 1, n)) << n << " " << i;
    }
    EXPECT_EQ(ShadowTargetFor(0, 2), 1);
    EXPECT_EQ(ShadowTargetFor(0, 3), 0);
}
