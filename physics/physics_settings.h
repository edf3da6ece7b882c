#pragma once
// Per-level physics options: the level file's optional "physics" object. A
// level without it gets the defaults; the object is written back only when an
// option is set, so levels that never set one keep their bytes.
//
//   "physics": { "stable_contacts": true }
//
// stable_contacts (default false): each contact is resolved with the bodies'
// velocities as earlier contacts of the same step left them, and only while the
// two approach. The default measures every contact's relative velocity before
// any contact of the step is resolved, so a body in k contacts gets k impulses
// from one stale velocity: piles with restitution 1 gain energy. Levels are
// tuned for the default, so it stays the default.
#include <json/value.h>

struct PhysicsSettings {
    bool stableContacts = false;
};

// Process-wide, like the lighting settings; read by Physics every step.
PhysicsSettings& GetPhysicsSettings();

// Resets to the defaults, then reads document["physics"]. A "physics" that is
// not an object (or null), or an option of the wrong type, throws
// debug::exception naming it.
void ReadPhysicsSettings(const Json::Value& document);
// Sets document["physics"] when an option differs from its default.
void WritePhysicsSettings(Json::Value& document);
