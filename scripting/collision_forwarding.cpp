#include "scripting/collision_forwarding.h"

#include <string>

#include "engine/events.h"

#if __has_include("physics/collision_detection.h")
#include "physics/collision_detection.h"
#define QM_HAVE_COLLISION_RECORD 1
#endif

namespace scripting {

void ConnectCollisionForwarder(const char* name) {
#ifdef QM_HAVE_COLLISION_RECORD
    using Record = CollisionDetection::CollisionDataObj;
    events::Connect<Record>(name, std::string("LuaBinding") + name, [name](Record r) {
        ForwardCollision(name, r.first, r.second, r.contactPoint.x, r.contactPoint.y, r.penetration, r.normal.x,
                         r.normal.y);
    });
#else
    // Physics has not registered its record type yet: nothing can be raised.
    (void)name;
#endif
}

}  // namespace scripting
