#include "brdf/Phong.h"

#include "brdf/PreviewEnvMap.h"
#include "tests/brdf/Expect.h"
#include "tests/brdf/TestContext.h"

#include <gtest/gtest.h>

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

} // namespace
