#pragma once
// An invisible ellipse (the footprint of a tree, a rock, a character) that hides
// what lies behind it from point lights. Centred on the entity position plus an
// offset, with semi-axes width / 2 and height / 2 (world units).
#include <glm/vec2.hpp>

#include "ecs/root_component.h"
#include "graphics/editor_outline.h"

class ShadowCaster : public BaseComponent<ShadowCaster> {
public:
    glm::vec2 offset{0.0f, 0.0f};  // world units from the entity position
    float width = 1.0f;            // world units, full ellipse width
    float height = 1.0f;
    EditorOutline outline;         // run-time only

    void Initialize() override;
    void Remove() override;
    void Copy(RootComponent* source) override;
    Json::Value Serialize() override;
    void Deserialize(Json::Value json) override;
    void EditInfoDisplay() override;

    glm::vec2 GetOffset() const { return offset; }
    void SetOffset(float x, float y) { offset = {x, y}; }
    float GetWidth() const { return width; }
    void SetWidth(float v) { width = v; }
    float GetHeight() const { return height; }
    void SetHeight(float v) { height = v; }

    // Entity position (x, y) + offset: the ellipse centre.
    glm::vec2 GetWorldPosition() const;
};
