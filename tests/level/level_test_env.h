#pragma once
// A throw-away game folder for level and save tests: the working directory is
// a fresh temp folder holding levels/ and textures/, and the documents folder
// points into it, so nothing touches the real home. The engine's events are
// registered as the engine does it.
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

class ScopedEnv {
public:
    explicit ScopedEnv(const char* name) : name_(name) {
        if (const char* v = std::getenv(name)) old_ = v;
    }
    ~ScopedEnv() {
        if (old_) setenv(name_, old_->c_str(), 1);
        else unsetenv(name_);
    }
    void Set(const std::string& value) { setenv(name_, value.c_str(), 1); }
    void Unset() { unsetenv(name_); }

private:
    const char* name_;
    std::optional<std::string> old_;
};

class GameFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        oldCwd_ = fs::current_path();
        char pattern[] = "/tmp/qm_level_XXXXXX";
        root_ = mkdtemp(pattern);
        fs::create_directories(root_ / "levels");
        fs::create_directories(root_ / "textures");
        fs::create_directories(root_ / "home");
        fs::current_path(root_);
        home_.Set((root_ / "home").string());
        configHome_.Unset();
        documents_.Set((root_ / "docs").string());
        dataHome_.Unset();

        events::ClearRegistryForTesting();
        events::Register<float>("LogicUpdate");
        events::Register<Json::Value*>("LevelLoad");
        events::Register<Json::Value*>("LevelUnload");
        events::Register<Json::Value*>("LevelUnloadFinished");
        ResetEngineState();
        ResetLightingSettings();
        ClearTextures();
        engine::DestroyAllEntities();
    }

    void TearDown() override {
        engine::DestroyAllEntities();
        events::ClearRegistryForTesting();
        ResetEngineState();
        ResetLightingSettings();
        ClearTextures();
        fs::current_path(oldCwd_);
        std::error_code ec;
        fs::remove_all(root_, ec);
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
    void WriteSavedLevel(const std::string& name, const std::string& text) { WriteText(SaveDir() + name + ".json", text); }

    fs::path root_;
    fs::path oldCwd_;
    ScopedEnv home_{"HOME"};
    ScopedEnv configHome_{"XDG_CONFIG_HOME"};
    ScopedEnv documents_{"XDG_DOCUMENTS_DIR"};
    ScopedEnv dataHome_{"XDG_DATA_HOME"};
};
