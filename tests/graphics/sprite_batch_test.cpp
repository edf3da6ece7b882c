#include "graphics/sprite_batch.h"

#include <cmath>
#include <memory>

#include <glm/gtc/type_ptr.hpp>

#include "graphics/sprite.h"
#include "scene_fixture.h"

class SpriteBatchTest : public SceneTest {
protected:
    void SetUp() override {
        for (const char* name : {"a", "b", "b_nm", "sheet"}) WritePng(name, 16, 16);
        WritePng("holed", 16, 16, 127);  // one texel the lit scene drops
        WritePng("half", 16, 16, 128);   // kept, unless a tint lowers it
    }
    SpriteDrawItem Add(const std::string& texture, float x, float tintAlpha = 1.0f) {
        sprites.push_back(std::make_unique<Sprite>());
        sprites.back()->SetTexture(texture);
        sprites.back()->SetTint({0.5f, 0.25f, 1.0f, tintAlpha});
        return {{}, sprites.back().get(), {x, 0.0f, 0.0f}};
    }
    std::vector<glm::uvec2> Runs() const {
        std::vector<glm::uvec2> out;
        for (const SpriteRun& r : runs) out.push_back({r.first, r.count});
        return out;
    }

    std::vector<std::unique_ptr<Sprite>> sprites;
    std::vector<SpriteInstance> instances;
    std::vector<SpriteRun> runs;
};

TEST_F(SpriteBatchTest, RunsFollowTheOrderAndSplitWhereTexturesChangeInstancesCarryTintAndFrame) {
    // a a b a a; the fourth keeps "b_nm" after switching to "a", which has no companion:
    // the same diffuse texture, another normal map. The last is a 2 x 2 sheet of 3 frames.
    const std::vector<SpriteDrawItem> items = {Add("a", 0), Add("a", 5), Add("b", 9), Add("b", 1), Add("a", 2, 0.75f)};
    sprites[3]->SetTexture("a");
    sprites[4]->SetColumns(2);
    sprites[4]->SetRows(2);
    sprites[4]->SetFrames(3);
    sprites[4]->SetFrameTime(0.1f);
    BatchSprites(items, 0.0f, 1, instances, runs);  // unlit: the diffuse texture decides
    EXPECT_EQ(Runs(), (std::vector<glm::uvec2>{{0, 2}, {2, 1}, {3, 2}}));
    BatchSprites(items, 0.15f, 3, instances, runs);  // lit, appended after them
    EXPECT_EQ(Runs(), (std::vector<glm::uvec2>{{0, 2}, {2, 1}, {3, 2}, {5, 2}, {7, 1}, {8, 1}, {9, 1}}));
    EXPECT_EQ(glm::make_vec3(runs[4].textures), glm::uvec3(Texture("b"), Texture("b_nm"), Texture("debug_sm")));
    EXPECT_EQ(glm::make_vec4(instances[9].tint), glm::vec4(0.5f, 0.25f, 1.0f, 0.75f));
    // The whole picture; the sheet's frame 1, then 2 once animated (column 1 of the bottom grid row).
    EXPECT_EQ(glm::make_vec4(instances[0].frame), glm::vec4(0, 0, 1, 1));
    EXPECT_EQ(glm::make_vec4(instances[4].frame), glm::vec4(0, 0.5f, 0.5f, 1));
    EXPECT_EQ(glm::make_vec4(instances[9].frame), glm::vec4(0.5f, 0.5f, 1, 1));
}

TEST_F(SpriteBatchTest, LitSpritesGroupByTexturesAndSolidityAndKeepTheirRankInDepth) {
    // Runs in the order their groups first appear; "half" tinted below alpha 128 may lose a texel.
    const std::vector<SpriteDrawItem> items = {Add("a", 0), Add("b", 1), Add("a", 2),     Add("sheet", 3),
                                               Add("a", 4), Add("holed", 5), Add("half", 6), Add("half", 7, 0.99f)};
    instances.resize(1);  // something already there
    BatchLitSprites(items, 0.0f, 7, instances, runs);
    EXPECT_EQ(Runs(), (std::vector<glm::uvec2>{{1, 3}, {4, 1}, {5, 1}, {6, 1}, {7, 1}, {8, 1}}));
    const bool solid[] = {true, true, true, false, true, false};
    for (size_t r = 0; r < runs.size(); ++r) EXPECT_EQ(runs[r].solid, solid[r]) << r;
    const size_t itemOf[] = {0, 0, 2, 4, 1, 3, 5, 6, 7};  // instance -> item (0: the one already there)
    for (size_t i = 1; i < instances.size(); ++i) {
        EXPECT_EQ(instances[i].model, sprites[itemOf[i]]->ModelMatrix(items[itemOf[i]].position)) << i;
        EXPECT_EQ(instances[i].rankDepth, SceneRankDepth(7 + uint32_t(itemOf[i]))) << i;
    }
    WritePng("holed", 16, 16, 200);  // a reloaded picture brings its own smallest alpha
    ASSERT_TRUE(ReloadTexture("holed"));
    EXPECT_EQ(TextureMinAlpha(Texture("holed")), 200);
}

TEST(SceneRankDepth, EveryRankHasItsOwnExactWindowDepthBelowTheClearedOne) {
    for (uint32_t r : {0u, 1u, 1000u, (1u << 23) - 1, 1u << 23, (1u << 24) - 2})
        EXPECT_EQ(SceneRankDepth(r) * 0.5f + 0.5f, std::ldexp(float(r + 1), -24)) << r;
    EXPECT_EQ(SceneRankDepth(0xFFFFFFFFu), SceneRankDepth((1u << 24) - 2));  // shared, never wrapped
}
