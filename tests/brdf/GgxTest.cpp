#include "brdf/Ggx.h"

#include "tests/brdf/Expect.h"
#include "tests/brdf/TestContext.h"

#include <gtest/gtest.h>

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
        {{0.6f, 0, 0.8f}, 0.0f, 0.7f, 0.2f},
        {{0, 0, 1}, 0.2f, 0.5f, 0.5f},
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

} // namespace
