#include "graphics/culling.h"

#include "graphics/cull_sprites.h"
#include "graphics/moon_light.h"
#include "graphics/point_light.h"
#include "graphics/shadow_caster.h"
#include "graphics/sprite.h"
#include "scene_fixture.h"

class CullingTest : public SceneTest {
protected:
    int Cull() { return CullScene(CurrentCullView(), lists); }
    static PointLight* Light(glm::vec2 at, float radius) {
        PointLight* light = Spawn(at.x, at.y, "PointLight").Get<PointLight>();
        light->radius = radius;
        return light;
    }

    RenderLists lists;
};

TEST_F(CullingTest, SpritesAndPointLightsOnTheCircleAreDroppedLightsAboveTheViewReach700RowsFurther) {
    // A 16 x 16 sprite's box is 8 to either side and 16 below it; ax 180, ay 240 is exactly r = 300.
    for (glm::vec3 c : {glm::vec3(308, 0, 0), {307.9f, 0, 1}, {-308, 0, 0}, {0, -316, 0}, {0, -315, 1}, {188, 256, 0}})
        EXPECT_EQ(SpriteInsideCullCircle({c.x, c.y}, 16, 16, 300.0f * 300.0f), c.z == 1) << c.x << ", " << c.y;
    // The circle's radius is about 285.6; the view's top edge is at y = -140.
    const struct { const char* what; glm::vec2 at; float radius; glm::vec2 offset; bool kept; } lights[] = {
        {"reach brings it in", {300, 0}, 100, {0, 0}, true},
        {"exactly on the circle", {249, 140}, 0, {0, 0}, false},
        {"just inside", {249, 139.5f}, 0, {0, 0}, true},
        {"above the top edge: 850 - 700", {0, -900}, 50, {0, 0}, true},
        {"as far below", {0, 900}, 50, {0, 0}, false},
        {"above, but beside the view", {400, -900}, 50, {0, 0}, false},
        {"the entity decides the slack, not the offset light", {0, 0}, 10, {0, -700}, false},
    };
    for (const auto& c : lights) {
        engine::DestroyAllEntities();
        Light(c.at, c.radius)->offset = c.offset;
        Cull();
        EXPECT_EQ(lists.pointLights.size(), c.kept ? 1u : 0u) << c.what;
    }
}

TEST_F(CullingTest, MoonLightReachIncludesTheFadeDistanceFromTheCameraOfTheMoment) {
    GetCamera().SetPosition(100, 0, 0);
    Spawn(700, 0, "MoonLight").Get<MoonLight>()->innerRadius = 20;
    GetLightingSettings().moonlightFadeDist = 100;  // ax = 600 - 120 = 480 > r
    Cull();
    EXPECT_TRUE(lists.moonLights.empty());
    GetLightingSettings().moonlightFadeDist = 400;  // ax = 180 < r
    Cull();
    EXPECT_EQ(lists.moonLights.size(), 1u);
}

TEST_F(CullingTest, CastersAreKeptOnlyWhereAVisibleLightThrowsTheirShadowIntoView) {
    // At -50 the light throws the shadow towards the camera, at -150 away from it;
    // 500 is outside the circle but within the largest reach; 700 beyond both.
    std::vector<ShadowCaster*> casters;
    for (float x : {-50, -150, 500, 700}) casters.push_back(Spawn(x, 0, "ShadowCaster").Get<ShadowCaster>());
    EXPECT_EQ(Cull(), 0);   // no point light, no caster
    Light({-100, 0}, 250);  // 2 reach^2 = 125000: sqrt ~ 353.6
    Light({2000, 0}, 400);  // culled, but widens it to 320000 (~565.7)
    EXPECT_EQ(Cull(), 2);
    EXPECT_EQ(lists.shadowCasters, (std::vector<ShadowCaster*>{casters[0], casters[2]}));
}

TEST_F(CullingTest, SpritesGoToTheListOfTheirPass) {
    Sprite* unlit = Spawn(0, 0, "Sprite").Get<Sprite>();
    Sprite* clamped = Spawn(0, 0, "Sprite").Get<Sprite>();
    Sprite* free = Spawn(0, 0, "Sprite").Get<Sprite>();
    unlit->SetEnvironmental(false);
    free->SetClamped(false);
    free->SetYOffset(3);
    Spawn(5000, 0, "Sprite");
    Cull();
    ASSERT_EQ(glm::uvec3(lists.unlitSprites.size(), lists.litClampedSprites.size(), lists.litFreeSprites.size()),
              glm::uvec3(1, 1, 1));
    EXPECT_EQ(std::vector<Sprite*>({lists.unlitSprites[0].sprite, lists.litClampedSprites[0].sprite,
                                    lists.litFreeSprites[0].sprite}),
              (std::vector<Sprite*>{unlit, clamped, free}));
    EXPECT_EQ(lists.litFreeSprites[0].yOffset, 3.0f);
}
