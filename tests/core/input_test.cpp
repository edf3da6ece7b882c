// Input: key and mouse-button events, controllers in connection order with
// their layouts, buttons and sticks read through either layout while the game
// is focused, and a pad that vanishes in the middle of a query.
#include <gtest/gtest.h>

#include "core/engine_state.h"
#include "core/events.h"
#include "core/input.h"
#include "fake_input_source.h"

namespace {

class InputTest : public ::testing::Test {
protected:
    void SetUp() override {
        events::ClearRegistryForTesting();
        input = std::make_unique<Input>(source);
    }
    void TearDown() override {
        input.reset();
        events::ClearRegistryForTesting();
        ResetEngineState();
    }
    // A pad with every button released and every axis centred.
    void Plug(int jid, const std::string& name, int buttonCount) {
        source->joysticks[jid] = {name, std::vector<unsigned char>(buttonCount), std::vector<float>(6)};
        input->OnJoystick(jid, kJoystickConnected);
    }
    FakeInputSource* source = new FakeInputSource();  // owned by input
    std::unique_ptr<Input> input;
};

TEST_F(InputTest, KeysAndMouseButtonsRaiseOnePressThenRepeatsThenOneRelease) {
    std::string seen;
    for (const char* name :
         {"KeyPressed", "KeyDown", "KeyReleased", "MouseButtonPressed", "MouseButtonDown", "MouseButtonReleased"})
        events::Connect<int>(name, "t", [&, name](int k) { seen += name + (" " + std::to_string(k)) + ", "; });
    for (int action : {kActionPress, kActionRepeat, kActionRepeat, kActionRelease, 7}) input->OnKey(65, action);
    input->OnMouseButton(1, kActionPress);
    EXPECT_EQ(seen, "KeyPressed 65, KeyDown 65, KeyDown 65, KeyReleased 65, MouseButtonPressed 1, ");
    EXPECT_EQ(GetInput(), input.get());
    input.reset();
    EXPECT_EQ(GetInput(), nullptr);
}

// Only the model named "Wireless Controller" with 18 buttons has its own layout.
TEST_F(InputTest, PadsAreListedInConnectionOrderEachWithItsLayout) {
    source->joysticks[5] = {"Wireless Controller", std::vector<unsigned char>(18), {}};
    source->joysticks[2] = {"Wireless Controller", std::vector<unsigned char>(14), {}};
    source->joysticks[7] = {"Wireless Controller ", std::vector<unsigned char>(18), {}};
    input->InstallCallbacks();
    EXPECT_EQ((std::vector<int>{input->Preset(2), input->Preset(5), input->Preset(7)}), (std::vector<int>{0, 1, 0}));
    input->OnJoystick(5, kJoystickDisconnected);
    EXPECT_EQ(input->Preset(5), 1);  // kept until the id connects again
    Plug(5, "Other", 18);
    EXPECT_EQ(input->Preset(5), 0);
    input->OnJoystick(2, kJoystickConnected);  // again: moves to the end, never listed twice
    input->OnJoystick(kMaxJoysticks, kJoystickConnected);
    EXPECT_EQ(input->ConnectedJoysticks(), (std::vector<int>{7, 5, 2}));
    for (int jid : {2, 5, 7}) input->OnJoystick(jid, kJoystickDisconnected);
    EXPECT_FALSE(input->HasController());
}

TEST_F(InputTest, ControllerCodesReadTheirButtonInEitherLayoutAndKeysTheWindow) {
    // code -> button index in the standard layout and in the wireless one
    const int table[9][3] = {{349, 7, 9},   {350, 0, 1},   {351, 1, 2},   {352, 2, 0},   {353, 3, 3},
                             {354, 10, 14}, {355, 11, 15}, {356, 12, 16}, {357, 13, 17}};
    for (int preset = 0; preset < 2; ++preset) {
        Plug(preset, preset == 0 ? "Standard" : "Wireless Controller", 18);
        for (const auto& row : table) {
            for (int b = 0; b < 18; ++b) {
                source->joysticks[preset].buttons.assign(18, 0);
                source->joysticks[preset].buttons[b] = 1;
                EXPECT_EQ(input->IsKeyDown(row[0]), b == row[1 + preset] ? 1 : 0)
                    << "preset " << preset << " code " << row[0] << " button " << b;
            }
        }
        source->joysticks[preset].buttons.assign(18, 0);
    }
    Plug(2, "Small Pad", 4);  // D-pad up is its button 10: beyond its count
    source->joysticks[2].buttons = {1, 1, 1, 1};
    source->heldKeys = {32, 348};
    std::string down;
    for (int code : {32, 348, 65, -1, 353, 354, 358}) down += std::to_string(input->IsKeyDown(code));
    GetEngineState().focused = false;  // controllers read nothing, the keyboard still reads
    for (int code : {32, 353}) down += std::to_string(input->IsKeyDown(code));
    EXPECT_EQ(down, "110010010");
}

TEST_F(InputTest, TheFarthestStickOutsideTheDeadZoneWinsInEachPadsLayout) {
    Plug(0, "Standard", 14);
    Plug(1, "Wireless Controller", 18);  // y points up; the right stick's y is axis 5
    source->joysticks[0].axes = {0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f};
    EXPECT_EQ(input->GetStick(0), glm::vec2(0.1f, 0.2f));
    EXPECT_EQ(input->GetStick(7), glm::vec2(0.3f, 0.4f));  // any stick but 0 is the right one
    source->joysticks[1].axes = {0.0f, 0.7f, 0.0f, 0.0f, 0.0f, -0.9f};
    EXPECT_EQ(input->GetStick(0), glm::vec2(0.0f, -0.7f));
    EXPECT_EQ(input->GetStick(1), glm::vec2(0.0f, 0.9f));
    source->joysticks[1].axes = {0.0f, 0.0f, 0.0f, 0.1f};  // no axis 5: it reads 0
    EXPECT_EQ(input->GetStick(1), glm::vec2(0.3f, 0.4f));
    source->joysticks[0].axes = {0.0099f, -0.0099f, 0.0099f, 0.0f};
    EXPECT_EQ(input->GetStick(0), glm::vec2(0.0f, 0.0f));
    source->joysticks[0].axes = {0.0f, 0.02f};
    EXPECT_EQ(input->GetStick(0), glm::vec2(0.0f, 0.02f));
    input->OnJoystick(1, kJoystickDisconnected);  // still deflected, but no longer listed
    source->joysticks[1].axes = {0.9f};
    EXPECT_EQ(input->GetStick(0), glm::vec2(0.0f, 0.02f));
    GetEngineState().focused = false;
    EXPECT_EQ(input->GetStick(0), glm::vec2(0.0f, 0.0f));
}

// Reading a pad can report a disconnection, as GLFW's polling does: the query
// then reads nothing rather than walk a list that changed under it.
TEST_F(InputTest, APadVanishingDuringAReadEndsTheQuery) {
    Plug(0, "Standard", 14);
    Plug(1, "Standard", 14);
    source->joysticks[1].buttons[0] = 1;
    source->joysticks[1].axes[0] = 0.9f;
    const auto vanish = [&] { input->OnJoystick(0, kJoystickDisconnected); };
    source->duringNextRead = vanish;
    EXPECT_EQ(input->IsKeyDown(kControllerA), 0);
    EXPECT_EQ(input->IsKeyDown(kControllerA), 1);
    Plug(0, "Standard", 14);
    source->duringNextRead = vanish;
    EXPECT_EQ(input->GetStick(0).x, 0.0f);
    EXPECT_EQ(input->GetStick(0).x, 0.9f);
}

}  // namespace
