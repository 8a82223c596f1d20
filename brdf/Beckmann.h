// Anisotropic Beckmann microfacet model with Smith shadowing-masking (Walter et al. 2007,
// rational Lambda with cut-off 1.6), sampled through its distribution of visible normals by
// inverting the slope distribution (Heitz and d'Eon 2014).
//
// Vectors other than the normal and tbnBasis are local (Conventions.h). The roughness pair
// comes from glossiness g as alphaFromRoughness(r²) and alphaFromRoughness(r²·(1 - anisotropy)²)
// with r = 0.5 - 0.5·g.
#pragma once

#include "Color.h"
#include "Point2.h"
#include "Point3.h"

class ShadeContext;
class Texmap;

// Samples a visible normal, mirrors the view about it and writes the environment colour times
// cos·f/pdf; leaves the result untouched when the direction is not above the surface.
// `rotation` is in turns; tbnBasis = {tangent, normal × tangent}.
void brdfSampleBeckmann(Color& result, ShadeContext& sc, const Point2& rnd2d, float g,
                        float anisotropy, float rotation, Texmap* envMap, const Point3& normal,
                        const Point3 tbnBasis[2]);

// Beckmann alpha from a squared roughness: a quartic fit in ln(x).
float alphaFromRoughness(float x);

float beckmannD(const Point3& wh, float ax, float ay);
float beckmannLambda(const Point3& w, float ax, float ay);
float beckmannG1(const Point3& w, float ax, float ay);
float beckmannG(const Point3& wo, const Point3& wi, float ax, float ay);
// Density of the direction mirrored about the visible normal wh; not floored.
float beckmannPdf(const Point3& wo, const Point3& wh, float ax, float ay);
// Reflectance with a Fresnel factor of 1 (the caller applies Fresnel).
float beckmannF(const Point3& wo, const Point3& wi, float ax, float ay);

// Visible normal for a view on either side of the frame; u = (U1, U2).
Point3 beckmannSampleHalf(const Point3& wo, const Point2& u, float ax, float ay);
// Visible normal for a view above the frame.
Point3 beckmannSampleVisibleNormal(const Point3& wi, float ax, float ay, float U1, float U2);
// Unit-roughness slopes (x, y) seen from inclination cosTheta.
Point2 beckmannSampleSlopes(float cosTheta, float U1, float U2);

// Abramowitz and Stegun 7.1.26.
float erfApprox(float x);
// Giles 2010, single-precision branch pair; |x| clamped to 0.99999.
float erfInvApprox(float x);
