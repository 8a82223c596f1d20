#include <gtest/gtest.h>

#include "brdf/Phong.h"
#include "brdf/PreviewEnvMap.h"
#include "tests/brdf/Expect.h"
#include "tests/brdf/TestContext.h"

namespace {

// The lobe reads the module's preview map; tests point it at a recognisable fake.
class PhongTest : public ::testing::Test {
protected:
    void SetUp() override { previewEnvMap = fakeMap(7); }
    void TearDown() override { previewEnvMap = nullptr; }
};

TEST_F(PhongTest, Examples) {
    const struct {
        float n, u0, u1;
        Point3 newDir;
        double weight, weightDigit;
    } cases[] = {
        {1.0f, 0.0f, 0.25f, {0, 0.8660254f, 0.5f}, 0.75, 1e-7},
        {10.0f, 0.25f, 0.5f, {-0.3441057f, 0, 0.9389309f}, 1.0242883, 1e-7},
        {100.0f, 0.5f, 32766.0f / 32767.0f, {0, 0, 1}, 1.0099007, 1e-7},
    };
    for (const auto& c : cases) {
        TestShadeContext sc;
        sc.environment = AColor(1.0f, 2.0f, 4.0f, 0.5f);
        Color result = kUnwritten;
        brdfSamplePhong(result, sc, {c.u0, c.u1}, c.n, fakeMap(1), {0, 0, 1});
        EXPECT_EQ(sc.lookups, 1);
        EXPECT_TRUE(nearPrinted(sc.lastDir, c.newDir, c.n == 100.0f ? 2e-3 : 1e-7)) << "n " << c.n;
        EXPECT_TRUE(nearPrinted(result.r, c.weight, c.weightDigit)) << "n " << c.n;
        EXPECT_FLOAT_EQ(result.g, 2.0f * result.r);
        EXPECT_FLOAT_EQ(result.b, 4.0f * result.r);
    }
}

TEST_F(PhongTest, LooksUpThePreviewMapNotItsArgument) {
    TestShadeContext sc;
    Color result;
    brdfSamplePhong(result, sc, {0.3f, 0.6f}, 20.0f, fakeMap(1), {0, 0, 1});
    EXPECT_EQ(sc.lastMap, fakeMap(7));
}

// The lobe is centred on its axis, not cut at the surface: an axis in the tangent plane
// yields directions below it, and they are still weighted and written.
TEST_F(PhongTest, WritesDirectionsBelowTheSurface) {
    TestShadeContext sc;
    Color result = kUnwritten;
    const Point3 axis{1, 0, 0};
    brdfSamplePhong(result, sc, {0.5f, 0.25f}, 1.0f, fakeMap(1), axis);
    ASSERT_EQ(sc.lookups, 1);
    EXPECT_LT(sc.lastDir.z, -0.5f);
    EXPECT_TRUE(nearPrinted(result.r, 0.75, 1e-7));
}

}  // namespace

#include "tests/brdf/Statistics.h"

namespace {

// Directions about the axis follow (n+1)/(2 pi)·cos^n, and the mean weight is the lobe's
// albedo about its axis, 1: the weight is (n+2)/(n+1)·cos and E[cos] = (n+1)/(n+2).
TEST_F(PhongTest, SampledDirectionsFollowTheLobe) {
    const struct {
        Point3 axis;
        float n;
    } cases[] = {
        {{0, 0, 1}, 1.0f},
        {Normalize({0.3f, -0.2f, 0.9f}), 10.0f},
        {Normalize({-0.6f, 0.1f, -0.4f}), 100.0f},
        {{1, 0, 0}, 1000.0f},
    };
    constexpr int kSamples = 200000;
    std::uint32_t seed = 400;
    for (const auto& c : cases) {
        stats::Grid grid;
        grid.frame = brdf::normalFrame(c.axis);
        // The lobe is narrow at high powers: band cos theta from where 1e-9 of it remains.
        const double n = c.n;
        grid.cosLo = std::pow(1e-9, 1.0 / (n + 1.0));
        const auto density = [&](const Point3& d) {
            const double cosA = std::fmax(0.0, static_cast<double>(d % c.axis));
            return (n + 1.0) / (2.0 * stats::kPi) * std::pow(cosA, n);
        };
        TestShadeContext sc;
        const stats::SampleRun r =
            stats::run(grid, sc, kSamples, seed++, [&](Color& res, ShadeContext& ctx, Point2 u) {
                brdfSamplePhong(res, ctx, u, c.n, fakeMap(1), c.axis);
            });
        EXPECT_EQ(r.badWeights, 0);
        const auto expected = stats::expectedCounts(stats::integrate(grid, density), kSamples);
        EXPECT_TRUE(stats::passes(stats::pearson(r.counts, expected), std::size(cases)))
            << "n " << c.n;
        EXPECT_TRUE(stats::furnaceMatches(r, 1.0)) << "n " << c.n;
    }
}

}  // namespace
