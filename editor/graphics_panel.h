#pragma once
// The editor's "Graphics" panel: the level's lighting settings, edited live,
// and the light and shadow caster counts of the last frame.
namespace editor {
void DrawGraphicsPanel();
}
