#pragma once
// A throw-away game folder for level and save tests: a fresh working directory
// holding levels/ and textures/, and a documents folder inside it, so nothing
// touches the real home. The engine's events are registered as the engine does.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include <json/value.h>

#include "core/engine_state.h"
#include "core/events.h"
#include "ecs/entity_store.h"
#include "graphics/texture_cache.h"
#include "graphics/lighting_settings.h"

namespace fs = std::filesystem;

// An environment variable, set back as it was when the object goes.
class ScopedEnv {
public:
    explicit ScopedEnv(const char* name) : name_(name) {
        if (const char* value = std::getenv(name)) old_ = value;
    }
    ~ScopedEnv() { old_ ? Set(*old_) : Unset(); }
    void Set(const std::string& value) { setenv(name_, value.c_str(), 1); }
    void Unset() { unsetenv(name_); }

private:
    const char* name_;
    std::optional<std::string> old_;
};

class GameFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetWorld();
        for (const char* folder : {"levels", "textures", "home"}) fs::create_directories(root_ / folder);
        fs::current_path(root_);
        home_.Set((root_ / "home").string());
        documents_.Set((root_ / "docs").string());
        configHome_.Unset();
        dataHome_.Unset();
        events::Register<float>("LogicUpdate");
        for (const char* name : {"LevelLoad", "LevelUnload", "LevelUnloadFinished"}) events::Register<Json::Value*>(name);
    }
    void TearDown() override {
        ResetWorld();
        fs::current_path(oldCwd_);
        fs::remove_all(root_);
    }
    // Nothing left of another test's entities, events or settings.
    static void ResetWorld() {
        engine::DestroyAllEntities();
        events::ClearRegistryForTesting();
        ResetEngineState();
        ResetLightingSettings();
        ClearTextures();
    }

    std::string SaveDir() const { return (root_ / "docs" / "Quillmere").string() + "/"; }
    static void WriteText(const fs::path& path, const std::string& text) {
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }
    static std::string ReadText(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void WriteLevel(const std::string& name, const std::string& text) { WriteText(root_ / "levels" / (name + ".json"), text); }

    const fs::path oldCwd_ = fs::current_path();
    const fs::path root_ = [] {
        char pattern[] = "/tmp/qm_level_XXXXXX";
        return fs::path(mkdtemp(pattern));
    }();
    ScopedEnv home_{"HOME"}, documents_{"XDG_DOCUMENTS_DIR"}, configHome_{"XDG_CONFIG_HOME"}, dataHome_{"XDG_DATA_HOME"};
};
