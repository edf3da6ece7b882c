#include "graphics/light_upload.h"

#include <map>

#include "core/json_text.h"
#include "graphics/moon_light.h"
#include "graphics/point_light.h"
#include "scene_fixture.h"

// Keeps the last value set under every name, numbers and vectors as (x, y, z, 0).
struct RecordingSink : UniformSink {
    std::map<std::string, glm::vec4> values;
    glm::mat4 view{0.0f};
    void SetInt(const std::string& n, int v) override { values[n] = glm::vec4(float(v), 0, 0, 0); }
    void SetUInt(const std::string& n, unsigned v) override { values[n] = glm::vec4(float(v), 0, 0, 0); }
    void SetFloat(const std::string& n, float v) override { values[n] = glm::vec4(v, 0, 0, 0); }
    void SetVec2(const std::string& n, glm::vec2 v) override { values[n] = glm::vec4(v, 0, 0); }
    void SetVec3(const std::string& n, glm::vec3 v) override { values[n] = glm::vec4(v, 0); }
    void SetMat4(const std::string& n, const glm::mat4& v) override { view = n == "view" ? v : glm::mat4(-1.0f); }
    float operator()(const std::string& n) const { return values.at(n).x; }
};

class LightUploadTest : public SceneTest {
protected:
    void Add(int points, int moons) {
        for (int i = 0; i < points; ++i) point.push_back(Spawn(i, 2.0f * i, "PointLight").Get<PointLight>());
        for (int i = 0; i < moons; ++i) moon.push_back(Spawn(-i, 0, "MoonLight").Get<MoonLight>());
    }
    void Upload() { UploadLights(sink, point, moon, GetLightingSettings(), counters); }

    RecordingSink sink;
    RenderCounters counters;
    std::vector<PointLight*> point;
    std::vector<MoonLight*> moon;
};

TEST_F(LightUploadTest, FiftyLightsOfEachKindUploadFortyFive) {
    Add(50, 50);
    Upload();
    EXPECT_EQ(glm::vec2(sink("num_pointlights"), sink("num_moonlights")), glm::vec2(45, 45));
    // 5 scalars, 5 fields of each point light and 3 of each moon light, none beyond index 44.
    EXPECT_EQ(sink.values.size(), 5u + 45 * 5 + 45 * 3);
    EXPECT_EQ(sink.values.count("point_lights[44].attenuation") + sink.values.count("moon_lights[44].pos"), 2u);
}

TEST_F(LightUploadTest, EveryFieldOfEachLightInListOrderWhereItStandsNow) {
    Add(2, 1);
    point[1]->Deserialize(ParseJsonTextOrThrow(R"({"offset": {"x": 10, "y": -10}, "ambient_intensity": 0.25,
        "color": {"x": 0.5, "y": 0.25, "z": 0.125}, "diffuse_intensity": 1.5,
        "attenuation": {"x": 1, "y": 2, "z": 3}})"));
    moon[0]->Deserialize(ParseJsonTextOrThrow(R"({"offset": {"x": -5, "y": 5}, "intensity": 0.75,
        "inner_radius": 42})"));
    GetLightingSettings() = {.moonlightFadeDist = 80, .moonlightFadeExponent = 3, .attenuationZero = 0.25f};
    Upload();
    const std::map<std::string, glm::vec4> expected = {
        {"num_pointlights", {2, 0, 0, 0}}, {"num_moonlights", {1, 0, 0, 0}}, {"moonlight_fade_dist", {80, 0, 0, 0}},
        {"moonlight_fade_exponent", {3, 0, 0, 0}}, {"attenuation_zero", {0.25f, 0, 0, 0}},
        {"point_lights[0].pos", {0, 0, 0, 0}}, {"point_lights[1].pos", {11, -8, 0, 0}},  // entity (1, 2) + offset
        {"point_lights[1].color", {0.5f, 0.25f, 0.125f, 0}}, {"point_lights[1].attenuation", {1, 2, 3, 0}},
        {"point_lights[1].ambient_intensity", {0.25f, 0, 0, 0}}, {"point_lights[1].diffuse_intensity", {1.5f, 0, 0, 0}},
        {"moon_lights[0].pos", {-5, 5, 0, 0}}, {"moon_lights[0].intensity", {0.75f, 0, 0, 0}},
        {"moon_lights[0].inner_radius", {42, 0, 0, 0}}};
    for (const auto& [name, value] : expected) EXPECT_EQ(sink.values.at(name), value) << name;
    // Moved between frames: the next upload has it where it is.
    point[0]->owner.SetPosition(7, 8, 0);
    point[0]->SetOffset(1, 1);
    Upload();
    EXPECT_EQ(sink.values.at("point_lights[0].pos"), glm::vec4(8, 9, 0, 0));
}

TEST_F(LightUploadTest, SceneUniformsPlaceTheShadowMaskAboveTheView) {
    GetCamera().SetPosition(100.7f, -20.2f, 0);
    GetLightingSettings() = {.moonlightColor = {0.1f, 0.2f, 0.3f}, .globalAmbient = {0.4f, 0.5f, 0.6f},
                             .globalAmbientIntensity = 0.7f};
    SetSceneUniforms(sink, GetLightingSettings());
    EXPECT_EQ(sink.values.at("bottom_left_shadow_pos"), glm::vec4(100 - 249, -21 - 140 - 700, 0, 0));
    EXPECT_EQ(sink.values.at("shadow_uv_scale"), glm::vec4(1.0f / 498, 1.0f / 980, 0, 0));
    EXPECT_EQ(sink.values.at("moonlight_color"), glm::vec4(0.1f, 0.2f, 0.3f, 0));
    EXPECT_EQ(sink.values.at("global_ambient"), glm::vec4(0.4f, 0.5f, 0.6f, 0));
    EXPECT_EQ(sink("global_ambient_intensity"), 0.7f);
    EXPECT_EQ(sink.view, GetCamera().ViewMatrix(false, 498, 280));
}
