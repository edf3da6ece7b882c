#pragma once
// Where a point light's rays graze a shadow-casting ellipse. The ellipse is
// centred on P with semi-axes a (along x) and b (along y), world units.
#include <array>

#include <glm/vec2.hpp>

constexpr int kTrigTableSize = 400;

// sin and cos of i * 2pi / 400, built once by the renderer. Angles are looked
// up by their integer part of t * 400 / 2pi (coarse on purpose: the shadow
// edge only needs to be right to a pixel or so at the scene's size).
struct TrigTables {
    std::array<float, kTrigTableSize> sine{};
    std::array<float, kTrigTableSize> cosine{};

    TrigTables();
    // t in [0, 2pi]; 2pi itself wraps to entry 0, anything not finite reads 0.
    static int Index(float t);
};

// The k-th (0 or 1) tangent point of the ellipse seen from L, by ternary
// search on the discriminant of the ray/ellipse intersection over one half-turn
// of the ellipse's parameter. L must lie outside the ellipse and a, b > 0.
glm::vec2 TangentPoint(const TrigTables& tables, glm::vec2 P, float a, float b, glm::vec2 L, int k);
