// Level change, restart, continue, has-save and save-on-unload as scripts call
// them, run through the real frame steps (level check, then the frame's level
// becomes current) and the real level and save code, in a scratch game folder
// whose documents folder is private.
#include <gtest/gtest.h>

#include <algorithm>

#include <json/value.h>

#include "core/log.h"
#include "engine/game_flow.h"
#include "engine/pause_menu.h"
#include "core/json_text.h"
#include "scripting/lb_exports.h"
#include "tests/level/level_test_env.h"

namespace {

// One marker entity: its position tells a saved copy from the authored level.
std::string LevelText(float markerX) {
    return R"({"tile_map": null, "entities": [
        {"name": "marker", "pos": {"x": )" +
           std::to_string(markerX) + R"(, "y": 2, "z": 0}, "components": null}]})";
}

class LevelTransitionsTest : public GameFolderTest {
protected:
    void SetUp() override {
        GameFolderTest::SetUp();
        for (const char* name : {"PauseMenuPaused", "PauseMenuUnPaused", "PauseMenuConfirmClose"}) {
            events::Register<>(name);
            events::Connect<>(name, "test", [this, name] { raised_ += std::string(name) + "|"; });
        }
        events::Register<int>("KeyPressed");
        ClearLog();
        for (const char* name : {"veltrane_splash", "A", "B", "C"}) WriteLevel(name, LevelText(1.0f));
        Frame();  // the start-up load of "veltrane_splash": arms saveOnUnload, writes nothing
        ASSERT_TRUE(GetEngineState().saveOnUnload);
    }

    // The two frame steps that move between levels.
    static void Frame() {
        RunLevelCheck();
        CommitFrameLevelAndMode();
    }

    // The current level by name, as the scripts see it once a frame has run.
    static void GoTo(const char* level) {
        lb_engine_change_level(level);
        Frame();
        ASSERT_EQ(GetEngineState().previousLevelName, level);
    }

    static float MarkerX() {
        for (engine::entity_handle h : engine::GetLiveEntities())
            if (h.GetBaseEntity()->name == "marker") return h.GetBaseEntity()->position.x;
        ADD_FAILURE() << "no marker entity";
        return 0.0f;
    }
    static void MoveMarker(float x) {
        for (engine::entity_handle h : engine::GetLiveEntities())
            if (h.GetBaseEntity()->name == "marker") h.GetBaseEntity()->position.x = x;
    }

    std::string Record() const { return SaveDir() + "save_file.json"; }
    std::string Copy(const std::string& level) const { return SaveDir() + level + ".json"; }
    std::string RecordedLevel() const { return ParseJsonTextOrThrow(ReadText(Record()))["last_level"].asString(); }
    float CopiedMarkerX(const std::string& level) const {
        return ParseJsonTextOrThrow(ReadText(Copy(level)))["entities"][0]["pos"]["x"].asFloat();
    }
    std::vector<std::string> SaveFiles() const {
        std::vector<std::string> names;
        if (fs::exists(SaveDir()))
            for (const auto& entry : fs::directory_iterator(SaveDir())) names.push_back(entry.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string raised_;
};

using Names = std::vector<std::string>;

TEST_F(LevelTransitionsTest, ChangingLevelSavesTheCopyOfTheLevelLeftAndRecordsIt) {
    GoTo("A");
    EXPECT_EQ(SaveFiles(), Names({"save_file.json", "veltrane_splash.json"}));
    EXPECT_EQ(RecordedLevel(), "veltrane_splash");

    MoveMarker(40.0f);
    GoTo("B");
    EXPECT_EQ(RecordedLevel(), "A");
    EXPECT_EQ(CopiedMarkerX("A"), 40.0f);  // the level as it was left, not as authored
    // The one-shot saver ran once and took itself off.
    EXPECT_FALSE(events::Disconnect("LevelUnloadFinished", "LuaSaveLevelOnUnload"));

    // Coming back prefers the saved copy.
    GoTo("A");
    EXPECT_EQ(MarkerX(), 40.0f);
    EXPECT_EQ(RecordedLevel(), "B");
    EXPECT_EQ(SaveFiles(), Names({"A.json", "B.json", "save_file.json", "veltrane_splash.json"}));
}

TEST_F(LevelTransitionsTest, OnlyTheFirstOfTwoChangesInOneFrameTakesEffect) {
    lb_engine_change_level("B");
    lb_engine_change_level("C");  // would also fail to connect the one-shot saver a second time
    EXPECT_EQ(GetEngineState().levelName, "B");
    Frame();
    EXPECT_EQ(GetEngineState().previousLevelName, "B");
    EXPECT_FALSE(LevelLoadDue());
    EXPECT_EQ(SaveFiles(), Names({"save_file.json", "veltrane_splash.json"}));
    EXPECT_TRUE(GetLog().empty());
}

TEST_F(LevelTransitionsTest, ClearingSaveOnUnloadSkipsExactlyOneUnload) {
    GoTo("A");
    fs::remove_all(SaveDir());
    lb_engine_save_on_unload(false);
    GoTo("B");
    EXPECT_EQ(SaveFiles(), Names());  // neither the record nor a copy of A
    EXPECT_TRUE(GetEngineState().saveOnUnload);

    GoTo("C");
    EXPECT_EQ(SaveFiles(), Names({"B.json", "save_file.json"}));
    EXPECT_EQ(RecordedLevel(), "B");
}

TEST_F(LevelTransitionsTest, RestartDeletesEverySavedFileClosesTheMenuAndLoadsTheAuthoredLevel) {
    GoTo("A");
    MoveMarker(40.0f);
    GoTo("B");
    MoveMarker(50.0f);
    WriteText(SaveDir() + "notes.txt", "kept");
    PauseMenu menu;
    menu.OpenPauseMenu();
    raised_.clear();

    lb_engine_load_level_restart("A");
    EXPECT_EQ(SaveFiles(), Names({"notes.txt"}));
    EXPECT_FALSE(menu.IsOpen());
    EXPECT_EQ(raised_, "PauseMenuUnPaused|");
    EXPECT_FALSE(GetEngineState().paused);

    Frame();
    EXPECT_EQ(GetEngineState().previousLevelName, "A");
    EXPECT_EQ(MarkerX(), 1.0f);                      // authored, its copy is gone
    EXPECT_EQ(SaveFiles(), Names({"notes.txt"}));  // B was neither saved nor recorded
    EXPECT_TRUE(GetEngineState().saveOnUnload);

    GoTo("B");  // and B comes back as authored too
    EXPECT_EQ(MarkerX(), 1.0f);
}

TEST_F(LevelTransitionsTest, ContinueAndHasSaveReadTheRecordAtEachCallAndACorruptOneCountsAsAbsent) {
    fs::remove_all(SaveDir());
    EXPECT_FALSE(lb_engine_has_save_file());
    lb_engine_load_saved_level();
    EXPECT_EQ(GetLog().back(), "Lua Error: Attempted to load the saved level with no save file");
    EXPECT_FALSE(LevelLoadDue());

    WriteText(Record(), R"({"last_level": "B"})");
    EXPECT_TRUE(lb_engine_has_save_file());
    lb_engine_load_saved_level();
    EXPECT_EQ(GetEngineState().levelName, "B");
    Frame();

    WriteText(Record(), R"({"last_level": "C"})");
    lb_engine_load_saved_level();
    EXPECT_EQ(GetEngineState().levelName, "C");
    Frame();
    EXPECT_EQ(GetEngineState().previousLevelName, "C");

    WriteText(Record(), R"({"coins": 3})");
    EXPECT_FALSE(lb_engine_has_save_file());

    // A corrupt record counts as absent and stays until a good one is written.
    const std::string corrupt = "{\"last_level\": \"A";
    WriteText(Record(), corrupt);
    EXPECT_FALSE(lb_engine_has_save_file());
    lb_engine_load_saved_level();
    EXPECT_FALSE(LevelLoadDue());

    // Loading a level reads the record for "LevelLoad"; a skipped unload writes none.
    Json::Value seen = Json::Value("not raised");
    events::Connect<Json::Value*>("LevelLoad", "t", [&](Json::Value* record) { seen = *record; });
    lb_engine_save_on_unload(false);
    GoTo("A");
    EXPECT_TRUE(seen.isNull());
    EXPECT_EQ(ReadText(Record()), corrupt);

    GoTo("B");
    EXPECT_EQ(RecordedLevel(), "A");
    EXPECT_TRUE(lb_engine_has_save_file());
}

TEST_F(LevelTransitionsTest, TheEditorNeverWritesASave) {
    fs::remove_all(SaveDir());
    GetEngineState().requestedMode = EngineMode::Editor;  // entering the editor reloads the level
    Frame();
    ASSERT_EQ(GetEngineState().mode, EngineMode::Editor);
    EXPECT_TRUE(GetEngineState().saveOnUnload);
    lb_engine_change_level("B");
    EXPECT_FALSE(events::Disconnect("LevelUnloadFinished", "LuaSaveLevelOnUnload"));
    Frame();
    EXPECT_EQ(GetEngineState().previousLevelName, "B");
    GetEngineState().requestedMode = EngineMode::Game;  // and leaving it
    Frame();
    EXPECT_EQ(SaveFiles(), Names());
    EXPECT_FALSE(lb_engine_in_editor());
}

}  // namespace
