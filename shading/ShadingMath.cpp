#include "shading/ShadingMath.h"

#include <cmath>

namespace {
// Exponent of the roll-off curve and its reciprocal.
constexpr float kRollOffPower = 5.0f;
constexpr float kRollOffRoot = 0.2f;

float clampBlendWeight(float t) {
    if (t > 1.0f) return 1.0f;
    return t >= 0.0f ? t : 0.0f;
}
}  // namespace

float clamp01(float x) {
    return std::fmin(std::fmax(x, 0.0f), 1.0f);
}

void lerpClamped(Color& x, const Color& y, float t) {
    const float w = clampBlendWeight(t);
    x.r = x.r + (y.r - x.r) * w;
    x.g = x.g + (y.g - x.g) * w;
    x.b = x.b + (y.b - x.b) * w;
}

void lerpClamped(Point3& x, const Point3& y, float t) {
    const float w = clampBlendWeight(t);
    x.x = x.x + (y.x - x.x) * w;
    x.y = x.y + (y.y - x.y) * w;
    x.z = x.z + (y.z - x.z) * w;
}

float maxComponent(const Color& c) {
    return std::fmax(c.r, std::fmax(c.g, c.b));
}

float rollOff(float x) {
    const float base = 1.0f + std::pow(x, kRollOffPower);
    if (std::isinf(base)) return 1.0f;
    if (!(base > 0.0f)) return 0.0f;
    return x / std::pow(base, kRollOffRoot);
}
