#include <gtest/gtest.h>

#include <limits>

#include "brdf/Conventions.h"
#include "tests/brdf/Expect.h"
#include "tests/brdf/TestContext.h"

namespace {

TEST(Conventions, OrthoBasisExamples) {
    const float s = std::sqrt(0.5f);
    const struct {
        Point3 n, t1;
        Point3 t2;
    } cases[] = {
        {{0, 0, 1}, {0, 1, 0}, {-1, 0, 0}},
        {{1, 0, 0}, {0, 0, 1}, {0, -1, 0}},
        // |n.x| = |n.y| takes the second branch.
        {{s, s, 0}, {0, 0, -1}, {-s, s, 0}},
    };
    for (const auto& c : cases) {
        Point3 t1, t2;
        orthoBasis(c.n, t1, t2);
        EXPECT_TRUE(nearPrinted(t1, c.t1, 1e-7)) << c.n.x << " " << c.n.y << " " << c.n.z;
        EXPECT_TRUE(nearPrinted(t2, c.t2, 1e-7)) << c.n.x << " " << c.n.y << " " << c.n.z;
    }
}

TEST(Conventions, OrthoBasisIsRightHandedOrthonormal) {
    const Point3 normals[] = {Normalize({0.3f, -0.2f, 0.9f}),
                              Normalize({-0.7f, 0.1f, -0.2f}),
                              Normalize({0.01f, 0.99f, 0.05f}),
                              {0, 0, -1}};
    for (const Point3& n : normals) {
        Point3 t1, t2;
        orthoBasis(n, t1, t2);
        EXPECT_NEAR(Length(t1), 1.0f, 1e-6f);
        EXPECT_NEAR(Length(t2), 1.0f, 1e-6f);
        EXPECT_NEAR(t1 % n, 0.0f, 1e-6f);
        EXPECT_NEAR(t2 % n, 0.0f, 1e-6f);
        EXPECT_TRUE(nearPrinted(t1 ^ t2, n, 2e-6));
    }
}

TEST(Conventions, RotationAboutAxis) {
    const RotMatrix identity = rotationAboutAxis(Normalize({1, 2, 3}), 0.0f);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) EXPECT_FLOAT_EQ(identity.m[r][c], r == c ? 1.0f : 0.0f);

    const RotMatrix quarter = rotationAboutAxis({0, 0, 1}, 1.5707964f);
    EXPECT_TRUE(nearPrinted(rotateByMatrix(quarter, {1, 0, 0}), {0, 1, 0}, 1e-7));
    EXPECT_TRUE(nearPrinted(rotateByMatrix(quarter, {0, 1, 0}), {-1, 0, 0}, 1e-7));
    // A quarter turn about x takes (x, y, z) to (x, -z, y).
    const RotMatrix aboutX = rotationAboutAxis({1, 0, 0}, 1.5707964f);
    EXPECT_TRUE(nearPrinted(rotateByMatrix(aboutX, {0.2f, 0.3f, 0.4f}), {0.2f, -0.4f, 0.3f}, 1e-7));
}

TEST(Conventions, DirFromAngles) {
    EXPECT_TRUE(nearPrinted(dirFromAngles(0.6f, 0.8f, 0.0f), {0.6f, 0, 0.8f}, 1e-7));
    EXPECT_TRUE(nearPrinted(dirFromAngles(0.6f, 0.8f, 1.5707964f), {0, 0.6f, 0.8f}, 1e-7));
}

TEST(Conventions, MinMaxYieldTheOtherArgumentForNaN) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(brdf::maxf(nan, 2.0f), 2.0f);
    EXPECT_EQ(brdf::maxf(2.0f, nan), 2.0f);
    EXPECT_EQ(brdf::minf(nan, 2.0f), 2.0f);
    EXPECT_EQ(brdf::minf(2.0f, nan), 2.0f);
    EXPECT_EQ(brdf::clampf(nan, -1.0f, 1.0f), -1.0f);
}

TEST(Conventions, LocalAzimuthAlongTheAxisIsZero) {
    EXPECT_EQ(brdf::cosPhiFrom(0.3f, 0.0f), 1.0f);
    EXPECT_EQ(brdf::sinPhiFrom(0.3f, 0.0f), 0.0f);
    // Rounding may push |x| / sin theta past 1; the clamp holds it.
    EXPECT_EQ(brdf::cosPhiFrom(0.5000001f, 0.5f), 1.0f);
    EXPECT_EQ(brdf::sinPhiFrom(-0.5000001f, 0.5f), -1.0f);
}

// The skeleton writes only for directions strictly above the surface: one in the tangent plane
// (the view grazing along it, mirrored about a horizontal half vector) and a NaN both fail.
TEST(Conventions, SkeletonLeavesResultForDirectionNotAboveSurface) {
    const Point3 normal{0, 0, 1};
    const brdf::Frame frame = brdf::normalFrame(normal);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const struct {
        Point3 wo, wh;
        bool written;
    } cases[] = {
        {{0.6f, 0.8f, 0.0f}, {1, 0, 0}, false},
        {{0.6f, 0.0f, 0.8f}, {nan, nan, nan}, false},
        {{0.6f, 0.0f, 0.8f}, {0, 0, 1}, true},
    };
    for (const auto& c : cases) {
        TestShadeContext sc;
        Color result = kUnwritten;
        const Point3 rayDir = -frame.toWorld(c.wo);
        brdf::sampleMicrofacet(
            result, sc, fakeMap(1), normal, frame, rayDir, [&](const Point3&) { return c.wh; },
            [](const Point3&, const Point3&, const Point3&, float) { return 0.5f; });
        EXPECT_EQ(result == kUnwritten, !c.written);
        EXPECT_EQ(sc.lookups, c.written ? 1 : 0);
        if (c.written) {
            EXPECT_EQ(sc.lastMap, fakeMap(1));
            EXPECT_TRUE(nearPrinted(sc.lastDir, frame.toWorld({-0.6f, 0.0f, 0.8f}), 1e-7));
            EXPECT_EQ(result, Color(0.5f, 0.5f, 0.5f));
        }
    }
}

}  // namespace
