#include "brdf/TorranceSparrow.h"

#include "brdf/Conventions.h"

namespace {
// 8·pi: the Blinn density (n+1)/(2 pi) over the half-vector Jacobian 1/(4 wo·wh).
constexpr float kEightPi = 25.132742f;
// Keeps the reflected-direction density finite when wo is perpendicular to wh.
constexpr float kJacobianFloor = 1e-6f;
// Keeps divisors positive.
constexpr float kTinyFloor = 1e-20f;
// Limits the geometric factor at grazing angles.
constexpr float kGeomFactorCap = 250.0f;
}  // namespace

float torrSparrG(const Point3& wo, const Point3& wi, const Point3& h) {
    using namespace brdf;
    const float d = maxf(std::fabs(wo % h), kTinyFloor);
    return minf(1.0f, minf(2.0f * std::fabs(h.z) * std::fabs(wo.z) / d,
                           2.0f * std::fabs(h.z) * std::fabs(wi.z) / d));
}

float torrSparrGeomFactor(const Point3& wo, const Point3& wi) {
    using namespace brdf;
    const float cO = std::fabs(wo.z);
    const float cI = std::fabs(wi.z);
    if (cI == 0.0f || cO == 0.0f) return 0.0f;
    Point3 h = wi + wo;
    if (h.x == 0.0f && h.y == 0.0f && h.z == 0.0f) return 0.0f;
    h = Normalize(h);
    const float G = torrSparrG(wo, wi, h);
    return minf(G / maxf(4.0f * cI * cO, kTinyFloor), kGeomFactorCap);
}

BRDF_FLATTEN void brdfSampleTorrSparr(Color& result, ShadeContext& sc, const Point2& rnd2d, float n,
                                      Texmap* envMap, const Point3& normal) {
    using namespace brdf;
    const Frame frame = normalFrame(normal);
    const float cosH = std::pow(rnd2d.y, 1.0f / (n + 1.0f));
    const float sinH = std::sqrt(maxf(0.0f, 1.0f - cosH * cosH));
    const float phi = kTwoPi * rnd2d.x;
    sampleMicrofacet(
        result, sc, envMap, normal, frame, sc.V(),
        [&](const Point3&) { return brdf::dirFromAnglesInline(sinH, cosH, phi); },
        [&](const Point3& wo, const Point3& wh, const Point3& wi, float c) {
            const float cosHn = std::pow(cosH, n);
            const float D = ((n + 2.0f) * kInvTwoPi) * cosHn;
            const float geom = torrSparrGeomFactor(wo, wi);
            const float pdf = ((n + 1.0f) * cosHn) / maxf(kEightPi * (wo % wh), kJacobianFloor);
            return c * D * geom / pdf;
        });
}
