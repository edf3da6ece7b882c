#pragma once
// Forwarding of the three collision events. Kept apart from the other
// forwarders because it is the only part of the bridge that knows the physics
// record's layout.
#include "ecs/entity_handle.h"

namespace scripting {

// Calls events.Call(name, A, B, contact point, penetration, normal): the order
// scripts receive the collision record in.
void ForwardCollision(const char* name, engine::entity_handle a, engine::entity_handle b, float contactX,
                      float contactY, float penetration, float normalX, float normalY);

// Connects "LuaBinding" + name to one of the collision events.
void ConnectCollisionForwarder(const char* name);

}  // namespace scripting
