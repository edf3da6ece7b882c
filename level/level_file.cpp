#include "level/level_file.h"

#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "core/debug_exception.h"
#include "core/engine_state.h"
#include "core/events.h"
#include "core/file_util.h"
#include "core/json_styled_writer.h"
#include "core/json_text.h"
#include "core/json_util.h"
#include "core/log.h"
#include "core/save_folder.h"
#include "ecs/entity_store.h"
#include "ecs/member_location.h"
#include "graphics/lighting_settings.h"
#include "graphics/tile_map.h"
#include "level/level_copies.h"
#include "level/member_errors.h"
#include "level/save_game.h"
#include "physics/physics_settings.h"

namespace {

bool g_authoredOnce = false;
std::string g_fileOnce;  // read instead of the level's own file, once

bool HasValue(const Json::Value& object, const char* key) {
    return object.isMember(key) && !object[key].isNull();
}

// "moonlight_color" and the three ambient values are always read (missing = 0);
// the two fade values only when given, so older levels keep the previous ones.
void ReadLightingSettings(const Json::Value& graphics) {
    LightingSettings& s = GetLightingSettings();
    s.moonlightColor = ReadVec3(graphics["moonlight_color"]);
    if (HasValue(graphics, "moonlight_fade_dist")) s.moonlightFadeDist = graphics["moonlight_fade_dist"].asFloat();
    if (HasValue(graphics, "moonlight_fade_exponent"))
        s.moonlightFadeExponent = graphics["moonlight_fade_exponent"].asFloat();
    s.globalAmbient = ReadVec3(graphics["global_ambient"]);
    s.globalAmbientIntensity = graphics["global_ambient_intensity"].asFloat();
    s.attenuationZero = graphics["attenuation_zero"].asFloat();
}

Json::Value WriteLightingSettings() {
    const LightingSettings& s = GetLightingSettings();
    Json::Value graphics(Json::objectValue);
    graphics["moonlight_color"] = WriteVec(s.moonlightColor);
    graphics["moonlight_fade_dist"] = double(s.moonlightFadeDist);
    graphics["moonlight_fade_exponent"] = double(s.moonlightFadeExponent);
    graphics["global_ambient"] = WriteVec(s.globalAmbient);
    graphics["global_ambient_intensity"] = double(s.globalAmbientIntensity);
    graphics["attenuation_zero"] = double(s.attenuationZero);
    return graphics;
}

// The saved copy outside the editor when it exists, else the authored copy;
// `path` is set to the file read. A file that cannot be opened reads as empty
// (and so fails to parse).
std::string ReadLevelText(const std::string& name, std::string& path) {
    const bool authoredOnce = g_authoredOnce;
    g_authoredOnce = false;
    const std::string fileOnce = std::move(g_fileOnce);
    g_fileOnce.clear();
    if (!fileOnce.empty()) {
        path = fileOnce;
        return ReadWholeFile(fileOnce).value_or("");
    }
    if (GetEngineState().requestedMode != EngineMode::Editor && !authoredOnce) {
        std::optional<std::string> saved;
        try {
            path = SavedLevelPath(name);
            saved = ReadWholeFile(path);
        } catch (const debug::exception&) {
            // No save folder: play the authored level.
        }
        if (saved) return *saved;
    }
    path = AuthoredLevelPath(name);
    return ReadWholeFile(path).value_or("");
}

// Names the level file in messages about the values read while it lives.
struct ReadingLevelFile {
    explicit ReadingLevelFile(const std::string& path) { SetLevelFileBeingRead(path); }
    ~ReadingLevelFile() { SetLevelFileBeingRead(""); }
};

// Entity i as the file has it: the loaded document gave its members away to
// the entity, so the text is read again (only ever after a failure).
Json::Value WrittenEntity(const std::string& text, Json::ArrayIndex i) {
    Json::Value document;
    std::string errors;
    if (!ParseJsonText(text, document, errors) || !document.isObject()) return Json::Value();
    const Json::Value& entities = document["entities"];
    return entities.isArray() && i < entities.size() ? entities[i] : Json::Value();
}

}  // namespace

std::string AuthoredLevelPath(const std::string& name) { return "levels/" + name + ".json"; }
std::string SavedLevelPath(const std::string& name) { return GetSaveFolder() + name + ".json"; }

void ReadAuthoredCopyAtNextLoad() { g_authoredOnce = true; }
void ReadFileAtNextLoad(const std::string& path) { g_fileOnce = path; }

void LoadLevel(const std::string& name) {
    UnloadLevel();
    engine::DestroyAllEntities();
    SetTileMap(nullptr);

    std::string path;
    const std::string text = ReadLevelText(name, path);
    Json::Value document = ParseJsonTextOrThrow(text);
    if (!document.isObject())
        throw debug::exception("Level \"" + name + "\": the document is not a JSON object.");
    Json::Value& entities = document["entities"];
    if (!entities.isNull() && !entities.isArray())
        throw debug::exception("Level \"" + name + "\": \"entities\" is not an array.");
    ReadPhysicsSettings(document);

    auto tileMap = std::make_unique<TileMap>();
    if (!std::as_const(document)["tile_map"].isNull()) tileMap->Deserialize(document["tile_map"]);
    SetTileMap(std::move(tileMap));

    {
        const ReadingLevelFile reading(path);
        for (Json::ArrayIndex i = 0; i < entities.size(); ++i) {
            const engine::entity_handle entity = engine::CreateEntity();
            try {
                entity.Deserialize(std::move(entities[i]));
            } catch (const std::exception& e) {
                // A value of the wrong type: the library's text says what, this adds where.
                const std::string located = LocateMemberError(entity, WrittenEntity(text, i), e.what());
                if (located != e.what()) throw debug::exception(located);
                throw;
            }
        }
    }

    const Json::Value& graphics = std::as_const(document)["graphics"];
    if (!graphics.isNull()) ReadLightingSettings(graphics);

    RequestLevel(name, true);
    RaiseLevelLoad();
}

void RaiseLevelLoad() {
    if (GetEngineState().requestedMode == EngineMode::Editor) return;
    Json::Value record;
    try {
        auto text = ReadWholeFile(GetSaveFolder() + "save_file.json");
        std::string errors;
        if (text) ParseJsonText(*text, record, errors);  // a damaged record counts as none
    } catch (const std::exception&) {
    }
    events::Call<Json::Value*>("LevelLoad", &record);
}

void SaveLevel(const std::string& name, bool toSaveFolder) {
    if (GetEngineState().mode == EngineMode::Editor) {
        Json::Value unload;
        events::Call<Json::Value*>("LevelUnload", &unload);
        engine::FlushDestroyedEntities();
    }

    std::string path;
    if (toSaveFolder) {
        try {
            path = SavedLevelPath(name);
        } catch (const debug::exception&) {
            return;  // no save folder: the game goes on without saving
        }
    } else {
        path = AuthoredLevelPath(name);
    }
    if (!WriteLevelFile(path)) Print("SaveLevel: could not write \"" + path + "\".");
}

bool WriteLevelFile(const std::string& path) {
    Json::Value document(Json::objectValue);
    document["tile_map"] = GetTileMap() ? GetTileMap()->Serialize() : TileMap().Serialize();
    Json::Value& entities = document["entities"] = Json::Value(Json::arrayValue);
    document["graphics"] = WriteLightingSettings();
    WritePhysicsSettings(document);

    // Each entity is serialised as the writer reaches its place in "entities" and
    // freed once written, so a large level never stands in memory as one tree.
    const std::vector<engine::entity_handle> live = engine::GetLiveEntities();
    std::string text;
    AppendStyledJson(document, text, entities, Json::ArrayIndex(live.size()),
                     [&live](Json::ArrayIndex i) { return live[i].Serialize(); });
    return WriteFileAtomically(path, text);
}
