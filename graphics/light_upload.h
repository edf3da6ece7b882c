#pragma once
// Hands the visible lights to a lighting program (the lit sprite pass and the
// tile map), at most kMaxUploadedLights of each kind, in list order. Lights past
// the cap are left out silently; the radius is never uploaded (it serves culling
// and shadows only).
#include <vector>

#include <glm/vec3.hpp>

#include "graphics/render_lists.h"
#include "graphics/uniform_sink.h"

struct LightingSettings;

// Sets "num_pointlights", "num_moonlights", "moonlight_fade_dist",
// "moonlight_fade_exponent", "attenuation_zero", and for each uploaded light
// "point_lights[i]." / "moon_lights[i]." + field. Updates the light counters.
void UploadLights(UniformSink& program, const std::vector<PointLight*>& pointLights,
                  const std::vector<MoonLight*>& moonLights, const LightingSettings& settings,
                  RenderCounters& counters);

// The scene-wide uniforms both lighting programs share: "moonlight_color",
// "global_ambient", "global_ambient_intensity", "view" (the camera view of the
// 498 x 280 scene), "bottom_left_shadow_pos" and "shadow_uv_scale" (where the
// 498 x 980 shadow mask lies in the world).
void SetSceneUniforms(UniformSink& program, const LightingSettings& settings);
