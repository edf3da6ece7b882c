#pragma once
// A coloured point light at its entity's position plus an offset. It lights the
// lit pass and the tile map, and is the only kind of light that throws shadows.
// The radius (world units) is its reach: it decides culling and shadow length
// and is never handed to the shaders.
#include <glm/vec2.hpp>
#include <glm/vec3.hpp>

#include "ecs/root_component.h"
#include "graphics/editor_outline.h"

class PointLight : public BaseComponent<PointLight> {
public:
    glm::vec2 offset{0.0f, 0.0f};             // world units from the entity position
    glm::vec3 color{1.0f, 1.0f, 1.0f};        // r, g, b
    float ambientIntensity = 0.1f;
    float diffuseIntensity = 1.0f;
    float radius = 0.0f;                      // world units
    glm::vec3 attenuation{0.2f, 0.0f, 1.0f};  // constant, linear, quadratic terms
    EditorOutline outline;                    // run-time only

    void Initialize() override;
    void Remove() override;
    void Copy(RootComponent* source) override;
    Json::Value Serialize() override;
    void Deserialize(Json::Value json) override;
    void EditInfoDisplay() override;

    glm::vec2 GetOffset() const { return offset; }
    void SetOffset(float x, float y) { offset = {x, y}; }
    glm::vec3 GetColor() const { return color; }
    void SetColor(float r, float g, float b) { color = {r, g, b}; }
    float GetAmbientIntensity() const { return ambientIntensity; }
    void SetAmbientIntensity(float v) { ambientIntensity = v; }
    float GetDiffuseIntensity() const { return diffuseIntensity; }
    void SetDiffuseIntensity(float v) { diffuseIntensity = v; }
    float GetRadius() const { return radius; }
    void SetRadius(float v) { radius = v; }
    glm::vec3 GetAttenuation() const { return attenuation; }
    void SetAttenuation(float a, float b, float c) { attenuation = {a, b, c}; }

    // Entity position (x, y) + offset.
    glm::vec2 GetWorldPosition() const;
};
