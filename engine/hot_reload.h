#pragma once
// Hot reload: while the game runs (in the game or in the editor), a file
// changed on disk under lua/, textures/, shaders/ or levels/ takes effect
// within half a second, without a restart:
//   textures/<name>.png  the texture is re-read in place (graphics/texture_reload.h);
//   shaders/<file>       every program built from it is recompiled; on an
//                        error the old program stays and the error is printed;
//   lua/...              the Lua host is rebuilt and every script runs again,
//                        keeping the level's entities and their script
//                        components' fields (engine/script_reload.h);
//   levels/<name>.json   for the level being played, in the game only (the
//                        editor writes that file itself): a level change to
//                        itself, reading the changed file.
// A burst of writes (an editor saving in several steps, a copied folder) ends
// in one reload of each thing it touched, once the files have been quiet for
// kQuietTime. Started by the Engine unless --no-watch or --headless; the
// Engine hands down how to restart the scripts.
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

class FileWatcher;

// What a changed file is to the game.
enum class ContentKind { None, Texture, Shader, Script, Level };
struct ContentChange {
    ContentKind kind = ContentKind::None;
    std::string name;  // texture or level name; shader path ("shaders/x.frag"); script path
};
// relative: a path relative to the content folder, "textures/hero.png".
ContentChange ClassifyContentPath(const std::string& relative);

// The files of one burst. A burst ends once no file changed for kQuietTime,
// or kLongestBurst after its first change, so a file rewritten without pause
// still takes effect.
constexpr double kQuietTime = 0.3;     // s
constexpr double kLongestBurst = 1.0;  // s
class ChangeBatch {
public:
    void Add(const std::string& relative, double now);  // now: s on any steady clock
    bool Due(double now) const;
    bool Empty() const { return paths_.empty(); }
    // The paths in name order, and an empty batch.
    std::vector<std::string> Take();

private:
    std::set<std::string> paths_;
    double first_ = 0.0;
    double last_ = 0.0;
};

// Applies one ended burst: textures, then shaders, then scripts (once,
// however many scripts changed, by restartScripts with the level's entities
// kept), then the level. Each thing reloaded prints one line beginning
// "Reloaded"; a level file counts only for the level being played, in the game.
void ApplyContentChanges(const std::vector<std::string>& paths, const std::function<void()>& restartScripts);

class HotReload {
public:
    // Watches the working directory's lua/, textures/, shaders/ and levels/.
    // restartScripts: replaces the Lua host (Engine::RestartScripts).
    explicit HotReload(std::function<void()> restartScripts);
    ~HotReload();
    HotReload(const HotReload&) = delete;
    HotReload& operator=(const HotReload&) = delete;

    // Once per frame where no event is being raised (the Engine calls it
    // before the level check): takes in the kernel's reports and applies a
    // burst that has ended.
    void Update();

private:
    std::function<void()> restartScripts_;
    std::unique_ptr<FileWatcher> watcher_;
    ChangeBatch batch_;
    std::vector<std::string> polled_;
};
