#include "graphics/scene_coverage.h"

#include <memory>

#include <gtest/gtest.h>
#include <glm/gtc/matrix_transform.hpp>

#include "graphics/sprite.h"
#include "graphics/sprite_batch.h"
#include "scene_fixture.h"

namespace {

glm::ivec4 Rect(const PixelRect& r) { return {r.x, r.y, r.width, r.height}; }

const glm::mat4 kView = glm::scale(glm::mat4(1.0f), glm::vec3(2.0f / 498, 2.0f / 280, 1)) *
                        glm::translate(glm::mat4(1.0f), glm::vec3(-249, -140, 0));

// The model of a quad w x h scene pixels whose left edge is at x and top edge
// at y (rows from the top of the scene), at depth z.
glm::mat4 ModelAt(float x, float y, float w, float h, float z = 0.0f) {
    return glm::scale(glm::translate(glm::mat4(1.0f), glm::vec3(x + w / 2, y, z)), glm::vec3(w, h, 1));
}
glm::mat4 QuadAt(float x, float y, float w, float h) { return kView * ModelAt(x, y, w, h); }

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
    EXPECT_EQ(Rect(coverage->Unclaimed({})), glm::ivec4(0));
    coverage->Claim({60, 5, 10, 3});   // columns 60..69 cross the first word's end
    coverage->Claim({70, 5, 428, 3});  // on to the last column
    EXPECT_EQ(Rect(coverage->Unclaimed({60, 5, 438, 3})), glm::ivec4(0));
    EXPECT_EQ(Rect(coverage->Unclaimed({50, 5, 448, 3})), glm::ivec4(50, 5, 10, 3));
    EXPECT_EQ(Rect(coverage->Unclaimed({60, 4, 438, 5})), glm::ivec4(60, 4, 438, 5));  // a row open above and below
    coverage->Clear();
    // Open columns 100 and 301, in the second and fifth words.
    coverage->Claim({0, 0, 100, 10});
    coverage->Claim({101, 0, 200, 10});
    coverage->Claim({302, 0, 196, 10});
    EXPECT_EQ(Rect(coverage->Unclaimed({0, 0, 498, 12})), glm::ivec4(0, 0, 498, 12));
    EXPECT_EQ(Rect(coverage->Unclaimed({0, 0, 498, 10})), glm::ivec4(100, 0, 202, 10));
}

TEST(SceneCoverage, QuadsAreCutToTheOpenPixelsOnlyWhereEachPixelKeepsItsTexel) {
    // A 16 x 16 quad at (10, 20): rows 244..259 from the bottom, its picture's
    // first row (v = 0) on top.
    const struct {
        glm::vec4 frame;
        glm::ivec4 keep;
        glm::vec4 cut;  // the frame after the cut
    } cuts[] = {
        {{0, 0, 1, 1}, {10, 257, 16, 3}, {0, 0, 1, 3.0f / 16}},     // the top three rows
        {{0, 0, 1, 1}, {14, 244, 4, 16}, {0.25f, 0, 0.5f, 1}},      // columns 4..7
        {{1, 0.5f, 0, 1}, {10, 244, 4, 8}, {1, 0.75f, 0.75f, 1}},   // mirrored, a sheet's lower half
    };
    for (const auto& c : cuts) {
        glm::mat4 model = ModelAt(10, 20, 16, 16, 0.3f);
        float frame[4] = {c.frame.x, c.frame.y, c.frame.z, c.frame.w};
        const PixelRect keep{c.keep.x, c.keep.y, c.keep.z, c.keep.w};
        ASSERT_TRUE(CropQuadToPixels(model, frame, kView, keep, {16, 16})) << c.keep.x;
        const QuadPixels p = ScenePixelsOfQuad(kView * model);
        EXPECT_EQ(Rect(p.surely), c.keep);
        EXPECT_EQ(Rect(p.maybe), c.keep);
        for (int i = 0; i < 4; ++i) EXPECT_NEAR(frame[i], c.cut[i], 1e-5f) << c.keep.x << " " << i;
        EXPECT_EQ(model[3][2], ModelAt(10, 20, 16, 16, 0.3f)[3][2]);  // the same depth, bit for bit
    }
    // Left alone: nothing to cut; two pixels a texel; edges on half pixels,
    // where each centre sits on a texel edge.
    const struct { glm::vec4 quad; glm::vec2 texels; glm::ivec4 keep; } kept[] = {
        {{10, 20, 16, 16}, {16, 16}, {10, 244, 16, 16}},
        {{10, 20, 32, 16}, {16, 16}, {10, 244, 4, 16}},
        {{10.5f, 20, 16, 16}, {16, 16}, {12, 244, 4, 16}},
        {{10, 20.5f, 16, 16}, {16, 16}, {12, 244, 4, 15}},
    };
    for (const auto& c : kept) {
        glm::mat4 model = ModelAt(c.quad.x, c.quad.y, c.quad.z, c.quad.w);
        const glm::mat4 before = model;
        float frame[4] = {0, 0, 1, 1};
        EXPECT_FALSE(CropQuadToPixels(model, frame, kView, {c.keep.x, c.keep.y, c.keep.z, c.keep.w}, c.texels))
            << c.quad.x << " " << c.quad.z;
        EXPECT_EQ(model, before);
        EXPECT_EQ(frame[2], 1.0f);
    }
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
    // sprite under the pair's seam (hidden), one under the holed one (kept
    // whole), one a pixel below the pair (cut to its bottom row), and an
    // animated sheet under the first (hidden).
    std::vector<SpriteDrawItem> items = {add("solid", 0, 0),   add("solid", 16, 0), add("holed", 100, 0),
                                         add("solid", 8, 0),   add("solid", 100, 0), add("solid", 8, 1),
                                         add("solid", 0, 0)};
    Sprite& sheet = *sprites.back();
    sheet.SetColumns(2);
    sheet.SetFrames(2);
    sheet.SetFrameTime(0.1f);
    // Last, a sheet 17 texels wide in two columns: cells of 8 texels on quads
    // 8.5 pixels wide, so though the first sprite covers its right half it
    // stays whole.
    WritePng("odd", 17, 16);
    items.push_back(add("odd", -8, 0));
    sprites.back()->SetColumns(2);
    auto coverage = std::make_unique<SceneCoverage>();
    const SceneOcclusion occlusion{coverage.get(), GetCamera().ViewMatrix(false, 498, 280)};
    std::vector<SpriteInstance> instances;
    std::vector<SpriteRun> runs;
    const OcclusionCounts counts = BatchLitSprites(items, 0.15f, 0, instances, runs, &occlusion);
    EXPECT_EQ(counts.hidden, 2u);
    EXPECT_EQ(counts.cropped, 1u);
    ASSERT_EQ(instances.size(), 6u);
    // The kept ones keep the rank of their place in the order.
    const uint32_t kept[] = {0, 1, 4, 5, 2, 7};  // solid run first, then the holed one, then the odd one
    for (size_t i = 0; i < 6; ++i) EXPECT_EQ(instances[i].rankDepth, SceneRankDepth(kept[i])) << i;
    EXPECT_EQ(instances[3].frame[1], 15.0f / 16.0f);
    EXPECT_EQ(instances[2].frame[1], 0.0f);
    EXPECT_EQ(sheet.GetCurrentFrame(), 2);
}
