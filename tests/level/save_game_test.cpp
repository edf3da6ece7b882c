#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "core/debug_exception.h"
#include "core/log.h"
#include "core/json_text.h"
#include "level/save_game.h"
#include "core/save_folder.h"
#include "level_test_env.h"

namespace {

const char* kNoDocuments = "Failed to create save in \"My Documents/Quillmere\"!";
const char* kCannotCreate = "Failed to create save file path in \"My Documents/Quillmere\"!";

class SaveGameTest : public GameFolderTest {
protected:
    std::string Record() const { return SaveDir() + "save_file.json"; }
};

std::string ThrownBy(const std::function<void()>& f) {
    try {
        f();
    } catch (const debug::exception& e) {
        return e.what();
    }
    return "nothing thrown";
}

TEST_F(SaveGameTest, SaveFolderComesFromTheXdgDocumentsDirOrUserDirsOrHomeDocumentsAndIsCreated) {
    EXPECT_EQ(GetSaveFolder(), (root_ / "docs" / "Quillmere").string() + "/");
    EXPECT_TRUE(fs::is_directory(root_ / "docs" / "Quillmere"));
    documents_.Set((root_ / "docs").string() + "/");  // a trailing slash is not doubled
    EXPECT_EQ(GetSaveFolder(), (root_ / "docs" / "Quillmere").string() + "/");

    // Without it: the user-dirs file, then ~/Documents.
    documents_.Unset();
    EXPECT_EQ(GetSaveFolder(), (root_ / "home" / "Documents" / "Quillmere").string() + "/");

    WriteText(root_ / "home" / ".config" / "user-dirs.dirs",
              "# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
              "XDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n");
    EXPECT_EQ(GetSaveFolder(), (root_ / "home" / "Papers" / "Quillmere").string() + "/");

    configHome_.Set((root_ / "cfg").string());
    WriteText(root_ / "cfg" / "user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"" + (root_ / "abs").string() + "\"\n");
    EXPECT_EQ(GetSaveFolder(), (root_ / "abs" / "Quillmere").string() + "/");
}

TEST_F(SaveGameTest, SaveFolderFailuresThrowTheTwoMessages) {
    documents_.Unset();
    home_.Unset();
    EXPECT_EQ(ThrownBy([] { GetSaveFolder(); }), kNoDocuments);

    // Neither the documents folder nor the data folder can be made.
    WriteText(root_ / "data-file", "not a folder");
    dataHome_.Set((root_ / "data-file").string());
    WriteText(root_ / "docs-file", "not a folder");
    documents_.Set((root_ / "docs-file").string());
    EXPECT_EQ(ThrownBy([] { GetSaveFolder(); }), kCannotCreate);
    WriteText(root_ / "docs2" / "Quillmere", "a file where the folder belongs");
    documents_.Set((root_ / "docs2").string());
    EXPECT_EQ(ThrownBy([] { GetSaveFolder(); }), kCannotCreate);
}

// A documents folder that cannot hold the saves sends them to the data folder,
// and the log says where, once.
TEST_F(SaveGameTest, UnwritableDocumentsFallBackToTheDataFolder) {
    WriteText(root_ / "docs-file", "not a folder");
    documents_.Set((root_ / "docs-file").string());
    ClearLog();
    const std::string data = (root_ / "home" / ".local" / "share" / "Quillmere").string() + "/";
    EXPECT_EQ(GetSaveFolder(), data);
    EXPECT_TRUE(fs::is_directory(data));
    EXPECT_EQ(GetSaveFolder(), data);
    ASSERT_EQ(GetLog().size(), 1u);
    EXPECT_EQ(GetLog()[0], "Save folder: the documents folder cannot be written, saves go to \"" + data + "\"");

    dataHome_.Set((root_ / "xdg-data").string());
    EXPECT_EQ(GetSaveFolder(), (root_ / "xdg-data" / "Quillmere").string() + "/");
    dataHome_.Set("relative/data");  // not absolute: ignored, as the XDG rules say
    EXPECT_EQ(GetSaveFolder(), data);

    // New Game's delete and the record now work there.
    WriteText(data + "old.json", "{}");
    DeleteSave();
    EXPECT_FALSE(fs::exists(data + "old.json"));

    // Without a home there is no data folder either: the documents failure stands.
    home_.Unset();
    dataHome_.Unset();
    EXPECT_EQ(ThrownBy([] { DeleteSave(); }), kCannotCreate);
}

TEST_F(SaveGameTest, FirstUnloadOnlyArmsTheRecordAndTheNextWritesIt) {
    GetEngineState().mode = EngineMode::Game;
    GetEngineState().previousLevelName = "harbour";
    events::Connect<Json::Value*>("LevelUnload", "script", [](Json::Value* save) { (*save)["coins"] = 3; });
    events::Connect<Json::Value*>("LevelUnloadFinished", "script2", [](Json::Value* save) {
        EXPECT_EQ((*save)["coins"].asInt(), 3);  // the same object travels through both events
        (*save)["seen"] = true;
    });

    UnloadLevel();
    EXPECT_FALSE(fs::exists(Record()));
    EXPECT_TRUE(GetEngineState().saveOnUnload);

    UnloadLevel();
    Json::Value record = ParseJsonTextOrThrow(ReadText(Record()));
    EXPECT_EQ(record["last_level"].asString(), "harbour");
    EXPECT_EQ(record["coins"].asInt(), 3);
    EXPECT_TRUE(record["seen"].asBool());
    EXPECT_FALSE(fs::exists(Record() + ".tmp"));
    EXPECT_TRUE(GetEngineState().saveOnUnload);
}

TEST_F(SaveGameTest, UnloadFlushesPendingDestructionBetweenTheTwoEvents) {
    engine::entity_handle e = engine::CreateEntity();
    engine::DestroyEntity(e);
    bool validAtUnload = false, validAtFinished = true;
    events::Connect<Json::Value*>("LevelUnload", "t", [&](Json::Value*) { validAtUnload = e.IsValid(); });
    events::Connect<Json::Value*>("LevelUnloadFinished", "t", [&](Json::Value*) { validAtFinished = e.IsValid(); });
    UnloadLevel();
    EXPECT_TRUE(validAtUnload);
    EXPECT_FALSE(validAtFinished);
}

TEST_F(SaveGameTest, TheEditorNeverWritesTheRecord) {
    for (EngineMode mode : {EngineMode::Editor, EngineMode::Game}) {
        for (EngineMode requested : {EngineMode::Editor, EngineMode::Game}) {
            if (mode == EngineMode::Game && requested == EngineMode::Game) continue;
            GetEngineState().mode = mode;
            GetEngineState().requestedMode = requested;
            GetEngineState().saveOnUnload = true;
            UnloadLevel();
            EXPECT_FALSE(fs::exists(Record()));
            EXPECT_TRUE(GetEngineState().saveOnUnload);
        }
    }
}

TEST_F(SaveGameTest, UnloadWithoutASaveFolderGoesOnQuietly) {
    GetEngineState().mode = EngineMode::Game;
    GetEngineState().saveOnUnload = true;
    documents_.Unset();
    home_.Unset();
    EXPECT_NO_THROW(UnloadLevel());
}

TEST_F(SaveGameTest, ReadLastLevelReadsTheRecordAtEveryCallAndACorruptOneAsAbsent) {
    EXPECT_EQ(ReadLastLevel(), "");
    EXPECT_FALSE(HasSave());
    WriteText(Record(), R"({"last_level": "mill"})");
    EXPECT_EQ(ReadLastLevel(), "mill");
    EXPECT_TRUE(HasSave());
    WriteText(Record(), R"({"last_level": "tower", "x": 1})");
    EXPECT_EQ(ReadLastLevel(), "tower");
    WriteText(Record(), R"({"coins": 1})");
    EXPECT_EQ(ReadLastLevel(), "");

    // A corrupt record, or no save folder, counts as absent.
    for (const char* text : {"{\"last_level\": \"mi", "", "[\"mill\"]", "{\"last_level\": {\"a\": 1}}"}) {
        WriteText(Record(), text);
        EXPECT_EQ(ReadLastLevel(), "") << text;
    }
    documents_.Unset();
    home_.Unset();
    EXPECT_EQ(ReadLastLevel(), "");
}

TEST_F(SaveGameTest, DeleteSaveRemovesEveryJsonFileOnly) {
    WriteText(Record(), R"({"last_level": "mill"})");
    WriteText(SaveDir() + "mill.json", "{}");
    WriteText(SaveDir() + "mill.json.tmp", "{\"entit");  // left by a killed write
    WriteText(SaveDir() + "Console Log 12.txt", "log");
    DeleteSave();
    EXPECT_FALSE(fs::exists(Record()));
    EXPECT_FALSE(fs::exists(SaveDir() + "mill.json"));
    EXPECT_FALSE(fs::exists(SaveDir() + "mill.json.tmp"));
    EXPECT_TRUE(fs::exists(SaveDir() + "Console Log 12.txt"));
    EXPECT_EQ(ReadLastLevel(), "");

    documents_.Unset();
    home_.Unset();
    EXPECT_EQ(ThrownBy([] { DeleteSave(); }), kNoDocuments);
}

TEST_F(SaveGameTest, StartUpRemovesOnlyTheTemporaryFilesOfKilledWrites) {
    WriteText(Record(), R"({"last_level": "mill"})");
    WriteText(SaveDir() + "save_file.json.tmp", "{\"last_le");
    WriteText(SaveDir() + "mill.json.tmp", "");
    fs::create_directories(SaveDir() + "folder.tmp");  // not ours to remove
    WriteText(SaveDir() + "notes.txt", "kept");
    RemoveStaleTemporaryFiles();
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(SaveDir())) left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"folder.tmp", "notes.txt", "save_file.json"}));
    EXPECT_EQ(ReadLastLevel(), "mill");

    documents_.Unset();
    home_.Unset();
    RemoveStaleTemporaryFiles();  // no save folder: nothing to do, no error
}

}  // namespace
