// The lights of the material editor's sample scene: omni (point) lights and directional
// lights, both without falloff or shadows.
#pragma once

#include "Color.h"
#include "Point3.h"
#include "ShadeContext.h"

// A light at a point, shining equally in every direction.
class OmniLight : public LightDesc {
public:
    OmniLight(const Point3& position, const Color& color) : position_(position), color_(color) {}

    // The colour, the unit direction from sc.P() toward the light, the cosine against
    // `normal`, and max(cosine, 0) as the diffuse coefficient. Answers whether the light is in
    // front of the surface (cosine > 0). A sample exactly at the light is lit along `normal`.
    BOOL Illuminate(ShadeContext& sc, Point3& normal, Color& color, Point3& dir, float& dot_nl,
                    float& diffuseCoef) override;

private:
    Point3 position_;
    Color color_;
};

// A light infinitely far away: the same direction at every sample.
class DirectionalLight : public LightDesc {
public:
    // `towardLight` need not be unit length; a zero vector points the light along +Z.
    DirectionalLight(const Point3& towardLight, const Color& color);

    BOOL Illuminate(ShadeContext& sc, Point3& normal, Color& color, Point3& dir, float& dot_nl,
                    float& diffuseCoef) override;

private:
    Point3 towardLight_;
    Color color_;
};
