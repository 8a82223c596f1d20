#include "brdf/Trggx.h"

#include "brdf/Anisotropic.h"
#include "brdf/Beckmann.h"

namespace {
using namespace brdf;

// Bounds the quadratic's coefficient where A² reaches 1.
constexpr float kQuadraticCap = 1e10f;
}  // namespace

float trggxD(const Point3& wh, float ax, float ay) {
    const float tan2 = tan2Theta(wh);
    if (!std::isfinite(tan2)) return 0.0f;
    const float cos2 = cos2Theta(wh);
    const float cos4 = cos2 * cos2;
    const float e = inverseSlopeVariance(wh, ax, ay) * tan2;
    return 1.0f / (kPi * ax * ay * cos4 * (1.0f + e) * (1.0f + e));
}

float trggxLambda(const Point3& w, float ax, float ay) {
    const float t = std::fabs(tanTheta(w));
    if (!std::isfinite(t)) return 0.0f;
    const float h = projectedRoughness(w, ax, ay) * t;
    return (std::sqrt(1.0f + h * h) - 1.0f) / 2.0f;
}

float trggxG1(const Point3& w, float ax, float ay) {
    return smithG1(trggxLambda(w, ax, ay));
}

float trggxG(const Point3& wo, const Point3& wi, float ax, float ay) {
    return smithG(trggxLambda(wo, ax, ay), trggxLambda(wi, ax, ay));
}

float trggxPdf(const Point3& wo, const Point3& wh, float ax, float ay) {
    return visibleNormalPdf(trggxD(wh, ax, ay), trggxG1(wo, ax, ay), wo);
}

float trggxF(const Point3& wo, const Point3& wi, float ax, float ay) {
    return microfacetReflectance(
        wo, wi, [&](const Point3& h) { return trggxD(h, ax, ay); },
        [&](const Point3& o, const Point3& i) { return trggxG(o, i, ax, ay); });
}

Point2 trggxSampleSlopes(float cosTheta, float U1, float U2) {
    if (cosTheta > kNormalIncidence) {
        const float rho = std::sqrt(U1 / (1.0f - U1));
        const float phi = kTwoPi * U2;
        return {rho * std::cos(phi), rho * std::sin(phi)};
    }
    const float sinT = std::sqrt(maxf(0.0f, 1.0f - cosTheta * cosTheta));
    const float tanT = sinT / cosTheta;
    const float a = 1.0f / tanT;
    const float G1 = 2.0f / (1.0f + std::sqrt(1.0f + 1.0f / (a * a)));

    // slope_x solves a quadratic in the inverted distribution function (Heitz and d'Eon 2014).
    const float A = 2.0f * U1 / G1 - 1.0f;
    float tmp = 1.0f / (A * A - 1.0f);
    if (tmp > kQuadraticCap) tmp = kQuadraticCap;
    const float B = tanT;
    const float D = std::sqrt(maxf(B * B * (tmp * tmp) - (A * A - B * B) * tmp, 0.0f));
    const float s1 = B * tmp - D;
    const float s2 = B * tmp + D;
    const float slopeX = (A < 0.0f || s2 > 1.0f / tanT) ? s1 : s2;

    float S;
    if (U2 > 0.5f) {
        S = 1.0f;
        U2 = 2.0f * (U2 - 0.5f);
    } else {
        S = -1.0f;
        U2 = 2.0f * (0.5f - U2);
    }
    const float z = (U2 * (U2 * (U2 * 0.27385f - 0.73369f) + 0.46341f)) /
                    (U2 * (U2 * (U2 * 0.093073f + 0.309420f) - 1.0f) + 0.597999f);
    return {slopeX, S * z * std::sqrt(1.0f + slopeX * slopeX)};
}

Point3 trggxSampleVisibleNormal(const Point3& wi, float ax, float ay, float U1, float U2) {
    return sampleVisibleNormalStretched(wi, ax, ay, U1, U2, trggxSampleSlopes);
}

Point3 trggxSampleHalf(const Point3& wo, const Point2& u, float ax, float ay) {
    return sampleHalfFlipped(wo, u, [&](const Point3& w, float U1, float U2) {
        return trggxSampleVisibleNormal(w, ax, ay, U1, U2);
    });
}

BRDF_FLATTEN void brdfSampleTRGGX(Color& result, ShadeContext& sc, const Point2& rnd2d, float g,
                                  float anisotropy, float rotation, Texmap* envMap,
                                  const Point3& normal, const Point3 tbnBasis[2]) {
    const AnisotropicSetup s =
        anisotropicSetup(g, anisotropy, rotation, normal, tbnBasis, alphaFromRoughness);
    sampleMicrofacet(
        result, sc, envMap, normal, s.frame, sc.V(),
        [&](const Point3& wo) { return trggxSampleHalf(wo, rnd2d, s.ax, s.ay); },
        [&](const Point3& wo, const Point3& wh, const Point3& wi, float c) {
            const DensityAndReflectance m = densityAndReflectance(
                wo, wh, wi, [&](const Point3& h) { return trggxD(h, s.ax, s.ay); },
                [&](const Point3& w) { return trggxLambda(w, s.ax, s.ay); });
            return c * m.f / maxf(m.pdf, kTinyFloor);
        });
}
