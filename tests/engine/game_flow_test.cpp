// The frame loop's decisions that need no window: pausing, frame time, the
// editor toggle, and what focus changes do to the game.
#include <functional>

#include "core/input.h"
#include "editor/editor.h"
#include "engine/game_flow.h"
#include "engine/game_pause.h"
#include "engine/pause_menu.h"
#include "tests/core/fake_input_source.h"
#include "tests/level/level_test_env.h"

namespace {

class GameFlowTest : public GameFolderTest {
protected:
    void SetUp() override {
        GameFolderTest::SetUp();
        for (const char* level : {"veltrane_splash", "forest"}) WriteLevel(level, "{}");
        for (const char* name : {"PauseMenuPaused", "PauseMenuUnPaused", "PauseMenuConfirmClose", "DebugDraw"})
            events::Register<>(name);
        input = std::make_unique<Input>(source);  // registers the input events
    }
    void TearDown() override {
        CloseEditor();
        GameFolderTest::TearDown();
    }
    static void Frame() {
        RunLevelCheck();
        CommitFrameLevelAndMode();
    }
    FakeInputSource* source = new FakeInputSource();
    std::unique_ptr<Input> input;
};

// Paused, the frame takes no time, however long it stalled; pausing or
// resuming again changes nothing.
TEST_F(GameFlowTest, FrameTimeIsUnclampedAndScaledAndPausingTwiceActsOnce) {
    EngineState& s = GetEngineState();
    EXPECT_FLOAT_EQ(AdvanceFrameTime(3.0f), 3.0f);  // first frame: the whole time since start
    EXPECT_FLOAT_EQ(AdvanceFrameTime(3.25f), 0.25f);
    PauseGame();
    EXPECT_FLOAT_EQ(AdvanceFrameTime(13.25f), 0.0f);
    EXPECT_FLOAT_EQ(s.frameTime, 10.0f);
    s.timeScale = 0.5f;
    PauseGame();
    EXPECT_EQ(s.timeScale, 0.5f);
    ResumeGame();
    EXPECT_EQ(s.timeScale, 1.0f);
    s.timeScale = 2.0f;
    ResumeGame();
    EXPECT_EQ(s.timeScale, 2.0f);
}

// F8 with Left Control and Left Shift held; it switches once per mode change
// and the switch takes effect at the next frame.
TEST_F(GameFlowTest, TheChordTogglesTheEditorOncePerModeChange) {
    const std::pair<std::set<int>, int> notChords[] = {
        {{kKeyLeftControl, kKeyLeftShift}, 296}, {{345, kKeyLeftShift}, kKeyF8}, {{kKeyLeftControl, 344}, kKeyF8}, {{kKeyLeftControl}, kKeyF8}};
    for (const auto& [held, key] : notChords) {
        source->heldKeys = held;
        EXPECT_FALSE(IsEditorToggleChord(key, *input)) << key;
    }
    EngineState& s = GetEngineState();
    ConnectEditorToggle(*input);
    source->heldKeys = {kKeyLeftControl, kKeyLeftShift};
    events::Call("KeyPressed", kKeyF8);  // during start-up: nothing
    EXPECT_EQ(s.requestedMode, EngineMode::Game);
    Frame();
    for (int press = 0; press < 2; ++press) events::Call("KeyPressed", kKeyF8);  // a repeat in the same frame
    EXPECT_EQ(s.requestedMode, EngineMode::Editor);
    EXPECT_TRUE(s.paused);
    EXPECT_NE(GetEditor(), nullptr);
    Frame();
    for (int press = 0; press < 2; ++press) events::Call("KeyPressed", kKeyF8);
    EXPECT_EQ(s.requestedMode, EngineMode::Game);
    EXPECT_EQ(s.mode, EngineMode::Editor);
    EXPECT_FALSE(s.paused);
    EXPECT_EQ(GetEditor(), nullptr);
}

// One frame of focus: the window in front or not, another window focused, full
// screen; what to do with the window and the state it leaves.
struct FocusStep {
    float now;
    bool foreground, other, fullscreen;
    FocusAction action;
    const char* state;
};
struct FocusCase {
    const char* name;
    EngineMode mode;  // Startup: the first frames, within the start-up grace
    std::vector<FocusStep> steps;
};

std::string State(const PauseMenu& menu) {
    const EngineState& s = GetEngineState();
    const std::pair<bool, const char*> flags[] = {
        {s.focused, " focused"}, {s.paused, " paused"}, {s.minimized, " minimized"}, {menu.IsOpen(), " menu"}};
    std::string state;
    for (auto [on, word] : flags)
        if (on) state += word;
    return state.empty() ? state : state.substr(1);
}

TEST_F(GameFlowTest, LosingFocusPausesThroughTheMenuAndAFullScreenGameGetsOutOfTheWay) {
    using A = FocusAction;
    const FocusCase cases[] = {
        {"full screen", EngineMode::Game, {
            {1.0f, false, true, true, A::None, "paused menu"}, {1.2f, false, true, true, A::None, "paused menu"},
            {1.21f, false, true, true, A::Iconify, "paused minimized menu"}, {5.0f, false, true, true, A::None, "paused minimized menu"},
            {6.0f, true, false, true, A::None, "focused paused minimized menu"}, {6.3f, true, false, true, A::Restore, "focused paused menu"}}},
        {"quick return", EngineMode::Game, {
            {1.0f, false, true, true, A::None, "paused menu"}, {1.1f, true, false, true, A::None, "focused paused menu"},
            {1.5f, false, true, true, A::None, "paused menu"}, {1.71f, false, true, true, A::Iconify, "paused minimized menu"}}},
        {"windowed", EngineMode::Game, {{1.0f, false, true, false, A::None, "paused menu"}, {3.0f, false, true, false, A::None, "paused menu"}}},
        {"nothing focused", EngineMode::Game, {{1.0f, false, false, true, A::None, "paused menu"}, {3.0f, false, false, true, A::None, "paused menu"}}},
        {"editor", EngineMode::Editor, {{1.0f, false, true, false, A::None, "menu"}}},
        {"focused in time", EngineMode::Startup, {
            {0.4f, false, true, true, A::None, ""}, {1.39f, false, true, true, A::None, ""},
            {1.39f, true, false, true, A::None, "focused"}, {1.5f, false, true, true, A::None, "paused menu"}}},
        {"never focused", EngineMode::Startup, {{0.4f, false, true, true, A::None, ""}, {1.41f, false, true, true, A::None, "paused menu"}}},
    };
    for (const FocusCase& c : cases) {
        ResetEngineState();
        GetEngineState().requestedMode = c.mode == EngineMode::Editor ? EngineMode::Editor : EngineMode::Game;
        GetEngineState().mode = c.mode;
        PauseMenu menu;
        FocusTimers timers;
        if (c.mode != EngineMode::Startup) timers.graceEnd = 0.0f;
        for (const FocusStep& step : c.steps) {
            SCOPED_TRACE(std::string(c.name) + " at " + std::to_string(step.now));
            EXPECT_EQ(UpdateFocus(timers, step.foreground, step.other, step.fullscreen, step.now), step.action);
            EXPECT_EQ(State(menu), step.state);
        }
    }
    // Iconified by the player: paused, and still paused once restored.
    ResetEngineState();
    GetEngineState().mode = EngineMode::Game;
    OnWindowIconified(true);
    EXPECT_TRUE(GetEngineState().paused && GetEngineState().minimized);
    OnWindowIconified(false);
    EXPECT_TRUE(GetEngineState().paused && !GetEngineState().minimized);
}

}  // namespace
