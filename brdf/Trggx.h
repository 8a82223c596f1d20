// Anisotropic Trowbridge–Reitz (GGX) microfacet model with Smith shadowing-masking (Walter et
// al. 2007), sampled through its distribution of visible normals (Heitz and d'Eon 2014).
// Frame, roughness pair, flip and stretch are the Beckmann model's (Beckmann.h); the
// reflectance is not capped.
#pragma once

#include "Color.h"
#include "Point2.h"
#include "Point3.h"

class ShadeContext;
class Texmap;

// As brdfSampleBeckmann, with the Trowbridge–Reitz distribution.
void brdfSampleTRGGX(Color& result, ShadeContext& sc, const Point2& rnd2d, float g,
                     float anisotropy, float rotation, Texmap* envMap, const Point3& normal,
                     const Point3 tbnBasis[2]);

float trggxD(const Point3& wh, float ax, float ay);
float trggxLambda(const Point3& w, float ax, float ay);
float trggxG1(const Point3& w, float ax, float ay);
float trggxG(const Point3& wo, const Point3& wi, float ax, float ay);
// Density of the direction mirrored about the visible normal wh; not floored.
float trggxPdf(const Point3& wo, const Point3& wh, float ax, float ay);
// Reflectance with a Fresnel factor of 1.
float trggxF(const Point3& wo, const Point3& wi, float ax, float ay);

Point3 trggxSampleHalf(const Point3& wo, const Point2& u, float ax, float ay);
Point3 trggxSampleVisibleNormal(const Point3& wi, float ax, float ay, float U1, float U2);
// Unit-roughness slopes (x, y) seen from inclination cosTheta; the second slope comes from
// Heitz and d'Eon's rational fit of the conditional inverse.
Point2 trggxSampleSlopes(float cosTheta, float U1, float U2);
