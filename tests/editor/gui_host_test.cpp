// The GUI host's input half: engine key and mouse events reach Dear ImGui.
#include <gtest/gtest.h>

#include <GLFW/glfw3.h>
#include <imgui.h>

#include "core/events.h"
#include "editor/gui_host.h"

namespace {

class GuiHostInput : public ::testing::Test {
protected:
    void SetUp() override {
        events::ClearRegistryForTesting();
        for (const char* name : {"MouseButtonPressed", "MouseButtonReleased", "KeyPressed", "KeyReleased"})
            events::Register<int>(name);
        ImGui::CreateContext();
        gui_host::ConnectInputListeners();
    }
    void TearDown() override {
        gui_host::DisconnectInputListeners();
        ImGui::DestroyContext();
        events::ClearRegistryForTesting();
    }
};

}  // namespace

TEST_F(GuiHostInput, KeysSetTheKeyTableAndModifiersFromEitherSideWithinTheTable) {
    ImGuiIO& io = ImGui::GetIO();
    events::Call("KeyPressed", int(GLFW_KEY_A));
    EXPECT_TRUE(io.KeysDown[GLFW_KEY_A]);
    EXPECT_FALSE(io.KeyCtrl);

    events::Call("KeyPressed", int(GLFW_KEY_RIGHT_CONTROL));
    events::Call("KeyPressed", int(GLFW_KEY_LEFT_SHIFT));
    EXPECT_TRUE(io.KeyCtrl);
    EXPECT_TRUE(io.KeyShift);
    EXPECT_FALSE(io.KeyAlt);

    events::Call("KeyReleased", int(GLFW_KEY_RIGHT_CONTROL));
    events::Call("KeyReleased", int(GLFW_KEY_A));
    EXPECT_FALSE(io.KeyCtrl);
    EXPECT_TRUE(io.KeyShift);
    EXPECT_FALSE(io.KeysDown[GLFW_KEY_A]);

    // Codes beyond the key table are ignored.
    events::Call("KeyReleased", int(GLFW_KEY_LEFT_SHIFT));
    events::Call("KeyPressed", int(IM_ARRAYSIZE(io.KeysDown)));
    events::Call("KeyPressed", 5000);
    events::Call("KeyPressed", -1);
    for (bool down : io.KeysDown) EXPECT_FALSE(down);
}

TEST_F(GuiHostInput, AClickShorterThanAFrameStillReachesTheGuiAndAHeldOneStaysDown) {
    ImGuiIO& io = ImGui::GetIO();
    events::Call("MouseButtonPressed", 0);
    events::Call("MouseButtonReleased", 0);
    gui_host::UpdateMouseButtons();
    EXPECT_TRUE(io.MouseDown[0]);  // seen for one frame
    gui_host::UpdateMouseButtons();
    EXPECT_FALSE(io.MouseDown[0]);

    // Held buttons stay down until released.
    events::Call("MouseButtonPressed", 1);
    events::Call("MouseButtonPressed", 7);  // beyond the three the GUI uses
    gui_host::UpdateMouseButtons();
    gui_host::UpdateMouseButtons();
    EXPECT_TRUE(io.MouseDown[1]);
    EXPECT_FALSE(io.MouseDown[0]);
    events::Call("MouseButtonReleased", 1);
    gui_host::UpdateMouseButtons();
    EXPECT_FALSE(io.MouseDown[1]);
}

TEST_F(GuiHostInput, ListenersUseTheEngineNames) {
    EXPECT_TRUE(events::Disconnect("KeyPressed", "imguiIOBindingKeyPress"));
    EXPECT_TRUE(events::Disconnect("KeyReleased", "imguiIOBindingKeyRelease"));
    EXPECT_TRUE(events::Disconnect("MouseButtonPressed", "imguiIOBindingMousePress"));
    EXPECT_TRUE(events::Disconnect("MouseButtonReleased", "imguiIOBindingMouseRelease"));
    gui_host::ConnectInputListeners();  // TearDown disconnects them again
}
