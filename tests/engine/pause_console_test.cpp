// The pause menu and the console, driven through their keys and widgets.
#include "tests/scripting/script_fixture.h"

#include <functional>
#include <tuple>
#include <utility>

#include "core/file_util.h"
#include "engine/console.h"
#include "engine/pause_menu.h"
#include "scripting/lb_exports.h"
#include "tests/editor/gui_driver.h"

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
    std::string Raised() { return std::exchange(raised_, ""); }
    std::string raised_;
    std::unique_ptr<PauseMenu> menu_;
};

TEST_F(PauseMenuTest, EscapeStartAndTheCloseButtonOpenTheMenuAndTheGamePausesWithIt) {
    const std::tuple<std::function<void()>, const char*, bool> steps[] = {
        {[] { events::Call<int>("KeyPressed", 256); }, "PauseMenuPaused|", true},
        {[] { events::Call<int>("KeyPressed", 65); }, "", true},
        {[] { events::Call<int>("KeyPressed", 256); }, "PauseMenuUnPaused|", false},
        {[] { lb_pause_menu_unpause(); }, "", false},
        {[&] { menu_->CheckStartButton(true); }, "PauseMenuPaused|", true},
        {[&] { menu_->CheckStartButton(true); }, "", true},  // held, not pressed again
        {[&] { menu_->CheckStartButton(false); }, "", true},
        {[&] { menu_->CheckStartButton(true); }, "PauseMenuUnPaused|", false},
        {[&] { menu_->OnCloseRequested(nullptr); }, "PauseMenuPaused|PauseMenuConfirmClose|", true},
        {[&] { menu_->OnCloseRequested(nullptr); }, "PauseMenuConfirmClose|", true},
        {[] { lb_pause_menu_unpause(); }, "PauseMenuUnPaused|", false},
    };
    int step = 0;
    for (const auto& [act, raised, paused] : steps) {
        SCOPED_TRACE(step++);
        act();
        EXPECT_EQ(Raised(), raised);
        EXPECT_EQ(menu_->IsOpen(), paused);
        EXPECT_EQ(GetEngineState().paused, paused);
        EXPECT_EQ(GetEngineState().timeScale, paused ? 0.0f : 1.0f);
    }
    // In the editor the events are raised and the pause state is left alone.
    GetEngineState().mode = EngineMode::Editor;
    events::Call<int>("KeyPressed", 256);
    EXPECT_EQ(Raised(), "PauseMenuPaused|");
    EXPECT_FALSE(GetEngineState().paused);
    menu_.reset();
    EXPECT_FALSE(events::Disconnect("KeyPressed", "PauseMenuCheckPause"));
}

// The grave accent shows and hides the console; its button saves the last
// 1000 lines of the log, literally, into the save folder.
using ConsoleTest = ScriptFixture;

TEST_F(ConsoleTest, TheConsoleTogglesOnItsKeyAndSavesTheLogFromItsButton) {
    setenv("XDG_DOCUMENTS_DIR", (folder_ + "/docs").c_str(), 1);
    SetConsoleVisible(false);
    auto console = std::make_unique<Console>();
    for (int key : {96, 97}) events::Call<int>("KeyPressed", key);
    EXPECT_TRUE(IsConsoleVisible());
    for (int i = 0; i < 1001; ++i) Print("line " + std::to_string(i));
    Print("100%d literal");
    GuiDriver gui;
    gui.Frame([&] { console->Draw(); });
    GuiDriver::Press(GuiDriver::Id("Console", {"Save copy to Documents/Quillmere"}));
    gui.Frame([&] { console->Draw(); });
    unsetenv("XDG_DOCUMENTS_DIR");
    std::string saved;
    for (const auto& entry : std::filesystem::directory_iterator(folder_ + "/docs/Quillmere"))
        saved = ReadWholeFile(entry.path()).value_or("") + entry.path().filename().string();
    EXPECT_EQ(saved.rfind("line 2\nline 3\n", 0), 0u);
    EXPECT_NE(saved.find("line 1000\n100%d literal\nConsole Log"), std::string::npos);
    events::Call<int>("KeyPressed", 96);
    EXPECT_FALSE(IsConsoleVisible());
    console.reset();
    EXPECT_FALSE(events::Disconnect("KeyPressed", "OpenConsole"));
}

}  // namespace
