#include "shading/SamplingSupport.h"

#include <cmath>

#include "CRuntime.h"
#include "brdf/Conventions.h"

namespace {
// Rec. 709 primaries.
constexpr float kLumR = 0.2126f;
constexpr float kLumG = 0.7152f;
constexpr float kLumB = 0.0722f;
// Seed never used, so the sequence wraps from 2^32 - 2 to 0.
constexpr std::uint32_t kSkippedSeed = 0xFFFFFFFFu;
// Divisor of a draw: a draw of crt::kRandMax wraps to 0, so 1 is never reached.
constexpr int kDrawDivisor = crt::kRandMax;
// The view is turned about X by a quarter turn (pi/2 in single precision) to get a
// direction away from it.
constexpr Point3 kXAxis{1.0f, 0.0f, 0.0f};
constexpr float kQuarterTurn = 1.5707964f;
constexpr Point3 kYAxis{0.0f, 1.0f, 0.0f};
constexpr Point3 kZAxis{0.0f, 0.0f, 1.0f};
// Every shade call writes the seed; starting a cache line, it keeps off the line of data that
// other threads read on every pass.
constexpr std::size_t kCacheLine = 64;
}  // namespace

alignas(kCacheLine) std::atomic<std::uint32_t> shadeSeed{0};

float luminance(const Color& c) {
    return kLumR * c.r + kLumG * c.g + kLumB * c.b;
}

float fresnelConductor(float cosi, float eta, float k) {
    const float cos2 = cosi * cosi;
    const float s = eta * eta + k * k;
    const float t = s * cos2;
    const float parallel = (t - 2.0f * eta * cosi + 1.0f) / (t + 2.0f * eta * cosi + 1.0f);
    const float perpDenominator = s + 2.0f * eta * cosi + cos2;
    const float perpendicular =
        perpDenominator == 0.0f ? 1.0f : (s - 2.0f * eta * cosi + cos2) / perpDenominator;
    return std::fabs(parallel + perpendicular) / 2.0f;
}

void seedShadeRandom() {
    std::uint32_t seed = shadeSeed.load(std::memory_order_relaxed) + 1u;
    if (seed == kSkippedSeed) seed = 0;
    shadeSeed.store(seed, std::memory_order_relaxed);
    crt::srand(seed);
}

float rand01() {
    return static_cast<float>(crt::rand() % kDrawDivisor) / static_cast<float>(kDrawDivisor);
}

Point3 tangentFromNormal(const Point3& n, const Point3& v) {
    Point3 tangent = n ^ v;
    // A cross product too short to square counts as zero too: its normalisation would not be
    // finite either.
    if (!(Length(tangent) > 0.0f)) {
        const Point3 a = n ^ kYAxis;
        const Point3 b = n ^ kZAxis;
        tangent = Length(a) > Length(b) ? a : b;
        if (!(Length(tangent) > 0.0f)) return kXAxis;
    }
    return Normalize(tangent);
}

void tangentFrame(const Point3& n, const Point3& viewDir, Point3 tbnBasis[2]) {
    const RotMatrix mRot = rotationAboutAxis(kXAxis, kQuarterTurn);
    const Point3 rayTop = rotateByMatrix(mRot, viewDir);
    tbnBasis[0] = tangentFromNormal(n, rayTop);
    tbnBasis[1] = n ^ tbnBasis[0];
}
