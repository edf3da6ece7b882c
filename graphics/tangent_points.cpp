#include "graphics/tangent_points.h"

#include <cmath>

namespace {

constexpr float kTwoPi = 6.283185307179586f;

float WrapOnce(float t) {
    if (t < 0.0f) return t + kTwoPi;
    if (t > kTwoPi) return t - kTwoPi;
    return t;
}

// Discriminant of A s^2 + B s + C for the ray from L through Q against the
// ellipse: zero when the ray only touches it.
float Discriminant(glm::vec2 P, float a, float b, glm::vec2 L, glm::vec2 Q) {
    const float a2 = a * a, b2 = b * b;
    const float qx = Q.x - L.x, qy = Q.y - L.y;
    const float lx = L.x - P.x, ly = L.y - P.y;
    const float A = b2 * qx * qx + a2 * qy * qy;
    const float B = 2.0f * (b2 * qx * lx + a2 * qy * ly);
    const float C = b2 * lx * lx + a2 * ly * ly - a2 * b2;
    return B * B - 4.0f * A * C;
}

}  // namespace

TrigTables::TrigTables() {
    for (int i = 0; i < kTrigTableSize; ++i) {
        const double t = double(i) * 2.0 * 3.141592653589793 / kTrigTableSize;
        sine[i] = float(std::sin(t));
        cosine[i] = float(std::cos(t));
    }
}

int TrigTables::Index(float t) {
    if (!std::isfinite(t) || t < 0.0f) return 0;
    const int i = int(t * 63.661976f);
    return i >= kTrigTableSize ? i % kTrigTableSize : i;
}

glm::vec2 TangentPoint(const TrigTables& tables, glm::vec2 P, float a, float b, glm::vec2 L, int k) {
    const glm::vec2 d = P - L;
    const float D = std::sqrt(d.x * d.x + d.y * d.y);
    const float theta0 = std::atan2(-(d.y / D) / b, -(d.x / D) / a);
    const float pi = kTwoPi / 2.0f;
    float lo = k == 0 ? theta0 : theta0 + kTwoPi;
    float hi = theta0 + pi;
    auto pointAt = [&](float m) {
        const int i = TrigTables::Index(WrapOnce(m));
        return glm::vec2(P.x + a * tables.cosine[i], P.y + b * tables.sine[i]);
    };
    // Q lies on the ellipse, so the discriminant is never negative and is zero
    // only on the silhouette: keep the half of the interval where it is
    // smaller. The interval halves every round (about six rounds); a NaN width
    // (degenerate input) ends the loop at once.
    while (std::fabs(hi - lo) > 0.1f) {
        const float m1 = 0.75f * lo + 0.25f * hi, m2 = 0.25f * lo + 0.75f * hi;
        const float d1 = Discriminant(P, a, b, L, pointAt(m1));
        const float d2 = Discriminant(P, a, b, L, pointAt(m2));
        if (!(d2 > d1))
            lo = (lo + hi) / 2.0f;
        else
            hi = (lo + hi) / 2.0f;
    }
    return pointAt((lo + hi) / 2.0f);
}
