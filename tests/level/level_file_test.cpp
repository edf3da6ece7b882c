// Level files: what a load builds and a save writes back, which copy loads,
// the events around a load, and the messages of broken levels.
#include <gtest/gtest.h>

#include "core/log.h"
#include "graphics/tile_map.h"
#include "core/json_text.h"
#include "level/level_file.h"
#include "level_test_env.h"

namespace {

// Every part of a level, none at its default value. A position too large for
// a float reads as infinity and is written as the largest double.
const char* kLevel = R"({"entities": [
    {"components": [{"Sound Emitter Cue": "wind", "Sound Emitter Distance": 12.5, "Sound Emitter Fall Off Rate": 4.0,
                     "__component_name": "SoundEmitter"}], "name": "gust", "pos": {"x": 1.5, "y": -2.0, "z": 0.25}},
    {"components": null, "name": "far", "pos": {"x": 1.7976931348623157e+308, "y": -1e40, "z": 0.0}}],
  "graphics": {"attenuation_zero": 0.5, "global_ambient": {"x": 0.25, "y": 0.5, "z": 0.75}, "global_ambient_intensity": 2.0,
               "moonlight_color": {"x": 0.5, "y": 0.75, "z": 1.0}, "moonlight_fade_dist": 50.0, "moonlight_fade_exponent": 3.0},
  "physics": {"stable_contacts": true},
  "tile_map": {"height": 1, "tile_height": 16, "tile_textures": ["rock"], "tile_width": 8, "tiles": "1 0 ", "width": 2}})";

std::string Named(const std::string& name) { return R"({"entities": [{"name": ")" + name + R"("}]})"; }
std::string FirstName() { return engine::GetLiveEntities().empty() ? "-" : engine::GetLiveEntities()[0].GetName(); }

using LevelFileTest = GameFolderTest;

// Without "graphics" the lighting stays as it was; with it the colours are
// always set (missing = 0), the fades only when given.
TEST_F(LevelFileTest, ALoadedLevelSavesBackToTheSameDocument) {
    WriteLevel("cave", kLevel);
    Json::Value expected = ParseJsonTextOrThrow(kLevel);
    expected["entities"][1]["pos"]["y"] = -1.7976931348623157e+308;
    for (const char* level : {"cave", "copy"}) {
        LoadLevel(level);
        SaveLevel("copy", false);
        EXPECT_EQ(ReadText("levels/copy.json"), WriteStyledJson(expected)) << level;
    }
    WriteLevel("dim", R"({"graphics": {"moonlight_fade_dist": null, "moonlight_fade_exponent": 9}})");
    LoadLevel("dim");
    SaveLevel("dim", false);
    expected = ParseJsonTextOrThrow(R"({"entities": [], "graphics": {"attenuation_zero": 0.0, "global_ambient_intensity": 0.0,
        "global_ambient": {"x": 0.0, "y": 0.0, "z": 0.0}, "moonlight_color": {"x": 0.0, "y": 0.0, "z": 0.0},
        "moonlight_fade_dist": 50.0, "moonlight_fade_exponent": 9.0}})");
    expected["tile_map"] = TileMap().Serialize();
    EXPECT_EQ(ReadText("levels/dim.json"), WriteStyledJson(expected));
    const EngineState& state = GetEngineState();
    const auto levels = [&] { return state.levelName + " after " + state.previousLevelName + (state.reloadRequested ? ", due" : ""); };
    EXPECT_EQ(levels(), "dim after dim");
    RequestLevel("next", false);  // a load is due; "dim" stays the current level until then
    EXPECT_EQ(levels(), "next after dim, due");
}

TEST_F(LevelFileTest, TheGameLoadsTheSavedCopyAndTheEditorTheAuthoredOne) {
    WriteLevel("town", Named("authored"));
    WriteText(SaveDir() + "town.json", Named("saved"));
    std::string seen;
    for (EngineMode mode : {EngineMode::Game, EngineMode::Editor, EngineMode::Startup, EngineMode::Game}) {
        if (mode == EngineMode::Startup) ReadAuthoredCopyAtNextLoad();  // a hot reload of the level file, once
        GetEngineState().requestedMode = mode;
        LoadLevel("town");
        seen += FirstName() + " ";
    }
    engine::GetLiveEntities().at(0).SetName("visited");
    SaveLevel("town", true);
    fs::create_directory("levels/town.json.tmp");  // the authored copy cannot be replaced: it stays
    SaveLevel("town", false);
    EXPECT_EQ(GetLog().back(), "SaveLevel: could not write \"levels/town.json\".");
    LoadLevel("town");
    seen += FirstName() + " ";
    documents_.Unset();
    home_.Unset();
    SaveLevel("town", true);  // no save folder: nothing written, the authored copy loads
    LoadLevel("town");
    EXPECT_EQ(seen + FirstName(), "saved authored authored saved visited authored");
}

// At the unload events the level is still there; "LevelLoad" comes with the new
// one and the save record (null when damaged), and not in the editor. Saving in
// the editor raises "LevelUnload" first: what scripts destroy then is not written.
TEST_F(LevelFileTest, ALoadRaisesTheUnloadEventsThenLevelLoadWithTheSaveRecord) {
    WriteLevel("a", Named("first"));
    WriteLevel("b", Named("second"));
    LoadLevel("a");
    std::string seen;
    for (const char* event : {"LevelUnload", "LevelUnloadFinished", "LevelLoad"})
        events::Connect<Json::Value*>(event, "t", [&, event](Json::Value* v) {
            seen += std::string(event) + " " + FirstName() + " " + (*v)["coins"].toStyledString();
            if (GetEngineState().mode == EngineMode::Editor && event == std::string("LevelUnload"))
                engine::DestroyEntity(engine::GetLiveEntities().at(0));
        });
    for (const char* record : {R"({"coins": 7})", "{\"coins\": "}) {
        WriteText(SaveDir() + "save_file.json", record);
        GetEngineState().saveOnUnload = false;  // keeps the record as written
        LoadLevel("b");
    }
    GetEngineState().requestedMode = GetEngineState().mode = EngineMode::Editor;
    LoadLevel("a");
    SaveLevel("a", false);
    EXPECT_EQ(ReadText("levels/a.json").find("first"), std::string::npos);
    EXPECT_EQ(seen, "LevelUnload first null\nLevelUnloadFinished first null\nLevelLoad second 7\n"
                    "LevelUnload second null\nLevelUnloadFinished second null\nLevelLoad second null\n"
                    "LevelUnload second null\nLevelUnloadFinished - null\nLevelUnload first null\n");
}

// A broken level ends in the crash dialog with a message that says what is wrong.
TEST_F(LevelFileTest, ABrokenLevelIsRefusedWithAMessageSayingWhy) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "* Line 1, Column 1\n  Syntax error: value, object or array expected.\n"},
        {"{\"entities\": [1, 2", "* Line 1, Column 19\n  Missing ',' or ']' in array declaration\n"},
        {R"({"graphics": {"attenuation_zero": "tiny"}})", "Value is not convertible to float."},
        {"[1, 2]", "Level \"bad\": the document is not a JSON object."},
        {R"({"entities": {}})", "Level \"bad\": \"entities\" is not an array."},
    };
    for (const auto& [text, message] : cases) {
        if (*text) WriteLevel("bad", text);  // the first: no file at all
        ::testing::internal::CaptureStderr();
        try {
            LoadLevel("bad");
            ADD_FAILURE() << "loaded: " << text;
        } catch (const std::exception& e) {
            EXPECT_EQ(e.what(), std::string(message));
        }
        EXPECT_EQ(GetTileMap() != nullptr, *message == 'V') << text;  // none until the document passed its checks
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), *message == '*' ? "Error from reader: " + std::string(message) : "");
    }
}

}  // namespace
