#include <gtest/gtest.h>

#include "core/crash_report.h"
#include "ecs/component_registry.h"

// Every test process sees the registry as the running engine does: the ten
// built-in types at their fixed ids. A fault that reaches the crash report ends
// the process with status 1, not the game's 0, so ctest sees it fail.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    SetHeadlessCrashReport(true);
    components::RegisterBuiltinComponents();
    return RUN_ALL_TESTS();
}
