// The save folder and its fallbacks, the record written on leaving a level,
// and what the next start and New game leave in the save folder.
#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "core/debug_exception.h"
#include "core/log.h"
#include "core/json_text.h"
#include "level/save_game.h"
#include "core/save_folder.h"
#include "level_test_env.h"

namespace {

using SaveGameTest = GameFolderTest;

// Each case changes the environment left by the one before.
TEST_F(SaveGameTest, TheSaveFolderIsTheFirstDocumentsFolderThatWorksElseTheDataFolder) {
    const std::string r = root_.string(), cannot = "Failed to create save file path in \"My Documents/Quillmere\"!";
    WriteText(r + "/file", "a file where a folder belongs");
    const std::pair<std::function<void()>, std::string> cases[] = {
        {[&] { documents_.Set(r + "/docs/"); }, r + "/docs/Quillmere/"},
        {[&] { documents_.Unset(); }, r + "/home/Documents/Quillmere/"},
        {[&] { WriteText(r + "/home/.config/user-dirs.dirs", "XDG_DESKTOP_DIR=\"$HOME/D\"\n XDG_DOCUMENTS_DIR=\"$HOME/P\" \r\n"); },
         r + "/home/P/Quillmere/"},
        {[&] { configHome_.Set(r + "/cfg"); }, r + "/home/Documents/Quillmere/"},
        {[&] { WriteText(r + "/cfg/user-dirs.dirs", "XDG_DOCUMENTS_DIR=" + r + "/abs\n"); }, r + "/abs/Quillmere/"},
        {[&] { documents_.Set(r + "/file"); }, r + "/home/.local/share/Quillmere/"},
        {[&] { dataHome_.Set(r + "/data"); }, r + "/data/Quillmere/"},
        {[&] { dataHome_.Set("relative/data"); }, r + "/home/.local/share/Quillmere/"},
        {[&] { configHome_.Unset(); }, r + "/home/.local/share/Quillmere/"},
        {[&] { home_.Unset(); }, cannot},
        {[&] { documents_.Unset(); }, "Failed to create save in \"My Documents/Quillmere\"!"},
    };
    ClearLog();
    for (const auto& [change, folder] : cases) {
        change();
        try {
            EXPECT_EQ(GetSaveFolder(), folder);
            EXPECT_TRUE(fs::is_directory(folder));
        } catch (const debug::exception& e) {
            EXPECT_EQ(e.what(), folder);
        }
    }
    // The log tells where the saves go, at every change of place.
    const std::string moved = "Save folder: the documents folder cannot be written, saves go to \"" + r;
    EXPECT_EQ(GetLog(), (std::deque<std::string>{moved + "/home/.local/share/Quillmere/\"", moved + "/data/Quillmere/\"",
                                                 moved + "/home/.local/share/Quillmere/\""}));
}

// One object travels through both unload events, deferred destruction flushed
// between them; the first departure of a run only arms the record.
TEST_F(SaveGameTest, LeavingALevelWritesTheRecordFromTheSecondTimeOnAndNeverInTheEditor) {
    GetEngineState().previousLevelName = "harbour";
    engine::entity_handle doomed;
    events::Connect<Json::Value*>("LevelUnload", "s", [&](Json::Value* save) {
        doomed = engine::CreateEntity();
        engine::DestroyEntity(doomed);
        (*save)["coins"] = 3;
    });
    events::Connect<Json::Value*>("LevelUnloadFinished", "s", [&](Json::Value* save) {
        (*save)["seen"] = (*save)["coins"].asInt() + (doomed.IsValid() ? 10 : 0);
    });
    using enum EngineMode;
    const std::pair<EngineMode, EngineMode> departures[] = {{Game, Game}, {Editor, Game}, {Game, Editor}, {Editor, Editor}, {Game, Game}};
    for (const auto& [mode, requested] : departures) {
        EXPECT_FALSE(HasSave());
        GetEngineState().mode = mode;
        GetEngineState().requestedMode = requested;
        UnloadLevel();
    }
    EXPECT_EQ(ParseJsonTextOrThrow(ReadText(SaveDir() + "save_file.json")),
              ParseJsonTextOrThrow(R"({"coins": 3, "last_level": "harbour", "seen": 3})"));
    for (const char* broken : {"{\"last_level\": \"mi", "[\"mill\"]", "{\"last_level\": {}}", "{\"coins\": 1}"}) {
        WriteText(SaveDir() + "save_file.json", broken);
        EXPECT_EQ(ReadLastLevel(), "") << broken;
    }
    home_.Unset();
    documents_.Unset();
    EXPECT_NO_THROW(UnloadLevel());  // no save folder: the game goes on
    EXPECT_FALSE(HasSave());
}

// A save killed part way through leaves its temporary file beside the whole
// previous one: the next start removes such files, New game every saved file;
// nothing else in the folder is touched.
TEST_F(SaveGameTest, StartUpRemovesTheTemporaryFilesOfKilledSavesAndNewGameEverySavedFile) {
    for (const char* name : {"a.json", "a.json.tmp", "save_file.json", "save_file.json.tmp", "notes.txt", "folder.tmp/x"})
        WriteText(SaveDir() + name, "{}");
    const auto left = [&] {
        const auto listing = fs::directory_iterator(SaveDir());
        return std::set<fs::path>(begin(listing), end(listing));
    };
    RemoveStaleTemporaryFiles();
    EXPECT_EQ(left(), std::set<fs::path>({SaveDir() + "a.json", SaveDir() + "folder.tmp", SaveDir() + "notes.txt", SaveDir() + "save_file.json"}));
    EXPECT_EQ(ReadLastLevel(), "");
    WriteText(SaveDir() + "a.json.tmp", "");
    DeleteSave();
    EXPECT_EQ(left(), std::set<fs::path>({SaveDir() + "folder.tmp", SaveDir() + "notes.txt"}));
    home_.Unset();
    documents_.Unset();
    RemoveStaleTemporaryFiles();  // no save folder: nothing to remove
    EXPECT_THROW(DeleteSave(), debug::exception);
}

}  // namespace
