#pragma once
// An empty entity store for each test, "LevelLoad" registered (SoundSpace listens to it).
#include <gtest/gtest.h>
#include <json/reader.h>

#include "core/events.h"
#include "ecs/component_registry.h"
#include "ecs/entity_store.h"

class EcsTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!events::IsRegistered("LevelLoad")) events::Register<Json::Value*>("LevelLoad");
        engine::DestroyAllEntities();
    }
    void TearDown() override { engine::DestroyAllEntities(); }
    static Json::Value Parse(const char* text) {
        Json::Value json;
        EXPECT_TRUE(Json::Reader().parse(text, json)) << text;
        return json;
    }
};
