// Reflection models: conventions, frames and the helpers every model shares.
//
// Directions
// ----------
//   normal   world  unit shading normal; "above the surface" means normal·d > 0.
//   ray_dir  world  the context's view direction V(): from the eye TOWARD the shaded point.
//   nx,ny,nz world  the local frame, nz = normal. Isotropic models take (nx, ny) from
//                   orthoBasis(normal); the anisotropic ones rotate the caller's tangents
//                   (Beckmann.h). That frame may be left-handed: only the components matter.
//   wo       local  toward the viewer: wo = -(ray_dir·nx, ray_dir·ny, ray_dir·nz).
//   wh       local  the sampled microfacet normal (half vector), unit.
//   wi       local  the sampled incoming direction, the mirror of wo about wh:
//                   wi = 2(wo·wh)wh - wo.
//   newDir   world  normalize(nx·wi.x + ny·wi.y + nz·wi.z): where the environment is looked up.
//   rnd2d    -      (u0, u1), uniform in [0, 1); u1 is never 0.
//
// A world vector v enters the frame as (v·nx, v·ny, v·nz); a local w leaves it as
// nx·w.x + ny·w.y + nz·w.z.
//
// Arithmetic
// ----------
// Everything is 32-bit float, evaluated in the order the formulas are written; min and max
// follow fminf/fmaxf (a NaN argument yields the other one); clamping is max then min.
// Samplers return the environment colour times weight = reflectance · cos / density.
#pragma once

#include <cmath>

#include "Color.h"
#include "Point2.h"
#include "Point3.h"
#include "ShadeContext.h"

// A rotation held as four rows of four floats; only the upper-left 3×3 block is used.
struct RotMatrix {
    float m[4][4] = {};
};

// Two unit tangents t1, t2 with (t1, t2, n) right-handed orthonormal, for a unit n.
void orthoBasis(const Point3& n, Point3& t1, Point3& t2);
// Rotation about the unit axis k by theta radians (right-hand rule).
RotMatrix rotationAboutAxis(const Point3& k, float theta);
// Upper-left 3×3 block of m times v.
Point3 rotateByMatrix(const RotMatrix& m, const Point3& v);
// (sinTheta·cos phi, sinTheta·sin phi, cosTheta).
Point3 dirFromAngles(float sinTheta, float cosTheta, float phi);

// A sampler is one short chain of dependent float operations; inlining every model function
// it calls lets the compiler schedule that chain as a whole.
#if defined(__GNUC__)
#define BRDF_FLATTEN [[gnu::flatten]]
#else
#define BRDF_FLATTEN
#endif

namespace brdf {

constexpr float kPi = 3.1415927f;
constexpr float kTwoPi = 6.2831855f;
constexpr float kInvTwoPi = 0.15915494f;

// fmaxf/fminf semantics without a library call or a branch: a NaN argument yields the other one.
inline float maxf(float a, float b) {
    const float m = a < b ? b : a;
    return a != a ? b : m;
}
inline float minf(float a, float b) {
    const float m = b < a ? b : a;
    return a != a ? b : m;
}
inline float clampf(float v, float lo, float hi) {
    return minf(maxf(v, lo), hi);
}

// Local-frame trigonometry of a unit vector w (z is cos theta).
inline float cos2Theta(const Point3& w) {
    return w.z * w.z;
}
inline float sin2Theta(const Point3& w) {
    return maxf(0.0f, 1.0f - cos2Theta(w));
}
inline float sinTheta(const Point3& w) {
    return std::sqrt(sin2Theta(w));
}
inline float tanTheta(const Point3& w) {
    return sinTheta(w) / w.z;
}
inline float tan2Theta(const Point3& w) {
    return sin2Theta(w) / cos2Theta(w);
}
// Azimuth from a component and a given sin theta; a vector along the axis has phi = 0.
inline float cosPhiFrom(float x, float sinT) {
    return sinT == 0.0f ? 1.0f : clampf(x / sinT, -1.0f, 1.0f);
}
inline float sinPhiFrom(float y, float sinT) {
    return sinT == 0.0f ? 0.0f : clampf(y / sinT, -1.0f, 1.0f);
}

struct Frame {
    Point3 nx, ny, nz;

    Point3 toLocal(const Point3& v) const { return {v % nx, v % ny, v % nz}; }
    Point3 toWorld(const Point3& w) const { return nx * w.x + ny * w.y + nz * w.z; }
};

inline void orthoBasisInline(const Point3& n, Point3& t1, Point3& t2) {
    if (std::fabs(n.x) > std::fabs(n.y)) {
        const float s = 1.0f / std::sqrt(n.x * n.x + n.z * n.z);
        t1 = Point3(-n.z * s, 0.0f, n.x * s);
    } else {
        const float s = 1.0f / std::sqrt(n.y * n.y + n.z * n.z);
        t1 = Point3(0.0f, n.z * s, -n.y * s);
    }
    t2 = n ^ t1;
}

// Rodrigues' rotation formula in matrix form.
inline RotMatrix rotationAboutAxisInline(const Point3& k, float theta) {
    const float c = std::cos(theta);
    const float s = std::sin(theta);
    const float t = 1.0f - c;
    RotMatrix r;
    r.m[0][0] = t * k.x * k.x + c;
    r.m[0][1] = t * k.x * k.y - s * k.z;
    r.m[0][2] = t * k.x * k.z + s * k.y;
    r.m[1][0] = t * k.y * k.x + s * k.z;
    r.m[1][1] = t * k.y * k.y + c;
    r.m[1][2] = t * k.y * k.z - s * k.x;
    r.m[2][0] = t * k.x * k.z - s * k.y;
    r.m[2][1] = t * k.z * k.y + s * k.x;
    r.m[2][2] = t * k.z * k.z + c;
    return r;
}

inline Point3 rotateByMatrixInline(const RotMatrix& m, const Point3& v) {
    return {m.m[0][0] * v.x + m.m[0][1] * v.y + m.m[0][2] * v.z,
            m.m[1][0] * v.x + m.m[1][1] * v.y + m.m[1][2] * v.z,
            m.m[2][0] * v.x + m.m[2][1] * v.y + m.m[2][2] * v.z};
}

inline Point3 dirFromAnglesInline(float sinTheta, float cosTheta, float phi) {
    return {sinTheta * std::cos(phi), sinTheta * std::sin(phi), cosTheta};
}

// The frame of the isotropic microfacet models: orthoBasis about the normal.
inline Frame normalFrame(const Point3& normal) {
    Frame f;
    orthoBasisInline(normal, f.nx, f.ny);
    f.nz = normal;
    return f;
}

// Mirror of wo about the unit vector wh.
inline Point3 reflectAbout(const Point3& wo, const Point3& wh) {
    return wh * (2.0f * (wo % wh)) - wo;
}

// The skeleton every microfacet sampler follows: wo from the context's view ray, a half
// vector from the model, the mirrored direction, the above-surface test, then the model's
// weight times the environment along that direction. `sampleHalf(wo)` returns wh;
// `weight(wo, wh, wi, cosL)` returns the weight. The result is left as it was for a
// direction that is not strictly above the surface (a NaN included).
template <class SampleHalf, class Weight>
inline void sampleMicrofacet(Color& result, ShadeContext& sc, Texmap* envMap, const Point3& normal,
                             const Frame& frame, const Point3& rayDir, SampleHalf&& sampleHalf,
                             Weight&& weight) {
    const Point3 wo = -frame.toLocal(rayDir);
    const Point3 wh = sampleHalf(wo);
    const Point3 wi = reflectAbout(wo, wh);
    const Point3 newDir = Normalize(frame.toWorld(wi));
    const float cosL = normal % newDir;
    if (!(cosL > 0.0f)) return;
    const float w = weight(wo, wh, wi, cosL);
    const AColor env = sc.EvalEnvironMap(envMap, newDir);
    result = Color(env.r * w, env.g * w, env.b * w);
}

}  // namespace brdf
