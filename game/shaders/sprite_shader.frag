#version 330 core
// Lit sprites: point lights (ambient + diffuse, distance attenuation, shadows
// from the mask), moon lights (full inside the inner radius, fading out over
// the level's fade distance), and the level's global ambient.
//
// Companion textures, as the pixel artist paints them:
//   "_nm"  normal map, tangent space with green = up in the image, blue = out
//          of the screen (flat = 128,128,255). Point lights shade by their
//          direction to the pixel, as if standing above the scene at 45
//          degrees, so a round rock is bright on the side facing the light.
//   "_sm"  shine mask, grey level (red channel): 0 = matte. A shiny pixel
//          glows with its own colour whatever the light (flames, lantern glass,
//          eyes) and catches a small highlight from every point light near it.
//          Black everywhere is a plain matte sprite.
//
// The lit scene lights each pixel once: the sprites and the tile map lay down
// what they show (built with GBUFFER: output 0 the colour times tint, its
// alpha negated for tiles, which take a flat normal and no shine; output 1 the
// window-space depth of the fragment, so the composition can depth-test
// full-resolution sprites against the scene; output 2 the "_nm" texel and the
// shine), then a pass built with LIGHT_PASS lights every pixel from them. Built
// with neither, a sprite is lit as it is drawn (free sprites, drawn alone).

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
#ifdef NO_LIGHTS
// Built for frames without point or moon lights: their loops compile away. The
// software rasteriser pays for a loop in a program even where it never enters
// it (about 14 ns a pixel).
const int num_pointlights = 0;
const int num_moonlights = 0;
#else
uniform int num_pointlights;
uniform int num_moonlights;
#endif
uniform float moonlight_fade_dist;
uniform float moonlight_fade_exponent;
uniform float attenuation_zero;
uniform vec3 moonlight_color;
uniform vec3 global_ambient;
uniform float global_ambient_intensity;

uniform usampler2D shadow_texture;  // bit i set: in the shadow of point light i
uniform vec2 bottom_left_shadow_pos;
uniform vec2 shadow_uv_scale;

#ifdef LIGHT_PASS
uniform sampler2D in_texture;       // the laid-down colour (GBUFFER output 0)
uniform sampler2D light_texture;    // the "_nm" texel and the shine (GBUFFER output 2)
#else
uniform sampler2D in_texture;       // diffuse
uniform sampler2D light_texture;    // "_nm"
uniform sampler2D sampler_texture;  // "_sm"
#endif

in vec2 uv;
in vec2 world_pos;
flat in float scene_depth;
flat in vec4 tint;

#ifdef GBUFFER
layout (location = 0) out vec4 out_color;
layout (location = 1) out float out_depth;
layout (location = 2) out vec4 out_normal_shine;
#elif defined(LIGHT_PASS)
layout (location = 0) out vec4 out_color;
#else
layout (location = 0) out vec4 out_color;
layout (location = 1) out float out_depth;
#endif

uint ShadowMask() {
    // The mask is a map of the world (row 0 = smallest y), not a picture.
    ivec2 texel = ivec2(floor((world_pos - bottom_left_shadow_pos)));
    ivec2 size = textureSize(shadow_texture, 0);
    if (texel.x < 0 || texel.y < 0 || texel.x >= size.x || texel.y >= size.y) return 0u;
    return texelFetch(shadow_texture, texel, 0).r;
}

// The lit colour of a pixel of colour `base` (times tint), "_nm" texel
// `normal_texel` (flat_normal: the exact flat normal instead) and shine.
vec3 Lit(vec4 base, vec3 normal_texel, bool flat_normal, float shine) {
    vec3 light = global_ambient * global_ambient_intensity;
    vec3 highlight = vec3(0.0);

    int np = min(num_pointlights, MAX_LIGHTS);
    // The normal map and the shadow mask only matter to point lights; without
    // any, their look-ups are skipped (np is the same for every fragment).
    if (np > 0) {
        vec3 n = vec3(0.0, 0.0, 1.0);
        if (!flat_normal) {
            n = normal_texel * 2.0 - 1.0;
            n.y = -n.y;  // image up is world -y
            n = normalize(n);
        }
        uint mask = ShadowMask();
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
            if (!shadowed) {
                vec3 r = reflect(-toLight, n);
                highlight += c * pow(max(r.z, 0.0), 12.0);
            }
        }
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

    vec3 lit = base.rgb * light + highlight * shine;
    return max(lit, base.rgb * shine);  // shiny pixels glow in the dark
}

#ifdef LIGHT_PASS
void main() {
    ivec2 p = ivec2(gl_FragCoord.xy);
    vec4 base = texelFetch(in_texture, p, 0);
    // Nothing laid down: the scene's clear colour.
    if (base.a == 0.0) {
        out_color = vec4(1.0);
        return;
    }
    vec4 normal_shine = texelFetch(light_texture, p, 0);
    bool tile = base.a < 0.0;
    base.a = abs(base.a);
    out_color = vec4(Lit(base, normal_shine.rgb, tile, tile ? 0.0 : normal_shine.a), base.a);
}
#else
void main() {
    vec4 base = texture(in_texture, uv) * tint;
    // No blending in the scene: a texel is there or not, and the clear parts of
    // a picture must not claim pixels from what lies behind them. Sprites with
    // no texel that clear go through a build with SOLID_SPRITES defined: a
    // program that never discards lets the depth test reject covered
    // fragments before they are shaded.
#ifndef SOLID_SPRITES
    if (base.a < 0.5) discard;
#endif
    float shine = texture(sampler_texture, uv).r;
    vec3 normal_texel = texture(light_texture, uv).rgb;
#ifdef GBUFFER
    out_color = base;
    out_normal_shine = vec4(normal_texel, shine);
#else
    out_color = vec4(Lit(base, normal_texel, false, shine), base.a);
#endif
    out_depth = scene_depth;
}
#endif
