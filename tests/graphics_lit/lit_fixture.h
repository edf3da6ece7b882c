#pragma once
// A clean world for the lit-scene tests: the events components connect to, an
// empty entity store, a camera at the origin on a 498 x 280 framebuffer (so the
// window's top-left corner is (-249, -140) and the cull radius is
// sqrt(249^2 + 140^2)), and the lighting settings at their start values.
#include <gtest/gtest.h>

#include "core/camera.h"
#include "core/events.h"
#include "ecs/entity_store.h"
#include "graphics/lighting_settings.h"

class LitSceneTest : public ::testing::Test {
protected:
    void SetUp() override {
        events::ClearRegistryForTesting();
        events::Register<engine::entity_handle>("EditorSelectedEntity");
        events::Register<>("DebugDraw");
        engine::DestroyAllEntities();
        GetCamera() = Camera();
        ResetLightingSettings();
    }
    void TearDown() override {
        engine::DestroyAllEntities();
        events::ClearRegistryForTesting();
    }

    static engine::entity_handle Spawn(float x, float y, float z = 0.0f) {
        engine::entity_handle e = engine::CreateEntity();
        e.SetPosition(x, y, z);
        return e;
    }
};
