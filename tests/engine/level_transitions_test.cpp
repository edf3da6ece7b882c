// Level change, restart, continue, has-save and save-on-unload as scripts call
// them, run through the real frame steps and the real level and save code in a
// scratch game folder whose documents folder is private.
#include <algorithm>

#include "core/json_text.h"
#include "core/log.h"
#include "engine/game_flow.h"
#include "engine/pause_menu.h"
#include "scripting/lb_exports.h"
#include "tests/level/level_test_env.h"

namespace {

using Names = std::vector<std::string>;

class LevelTransitionsTest : public GameFolderTest {
protected:
    void SetUp() override {
        GameFolderTest::SetUp();
        for (const char* name : {"PauseMenuPaused", "PauseMenuUnPaused", "PauseMenuConfirmClose"}) events::Register<>(name);
        events::Register<int>("KeyPressed");
        // One entity whose x tells a saved copy from the authored level.
        for (const char* name : {"veltrane_splash", "A", "B", "C"})
            WriteLevel(name, R"({"tile_map": null, "entities": [{"name": "marker", "pos": {"x": 1, "y": 2, "z": 0}, "components": null}]})");
        Frame();  // the start-up load: arms saveOnUnload, writes nothing
        ClearLog();
    }
    static void Frame() {
        RunLevelCheck();
        CommitFrameLevelAndMode();
    }
    static void GoTo(const char* level) {
        lb_engine_change_level(level);
        Frame();
        ASSERT_EQ(GetEngineState().previousLevelName, level);
    }
    static float& MarkerX() { return engine::GetLiveEntities().at(0).GetBaseEntity()->position.x; }
    std::string Record() const { return SaveDir() + "save_file.json"; }
    std::string RecordedLevel() const { return ParseJsonTextOrThrow(ReadText(Record()))["last_level"].asString(); }
    Names SaveFiles() const {
        Names names;
        if (fs::exists(SaveDir()))
            for (const auto& entry : fs::directory_iterator(SaveDir())) names.push_back(entry.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(LevelTransitionsTest, ChangingLevelSavesTheLevelLeftAndComingBackPrefersItsCopy) {
    GoTo("A");
    EXPECT_EQ(SaveFiles(), Names({"save_file.json", "veltrane_splash.json"}));
    EXPECT_EQ(RecordedLevel(), "veltrane_splash");
    MarkerX() = 40.0f;
    GoTo("B");
    EXPECT_EQ(RecordedLevel(), "A");
    GoTo("A");
    EXPECT_EQ(MarkerX(), 40.0f);  // as it was left, not as authored
    EXPECT_EQ(RecordedLevel(), "B");
    EXPECT_EQ(SaveFiles(), Names({"A.json", "B.json", "save_file.json", "veltrane_splash.json"}));
    // The one-shot saver took itself off.
    EXPECT_FALSE(events::Disconnect("LevelUnloadFinished", "LuaSaveLevelOnUnload"));
}

TEST_F(LevelTransitionsTest, OnlyTheFirstOfTwoChangesInOneFrameTakesEffect) {
    lb_engine_change_level("B");
    lb_engine_change_level("C");
    Frame();
    EXPECT_EQ(GetEngineState().previousLevelName, "B");
    EXPECT_FALSE(LevelLoadDue());
    EXPECT_TRUE(GetLog().empty());
}

TEST_F(LevelTransitionsTest, ClearingSaveOnUnloadSkipsExactlyOneUnload) {
    GoTo("A");
    fs::remove_all(SaveDir());
    lb_engine_save_on_unload(false);
    GoTo("B");
    EXPECT_EQ(SaveFiles(), Names());
    GoTo("C");
    EXPECT_EQ(SaveFiles(), Names({"B.json", "save_file.json"}));
}

TEST_F(LevelTransitionsTest, RestartDeletesEverySaveClosesTheMenuAndLoadsTheAuthoredLevel) {
    GoTo("A");
    MarkerX() = 40.0f;
    GoTo("B");
    WriteText(SaveDir() + "notes.txt", "kept");
    PauseMenu menu;
    menu.OpenPauseMenu();
    lb_engine_load_level_restart("A");
    EXPECT_EQ(SaveFiles(), Names({"notes.txt"}));
    EXPECT_FALSE(menu.IsOpen() || GetEngineState().paused);
    Frame();
    EXPECT_EQ(MarkerX(), 1.0f);
    EXPECT_EQ(SaveFiles(), Names({"notes.txt"}));  // B was neither saved nor recorded
    EXPECT_TRUE(GetEngineState().saveOnUnload);
}

// The record is read at each call; one without a level, or corrupt, counts as
// absent and stays until the next unload writes a good one.
TEST_F(LevelTransitionsTest, ContinueAndHasSaveFollowTheRecord) {
    const std::pair<const char*, const char*> records[] = {
        {nullptr, ""}, {R"({"last_level": "B"})", "B"}, {R"({"last_level": "C"})", "C"}, {R"({"coins": 3})", ""}, {"{\"last_level\": \"A", ""}};
    for (const auto& [record, level] : records) {
        SCOPED_TRACE(level);
        fs::remove_all(SaveDir());
        if (record) WriteText(Record(), record);
        ClearLog();
        EXPECT_EQ(lb_engine_has_save_file(), *level != '\0');
        lb_engine_load_saved_level();
        EXPECT_EQ(LevelLoadDue(), *level != '\0');
        EXPECT_EQ(GetLog().size(), *level ? 0u : 1u);  // continuing without a save is a script error
        Frame();
        if (*level) EXPECT_EQ(GetEngineState().previousLevelName, level);
    }
    lb_engine_save_on_unload(false);
    GoTo("A");
    EXPECT_EQ(ReadText(Record()), "{\"last_level\": \"A");
    GoTo("B");
    EXPECT_EQ(RecordedLevel(), "A");
}

TEST_F(LevelTransitionsTest, TheEditorNeverWritesASave) {
    fs::remove_all(SaveDir());
    GetEngineState().requestedMode = EngineMode::Editor;
    EXPECT_TRUE(LevelLoadDue());  // entering the editor reloads the level
    Frame();
    GoTo("B");
    EXPECT_TRUE(lb_engine_in_editor());
    GetEngineState().requestedMode = EngineMode::Game;  // and so does leaving it
    Frame();
    EXPECT_EQ(SaveFiles(), Names());
}

}  // namespace
