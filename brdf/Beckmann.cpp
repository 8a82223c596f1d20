#include "brdf/Beckmann.h"

#include "brdf/Anisotropic.h"

namespace {
using namespace brdf;

// Squared roughness below which alpha stays at its floor (0.013403).
constexpr float kRoughnessFloor = 1e-4f;
// Walter's rational Lambda is 0 from here on.
constexpr float kLambdaCutoff = 1.6f;
// Limits the reflectance of very smooth surfaces seen obliquely.
constexpr float kReflectanceCap = 500.0f;
// Keeps the slope search's target and the second slope off the ends of erf's range.
constexpr float kUniformFloor = 1e-6f;
// The slope search stops once the distribution function is this close to its target.
constexpr float kSearchTolerance = 1e-5f;
// Newton steps of the slope search; the guarded start converges in a few.
constexpr int kSearchRounds = 9;
// erf⁻¹ diverges at ±1.
constexpr float kErfInvLimit = 0.99999f;
}  // namespace

float alphaFromRoughness(float x) {
    const float L = std::log(maxf(x, kRoughnessFloor));
    return 1.62142f + 0.819955f * L + 0.1734f * (L * L) + 0.0171201f * (L * L * L) +
           0.000640711f * (L * L * L * L);
}

namespace {
// Abramowitz and Stegun 7.1.26 with its factor exp(-x²) supplied, for a caller that needs
// that factor as well.
inline float erfApproxGivenGaussian(float x, float gaussian) {
    constexpr float p = 0.3275911f;
    constexpr float a1 = 0.254829592f, a2 = -0.284496736f, a3 = 1.421413741f, a4 = -1.453152027f,
                    a5 = 1.061405429f;
    const float ax = std::fabs(x);
    const float t = 1.0f / (1.0f + p * ax);
    const float y = 1.0f - (((((a5 * t + a4) * t) + a3) * t + a2) * t + a1) * t * gaussian;
    return x >= 0.0f ? y : -y;
}
}  // namespace

float erfApprox(float x) {
    const float ax = std::fabs(x);
    return erfApproxGivenGaussian(x, std::exp(-ax * ax));
}

float erfInvApprox(float x) {
    x = clampf(x, -kErfInvLimit, kErfInvLimit);
    float w = -std::log((1.0f - x) * (1.0f + x));
    float p;
    if (w < 5.0f) {
        w = w - 2.5f;
        p = 2.81022636e-08f;
        p = 3.43273939e-07f + p * w;
        p = -3.5233877e-06f + p * w;
        p = -4.39150654e-06f + p * w;
        p = 0.00021858087f + p * w;
        p = -0.00125372503f + p * w;
        p = -0.00417768164f + p * w;
        p = 0.246640727f + p * w;
        p = 1.50140941f + p * w;
    } else {
        w = std::sqrt(w) - 3.0f;
        p = -0.000200214257f;
        p = 0.000100950558f + p * w;
        p = 0.00134934322f + p * w;
        p = -0.00367342844f + p * w;
        p = 0.00573950773f + p * w;
        p = -0.0076224613f + p * w;
        p = 0.00943887047f + p * w;
        p = 1.00167406f + p * w;
        p = 2.83297682f + p * w;
    }
    return p * x;
}

float beckmannD(const Point3& wh, float ax, float ay) {
    const float tan2 = tan2Theta(wh);
    if (!std::isfinite(tan2)) return 0.0f;
    const float cos2 = cos2Theta(wh);
    const float cos4 = cos2 * cos2;
    return std::exp(-tan2 * inverseSlopeVariance(wh, ax, ay)) / (kPi * ax * ay * cos4);
}

float beckmannLambda(const Point3& w, float ax, float ay) {
    const float t = std::fabs(tanTheta(w));
    if (!std::isfinite(t)) return 0.0f;
    const float a = 1.0f / (projectedRoughness(w, ax, ay) * t);
    if (a >= kLambdaCutoff) return 0.0f;
    return (1.0f - 1.259f * a + 0.396f * (a * a)) / (3.535f * a + 2.181f * (a * a));
}

float beckmannG1(const Point3& w, float ax, float ay) {
    return smithG1(beckmannLambda(w, ax, ay));
}

float beckmannG(const Point3& wo, const Point3& wi, float ax, float ay) {
    return smithG(beckmannLambda(wo, ax, ay), beckmannLambda(wi, ax, ay));
}

float beckmannPdf(const Point3& wo, const Point3& wh, float ax, float ay) {
    return visibleNormalPdf(beckmannD(wh, ax, ay), beckmannG1(wo, ax, ay), wo);
}

float beckmannF(const Point3& wo, const Point3& wi, float ax, float ay) {
    return microfacetReflectance(
        wo, wi, [&](const Point3& h) { return beckmannD(h, ax, ay); },
        [&](const Point3& o, const Point3& i) { return beckmannG(o, i, ax, ay); });
}

Point2 beckmannSampleSlopes(float cosTheta, float U1, float U2) {
    if (cosTheta > kNormalIncidence) {
        const float rho = std::sqrt(-std::log(1.0f - U1));
        const float phi = kTwoPi * U2;
        return {rho * std::cos(phi), rho * std::sin(phi)};
    }
    const float sinT = std::sqrt(maxf(0.0f, 1.0f - cosTheta * cosTheta));
    const float tanT = sinT / cosTheta;
    const float cotT = 1.0f / tanT;

    // exp(-cot²θ), shared by erf and the normalisation below ((-|c|)·|c| is exactly -(c·c)).
    const float gaussian = std::exp(-(cotT * cotT));
    float a = -1.0f;
    float bHi = erfApproxGivenGaussian(cotT, gaussian);
    const float s = maxf(U1, kUniformFloor);

    // Heitz and d'Eon's fitted first guess of the inverse.
    const float theta = std::acos(cosTheta);
    const float fit = 1.0f + theta * (-0.876f + theta * (0.4265f - 0.0594f * theta));
    float b = bHi - (1.0f + bHi) * std::pow(1.0f - s, fit);

    // Independent of the search; stated first so that it overlaps with it.
    const float slopeY = erfInvApprox(2.0f * maxf(U2, kUniformFloor) - 1.0f);

    const float k = 1.0f / std::sqrt(kPi);
    const float norm = 1.0f / (1.0f + bHi + k * tanT * gaussian);
    for (int round = 0; round < kSearchRounds; ++round) {
        if (!(b >= a) || b > bHi) b = 0.5f * (a + bHi);
        const float e = erfInvApprox(b);
        const float value = norm * (1.0f + b + k * tanT * std::exp(-(e * e))) - s;
        const float derivative = norm * (1.0f - e * tanT);
        // Converged: e is already the slope of this b.
        if (!(std::fabs(value) >= kSearchTolerance)) return {e, slopeY};
        // Selects rather than a branch: the sign of the residual is a coin toss.
        const bool above = value > 0.0f;
        bHi = above ? b : bHi;
        a = above ? a : b;
        b = b - value / derivative;
    }
    return {erfInvApprox(b), slopeY};
}

Point3 beckmannSampleVisibleNormal(const Point3& wi, float ax, float ay, float U1, float U2) {
    return sampleVisibleNormalStretched(wi, ax, ay, U1, U2, beckmannSampleSlopes);
}

Point3 beckmannSampleHalf(const Point3& wo, const Point2& u, float ax, float ay) {
    return sampleHalfFlipped(wo, u, [&](const Point3& w, float U1, float U2) {
        return beckmannSampleVisibleNormal(w, ax, ay, U1, U2);
    });
}

BRDF_FLATTEN void brdfSampleBeckmann(Color& result, ShadeContext& sc, const Point2& rnd2d, float g,
                                     float anisotropy, float rotation, Texmap* envMap,
                                     const Point3& normal, const Point3 tbnBasis[2]) {
    const AnisotropicSetup s =
        anisotropicSetup(g, anisotropy, rotation, normal, tbnBasis, alphaFromRoughness);
    sampleMicrofacet(
        result, sc, envMap, normal, s.frame, sc.V(),
        [&](const Point3& wo) { return beckmannSampleHalf(wo, rnd2d, s.ax, s.ay); },
        [&](const Point3& wo, const Point3& wh, const Point3& wi, float c) {
            const DensityAndReflectance m = densityAndReflectance(
                wo, wh, wi, [&](const Point3& h) { return beckmannD(h, s.ax, s.ay); },
                [&](const Point3& w) { return beckmannLambda(w, s.ax, s.ay); });
            return c * minf(m.f, kReflectanceCap) / maxf(m.pdf, kTinyFloor);
        });
}
