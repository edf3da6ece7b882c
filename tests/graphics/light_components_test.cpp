#include <functional>
#include <memory>

#include "core/debug_exception.h"
#include "core/json_text.h"
#include "graphics/moon_light.h"
#include "graphics/point_light.h"
#include "graphics/shadow_caster.h"
#include "scene_fixture.h"

// The same document with every number 0: what a component reads from {}.
static Json::Value Zeroed(Json::Value v) {
    if (v.isNumeric()) return Json::Value(0.0);
    for (const std::string& key : v.getMemberNames()) v[key] = Zeroed(v[key]);
    return v;
}

using LightComponentsTest = SceneTest;

TEST_F(LightComponentsTest, EachReadsWritesAndCopiesItsKeys) {
    const struct { std::function<RootComponent*()> make; const char* json; } cases[] = {
        {[] { return new PointLight; },
         R"({"offset": {"x": 3.0, "y": -4.0}, "color": {"x": 0.5, "y": 0.25, "z": 1.0}, "ambient_intensity": 0.5,
             "diffuse_intensity": 2.0, "max_radius": 120.0, "attenuation": {"x": 1.0, "y": 0.5, "z": 0.125}})"},
        {[] { return new MoonLight; }, R"({"offset": {"x": 1.0, "y": 2.0}, "intensity": 0.5, "inner_radius": 30.0})"},
        {[] { return new ShadowCaster; }, R"({"offset": {"x": -1.0, "y": 6.0}, "width": 12.0, "height": 4.0})"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.json);
        const Json::Value json = ParseJsonTextOrThrow(c.json);
        std::unique_ptr<RootComponent> a(c.make()), b(c.make());
        a->Deserialize(json);
        EXPECT_EQ(a->Serialize(), json);
        b->Copy(a.get());
        EXPECT_EQ(b->Serialize(), json);
        b->Deserialize(Json::Value(Json::objectValue));  // missing keys read as zero
        EXPECT_EQ(b->Serialize(), Zeroed(json));
        EXPECT_THROW(b->Deserialize(Json::Value(5)), debug::exception);
        EXPECT_THROW(b->Deserialize(Json::Value(Json::arrayValue)), debug::exception);
    }
}

TEST_F(LightComponentsTest, OutlinesFollowTheEditorSelectionAndLeaveWithTheirComponent) {
    engine::entity_handle light = Spawn(0, 0, "PointLight"), other = Spawn(5, 5);
    light.AddComponent("ShadowCaster", Json::Value());
    const std::pair<engine::entity_handle, bool> steps[] = {{other, 0}, {light, 1}, {light, 1}, {other, 0}};
    for (auto [selected, shown] : steps) {
        events::Call("EditorSelectedEntity", selected);
        EXPECT_EQ(glm::bvec2(light.Get<PointLight>()->outline.shown, light.Get<ShadowCaster>()->outline.shown),
                  glm::bvec2(shown));
    }
    events::Call("EditorSelectedEntity", light);
    events::Call("DebugDraw");  // outside a debug-draw frame: draws nothing, no error
    light.RemoveComponent("PointLight");
    light.RemoveComponent("ShadowCaster");
    // Each listener carries the entity's id; none is left to disconnect.
    for (const char* event : {"DebugDraw", "EditorSelectedEntity"})
        for (std::string listener : {"PointLightDrawOultine", "ShadowCasterDrawCaster"})
            EXPECT_FALSE(events::Disconnect(event, listener + std::to_string(light.GetEntityID()))) << listener;
}
