#include <gtest/gtest.h>

#include "core/debug_exception.h"
#include "graphics/graphics.h"
#include "graphics/monitor_choice.h"

static std::string StartUpError(int version) try {
    CheckOpenGLVersion(version);
    return "";
} catch (const debug::exception& e) {
    return e.what();
}

TEST(GraphicsDevice, OpenGLBelow33StopsStartUpWithOneOfTwoMessages) {
    // Below 3.0 the loader itself failed; 3.0 to 3.2 loaded but is too old.
    EXPECT_EQ(StartUpError(21), StartUpError(0));
    EXPECT_EQ(StartUpError(32), StartUpError(30));
    EXPECT_NE(StartUpError(32), StartUpError(29));
    EXPECT_FALSE(StartUpError(32).empty());
    EXPECT_EQ(StartUpError(33), "");
}

TEST(GraphicsDevice, WindowedModeCentresA1280x720WindowOnTheMonitorOfTheWindow) {
    EXPECT_EQ(WindowedPosition({1920, 1080}, {0, 0}), glm::ivec2(320, 180));
    EXPECT_EQ(WindowedPosition({2560, 1440}, {1920, 0}), glm::ivec2(1920 + 640, 360));
    EXPECT_EQ(WindowedPosition({1279, 719}, {0, 0}), glm::ivec2(-1, -1));  // halves rounded toward zero

    EXPECT_EQ(ChooseMonitor({2000, 10}, {{0, 0}, {1920, 0}}), 1);
    EXPECT_EQ(ChooseMonitor({100, 100}, {{0, 0}, {-1920, -200}}), 0);  // left of and above the primary
    EXPECT_EQ(ChooseMonitor({0, 0}, {}), -1);                           // none listed: the primary
}
