#include "graphics/light_upload.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/camera.h"
#include "graphics/lighting_settings.h"
#include "graphics/moon_light.h"
#include "graphics/point_light.h"
#include "graphics/render_limits.h"
#include "graphics/shadow_geometry.h"

namespace {

// Uniform names built once: the upload runs twice a frame for up to 90 lights.
struct LightUniformNames {
    struct Point {
        std::string pos, color, ambient, diffuse, attenuation;
    };
    struct Moon {
        std::string pos, intensity, innerRadius;
    };
    std::array<Point, kMaxUploadedLights> point;
    std::array<Moon, kMaxUploadedLights> moon;

    LightUniformNames() {
        for (int i = 0; i < kMaxUploadedLights; ++i) {
            const std::string p = "point_lights[" + std::to_string(i) + "]";
            point[i] = {p + ".pos", p + ".color", p + ".ambient_intensity", p + ".diffuse_intensity",
                        p + ".attenuation"};
            const std::string m = "moon_lights[" + std::to_string(i) + "]";
            moon[i] = {m + ".pos", m + ".intensity", m + ".inner_radius"};
        }
    }
};

const LightUniformNames& Names() {
    static const LightUniformNames names;
    return names;
}

}  // namespace

void UploadLights(UniformSink& program, const std::vector<PointLight*>& pointLights,
                  const std::vector<MoonLight*>& moonLights, const LightingSettings& settings,
                  RenderCounters& counters) {
    const int np = std::min(int(pointLights.size()), kMaxUploadedLights);
    const int nm = std::min(int(moonLights.size()), kMaxUploadedLights);
    counters.pointLightsVisible = int(pointLights.size());
    counters.moonLightsVisible = int(moonLights.size());
    counters.pointLightsUploaded = np;
    counters.moonLightsUploaded = nm;

    program.SetInt("num_pointlights", np);
    program.SetInt("num_moonlights", nm);
    program.SetFloat("moonlight_fade_dist", settings.moonlightFadeDist);
    program.SetFloat("moonlight_fade_exponent", settings.moonlightFadeExponent);
    program.SetFloat("attenuation_zero", settings.attenuationZero);

    const LightUniformNames& names = Names();
    for (int i = 0; i < np; ++i) {
        const PointLight& light = *pointLights[i];
        program.SetVec2(names.point[i].pos, light.GetWorldPosition());
        program.SetVec3(names.point[i].color, light.color);
        program.SetFloat(names.point[i].ambient, light.ambientIntensity);
        program.SetFloat(names.point[i].diffuse, light.diffuseIntensity);
        program.SetVec3(names.point[i].attenuation, light.attenuation);
    }
    for (int i = 0; i < nm; ++i) {
        const MoonLight& light = *moonLights[i];
        program.SetVec2(names.moon[i].pos, light.GetWorldPosition());
        program.SetFloat(names.moon[i].intensity, light.intensity);
        program.SetFloat(names.moon[i].innerRadius, light.innerRadius);
    }
}

void SetSceneUniforms(UniformSink& program, const LightingSettings& settings) {
    const Camera& camera = GetCamera();
    program.SetVec3("moonlight_color", settings.moonlightColor);
    program.SetVec3("global_ambient", settings.globalAmbient);
    program.SetFloat("global_ambient_intensity", settings.globalAmbientIntensity);
    program.SetMat4("view", camera.ViewMatrix(false, float(kSceneWidth), float(kSceneHeight)));
    program.SetVec2("bottom_left_shadow_pos", ShadowMaskOrigin(camera.GetPosition()));
    program.SetVec2("shadow_uv_scale", {1.0f / kShadowMaskWidth, 1.0f / kShadowMaskHeight});
}
