// Hot reload: which files count as what, how bursts of writes are gathered,
// and what the kernel's reports come through as.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <tuple>

#include "engine/file_watcher.h"
#include "engine/hot_reload.h"

TEST(HotReload, ContentPathsAreClassifiedAndTemporaryFilesSkipped) {
    const std::tuple<const char*, ContentKind, const char*> cases[] = {
        {"textures/hero.png", ContentKind::Texture, "hero"},
        {"textures/tiles/grass_nm.png", ContentKind::Texture, "tiles/grass_nm"},
        {"textures/hero.png.tmp", ContentKind::None, ""},
        {"shaders/sprite_shader.frag", ContentKind::Shader, "shaders/sprite_shader.frag"},
        {"shaders/.sprite_shader.frag.swp", ContentKind::None, ""},
        {"shaders/forward.vs~", ContentKind::None, ""},
        {"shaders/old/forward.vs", ContentKind::None, ""},
        {"lua/autorun/game.lua", ContentKind::Script, "lua/autorun/game.lua"},
        {"lua/readme.md", ContentKind::None, ""},
        {"levels/forest.json", ContentKind::Level, "forest"},
        {"levels/forest.json.tmp", ContentKind::None, ""},
        {"levels/backup/forest.json", ContentKind::None, ""},
        {"audio/bankFiles.txt", ContentKind::None, ""},
    };
    for (const auto& [path, kind, name] : cases) {
        const ContentChange change = ClassifyContentPath(path);
        EXPECT_EQ(change.kind, kind) << path;
        EXPECT_EQ(change.name, name) << path;
    }
}

TEST(HotReload, ABurstEndsOnceItsFilesAreQuietOrHasLastedTooLong) {
    ChangeBatch batch;
    batch.Add("lua/a.lua", 10.0);
    batch.Add("lua/a.lua", 10.125);
    batch.Add("textures/b.png", 10.25);
    EXPECT_FALSE(batch.Due(10.25 + kQuietTime - 0.01));
    EXPECT_TRUE(batch.Due(10.25 + kQuietTime + 1e-9));
    EXPECT_EQ(batch.Take(), (std::vector<std::string>{"lua/a.lua", "textures/b.png"}));
    EXPECT_FALSE(batch.Due(100.0));
    // A file rewritten without pause still takes effect after the longest burst.
    double t = 5.0;
    for (batch.Add("lua/a.lua", t); !batch.Due(t); batch.Add("lua/a.lua", t)) t += kQuietTime / 2;
    EXPECT_NEAR(t - 5.0, kLongestBurst, kQuietTime / 2 + 1e-9);
}

// Closed writes and renames into place, in folders that exist at the start or
// appear later (made, or moved in with their files); each path once.
TEST(FileWatcherTest, ReportsFilesWrittenOrMovedIntoTheWatchedFolders) {
    char pattern[] = "/tmp/qm_watch_XXXXXX";
    const std::string base = mkdtemp(pattern);
    const auto write = [&](const std::string& path) { std::ofstream(base + "/" + path) << "x"; };
    const auto changed = [](FileWatcher& watcher) {
        std::vector<std::string> paths;
        watcher.Poll(paths);
        std::sort(paths.begin(), paths.end());
        paths.erase(std::unique(paths.begin(), paths.end()), paths.end());
        return paths;
    };
    std::filesystem::create_directories(base + "/lua/autorun");
    std::filesystem::create_directories(base + "/textures");
    std::filesystem::create_directories(base + "/incoming/set");
    FileWatcher watcher(base, {"lua", "textures", "shaders"});
    ASSERT_TRUE(watcher.Ok()) << watcher.Error();
    write("lua/autorun/game.lua");
    write("textures/hero.png.tmp");
    std::filesystem::rename(base + "/textures/hero.png.tmp", base + "/textures/hero.png");
    write("outside.txt");
    EXPECT_EQ(changed(watcher), (std::vector<std::string>{"lua/autorun/game.lua", "textures/hero.png", "textures/hero.png.tmp"}));
    std::filesystem::create_directories(base + "/lua/components");
    std::filesystem::create_directories(base + "/shaders");
    write("incoming/set/a.png");
    std::filesystem::rename(base + "/incoming/set", base + "/textures/set");
    EXPECT_EQ(changed(watcher), (std::vector<std::string>{"textures/set/a.png"}));
    for (const char* path : {"lua/components/door.lua", "shaders/forward.vs", "textures/set/b.png"}) write(path);
    EXPECT_EQ(changed(watcher), (std::vector<std::string>{"lua/components/door.lua", "shaders/forward.vs", "textures/set/b.png"}));

    FileWatcher nowhere(base + "/nowhere", {"lua"});
    EXPECT_EQ(nowhere.Error(), base + "/nowhere: No such file or directory");
    EXPECT_TRUE(changed(nowhere).empty());
    std::filesystem::remove_all(base);
}
