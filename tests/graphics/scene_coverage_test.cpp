#include "graphics/scene_coverage.h"

#include <memory>

#include <gtest/gtest.h>
#include <glm/gtc/matrix_transform.hpp>

#include "graphics/sprite.h"
#include "graphics/sprite_batch.h"
#include "scene_fixture.h"

namespace {

glm::ivec4 Rect(const PixelRect& r) { return {r.x, r.y, r.width, r.height}; }

// The clip transform of a quad w x h scene pixels whose left edge is at x and
// top edge at y (rows from the top of the scene).
glm::mat4 QuadAt(float x, float y, float w, float h) {
    const glm::mat4 view = glm::scale(glm::mat4(1.0f), glm::vec3(2.0f / 498, 2.0f / 280, 1)) *
                           glm::translate(glm::mat4(1.0f), glm::vec3(-249, -140, 0));
    return view * glm::scale(glm::translate(glm::mat4(1.0f), glm::vec3(x + w / 2, y, 0)), glm::vec3(w, h, 1));
}

}  // namespace

TEST(SceneCoverage, QuadsCoverThePixelsWhoseCentresTheyHoldAndClaimsAddUpAcrossWords) {
    // Edges on whole pixels: sure of every pixel. Rows count from the bottom (280 - top - height).
    const struct { glm::vec4 quad; glm::ivec4 surely, maybe; } cases[] = {
        {{10, 20, 16, 16}, {10, 244, 16, 16}, {10, 244, 16, 16}},
        {{10.5f, 20, 16, 16}, {11, 244, 15, 16}, {10, 244, 17, 16}},  // centres on both edges: unsure of two columns
        {{10.3f, 20, 16, 16}, {10, 244, 16, 16}, {10, 244, 16, 16}},  // 10.5 and 25.5 are inside
        {{-8, -8, 16, 16}, {0, 272, 8, 8}, {0, 272, 8, 8}},           // kept inside the target
        {{600, 20, 16, 16}, {0, 0, 0, 0}, {0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        const QuadPixels p = ScenePixelsOfQuad(QuadAt(c.quad.x, c.quad.y, c.quad.z, c.quad.w));
        EXPECT_EQ(Rect(p.surely), c.surely) << c.quad.x;
        EXPECT_EQ(Rect(p.maybe), c.maybe) << c.quad.x;
    }

    auto coverage = std::make_unique<SceneCoverage>();
    EXPECT_TRUE(coverage->Covers({}));
    coverage->Claim({60, 5, 10, 3});   // columns 60..69 cross the first word's end
    coverage->Claim({70, 5, 428, 3});  // on to the last column
    EXPECT_TRUE(coverage->Covers({60, 5, 438, 3}));
    EXPECT_FALSE(coverage->Covers({59, 5, 2, 1}));
    EXPECT_FALSE(coverage->Covers({60, 4, 1, 2}));
    EXPECT_FALSE(coverage->Covers({60, 5, 1, 4}));
    coverage->Clear();
    EXPECT_FALSE(coverage->Covers({60, 5, 1, 1}));
}

class OcclusionTest : public SceneTest {};

TEST_F(OcclusionTest, OnlySpritesWhollyCoveredBySolidOnesInFrontAreLeftOutYetAllAnimate) {
    WritePng("solid", 16, 16);
    WritePng("holed", 16, 16, 127);
    std::vector<std::unique_ptr<Sprite>> sprites;
    auto add = [&](const char* texture, float x, float y) {
        sprites.push_back(std::make_unique<Sprite>());
        sprites.back()->SetTexture(texture);
        return SpriteDrawItem{{}, sprites.back().get(), {x, y, 0.0f}};
    };
    // Front to back: two solid sprites side by side, one holed; behind them a
    // sprite under the pair's seam (hidden), one under the holed one (kept),
    // one a pixel below the pair (kept), and an animated sheet under the first.
    std::vector<SpriteDrawItem> items = {add("solid", 0, 0),   add("solid", 16, 0), add("holed", 100, 0),
                                         add("solid", 8, 0),   add("solid", 100, 0), add("solid", 8, 1),
                                         add("solid", 0, 0)};
    Sprite& sheet = *sprites.back();
    sheet.SetColumns(2);
    sheet.SetFrames(2);
    sheet.SetFrameTime(0.1f);
    auto coverage = std::make_unique<SceneCoverage>();
    const SceneOcclusion occlusion{coverage.get(), GetCamera().ViewMatrix(false, 498, 280)};
    std::vector<SpriteInstance> instances;
    std::vector<SpriteRun> runs;
    EXPECT_EQ(BatchLitSprites(items, 0.15f, 0, instances, runs, &occlusion), 2u);
    ASSERT_EQ(instances.size(), 5u);
    // The kept ones keep the rank of their place in the order.
    const uint32_t kept[] = {0, 1, 4, 5, 2};  // solid run first, then the holed one
    for (size_t i = 0; i < 5; ++i) EXPECT_EQ(instances[i].rankDepth, SceneRankDepth(kept[i])) << i;
    EXPECT_EQ(sheet.GetCurrentFrame(), 2);
}
