#include <gtest/gtest.h>

#include "brdf/Beckmann.h"
#include "tests/brdf/Expect.h"
#include "tests/brdf/TestContext.h"

namespace {

const Point3 kTbn[2] = {{1, 0, 0}, {0, 1, 0}};

TEST(Beckmann, AlphaFromRoughness) {
    const struct {
        float x;
        double alpha, digit;
    } cases[] = {
        {0.25f, 0.77472, 1e-5},     {0.140625f, 0.56046, 1e-5}, {0.0625f, 0.35396, 1e-5},
        {0.015625f, 0.17067, 1e-5}, {0.0025f, 0.07681, 1e-5},   {1e-4f, 0.013403, 1e-6},
        {1e-6f, 0.013403, 1e-6},    {0.0f, 0.013403, 1e-6},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(nearPrinted(alphaFromRoughness(c.x), c.alpha, c.digit)) << c.x;
}

TEST(Beckmann, DistributionAndLambda) {
    EXPECT_TRUE(nearPrinted(beckmannD({0, 0, 1}, 0.5f, 0.5f), 1.2732395, 1e-7));
    EXPECT_EQ(beckmannD({1, 0, 0}, 0.5f, 0.5f), 0.0f);
    // a = 1/(0.5·0.75) = 2.667 lies beyond the cut-off 1.6.
    EXPECT_EQ(beckmannLambda({0.6f, 0, 0.8f}, 0.5f, 0.5f), 0.0f);
    EXPECT_EQ(beckmannLambda({0, 0, 1}, 0.5f, 0.5f), 0.0f);
    EXPECT_EQ(beckmannLambda({1, 0, 0}, 0.5f, 0.5f), 0.0f);
    EXPECT_EQ(beckmannG1({1, 0, 0}, 0.5f, 0.5f), 1.0f);
}

TEST(Beckmann, SlopeExamples) {
    const struct {
        float cosTheta, U1, U2;
        float x, y;
    } cases[] = {
        {0.99995f, 0.3f, 0.6f, -0.48316f, -0.35104f},  // normal incidence, closed form
        {0.8f, 0.3f, 0.6f, -0.67911f, 0.17914f},       // slope search
    };
    for (const auto& c : cases) {
        const Point2 s = beckmannSampleSlopes(c.cosTheta, c.U1, c.U2);
        EXPECT_TRUE(nearPrinted(s.x, c.x, 1e-5)) << c.cosTheta;
        EXPECT_TRUE(nearPrinted(s.y, c.y, 1e-5)) << c.cosTheta;
    }
}

TEST(Beckmann, ErrorFunctionApproximations) {
    const struct {
        float (*fn)(float);
        float x;
        double expected, digit;
    } cases[] = {
        {erfApprox, 0.5f, 0.52050, 1e-5},
        {erfApprox, -1.0f, -0.84270, 1e-5},
        {erfApprox, 0.0f, 0.0, 1e-7},
        {erfInvApprox, 0.5f, 0.47694, 1e-5},
        {erfInvApprox, 0.0f, 0.0, 1e-9},
        {erfInvApprox, 0.999995f, 3.1234, 1e-4},
        {erfInvApprox, -0.999995f, -3.1234, 1e-4},
        {erfInvApprox, 0.99f, 1.82139, 1e-5},
    };
    for (const auto& c : cases) EXPECT_TRUE(nearPrinted(c.fn(c.x), c.expected, c.digit)) << c.x;
}

struct SamplerCase {
    Point3 rayDir;
    float u0, u1, g, anisotropy, rotation;
    Point3 wo, newDir;
    double pdf, f, weight;  // pdf or f < 0: not printed
};

TEST(Beckmann, SamplerExamples) {
    // clang-format off
    const SamplerCase cases[] = {
        {{0.6f, 0, -0.8f}, 0.3f, 0.6f, 0.5f, 0.0f, 0.0f, {0, 0.6f, 0.8f}, {0.29272f, 0.11095f, 0.94974f}, 0.64374, 0.67781, 1.0000},
        {{0.6f, 0, -0.8f}, 0.3f, 0.6f, 0.5f, 0.5f, 0.0f, {0, -0.6f, 0.8f}, {0.47632f, -0.10608f, 0.87285f}, -1, -1, 1.0000},
        {{0.6f, 0, -0.8f}, 0.3f, 0.6f, 0.5f, 0.5f, 0.25f, {0.6f, 0, 0.8f}, {0.29180f, -0.05366f, 0.95497f}, 1.32711, 1.38969, 1.0000},
        {{0, 0, -1}, 0.7f, 0.2f, 0.2f, 0.0f, 0.0f, {0, 0, 1}, {0.87532f, -0.28441f, 0.39106f}, 0.13573, 0.31942, 0.92031},
    };
    // clang-format on
    const Point3 normal{0, 0, 1};
    for (const auto& c : cases) {
        TestShadeContext sc;
        sc.rayDir = c.rayDir;
        Color result = kUnwritten;
        brdfSampleBeckmann(result, sc, {c.u0, c.u1}, c.g, c.anisotropy, c.rotation, fakeMap(4),
                           normal, kTbn);
        ASSERT_EQ(sc.lookups, 1);
        EXPECT_EQ(sc.lastMap, fakeMap(4));
        EXPECT_TRUE(nearPrinted(sc.lastDir, c.newDir, 1e-5)) << c.anisotropy << " " << c.rotation;
        EXPECT_TRUE(nearPrinted(result.r, c.weight, 1e-4)) << c.anisotropy << " " << c.rotation;

        const float r = 0.5f - 0.5f * c.g;
        const float q = 1.0f - c.anisotropy;
        const float ax = alphaFromRoughness(r * r);
        const float ay = alphaFromRoughness(r * r * q * q);
        const Point3 wh = beckmannSampleHalf(c.wo, {c.u0, c.u1}, ax, ay);
        const Point3 wi = wh * (2.0f * (c.wo % wh)) - c.wo;
        if (c.pdf >= 0) {
            EXPECT_TRUE(nearPrinted(beckmannPdf(c.wo, wh, ax, ay), c.pdf, 1e-5));
        }
        if (c.f >= 0) {
            EXPECT_TRUE(nearPrinted(beckmannF(c.wo, wi, ax, ay), c.f, 1e-5));
        }
    }
    EXPECT_TRUE(nearPrinted(beckmannSampleHalf({0, 0.6f, 0.8f}, {0.3f, 0.6f}, 0.35396f, 0.35396f),
                            {0.06233f, 0.17263f, 0.98301f}, 1e-5));
}

TEST(Beckmann, AnisotropyExtremes) {
    // Without anisotropy the rotation and tangents are not used.
    const Point3 oddTbn[2] = {Normalize({1, 1, 0}), Normalize({-1, 1, 0})};
    for (float rotation : {0.0f, 0.3f, 0.9f}) {
        TestShadeContext a, b;
        a.rayDir = b.rayDir = Normalize({0.3f, 0.2f, -0.8f});
        Color ra, rb;
        brdfSampleBeckmann(ra, a, {0.4f, 0.7f}, 0.4f, 0.0f, 0.0f, fakeMap(4), {0, 0, 1}, kTbn);
        brdfSampleBeckmann(rb, b, {0.4f, 0.7f}, 0.4f, 0.0f, rotation, fakeMap(4), {0, 0, 1},
                           oddTbn);
        EXPECT_EQ(ra, rb);
        EXPECT_EQ(a.lastDir, b.lastDir);
    }
}

// A view from below the frame is sampled flipped and its half vector negated.
TEST(Beckmann, HalfVectorForViewBelowFrame) {
    const Point3 wo = Normalize({0.3f, -0.5f, -0.6f});
    const Point3 wh = beckmannSampleHalf(wo, {0.3f, 0.6f}, 0.3f, 0.2f);
    EXPECT_EQ(wh, -beckmannSampleVisibleNormal(-wo, 0.3f, 0.2f, 0.3f, 0.6f));
    EXPECT_LT(wh.z, 0.0f);
}

TEST(Beckmann, FZeroCases) {
    const Point3 wo = Normalize({0.3f, -0.4f, 0.5f});
    EXPECT_EQ(beckmannF(wo, -wo, 0.3f, 0.3f), 0.0f);
    EXPECT_EQ(beckmannF(wo, {0.6f, 0.8f, 0.0f}, 0.3f, 0.3f), 0.0f);
}

}  // namespace

#include "brdf/Anisotropic.h"
#include "brdf/Trggx.h"
#include "tests/brdf/Statistics.h"

namespace {

struct LobeCase {
    Point3 rayDir;
    float g, anisotropy, rotation;
};

const LobeCase kBeckmannCases[] = {
    {{0, 0, -1}, 0.2f, 0.0f, 0.0f},
    {{0.6f, 0, -0.8f}, 0.5f, 0.0f, 0.0f},
    {{0.6f, 0, -0.8f}, 0.75f, 0.0f, 0.0f},
    {{-0.9539392f, 0, -0.3f}, 0.3f, 0.0f, 0.0f},
    {{0.6f, 0, -0.8f}, 0.5f, 0.5f, 0.0f},
    {{0.3f, 0.5f, -0.8124038f}, 0.4f, 0.8f, 0.15f},
    {{-0.7f, 0.2f, -0.6855655f}, 0.6f, 0.6f, 0.6f},
};

// Directions follow the density the weight divides by (beckmannPdf, Walter's Lambda inside
// G1), and the mean weight is the albedo of the capped reflectance: the cap holds nowhere
// at these roughnesses, so both match.
TEST(Beckmann, SampledDirectionsFollowTheWeightsDensity) {
    constexpr int kSamples = 200000;
    const Point3 normal{0, 0, 1};
    std::uint32_t seed = 100;
    for (const LobeCase& c : kBeckmannCases) {
        const brdf::AnisotropicSetup s =
            brdf::anisotropicSetup(c.g, c.anisotropy, c.rotation, normal, kTbn, alphaFromRoughness);
        stats::Grid grid;
        grid.frame = brdf::normalFrame(normal);
        const Point3 wo = -s.frame.toLocal(c.rayDir);
        const auto density = [&](const Point3& d) {
            const Point3 h = Normalize(wo + s.frame.toLocal(d));
            return h.z > 0.0f ? static_cast<double>(beckmannPdf(wo, h, s.ax, s.ay)) : 0.0;
        };
        const auto reflectance = [&](const Point3& d) {
            const Point3 wi = s.frame.toLocal(d);
            return wi.z > 0.0f ? static_cast<double>(
                                     std::fmin(beckmannF(wo, wi, s.ax, s.ay), 500.0f) * wi.z)
                               : 0.0;
        };
        TestShadeContext sc;
        sc.rayDir = c.rayDir;
        const stats::SampleRun r =
            stats::run(grid, sc, kSamples, seed++, [&](Color& res, ShadeContext& ctx, Point2 u) {
                brdfSampleBeckmann(res, ctx, u, c.g, c.anisotropy, c.rotation, fakeMap(4), normal,
                                   kTbn);
            });
        EXPECT_EQ(r.badWeights, 0);
        const auto expected = stats::expectedCounts(stats::integrate(grid, density), kSamples);
        EXPECT_TRUE(stats::passes(stats::pearson(r.counts, expected), std::size(kBeckmannCases)))
            << "g " << c.g << " anisotropy " << c.anisotropy << " rotation " << c.rotation;
        EXPECT_TRUE(stats::furnaceMatches(r, stats::sum(stats::integrate(grid, reflectance))))
            << "g " << c.g << " anisotropy " << c.anisotropy << " rotation " << c.rotation;
    }
}

// Near a mirror the reflectance peaks near 1772 and the cap of 500 takes a good part of the
// energy out of the weight; TRGGX, uncapped, keeps its mean weight near G/G1 = 1 on the same lobe.
TEST(Beckmann, CapLimitsMirrorLikeLobe) {
    const struct {
        void (*sampler)(Color&, ShadeContext&, const Point2&, float, float, float, Texmap*,
                        const Point3&, const Point3*);
        double lo, hi;
    } cases[] = {{brdfSampleBeckmann, 0.5, 0.75}, {brdfSampleTRGGX, 0.97, 1.01}};
    for (const auto& c : cases) {
        TestShadeContext sc;
        sc.rayDir = {0, -0.8660254f, -0.5f};
        stats::Uniforms u(7);
        double sum = 0.0;
        constexpr int kSamples = 20000;
        for (int k = 0; k < kSamples; ++k) {
            Color result = kUnwritten;
            c.sampler(result, sc, u.pair(), 0.99f, 0.0f, 0.0f, fakeMap(4), {0, 0, 1}, kTbn);
            sum += static_cast<double>(result.r);
        }
        EXPECT_GT(sum / kSamples, c.lo);
        EXPECT_LT(sum / kSamples, c.hi);
    }
}

}  // namespace
