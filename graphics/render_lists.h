#pragma once
// What culling hands to the passes of one frame: the visible drawables and
// lights, rebuilt from scratch every frame and owning nothing.
#include <vector>

#include <glm/vec3.hpp>

#include "ecs/entity_handle.h"

class Sprite;
class PointLight;
class MoonLight;
class ShadowCaster;

// A visible sprite with the values its pass sorts by, copied once during culling
// so sorting never goes back to the entity store.
struct SpriteDrawItem {
    engine::entity_handle handle;
    Sprite* sprite = nullptr;
    glm::vec3 position{0.0f};  // entity position, world units
    float yOffset = 0.0f;      // the sprite's depth-ordering offset
};

struct RenderLists {
    std::vector<SpriteDrawItem> unlitSprites;       // not environmental: drawn over the composed screen
    std::vector<SpriteDrawItem> litClampedSprites;  // environmental and snapped to whole pixels
    std::vector<SpriteDrawItem> litFreeSprites;     // environmental, keep their sub-pixel position
    std::vector<MoonLight*> moonLights;
    std::vector<PointLight*> pointLights;
    std::vector<ShadowCaster*> shadowCasters;        // can throw a visible shadow

    void Clear() {
        unlitSprites.clear();
        litClampedSprites.clear();
        litFreeSprites.clear();
        moonLights.clear();
        pointLights.clear();
        shadowCasters.clear();
    }
};

// Numbers the editor's graphics panel shows about the last frame.
struct RenderCounters {
    int pointLightsVisible = 0;   // at the last light upload, before the cap
    int moonLightsVisible = 0;
    int pointLightsUploaded = 0;  // after the cap of kMaxUploadedLights
    int moonLightsUploaded = 0;
    int shadowCasters = 0;        // kept by the last culling
    int drawCalls = 0;            // draw calls issued by the last frame
    int textureBinds = 0;         // texture binds issued by the last frame
    int instances = 0;            // sprites and tiles drawn by the last frame's draw calls
    int hiddenSprites = 0;        // lit sprites the last frame left out, wholly covered
    int croppedSprites = 0;       // lit sprites the last frame cut down to the part not covered
};
