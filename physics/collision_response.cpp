#include "physics/collision_response.h"

#include <algorithm>
#include <cmath>

namespace CollisionDetection {

namespace {

// Position correction and impulse, shared by both forms; n is the unit normal
// and vn the relative velocity along it.
void Push(const CollisionDataObj& record, const BodyParts& a, const BodyParts& b, glm::vec2 n, float vn) {
    const float e = std::min(a.body->restitution, b.body->restitution);
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

// The unit normal, or false when there is no usable direction or overlap: two
// circles on the same centre give a zero normal (dividing by it would turn
// both bodies into NaN), and circles whose radii add up past the float range
// overlap by "infinity" (correcting by that would throw both to infinity).
bool UnitNormal(const CollisionDataObj& record, glm::vec2& n) {
    const float len = std::sqrt(record.normal.x * record.normal.x + record.normal.y * record.normal.y);
    if (!(len > 0.0f) || !std::isfinite(len)) return false;
    if (!std::isfinite(record.penetration)) return false;
    n = record.normal / len;
    return true;
}

}  // namespace

void ApplyResponse(const CollisionDataObj& record, const BodyParts& a, const BodyParts& b) {
    if (!a.body || !b.body) return;
    glm::vec2 n;
    if (!UnitNormal(record, n)) return;
    const float vn = record.relativeVelocity.x * n.x + record.relativeVelocity.y * n.y;
    if (vn == 0.0f) return;
    Push(record, a, b, n, vn);
}

void ApplyStableResponse(const CollisionDataObj& record, const BodyParts& a, const BodyParts& b) {
    if (!a.body || !b.body) return;
    glm::vec2 n;
    if (!UnitNormal(record, n)) return;
    // The correction moves B by -n * penetration: away from A along -n when the
    // penetration is positive (box tests), along +n when it is not (circles).
    const glm::vec2 away = record.penetration > 0.0f ? -n : n;
    const glm::vec2 relative = b.body->velocity - a.body->velocity;
    if (!(relative.x * away.x + relative.y * away.y < 0.0f)) return;  // separating or resting
    Push(record, a, b, n, relative.x * n.x + relative.y * n.y);
}

}  // namespace CollisionDetection
