// The parts of the graphics device that need no display: start-up checks,
// shader file errors and reports, and where the window goes.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "core/debug_exception.h"
#include "graphics/graphics.h"
#include "graphics/monitor_choice.h"
#include "graphics/shader_program.h"

TEST(GraphicsDevice, OpenGLVersionCheckGivesThePlayersMessages) {
    auto message = [](int version) {
        try {
            CheckOpenGLVersion(version);
        } catch (const debug::exception& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    EXPECT_EQ(message(0), "Failed to initialize OpenGL. Ensure that OpenGL 3.3 is supported on your computer.");
    EXPECT_EQ(message(21), "Failed to initialize OpenGL. Ensure that OpenGL 3.3 is supported on your computer.");
    EXPECT_EQ(message(32), "This game requies OpenGL 3.3 support.");
    EXPECT_EQ(message(33), "no error");
    EXPECT_EQ(message(46), "no error");
}

TEST(GraphicsDevice, UnreadableShaderFileStopsWithItsMessage) {
    const std::string dir = std::filesystem::temp_directory_path().string();
    const std::string vs = dir + "/qm_ok_" + std::to_string(::getpid()) + ".vs";
    std::ofstream(vs) << "#version 330 core\nvoid main() {}\n";
    try {
        ShaderProgram p(vs, dir + "/qm_no_such_shader.frag");
        FAIL() << "expected an exception";
    } catch (const debug::exception& e) {
        EXPECT_STREQ(e.what(), "Shader file unable to be loaded.");
    }
    EXPECT_THROW(ShaderProgram(dir + "/qm_no_such_shader.vs", vs), debug::exception);
    // Both files readable: headless, nothing is compiled and nothing throws.
    ShaderProgram ok(vs, vs);
    EXPECT_EQ(ok.GetID(), 0u);
    EXPECT_EQ(ok.GetUniformLocation("model"), -1);
    std::remove(vs.c_str());
}

TEST(GraphicsDevice, ShaderErrorReportsAreFramedByType) {
    EXPECT_EQ(ShaderErrorReport("VERTEX", "0:1: syntax error"),
              "Shader compilation error of type: VERTEX|\n0:1: syntax error\n"
              "| -- --------------------------------------------------- -- |");
    EXPECT_EQ(ShaderErrorReport("PROGRAM", "link failed"),
              "Program linking error of type: PROGRAM|\nlink failed\n"
              "| -- --------------------------------------------------- -- |");
}

TEST(GraphicsDevice, WindowedModeCentresA1280x720Window) {
    EXPECT_EQ(WindowedPosition({1920, 1080}, {0, 0}), glm::ivec2(320, 180));
    EXPECT_EQ(WindowedPosition({2560, 1440}, {1920, 0}), glm::ivec2(1920 + 640, 360));
    EXPECT_EQ(WindowedPosition({1279, 719}, {0, 0}), glm::ivec2(-1, -1));  // halves rounded toward zero
}

TEST(GraphicsDevice, MonitorChoiceFollowsTheWindow) {
    // One monitor: it is chosen.
    EXPECT_EQ(ChooseMonitor({0, 0}, {{0, 0}}), 0);
    // Side by side; the window on the second.
    EXPECT_EQ(ChooseMonitor({2000, 10}, {{0, 0}, {1920, 0}}), 1);
    // A monitor left of the primary: the window on the primary keeps it.
    EXPECT_EQ(ChooseMonitor({100, 100}, {{0, 0}, {-1920, -200}}), 0);
    // No monitors listed: the primary.
    EXPECT_EQ(ChooseMonitor({0, 0}, {}), -1);
}
