#include <cmath>

#include "graphics/cull_sprites.h"
#include "graphics/culling.h"
#include "graphics/moon_light.h"
#include "graphics/point_light.h"
#include "graphics/shadow_caster.h"
#include "graphics/sprite.h"
#include "lit_fixture.h"

namespace {

// Camera at the origin, 498 x 280: corner (-249, -140).
constexpr float kR2 = 249.0f * 249.0f + 140.0f * 140.0f;

PointLight* AddPointLight(engine::entity_handle e, float radius) {
    e.AddComponent("PointLight", Json::Value());
    PointLight* light = e.Get<PointLight>();
    light->radius = radius;
    return light;
}

ShadowCaster* AddCaster(engine::entity_handle e, float w, float h) {
    e.AddComponent("ShadowCaster", Json::Value());
    ShadowCaster* caster = e.Get<ShadowCaster>();
    caster->width = w;
    caster->height = h;
    return caster;
}

}  // namespace

class CullingTest : public LitSceneTest {
protected:
    RenderLists lists;
    int Cull() { return CullScene(CurrentCullView(), lists); }
};

TEST_F(CullingTest, ViewComesFromTheCameraAndSettings) {
    GetLightingSettings().moonlightFadeDist = 40;
    GetCamera().SetPosition(100, 50, 0);
    CullView view = CurrentCullView();
    EXPECT_EQ(view.topLeft, glm::vec2(100 - 249, 50 - 140));
    EXPECT_FLOAT_EQ(view.HalfWidth(), 249.0f);
    EXPECT_FLOAT_EQ(view.Top(), -140.0f);
    EXPECT_FLOAT_EQ(view.Radius2(), kR2);
    EXPECT_FLOAT_EQ(view.moonFadeDistance, 40.0f);
}

TEST_F(CullingTest, SpriteOnTheCircleIsDroppedJustInsideIsKept) {
    // The box is width / 2 to either side and `height` below the entity.
    EXPECT_FALSE(SpriteInsideCullCircle({308.0f, 0.0f}, 16, 16, 300.0f * 300.0f));
    EXPECT_TRUE(SpriteInsideCullCircle({307.9f, 0.0f}, 16, 16, 300.0f * 300.0f));
    EXPECT_FALSE(SpriteInsideCullCircle({-308.0f, 0.0f}, 16, 16, 300.0f * 300.0f));
    EXPECT_FALSE(SpriteInsideCullCircle({0.0f, -(300.0f + 16.0f)}, 16, 16, 300.0f * 300.0f));
    EXPECT_TRUE(SpriteInsideCullCircle({0.0f, -(299.0f + 16.0f)}, 16, 16, 300.0f * 300.0f));
    EXPECT_FALSE(SpriteInsideCullCircle({3.0f + 1.0f, 4.0f + 2.0f}, 2, 2, 25.0f));  // ax 3, ay 4: exactly r
}

TEST_F(CullingTest, PointLightReachAndStrictEdge) {
    // r is about 285.6.
    AddPointLight(Spawn(300, 0), 100);    // ax = 200: inside
    AddPointLight(Spawn(0, 290), 0);      // ay = 290: outside (no slack below the view)
    AddPointLight(Spawn(1000, 0), 10);    // ax = 990: outside
    Cull();
    ASSERT_EQ(lists.pointLights.size(), 1u);
    EXPECT_FLOAT_EQ(lists.pointLights[0]->radius, 100.0f);

    // Exactly on the circle (ax = 249, ay = 140): dropped.
    engine::DestroyAllEntities();
    AddPointLight(Spawn(249, 140), 0);
    Cull();
    EXPECT_TRUE(lists.pointLights.empty());
    engine::DestroyAllEntities();
    AddPointLight(Spawn(249, 139.5f), 0);
    Cull();
    EXPECT_EQ(lists.pointLights.size(), 1u);
}

TEST_F(CullingTest, LightsAboveTheViewGetSevenHundredRowsOfSlack) {
    // Above the top edge (d.y < -140) and within the view's width: ay shrinks by 700.
    AddPointLight(Spawn(0, -900), 50);   // ay = 850 - 700 = 150 < r
    AddPointLight(Spawn(0, 900), 50);    // below: no slack, ay = 850
    AddPointLight(Spawn(400, -900), 50); // ax = 350 >= hx: no slack
    Cull();
    ASSERT_EQ(lists.pointLights.size(), 1u);
    EXPECT_EQ(lists.pointLights[0]->GetWorldPosition(), glm::vec2(0, -900));
}

TEST_F(CullingTest, SlackUsesTheEntityNotTheOffsetLight) {
    // The entity is below the top edge, the offset lifts the light far above:
    // no slack applies, so it is culled.
    PointLight* p = AddPointLight(Spawn(0, 0), 10);
    p->offset = {0, -700};
    Cull();
    EXPECT_TRUE(lists.pointLights.empty());
}

TEST_F(CullingTest, MoonLightReachIncludesTheFadeDistance) {
    GetLightingSettings().moonlightFadeDist = 100;
    engine::entity_handle e = Spawn(600, 0);
    e.AddComponent("MoonLight", Json::Value());
    e.Get<MoonLight>()->innerRadius = 20;  // ax = 600 - 120 = 480 > r
    Cull();
    EXPECT_TRUE(lists.moonLights.empty());
    GetLightingSettings().moonlightFadeDist = 400;  // ax = 180 < r
    Cull();
    EXPECT_EQ(lists.moonLights.size(), 1u);
}

TEST_F(CullingTest, NoPointLightsKeepsNoCasters) {
    AddCaster(Spawn(0, 0), 10, 10);
    engine::entity_handle m = Spawn(0, 0);
    m.AddComponent("MoonLight", Json::Value());
    EXPECT_EQ(Cull(), 0);
    EXPECT_TRUE(lists.shadowCasters.empty());
}

TEST_F(CullingTest, CasterIsKeptOnlyWhenAVisibleLightLiesBehindIt) {
    AddPointLight(Spawn(-100, 0), 200);
    ShadowCaster* between = AddCaster(Spawn(-50, 0), 10, 10);  // light -> caster -> camera
    AddCaster(Spawn(-150, 0), 10, 10);                         // behind the light: shadow points away
    EXPECT_EQ(Cull(), 1);
    ASSERT_EQ(lists.shadowCasters.size(), 1u);
    EXPECT_EQ(lists.shadowCasters[0], between);
}

TEST_F(CullingTest, FarCastersAreCandidatesWithinTheLargestReach) {
    // A caster outside the view circle still matters when a long light could
    // stretch its shadow into view: candidates within m = 2 R^2 of the camera.
    AddPointLight(Spawn(-10, 0), 250);                // m = 125000, sqrt ~ 353.6
    AddPointLight(Spawn(2000, 0), 400);               // culled, but still widens m to 320000 (~565.7)
    ShadowCaster* near = AddCaster(Spawn(500, 0), 10, 10);   // ax 490: > r, < sqrt(m)
    AddCaster(Spawn(700, 0), 10, 10);                        // ax 690: beyond both
    EXPECT_EQ(Cull(), 1);
    EXPECT_EQ(lists.shadowCasters[0], near);
    EXPECT_EQ(lists.pointLights.size(), 1u);
}

TEST_F(CullingTest, SpritesGoToTheListOfTheirPass) {
    // The debug sheet's size decides the box; put every sprite at the centre.
    const char* kinds[3][2] = {{"false", "true"}, {"true", "true"}, {"true", "false"}};
    for (auto& kind : kinds) {
        engine::entity_handle e = Spawn(0, 0);
        e.AddComponent("Sprite", Json::Value());
        Sprite* s = e.Get<Sprite>();
        s->SetEnvironmental(std::string(kind[0]) == "true");
        s->SetClamped(std::string(kind[1]) == "true");
        s->SetYOffset(3);
    }
    engine::entity_handle far = Spawn(5000, 0);
    far.AddComponent("Sprite", Json::Value());
    Cull();
    ASSERT_EQ(lists.unlitSprites.size(), 1u);
    ASSERT_EQ(lists.litClampedSprites.size(), 1u);
    ASSERT_EQ(lists.litFreeSprites.size(), 1u);
    EXPECT_FALSE(lists.unlitSprites[0].sprite->GetEnvironmental());
    EXPECT_TRUE(lists.litClampedSprites[0].sprite->GetClamped());
    EXPECT_FALSE(lists.litFreeSprites[0].sprite->GetClamped());
    EXPECT_FLOAT_EQ(lists.litFreeSprites[0].yOffset, 3.0f);
}
