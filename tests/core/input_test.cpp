#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/engine_state.h"
#include "core/events.h"
#include "core/input.h"
#include "fake_input_source.h"

namespace {

FakeJoystick Pad(const std::string& name, int buttonCount, int axisCount = 6) {
    return FakeJoystick{name, std::vector<unsigned char>(buttonCount, 0), std::vector<float>(axisCount, 0.0f)};
}

class InputTest : public ::testing::Test {
protected:
    void SetUp() override {
        events::ClearRegistryForTesting();
        ResetEngineState();
        source = new FakeInputSource();
        input = std::make_unique<Input>(source);
    }
    void TearDown() override {
        input.reset();
        events::ClearRegistryForTesting();
        ResetEngineState();
    }
    void Connect(int jid, FakeJoystick pad) {
        source->joysticks[jid] = std::move(pad);
        input->OnJoystick(jid, kJoystickConnected);
    }
    void Disconnect(int jid) {
        source->joysticks.erase(jid);
        input->OnJoystick(jid, kJoystickDisconnected);
    }

    FakeInputSource* source = nullptr;  // owned by input
    std::unique_ptr<Input> input;
};

TEST_F(InputTest, RegistersItsSixEventsAndPublishesItself) {
    for (const char* name :
         {"MouseButtonPressed", "MouseButtonDown", "MouseButtonReleased", "KeyPressed", "KeyDown", "KeyReleased"})
        EXPECT_TRUE(events::IsRegistered(name)) << name;
    EXPECT_EQ(GetInput(), input.get());
    input.reset();
    EXPECT_EQ(GetInput(), nullptr);
}

// A held key or button gives one press, then repeats, then one release, each
// on its own family of events.
TEST_F(InputTest, HeldKeysAndMouseButtonsGiveOnePressThenRepeatsThenOneRelease) {
    std::vector<std::string> seen;
    for (const char* name :
         {"KeyPressed", "KeyDown", "KeyReleased", "MouseButtonPressed", "MouseButtonDown", "MouseButtonReleased"})
        events::Connect<int>(name, "t", [&, name](int k) { seen.push_back(name + (" " + std::to_string(k))); });
    input->OnKey(65, kActionPress);
    input->OnKey(65, kActionRepeat);
    input->OnKey(65, kActionRepeat);
    input->OnKey(65, kActionRelease);
    input->OnMouseButton(1, kActionPress);
    input->OnMouseButton(1, kActionRepeat);
    input->OnMouseButton(1, kActionRelease);
    EXPECT_EQ(seen, (std::vector<std::string>{"KeyPressed 65", "KeyDown 65", "KeyDown 65", "KeyReleased 65",
                                              "MouseButtonPressed 1", "MouseButtonDown 1", "MouseButtonReleased 1"}));
}

TEST_F(InputTest, InstallCallbacksReportsPadsAlreadyPresentInIdOrder) {
    source->joysticks[5] = Pad("Wireless Controller", 18);
    source->joysticks[2] = Pad("Generic Pad", 12);
    input->InstallCallbacks();
    EXPECT_TRUE(source->callbacksInstalled);
    EXPECT_EQ(input->ConnectedJoysticks(), (std::vector<int>{2, 5}));
    EXPECT_EQ(input->Preset(2), 0);
    EXPECT_EQ(input->Preset(5), 1);
    EXPECT_TRUE(input->HasController());
}

TEST_F(InputTest, PresetNeedsBothTheNameAndEighteenButtons) {
    Connect(0, Pad("Wireless Controller", 14));
    Connect(1, Pad("Wireless Controller ", 18));
    Connect(2, Pad("Wireless Controller", 18));
    EXPECT_EQ(input->Preset(0), 0);
    EXPECT_EQ(input->Preset(1), 0);
    EXPECT_EQ(input->Preset(2), 1);
}

TEST_F(InputTest, DisconnectKeepsThePresetAndReconnectReevaluatesIt) {
    Connect(3, Pad("Wireless Controller", 18));
    Connect(4, Pad("Other", 10));
    Disconnect(3);
    EXPECT_EQ(input->ConnectedJoysticks(), (std::vector<int>{4}));
    EXPECT_EQ(input->Preset(3), 1);

    Connect(3, Pad("Other", 18));
    EXPECT_EQ(input->ConnectedJoysticks(), (std::vector<int>{4, 3}));
    EXPECT_EQ(input->Preset(3), 0);

    // A second "connected" for the same id moves it to the end, never twice in the list.
    input->OnJoystick(4, kJoystickConnected);
    EXPECT_EQ(input->ConnectedJoysticks(), (std::vector<int>{3, 4}));
    Disconnect(3);
    Disconnect(4);
    EXPECT_FALSE(input->HasController());
}

TEST_F(InputTest, ControllerCodesMapToThePresetsButtons) {
    // code -> button index for preset 0 and preset 1
    const int table[9][3] = {{349, 7, 9},   {350, 0, 1},   {351, 1, 2},   {352, 2, 0},   {353, 3, 3},
                             {354, 10, 14}, {355, 11, 15}, {356, 12, 16}, {357, 13, 17}};
    for (int preset = 0; preset < 2; ++preset) {
        Connect(0, preset == 0 ? Pad("Standard", 18) : Pad("Wireless Controller", 18));
        for (const auto& row : table) {
            const int button = row[1 + preset];
            for (int b = 0; b < 18; ++b) {
                source->joysticks[0].buttons.assign(18, 0);
                source->joysticks[0].buttons[b] = 1;
                EXPECT_EQ(input->IsKeyDown(row[0]), b == button ? 1 : 0)
                    << "preset " << preset << " code " << row[0] << " button " << b;
            }
        }
        Disconnect(0);
    }
}

TEST_F(InputTest, ButtonBeyondTheReportedCountReadsReleased) {
    Connect(0, Pad("Small Pad", 4));  // D-pad up is button 10 in the standard layout
    source->joysticks[0].buttons = {1, 1, 1, 1};
    EXPECT_EQ(input->IsKeyDown(kControllerDpadUp), 0);
    EXPECT_EQ(input->IsKeyDown(kControllerY), 1);
}

TEST_F(InputTest, AnyOfSeveralControllersCanHoldAButton) {
    Connect(0, Pad("Standard", 14));
    Connect(1, Pad("Wireless Controller", 18));
    EXPECT_EQ(input->IsKeyDown(kControllerA), 0);
    source->joysticks[1].buttons[1] = 1;  // A on the wireless layout
    EXPECT_EQ(input->IsKeyDown(kControllerA), 1);
    source->joysticks[1].buttons[1] = 0;
    source->joysticks[0].buttons[0] = 1;
    EXPECT_EQ(input->IsKeyDown(kControllerA), 1);
}

TEST_F(InputTest, KeyboardCodesReadTheWindowAndOutOfRangeCodesReadZero) {
    source->heldKeys = {32, 348};
    EXPECT_EQ(input->IsKeyDown(32), 1);
    EXPECT_EQ(input->IsKeyDown(348), 1);
    EXPECT_EQ(input->IsKeyDown(65), 0);
    EXPECT_EQ(input->IsKeyDown(-1), 0);
    Connect(0, Pad("Standard", 30));
    source->joysticks[0].buttons.assign(30, 1);
    EXPECT_EQ(input->IsKeyDown(358), 0);
    EXPECT_EQ(input->IsKeyDown(100000), 0);
}

TEST_F(InputTest, UnfocusedGameReadsNoControllerButKeyboardStillReads) {
    Connect(0, Pad("Standard", 14, 4));
    source->joysticks[0].buttons[7] = 1;
    source->joysticks[0].axes = {0.5f, -0.5f, 0.0f, 0.0f};
    source->heldKeys = {65};
    GetEngineState().focused = false;
    EXPECT_EQ(input->IsKeyDown(kControllerStart), 0);
    EXPECT_EQ(input->GetStick(0), glm::vec2(0.0f, 0.0f));
    EXPECT_EQ(input->IsKeyDown(65), 1);
    GetEngineState().focused = true;
    EXPECT_EQ(input->IsKeyDown(kControllerStart), 1);
    EXPECT_EQ(input->GetStick(0), glm::vec2(0.5f, -0.5f));
}

TEST_F(InputTest, SticksFollowThePresetAxisLayoutAndMissingAxesReadAsZero) {
    Connect(0, Pad("Standard", 14));
    source->joysticks[0].axes = {0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f};
    EXPECT_EQ(input->GetStick(0), glm::vec2(0.1f, 0.2f));
    EXPECT_EQ(input->GetStick(1), glm::vec2(0.3f, 0.4f));
    EXPECT_EQ(input->GetStick(7), glm::vec2(0.3f, 0.4f));  // any non-zero stick is the right one
    Disconnect(0);

    Connect(0, Pad("Wireless Controller", 18));
    source->joysticks[0].axes = {0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f};
    EXPECT_EQ(input->GetStick(0), glm::vec2(0.1f, -0.2f));
    EXPECT_EQ(input->GetStick(1), glm::vec2(0.3f, -0.6f));
    source->joysticks[0].axes = {0.0f, 0.0f, 0.7f, 0.4f};  // no axis 5: it reads as zero
    EXPECT_EQ(input->GetStick(1), glm::vec2(0.7f, 0.0f));
}

TEST_F(InputTest, StickDeadZoneAndTheFarthestDeflectionWins) {
    Connect(0, Pad("Standard", 14, 4));
    Connect(1, Pad("Standard", 14, 4));
    source->joysticks[0].axes = {0.0099f, -0.0099f, 0.0f, 0.0f};
    EXPECT_EQ(input->GetStick(0), glm::vec2(0.0f, 0.0f));
    source->joysticks[0].axes = {0.0f, 0.02f, 0.0f, 0.0f};
    EXPECT_EQ(input->GetStick(0), glm::vec2(0.0f, 0.02f));

    source->joysticks[0].axes = {0.3f, 0.0f, 0.0f, 0.0f};
    source->joysticks[1].axes = {0.0f, -0.8f, 0.0f, 0.0f};
    EXPECT_EQ(input->GetStick(0), glm::vec2(0.0f, -0.8f));
    source->joysticks[1].axes = {0.0f, -0.1f, 0.0f, 0.0f};
    EXPECT_EQ(input->GetStick(0), glm::vec2(0.3f, 0.0f));
}

TEST_F(InputTest, DisconnectDuringAReadStopsTheQuery) {
    Connect(0, Pad("Standard", 14, 4));
    Connect(1, Pad("Standard", 14, 4));
    source->joysticks[1].buttons[0] = 1;
    source->joysticks[1].axes = {0.9f, 0.0f, 0.0f, 0.0f};

    source->duringNextRead = [&] { Disconnect(0); };
    EXPECT_EQ(input->IsKeyDown(kControllerA), 0);
    EXPECT_EQ(input->IsKeyDown(kControllerA), 1);  // the next query sees the new list

    Connect(0, Pad("Standard", 14, 4));
    source->joysticks[0].axes = {0.5f, 0.0f, 0.0f, 0.0f};
    // pad 1 is first now; it is read, then pad 0 disconnects during its own read
    source->joysticks[1].axes = {0.4f, 0.0f, 0.0f, 0.0f};
    int reads = 0;
    source->duringNextRead = [&] { ++reads; };
    EXPECT_EQ(input->GetStick(0), glm::vec2(0.5f, 0.0f));
    source->duringNextRead = [&] { Disconnect(1); };
    EXPECT_EQ(input->GetStick(0), glm::vec2(0.0f, 0.0f));
    EXPECT_EQ(reads, 1);
}

}  // namespace
