#include "graphics/light_upload.h"

#include <map>
#include <variant>

#include <glm/gtc/matrix_transform.hpp>

#include "graphics/moon_light.h"
#include "graphics/point_light.h"
#include "graphics/render_limits.h"
#include "lit_fixture.h"

namespace {

// Records the last value set under every name.
class RecordingSink : public UniformSink {
public:
    using Value = std::variant<int, unsigned, float, glm::vec2, glm::vec3, glm::mat4>;
    std::map<std::string, Value> values;
    int calls = 0;

    void SetInt(const std::string& n, int v) override { Put(n, v); }
    void SetUInt(const std::string& n, unsigned v) override { Put(n, v); }
    void SetFloat(const std::string& n, float v) override { Put(n, v); }
    void SetVec2(const std::string& n, glm::vec2 v) override { Put(n, v); }
    void SetVec3(const std::string& n, glm::vec3 v) override { Put(n, v); }
    void SetMat4(const std::string& n, const glm::mat4& v) override { Put(n, v); }

    template <class T>
    T Get(const std::string& n) const {
        auto it = values.find(n);
        if (it == values.end()) {
            ADD_FAILURE() << "uniform not set: " << n;
            return T();
        }
        return std::get<T>(it->second);
    }
    bool Has(const std::string& n) const { return values.count(n) != 0; }

private:
    void Put(const std::string& n, Value v) {
        values[n] = v;
        ++calls;
    }
};

}  // namespace

class LightUploadTest : public LitSceneTest {
protected:
    RecordingSink sink;
    RenderCounters counters;
    std::vector<PointLight*> points;
    std::vector<MoonLight*> moons;

    void AddPoints(int n) {
        for (int i = 0; i < n; ++i) {
            engine::entity_handle e = Spawn(float(i), float(2 * i));
            e.AddComponent("PointLight", Json::Value());
            points.push_back(e.Get<PointLight>());
        }
    }
    void AddMoons(int n) {
        for (int i = 0; i < n; ++i) {
            engine::entity_handle e = Spawn(float(-i), 0);
            e.AddComponent("MoonLight", Json::Value());
            moons.push_back(e.Get<MoonLight>());
        }
    }
};

TEST_F(LightUploadTest, FiftyPointLightsUploadFortyFive) {
    AddPoints(50);
    AddMoons(50);
    UploadLights(sink, points, moons, GetLightingSettings(), counters);
    EXPECT_EQ(sink.Get<int>("num_pointlights"), 45);
    EXPECT_EQ(sink.Get<int>("num_moonlights"), 45);
    EXPECT_TRUE(sink.Has("point_lights[44].pos"));
    EXPECT_TRUE(sink.Has("moon_lights[44].inner_radius"));
    for (const auto& [name, value] : sink.values) {
        EXPECT_EQ(name.find("lights[45]"), std::string::npos) << name;
        EXPECT_EQ(name.find("lights[46]"), std::string::npos) << name;
        EXPECT_EQ(name.find("lights[49]"), std::string::npos) << name;
    }
    // 5 scalars + 45 x 5 point fields + 45 x 3 moon fields, each set once.
    EXPECT_EQ(sink.calls, 5 + 45 * 5 + 45 * 3);
    EXPECT_EQ(counters.pointLightsVisible, 50);
    EXPECT_EQ(counters.pointLightsUploaded, 45);
    EXPECT_EQ(counters.moonLightsVisible, 50);
    EXPECT_EQ(counters.moonLightsUploaded, 45);
}

TEST_F(LightUploadTest, EveryFieldOfEachLightInListOrder) {
    AddPoints(2);
    AddMoons(1);
    points[1]->color = {0.5f, 0.25f, 0.125f};
    points[1]->ambientIntensity = 0.3f;
    points[1]->diffuseIntensity = 1.5f;
    points[1]->attenuation = {1, 2, 3};
    points[1]->offset = {10, -10};
    moons[0]->intensity = 0.75f;
    moons[0]->innerRadius = 42;
    GetLightingSettings().moonlightFadeDist = 80;
    GetLightingSettings().moonlightFadeExponent = 3;
    UploadLights(sink, points, moons, GetLightingSettings(), counters);

    EXPECT_EQ(sink.Get<int>("num_pointlights"), 2);
    EXPECT_EQ(sink.Get<int>("num_moonlights"), 1);
    EXPECT_FLOAT_EQ(sink.Get<float>("moonlight_fade_dist"), 80.0f);
    EXPECT_FLOAT_EQ(sink.Get<float>("moonlight_fade_exponent"), 3.0f);
    EXPECT_FLOAT_EQ(sink.Get<float>("attenuation_zero"), 0.001f);
    EXPECT_EQ(sink.Get<glm::vec2>("point_lights[0].pos"), glm::vec2(0, 0));
    EXPECT_EQ(sink.Get<glm::vec2>("point_lights[1].pos"), glm::vec2(11, -8));  // entity (1, 2) + offset
    EXPECT_EQ(sink.Get<glm::vec3>("point_lights[1].color"), glm::vec3(0.5f, 0.25f, 0.125f));
    EXPECT_FLOAT_EQ(sink.Get<float>("point_lights[1].ambient_intensity"), 0.3f);
    EXPECT_FLOAT_EQ(sink.Get<float>("point_lights[1].diffuse_intensity"), 1.5f);
    EXPECT_EQ(sink.Get<glm::vec3>("point_lights[1].attenuation"), glm::vec3(1, 2, 3));
    EXPECT_EQ(sink.Get<glm::vec2>("moon_lights[0].pos"), glm::vec2(0, 0));
    EXPECT_FLOAT_EQ(sink.Get<float>("moon_lights[0].intensity"), 0.75f);
    EXPECT_FLOAT_EQ(sink.Get<float>("moon_lights[0].inner_radius"), 42.0f);
    EXPECT_FALSE(sink.Has("point_lights[1].radius"));
    EXPECT_FALSE(sink.Has("point_lights[2].pos"));
}

TEST_F(LightUploadTest, PositionFollowsTheEntityBetweenUploads) {
    AddPoints(1);
    UploadLights(sink, points, moons, GetLightingSettings(), counters);
    EXPECT_EQ(sink.Get<glm::vec2>("point_lights[0].pos"), glm::vec2(0, 0));
    points[0]->owner.SetPosition(7, 8, 0);
    points[0]->SetOffset(1, 1);
    UploadLights(sink, points, moons, GetLightingSettings(), counters);
    EXPECT_EQ(sink.Get<glm::vec2>("point_lights[0].pos"), glm::vec2(8, 9));
    EXPECT_EQ(counters.moonLightsUploaded, 0);
    EXPECT_EQ(sink.Get<int>("num_moonlights"), 0);
}

TEST_F(LightUploadTest, SceneUniformsPlaceTheShadowMaskAboveTheView) {
    GetCamera().SetPosition(100.7f, -20.2f, 0);
    GetLightingSettings().moonlightColor = {0.1f, 0.2f, 0.3f};
    GetLightingSettings().globalAmbientIntensity = 0.4f;
    SetSceneUniforms(sink, GetLightingSettings());
    EXPECT_EQ(sink.Get<glm::vec2>("bottom_left_shadow_pos"), glm::vec2(100 - 249, -21 - 140 - 700));
    EXPECT_EQ(sink.Get<glm::vec2>("shadow_uv_scale"), glm::vec2(1.0f / 498, 1.0f / 980));
    EXPECT_EQ(sink.Get<glm::vec3>("moonlight_color"), glm::vec3(0.1f, 0.2f, 0.3f));
    EXPECT_EQ(sink.Get<glm::vec3>("global_ambient"), glm::vec3(1, 1, 1));
    EXPECT_FLOAT_EQ(sink.Get<float>("global_ambient_intensity"), 0.4f);
    EXPECT_EQ(sink.Get<glm::mat4>("view"), GetCamera().ViewMatrix(false, 498, 280));
}
