#include "brdf/Ggx.h"

#include "brdf/Conventions.h"

namespace {
// Within this of the pole, v × z is too short to give a tangent; the x axis serves.
constexpr float kPoleCos = 0.999f;
// Keeps the masking denominators positive.
constexpr float kDenominatorFloor = 1e-6f;

}  // namespace

float ggxG1(float c, float alpha) {
    return 2.0f * c /
           brdf::maxf(c + std::sqrt(alpha + (1.0f - alpha) * (c * c)), kDenominatorFloor);
}

float ggxG2(float l, float c, float alpha) {
    return 2.0f * l * c /
           brdf::maxf(c * std::sqrt(alpha + (1.0f - alpha) * (l * l)) +
                          l * std::sqrt(alpha + (1.0f - alpha) * (c * c)),
                      kDenominatorFloor);
}

Point3 ggxSampleVisibleNormal(const Point3& V, float alpha, float U1, float U2) {
    using namespace brdf;
    const Point3 v = Normalize(Point3(alpha * V.x, alpha * V.y, V.z));
    const Point3 t1 =
        v.z >= kPoleCos ? Point3(1.0f, 0.0f, 0.0f) : Normalize(v ^ Point3(0.0f, 0.0f, 1.0f));
    const Point3 t2 = t1 ^ v;
    const float A = 1.0f / (1.0f + v.z);
    const float rho = std::sqrt(U1);
    // The disk is split into a half of share A seen face-on and a half foreshortened by v.z.
    const bool nearHalf = U2 < A;
    const float phi = nearHalf ? (U2 / A) * kPi : kPi + ((U2 - A) / (1.0f - A)) * kPi;
    const float P1 = rho * std::cos(phi);
    const float P2 = rho * std::sin(phi) * (nearHalf ? 1.0f : v.z);
    const Point3 n = t1 * P1 + t2 * P2 + v * std::sqrt(maxf(0.0f, 1.0f - P1 * P1 - P2 * P2));
    return Normalize(Point3(alpha * n.x, alpha * n.y, maxf(0.0f, n.z)));
}

BRDF_FLATTEN void brdfSampleGGX(Color& result, ShadeContext& sc, const Point2& rnd2d, float g,
                                Texmap* envMap, const Point3& normal) {
    const float alpha = (1.0f - g) * (1.0f - g);
    const brdf::Frame frame = brdf::normalFrame(normal);
    const Point3 rayDir = sc.V();
    const float cosV = normal % -rayDir;
    // A view at or below the surface sees no microfacets: no sample.
    if (!(cosV > 0.0f)) return;
    brdf::sampleMicrofacet(
        result, sc, envMap, normal, frame, rayDir,
        [&](const Point3& wo) { return ggxSampleVisibleNormal(wo, alpha, rnd2d.x, rnd2d.y); },
        [&](const Point3&, const Point3&, const Point3&, float cosL) {
            return ggxG2(cosL, cosV, alpha) / ggxG1(cosV, alpha);
        });
}
