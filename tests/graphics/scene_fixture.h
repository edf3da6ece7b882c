#pragma once
// A clean world: the events components connect to, no entities, a camera at the
// origin on a 498 x 280 framebuffer (window corner (-249, -140)), the lighting
// settings at their start, and a texture folder of its own holding 8 x 4
// "debug", "debug_nm" and "debug_sm" (there before a fixture's member sprite).
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include <lodepng.h>

#include "core/camera.h"
#include "core/events.h"
#include "ecs/entity_store.h"
#include "graphics/lighting_settings.h"
#include "graphics/texture_cache.h"

class SceneTest : public ::testing::Test {
protected:
    SceneTest() : folder_(std::filesystem::temp_directory_path() / ("qm_textures_" + std::to_string(getpid()))) {
        std::filesystem::create_directories(folder_);
        ClearTextures();
        SetTextureFolder(folder_.string() + "/");
        for (const char* name : {"debug", "debug_nm", "debug_sm"}) WritePng(name, 8, 4);
        events::ClearRegistryForTesting();
        events::Register<engine::entity_handle>("EditorSelectedEntity");
        events::Register<>("DebugDraw");
        engine::DestroyAllEntities();
        GetCamera() = Camera();
        ResetLightingSettings();
    }
    ~SceneTest() override {
        engine::DestroyAllEntities();
        events::ClearRegistryForTesting();
        ClearTextures();
        SetTextureFolder("textures/");
        std::filesystem::remove_all(folder_);
    }

    // An opaque width x height picture; its first texel may have another alpha.
    void WritePng(const std::string& name, unsigned width, unsigned height, unsigned char firstAlpha = 255) {
        std::vector<unsigned char> pixels(size_t(width) * height * 4, 255);
        pixels[3] = firstAlpha;
        lodepng::encode(PngPath(name), pixels, width, height);
    }
    std::string PngPath(const std::string& name) const { return (folder_ / (name + ".png")).string(); }
    static uint32_t Texture(const std::string& name) {
        int w = 0, h = 0;
        return LoadTexture(name, w, h);
    }
    static engine::entity_handle Spawn(float x, float y, const char* component = nullptr, Json::Value data = {}) {
        engine::entity_handle e = engine::CreateEntity();
        e.SetPosition(x, y, 0.0f);
        if (component) e.AddComponent(component, data);
        return e;
    }

    const std::filesystem::path folder_;
};
