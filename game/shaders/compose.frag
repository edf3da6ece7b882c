#version 330 core
// The lit scene onto the window when nothing is depth-tested against it: its
// colour as it is. Every scene texel has alpha 0.5 or more (the lit passes drop
// clearer texels, the clear colour is opaque), so unlike forward.frag there is
// nothing to discard, and no tint to apply.
in vec2 uv;

uniform sampler2D in_texture;

out vec4 color;

void main() {
    color = texture(in_texture, uv);
}
