#include <json/reader.h>

#include "core/debug_exception.h"
#include "graphics/moon_light.h"
#include "graphics/point_light.h"
#include "graphics/shadow_caster.h"
#include "lit_fixture.h"

namespace {

Json::Value Parse(const char* text) {
    Json::Value v;
    std::string errors;
    Json::CharReaderBuilder builder;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    EXPECT_TRUE(reader->parse(text, text + strlen(text), &v, &errors)) << errors;
    return v;
}

bool Listens(const std::string& event, const std::string& name) {
    // Disconnect reports whether the listener was connected; each test asks
    // about a name once, after which it is gone.
    return events::Disconnect(event, name);
}

}  // namespace

using LightComponentsTest = LitSceneTest;

TEST_F(LightComponentsTest, FreshComponentsHoldTheirDefaults) {
    PointLight p;
    EXPECT_EQ(p.offset, glm::vec2(0, 0));
    EXPECT_EQ(p.color, glm::vec3(1, 1, 1));
    EXPECT_FLOAT_EQ(p.ambientIntensity, 0.1f);
    EXPECT_FLOAT_EQ(p.diffuseIntensity, 1.0f);
    EXPECT_FLOAT_EQ(p.radius, 0.0f);
    EXPECT_EQ(p.attenuation, glm::vec3(0.2f, 0.0f, 1.0f));
    EXPECT_FALSE(p.outline.shown);

    MoonLight m;
    EXPECT_EQ(m.offset, glm::vec2(0, 0));
    EXPECT_FLOAT_EQ(m.intensity, 1.0f);
    EXPECT_FLOAT_EQ(m.innerRadius, 1.0f);

    ShadowCaster s;
    EXPECT_EQ(s.offset, glm::vec2(0, 0));
    EXPECT_FLOAT_EQ(s.width, 1.0f);
    EXPECT_FLOAT_EQ(s.height, 1.0f);
}

TEST_F(LightComponentsTest, PointLightWritesEveryKeyAndReadsItBack) {
    PointLight p;
    p.offset = {3, -4};
    p.color = {0.5f, 0.25f, 1};
    p.ambientIntensity = 0.3f;
    p.diffuseIntensity = 2;
    p.radius = 120;
    p.attenuation = {1, 0.5f, 0.125f};
    Json::Value json = p.Serialize();
    EXPECT_EQ(json.getMemberNames(), (std::vector<std::string>{"ambient_intensity", "attenuation", "color",
                                                               "diffuse_intensity", "max_radius", "offset"}));
    EXPECT_DOUBLE_EQ(json["max_radius"].asDouble(), 120.0);
    EXPECT_DOUBLE_EQ(json["color"]["y"].asDouble(), 0.25);
    EXPECT_DOUBLE_EQ(json["offset"]["y"].asDouble(), -4.0);

    PointLight q;
    q.Deserialize(json);
    EXPECT_EQ(q.offset, p.offset);
    EXPECT_EQ(q.color, p.color);
    EXPECT_FLOAT_EQ(q.ambientIntensity, 0.3f);
    EXPECT_FLOAT_EQ(q.diffuseIntensity, 2.0f);
    EXPECT_FLOAT_EQ(q.radius, 120.0f);
    EXPECT_EQ(q.attenuation, p.attenuation);
}

TEST_F(LightComponentsTest, MissingKeysReadAsZero) {
    PointLight p;
    p.Deserialize(Parse(R"({"max_radius": 7})"));
    EXPECT_FLOAT_EQ(p.radius, 7.0f);
    EXPECT_EQ(p.color, glm::vec3(0, 0, 0));
    EXPECT_FLOAT_EQ(p.ambientIntensity, 0.0f);
    EXPECT_EQ(p.attenuation, glm::vec3(0, 0, 0));

    MoonLight m;
    m.Deserialize(Parse(R"({"offset": {"x": 2}})"));
    EXPECT_EQ(m.offset, glm::vec2(2, 0));
    EXPECT_FLOAT_EQ(m.intensity, 0.0f);
    EXPECT_FLOAT_EQ(m.innerRadius, 0.0f);

    ShadowCaster s;
    s.Deserialize(Json::Value());
    EXPECT_FLOAT_EQ(s.width, 0.0f);
    EXPECT_FLOAT_EQ(s.height, 0.0f);
}

TEST_F(LightComponentsTest, MoonLightAndCasterRoundTripTheirKeys) {
    MoonLight m;
    m.Deserialize(Parse(R"({"offset": {"x": 1, "y": 2}, "intensity": 0.5, "inner_radius": 30})"));
    Json::Value mj = m.Serialize();
    EXPECT_EQ(mj.getMemberNames(), (std::vector<std::string>{"inner_radius", "intensity", "offset"}));
    EXPECT_DOUBLE_EQ(mj["inner_radius"].asDouble(), 30.0);
    EXPECT_DOUBLE_EQ(mj["intensity"].asDouble(), 0.5);
    EXPECT_DOUBLE_EQ(mj["offset"]["y"].asDouble(), 2.0);

    ShadowCaster s;
    s.Deserialize(Parse(R"({"offset": {"x": -1, "y": 6}, "width": 12, "height": 4})"));
    Json::Value sj = s.Serialize();
    EXPECT_EQ(sj.getMemberNames(), (std::vector<std::string>{"height", "offset", "width"}));
    EXPECT_DOUBLE_EQ(sj["width"].asDouble(), 12.0);
    EXPECT_DOUBLE_EQ(sj["height"].asDouble(), 4.0);
    EXPECT_DOUBLE_EQ(sj["offset"]["x"].asDouble(), -1.0);
}

TEST_F(LightComponentsTest, DataThatIsNotAnObjectIsReportedByType) {
    PointLight p;
    try {
        p.Deserialize(Json::Value(5));
        FAIL() << "expected an exception";
    } catch (const debug::exception& e) {
        EXPECT_STREQ(e.what(), "PointLight: component data is not a JSON object");
    }
    MoonLight m;
    EXPECT_THROW(m.Deserialize(Json::Value("text")), debug::exception);
    ShadowCaster s;
    EXPECT_THROW(s.Deserialize(Json::Value(Json::arrayValue)), debug::exception);
}

TEST_F(LightComponentsTest, CopyTakesOverEveryDataField) {
    PointLight a, b;
    b.offset = {1, 2};
    b.color = {0.1f, 0.2f, 0.3f};
    b.ambientIntensity = 0.7f;
    b.diffuseIntensity = 0.8f;
    b.radius = 9;
    b.attenuation = {4, 5, 6};
    a.Copy(&b);
    EXPECT_EQ(a.Serialize(), b.Serialize());

    MoonLight c, d;
    d.offset = {3, 3};
    d.intensity = 0.25f;
    d.innerRadius = 50;
    c.Copy(&d);
    EXPECT_EQ(c.Serialize(), d.Serialize());

    ShadowCaster e, f;
    f.offset = {-2, 8};
    f.width = 20;
    f.height = 3;
    e.Copy(&f);
    EXPECT_EQ(e.Serialize(), f.Serialize());
}

TEST_F(LightComponentsTest, WorldPositionFollowsEntityAndOffset) {
    engine::entity_handle e = Spawn(10, 20);
    e.AddComponent("PointLight", Json::Value());
    e.AddComponent("MoonLight", Json::Value());
    e.AddComponent("ShadowCaster", Json::Value());
    e.Get<PointLight>()->SetOffset(1, -2);
    e.Get<MoonLight>()->SetOffset(-5, 5);
    e.Get<ShadowCaster>()->SetOffset(0.5f, 0.5f);
    EXPECT_EQ(e.Get<PointLight>()->GetWorldPosition(), glm::vec2(11, 18));
    EXPECT_EQ(e.Get<MoonLight>()->GetWorldPosition(), glm::vec2(5, 25));
    EXPECT_EQ(e.Get<ShadowCaster>()->GetWorldPosition(), glm::vec2(10.5f, 20.5f));
    e.SetPosition(-10, 0, 0);
    EXPECT_EQ(e.Get<PointLight>()->GetWorldPosition(), glm::vec2(-9, -2));
}

TEST_F(LightComponentsTest, OutlineFollowsTheEditorSelection) {
    engine::entity_handle light = Spawn(0, 0);
    engine::entity_handle other = Spawn(5, 5);
    light.AddComponent("PointLight", Json::Value());
    light.AddComponent("ShadowCaster", Json::Value());
    const std::string id = std::to_string(light.GetEntityID());
    PointLight* p = light.Get<PointLight>();
    ShadowCaster* s = light.Get<ShadowCaster>();

    events::Call("EditorSelectedEntity", other);
    EXPECT_FALSE(p->outline.shown);
    EXPECT_FALSE(s->outline.shown);

    events::Call("EditorSelectedEntity", light);
    EXPECT_TRUE(p->outline.shown);
    EXPECT_TRUE(s->outline.shown);
    events::Call("EditorSelectedEntity", light);  // selecting again connects nothing twice
    events::Call("DebugDraw");                    // outside a debug-draw frame: draws nothing, no error

    events::Call("EditorSelectedEntity", other);
    EXPECT_FALSE(p->outline.shown);
    EXPECT_FALSE(Listens("DebugDraw", "PointLightDrawOultine" + id));
    EXPECT_FALSE(Listens("DebugDraw", "ShadowCasterDrawCaster" + id));

    events::Call("EditorSelectedEntity", light);
    light.RemoveComponent("PointLight");
    light.RemoveComponent("ShadowCaster");
    EXPECT_FALSE(Listens("DebugDraw", "PointLightDrawOultine" + id));
    EXPECT_FALSE(Listens("DebugDraw", "ShadowCasterDrawCaster" + id));
    EXPECT_FALSE(Listens("EditorSelectedEntity", "PointLightDrawOultine" + id));
    EXPECT_FALSE(Listens("EditorSelectedEntity", "ShadowCasterDrawCaster" + id));
}

TEST_F(LightComponentsTest, OutlineListenersCarryTheEntityId) {
    engine::entity_handle e = Spawn(0, 0);
    e.AddComponent("PointLight", Json::Value());
    e.AddComponent("ShadowCaster", Json::Value());
    const std::string id = std::to_string(e.GetEntityID());
    EXPECT_TRUE(Listens("EditorSelectedEntity", "PointLightDrawOultine" + id));
    EXPECT_TRUE(Listens("EditorSelectedEntity", "ShadowCasterDrawCaster" + id));
}
