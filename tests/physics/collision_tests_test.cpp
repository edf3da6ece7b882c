// The three collision tests and the probe test on their own: touching rules,
// the normal and penetration each picks, and the separation rule.
#include <cmath>

#include <gtest/gtest.h>

#include "physics/box_collider.h"
#include "physics/collision_tests.h"

using CollisionDetection::CollisionDataObj;

namespace {

// A detached box sits at its centre offset.
BoxCollider MakeBox(float cx, float cy, float w, float h) {
    BoxCollider b;
    b.centerOffset = {cx, cy};
    b.SetWidthVector({w, 0});
    b.SetHeightVector({0, h});
    return b;
}

TEST(CircleCircleTest, EqualityTouchesAndTheContactPointIsBetweenTheSurfaces) {
    CollisionDataObj r;
    ASSERT_TRUE(CollisionDetection::TestCircleCircle({0, 0}, 10, {20, 0}, 10, &r));
    EXPECT_EQ(r.normal, glm::vec2(20, 0));
    EXPECT_EQ(r.penetration, 0.0f);
    EXPECT_EQ(r.contactPoint, glm::vec2(10, 0));

    ASSERT_TRUE(CollisionDetection::TestCircleCircle({0, 0}, 10, {0, 15}, 10, &r));
    EXPECT_EQ(r.normal, glm::vec2(0, 15));
    EXPECT_EQ(r.penetration, -5.0f);
    EXPECT_EQ(r.contactPoint, glm::vec2(0, 7.5f));  // midpoint of (0, 10) and (0, 5)

    EXPECT_FALSE(CollisionDetection::TestCircleCircle({0, 0}, 10, {20.01f, 0}, 10, &r));

    // The same centre touches without NaN.
    ASSERT_TRUE(CollisionDetection::TestCircleCircle({3, 4}, 2, {3, 4}, 5, &r));
    EXPECT_EQ(r.normal, glm::vec2(0, 0));
    EXPECT_EQ(r.penetration, -7.0f);
    EXPECT_EQ(r.contactPoint, glm::vec2(3, 4));
}

TEST(BoxBoxTest, SmallestOverlapPicksTheNormalFromBTowardsA) {
    CollisionDataObj r;
    BoxCollider a = MakeBox(5, 5, 10, 10), b = MakeBox(14, 5, 12, 10);  // x [0,10] and [8,20]
    ASSERT_TRUE(CollisionDetection::TestBoxBox(a, b, &r));
    EXPECT_EQ(r.normal, glm::vec2(-1, 0));
    EXPECT_EQ(r.penetration, 2.0f);

    BoxCollider below = MakeBox(5, 14, 10, 12);  // y [8,20]: A must go up
    ASSERT_TRUE(CollisionDetection::TestBoxBox(a, below, &r));
    EXPECT_EQ(r.normal, glm::vec2(0, -1));
    EXPECT_EQ(r.penetration, 2.0f);
    BoxCollider above = MakeBox(5, -4, 10, 12);  // y [-10,2]
    ASSERT_TRUE(CollisionDetection::TestBoxBox(a, above, &r));
    EXPECT_EQ(r.normal, glm::vec2(0, 1));
    EXPECT_EQ(r.penetration, 2.0f);
    BoxCollider left = MakeBox(-4, 5, 12, 10);
    ASSERT_TRUE(CollisionDetection::TestBoxBox(a, left, &r));
    EXPECT_EQ(r.normal, glm::vec2(1, 0));

    // Edges that only touch do not collide.
    BoxCollider besideA = MakeBox(15, 5, 10, 10), underA = MakeBox(5, 15, 10, 10);
    EXPECT_FALSE(CollisionDetection::TestBoxBox(a, besideA, &r));
    EXPECT_FALSE(CollisionDetection::TestBoxBox(a, underA, &r));
}

TEST(BoxBoxTest, TiesKeepTheEarlierCandidate) {
    CollisionDataObj r;
    BoxCollider a = MakeBox(0, 0, 10, 10), b = MakeBox(0, 0, 10, 10);
    ASSERT_TRUE(CollisionDetection::TestBoxBox(a, b, &r));
    EXPECT_EQ(r.normal, glm::vec2(1, 0));
    EXPECT_EQ(r.penetration, 10.0f);
    BoxCollider c = MakeBox(0, 2, 10, 10);  // x overlaps 10 both ways, y overlap 8 from above
    ASSERT_TRUE(CollisionDetection::TestBoxBox(a, c, &r));
    EXPECT_EQ(r.normal, glm::vec2(0, -1));
    EXPECT_EQ(r.penetration, 8.0f);
}

TEST(BoxCircleTest, SideContactAndTheFlipWhenTheCircleIsA) {
    CollisionDataObj r;
    BoxCollider box = MakeBox(0, 0, 10, 10);
    ASSERT_TRUE(CollisionDetection::TestBoxCircle(box, {7, 0}, 3, false, &r));
    EXPECT_EQ(r.normal, glm::vec2(-1, 0));  // ties with -d (also 1): the x candidate came first
    EXPECT_EQ(r.penetration, 1.0f);
    EXPECT_EQ(r.contactPoint, glm::vec2(0, 0));
    ASSERT_TRUE(CollisionDetection::TestBoxCircle(box, {7, 0}, 3, true, &r));
    EXPECT_EQ(r.normal, glm::vec2(1, 0));
    ASSERT_TRUE(CollisionDetection::TestBoxCircle(box, {0, -6}, 2, false, &r));
    EXPECT_EQ(r.normal, glm::vec2(0, 1));
    EXPECT_EQ(r.penetration, 1.0f);
}

TEST(BoxCircleTest, StrictOnAllThreeAxes) {
    CollisionDataObj r;
    BoxCollider box = MakeBox(0, 0, 10, 10);
    EXPECT_FALSE(CollisionDetection::TestBoxCircle(box, {8, 0}, 3, false, &r));  // x ends touch
    EXPECT_FALSE(CollisionDetection::TestBoxCircle(box, {0, 8}, 3, false, &r));  // y ends touch
    // Near a corner the x and y projections overlap but the centre line does not.
    EXPECT_FALSE(CollisionDetection::TestBoxCircle(box, {6.5f, 6.5f}, 2, false, &r));
}

TEST(BoxCircleTest, CornerContactUsesTheCentreLine) {
    CollisionDataObj r;
    BoxCollider box = MakeBox(0, 0, 10, 10);
    ASSERT_TRUE(CollisionDetection::TestBoxCircle(box, {6, 6}, 2, false, &r));
    EXPECT_EQ(r.normal, glm::vec2(-6, -6));  // the centre difference, reversed, not normalised
    EXPECT_NEAR(r.penetration, 10.0f / std::sqrt(2.0f) - (12.0f / std::sqrt(2.0f) - 2.0f), 1e-5f);
    // Separation rule: moving the box by n*p and the circle by -n*p parts them.
    glm::vec2 n = r.normal / std::sqrt(72.0f);
    glm::vec2 circle = glm::vec2(6, 6) - n * r.penetration;
    box.centerOffset += n * r.penetration;
    EXPECT_FALSE(CollisionDetection::TestBoxCircle(box, circle, 2, false, &r));
}

TEST(BoxCircleTest, NoCentreLineOrNoWidthNeverGivesNaN) {
    CollisionDataObj r;
    BoxCollider box = MakeBox(0, 0, 10, 10);  // circle on the box centre
    ASSERT_TRUE(CollisionDetection::TestBoxCircle(box, {0, 0}, 2, false, &r));
    EXPECT_EQ(r.normal, glm::vec2(1, 0));
    EXPECT_EQ(r.penetration, 7.0f);

    BoxCollider wall = MakeBox(0, 0, 0, 10);
    ASSERT_TRUE(CollisionDetection::TestBoxCircle(wall, {1, 0}, 2, false, &r));
    EXPECT_FALSE(std::isnan(r.normal.x) || std::isnan(r.normal.y) || std::isnan(r.penetration));
    EXPECT_GT(r.penetration, 0.0f);
}

TEST(RayBoxTest, RotatedProbeMissesWhatOnlyItsExtentCovers) {
    BoxCollider probe;
    probe.centerOffset = {0, 0};
    probe.widthVector = RotateDegrees({20, 0}, 45);
    probe.heightVector = RotateDegrees({0, 2}, 45);
    BoxCollider onLine = MakeBox(5, 5, 2, 2), offLine = MakeBox(6, -6, 2, 2), far = MakeBox(30, 0, 2, 2);
    EXPECT_TRUE(CollisionDetection::TestRayBox(probe, onLine));
    EXPECT_FALSE(CollisionDetection::TestRayBox(probe, offLine));
    EXPECT_FALSE(CollisionDetection::TestRayBox(probe, far));
}

}  // namespace
