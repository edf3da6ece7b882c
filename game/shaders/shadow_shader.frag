#version 330 core
// One point light's shadows: the mask so far (the other buffer) with bit
// "shadow_num" set. Pixels this light's shadows do not cover keep the copy of
// the previous mask that was blitted in before the light was drawn.
uniform usampler2D shadow_texture;
uniform uint shadow_num;  // index of the point light being drawn, 0..31

out uint mask;

void main() {
    mask = texelFetch(shadow_texture, ivec2(gl_FragCoord.xy), 0).r | (1u << shadow_num);
}
