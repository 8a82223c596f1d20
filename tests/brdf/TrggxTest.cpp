#include <gtest/gtest.h>

#include <algorithm>

#include "brdf/Beckmann.h"
#include "brdf/Trggx.h"
#include "tests/brdf/Expect.h"
#include "tests/brdf/TestContext.h"

namespace {

const Point3 kTbn[2] = {{1, 0, 0}, {0, 1, 0}};

TEST(Trggx, DistributionAndLambda) {
    EXPECT_TRUE(nearPrinted(trggxD({0, 0, 1}, 0.5f, 0.5f), 1.2732395, 1e-7));
    EXPECT_EQ(trggxD({1, 0, 0}, 0.5f, 0.5f), 0.0f);
    EXPECT_TRUE(nearPrinted(trggxLambda({0.6f, 0, 0.8f}, 0.5f, 0.5f), 0.0340002, 1e-7));
    EXPECT_EQ(trggxLambda({0, 0, 1}, 0.5f, 0.5f), 0.0f);
    EXPECT_EQ(trggxLambda({1, 0, 0}, 0.5f, 0.5f), 0.0f);
}

TEST(Trggx, SlopeExamples) {
    const struct {
        float cosTheta, U1, U2;
        float x, y;
    } cases[] = {
        {0.8f, 0.3f, 0.6f, -1.27718f, 0.25853f},
        {0.99995f, 0.3f, 0.6f, -0.52963f, -0.38480f},  // normal incidence, closed form
        {0.5f, 0.9f, 0.1f, -0.03122f, -0.94773f},
    };
    for (const auto& c : cases) {
        const Point2 s = trggxSampleSlopes(c.cosTheta, c.U1, c.U2);
        EXPECT_TRUE(nearPrinted(s.x, c.x, 1e-5)) << c.cosTheta;
        EXPECT_TRUE(nearPrinted(s.y, c.y, 1e-5)) << c.cosTheta;
    }
}

// At the roughness floor, seen at 60 degrees, both reflectances are near 1772; the TRGGX
// sampler uses its value as it is while Beckmann's sampler caps its own at 500.
TEST(Trggx, ReflectanceAtRoughnessFloor) {
    const float a = 0.013402f;
    const Point3 wo{0, 0.8660254f, 0.5f}, wi{0, -0.8660254f, 0.5f};
    EXPECT_TRUE(nearPrinted(trggxF(wo, wi, a, a), 1771.6, 0.1));
    EXPECT_TRUE(nearPrinted(beckmannF(wo, wi, a, a), 1772.1, 0.1));
}

TEST(Trggx, SamplerExamples) {
    // clang-format off
    const struct {
        Point3 rayDir;
        float u0, u1, g, anisotropy, rotation;
        Point3 wo, newDir;
        double pdf, f, weight;
    } cases[] = {
        {{0.6f, 0, -0.8f}, 0.3f, 0.6f, 0.5f, 0.0f, 0.0f, {0, 0.6f, 0.8f}, {0.12430f, 0.12602f, 0.98421f}, 0.34985, 0.35511, 0.99901},
        {{0.6f, 0, -0.8f}, 0.3f, 0.6f, 0.5f, 0.5f, 0.25f, {0.6f, 0, 0.8f}, {0.12260f, -0.06098f, 0.99058f}, 0.72040, 0.72689, 0.99950},
        {{0, 0, -1}, 0.7f, 0.2f, 0.2f, 0.0f, 0.0f, {0, 0, 1}, {0.94785f, -0.30798f, 0.08203f}, 0.06730, 0.19548, 0.23826},
    };
    // clang-format on
    for (const auto& c : cases) {
        TestShadeContext sc;
        sc.rayDir = c.rayDir;
        Color result = kUnwritten;
        brdfSampleTRGGX(result, sc, {c.u0, c.u1}, c.g, c.anisotropy, c.rotation, fakeMap(5),
                        {0, 0, 1}, kTbn);
        ASSERT_EQ(sc.lookups, 1);
        EXPECT_EQ(sc.lastMap, fakeMap(5));
        EXPECT_TRUE(nearPrinted(sc.lastDir, c.newDir, 1e-5)) << c.anisotropy << " " << c.rotation;
        EXPECT_TRUE(nearPrinted(result.r, c.weight, 1e-5)) << c.anisotropy << " " << c.rotation;

        const float r = 0.5f - 0.5f * c.g;
        const float q = 1.0f - c.anisotropy;
        const float ax = alphaFromRoughness(r * r);
        const float ay = alphaFromRoughness(r * r * q * q);
        const Point3 wh = trggxSampleHalf(c.wo, {c.u0, c.u1}, ax, ay);
        const Point3 wi = wh * (2.0f * (c.wo % wh)) - c.wo;
        EXPECT_TRUE(nearPrinted(trggxPdf(c.wo, wh, ax, ay), c.pdf, 1e-5));
        EXPECT_TRUE(nearPrinted(trggxF(c.wo, wi, ax, ay), c.f, 1e-5));
    }
    EXPECT_TRUE(nearPrinted(trggxSampleHalf({0, 0.6f, 0.8f}, {0.3f, 0.6f}, 0.35396f, 0.35396f),
                            {0.06809f, 0.25702f, 0.96400f}, 1e-5));
}

TEST(Trggx, HalfVectorForViewBelowFrame) {
    const Point3 wo = Normalize({0.3f, -0.5f, -0.6f});
    const Point3 wh = trggxSampleHalf(wo, {0.3f, 0.6f}, 0.3f, 0.2f);
    EXPECT_EQ(wh, -trggxSampleVisibleNormal(-wo, 0.3f, 0.2f, 0.3f, 0.6f));
    EXPECT_LT(wh.z, 0.0f);
}

}  // namespace

#include "brdf/Anisotropic.h"
#include "tests/brdf/Statistics.h"

namespace {

struct LobeCase {
    Point3 rayDir;
    float g, anisotropy, rotation;
};

const LobeCase kTrggxCases[] = {
    {{0, 0, -1}, 0.2f, 0.0f, 0.0f},
    {{0.6f, 0, -0.8f}, 0.5f, 0.0f, 0.0f},
    {{0.6f, 0, -0.8f}, 0.75f, 0.0f, 0.0f},
    {{-0.9539392f, 0, -0.3f}, 0.3f, 0.0f, 0.0f},
    {{0.6f, 0, -0.8f}, 0.5f, 0.5f, 0.25f},
    {{0.3f, 0.5f, -0.8124038f}, 0.4f, 0.8f, 0.15f},
    {{-0.7f, 0.2f, -0.6855655f}, 0.6f, 0.6f, 0.6f},
};

// The second unit-roughness slope is drawn as t·sqrt(1 + slope_x²), |t| = z(U) with Heitz and
// d'Eon's rational fit z in place of the exact inverse of t's distribution 2/(pi (1 + t²)²).
// The fit is off by about a percent here and there (and ends at z(1) ≈ 7.3), which 200000
// samples resolve; so the sampler's own density is trggxPdf times fitRatio(t).
double fitZ(double u) {
    return (u * (u * (u * 0.27385 - 0.73369) + 0.46341)) /
           (u * (u * (u * 0.093073 + 0.309420) - 1.0) + 0.597999);
}

double fitRatio(double t) {
    const double a = std::fabs(t);
    if (a >= fitZ(1.0)) return 0.0;
    double lo = 0.0, hi = 1.0;
    for (int k = 0; k < 60; ++k) (fitZ(0.5 * (lo + hi)) < a ? lo : hi) = 0.5 * (lo + hi);
    const double u = 0.5 * (lo + hi), du = 1e-7;
    const double dz = (fitZ(std::min(u + du, 1.0)) - fitZ(std::max(u - du, 0.0))) /
                      (std::min(u + du, 1.0) - std::max(u - du, 0.0));
    const double fitDensity = 0.5 / dz;
    const double exactDensity = 2.0 / (stats::kPi * (1.0 + a * a) * (1.0 + a * a));
    return fitDensity / exactDensity;
}

// fitRatio at the half vector h for the view wo (above the frame): t from the unit-roughness
// slopes that produced h, found by undoing the unstretch and the turn to the stretched view's
// azimuth.
double fitRatioAt(const Point3& wo, const Point3& h, float ax, float ay) {
    const stats::Vec v = stats::toDouble(Normalize(Point3(ax * wo.x, ay * wo.y, wo.z)));
    if (v.z > 0.9999) return 1.0;  // normal incidence: both slopes in closed form
    const stats::Vec hd = stats::toDouble(h);
    const double sinT = std::sqrt(std::max(0.0, 1.0 - v.z * v.z));
    const double cosPhi = v.x / sinT, sinPhi = v.y / sinT;
    const double x = -hd.x / hd.z / static_cast<double>(ax),
                 y = -hd.y / hd.z / static_cast<double>(ay);
    const double sx = cosPhi * x + sinPhi * y;
    const double sy = -sinPhi * x + cosPhi * y;
    return fitRatio(sy / std::sqrt(1.0 + sx * sx));
}

// Directions follow that density and the mean weight is the albedo of trggxF weighted by the
// same ratio; the reflectance itself is not capped.
TEST(Trggx, SampledDirectionsFollowTheWeightsDensity) {
    constexpr int kSamples = 200000;
    const Point3 normal{0, 0, 1};
    std::uint32_t seed = 200;
    for (const LobeCase& c : kTrggxCases) {
        const brdf::AnisotropicSetup s =
            brdf::anisotropicSetup(c.g, c.anisotropy, c.rotation, normal, kTbn, alphaFromRoughness);
        stats::Grid grid;
        grid.frame = brdf::normalFrame(normal);
        const Point3 wo = -s.frame.toLocal(c.rayDir);
        const auto density = [&](const Point3& d) {
            const Point3 h = Normalize(wo + s.frame.toLocal(d));
            if (!(h.z > 0.0f)) return 0.0;
            return static_cast<double>(trggxPdf(wo, h, s.ax, s.ay)) * fitRatioAt(wo, h, s.ax, s.ay);
        };
        const auto reflectance = [&](const Point3& d) {
            const Point3 wi = s.frame.toLocal(d);
            const Point3 h = Normalize(wo + wi);
            if (!(wi.z > 0.0f) || !(h.z > 0.0f)) return 0.0;
            return static_cast<double>(trggxF(wo, wi, s.ax, s.ay) * wi.z) *
                   fitRatioAt(wo, h, s.ax, s.ay);
        };
        TestShadeContext sc;
        sc.rayDir = c.rayDir;
        const stats::SampleRun r =
            stats::run(grid, sc, kSamples, seed++, [&](Color& res, ShadeContext& ctx, Point2 u) {
                brdfSampleTRGGX(res, ctx, u, c.g, c.anisotropy, c.rotation, fakeMap(5), normal,
                                kTbn);
            });
        EXPECT_EQ(r.badWeights, 0);
        const auto expected = stats::expectedCounts(stats::integrate(grid, density), kSamples);
        EXPECT_TRUE(stats::passes(stats::pearson(r.counts, expected), std::size(kTrggxCases)))
            << "g " << c.g << " anisotropy " << c.anisotropy << " rotation " << c.rotation;
        EXPECT_TRUE(stats::furnaceMatches(r, stats::sum(stats::integrate(grid, reflectance))))
            << "g " << c.g << " anisotropy " << c.anisotropy << " rotation " << c.rotation;
    }
}

}  // namespace
