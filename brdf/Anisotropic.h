// What the anisotropic microfacet models (Beckmann, TRGGX) share: the roughness pair, the
// rotated tangent frame, and visible-normal sampling by stretching the view to the unit-
// roughness configuration (Heitz and d'Eon 2014).
#pragma once

#include "brdf/Conventions.h"

namespace brdf {

// Roughness pairs closer than this are isotropic: the frame ignores the tangents.
constexpr float kIsotropyTolerance = 1e-5f;
// Directions closer to the horizon than this have no reflectance.
constexpr float kCosFloor = 1e-6f;
// Keeps divisors positive.
constexpr float kTinyFloor = 1e-20f;
// Steeper than this the view is taken as the normal and the slopes are drawn in closed form.
constexpr float kNormalIncidence = 0.9999f;

struct AnisotropicSetup {
    float ax, ay;
    Frame frame;
};

// (ax, ay) from glossiness g and anisotropy, and the frame in which ax acts along nx: the
// caller's second tangent turned by `rotation` turns about the normal; ay acts along the
// turned first tangent. `alphaOf` is the model's roughness mapping.
template <class AlphaOf>
inline AnisotropicSetup anisotropicSetup(float g, float anisotropy, float rotation,
                                         const Point3& normal, const Point3 tbnBasis[2],
                                         AlphaOf&& alphaOf) {
    const float r = 0.5f - 0.5f * g;
    const float q = 1.0f - anisotropy;
    AnisotropicSetup s;
    const float rx = r * r;
    const float ry = r * r * q * q;
    s.ax = alphaOf(rx);
    s.ay = ry == rx ? s.ax : alphaOf(ry);  // isotropic: the same mapping of the same value
    if (std::fabs(s.ax - s.ay) > kIsotropyTolerance) {
        const RotMatrix mRot = rotationAboutAxisInline(normal, kTwoPi * rotation);
        s.frame.nx = rotateByMatrixInline(mRot, tbnBasis[1]);
        s.frame.ny = rotateByMatrixInline(mRot, tbnBasis[0]);
        s.frame.nz = normal;
    } else {
        s.frame = normalFrame(normal);
    }
    return s;
}

// Smith's masking from the model's Lambda of one direction, and masking-shadowing of a pair.
inline float smithG1(float lambda) {
    return 1.0f / (1.0f + lambda);
}
inline float smithG(float lambdaO, float lambdaI) {
    return 1.0f / (1.0f + lambdaO + lambdaI);
}

// The roughness seen along the azimuth of w: sqrt(cos²φ·ax² + sin²φ·ay²).
inline float projectedRoughness(const Point3& w, float ax, float ay) {
    const float sinT = sinTheta(w);
    const float cosPhi = cosPhiFrom(w.x, sinT);
    const float sinPhi = sinPhiFrom(w.y, sinT);
    return std::sqrt(cosPhi * cosPhi * (ax * ax) + sinPhi * sinPhi * (ay * ay));
}

// cos²φ/ax² + sin²φ/ay² of the microfacet normal wh: the slope term of both distributions.
inline float inverseSlopeVariance(const Point3& wh, float ax, float ay) {
    const float sinT = sinTheta(wh);
    const float cosPhi = cosPhiFrom(wh.x, sinT);
    const float sinPhi = sinPhiFrom(wh.y, sinT);
    return cosPhi * cosPhi / (ax * ax) + sinPhi * sinPhi / (ay * ay);
}

// Density of the direction mirrored about a visible normal: D(wh)·G1(wo) / (4·|cos θo|).
inline float visibleNormalPdf(float d, float g1, const Point3& wo) {
    return d * g1 / (4.0f * std::fabs(wo.z));
}

// Reflectance D(h)·G(wo, wi) / (4·|cos θi|·|cos θo|) with a Fresnel factor of 1, h the
// normalised wi + wo; 0 near the horizon or where wi and wo cancel. `d(h)` and `g(wo, wi)`
// are the model's.
template <class Distribution, class Shadowing>
inline float microfacetReflectance(const Point3& wo, const Point3& wi, Distribution&& d,
                                   Shadowing&& g) {
    const float cO = std::fabs(wo.z);
    const float cI = std::fabs(wi.z);
    Point3 h = wi + wo;
    if (!(cI > kCosFloor) || !(cO > kCosFloor)) return 0.0f;
    if (!(std::fabs(h.x) > kCosFloor) && !(std::fabs(h.y) > kCosFloor) &&
        !(std::fabs(h.z) > kCosFloor))
        return 0.0f;
    h = Normalize(h);
    return d(h) * g(wo, wi) / maxf(4.0f * cI * cO, kTinyFloor);
}

// Density (unfloored) and reflectance of one sampled pair, as the model's Pdf and F give them,
// with Λ(wo) evaluated once for the density's G1 and the reflectance's G.
struct DensityAndReflectance {
    float pdf, f;
};
template <class Distribution, class Lambda>
inline DensityAndReflectance densityAndReflectance(const Point3& wo, const Point3& wh,
                                                   const Point3& wi, Distribution&& d,
                                                   Lambda&& lambda) {
    const float lambdaO = lambda(wo);
    return {visibleNormalPdf(d(wh), smithG1(lambdaO), wo),
            microfacetReflectance(wo, wi, d, [&](const Point3&, const Point3& i) {
                return smithG(lambdaO, lambda(i));
            })};
}

// Visible normal for the view wi: stretch, draw unit-roughness slopes for the stretched
// view's inclination with `slopes(cosTheta, U1, U2)`, turn them to its azimuth, unstretch.
template <class Slopes>
inline Point3 sampleVisibleNormalStretched(const Point3& wi, float ax, float ay, float U1, float U2,
                                           Slopes&& slopes) {
    const Point3 wiStretched = Normalize(Point3(ax * wi.x, ay * wi.y, wi.z));
    Point2 slope = slopes(wiStretched.z, U1, U2);
    const float sinT = sinTheta(wiStretched);
    const float cosPhi = cosPhiFrom(wiStretched.x, sinT);
    const float sinPhi = sinPhiFrom(wiStretched.y, sinT);
    const float t = cosPhi * slope.x - sinPhi * slope.y;
    slope.y = sinPhi * slope.x + cosPhi * slope.y;
    slope.x = t;
    slope.x = ax * slope.x;
    slope.y = ay * slope.y;
    return Normalize(Point3(-slope.x, -slope.y, 1.0f));
}

// A view from below the frame is sampled flipped, and its half vector negated.
template <class VisibleNormal>
inline Point3 sampleHalfFlipped(const Point3& wo, const Point2& u, VisibleNormal&& visibleNormal) {
    if (wo.z < 0.0f) return -visibleNormal(-wo, u.x, u.y);
    return visibleNormal(wo, u.x, u.y);
}

}  // namespace brdf
