#include <gtest/gtest.h>

#include "ecs/component_registry.h"

// Every test process sees the registry as the running engine does: the ten
// built-in types at their fixed ids.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    components::RegisterBuiltinComponents();
    return RUN_ALL_TESTS();
}
