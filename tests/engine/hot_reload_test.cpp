// Hot reload: which files count as what, how bursts of writes are gathered,
// and what the kernel's reports come through as.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <thread>

#include "engine/file_watcher.h"
#include "engine/hot_reload.h"

TEST(HotReload, ContentPathsAreClassified) {
    struct Case {
        const char* path;
        ContentKind kind;
        const char* name;
    };
    const Case cases[] = {
        {"textures/hero.png", ContentKind::Texture, "hero"},
        {"textures/tiles/grass_nm.png", ContentKind::Texture, "tiles/grass_nm"},
        {"textures/hero.png.tmp", ContentKind::None, ""},
        {"textures/notes.txt", ContentKind::None, ""},
        {"shaders/sprite_shader.frag", ContentKind::Shader, "shaders/sprite_shader.frag"},
        {"shaders/.sprite_shader.frag.swp", ContentKind::None, ""},
        {"shaders/forward.vs~", ContentKind::None, ""},
        {"shaders/old/forward.vs", ContentKind::None, ""},
        {"lua/autorun/game.lua", ContentKind::Script, "lua/autorun/game.lua"},
        {"lua/engine/init.lua", ContentKind::Script, "lua/engine/init.lua"},
        {"lua/readme.md", ContentKind::None, ""},
        {"levels/forest.json", ContentKind::Level, "forest"},
        {"levels/forest.json.tmp", ContentKind::None, ""},
        {"levels/backup/forest.json", ContentKind::None, ""},
        {"audio/bankFiles.txt", ContentKind::None, ""},
    };
    for (const Case& c : cases) {
        const ContentChange change = ClassifyContentPath(c.path);
        EXPECT_EQ(change.kind, c.kind) << c.path;
        EXPECT_EQ(change.name, c.name) << c.path;
    }
}

TEST(HotReload, ABurstEndsOnceItsFilesAreQuietOrHasLastedTooLong) {
    ChangeBatch batch;
    EXPECT_FALSE(batch.Due(0.0));
    batch.Add("lua/a.lua", 10.0);
    batch.Add("lua/a.lua", 10.125);
    batch.Add("textures/b.png", 10.25);
    EXPECT_FALSE(batch.Due(10.25 + kQuietTime - 0.01));
    EXPECT_TRUE(batch.Due(10.25 + kQuietTime + 1e-9));
    EXPECT_EQ(batch.Take(), (std::vector<std::string>{"lua/a.lua", "textures/b.png"}));
    EXPECT_TRUE(batch.Empty());
    EXPECT_FALSE(batch.Due(100.0));

    // A file rewritten without pause still takes effect after the longest burst.
    double t = 5.0;
    batch.Add("lua/a.lua", t);
    while (!batch.Due(t)) {
        t += kQuietTime / 2;
        batch.Add("lua/a.lua", t);
    }
    EXPECT_NEAR(t - 5.0, kLongestBurst, kQuietTime / 2 + 1e-9);
}

class FileWatcherTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/qm_watch_XXXXXX";
        base_ = mkdtemp(pattern);
        std::filesystem::create_directories(base_ + "/lua/autorun");
        std::filesystem::create_directories(base_ + "/textures");
    }
    void TearDown() override { std::filesystem::remove_all(base_); }

    void Write(const std::string& relative, const std::string& text) {
        std::ofstream(base_ + "/" + relative) << text;
    }

    // What the watcher reports, sorted, each path once (a write is reported
    // at each write and at its close).
    std::vector<std::string> Changed(FileWatcher& watcher) {
        std::vector<std::string> changed;
        watcher.Poll(changed);
        std::sort(changed.begin(), changed.end());
        changed.erase(std::unique(changed.begin(), changed.end()), changed.end());
        return changed;
    }

    std::string base_;
};

TEST_F(FileWatcherTest, ReportsClosedWritesAndRenamesIntoPlaceAlsoInFoldersMadeLater) {
    FileWatcher watcher(base_, {"lua", "textures", "shaders"});
    ASSERT_TRUE(watcher.Ok()) << watcher.Error();
    EXPECT_TRUE(Changed(watcher).empty());

    Write("lua/autorun/game.lua", "print(1)");
    Write("textures/hero.png.tmp", "x");
    std::filesystem::rename(base_ + "/textures/hero.png.tmp", base_ + "/textures/hero.png");
    Write("outside.txt", "not watched");
    EXPECT_EQ(Changed(watcher), (std::vector<std::string>{"lua/autorun/game.lua", "textures/hero.png",
                                                          "textures/hero.png.tmp"}));
    EXPECT_TRUE(Changed(watcher).empty());

    // Folders made later are watched too: a subfolder of a watched tree, and a watched root that did not exist.
    std::filesystem::create_directories(base_ + "/lua/components");
    std::filesystem::create_directories(base_ + "/shaders");
    EXPECT_TRUE(Changed(watcher).empty());
    Write("lua/components/door.lua", "x");
    Write("shaders/forward.vs", "x");
    EXPECT_EQ(Changed(watcher), (std::vector<std::string>{"lua/components/door.lua", "shaders/forward.vs"}));
}

TEST_F(FileWatcherTest, AFolderMovedInBringsItsFiles) {
    FileWatcher watcher(base_, {"textures"});
    ASSERT_TRUE(watcher.Ok()) << watcher.Error();
    std::filesystem::create_directories(base_ + "/incoming/set");
    Write("incoming/set/a.png", "x");
    std::filesystem::rename(base_ + "/incoming/set", base_ + "/textures/set");
    EXPECT_EQ(Changed(watcher), (std::vector<std::string>{"textures/set/a.png"}));
    Write("textures/set/b.png", "x");
    EXPECT_EQ(Changed(watcher), (std::vector<std::string>{"textures/set/b.png"}));
}

TEST_F(FileWatcherTest, AMissingBaseFolderIsReported) {
    FileWatcher watcher(base_ + "/nowhere", {"lua"});
    EXPECT_FALSE(watcher.Ok());
    EXPECT_EQ(watcher.Error(), base_ + "/nowhere: No such file or directory");
    std::vector<std::string> changed;
    watcher.Poll(changed);
    EXPECT_TRUE(changed.empty());
}
