#pragma once
// Pushing a touching pair apart: position correction along the contact normal
// and a restitution impulse. Bodies all weigh RigidBody::kMass, so the impulse
// splits evenly. Applied once per non-static collider kind the entity has
// (circle, then box), which is how levels are tuned.
#include "physics/body_parts.h"
#include "physics/collision_data.h"

namespace CollisionDetection {

// Nothing happens unless both entities have a RigidBody, nor when the normal
// has no direction, nor when the penetration is not finite (radii past the
// float range), nor when the relative velocity along it is exactly 0.
void ApplyResponse(const CollisionDataObj& record, const BodyParts& a, const BodyParts& b);

// The stable form (the level option "stable_contacts"): the relative velocity
// is read from the bodies now, not from the record, and nothing happens unless
// they approach along the contact (B moving towards A along the direction in
// which the position correction would move it). Otherwise as ApplyResponse;
// with restitution 1 each impulse keeps the pair's kinetic energy.
void ApplyStableResponse(const CollisionDataObj& record, const BodyParts& a, const BodyParts& b);

}  // namespace CollisionDetection
