#version 330 core
// Tile-map cells, laid down in the lit scene like the sprites (see
// sprite_shader.frag, built with GBUFFER) for the pass that lights every pixel
// once: the colour with its alpha negated, which tells the light pass that a
// tile takes a flat normal and no shine; the window-space depth of the
// fragment, for the composition.
uniform sampler2D in_texture;  // diffuse

in vec2 uv;
flat in float scene_depth;

layout (location = 0) out vec4 out_color;
layout (location = 1) out float out_depth;
layout (location = 2) out vec4 out_normal_shine;

void main() {
    vec4 base = texture(in_texture, uv);
    // No blending in the scene: a texel is there or not, and the clear parts of
    // a picture must not claim pixels from what lies behind them.
    if (base.a < 0.5) discard;
    out_color = vec4(base.rgb, -base.a);
    out_depth = scene_depth;
    out_normal_shine = vec4(0.0);
}
