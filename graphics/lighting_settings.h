#pragma once
// The six lighting values of the current level's "graphics" object. They are
// process-wide and outlive a level: a level file without "graphics" keeps the
// previous level's values. The level loader (level/level_file.h) reads and
// writes them, the renderer reads them every frame, and the editor's graphics
// panel edits them in place.
#include <glm/vec3.hpp>

struct LightingSettings {
    glm::vec3 moonlightColor{1.0f, 1.0f, 1.0f};   // rgb, 0..1
    float moonlightFadeDist = 100.0f;             // world units
    float moonlightFadeExponent = 15.0f;
    glm::vec3 globalAmbient{1.0f, 1.0f, 1.0f};    // rgb, 0..1
    float globalAmbientIntensity = 1.0f;
    float attenuationZero = 0.001f;               // keeps point-light falloff finite at distance 0
};

LightingSettings& GetLightingSettings();

// Back to the values at program start (tests).
void ResetLightingSettings();
