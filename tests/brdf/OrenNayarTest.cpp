#include <gtest/gtest.h>

#include "brdf/OrenNayar.h"
#include "tests/brdf/Expect.h"

namespace {

constexpr double kA1 = 0.5589833;  // A at roughness 1

TEST(OrenNayar, Examples) {
    const Point3 n{0, 0, 1};
    const struct {
        float r;
        Point3 L, E;
        double expected;
    } cases[] = {
        {0.0f, {0.6f, 0, 0.8f}, {-0.28f, 0.3f, 0.9f}, 1.0},
        {1.0f, n, n, kA1},
        {1.0f, {0.6f, 0, 0.8f}, {0.6f, 0, 0.8f}, 0.7543569},
        {1.0f, {0.6f, 0, 0.8f}, {-0.6f, 0, 0.8f}, kA1},  // opposite azimuths clamp to 0
        {1.0f, {0.6f, 0, 0.8f}, {0, 0.6f, 0.8f}, kA1},   // azimuths 90 degrees apart
        {1.0f, {0.6f, 0, 0.8f}, {0.28f, 0, 0.96f}, 0.6349620},
        {0.5f, n, n, 0.6742619},
        {0.5f, {0.6f, 0, 0.8f}, {0.6f, 0, 0.8f}, 0.8509785},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(nearPrinted(orenNayarFactor(c.L, c.E, n, c.r), c.expected, 1e-7))
            << "r " << c.r << " L " << c.L.x << "," << c.L.z << " E " << c.E.x << "," << c.E.y;
}

TEST(OrenNayar, RoughnessZeroIsExactlyOne) {
    EXPECT_EQ(orenNayarFactor({0.6f, 0, 0.8f}, {0, 0.6f, 0.8f}, {0, 0, 1}, 0.0f), 1.0f);
}

// Only absolute cosines enter: a light below the surface and one grazing it give finite values.
TEST(OrenNayar, FiniteForDirectionsBelowAndAlongTheSurface) {
    const Point3 n{0, 0, 1};
    const float below = orenNayarFactor({0.6f, 0, -0.8f}, {0.6f, 0, 0.8f}, n, 1.0f);
    EXPECT_NEAR(below, 0.7543569f, 1e-6f);
    const float grazing = orenNayarFactor({1, 0, 0}, {0.6f, 0, 0.8f}, n, 1.0f);
    EXPECT_TRUE(std::isfinite(grazing));
    EXPECT_GT(grazing, static_cast<float>(kA1));
}

}  // namespace
