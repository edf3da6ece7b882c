#version 330 core
// The composed low-resolution scene, scaled to the window. Its depth comes
// from the scene's depth target (window-space depth, 0 near .. 1 far, cleared
// to 1), so full-resolution sprites drawn afterwards are depth-tested against
// what the scene shows.
in vec2 uv;

uniform sampler2D in_texture;
uniform sampler2D in_depth;
uniform vec4 tint;

out vec4 color;

void main() {
    color = texture(in_texture, uv) * tint;
    gl_FragDepth = texture(in_depth, uv).r;
}
