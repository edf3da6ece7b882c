#include "graphics/lighting_settings.h"

LightingSettings& GetLightingSettings() {
    static LightingSettings settings;
    return settings;
}

void ResetLightingSettings() { GetLightingSettings() = LightingSettings(); }
