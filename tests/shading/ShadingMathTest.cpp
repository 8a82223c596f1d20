#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "shading/Glossiness.h"
#include "shading/ShadingMath.h"

namespace {
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
}

TEST(Clamp01, ClampsAndTakesNaNAsZero) {
    const struct {
        float in, out;
    } cases[] = {{-1.0f, 0.0f}, {0.0f, 0.0f}, {0.3f, 0.3f},
                 {1.0f, 1.0f},  {7.0f, 1.0f}, {kNaN, 0.0f}};
    for (const auto& c : cases) EXPECT_EQ(clamp01(c.in), c.out) << c.in;
}

TEST(LerpClamped, ClampsTheWeightForColoursAndVectors) {
    const struct {
        float t, expected;  // blend of 2 toward 6
    } cases[] = {{0.25f, 3.0f}, {1.0f, 6.0f}, {3.0f, 6.0f}, {-2.0f, 2.0f}, {kNaN, 2.0f}};
    for (const auto& c : cases) {
        Color col(2.0f, 2.0f, 2.0f);
        lerpClamped(col, Color(6.0f, 6.0f, 6.0f), c.t);
        EXPECT_EQ(col, Color(c.expected, c.expected, c.expected)) << c.t;
        Point3 p(2.0f, 2.0f, 2.0f);
        lerpClamped(p, Point3(6.0f, 6.0f, 6.0f), c.t);
        EXPECT_EQ(p, Point3(c.expected, c.expected, c.expected)) << c.t;
    }
}

TEST(RollOff, SoftensBrightValuesTowardOne) {
    // Summed values after the preview's exposure of 1.5.
    const struct {
        float summed, out;
    } cases[] = {{0.0f, 0.0f}, {0.5f, 0.7187f}, {1.0f, 0.9756f}, {2.0f, 0.9992f}};
    for (const auto& c : cases) EXPECT_NEAR(rollOff(c.summed * 1.5f), c.out, 1e-4f) << c.summed;
}

TEST(RollOff, GuardsWhereThePowerLeavesTheFloats) {
    EXPECT_EQ(rollOff(1e10f), 1.0f);  // x^5 overflows: the limit
    EXPECT_EQ(rollOff(-2.0f), 0.0f);  // 1 + x^5 < 0 would be NaN
    EXPECT_TRUE(std::isfinite(rollOff(-0.5f)));
}

TEST(RollOff, NeverExceedsOneForNonNegativeValues) {
    for (float x = 0.0f; x < 1e6f; x = x * 1.7f + 0.01f) {
        const float y = rollOff(x);
        EXPECT_LE(y, 1.0f) << x;
        EXPECT_GE(y, 0.0f) << x;
    }
}

TEST(GlossToCosPower, FollowsTheTwoPiecesOfTheFit) {
    const struct {
        float g, power, tolerance;
    } cases[] = {
        {0.0f, 1.0815f, 1e-3f},
        {0.25f, 3.65f, 0.01f},
        {0.5f, 12.257f, 1e-3f},
        {0.75f, 194.7f, 0.1f},
        {1.0f, 49847.0f, 5.0f},
        // Just below 0.5 the lower piece answers, a little above the upper one's 12.257.
        {std::nextafter(0.5f, 0.0f), 12.317f, 1e-3f},
    };
    for (const auto& c : cases) EXPECT_NEAR(glossToCosPower(c.g), c.power, c.tolerance) << c.g;
}

TEST(CosPowerToGloss, InvertsEachPiece) {
    for (float g : {0.0f, 0.1f, 0.3f, 0.49f, 0.5f, 0.6f, 0.8f, 0.95f, 1.0f}) {
        EXPECT_NEAR(cosPowerToGloss(glossToCosPower(g)), g, 1e-4f) << g;
    }
    // The default cosine power of 256 is a glossiness of about 0.763.
    EXPECT_NEAR(cosPowerToGloss(256.0f), 0.7629f, 1e-3f);
    EXPECT_GE(cosPowerToGloss(1e6f), 1.0f);
}
