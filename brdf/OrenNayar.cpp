#include "brdf/OrenNayar.h"

#include "brdf/Conventions.h"

namespace {
// Roughness 1 is a slope deviation of 90 degrees.
constexpr float kHalfPi = 1.5707964f;
// Below this sine a direction is taken as the normal and has no azimuth.
constexpr double kAzimuthSinFloor = 1e-4;
// Keeps tan beta finite at grazing cosines.
constexpr float kCosFloor = 1e-20f;
}  // namespace

BRDF_FLATTEN float orenNayarFactor(const Point3& L, const Point3& E, const Point3& n, float r) {
    using namespace brdf;
    const float cosI = L % n;
    const float cosO = E % n;
    const float sinI = std::sqrt(maxf(0.0f, 1.0f - cosI * cosI));
    const float sinO = std::sqrt(maxf(0.0f, 1.0f - cosO * cosO));
    const float sigma = r * kHalfPi;
    const float sigma2 = sigma * sigma;
    const float A = 1.0f - sigma2 / (2.0f * (sigma2 + 0.33f));
    const float B = 0.45f * sigma2 / (sigma2 + 0.09f);

    float azimuth = 0.0f;
    if (static_cast<double>(sinI) > kAzimuthSinFloor &&
        static_cast<double>(sinO) > kAzimuthSinFloor) {
        const Frame frame = normalFrame(n);
        // Both sides negated; the azimuth cosine below is blind to that sign.
        const Point3 wi = -frame.toLocal(L);
        const Point3 wo = -frame.toLocal(E);
        const float cosPhiI = cosPhiFrom(wi.x, sinI);
        const float sinPhiI = sinPhiFrom(wi.y, sinI);
        const float cosPhiO = cosPhiFrom(wo.x, sinO);
        const float sinPhiO = sinPhiFrom(wo.y, sinO);
        azimuth = maxf(0.0f, cosPhiI * cosPhiO + sinPhiI * sinPhiO);
    }

    float sinAlpha;
    float tanBeta;
    if (std::fabs(cosI) > std::fabs(cosO)) {
        sinAlpha = sinO;
        tanBeta = sinI / maxf(std::fabs(cosI), kCosFloor);
    } else {
        sinAlpha = sinI;
        tanBeta = sinO / maxf(std::fabs(cosO), kCosFloor);
    }
    return A + B * azimuth * sinAlpha * tanBeta;
}
