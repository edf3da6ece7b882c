// The pause menu, cheats and the console, driven through their events.
#include "tests/scripting/script_fixture.h"

#include "engine/cheats.h"
#include "engine/console.h"
#include "engine/pause_menu.h"
#include "scripting/lb_exports.h"

namespace {

class PauseMenuTest : public ScriptFixture {
protected:
    void SetUp() override {
        ScriptFixture::SetUp();
        GetEngineState().mode = EngineMode::Game;
        for (const char* name : {"PauseMenuPaused", "PauseMenuUnPaused", "PauseMenuConfirmClose"})
            events::Connect(name, "Probe", [this, name] { raised_ += std::string(name) + "|"; });
        menu_ = std::make_unique<PauseMenu>();
    }
    void TearDown() override {
        menu_.reset();
        ScriptFixture::TearDown();
    }
    std::string raised_;
    std::unique_ptr<PauseMenu> menu_;
};

TEST_F(PauseMenuTest, EscapeOpensThenClosesAndTheTimeScaleFollows) {
    events::Call<int>("KeyPressed", 256);
    EXPECT_TRUE(menu_->IsOpen());
    EXPECT_TRUE(GetEngineState().paused);
    EXPECT_EQ(GetEngineState().timeScale, 0.0f);
    events::Call<int>("KeyPressed", 256);
    EXPECT_FALSE(menu_->IsOpen());
    EXPECT_EQ(GetEngineState().timeScale, 1.0f);
    events::Call<int>("KeyPressed", 65);  // other keys do nothing
    EXPECT_EQ(raised_, "PauseMenuPaused|PauseMenuUnPaused|");
}

TEST_F(PauseMenuTest, InTheEditorTheEventsAreRaisedButThePauseStateIsLeftAlone) {
    GetEngineState().mode = EngineMode::Editor;
    menu_->OpenPauseMenu();
    EXPECT_FALSE(GetEngineState().paused);
    menu_->ClosePauseMenu();
    EXPECT_EQ(raised_, "PauseMenuPaused|PauseMenuUnPaused|");
}

TEST_F(PauseMenuTest, UnpauseWhenClosedRaisesNothingAndOpeningTwiceOrHoldingStartActsOnce) {
    lb_pause_menu_unpause();
    EXPECT_EQ(raised_, "");
    menu_->OpenPauseMenu();
    menu_->OpenPauseMenu();
    lb_pause_menu_unpause();
    EXPECT_EQ(raised_, "PauseMenuPaused|PauseMenuUnPaused|");
    EXPECT_FALSE(GetEngineState().paused);

    // Holding start toggles once.
    raised_.clear();
    menu_->CheckStartButton(true);
    menu_->CheckStartButton(true);
    menu_->CheckStartButton(true);
    EXPECT_TRUE(menu_->IsOpen());
    menu_->CheckStartButton(false);
    menu_->CheckStartButton(true);
    EXPECT_FALSE(menu_->IsOpen());
    EXPECT_EQ(raised_, "PauseMenuPaused|PauseMenuUnPaused|");
}

TEST_F(PauseMenuTest, CloseRequestOpensTheMenuAndAsksForConfirmation) {
    menu_->OnCloseRequested(nullptr);
    EXPECT_TRUE(GetEngineState().paused);
    menu_->OnCloseRequested(nullptr);  // already paused: only the question again
    EXPECT_EQ(raised_, "PauseMenuPaused|PauseMenuConfirmClose|PauseMenuConfirmClose|");
}

TEST_F(PauseMenuTest, ScriptsSeeThePauseEventsAndMayUnpauseFromThem) {
    StartRecordingHost(R"lua(
ffi.C.lb_connect_events()
hooks = { PauseMenuPaused = function() ffi.C.lb_pause_menu_unpause() end }
)lua");
    ClearCalls();
    events::Call<int>("KeyPressed", 256);
    EXPECT_EQ(Calls(), "PauseMenuPaused|PauseMenuUnPaused");
    EXPECT_FALSE(menu_->IsOpen());
    EXPECT_FALSE(GetEngineState().paused);
}

TEST_F(PauseMenuTest, DestroyingTheMenuDisconnectsItsListeners) {
    menu_.reset();
    EXPECT_FALSE(events::Disconnect("KeyPressed", "PauseMenuCheckPause"));
    EXPECT_FALSE(events::Disconnect("LogicUpdate", "PauseMenuCheckPause"));
    EXPECT_EQ(GetPauseMenu(), nullptr);
}

using ConsoleTest = ScriptFixture;

TEST_F(ConsoleTest, GraveAccentTogglesTheConsoleAndCheatsIgnoreKeys) {
    SetConsoleVisible(false);
    {
        Console console;
        Cheats cheats;
        events::Call<int>("KeyPressed", 96);
        EXPECT_TRUE(IsConsoleVisible());
        events::Call<int>("KeyPressed", 97);
        EXPECT_TRUE(IsConsoleVisible());
        events::Call<int>("KeyPressed", 96);
        EXPECT_FALSE(IsConsoleVisible());
    }
    EXPECT_FALSE(events::Disconnect("KeyPressed", "OpenConsole"));
    EXPECT_FALSE(events::Disconnect("KeyPressed", "CheatsKeyPressed"));
}

TEST_F(ConsoleTest, SavedCopyHoldsEveryLineLiterallyInTheSaveFolder) {
    setenv("XDG_DOCUMENTS_DIR", (folder_ + "/docs").c_str(), 1);
    for (int i = 0; i < 1001; ++i) Print("line " + std::to_string(i));
    Print("100%d literal");
    const std::string path = SaveConsoleCopy();
    unsetenv("XDG_DOCUMENTS_DIR");
    EXPECT_EQ(path.rfind(folder_ + "/docs/Quillmere/Console Log", 0), 0u) << path;
    EXPECT_EQ(path.substr(path.size() - 4), ".txt");
    std::ifstream in(path);
    std::string first, last, line;
    std::getline(in, first);
    int count = 1;
    while (std::getline(in, line)) {
        last = line;
        ++count;
    }
    EXPECT_EQ(first, "line 2");  // 1000 lines kept: the two oldest went
    EXPECT_EQ(last, "100%d literal");
    EXPECT_EQ(count, 1000);
}

}  // namespace
