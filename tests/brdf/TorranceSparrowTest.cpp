#include <gtest/gtest.h>

#include "brdf/TorranceSparrow.h"
#include "tests/brdf/Expect.h"
#include "tests/brdf/TestContext.h"

namespace {

TEST(TorranceSparrow, SamplerExamples) {
    const struct {
        Point3 rayDir;
        float n, u0, u1;
        Point3 newDir;
        double weight;
    } cases[] = {
        {{0, 0, -1}, 10.0f, 0.0f, 0.5f, {0, 0.6461830f, 0.7631826f}, 1.0242882},
        {{0.6f, 0, -0.8f}, 100.0f, 0.5f, 0.9f, {0.6f, -0.0729673f, 0.7966654f}, 1.0088480},
    };
    for (const auto& c : cases) {
        TestShadeContext sc;
        sc.rayDir = c.rayDir;
        Color result = kUnwritten;
        brdfSampleTorrSparr(result, sc, {c.u0, c.u1}, c.n, fakeMap(2), {0, 0, 1});
        ASSERT_EQ(sc.lookups, 1) << "n " << c.n;
        EXPECT_EQ(sc.lastMap, fakeMap(2));
        EXPECT_TRUE(nearPrinted(sc.lastDir, c.newDir, 1e-7)) << "n " << c.n;
        EXPECT_TRUE(nearPrinted(result.r, c.weight, 1e-7)) << "n " << c.n;
    }
}

TEST(TorranceSparrow, FirstExampleTerms) {
    // ray_dir (0, 0, -1): wo = (0, 0, 1); n = 10, u0 = 0, u1 = 0.5 gives wi in the frame's
    // (x, z) plane with cos theta_h = 0.5^(1/11).
    const Point3 wo{0, 0, 1};
    const float cosH = 0.9389309f;
    const Point3 wh{std::sqrt(1.0f - cosH * cosH), 0, cosH};
    const Point3 wi = wh * (2.0f * (wo % wh)) - wo;
    EXPECT_TRUE(nearPrinted(torrSparrG(wo, wi, wh), 1.0, 1e-7));
    EXPECT_TRUE(nearPrinted(torrSparrGeomFactor(wo, wi), 0.3275756, 1e-7));
}

TEST(TorranceSparrow, GeomFactorZeroCases) {
    const Point3 wo = Normalize({0.3f, -0.4f, 0.5f});
    EXPECT_EQ(torrSparrGeomFactor(wo, -wo), 0.0f);
    EXPECT_EQ(torrSparrGeomFactor(wo, {0.6f, 0.8f, 0.0f}), 0.0f);
    EXPECT_EQ(torrSparrGeomFactor({1, 0, 0}, wo), 0.0f);
}

// At grazing angles the geometric factor is held at 250.
TEST(TorranceSparrow, GeomFactorCap) {
    const Point3 wo = Normalize({1, 0, 1e-3f});
    const Point3 wi = Normalize({-1, 0, 1e-3f});
    EXPECT_EQ(torrSparrGeomFactor(wo, wi), 250.0f);
}

TEST(TorranceSparrow, BelowSurfaceSampleLeavesResult) {
    TestShadeContext sc;
    sc.rayDir = {0.6f, 0, -0.8f};
    Color result = kUnwritten;
    brdfSampleTorrSparr(result, sc, {0.0f, 0.01f}, 1.0f, fakeMap(2), {0, 0, 1});
    EXPECT_EQ(result, kUnwritten);
    EXPECT_EQ(sc.lookups, 0);
}

}  // namespace

#include "tests/brdf/Statistics.h"

namespace {

struct LobeCase {
    Point3 normal, rayDir;
    float n;
};

const LobeCase kTorrSparrCases[] = {
    {{0, 0, 1}, {0, 0, -1}, 5.0f},
    {{0, 0, 1}, {0.6f, 0, -0.8f}, 40.0f},
    {{0, 0, 1}, {-0.9539392f, 0, -0.3f}, 20.0f},
    {Normalize({0.3f, -0.2f, 0.9f}), Normalize({-0.5f, 0.4f, -0.6f}), 200.0f},
    {Normalize({-0.6f, 0.1f, 0.4f}), Normalize({0.7f, 0.3f, -0.2f}), 1.0f},
};

// Blinn half vectors, (n+1)/(2 pi)·cos^n, reflected: density over 4 wo·h. The mean weight
// is the albedo of D·torrSparrGeomFactor (floors and cap included).
TEST(TorranceSparrow, SampledDirectionsFollowTheWeightsDensity) {
    constexpr int kSamples = 200000;
    std::uint32_t seed = 300;
    for (const LobeCase& c : kTorrSparrCases) {
        stats::Grid grid;
        grid.frame = brdf::normalFrame(c.normal);
        const Point3 woF = -grid.frame.toLocal(c.rayDir);
        const stats::Vec wo = stats::toDouble(woF);
        const double n = c.n;
        const auto density = [&](const Point3& d) {
            stats::Vec h;
            if (!stats::halfVector(wo, stats::toDouble(grid.frame.toLocal(d)), h) || h.z <= 0.0)
                return 0.0;
            return (n + 1.0) / (2.0 * stats::kPi) * std::pow(h.z, n) / (4.0 * stats::dot(wo, h));
        };
        const auto reflectance = [&](const Point3& d) {
            const Point3 wi = grid.frame.toLocal(d);
            stats::Vec h;
            if (!(wi.z > 0.0f) || !stats::halfVector(wo, stats::toDouble(wi), h) || h.z <= 0.0)
                return 0.0;
            return (n + 2.0) / (2.0 * stats::kPi) * std::pow(h.z, n) *
                   static_cast<double>(torrSparrGeomFactor(woF, wi) * wi.z);
        };
        TestShadeContext sc;
        sc.rayDir = c.rayDir;
        const stats::SampleRun r =
            stats::run(grid, sc, kSamples, seed++, [&](Color& res, ShadeContext& ctx, Point2 u) {
                brdfSampleTorrSparr(res, ctx, u, c.n, fakeMap(2), c.normal);
            });
        EXPECT_EQ(r.badWeights, 0);
        const auto expected = stats::expectedCounts(stats::integrate(grid, density), kSamples);
        EXPECT_TRUE(stats::passes(stats::pearson(r.counts, expected), std::size(kTorrSparrCases)))
            << "n " << c.n;
        EXPECT_TRUE(stats::furnaceMatches(r, stats::sum(stats::integrate(grid, reflectance))))
            << "n " << c.n;
    }
}

}  // namespace
