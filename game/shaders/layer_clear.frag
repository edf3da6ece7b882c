#version 330 core
// A free sprite's layer made clear around the sprite only: what clearing the
// whole layer to (1, 1, 1, 1) leaves in its colour and depth, drawn over the
// rectangles its sprites' compositions read.
layout (location = 0) out vec4 out_color;
layout (location = 1) out float out_depth;

void main() {
    out_color = vec4(1.0);
    out_depth = 1.0;
}
