#include "scripting/collision_forwarding.h"

#include <string>

#include "core/events.h"

#include "physics/collision_data.h"

namespace scripting {

void ConnectCollisionForwarder(const char* name) {
    using Record = CollisionDetection::CollisionDataObj;
    events::Connect<Record>(name, std::string("LuaBinding") + name, [name](Record r) {
        ForwardCollision(name, r.first, r.second, r.contactPoint.x, r.contactPoint.y, r.penetration, r.normal.x,
                         r.normal.y);
    });
}

}  // namespace scripting
