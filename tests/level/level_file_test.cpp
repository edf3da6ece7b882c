#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "core/debug_exception.h"
#include "graphics/tile_map.h"
#include "core/json_text.h"
#include "level/level_file.h"
#include "level/save_game.h"
#include "level_test_env.h"
#include "physics/physics_settings.h"
#include "sound/sound_emitter.h"

using engine::entity_handle;

namespace {

// Written in the form the writer produces (numbers with decimals, keys in
// order), so that a load followed by a save gives back the same document.
const char* kLevel = R"({
	"entities" : 
	[
		{
			"components" : 
			[
				{
					"Sound Emitter Cue" : "wind",
					"Sound Emitter Distance" : 12.5,
					"Sound Emitter Fall Off Rate" : 4.0,
					"__component_name" : "SoundEmitter"
				},
				{
					"__component_name" : "SoundSpace"
				}
			],
			"name" : "gust",
			"pos" : {"x" : 1.5, "y" : -2.0, "z" : 0.25}
		},
		{
			"components" : null,
			"name" : "marker",
			"pos" : {"x" : 0.0, "y" : 0.0, "z" : 0.0}
		}
	],
	"graphics" : 
	{
		"attenuation_zero" : 0.5,
		"global_ambient" : {"x" : 0.25, "y" : 0.5, "z" : 0.75},
		"global_ambient_intensity" : 2.0,
		"moonlight_color" : {"x" : 0.5, "y" : 0.5, "z" : 1.0},
		"moonlight_fade_dist" : 50.0,
		"moonlight_fade_exponent" : 3.0
	},
	"tile_map" : 
	{
		"height" : 2,
		"tile_height" : 16,
		"tile_textures" : ["rock", "grass"],
		"tile_width" : 8,
		"tiles" : "1 2 0 1 ",
		"width" : 2
	}
})";

std::string LevelWithGraphics(const std::string& graphics) {
    std::string text = R"({"tile_map": {"width": 1, "height": 1, "tiles": "0 "}, "entities": [])";
    if (!graphics.empty()) text += R"(, "graphics": )" + graphics;
    return text + "}";
}

std::string LevelWithEntityNamed(const std::string& name) {
    return R"({"tile_map": {}, "entities": [{"name": ")" + name + R"("}]})";
}

Json::Value Parse(const std::string& text) { return ParseJsonTextOrThrow(text); }

// The message of the E that loading the level throws, or "loaded"; another
// exception type escapes and fails the test.
template <class E = debug::exception>
std::string LoadError(const std::string& name) {
    try {
        LoadLevel(name);
    } catch (const E& e) {
        return e.what();
    }
    return "loaded";
}

class LevelFileTest : public GameFolderTest {};

TEST_F(LevelFileTest, LoadBuildsEntitiesTileMapAndLightingInFileOrder) {
    WriteLevel("cave", kLevel);
    LoadLevel("cave");

    const auto& live = engine::GetLiveEntities();
    ASSERT_EQ(live.size(), 2u);
    EXPECT_EQ(live[0].GetName(), "gust");
    EXPECT_EQ(live[0].GetPosition(), glm::vec3(1.5f, -2.0f, 0.25f));
    ASSERT_TRUE(live[0].Has<SoundEmitter>());
    EXPECT_EQ(live[0].Get<SoundEmitter>()->cueName, "wind");
    EXPECT_EQ(live[0].Get<SoundEmitter>()->enclosedDistance, 12.5f);
    EXPECT_TRUE(live[0].HasComponent("SoundSpace"));
    EXPECT_EQ(live[1].GetName(), "marker");
    EXPECT_TRUE(live[1].GetBaseEntity()->components.empty());

    ASSERT_NE(GetTileMap(), nullptr);
    EXPECT_EQ(GetTileMap()->GetTileWidth(), 8u);
    EXPECT_EQ(GetTileMap()->GetTileHeight(), 16u);
    EXPECT_EQ(GetTileMap()->GetTileNames(), (std::vector<std::string>{"empty tile", "rock", "grass"}));
    EXPECT_EQ(GetTileMap()->GetTile(1, 0), 0u);

    const LightingSettings& s = GetLightingSettings();
    EXPECT_EQ(s.moonlightColor, glm::vec3(0.5f, 0.5f, 1.0f));
    EXPECT_EQ(s.moonlightFadeDist, 50.0f);
    EXPECT_EQ(s.moonlightFadeExponent, 3.0f);
    EXPECT_EQ(s.globalAmbient, glm::vec3(0.25f, 0.5f, 0.75f));
    EXPECT_EQ(s.globalAmbientIntensity, 2.0f);
    EXPECT_EQ(s.attenuationZero, 0.5f);

    EXPECT_EQ(GetEngineState().levelName, "cave");
    EXPECT_EQ(GetEngineState().previousLevelName, "cave");
    EXPECT_FALSE(GetEngineState().reloadRequested);
}

TEST_F(LevelFileTest, SavedLevelLoadsBackToTheSameDocument) {
    WriteLevel("cave", kLevel);
    LoadLevel("cave");
    SaveLevel("copy", false);
    const std::string written = ReadText("levels/copy.json");
    EXPECT_EQ(Parse(written), Parse(kLevel));
    EXPECT_FALSE(fs::exists("levels/copy.json.tmp"));

    LoadLevel("copy");
    SaveLevel("copy", false);
    EXPECT_EQ(ReadText("levels/copy.json"), written);
}

TEST_F(LevelFileTest, SaveWritesEntitiesInLiveOrderAndLightingStartValues) {
    WriteLevel("empty", R"({"tile_map": null, "entities": []})");
    LoadLevel("empty");
    entity_handle a = engine::CreateEntity();
    entity_handle b = engine::CreateEntity();
    entity_handle c = engine::CreateEntity();
    a.SetName("a");
    b.SetName("b");
    c.SetName("c");
    engine::DestroyEntity(b);
    engine::FlushDestroyedEntities();
    engine::CreateEntity().SetName("d");  // reuses b's slot, but comes last
    SaveLevel("empty", false);

    Json::Value doc = Parse(ReadText("levels/empty.json"));
    ASSERT_EQ(doc["entities"].size(), 3u);
    EXPECT_EQ(doc["entities"][0]["name"].asString(), "a");
    EXPECT_EQ(doc["entities"][1]["name"].asString(), "c");
    EXPECT_EQ(doc["entities"][2]["name"].asString(), "d");
    EXPECT_EQ(doc["graphics"], Parse(R"({"moonlight_color": {"x": 1.0, "y": 1.0, "z": 1.0},
        "moonlight_fade_dist": 100.0, "moonlight_fade_exponent": 15.0,
        "global_ambient": {"x": 1.0, "y": 1.0, "z": 1.0}, "global_ambient_intensity": 1.0,
        "attenuation_zero": 0.0010000000474974513})"));
    // A level without a tile map gets a fresh one.
    EXPECT_EQ(doc["tile_map"]["tiles"].asString(), "0 ");
    EXPECT_EQ(doc["tile_map"]["width"].asInt(), 1);
}

TEST_F(LevelFileTest, EmptyGraphicsBlackensColoursAndKeepsFades) {
    LightingSettings& s = GetLightingSettings();
    s.moonlightFadeDist = 70.0f;
    s.moonlightFadeExponent = 2.0f;
    WriteLevel("l", LevelWithGraphics("{}"));
    LoadLevel("l");
    EXPECT_EQ(s.moonlightColor, glm::vec3(0.0f));
    EXPECT_EQ(s.globalAmbient, glm::vec3(0.0f));
    EXPECT_EQ(s.globalAmbientIntensity, 0.0f);
    EXPECT_EQ(s.attenuationZero, 0.0f);
    EXPECT_EQ(s.moonlightFadeDist, 70.0f);
    EXPECT_EQ(s.moonlightFadeExponent, 2.0f);

    WriteLevel("l", LevelWithGraphics(R"({"moonlight_fade_dist": null, "moonlight_fade_exponent": 9})"));
    LoadLevel("l");
    EXPECT_EQ(s.moonlightFadeDist, 70.0f);
    EXPECT_EQ(s.moonlightFadeExponent, 9.0f);
}

TEST_F(LevelFileTest, MissingOrNullGraphicsKeepsAllSixSettings) {
    WriteLevel("lit", kLevel);
    LoadLevel("lit");
    const LightingSettings before = GetLightingSettings();
    for (const std::string& graphics : {std::string(), std::string("null")}) {
        WriteLevel("dark", LevelWithGraphics(graphics));
        LoadLevel("dark");
        const LightingSettings& s = GetLightingSettings();
        EXPECT_EQ(s.moonlightColor, before.moonlightColor);
        EXPECT_EQ(s.moonlightFadeDist, before.moonlightFadeDist);
        EXPECT_EQ(s.moonlightFadeExponent, before.moonlightFadeExponent);
        EXPECT_EQ(s.globalAmbient, before.globalAmbient);
        EXPECT_EQ(s.globalAmbientIntensity, before.globalAmbientIntensity);
        EXPECT_EQ(s.attenuationZero, before.attenuationZero);
    }
}

TEST_F(LevelFileTest, SavedCopyIsPreferredInTheGameAndIgnoredInTheEditor) {
    WriteLevel("town", LevelWithEntityNamed("authored"));
    WriteSavedLevel("town", LevelWithEntityNamed("saved"));

    LoadLevel("town");
    EXPECT_EQ(engine::GetLiveEntities().at(0).GetName(), "saved");

    GetEngineState().requestedMode = EngineMode::Editor;
    LoadLevel("town");
    EXPECT_EQ(engine::GetLiveEntities().at(0).GetName(), "authored");

    // A saved copy that is a folder cannot be opened: the authored copy loads.
    fs::remove(SaveDir() + "town.json");
    fs::create_directories(SaveDir() + "town.json");
    GetEngineState().requestedMode = EngineMode::Game;
    LoadLevel("town");
    EXPECT_EQ(engine::GetLiveEntities().at(0).GetName(), "authored");
}

TEST_F(LevelFileTest, SaveToTheSaveFolderWritesTheSavedCopyAndWithoutOneIsSkipped) {
    WriteLevel("town", LevelWithEntityNamed("authored"));
    LoadLevel("town");
    engine::GetLiveEntities().at(0).SetName("visited");
    SaveLevel("town", true);
    EXPECT_EQ(Parse(ReadText(SaveDir() + "town.json"))["entities"][0]["name"].asString(), "visited");
    EXPECT_EQ(Parse(ReadText("levels/town.json"))["entities"][0]["name"].asString(), "authored");

    // Without a save folder the authored copy loads and saves are skipped.
    documents_.Unset();
    home_.Unset();
    LoadLevel("town");
    EXPECT_EQ(engine::GetLiveEntities().at(0).GetName(), "authored");
    engine::GetLiveEntities().at(0).SetName("lost");
    SaveLevel("town", true);  // returns quietly
    EXPECT_EQ(Parse(ReadText(SaveDir() + "town.json"))["entities"][0]["name"].asString(), "visited");
}

TEST_F(LevelFileTest, LoadingReplacesThePreviousLevelsEntitiesAndTileMap) {
    WriteLevel("a", kLevel);
    WriteLevel("b", LevelWithEntityNamed("only"));
    LoadLevel("a");
    entity_handle old = engine::GetLiveEntities().at(0);
    LoadLevel("b");
    ASSERT_EQ(engine::GetLiveEntities().size(), 1u);
    EXPECT_EQ(engine::GetLiveEntities()[0].GetName(), "only");
    EXPECT_EQ(engine::GetLiveEntities()[0].generation, 1u);  // numbering restarted
    EXPECT_FALSE(old.IsValid() && old.GetName() == "gust");
    EXPECT_EQ(GetTileMap()->GetColumns(), 0u);  // "tile_map": {} reads as 0 x 0
    EXPECT_EQ(GetTileMap()->GetTileNames().size(), 1u);

    // An empty entities array gives only a tile map.
    WriteLevel("bare", R"({"tile_map": {"width": 2, "height": 1, "tile_width": 4, "tile_height": 4, "tiles": "3 4"},
                            "entities": []})");
    LoadLevel("bare");
    EXPECT_TRUE(engine::GetLiveEntities().empty());
    ASSERT_NE(GetTileMap(), nullptr);
    EXPECT_EQ(GetTileMap()->GetColumns(), 2u);
    EXPECT_EQ(GetTileMap()->GetTile(1, 0), 4u);
}

// Every failing document must end in an exception whose text is the parser's,
// so the crash dialog tells the player what is wrong.
TEST_F(LevelFileTest, ParseErrorsCarryTheParsersText) {
    struct Case {
        const char* name;
        std::optional<std::string> text;
        const char* error;
    };
    const Case cases[] = {
        {"missing", std::nullopt, "* Line 1, Column 1\n  Syntax error: value, object or array expected.\n"},
        {"empty", std::string(), "* Line 1, Column 1\n  Syntax error: value, object or array expected.\n"},
        {"cut", std::string("{\"entities\": [1, 2"), "* Line 1, Column 19\n  Missing ',' or ']' in array declaration\n"},
    };
    for (const Case& c : cases) {
        if (c.text) WriteLevel(c.name, *c.text);
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(LoadError<std::exception>(c.name), c.error) << c.name;
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), std::string("Error from reader: ") + c.error);
        EXPECT_EQ(GetTileMap(), nullptr);  // half unloaded, as the crash dialog finds it
    }
}

TEST_F(LevelFileTest, BadValuesCarryTheLibraryAndRegistryMessages) {
    WriteLevel("strpos", R"({"entities": [{"pos": {"x": "left"}}]})");
    EXPECT_EQ(LoadError<std::exception>("strpos"), "Value is not convertible to float.");
    WriteLevel("strlight", R"({"graphics": {"attenuation_zero": "tiny"}})");
    EXPECT_EQ(LoadError<std::exception>("strlight"), "Value is not convertible to float.");
    WriteLevel("unknown", R"({"entities": [{"components": [{"__component_name": "Teleporter"}]}]})");
    EXPECT_EQ(LoadError("unknown"), "components::Create failed to map component string!");
    WriteLevel("array", "[1, 2]");
    EXPECT_THROW(LoadLevel("array"), debug::exception);
    WriteLevel("badtiles", R"({"tile_map": {"width": 2, "height": 2, "tiles": "1 2 3"}})");
    EXPECT_THROW(LoadLevel("badtiles"), debug::exception);
}

// Lists of the wrong type would read as empty: the level would load without
// its components or its tiles' textures and say nothing.
TEST_F(LevelFileTest, ListsOfTheWrongTypeAreReportedByName) {
    const std::pair<const char*, const char*> cases[] = {
        {R"({"entities": [{"name": "gate", "components": 5}]})", "Entity \"gate\": \"components\" is not an array."},
        {R"({"entities": [{"components": {"__component_name": "Sprite"}}]})",
         "Entity \"Entity\": \"components\" is not an array."},
        {R"({"tile_map": {"tile_textures": 5}})", "TileMap: \"tile_textures\" is not an array."},
        {R"({"tile_map": {"tile_textures": "grass"}})", "TileMap: \"tile_textures\" is not an array."},
    };
    for (const auto& [text, message] : cases) {
        WriteLevel("wrong", text);
        EXPECT_EQ(LoadError("wrong"), message) << text;
    }
    // null still means "none".
    WriteLevel("nulls", R"({"tile_map": {"tile_textures": null}, "entities": [{"components": null}]})");
    LoadLevel("nulls");
    EXPECT_EQ(engine::GetLiveEntities().size(), 1u);
}

// The physics options are the level's own: read at every load (a level
// without them gets the defaults) and written back only when set.
TEST_F(LevelFileTest, PhysicsOptionsAreReadPerLevelAndWrittenOnlyWhenSet) {
    WriteLevel("stable", R"({"physics": {"stable_contacts": true}, "entities": []})");
    WriteLevel("plain", R"({"entities": []})");
    LoadLevel("stable");
    EXPECT_TRUE(GetPhysicsSettings().stableContacts);
    SaveLevel("stable_out", false);
    EXPECT_TRUE(Parse(ReadText("levels/stable_out.json"))["physics"]["stable_contacts"].asBool());

    LoadLevel("plain");
    EXPECT_FALSE(GetPhysicsSettings().stableContacts);
    SaveLevel("plain_out", false);
    EXPECT_FALSE(Parse(ReadText("levels/plain_out.json")).isMember("physics"));
    WriteLevel("off", R"({"physics": {"stable_contacts": false}})");
    LoadLevel("off");
    SaveLevel("off_out", false);
    EXPECT_FALSE(Parse(ReadText("levels/off_out.json")).isMember("physics"));

    const std::pair<const char*, const char*> bad[] = {
        {R"({"physics": 1})", "Level: \"physics\" is not an object."},
        {R"({"physics": {"stable_contacts": "yes"}})", "Level: \"physics\": \"stable_contacts\" is not true or false."},
    };
    for (const auto& [text, message] : bad) {
        WriteLevel("bad", text);
        EXPECT_EQ(LoadError("bad"), message) << text;
    }
    GetPhysicsSettings() = PhysicsSettings();
}

// Found by fuzzing: a position too large for a float reads as infinity; the
// level saved afterwards must load again (jsoncpp's own "1e+9999" does not).
TEST_F(LevelFileTest, AnInfinitePositionSavesToALoadableLevel) {
    WriteLevel("far", R"({"entities": [{"name": "far", "pos": {"x": 1e40, "y": -1e40}}]})");
    LoadLevel("far");
    SaveLevel("far_out", false);
    LoadLevel("far_out");
    ASSERT_EQ(engine::GetLiveEntities().size(), 1u);
    EXPECT_EQ(engine::GetLiveEntities()[0].GetPosition().x, std::numeric_limits<float>::infinity());
    EXPECT_EQ(engine::GetLiveEntities()[0].GetPosition().y, -std::numeric_limits<float>::infinity());
}

// The events of one load, in order, with what each listener can see.
TEST_F(LevelFileTest, LoadRaisesUnloadThenLevelLoadWithTheSaveRecord) {
    WriteLevel("a", LevelWithEntityNamed("first"));
    WriteLevel("b", LevelWithEntityNamed("second"));
    LoadLevel("a");
    WriteText(SaveDir() + "save_file.json", R"({"last_level": "a", "coins": 7})");

    std::vector<std::string> seen;
    auto liveName = [] {
        return engine::GetLiveEntities().empty() ? std::string("-") : engine::GetLiveEntities()[0].GetName();
    };
    events::Connect<Json::Value*>("LevelUnload", "t", [&](Json::Value*) { seen.push_back("unload " + liveName()); });
    events::Connect<Json::Value*>("LevelUnloadFinished", "t",
                                  [&](Json::Value*) { seen.push_back("finished " + liveName()); });
    events::Connect<Json::Value*>("LevelLoad", "t", [&](Json::Value* record) {
        seen.push_back("load " + liveName() + " coins " + std::to_string((*record)["coins"].asInt()));
    });
    GetEngineState().saveOnUnload = false;  // keep the record as written
    LoadLevel("b");
    EXPECT_EQ(seen, (std::vector<std::string>{"unload first", "finished first", "load second coins 7"}));

    seen.clear();
    WriteText(SaveDir() + "save_file.json", "{\"coins\": ");
    GetEngineState().saveOnUnload = false;
    LoadLevel("b");
    EXPECT_EQ(seen.back(), "load second coins 0");  // damaged record: a null value

    seen.clear();
    GetEngineState().requestedMode = EngineMode::Editor;
    LoadLevel("b");
    EXPECT_EQ(seen, (std::vector<std::string>{"unload second", "finished second"}));
}

TEST_F(LevelFileTest, SavingInTheEditorRaisesLevelUnloadFirst) {
    WriteLevel("a", LevelWithEntityNamed("keep"));
    LoadLevel("a");
    entity_handle doomed = engine::CreateEntity();
    doomed.SetName("doomed");
    int unloads = 0;
    events::Connect<Json::Value*>("LevelUnload", "t", [&](Json::Value* v) {
        ++unloads;
        EXPECT_TRUE(v->isNull());
        engine::DestroyEntity(doomed);  // a script tidying up: gone before the write
    });

    SaveLevel("a", false);  // in the game: no event
    EXPECT_EQ(unloads, 0);
    EXPECT_EQ(Parse(ReadText("levels/a.json"))["entities"].size(), 2u);

    GetEngineState().mode = EngineMode::Editor;
    SaveLevel("a", false);
    EXPECT_EQ(unloads, 1);
    Json::Value doc = Parse(ReadText("levels/a.json"));
    ASSERT_EQ(doc["entities"].size(), 1u);
    EXPECT_EQ(doc["entities"][0]["name"].asString(), "keep");
}

}  // namespace
