#pragma once
// Shape: the second base of both collider components. It only records which
// kind of collider an object is, so code holding a Shape* can tell a circle
// from a box without a dynamic cast.
#include <cstdint>

enum ShapeKind : uint32_t { kShapeCircle = 0, kShapeBox = 1 };

class Shape {
public:
    explicit Shape(uint32_t kind) : shapeKind(kind) {}
    virtual ~Shape() = default;
    // A hook for shapes to refresh derived data; neither collider needs one.
    virtual void ShapeHook() {}

    uint32_t shapeKind;
};
