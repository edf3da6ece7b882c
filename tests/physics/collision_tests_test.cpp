// The box tests on their own, as tables: which pairs touch (edges that only meet
// do not), and the normal and penetration each picks, ties keeping the earlier.
#include <cmath>

#include <glm/vec4.hpp>
#include <gtest/gtest.h>

#include "physics/collision_tests.h"

using CollisionDetection::CollisionDataObj;

namespace {

// Circles are (x, y, radius), boxes (centre x, centre y, width, height).
struct Case { glm::vec4 shape; bool touching; glm::vec2 normal; float penetration; };

BoxCollider MakeBox(glm::vec4 b) {
    BoxCollider box;  // not attached to an entity: it sits at its centre offset
    box.centerOffset = {b.x, b.y};
    box.SetWidthVector({b.z, 0});
    box.SetHeightVector({0, b.w});
    return box;
}

// A is x [0, 10], y [0, 10]; the normal points from B towards A.
TEST(CollisionTests, BoxBox) {
    const Case cases[] = {
        {{14, 5, 12, 10}, true, {-1, 0}, 2}, {{-4, 5, 12, 10}, true, {1, 0}, 2},  // right, left
        {{5, 14, 10, 12}, true, {0, -1}, 2}, {{5, -4, 10, 12}, true, {0, 1}, 2},  // below, above
        {{5, 5, 10, 10}, true, {1, 0}, 10},  {{5, 7, 10, 10}, true, {0, -1}, 8},  // ties keep the earlier
        {{15, 5, 10, 10}, false}, {{-5, 5, 10, 10}, false}, {{5, 15, 10, 10}, false}, {{5, -5, 10, 10}, false},
    };
    for (const Case& c : cases) {
        BoxCollider a = MakeBox({5, 5, 10, 10}), b = MakeBox(c.shape);
        CollisionDataObj r;
        ASSERT_EQ(CollisionDetection::TestBoxBox(a, b, &r), c.touching) << c.shape.x << "," << c.shape.y;
        EXPECT_TRUE(!c.touching || (r.normal == c.normal && r.penetration == c.penetration)) << c.shape.x << "," << c.shape.y;
    }
}

// The box is x [-5, 5], y [-5, 5]. The normal flips when the circle is A.
TEST(CollisionTests, BoxCircle) {
    const Case cases[] = {
        {{7, 0, 3, 0}, true, {-1, 0}, 1}, {{-7, 0, 3, 0}, true, {1, 0}, 1},  // ties with -d: x came first
        {{0, -6, 2, 0}, true, {0, 1}, 1}, {{0, 6.5f, 2, 0}, true, {0, -1}, 0.5f},
        {{6, 7, 2.5f, 0}, true, {-6, -7}, 2.5f - 20 / std::sqrt(85.0f)},  // a corner: the centre line, not normalised
        {{0, 0, 2, 0}, true, {1, 0}, 7},                                   // on the centre: no centre line
        {{8, 0, 3, 0}, false}, {{0, 8, 3, 0}, false}, {{-8, 0, 3, 0}, false}, {{0, -8, 3, 0}, false},
        {{6.5f, 6.5f, 2, 0}, false},  // x and y overlap, the centre line does not
    };
    for (const Case& c : cases) {
        for (bool circleIsA : {false, true}) {
            BoxCollider box = MakeBox({0, 0, 10, 10});
            CollisionDataObj r;
            ASSERT_EQ(CollisionDetection::TestBoxCircle(box, c.shape, c.shape.z, circleIsA, &r), c.touching) << c.shape.x;
            if (!c.touching) continue;
            EXPECT_EQ(r.normal, circleIsA ? -c.normal : c.normal) << c.shape.x << "," << c.shape.y;
            EXPECT_NEAR(r.penetration, c.penetration, 1e-5f) << c.shape.x << "," << c.shape.y;
        }
    }
}

}  // namespace
