#pragma once
// Placeholder until the physics system lands: the Engine holds one Physics by
// value, calls Initialize once at start-up and Update once per frame.
class Physics {
public:
    void Initialize() {}      // registers the three collision events
    void Update(float dt) {}  // dt in seconds (scaled frame time)
};
