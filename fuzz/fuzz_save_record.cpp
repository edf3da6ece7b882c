// The save record ("save_file.json") as whatever is on disk: reading the last
// level, raising "LevelLoad" with it, and writing the next record over it never
// fail, and the record written always reads back naming the level left.
#include <json/value.h>

#include "core/save_folder.h"
#include "fuzz/fuzz_world.h"
#include "level/level_file.h"
#include "level/save_game.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::SetUpWorld();
    fuzz::ResetWorld();
    const std::string folder = GetSaveFolder();
    fuzz::WriteFile(folder + "save_file.json", data, size);
    (void)ReadLastLevel();
    (void)HasSave();

    // Scripts copy what they were given into the next record.
    Json::Value seen;
    events::Connect<Json::Value*>("LevelLoad", "FuzzRecord", [&seen](Json::Value* record) { seen = *record; });
    RaiseLevelLoad();
    events::Disconnect("LevelLoad", "FuzzRecord");
    events::Connect<Json::Value*>("LevelUnload", "FuzzRecord", [&seen](Json::Value* record) {
        if (seen.isObject())
            for (const std::string& key : seen.getMemberNames()) (*record)[key] = seen[key];
    });
    EngineState& state = GetEngineState();
    state.saveOnUnload = true;
    state.mode = EngineMode::Game;
    state.previousLevelName = "fuzz_level";
    UnloadLevel();
    events::Disconnect("LevelUnload", "FuzzRecord");
    if (ReadLastLevel() != "fuzz_level") {
        std::fprintf(stderr, "the record written does not name the level left\n");
        std::abort();
    }
    return 0;
}
