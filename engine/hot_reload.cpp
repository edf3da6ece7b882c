#include "engine/hot_reload.h"

#include <chrono>

#include "core/engine_state.h"
#include "core/log.h"
#include "engine/file_watcher.h"
#include "engine/level_transitions.h"
#include "engine/script_reload.h"
#include "graphics/shader_program.h"
#include "graphics/texture_reload.h"
#include "level/level_file.h"

namespace {

const std::vector<std::string> kRoots = {"lua", "textures", "shaders", "levels"};

bool StartsWith(const std::string& text, const std::string& head) { return text.rfind(head, 0) == 0; }
bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

double SteadySeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// The level being played, in the game: the only time its file is reloaded.
bool PlayingLevel(const std::string& name) {
    const EngineState& s = GetEngineState();
    return s.mode == EngineMode::Game && s.requestedMode == EngineMode::Game && s.previousLevelName == name &&
           s.levelName == name;
}

}  // namespace

ContentChange ClassifyContentPath(const std::string& relative) {
    // Temporary files of safe writes ("x.json.tmp", "x.png~", ".x.swp") end in
    // something else and are skipped.
    if (StartsWith(relative, "textures/") && EndsWith(relative, ".png"))
        return {ContentKind::Texture, relative.substr(9, relative.size() - 9 - 4)};
    if (StartsWith(relative, "shaders/") && relative.find('/', 8) == std::string::npos) {
        const std::string file = relative.substr(8);
        if (!file.empty() && file[0] != '.' && !EndsWith(file, "~") && !EndsWith(file, ".tmp") &&
            !EndsWith(file, ".swp"))
            return {ContentKind::Shader, relative};
    }
    if (StartsWith(relative, "lua/") && EndsWith(relative, ".lua")) return {ContentKind::Script, relative};
    if (StartsWith(relative, "levels/") && EndsWith(relative, ".json") && relative.find('/', 7) == std::string::npos)
        return {ContentKind::Level, relative.substr(7, relative.size() - 7 - 5)};
    return {};
}

void ChangeBatch::Add(const std::string& relative, double now) {
    if (paths_.empty()) first_ = now;
    last_ = now;
    paths_.insert(relative);
}

bool ChangeBatch::Due(double now) const {
    return !paths_.empty() && (now - last_ >= kQuietTime || now - first_ >= kLongestBurst);
}

std::vector<std::string> ChangeBatch::Take() {
    std::vector<std::string> paths(paths_.begin(), paths_.end());
    paths_.clear();
    return paths;
}

void ApplyContentChanges(const std::vector<std::string>& paths, const std::function<void()>& restartScripts) {
    std::vector<ContentChange> textures, shaders, levels;
    bool scripts = false;
    for (const std::string& path : paths) {
        ContentChange change = ClassifyContentPath(path);
        switch (change.kind) {
        case ContentKind::Texture: textures.push_back(change); break;
        case ContentKind::Shader: shaders.push_back(change); break;
        case ContentKind::Script: scripts = true; break;
        case ContentKind::Level: levels.push_back(change); break;
        case ContentKind::None: break;
        }
    }
    for (const ContentChange& t : textures) {
        const int sprites = ApplyChangedTexture(t.name);
        Print("Reloaded texture \"" + t.name + "\" (" + std::to_string(sprites) + " sprites)");
    }
    for (const ContentChange& s : shaders) {
        const int programs = ShaderProgram::ReloadProgramsUsing(s.name);
        if (programs > 0) Print("Reloaded shader " + s.name + " (" + std::to_string(programs) + " programs)");
    }
    if (scripts && StartupScriptCompiles() && restartScripts) {
        ReloadScriptsKeepingEntities(restartScripts);
        Print("Reloaded scripts");
    }
    for (const ContentChange& l : levels) {
        if (!PlayingLevel(l.name)) continue;
        // A level change to itself: the scripts save what they keep across
        // levels as usual, and the load reads the file just changed.
        ReadAuthoredCopyAtNextLoad();
        game_flow::ChangeLevel(l.name);
        Print("Reloaded level \"" + l.name + "\"");
    }
}

HotReload::HotReload(std::function<void()> restartScripts)
    : restartScripts_(std::move(restartScripts)), watcher_(std::make_unique<FileWatcher>(".", kRoots)) {
    if (!watcher_->Ok()) Print("Hot reload is off: " + watcher_->Error());
}

HotReload::~HotReload() = default;

void HotReload::Update() {
    const double now = SteadySeconds();
    polled_.clear();
    watcher_->Poll(polled_);
    for (const std::string& path : polled_) {
        const ContentChange change = ClassifyContentPath(path);
        if (change.kind == ContentKind::None) continue;
        // The editor writes the level file itself (leaving it, saving): such a
        // write arrives while still in the editor and is no designer's change.
        if (change.kind == ContentKind::Level && !PlayingLevel(change.name)) continue;
        batch_.Add(path, now);
    }
    if (batch_.Due(now)) ApplyContentChanges(batch_.Take(), restartScripts_);
}
