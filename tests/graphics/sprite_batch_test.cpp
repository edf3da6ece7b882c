#include "graphics/sprite_batch.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "core/camera.h"
#include "graphics/free_sprite_rect.h"
#include "graphics/sprite.h"
#include "graphics/texture_cache.h"
#include "png_folder.h"

namespace {

class SpriteBatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder.Write("debug", 8, 8, 1);
        folder.Write("debug_nm", 8, 8, 2);
        folder.Write("debug_sm", 8, 8, 3);
        folder.Write("a", 16, 16);
        folder.Write("b", 16, 16);
        folder.Write("b_nm", 16, 16);
        folder.Write("sheet", 32, 16);
        GetCamera() = Camera();
    }

    // A sprite of the given texture at (x, y, z), kept alive by the test.
    SpriteDrawItem Add(const std::string& texture, float x, float y, float z = 0.0f) {
        sprites.push_back(std::make_unique<Sprite>());
        sprites.back()->SetTexture(texture);
        SpriteDrawItem item;
        item.sprite = sprites.back().get();
        item.position = {x, y, z};
        return item;
    }

    PngFolder folder;
    std::vector<std::unique_ptr<Sprite>> sprites;
};

}  // namespace

TEST_F(SpriteBatchTest, RunsFollowTheOrderAndSplitWhereTexturesChange) {
    // a a b a: three runs; "b" has its own "_nm", so lit and unlit split alike.
    const std::vector<SpriteDrawItem> items = {Add("a", 0, 0), Add("a", 5, 0), Add("b", 9, 0), Add("a", 1, 1)};
    std::vector<SpriteInstance> instances;
    std::vector<SpriteRun> runs;
    BatchSprites(items, 0.0f, 3, instances, runs);
    ASSERT_EQ(instances.size(), 4u);
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].first, 0u);
    EXPECT_EQ(runs[0].count, 2u);
    EXPECT_EQ(runs[1].first, 2u);
    EXPECT_EQ(runs[1].count, 1u);
    EXPECT_EQ(runs[2].first, 3u);
    EXPECT_EQ(runs[2].count, 1u);
    EXPECT_EQ(runs[1].textures[0], sprites[2]->GetTexture());
    EXPECT_EQ(runs[1].textures[1], sprites[2]->GetNormalTexture());
    EXPECT_EQ(runs[1].textures[2], sprites[2]->GetSecondTexture());
    for (size_t i = 0; i < items.size(); ++i)
        EXPECT_EQ(instances[i].model, sprites[i]->ModelMatrix(items[i].position)) << i;

    // Appending keeps earlier runs apart: a new list starts a new run even
    // with the same textures.
    BatchSprites({Add("a", 2, 2)}, 0.0f, 1, instances, runs);
    ASSERT_EQ(runs.size(), 4u);
    EXPECT_EQ(runs[3].first, 4u);
    EXPECT_EQ(runs[3].textures[1], 0u);  // unlit runs key on the diffuse texture only
}

TEST_F(SpriteBatchTest, CompanionsOnlySplitLitRuns) {
    // The second sprite keeps "b_nm" after switching to "a", which has no
    // companion of its own: same diffuse texture, different normal map.
    SpriteDrawItem first = Add("a", 0, 0), second = Add("b", 4, 0);
    sprites[1]->SetTexture("a");
    ASSERT_EQ(sprites[0]->GetTexture(), sprites[1]->GetTexture());
    ASSERT_NE(sprites[0]->GetNormalTexture(), sprites[1]->GetNormalTexture());
    std::vector<SpriteInstance> instances;
    std::vector<SpriteRun> unlit, lit;
    BatchSprites({first, second}, 0.0f, 1, instances, unlit);
    EXPECT_EQ(unlit.size(), 1u);
    instances.clear();
    BatchSprites({first, second}, 0.0f, 3, instances, lit);
    EXPECT_EQ(lit.size(), 2u);
}

TEST_F(SpriteBatchTest, InstancesCarryTintAndTheFrameOfAnimatedSheets) {
    SpriteDrawItem still = Add("a", 0, 0), sheet = Add("sheet", 10, 0);
    sprites[0]->SetTint({0.5f, 0.25f, 1.0f, 0.75f});
    Sprite& s = *sprites[1];
    s.SetColumns(2);
    s.SetRows(2);
    s.SetFrames(3);
    s.SetFrameTime(0.1f);
    std::vector<SpriteInstance> instances;
    std::vector<SpriteRun> runs;
    // Animated by dt before its instance is taken: frame 1 -> 2.
    BatchSprites({still, sheet}, 0.15f, 3, instances, runs);
    EXPECT_EQ(s.GetCurrentFrame(), 2u);
    EXPECT_EQ(instances[0].tint[0], 0.5f);
    EXPECT_EQ(instances[0].tint[3], 0.75f);
    const float whole[4] = {0, 0, 1, 1};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(instances[0].frame[i], whole[i]);
    // Frame 2 is column 1 of grid row 0 (the bottom strip): u 0.5..1, v 0.5..1,
    // exactly the corners of its frame quad.
    const auto& v = s.GetFrameVertices();
    EXPECT_EQ(instances[1].frame[0], 0.5f);
    EXPECT_EQ(instances[1].frame[1], 0.5f);
    EXPECT_EQ(instances[1].frame[2], 1.0f);
    EXPECT_EQ(instances[1].frame[3], 1.0f);
    EXPECT_EQ(instances[1].frame[0], v[3]);
    EXPECT_EQ(instances[1].frame[3], v[14]);
}

TEST_F(SpriteBatchTest, LitSpritesGroupByTexturesAndKeepTheirRankInDepth) {
    // a b a (b with "_nm") sheet a: runs a, b, sheet in the order their sets
    // first appear; each instance keeps the depth of its place in the list.
    const std::vector<SpriteDrawItem> items = {Add("a", 0, 0), Add("b", 1, 0), Add("a", 2, 0), Add("sheet", 3, 0),
                                               Add("a", 4, 0)};
    std::vector<SpriteInstance> instances(1);  // something already there
    std::vector<SpriteRun> runs;
    BatchLitSprites(items, 0.0f, 7, instances, runs);
    ASSERT_EQ(instances.size(), 6u);
    ASSERT_EQ(runs.size(), 3u);
    const uint32_t firsts[3] = {1, 4, 5}, counts[3] = {3, 1, 1};
    const size_t itemOf[6] = {0, 0, 2, 4, 1, 3};  // instance -> item (0: the one already there)
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(runs[r].first, firsts[r]) << r;
        EXPECT_EQ(runs[r].count, counts[r]) << r;
    }
    EXPECT_EQ(runs[1].textures[0], sprites[1]->GetTexture());
    EXPECT_EQ(runs[1].textures[1], sprites[1]->GetNormalTexture());
    for (size_t i = 1; i < instances.size(); ++i) {
        const size_t item = itemOf[i];
        EXPECT_EQ(instances[i].model, sprites[item]->ModelMatrix(items[item].position)) << i;
        EXPECT_EQ(instances[i].rankDepth, SceneRankDepth(7 + uint32_t(item))) << i;
    }
}

TEST_F(SpriteBatchTest, SpritesThatCanLoseATexelDrawWithTheDiscardingProgram) {
    // "holed" has one texel at alpha 127, "half" its lowest at 128.
    std::vector<unsigned char> pixels(16 * 16 * 4, 255);
    pixels[4 * 37 + 3] = 127;
    lodepng::encode(folder.File("holed"), pixels, 16, 16);
    pixels[4 * 37 + 3] = 128;
    lodepng::encode(folder.File("half"), pixels, 16, 16);
    const std::vector<SpriteDrawItem> items = {Add("a", 0, 0), Add("holed", 1, 0), Add("half", 2, 0),
                                               Add("a", 3, 0), Add("half", 4, 0)};
    sprites[3]->SetTint({1.0f, 1.0f, 1.0f, 0.6f});  // 255 * 0.6 = 153: still solid
    sprites[4]->SetTint({1.0f, 1.0f, 1.0f, 0.99f});  // 128 * 0.99 < 128: may be dropped
    std::vector<SpriteInstance> instances;
    std::vector<SpriteRun> runs;
    BatchLitSprites(items, 0.0f, 0, instances, runs);
    ASSERT_EQ(runs.size(), 4u);
    EXPECT_TRUE(runs[0].solid);  // a, a
    EXPECT_EQ(runs[0].count, 2u);
    EXPECT_FALSE(runs[1].solid);  // holed
    EXPECT_TRUE(runs[2].solid);   // half at full alpha
    EXPECT_FALSE(runs[3].solid);  // half, tinted
    EXPECT_EQ(runs[3].textures[0], runs[2].textures[0]);
    EXPECT_EQ(instances[runs[3].first].rankDepth, SceneRankDepth(4));

    EXPECT_EQ(TextureMinAlpha(sprites[1]->GetTexture()), 127);
    EXPECT_EQ(TextureMinAlpha(sprites[0]->GetTexture()), 255);
    EXPECT_EQ(TextureMinAlpha(123456u), 0);  // not a picture of this cache
    // A reloaded picture brings its own.
    lodepng::encode(folder.File("holed"), std::vector<unsigned char>(16 * 16 * 4, 200), 16, 16);
    ASSERT_TRUE(ReloadTexture("holed"));
    EXPECT_EQ(TextureMinAlpha(sprites[1]->GetTexture()), 200);
}

TEST(SceneRankDepth, EveryRankHasItsOwnExactWindowDepth) {
    // Window depth z * 0.5 + 0.5 must be (rank + 1) / 2^24 with no rounding,
    // strictly increasing and below the cleared 1.0, up to the last rank.
    const uint32_t ranks[] = {0, 1, 2, 1000, 4999, 5000, (1u << 23) - 1, 1u << 23, (1u << 24) - 3, (1u << 24) - 2};
    float previous = -1.0f;
    for (uint32_t r : ranks) {
        const float z = SceneRankDepth(r);
        EXPECT_EQ(z * 0.5f + 0.5f, std::ldexp(float(r + 1), -24)) << r;
        EXPECT_GT(z, previous) << r;
        EXPECT_LT(z * 0.5f + 0.5f, 1.0f) << r;
        previous = z;
    }
    // Past the last rank every sprite shares its depth rather than wrapping.
    EXPECT_EQ(SceneRankDepth(1u << 24), SceneRankDepth((1u << 24) - 2));
    EXPECT_EQ(SceneRankDepth(0xFFFFFFFFu), SceneRankDepth((1u << 24) - 2));
}

namespace {

// `r` holds [x0, x1) x [y0, y1) and reaches at most `slack` beyond it (float
// rounding may widen a bound by one).
void ExpectCovers(const PixelRect& r, int x0, int y0, int x1, int y1, int slack = 1) {
    EXPECT_LE(r.x, x0);
    EXPECT_GE(r.x, x0 - slack);
    EXPECT_GE(r.x + r.width, x1);
    EXPECT_LE(r.x + r.width, x1 + slack);
    EXPECT_LE(r.y, y0);
    EXPECT_GE(r.y, y0 - slack);
    EXPECT_GE(r.y + r.height, y1);
    EXPECT_LE(r.y + r.height, y1 + slack);
}

}  // namespace

TEST(FreeSpriteRect, SceneAndWindowRectanglesCoverTheSpriteWithTheirMargins) {
    Camera camera;
    const glm::mat4 view = camera.ViewMatrix(false, 498, 280);
    // A 16 x 16 picture hanging from world (10, 20): x 2..18, y 20..36; the
    // scene's row 0 is its bottom (world y 140), so y 20..36 is rows 104..120.
    glm::mat4 model(1.0f);
    model[0][0] = 16.0f;
    model[1][1] = 16.0f;
    model[3] = glm::vec4(10.0f, 20.0f, 0.0f, 1.0f);
    ExpectCovers(SceneRectOfQuad(model, view, 0), 251, 104, 267, 120);
    ExpectCovers(SceneRectOfQuad(model, view, 2), 249, 102, 269, 122);
    // Kept inside the target: x -258..-242 is columns -9..7; y 0..16 is rows
    // 124..140.
    model[3] = glm::vec4(-250.0f, 0.0f, 0.0f, 1.0f);
    const PixelRect edge = SceneRectOfQuad(model, view, 2);
    EXPECT_EQ(edge.x, 0);
    ExpectCovers(edge, 0, 122, 9, 142);
    // Nowhere near the target: nothing.
    model[3] = glm::vec4(5000.0f, 0.0f, 0.0f, 1.0f);
    EXPECT_EQ(SceneRectOfQuad(model, view, 2).width, 0);

    // Composed at scale 4 on 1920 x 1080 with a shift of (0.25, 0.5): column
    // X lands at 960 + 4 (0.25 + X - 249), row Y at 540 + 4 (Y - 140 - 0.5);
    // one window pixel more on every side.
    const PixelRect w = WindowRectOfSceneRect({251, 104, 16, 16}, {0.25f, 0.5f, 0.0f}, 4, 1920, 1080);
    ExpectCovers(w, 968, 393, 1034, 459, 0);
    EXPECT_EQ(Intersect(w, {0, 0, 969, 1080}).width, 1);
    EXPECT_EQ(Intersect(w, {2000, 0, 10, 10}).width, 0);
}

TEST(FreeSpriteRect, VisitsKeepSceneRectanglesApartAndWindowOrder) {
    // Scene rectangles: 0 and 1 meet; 2 is apart from both; 3 meets 2 only.
    // Window rectangles follow them, except that 4 (apart in the scene from
    // everyone) overlaps 1 on the window, so it may not go before 1's visit.
    const std::vector<PixelRect> cleared = {
        {0, 0, 10, 10}, {5, 5, 10, 10}, {40, 0, 10, 10}, {45, 5, 10, 10}, {100, 100, 4, 4}};
    const std::vector<PixelRect> target = {
        {0, 0, 30, 30}, {15, 15, 30, 30}, {120, 0, 30, 30}, {135, 15, 30, 30}, {20, 20, 5, 5}};
    EXPECT_EQ(FreeSpriteVisits(cleared, target), (std::vector<int>{0, 1, 0, 1, 1}));
    // Without the window overlap, 4 joins the first visit.
    std::vector<PixelRect> apart = target;
    apart[4] = {300, 300, 5, 5};
    EXPECT_EQ(FreeSpriteVisits(cleared, apart), (std::vector<int>{0, 1, 0, 1, 0}));
    // Sprites that draw nothing (empty rectangles) meet no one.
    EXPECT_EQ(FreeSpriteVisits({{}, {0, 0, 5, 5}, {}}, {{}, {0, 0, 5, 5}, {}}), (std::vector<int>{0, 0, 0}));
    EXPECT_TRUE(FreeSpriteVisits({}, {}).empty());
    // A chain where each overlaps the one before on both: one visit each.
    EXPECT_EQ(FreeSpriteVisits({{0, 0, 4, 4}, {2, 2, 4, 4}, {4, 4, 4, 4}}, {{0, 0, 4, 4}, {2, 2, 4, 4}, {4, 4, 4, 4}}),
              (std::vector<int>{0, 1, 2}));
}
