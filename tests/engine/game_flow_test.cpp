#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <json/value.h>

#include "core/engine_state.h"
#include "core/events.h"
#include "core/input.h"
#include "editor/editor.h"
#include "engine/game_flow.h"
#include "engine/game_pause.h"
#include "engine/pause_menu.h"
#include "tests/core/fake_input_source.h"

namespace {

class GameFlowTest : public ::testing::Test {
protected:
    // The pause menu with the events it needs.
    static PauseMenu MakePauseMenu() {
        for (const char* name : {"PauseMenuPaused", "PauseMenuUnPaused", "PauseMenuConfirmClose"})
            if (!events::IsRegistered(name)) events::Register<>(name);
        if (!events::IsRegistered("LogicUpdate")) events::Register<float>("LogicUpdate");
        return PauseMenu();
    }
    // Timers of a game past its start-up grace.
    static FocusTimers Started() {
        FocusTimers t;
        t.graceEnd = 0.0f;
        return t;
    }

    void SetUp() override {
        // Level loads and saves run for real: give them a throw-away game folder
        // with the levels these tests visit and the events the engine registers.
        oldCwd = std::filesystem::current_path();
        char pattern[] = "/tmp/qm_flow_XXXXXX";
        root = mkdtemp(pattern);
        std::filesystem::create_directories(root / "levels");
        for (const char* level : {"veltrane_splash", "forest"})
            std::ofstream(root / "levels" / (std::string(level) + ".json")) << "{}";
        std::filesystem::current_path(root);
        setenv("XDG_DOCUMENTS_DIR", (root / "docs").c_str(), 1);
        events::ClearRegistryForTesting();
        for (const char* name : {"LevelLoad", "LevelUnload", "LevelUnloadFinished"})
            events::Register<Json::Value*>(name);
        events::Register<>("DebugDraw");  // the editor's markers
        ResetEngineState();
        source = new FakeInputSource();
        input = std::make_unique<Input>(source);
    }
    void TearDown() override {
        CloseEditor();
        input.reset();
        events::ClearRegistryForTesting();
        ResetEngineState();
        std::filesystem::current_path(oldCwd);
        std::filesystem::remove_all(root);
        unsetenv("XDG_DOCUMENTS_DIR");
    }
    std::filesystem::path root, oldCwd;
    FakeInputSource* source = nullptr;
    std::unique_ptr<Input> input;
};

TEST_F(GameFlowTest, PauseAndResumeSetTheTimeScaleOnce) {
    EngineState& s = GetEngineState();
    PauseGame();
    EXPECT_TRUE(s.paused);
    EXPECT_EQ(s.timeScale, 0.0f);
    s.timeScale = 0.5f;  // a second pause must not touch it
    PauseGame();
    EXPECT_EQ(s.timeScale, 0.5f);
    ResumeGame();
    EXPECT_FALSE(s.paused);
    EXPECT_EQ(s.timeScale, 1.0f);
    s.timeScale = 2.0f;  // resuming while running does nothing
    ResumeGame();
    EXPECT_EQ(s.timeScale, 2.0f);
}

TEST_F(GameFlowTest, ToggleChordNeedsTheLeftModifiers) {
    source->heldKeys = {kKeyLeftControl, kKeyLeftShift};
    EXPECT_TRUE(IsEditorToggleChord(kKeyF8, *input));
    EXPECT_FALSE(IsEditorToggleChord(296, *input));  // F7
    source->heldKeys = {345, kKeyLeftShift};         // right control
    EXPECT_FALSE(IsEditorToggleChord(kKeyF8, *input));
    source->heldKeys = {kKeyLeftControl, 344};  // right shift
    EXPECT_FALSE(IsEditorToggleChord(kKeyF8, *input));
    source->heldKeys = {kKeyLeftControl};
    EXPECT_FALSE(IsEditorToggleChord(kKeyF8, *input));
}

TEST_F(GameFlowTest, ToggleActsOncePerModeChange) {
    EngineState& s = GetEngineState();
    ToggleEditor();  // during start-up: nothing
    EXPECT_EQ(s.requestedMode, EngineMode::Game);
    EXPECT_FALSE(s.paused);

    CommitFrameLevelAndMode();  // first frame: Startup -> Game
    ToggleEditor();
    EXPECT_EQ(s.requestedMode, EngineMode::Editor);
    EXPECT_TRUE(s.paused);
    EXPECT_EQ(s.timeScale, 0.0f);
    Editor* opened = GetEditor();
    EXPECT_NE(opened, nullptr);
    ToggleEditor();  // same frame: ignored, the switch is still pending
    EXPECT_EQ(s.requestedMode, EngineMode::Editor);
    EXPECT_TRUE(s.paused);
    EXPECT_EQ(GetEditor(), opened);

    CommitFrameLevelAndMode();
    EXPECT_EQ(s.mode, EngineMode::Editor);
    ToggleEditor();
    EXPECT_EQ(s.requestedMode, EngineMode::Game);
    EXPECT_FALSE(s.paused);
    EXPECT_EQ(s.timeScale, 1.0f);
    EXPECT_EQ(GetEditor(), nullptr);
    ToggleEditor();
    EXPECT_EQ(s.requestedMode, EngineMode::Game);
    EXPECT_EQ(s.mode, EngineMode::Editor);
}

TEST_F(GameFlowTest, KeyPressedToggleListenerActsOnTheChordOnlyAndOncePerFrame) {
    EngineState& s = GetEngineState();
    ConnectEditorToggle(*input);
    CommitFrameLevelAndMode();
    events::Call("KeyPressed", kKeyF8);  // modifiers not held
    EXPECT_EQ(s.requestedMode, EngineMode::Game);

    source->heldKeys = {kKeyLeftControl, kKeyLeftShift};
    events::Call("KeyPressed", kKeyF8);
    events::Call("KeyPressed", kKeyF8);  // auto-repeat or a double press in the same frame
    EXPECT_EQ(s.requestedMode, EngineMode::Editor);
    EXPECT_TRUE(s.paused);

    CommitFrameLevelAndMode();
    events::Call("KeyPressed", kKeyF8);
    EXPECT_EQ(s.requestedMode, EngineMode::Game);
    EXPECT_FALSE(s.paused);
}

TEST_F(GameFlowTest, SaveOnUnloadListenerCannotBeConnectedTwice) {
    ConnectSaveLevelOnUnload();
    try {
        ConnectSaveLevelOnUnload();
        FAIL() << "second connection accepted";
    } catch (const debug::exception& e) {
        EXPECT_STREQ(e.what(), "Event ID \"LuaSaveLevelOnUnload\" already existed.");
    }
    EXPECT_TRUE(events::Disconnect("LevelUnloadFinished", "LuaSaveLevelOnUnload"));
}

TEST_F(GameFlowTest, LevelLoadIsDueOnStartupModeChangeAndRequestOnly) {
    EngineState& s = GetEngineState();
    EXPECT_TRUE(LevelLoadDue());  // Startup differs from the requested Game mode
    EXPECT_EQ(s.levelName, "veltrane_splash");
    RunLevelCheck();
    CommitFrameLevelAndMode();
    EXPECT_EQ(s.previousLevelName, "veltrane_splash");
    EXPECT_FALSE(LevelLoadDue());

    RequestLevel("cave", true);  // marking the current level loads nothing
    EXPECT_FALSE(LevelLoadDue());
    EXPECT_EQ(s.previousLevelName, "cave");

    RequestLevel("forest", false);
    EXPECT_TRUE(LevelLoadDue());
    EXPECT_EQ(s.previousLevelName, "cave");  // the level shown until the next frame
    RunLevelCheck();
    EXPECT_FALSE(s.reloadRequested);
    CommitFrameLevelAndMode();
    EXPECT_EQ(s.previousLevelName, "forest");
    EXPECT_FALSE(LevelLoadDue());

    s.requestedMode = EngineMode::Editor;
    EXPECT_TRUE(LevelLoadDue());
    CommitFrameLevelAndMode();
    EXPECT_FALSE(LevelLoadDue());
}

TEST_F(GameFlowTest, FrameTimeIsUnclampedAndScaled) {
    EngineState& s = GetEngineState();
    EXPECT_FLOAT_EQ(AdvanceFrameTime(3.0f), 3.0f);  // first frame: the whole time since start
    EXPECT_FLOAT_EQ(AdvanceFrameTime(3.25f), 0.25f);
    EXPECT_FLOAT_EQ(s.frameTime, 0.25f);
    PauseGame();
    EXPECT_FLOAT_EQ(AdvanceFrameTime(13.25f), 0.0f);  // paused: dt 0, the stall still measured
    EXPECT_FLOAT_EQ(s.frameTime, 10.0f);
    EXPECT_FLOAT_EQ(s.lastTime, 13.25f);
}

TEST_F(GameFlowTest, FocusLossPausesAndIconifiesAFullScreenWindowAfterTheDelay) {
    EngineState& s = GetEngineState();
    CommitFrameLevelAndMode();
    FocusTimers t = Started();
    EXPECT_EQ(UpdateFocus(t, false, true, true, 1.0f), FocusAction::None);
    EXPECT_TRUE(s.paused);
    EXPECT_FALSE(s.focused);
    EXPECT_EQ(UpdateFocus(t, false, true, true, 1.2f), FocusAction::None);
    EXPECT_EQ(UpdateFocus(t, false, true, true, 1.21f), FocusAction::Iconify);
    EXPECT_TRUE(s.minimized);
    EXPECT_EQ(UpdateFocus(t, false, true, true, 5.0f), FocusAction::None);  // once

    // Back in front: restored after its own delay, and still paused.
    EXPECT_EQ(UpdateFocus(t, true, false, true, 6.0f), FocusAction::None);
    EXPECT_TRUE(s.focused);
    EXPECT_TRUE(s.minimized);
    EXPECT_EQ(UpdateFocus(t, true, false, true, 6.3f), FocusAction::Restore);
    EXPECT_FALSE(s.minimized);
    EXPECT_TRUE(s.paused);

    // A quick return disarms the minimize timer.
    FocusTimers quick = Started();
    UpdateFocus(quick, false, true, true, 1.0f);
    UpdateFocus(quick, true, false, true, 1.1f);
    EXPECT_EQ(UpdateFocus(quick, false, true, true, 1.5f), FocusAction::None);  // re-armed, not due
    EXPECT_EQ(UpdateFocus(quick, false, true, true, 1.71f), FocusAction::Iconify);
}

TEST_F(GameFlowTest, WindowedOrNothingFocusedPausesButNeverIconifiesAndTheEditorNeverPauses) {
    EngineState& s = GetEngineState();
    FocusTimers t = Started();
    for (float now = 0.0f; now < 2.0f; now += 0.1f) {
        EXPECT_EQ(UpdateFocus(t, false, true, false, now), FocusAction::None);
        EXPECT_EQ(UpdateFocus(t, false, false, true, now), FocusAction::None);
    }
    EXPECT_TRUE(s.paused);
    EXPECT_FALSE(s.minimized);

    ResumeGame();
    s.mode = s.requestedMode = EngineMode::Editor;
    FocusTimers editor = Started();
    UpdateFocus(editor, false, true, false, 1.0f);
    EXPECT_FALSE(s.paused);
    EXPECT_FALSE(s.focused);
}

TEST_F(GameFlowTest, IconifyCallbackPausesAndRestoreKeepsThePause) {
    EngineState& s = GetEngineState();
    CommitFrameLevelAndMode();
    OnWindowIconified(true);
    EXPECT_TRUE(s.minimized);
    EXPECT_TRUE(s.paused);
    OnWindowIconified(false);
    EXPECT_FALSE(s.minimized);
    EXPECT_TRUE(s.paused);
}

// The window gets the focus a few frames late: the game starts unpaused with no
// menu, even though the menu would open in the start-up frame's mode.
TEST_F(GameFlowTest, FocusArrivingWithinTheFirstSecondStartsUnpaused) {
    EngineState& s = GetEngineState();
    PauseMenu menu = MakePauseMenu();
    FocusTimers t;
    EXPECT_EQ(s.mode, EngineMode::Startup);
    EXPECT_EQ(UpdateFocus(t, false, true, true, 0.4f), FocusAction::None);  // first frame
    CommitFrameLevelAndMode();
    EXPECT_EQ(UpdateFocus(t, false, true, true, 1.0f), FocusAction::None);
    EXPECT_FALSE(s.focused);
    EXPECT_EQ(UpdateFocus(t, true, false, true, 1.39f), FocusAction::None);
    EXPECT_TRUE(s.focused);
    EXPECT_FALSE(s.paused);
    EXPECT_FALSE(menu.IsOpen());
    EXPECT_FALSE(s.minimized);
    // Later losses count at once.
    UpdateFocus(t, false, true, true, 1.5f);
    EXPECT_TRUE(s.paused);
    EXPECT_TRUE(menu.IsOpen());
    menu.ClosePauseMenu();
}

TEST_F(GameFlowTest, NoFocusAfterTheFirstSecondPausesWithTheMenu) {
    EngineState& s = GetEngineState();
    PauseMenu menu = MakePauseMenu();
    FocusTimers t;
    UpdateFocus(t, false, true, true, 0.4f);
    EXPECT_FALSE(menu.IsOpen());
    UpdateFocus(t, false, true, true, 1.41f);
    EXPECT_TRUE(menu.IsOpen());
    EXPECT_TRUE(s.paused);  // opened while still starting: paused all the same
    EXPECT_EQ(s.timeScale, 0.0f);
    menu.ClosePauseMenu();
    EXPECT_FALSE(s.paused);
}

}  // namespace
