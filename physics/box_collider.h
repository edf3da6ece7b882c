#pragma once
// BoxCollider: a rectangle centred at the entity position plus a centre offset,
// spanned by a width vector and a height vector (world units). Outside a Ray the
// box is axis-aligned; on an entity with a Ray its edge vectors are rotated by
// `angle` and the box becomes a probe.
//
// Corners and axes are derived data. Readers (GetCorner, GetAxis, ReadGeometry)
// recompute them from the current entity position unless the box is static: a
// static box keeps the corners and axes it last computed, which is what lets
// level geometry stay put even if its entity is moved by a script.
#include <glm/vec2.hpp>

#include "ecs/root_component.h"
#include "physics/shape.h"

class BoxCollider : public BaseComponent<BoxCollider>, public Shape {
public:
    static constexpr int kMaxPoints = 8;

    BoxCollider() : Shape(kShapeBox) {}

    glm::vec2 corners[kMaxPoints]{};  // world positions; first cornerCount used
    glm::vec2 axes[kMaxPoints]{};     // unit separating axes; first axisCount used
    glm::vec2 centerOffset{0.0f, 0.0f};
    glm::vec2 widthVector{1.0f, 0.0f};
    glm::vec2 heightVector{0.0f, 1.0f};
    float width = 1.0f;
    float height = 1.0f;
    int axisCount = 2;
    int cornerCount = 4;
    float angle = -90.0f;  // degrees; only applied when the entity has a Ray
    bool ghost = false;
    bool isStatic = false;

    void Initialize() override {}
    void Remove() override {}
    void Copy(RootComponent* source) override;
    // Keys: "Box Angle", "Box Width", "Box Height", "Box Center OffsetX",
    // "Box Center OffsetY", "Box ghost", "Box Static"; missing reads as 0 / false.
    Json::Value Serialize() override;
    void Deserialize(Json::Value json) override;
    void EditInfoDisplay() override;

    glm::vec2 GetCenter() const;  // entity position (x, y) + centre offset
    glm::vec2 GetCorner(int i);   // recomputed first unless static
    int GetCornerCount() const { return 4; }
    glm::vec2 GetAxis(int i);     // all axes recomputed first unless static
    int GetAxisCount() const { return axisCount; }
    float GetWidth() const { return width; }
    float GetHeight() const { return height; }
    bool IsGhost() const { return ghost; }
    bool IsStatic() const { return isStatic; }
    void SetCenterOffset(float x, float y) { centerOffset = {x, y}; }
    void SetGhost(bool value) { ghost = value; }
    void SetStatic(bool value) { isStatic = value; }
    // Edge vector := v, length := |v|, then rotated by the angle when the
    // entity has a Ray. Corners and axes follow at the next read.
    void SetWidthVector(glm::vec2 v);
    void SetHeightVector(glm::vec2 v);

    // One read of the whole geometry, as GetCorner/GetAxis do it: unless
    // static, corners then axes are recomputed. The collision tests call this
    // once per test and then use `corners` and `axes` directly.
    void ReadGeometry();
    // Corners of this box centred at `center` (pure; nothing is stored).
    void ComputeCorners(glm::vec2 center, glm::vec2 out[4]) const;
    void RecomputeCorners();  // from the current entity position
    void RecomputeAxes();     // from the stored corners

    // Red outline with the height (green) and width (blue) vectors. Recomputes
    // the corners, even of a static box.
    void DebugDraw();

private:
    bool OwnerHasRay() const;
};

// Rotation used by collider angles: a in degrees, converted with the constant
// 3.14 (levels were authored against it, so it is kept rather than pi).
glm::vec2 RotateDegrees(glm::vec2 v, float degrees);
