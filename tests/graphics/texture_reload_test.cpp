#include "graphics/texture_reload.h"

#include "core/log.h"
#include "graphics/sprite.h"
#include "scene_fixture.h"

class TextureReloadTest : public SceneTest {
protected:
    Sprite& SpriteShowing(const std::string& texture) {
        Json::Value data;
        data["texture"] = texture;
        return *Spawn(0, 0, "Sprite", data).Get<Sprite>();
    }
};

TEST_F(TextureReloadTest, TheCachedObjectKeepsItsIdItsSpritesTakeTheNewSizeAndNewFiles) {
    WritePng("tree", 16, 8);
    Sprite &a = SpriteShowing("tree"), &b = SpriteShowing("tree");
    const uint32_t id = a.GetTexture();
    WritePng("tree", 32, 24);
    EXPECT_EQ(ApplyChangedTexture("tree"), 2);
    for (Sprite* s : {&a, &b})
        EXPECT_EQ(glm::uvec3(s->GetTexture(), s->GetWidth(), s->GetHeight()), glm::uvec3(id, 32, 24));
    // A picture or companion that appears is taken by its sprites.
    Sprite& rock = SpriteShowing("rock");
    EXPECT_EQ(rock.GetTexture(), Texture("debug"));
    WritePng("rock", 12, 6);
    EXPECT_EQ(ApplyChangedTexture("rock"), 1);
    EXPECT_EQ(glm::uvec2(rock.GetTexture(), rock.GetWidth()), glm::uvec2(Texture("rock"), 12));
    WritePng("tree_nm", 8, 8);
    EXPECT_EQ(ApplyChangedTexture("tree_nm"), 2);
    EXPECT_EQ(a.GetNormalTexture(), Texture("tree_nm"));
}

TEST_F(TextureReloadTest, AFileCaughtHalfWrittenKeepsTheOldPictureAndSaysSo) {
    WritePng("tree", 16, 8);
    Sprite& s = SpriteShowing("tree");
    const uint32_t id = s.GetTexture();
    std::ofstream(PngPath("tree")) << "\x89PNG\r\n";
    ClearLog();
    EXPECT_EQ(ApplyChangedTexture("tree"), 0);
    EXPECT_EQ(glm::uvec2(s.GetTexture(), s.GetWidth()), glm::uvec2(id, 16));
    EXPECT_EQ(GetLog().size(), 1u);
}
