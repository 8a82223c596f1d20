#include <gtest/gtest.h>

#include "brdf/Ggx.h"
#include "tests/brdf/Expect.h"
#include "tests/brdf/Statistics.h"
#include "tests/brdf/TestContext.h"

namespace {

TEST(Ggx, VisibleNormalExamples) {
    const struct {
        Point3 V;
        float alpha, U1, U2;
        Point3 expected;
    } cases[] = {
        {{0, 0, 1}, 1.0f, 0.25f, 0.25f, {0, -0.5f, 0.8660254f}},
        {{0, 0, 1}, 0.25f, 0.25f, 0.25f, {0, -0.1428571f, 0.9897433f}},
        // Stretched view at cos 0.9995, past 0.999 but short of 0.9999: the tangent is the x
        // axis, so a near quarter turn on the disk lands near y = -0.5 (v × z would give y = 0).
        {{0.0316188f, 0, 0.9995f}, 1.0f, 0.25f, 0.25f, {0.0275823f, -0.4998097f, 0.8656959f}},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(nearPrinted(ggxSampleVisibleNormal(c.V, c.alpha, c.U1, c.U2), c.expected, 1e-5))
            << "alpha " << c.alpha << " V.z " << c.V.z;
}

TEST(Ggx, MaskingExamples) {
    for (float alpha : {0.01f, 0.25f, 1.0f}) {
        EXPECT_FLOAT_EQ(ggxG1(1.0f, alpha), 1.0f);
        EXPECT_FLOAT_EQ(ggxG2(1.0f, 1.0f, alpha), 1.0f);
    }
    // Alpha where the common form has alpha²: with alpha² these would be 0.96 and 0.94.
    EXPECT_TRUE(nearPrinted(ggxG1(0.5f, 0.25f), 0.86100, 1e-5));
    EXPECT_TRUE(nearPrinted(ggxG2(0.5f, 0.8f, 0.25f), 0.83651, 1e-5));
}

TEST(Ggx, SamplerExamples) {
    const struct {
        Point3 rayDir;
        float g, u0, u1;
        Point3 newDir;
        double weight;
    } cases[] = {
        {{0.6f, 0, -0.8f}, 0.5f, 0.3f, 0.6f, {0.34690f, -0.24974f, 0.90404f}, 0.98685},
        {{0.6f, 0, -0.8f}, 0.5f, 0.3f, 0.2f, {0.74218f, 0.06983f, 0.66655f}, 0.93417},
        {{0, 0, -1}, 0.2f, 0.7f, 0.2f, {0.95081f, 0.30894f, 0.02263f}, 0.05502},
    };
    for (const auto& c : cases) {
        TestShadeContext sc;
        sc.rayDir = c.rayDir;
        Color result = kUnwritten;
        brdfSampleGGX(result, sc, {c.u0, c.u1}, c.g, fakeMap(3), {0, 0, 1});
        ASSERT_EQ(sc.lookups, 1) << "u1 " << c.u1;
        EXPECT_EQ(sc.lastMap, fakeMap(3));
        EXPECT_TRUE(nearPrinted(sc.lastDir, c.newDir, 1e-5)) << "u1 " << c.u1;
        EXPECT_TRUE(nearPrinted(result.r, c.weight, 1e-5)) << "u1 " << c.u1;
    }
}

TEST(Ggx, FirstSamplerExampleHalfVector) {
    const Point3 wh = ggxSampleVisibleNormal({0, 0.6f, 0.8f}, 0.25f, 0.3f, 0.6f);
    EXPECT_TRUE(nearPrinted(wh, {-0.14347f, 0.14540f, 0.97892f}, 1e-5));
    EXPECT_TRUE(nearPrinted(ggxG1(0.8f, 0.25f), 0.96712, 1e-5));
    EXPECT_TRUE(nearPrinted(ggxG2(0.90404f, 0.8f, 0.25f), 0.95440, 1e-5));
}

// Neither a sampled direction below the surface nor a view from at or below it writes: the
// latter would make G1 zero or negative and the weight 0/0 or negative, which no later blend
// of the preview could undo.
TEST(Ggx, LeavesResultForSampleOrViewNotAboveSurface) {
    const struct {
        Point3 rayDir;
        float g, u0, u1;
    } cases[] = {
        {{0.6f, 0, -0.8f}, 0.0f, 0.9f, 0.95f},  // reflected direction below (z = -0.69534)
        {{1, 0, 0}, 0.5f, 0.3f, 0.6f},          // view along the surface: G1 = 0
        {{0.6f, 0, 0.8f}, 0.5f, 0.3f, 0.6f},    // view from below
        {{0.6f, 0, 0.8f}, 0.0f, 0.7f, 0.2f},   {{0, 0, 1}, 0.2f, 0.5f, 0.5f},
    };
    for (const auto& c : cases) {
        TestShadeContext sc;
        sc.rayDir = c.rayDir;
        Color result = kUnwritten;
        brdfSampleGGX(result, sc, {c.u0, c.u1}, c.g, fakeMap(3), {0, 0, 1});
        EXPECT_EQ(result, kUnwritten) << c.rayDir.x << " " << c.rayDir.z;
        EXPECT_EQ(sc.lookups, 0);
    }
}

// Every pair of random numbers at a view from below: nothing is ever written, in particular
// no NaN and no negative weight.
TEST(Ggx, ViewBelowSurfaceNeverWrites) {
    TestShadeContext sc;
    sc.rayDir = Normalize({0.3f, -0.2f, 0.5f});
    for (int i = 1; i < 64; ++i)
        for (int j = 1; j < 64; ++j) {
            Color result = kUnwritten;
            brdfSampleGGX(result, sc, {i / 64.0f, j / 64.0f}, 0.3f, fakeMap(3), {0, 0, 1});
            ASSERT_EQ(result, kUnwritten);
        }
    EXPECT_EQ(sc.lookups, 0);
}

}  // namespace

namespace {

// GGX with roughness alpha as Heitz 2014 writes it (alpha² inside the square roots).
double ggxDistribution(double cosH, double alpha) {
    const double a2 = alpha * alpha;
    const double t = cosH * cosH * (a2 - 1.0) + 1.0;
    return a2 / (stats::kPi * t * t);
}
double ggxMasking(double c, double alpha) {
    const double a2 = alpha * alpha;
    return 2.0 * c / (c + std::sqrt(a2 + (1.0 - a2) * c * c));
}

struct GgxCase {
    Point3 normal, rayDir;
    float g;
};

const GgxCase kGgxCases[] = {
    {{0, 0, 1}, {0, 0, -1}, 0.2f},
    {{0, 0, 1}, {0.6f, 0, -0.8f}, 0.5f},
    {{0, 0, 1}, {0.6f, 0, -0.8f}, 0.75f},
    {{0, 0, 1}, {-0.9539392f, 0, -0.3f}, 0.3f},
    {Normalize({0.3f, -0.2f, 0.9f}), Normalize({-0.5f, 0.4f, -0.6f}), 0.6f},
    {Normalize({-0.6f, 0.1f, 0.4f}), Normalize({0.7f, 0.3f, -0.2f}), 0.1f},
};

// Directions follow the visible-normal density of GGX with roughness alpha (the routine
// stretches by alpha), reflected: D(h)·G1(wo)/(4 wo.z).
TEST(Ggx, SampledDirectionsFollowVisibleNormalDensity) {
    constexpr int kSamples = 300000;
    std::uint32_t seed = 1;
    for (const GgxCase& c : kGgxCases) {
        const float alphaF = (1.0f - c.g) * (1.0f - c.g);
        const double alpha = alphaF;
        stats::Grid grid;
        grid.frame = brdf::normalFrame(c.normal);
        const stats::Vec wo = stats::toDouble(-grid.frame.toLocal(c.rayDir));
        const double g1 = ggxMasking(wo.z, alpha);
        const auto density = [&](const Point3& d) {
            stats::Vec h;
            if (!stats::halfVector(wo, stats::toDouble(grid.frame.toLocal(d)), h) || h.z <= 0.0)
                return 0.0;
            return ggxDistribution(h.z, alpha) * g1 / (4.0 * wo.z);
        };
        const std::vector<double> p = stats::integrate(grid, density);

        TestShadeContext sc;
        sc.rayDir = c.rayDir;
        const stats::SampleRun r =
            stats::run(grid, sc, kSamples, seed++, [&](Color& res, ShadeContext& ctx, Point2 u) {
                brdfSampleGGX(res, ctx, u, c.g, fakeMap(3), c.normal);
            });
        EXPECT_EQ(r.badWeights, 0);
        EXPECT_TRUE(stats::passes(stats::pearson(r.counts, stats::expectedCounts(p, kSamples)),
                                  std::size(kGgxCases)))
            << "g " << c.g << " wo.z " << wo.z;

        // White furnace. The model's albedo is the integral of D·ggxG2/(4 l v)·l, but its
        // weight divides by ggxG1, whose alpha stands where the drawing routine's masking has
        // alpha²; the mean weight is that albedo scaled by G1(drawn) / ggxG1.
        const float cosV = c.normal % -c.rayDir;
        const auto reflectance = [&](const Point3& d) {
            const Point3 wi = grid.frame.toLocal(d);
            stats::Vec h;
            if (!(wi.z > 0.0f) || !stats::halfVector(wo, stats::toDouble(wi), h)) return 0.0;
            return ggxDistribution(h.z, alpha) * static_cast<double>(ggxG2(wi.z, cosV, alphaF)) /
                   (4.0 * wo.z);
        };
        const double albedo = stats::sum(stats::integrate(grid, reflectance));
        EXPECT_TRUE(
            stats::furnaceMatches(r, albedo * g1 / static_cast<double>(ggxG1(cosV, alphaF))))
            << "g " << c.g << " wo.z " << wo.z << " albedo " << albedo;
    }
}

}  // namespace
