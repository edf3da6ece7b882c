#version 330 core
// Shadow geometry into the 498 x 980 mask. The mask is a map of the world, not
// a picture: row 0 holds the smallest world y, so clip y is NOT negated here,
// and the lit shaders look the mask up by world position.
layout (location = 0) in vec2 position;  // world units
layout (location = 1) in uint light;     // index of the point light, 0..31

uniform mat4 view;

flat out uint light_index;

void main() {
    gl_Position = view * vec4(position, 0.0, 1.0);
    light_index = light;
}
