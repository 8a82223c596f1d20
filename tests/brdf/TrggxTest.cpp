#include "brdf/Trggx.h"

#include "brdf/Beckmann.h"
#include "tests/brdf/Expect.h"
#include "tests/brdf/TestContext.h"

#include <gtest/gtest.h>

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
    const struct {
        Point3 rayDir;
        float u0, u1, g, anisotropy, rotation;
        Point3 wo, newDir;
        double pdf, f, weight;
    } cases[] = {
        {{0.6f, 0, -0.8f}, 0.3f, 0.6f, 0.5f, 0.0f, 0.0f, {0, 0.6f, 0.8f}, {0.12430f, 0.12602f, 0.98421f}, 0.34985,
         0.35511, 0.99901},
        {{0.6f, 0, -0.8f}, 0.3f, 0.6f, 0.5f, 0.5f, 0.25f, {0.6f, 0, 0.8f}, {0.12260f, -0.06098f, 0.99058f}, 0.72040,
         0.72689, 0.99950},
        {{0, 0, -1}, 0.7f, 0.2f, 0.2f, 0.0f, 0.0f, {0, 0, 1}, {0.94785f, -0.30798f, 0.08203f}, 0.06730, 0.19548,
         0.23826},
    };
    for (const auto& c : cases) {
        TestShadeContext sc;
        sc.rayDir = c.rayDir;
        Color result = kUnwritten;
        brdfSampleTRGGX(result, sc, {c.u0, c.u1}, c.g, c.anisotropy, c.rotation, fakeMap(5), {0, 0, 1}, kTbn);
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

} // namespace
