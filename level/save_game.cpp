#include "level/save_game.h"

#include <cstdio>
#include <filesystem>

#include "core/debug_exception.h"
#include "core/engine_state.h"
#include "core/events.h"
#include "core/file_util.h"
#include "core/json_text.h"
#include "core/save_folder.h"
#include "ecs/entity_store.h"

namespace {

const char* kRecordName = "save_file.json";

bool IsTemporaryFile(const std::filesystem::directory_entry& entry) {
    std::error_code ec;
    const std::string name = entry.path().filename().string();
    return entry.is_regular_file(ec) && name.size() > 4 && name.compare(name.size() - 4, 4, ".tmp") == 0;
}

void RemoveTemporaryFilesIn(const std::string& folder) {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
        if (IsTemporaryFile(entry)) std::filesystem::remove(entry.path(), ec);
}

}  // namespace

void UnloadLevel() {
    Json::Value save;
    events::Call<Json::Value*>("LevelUnload", &save);
    engine::FlushDestroyedEntities();
    events::Call<Json::Value*>("LevelUnloadFinished", &save);

    EngineState& state = GetEngineState();
    if (state.saveOnUnload && state.requestedMode != EngineMode::Editor && state.mode != EngineMode::Editor) {
        // A missing save folder or an unwritable disk costs the player this
        // record, never the game.
        try {
            save["last_level"] = state.previousLevelName;
            WriteFileAtomically(GetSaveFolder() + kRecordName, WriteStyledJson(save));
        } catch (const std::exception&) {
        }
    } else {
        state.saveOnUnload = true;
    }
}

std::string ReadLastLevel() {
    std::string result;
    try {
        auto text = ReadWholeFile(GetSaveFolder() + kRecordName);
        Json::Value record;
        std::string errors;
        if (text && ParseJsonText(*text, record, errors) && record.isObject())
            result = record["last_level"].asString();
    } catch (const std::exception&) {
        result.clear();
    }
    return result;
}

bool HasSave() { return !ReadLastLevel().empty(); }

void DeleteSave() {
    const std::string folder = GetSaveFolder();
    for (const std::string& name : ListFilesWithExtension(folder, "json"))
        std::remove((folder + name + ".json").c_str());
    RemoveTemporaryFilesIn(folder);
}

void RemoveStaleTemporaryFiles() {
    try {
        RemoveTemporaryFilesIn(GetSaveFolder());
    } catch (const debug::exception&) {
        // No save folder: nothing was ever written.
    }
}
