// What the anisotropic microfacet models (Beckmann, TRGGX) share: the roughness pair, the
// rotated tangent frame, and visible-normal sampling by stretching the view to the unit-
// roughness configuration (Heitz and d'Eon 2014).
#pragma once

#include "brdf/Conventions.h"

namespace brdf {

// Roughness pairs closer than this are isotropic: the frame ignores the tangents.
constexpr float kIsotropyTolerance = 1e-5f;

struct AnisotropicSetup {
    float ax, ay;
    Frame frame;
};

// (ax, ay) from glossiness g and anisotropy, and the frame in which ax acts along nx: the
// caller's second tangent turned by `rotation` turns about the normal; ay acts along the
// turned first tangent. `alphaOf` is the model's roughness mapping.
template <class AlphaOf>
inline AnisotropicSetup anisotropicSetup(float g, float anisotropy, float rotation, const Point3& normal,
                                         const Point3 tbnBasis[2], AlphaOf&& alphaOf) {
    const float r = 0.5f - 0.5f * g;
    const float q = 1.0f - anisotropy;
    AnisotropicSetup s;
    const float rx = r * r;
    const float ry = r * r * q * q;
    s.ax = alphaOf(rx);
    s.ay = ry == rx ? s.ax : alphaOf(ry);  // isotropic: the same mapping of the same value
    if (std::fabs(s.ax - s.ay) > kIsotropyTolerance) {
        const RotMatrix mRot = rotationAboutAxis(normal, kTwoPi * rotation);
        s.frame.nx = rotateByMatrix(mRot, tbnBasis[1]);
        s.frame.ny = rotateByMatrix(mRot, tbnBasis[0]);
        s.frame.nz = normal;
    } else {
        s.frame = normalFrame(normal);
    }
    return s;
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

} // namespace brdf
