#version 330 core
// Sprites and textures over the composed screen, blended by alpha.
in vec2 uv;

uniform sampler2D in_texture;
uniform vec4 tint;

out vec4 color;

void main() {
    color = texture(in_texture, uv) * tint;
    // Fully clear texels write no depth, so the clear parts of a picture never
    // hide what is drawn behind it later.
    if (color.a <= 0.0)
        discard;
}
