#version 330 core
// One bit per point light: the renderer ORs it into the mask (a logic
// operation on the unsigned-integer target), so every light's shadows add to
// the mask without reading it.
flat in uint light_index;

out uint mask;

void main() {
    mask = 1u << light_index;
}
