// What the preview's environment sampling stands on besides the layers: luminance, the
// Fresnel factor of the reflection, the per-call seed and random numbers, and the tangent
// frame handed to the anisotropic reflection models.
#pragma once

#include <atomic>
#include <cstdint>

#include "Color.h"
#include "Point3.h"

// Rec. 709 luminance: 0.2126 r + 0.7152 g + 0.0722 b.
float luminance(const Color& c);

// Unpolarised Fresnel reflectance of a conductor with index eta + i·k at the incidence
// cosine cosi (Pharr and Humphreys' approximation). At eta = k = cosi = 0 the perpendicular
// term is 0/0; it takes its limit there, 1.
float fresnelConductor(float cosi, float eta, float k);

// The seed of the latest shade call, shared by every material of the module. Calls running
// at once may reuse a seed, which changes only the noise; the atomic only keeps that free of
// a data race.
extern std::atomic<std::uint32_t> shadeSeed;

// Advances shadeSeed (skipping 2^32 - 1: ..., 2^32 - 2, 0, 1, ...) and seeds the calling
// thread's generator with it.
void seedShadeRandom();

// One draw of the generator as a float in [0, 1): (draw mod 32767) / 32767.
float rand01();

// A unit vector perpendicular to n, also to v when n × v has a length. Otherwise the longer
// of n × Y and n × Z (Z on a tie); for a zero n, which has no tangent plane, the X axis.
Point3 tangentFromNormal(const Point3& n, const Point3& v);

// The tangents of the anisotropic models about the unit normal n for the view direction
// viewDir (eye toward sample): tbnBasis[0] from the view turned a quarter turn about X,
// tbnBasis[1] = n × tbnBasis[0].
void tangentFrame(const Point3& n, const Point3& viewDir, Point3 tbnBasis[2]);
