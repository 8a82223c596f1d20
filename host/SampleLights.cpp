#include "SampleLights.h"

#include <algorithm>

namespace {

// Squared distance below which a light and a sample coincide and give no direction.
constexpr float kMinDistanceSquared = 1e-12f;

BOOL illuminateFrom(const Point3& towardLight, const Color& lightColor, const Point3& normal,
                    Color& color, Point3& dir, float& dot_nl, float& diffuseCoef) {
    color = lightColor;
    dir = towardLight;
    dot_nl = normal % dir;
    diffuseCoef = std::max(dot_nl, 0.0f);
    return dot_nl > 0.0f;
}

}  // namespace

BOOL OmniLight::Illuminate(ShadeContext& sc, Point3& normal, Color& color, Point3& dir,
                           float& dot_nl, float& diffuseCoef) {
    const Point3 toLight = position_ - sc.P();
    const Point3 unit = LengthSquared(toLight) > kMinDistanceSquared ? Normalize(toLight) : normal;
    return illuminateFrom(unit, color_, normal, color, dir, dot_nl, diffuseCoef);
}

DirectionalLight::DirectionalLight(const Point3& towardLight, const Color& color)
    : towardLight_(LengthSquared(towardLight) > kMinDistanceSquared ? Normalize(towardLight)
                                                                    : Point3(0.0f, 0.0f, 1.0f)),
      color_(color) {}

BOOL DirectionalLight::Illuminate(ShadeContext&, Point3& normal, Color& color, Point3& dir,
                                  float& dot_nl, float& diffuseCoef) {
    return illuminateFrom(towardLight_, color_, normal, color, dir, dot_nl, diffuseCoef);
}
