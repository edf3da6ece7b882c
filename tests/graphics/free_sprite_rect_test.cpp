#include "graphics/free_sprite_rect.h"

#include <gtest/gtest.h>

#include <glm/gtc/matrix_transform.hpp>

#include "core/camera.h"
#include "graphics/composition.h"

static glm::ivec4 Bounds(const PixelRect& r) { return {r.x, r.y, r.x + r.width, r.y + r.height}; }

TEST(FreeSpriteRect, SceneAndWindowRectanglesCoverTheSpriteWithTheirMargins) {
    // 16 x 16 from world (10, 20): columns 251..267, rows 104..120 (row 0 at y 140), plus the margin.
    glm::mat4 model = glm::scale(glm::translate(glm::mat4(1.0f), glm::vec3(10, 20, 0)), glm::vec3(16, 16, 1));
    const glm::mat4 view = Camera().ViewMatrix(false, 498, 280);
    EXPECT_EQ(Bounds(SceneRectOfQuad(model, view, 2)), glm::ivec4(248, 101, 269, 122));  // float rounding: one more
    model[3] = {-250.0f, 0.0f, 0.0f, 1.0f};  // kept inside the target: columns -9..7, rows 124..140
    EXPECT_EQ(Bounds(SceneRectOfQuad(model, view, 2)), glm::ivec4(0, 122, 10, 142));
    // Composed at scale 4 on 1920 x 1080 shifted by (0.25, 0.5): column X lands at
    // 960 + 4 (0.25 + X - 249), row Y at 540 + 4 (Y - 140 - 0.5); one pixel more each side.
    const PixelRect w = WindowRectOfSceneRect({251, 104, 16, 16}, {0.25f, 0.5f, 0.0f}, 4, 1920, 1080);
    EXPECT_EQ(Bounds(w), glm::ivec4(968, 393, 1034, 459));

    // What the whole scene covers whatever the shift, a pixel in from it: at
    // scale 2 on 996 x 560 x from 2 (shift 1) to 996 (shift 0), y from 0 to
    // 558; at scale 4 on 1920 x 1080 the scene overhangs, so the letterbox.
    EXPECT_EQ(Bounds(ComposedSceneInterior(996, 560, {0, 0, 996, 560})), glm::ivec4(3, 1, 995, 557));
    EXPECT_EQ(Bounds(ComposedSceneInterior(1920, 1080, {0, 0, 1920, 1079})), glm::ivec4(0, 0, 1920, 1079));
    EXPECT_EQ(Bounds(ComposedSceneInterior(400, 200, {0, 0, 400, 200})), glm::ivec4(0, 0, 400, 200));
}

TEST(FreeSpriteRect, SpritesWhoseRectanglesMeetGoToOtherLayersAndPastTheLastLayerToAnotherRound) {
    // 0 and 1 meet, 2 is apart, 3 meets 2, 4 is empty, 5 meets 0 and 1; with two
    // layers 5 finds none free and starts round 1, where 6 (meeting 5) takes layer 1.
    const std::vector<PixelRect> scene = {{0, 0, 10, 10},   {5, 5, 10, 10}, {40, 0, 10, 10}, {45, 5, 10, 10},
                                          {}, {2, 2, 5, 5}, {4, 4, 2, 2}};
    std::vector<glm::ivec2> got;
    for (const FreeSpritePlace& p : PlaceFreeSprites(scene, 2)) got.push_back({p.round, p.layer});
    EXPECT_EQ(got, (std::vector<glm::ivec2>{{0, 0}, {0, 1}, {0, 0}, {0, 1}, {0, -1}, {1, 0}, {1, 1}}));
    got.clear();
    for (const FreeSpritePlace& p : PlaceFreeSprites(scene, 8)) got.push_back({p.round, p.layer});
    EXPECT_EQ(got, (std::vector<glm::ivec2>{{0, 0}, {0, 1}, {0, 0}, {0, 1}, {0, -1}, {0, 2}, {0, 3}}));
}

TEST(FreeSpriteRect, APieceOfTheComposedQuadCarriesTheWholeQuadsPlaceAndTextureCoordinates) {
    // At scale 4 on 1920 x 1080 shifted by (0.25, 0.5) the whole quad spans window
    // x -35..1957 (u 0..1) and y -22..1098 (v 0..1); its corner (-0.5, -0.5) sits at
    // (0.25 - 249, 0.5 + 140) in the composition's units.
    const glm::vec3 shift(0.25f, 0.5f, 0.0f);
    std::vector<float> out(3, 9.0f);
    AppendComposedRect({-35, -22, 1992, 1120}, shift, shift, 4, 1920, 1080, out);
    // The second piece also carries where the scene, shifted by (0.75, 0),
    // samples: its quad spans window x -33..1959 and y -20..1100.
    AppendComposedRect({965, 18, 4, 8}, shift, glm::vec3(0.75f, 0.0f, 0.0f), 4, 1920, 1080, out);
    ASSERT_EQ(out.size(), 3u + 2 * kComposedRectFloats);
    auto vertex = [&](int piece, int i) {
        const float* v = out.data() + 3 + piece * kComposedRectFloats + kRectVertexFloats * i;
        return std::vector<float>(v, v + kRectVertexFloats);
    };
    EXPECT_EQ(vertex(0, 0), (std::vector<float>{-248.75f, 140.5f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f}));
    EXPECT_EQ(vertex(0, 2), (std::vector<float>{249.25f, -139.5f, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f}));
    // The corners go round as two triangles: (x0, y0) (x1, y0) (x1, y1), (x1, y1) (x0, y1) (x0, y0).
    const float w = 1992.0f, h = 1120.0f;
    EXPECT_EQ(vertex(1, 0), (std::vector<float>{1.25f, 130.5f, 0.0f, 1000 / w, 40 / h, 998 / w, 38 / h}));
    EXPECT_EQ(vertex(1, 1), (std::vector<float>{2.25f, 130.5f, 0.0f, 1004 / w, 40 / h, 1002 / w, 38 / h}));
    EXPECT_EQ(vertex(1, 2), (std::vector<float>{2.25f, 128.5f, 0.0f, 1004 / w, 48 / h, 1002 / w, 46 / h}));
    EXPECT_EQ(vertex(1, 3), vertex(1, 2));
    EXPECT_EQ(vertex(1, 4), (std::vector<float>{1.25f, 128.5f, 0.0f, 1000 / w, 48 / h, 998 / w, 46 / h}));
    EXPECT_EQ(vertex(1, 5), vertex(1, 0));

    // A layer's cleared rectangle: scene pixel edges in clip space, y turned
    // over for the vertex program; corners in the same order.
    std::vector<float> rect;
    AppendSceneRect({0, 70, 249, 140}, rect);
    ASSERT_EQ(rect.size(), size_t(kComposedRectFloats));
    auto corner = [&](int i) {
        return std::vector<float>(rect.begin() + kRectVertexFloats * i, rect.begin() + kRectVertexFloats * i + 3);
    };
    EXPECT_EQ(corner(0), (std::vector<float>{-1.0f, 0.5f, 0.0f}));
    EXPECT_EQ(corner(2), (std::vector<float>{0.0f, -0.5f, 0.0f}));
}

TEST(FreeSpriteRect, ComposeDrawsTakeALayerEachAndNeverPassASpriteAheadThatTheyMeet) {
    // 1 meets 0; 2 meets nothing; 3 meets 2; 4 meets 0 and 1; 5 meets nothing;
    // 6 meets 0, 1 and 4, and shares 0's layer.
    const std::vector<PixelRect> targets = {{0, 0, 10, 10}, {5, 5, 10, 10}, {40, 0, 10, 10}, {45, 5, 10, 10},
                                            {8, 8, 4, 4},   {100, 0, 5, 5}, {9, 9, 2, 2}};
    const std::vector<int> layers = {0, 1, 0, 1, 2, 1, 0};
    std::vector<std::pair<int, std::vector<size_t>>> got;
    for (const ComposeDraw& d : PlanComposeDraws(targets, layers)) got.push_back({d.layer, d.sprites});
    const std::vector<std::pair<int, std::vector<size_t>>> expected = {
        {0, {0, 2}}, {1, {1, 3, 5}}, {2, {4}}, {0, {6}}};
    EXPECT_EQ(got, expected);
}
