#version 330 core
// Tile-map cells: lit and shadowed like the sprites, with a flat normal and no
// shine mask or tint (tiles are the ground under everything).
//
// Lighting: point lights (ambient + diffuse, distance attenuation, shadows
// from the mask), moon lights (full inside the inner radius, fading out over
// the level's fade distance), and the level's global ambient.
//
// Output 0 is the colour, output 1 the window-space depth of the fragment, so
// the composition can depth-test full-resolution sprites against the scene.

const int MAX_LIGHTS = 45;      // the renderer's upload cap per kind
const int SHADOWED_LIGHTS = 32; // one bit of the mask per point light
const float DISTANCE_UNIT = 100.0; // world units per attenuation distance unit

struct PointLightData {
    vec2 pos;
    vec3 color;
    float ambient_intensity;
    float diffuse_intensity;
    vec3 attenuation;  // constant, linear, quadratic
};
struct MoonLightData {
    vec2 pos;
    float intensity;
    float inner_radius;
};

uniform PointLightData point_lights[MAX_LIGHTS];
uniform MoonLightData moon_lights[MAX_LIGHTS];
uniform int num_pointlights;
uniform int num_moonlights;
uniform float moonlight_fade_dist;
uniform float moonlight_fade_exponent;
uniform float attenuation_zero;
uniform vec3 moonlight_color;
uniform vec3 global_ambient;
uniform float global_ambient_intensity;

uniform usampler2D shadow_texture;  // bit i set: in the shadow of point light i
uniform vec2 bottom_left_shadow_pos;
uniform vec2 shadow_uv_scale;

uniform sampler2D in_texture;       // diffuse

in vec2 uv;
in vec2 world_pos;
flat in float scene_depth;

layout (location = 0) out vec4 out_color;
layout (location = 1) out float out_depth;

uint ShadowMask() {
    // The mask is a map of the world (row 0 = smallest y), not a picture.
    ivec2 texel = ivec2(floor((world_pos - bottom_left_shadow_pos)));
    ivec2 size = textureSize(shadow_texture, 0);
    if (texel.x < 0 || texel.y < 0 || texel.x >= size.x || texel.y >= size.y) return 0u;
    return texelFetch(shadow_texture, texel, 0).r;
}

void main() {
    vec4 base = texture(in_texture, uv);
    // No blending in the scene: a texel is there or not, and the clear parts of
    // a picture must not claim pixels from what lies behind them.
    if (base.a < 0.5) discard;

    const vec3 n = vec3(0.0, 0.0, 1.0);

    // The shadow mask only matters to point lights (np is the same for every
    // fragment, so without any the look-up is skipped).
    uint mask = 0u;
    if (num_pointlights > 0)
        mask = ShadowMask();
    vec3 light = global_ambient * global_ambient_intensity;

    int np = min(num_pointlights, MAX_LIGHTS);
    for (int i = 0; i < np; ++i) {
        vec2 d = point_lights[i].pos - world_pos;
        float dist = length(d) / DISTANCE_UNIT;
        vec3 a = point_lights[i].attenuation;
        float att = 1.0 / max(a.x + a.y * dist + a.z * dist * dist, 1e-4);
        if (att < attenuation_zero) continue;
        bool shadowed = i < SHADOWED_LIGHTS && ((mask >> uint(i)) & 1u) != 0u;
        // Normal maps see every point light from 45 degrees above the scene,
        // whatever its distance (distance is the attenuation's business).
        // Scaled so a flat pixel takes the full diffuse light, one facing the
        // light up to 1.4 times, one facing away none.
        vec2 dir = length(d) > 1e-3 ? normalize(d) : vec2(0.0);
        vec3 toLight = normalize(vec3(dir, 1.0));
        float diffuse = shadowed ? 0.0 : max(dot(n, toLight), 0.0) * 1.41421356;
        vec3 c = point_lights[i].color * att;
        light += c * (point_lights[i].ambient_intensity + point_lights[i].diffuse_intensity * diffuse);
    }

    int nm = min(num_moonlights, MAX_LIGHTS);
    for (int i = 0; i < nm; ++i) {
        float dist = length(moon_lights[i].pos - world_pos);
        float t = clamp((dist - moon_lights[i].inner_radius) / max(moonlight_fade_dist, 1e-4), 0.0, 1.0);
        // Exponent 1 fades linearly; larger exponents keep the light full for
        // longer and drop it near the end of the fade distance.
        float f = 1.0 - pow(t, max(moonlight_fade_exponent, 1e-4));
        light += moonlight_color * moon_lights[i].intensity * f;
    }

    out_color = vec4(base.rgb * light, base.a);
    out_depth = scene_depth;
}
