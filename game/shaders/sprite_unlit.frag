#version 330 core
// Unlit sprites, blended by alpha over the composed screen.
in vec2 uv;
flat in vec4 tint;

uniform sampler2D in_texture;

out vec4 color;

void main() {
    color = texture(in_texture, uv) * tint;
    // Fully clear texels write no depth, so the clear parts of a picture never
    // hide what is drawn behind it later.
    if (color.a <= 0.0)
        discard;
}
