#include "physics/collision_response.h"

#include <algorithm>
#include <cmath>

namespace CollisionDetection {

void ApplyResponse(const CollisionDataObj& record, const BodyParts& a, const BodyParts& b) {
    if (!a.body || !b.body) return;
    const float e = std::min(a.body->restitution, b.body->restitution);
    const float len = std::sqrt(record.normal.x * record.normal.x + record.normal.y * record.normal.y);
    // Two circles on the same centre give a zero normal: there is no direction
    // to push along, and dividing by it would turn both bodies into NaN.
    if (!(len > 0.0f) || !std::isfinite(len)) return;
    // Circles whose radii add up past the float range overlap by "infinity":
    // correcting by that would throw both bodies to infinity or NaN.
    if (!std::isfinite(record.penetration)) return;
    const glm::vec2 n = record.normal / len;
    const float vn = record.relativeVelocity.x * n.x + record.relativeVelocity.y * n.y;
    if (vn == 0.0f) return;
    constexpr float m = RigidBody::kMass;
    const float j = -(1.0f + e) * vn / (1.0f / m + 1.0f / m);

    const glm::vec2 shift = n * record.penetration;
    glm::vec3& pa = record.first.GetPosition();
    if (a.circle && !a.circle->isStatic) pa.x += shift.x, pa.y += shift.y;
    if (a.box && !a.box->isStatic) pa.x += shift.x, pa.y += shift.y;
    glm::vec3& pb = record.second.GetPosition();
    if (b.circle && !b.circle->isStatic) pb.x -= shift.x, pb.y -= shift.y;
    if (b.box && !b.box->isStatic) pb.x -= shift.x, pb.y -= shift.y;

    const glm::vec2 impulse = n * j / m;
    if (b.circle && !b.circle->isStatic) b.body->velocity += impulse;
    if (b.box && !b.box->isStatic) b.body->velocity += impulse;
    if (a.circle && !a.circle->isStatic) a.body->velocity -= impulse;
    if (a.box && !a.box->isStatic) a.body->velocity -= impulse;
}

}  // namespace CollisionDetection
