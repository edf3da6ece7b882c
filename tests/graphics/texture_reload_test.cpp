// A texture changed on disk: the cached object keeps its id and takes the new
// size, and sprites follow it (also out of the "debug" fallback).
#include <gtest/gtest.h>

#include "core/events.h"
#include "core/log.h"
#include "ecs/entity_store.h"
#include "graphics/sprite.h"
#include "graphics/texture_cache.h"
#include "graphics/texture_reload.h"
#include "png_folder.h"

namespace {

class TextureReloadTest : public ::testing::Test {
protected:
    void SetUp() override {
        events::ClearRegistryForTesting();
        events::Register<engine::entity_handle>("EditorSelectedEntity");
        folder.Write("debug", 8, 4);
        folder.Write("debug_nm", 8, 4);
        folder.Write("debug_sm", 8, 4);
    }
    void TearDown() override {
        engine::DestroyAllEntities();
        events::ClearRegistryForTesting();
    }

    Sprite& SpriteShowing(const std::string& texture) {
        engine::entity_handle e = engine::CreateEntity();
        Json::Value data;
        data["texture"] = texture;
        e.AddComponent("Sprite", data);
        return *e.Get<Sprite>();
    }

    static uint32_t Id(const std::string& name) {
        int w = 0, h = 0;
        return LoadTexture(name, w, h);
    }

    PngFolder folder;
};

}  // namespace

TEST_F(TextureReloadTest, TheCachedObjectKeepsItsIdAndTakesTheNewSize) {
    folder.Write("tree", 16, 8);
    Sprite& a = SpriteShowing("tree");
    Sprite& b = SpriteShowing("tree");
    Sprite& other = SpriteShowing("debug");
    const uint32_t id = a.GetTexture();

    folder.Write("tree", 32, 24);
    EXPECT_EQ(ApplyChangedTexture("tree"), 2);
    for (Sprite* s : {&a, &b}) {
        EXPECT_EQ(s->GetTexture(), id);
        EXPECT_EQ(s->GetWidth(), 32u);
        EXPECT_EQ(s->GetHeight(), 24u);
    }
    EXPECT_EQ(other.GetWidth(), 8u);
    int w = 0, h = 0;
    EXPECT_EQ(LoadTexture("tree", w, h), id);
    EXPECT_EQ(w, 32);
    EXPECT_EQ(h, 24);
}

TEST_F(TextureReloadTest, ASpriteShowingDebugForAMissingFileTakesTheFileOnceItAppears) {
    Sprite& s = SpriteShowing("rock");
    EXPECT_EQ(s.GetTexture(), Id("debug"));
    folder.Write("rock", 12, 6);
    EXPECT_EQ(ApplyChangedTexture("rock"), 1);
    EXPECT_NE(s.GetTexture(), Id("debug"));
    EXPECT_EQ(s.GetTexture(), Id("rock"));
    EXPECT_EQ(s.GetWidth(), 12u);
    EXPECT_EQ(s.GetTextureName(), "rock");
}

TEST_F(TextureReloadTest, ACompanionThatAppearsIsTakenByItsSprites) {
    folder.Write("wall", 8, 8);
    Sprite& s = SpriteShowing("wall");
    EXPECT_EQ(s.GetNormalTexture(), Id("debug_nm"));
    folder.Write("wall_nm", 8, 8);
    EXPECT_EQ(ApplyChangedTexture("wall_nm"), 1);
    EXPECT_EQ(s.GetNormalTexture(), Id("wall_nm"));
}

TEST_F(TextureReloadTest, AFileCaughtHalfWrittenKeepsTheOldPicture) {
    folder.Write("tree", 16, 8);
    Sprite& s = SpriteShowing("tree");
    const uint32_t id = s.GetTexture();
    folder.WriteBytes("tree", "\x89PNG\r\n");
    ClearLog();
    EXPECT_EQ(ApplyChangedTexture("tree"), 0);
    EXPECT_EQ(s.GetTexture(), id);
    EXPECT_EQ(s.GetWidth(), 16u);
    ASSERT_FALSE(GetLog().empty());
    EXPECT_EQ(GetLog().back().rfind("Texture \"tree\" not reloaded, keeping the old picture: ", 0), 0u);
    int w = 0, h = 0;
    EXPECT_EQ(LoadTexture("tree", w, h), id);
    EXPECT_EQ(w, 16);
}
