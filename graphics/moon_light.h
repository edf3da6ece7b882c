#pragma once
// A soft area of light at its entity's position plus an offset: full strength
// inside the inner radius, fading out over the level's moonlight fade distance
// (world units). Its colour is the level-wide moonlight colour, not its own.
#include <glm/vec2.hpp>

#include "ecs/root_component.h"

class MoonLight : public BaseComponent<MoonLight> {
public:
    glm::vec2 offset{0.0f, 0.0f};  // world units from the entity position
    float intensity = 1.0f;
    float innerRadius = 1.0f;      // world units

    void Initialize() override {}
    void Remove() override {}
    void Copy(RootComponent* source) override;
    Json::Value Serialize() override;
    void Deserialize(Json::Value json) override;
    void EditInfoDisplay() override;

    glm::vec2 GetOffset() const { return offset; }
    void SetOffset(float x, float y) { offset = {x, y}; }
    float GetIntensity() const { return intensity; }
    void SetIntensity(float v) { intensity = v; }
    float GetInnerRadius() const { return innerRadius; }
    void SetInnerRadius(float v) { innerRadius = v; }

    // Entity position (x, y) + offset.
    glm::vec2 GetWorldPosition() const;
};
