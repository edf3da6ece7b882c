#include "level/save_game.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "ecs/entity_store.h"
#include "engine/debug_exception.h"
#include "engine/engine_state.h"
#include "engine/events.h"
#include "engine/file_util.h"
#include "level/json_text.h"

namespace {

const char* kRecordName = "save_file.json";

std::string EnvOrEmpty(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The XDG_DOCUMENTS_DIR line of user-dirs.dirs, e.g.
//   XDG_DOCUMENTS_DIR="$HOME/Documents"
// with $HOME expanded. "" when the file or the line is missing.
std::string DocumentsFromUserDirs(const std::string& home) {
    std::string config = EnvOrEmpty("XDG_CONFIG_HOME");
    if (config.empty()) {
        if (home.empty()) return "";
        config = home + "/.config";
    }
    std::ifstream in(config + "/user-dirs.dirs");
    std::string line;
    const std::string key = "XDG_DOCUMENTS_DIR=";
    while (std::getline(in, line)) {
        size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line.compare(start, key.size(), key) != 0) continue;
        std::string value = line.substr(start + key.size());
        while (!value.empty() && (value.back() == ' ' || value.back() == '\t' || value.back() == '\r'))
            value.pop_back();
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        if (value.rfind("$HOME", 0) == 0) {
            if (home.empty()) return "";
            value = home + value.substr(5);
        }
        // Relative entries are not valid in that file; skip them.
        return !value.empty() && value.front() == '/' ? value : "";
    }
    return "";
}

std::string DocumentsFolder() {
    std::string documents = EnvOrEmpty("XDG_DOCUMENTS_DIR");
    const std::string home = EnvOrEmpty("HOME");
    if (documents.empty()) documents = DocumentsFromUserDirs(home);
    if (documents.empty() && !home.empty()) documents = home + "/Documents";
    return documents;
}

}  // namespace

std::string GetSaveFolder() {
    std::string folder = DocumentsFolder();
    if (folder.empty()) throw debug::exception("Failed to create save in \"My Documents/Quillmere\"!");
    if (folder.back() != '/') folder += '/';
    folder += "Quillmere/";
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec || !std::filesystem::is_directory(folder, ec))
        throw debug::exception("Failed to create save file path in \"My Documents/Quillmere\"!");
    return folder;
}

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
}
