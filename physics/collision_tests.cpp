#include "physics/collision_tests.h"

#include <algorithm>
#include <cmath>

namespace CollisionDetection {
namespace {

struct Interval {
    float lo, hi;
};

// Strict overlap, written so that a NaN anywhere means "apart".
bool Overlaps(Interval a, Interval b) { return a.hi > b.lo && b.hi > a.lo; }

// Position of p along axis a, in multiples of a (p·a / a·a).
float Along(glm::vec2 p, glm::vec2 a) { return (p.x * a.x + p.y * a.y) / (a.x * a.x + a.y * a.y); }

bool UsableAxis(glm::vec2 a) { return a.x * a.x + a.y * a.y > 0.0f; }

Interval ProjectCorners(const glm::vec2 corners[4], glm::vec2 axis) {
    Interval r{Along(corners[0], axis), Along(corners[0], axis)};
    for (int i = 1; i < 4; ++i) {
        float t = Along(corners[i], axis);
        r.lo = std::min(r.lo, t);
        r.hi = std::max(r.hi, t);
    }
    return r;
}

Interval XRange(const glm::vec2 c[4]) {
    return {std::min(std::min(c[0].x, c[1].x), std::min(c[2].x, c[3].x)),
            std::max(std::max(c[0].x, c[1].x), std::max(c[2].x, c[3].x))};
}

Interval YRange(const glm::vec2 c[4]) {
    return {std::min(std::min(c[0].y, c[1].y), std::min(c[2].y, c[3].y)),
            std::max(std::max(c[0].y, c[1].y), std::max(c[2].y, c[3].y))};
}

Interval Span(float centre, float radius) {
    float a = centre - radius, b = centre + radius;
    return {std::min(a, b), std::max(a, b)};
}

// Keeps the first of equal candidates: only a strictly smaller one replaces it.
struct Choice {
    glm::vec2 normal;
    float penetration;
    void Offer(glm::vec2 n, float p) {
        if (p < penetration) {
            normal = n;
            penetration = p;
        }
    }
};

}  // namespace

bool TestCircleCircle(glm::vec2 cA, float rA, glm::vec2 cB, float rB, CollisionDataObj* out) {
    const glm::vec2 d = cB - cA;
    const float len = std::sqrt(d.x * d.x + d.y * d.y);
    if (!(rA + rB >= len)) return false;
    out->normal = d;
    out->penetration = len - rA - rB;
    if (len > 0.0f) {
        const glm::vec2 dir = d / len;
        out->contactPoint = ((cA + rA * dir) + (cB - rB * dir)) * 0.5f;
    } else {
        out->contactPoint = cA;  // same centre: no direction to walk along
    }
    return true;
}

bool TestBoxBox(BoxCollider& a, BoxCollider& b, CollisionDataObj* out) {
    a.ReadGeometry();
    b.ReadGeometry();
    // Projecting both boxes onto their (axis-aligned) axes gives each box's x
    // and y interval, which is exactly the corners' extent.
    const Interval ax = XRange(a.corners), ay = YRange(a.corners);
    const Interval bx = XRange(b.corners), by = YRange(b.corners);
    if (!Overlaps(ax, bx) || !Overlaps(ay, by)) return false;
    Choice c{{1.0f, 0.0f}, bx.hi - ax.lo};
    c.Offer({-1.0f, 0.0f}, ax.hi - bx.lo);
    c.Offer({0.0f, -1.0f}, ay.hi - by.lo);
    c.Offer({0.0f, 1.0f}, by.hi - ay.lo);
    out->normal = c.normal;
    out->penetration = c.penetration;
    return true;
}

bool TestBoxCircle(BoxCollider& box, glm::vec2 cc, float radius, bool circleIsA, CollisionDataObj* out) {
    box.ReadGeometry();
    const glm::vec2 bc = box.GetCenter();
    const glm::vec2 d = cc - bc;
    const float len = std::sqrt(d.x * d.x + d.y * d.y);
    // Circles sharing the box's centre have no centre direction; the box axes
    // alone decide then (and the two centre-line normals are not offered).
    const bool hasCentreAxis = len > 0.0f && std::isfinite(len);
    const glm::vec2 u = hasCentreAxis ? d / len : glm::vec2(0.0f);

    auto circleOn = [&](glm::vec2 axis) {
        float p = Along(cc + radius * axis, axis), q = Along(cc - radius * axis, axis);
        return Interval{std::min(p, q), std::max(p, q)};
    };
    for (int i = 0; i < box.axisCount; ++i) {
        const glm::vec2 axis = box.axes[i];
        if (!UsableAxis(axis)) continue;
        if (!Overlaps(ProjectCorners(box.corners, axis), circleOn(axis))) return false;
    }
    Interval boxU{0, 0}, circleU{0, 0};
    if (hasCentreAxis) {
        boxU = ProjectCorners(box.corners, u);
        circleU = circleOn(u);
        if (!Overlaps(boxU, circleU)) return false;
    }

    const Interval px = XRange(box.corners), py = YRange(box.corners);
    const Interval qx = Span(cc.x, radius), qy = Span(cc.y, radius);
    Choice c{{1.0f, 0.0f}, qx.hi - px.lo};
    c.Offer({-1.0f, 0.0f}, px.hi - qx.lo);
    c.Offer({0.0f, -1.0f}, py.hi - qy.lo);
    c.Offer({0.0f, 1.0f}, qy.hi - py.lo);
    if (hasCentreAxis) {
        c.Offer(-d, boxU.hi - circleU.lo);  // box moves back along d
        c.Offer(d, circleU.hi - boxU.lo);   // box moves through to the far side
    }
    out->normal = circleIsA ? -c.normal : c.normal;
    out->penetration = c.penetration;
    out->contactPoint = {0.0f, 0.0f};
    return true;
}

bool TestRayBox(BoxCollider& ray, BoxCollider& other) {
    ray.ReadGeometry();
    other.ReadGeometry();
    // The extents come first: a box that has no axes yet (fresh and static)
    // must not look like it overlaps everything.
    if (!Overlaps(XRange(ray.corners), XRange(other.corners)) || !Overlaps(YRange(ray.corners), YRange(other.corners)))
        return false;
    for (BoxCollider* owner : {&ray, &other}) {
        for (int i = 0; i < owner->axisCount; ++i) {
            const glm::vec2 axis = owner->axes[i];
            if (!UsableAxis(axis)) continue;
            if (!Overlaps(ProjectCorners(ray.corners, axis), ProjectCorners(other.corners, axis))) return false;
        }
    }
    return true;
}

}  // namespace CollisionDetection
