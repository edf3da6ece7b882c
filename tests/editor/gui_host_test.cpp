// The GUI host's input half: engine key and mouse events reach Dear ImGui.
#include <gtest/gtest.h>

#include <GLFW/glfw3.h>
#include <imgui.h>

#include "core/events.h"
#include "editor/gui_host.h"

TEST(GuiHostInput, KeysAndButtonsReachTheGuiWithModifiersFromEitherSide) {
    events::ClearRegistryForTesting();
    for (const char* name : {"MouseButtonPressed", "MouseButtonReleased", "KeyPressed", "KeyReleased"})
        events::Register<int>(name);
    ImGui::CreateContext();
    gui_host::ConnectInputListeners();
    const ImGuiIO& io = ImGui::GetIO();
    const std::tuple<const char*, int, bool, bool, bool> steps[] = {  // then A, Ctrl and Shift down
        {"KeyPressed", GLFW_KEY_A, true, false, false},
        {"KeyPressed", GLFW_KEY_RIGHT_CONTROL, true, true, false},
        {"KeyPressed", GLFW_KEY_LEFT_SHIFT, true, true, true},
        {"KeyReleased", GLFW_KEY_RIGHT_CONTROL, true, false, true},
        {"KeyReleased", GLFW_KEY_A, false, false, true},
        {"KeyPressed", GLFW_KEY_LEFT_CONTROL, false, true, true},
        {"KeyReleased", GLFW_KEY_RIGHT_SHIFT, false, true, true},  // the left one is still down
        {"KeyPressed", int(IM_ARRAYSIZE(io.KeysDown)), false, true, true},  // beyond the table: ignored
        {"KeyPressed", -1, false, true, true},
    };
    for (const auto& [event, key, a, ctrl, shift] : steps) {
        SCOPED_TRACE(std::string(event) + " " + std::to_string(key));
        events::Call(event, key);
        EXPECT_EQ(io.KeysDown[GLFW_KEY_A], a);
        EXPECT_EQ(io.KeyCtrl, ctrl);
        EXPECT_EQ(io.KeyShift, shift);
        EXPECT_FALSE(io.KeyAlt);
    }

    // A click shorter than a frame is seen for one frame; a held button stays down.
    events::Call("MouseButtonPressed", 0);
    events::Call("MouseButtonReleased", 0);
    events::Call("MouseButtonPressed", 1);
    events::Call("MouseButtonPressed", 7);  // beyond the three the GUI uses
    gui_host::UpdateMouseButtons();
    EXPECT_TRUE(io.MouseDown[0]);
    gui_host::UpdateMouseButtons();
    EXPECT_FALSE(io.MouseDown[0]);
    EXPECT_TRUE(io.MouseDown[1]);
    events::Call("MouseButtonReleased", 1);
    gui_host::UpdateMouseButtons();
    EXPECT_FALSE(io.MouseDown[1]);
    gui_host::DisconnectInputListeners();
    ImGui::DestroyContext();
    events::ClearRegistryForTesting();
}
