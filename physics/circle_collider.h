#pragma once
// CircleCollider: a circle placed at the entity position plus a centre offset.
// Lengths and positions are in world units. A ghost circle reports contacts but
// is never pushed apart; a static one is never moved by physics.
#include <glm/vec2.hpp>

#include "ecs/root_component.h"
#include "physics/shape.h"

class CircleCollider : public BaseComponent<CircleCollider>, public Shape {
public:
    CircleCollider() : Shape(kShapeCircle) {}

    bool ghost = false;
    bool isStatic = false;
    float radius = 10.0f;
    glm::vec2 centerOffset{0.0f, 0.0f};

    void Initialize() override {}
    void Remove() override {}
    void Copy(RootComponent* source) override;
    // Keys: "Circle Center OffsetX", "Circle Center OffsetY", "Circle Ghost",
    // "Circle Static", "Circle Radius"; a missing key reads as 0 / false.
    Json::Value Serialize() override;
    void Deserialize(Json::Value json) override;
    void EditInfoDisplay() override;

    // Entity position (x, y) + centre offset. Needs an attached owner.
    glm::vec2 GetCenter() const;
    float GetRadius() const { return radius; }
    bool IsGhost() const { return ghost; }
    bool IsStatic() const { return isStatic; }
    void SetCenterOffset(float x, float y) { centerOffset = {x, y}; }
    void SetGhost(bool value) { ghost = value; }
    void SetStatic(bool value) { isStatic = value; }
    void SetRadius(float value) { radius = value; }

    // Red outline, only while debug drawing is running.
    void DebugDraw() const;
};
