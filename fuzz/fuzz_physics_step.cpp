// A level loaded from arbitrary input, then stepped: whatever sizes,
// positions, velocities and flags the colliders and bodies were given, the
// physics steps (broad phase and plain loop alike) end without a crash, a hang
// or a sanitizer report.
#include "fuzz/fuzz_world.h"
#include "level/level_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The plain loop is quadratic: a few thousand bodies make one input take
    // seconds, and larger inputs add nothing the level loader target lacks.
    if (size > 16384) return 0;
    fuzz::SetUpWorld();
    fuzz::ResetWorld();
    fuzz::WriteFile("levels/fuzz.json", data, size);
    for (auto search : {Physics::PairSearch::BroadPhase, Physics::PairSearch::PairLoop}) {
        try {
            LoadLevel("fuzz");
        } catch (const std::exception&) {
            break;
        }
        Physics physics;  // a contact list of its own; the events are registered already
        physics.SetPairSearch(search);
        for (int step = 0; step < 8; ++step) physics.Update(step % 4 == 3 ? 0.0f : 1.0f / 60.0f);
    }
    fuzz::ResetWorld();
    return 0;
}
