#pragma once
// The narrow-phase tests. Each returns whether the pair touches and, when it
// does, fills normal, penetration and (circle-circle) the contact point of the
// record; the caller fills the handles and the relative velocity.
//
// Touching rules: circles touch when rA + rB >= |d| (equality counts); boxes
// when their x and y intervals overlap strictly (edges that only touch do not);
// a box and a circle when their projections overlap strictly on the box's two
// axes and on the direction between the centres.
#include <glm/vec2.hpp>

#include "physics/box_collider.h"
#include "physics/collision_data.h"

namespace CollisionDetection {

// normal = cB - cA (from A towards B), penetration = |d| - rA - rB (<= 0).
bool TestCircleCircle(glm::vec2 cA, float rA, glm::vec2 cB, float rB, CollisionDataObj* out);

// Reads both boxes' geometry once. The normal is an axis direction pointing
// from B towards A and the penetration is the smallest of the four overlaps
// (x first, ties keep the earlier).
bool TestBoxBox(BoxCollider& a, BoxCollider& b, CollisionDataObj* out);

// The box is the first for the computation; circleIsA flips the normal so the
// separation rule holds for the record's A and B. Six normal candidates in
// order: (1, 0), (-1, 0), (0, -1), (0, 1), then -d and d where d runs from the
// box centre to the circle centre; the smallest overlap wins.
bool TestBoxCircle(BoxCollider& box, glm::vec2 circleCenter, float radius, bool circleIsA, CollisionDataObj* out);

// A probe box (rotated) against another box, by projection onto the axes of
// both; strict overlap. Nothing is recorded here: the caller calls AddHit.
bool TestRayBox(BoxCollider& ray, BoxCollider& other);

}  // namespace CollisionDetection
