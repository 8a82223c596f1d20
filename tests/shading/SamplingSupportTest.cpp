#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "CRuntime.h"
#include "shading/SamplingSupport.h"

namespace {

// The generator's multiplier and increment, and the seed whose first draw is `draw`: the
// state after one step is draw << 16, stepped back through the multiplier's inverse mod 2^32.
constexpr std::uint32_t kMul = 214013u;
constexpr std::uint32_t kInc = 2531011u;

std::uint32_t inverseMod32(std::uint32_t a) {
    std::uint32_t inv = a;  // Newton's iteration doubles the correct low bits each round
    for (int i = 0; i < 5; ++i) inv *= 2u - a * inv;
    return inv;
}

std::uint32_t seedForFirstDraw(int draw) {
    const std::uint32_t state = static_cast<std::uint32_t>(draw) << 16;
    return (state - kInc) * inverseMod32(kMul);
}

}  // namespace

TEST(Luminance, UsesRec709Weights) {
    EXPECT_NEAR(luminance(Color(1.0f, 1.0f, 1.0f)), 1.0f, 1e-6f);
    EXPECT_FLOAT_EQ(luminance(Color(1.0f, 0.0f, 0.0f)), 0.2126f);
    EXPECT_FLOAT_EQ(luminance(Color(0.0f, 0.0f, 1.0f)), 0.0722f);
}

TEST(FresnelConductor, MatchesTheTable) {
    const struct {
        float cosi, eta, expected, tolerance;
    } cases[] = {
        {1.0f, 1.5f, 0.04f, 1e-6f},
        {0.5f, 1.5f, 0.135f, 1e-3f},
        {0.2f, 1.5f, 0.437f, 1e-3f},
        {0.0f, 1.5f, 1.0f, 0.0f},
        {1.0f, 1.0f, 0.0f, 0.0f},
        {0.0f, 0.3f, 1.0f, 0.0f},
        {0.0f, 7.0f, 1.0f, 0.0f},
        // Index 0 at a grazing view: 0/0 in the perpendicular term, which takes its limit 1.
        {0.0f, 0.0f, 1.0f, 0.0f},
        {0.3f, 0.0f, 1.0f, 0.0f},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(fresnelConductor(c.cosi, c.eta, 0.0f), c.expected, c.tolerance)
            << c.cosi << " " << c.eta;
    }
}

TEST(Rand01, ScalesDrawsModulo32767) {
    const struct {
        int draw;
        float expected;
    } cases[] = {
        {16383, 16383.0f / 32767.0f}, {0, 0.0f}, {32767, 0.0f}, {32766, 32766.0f / 32767.0f}};
    for (const auto& c : cases) {
        crt::srand(seedForFirstDraw(c.draw));
        EXPECT_EQ(rand01(), c.expected) << c.draw;
    }
    EXPECT_LT(16383.0f / 32767.0f, 0.5f);
}

TEST(SeedShadeRandom, CountsUpAndSkipsAllOnes) {
    const struct {
        std::uint32_t before, after;
    } cases[] = {{0u, 1u}, {41u, 42u}, {0xFFFFFFFDu, 0xFFFFFFFEu}, {0xFFFFFFFEu, 0u}};
    for (const auto& c : cases) {
        shadeSeed.store(c.before);
        seedShadeRandom();
        EXPECT_EQ(shadeSeed.load(), c.after) << c.before;
        const int draw = crt::rand();
        crt::srand(c.after);
        EXPECT_EQ(draw, crt::rand()) << "the generator is seeded with the new value";
    }
}

TEST(TangentFrame, ExamplesOfTheQuarterTurn) {
    Point3 tbn[2];
    // An exact zero cross product: the fallback takes n × Z on the tie.
    tangentFrame({1.0f, 0.0f, 0.0f}, {-1.0f, 0.0f, 0.0f}, tbn);
    EXPECT_EQ(tbn[0], Point3(0.0f, -1.0f, 0.0f));
    EXPECT_EQ(tbn[1], Point3(0.0f, 0.0f, -1.0f));
    // A tiny but non-zero cross product is normalised as it is.
    tangentFrame({0.0f, -1.0f, 0.0f}, {0.0f, 0.0f, 1.0f}, tbn);
    EXPECT_NEAR(tbn[0].x, 1.0f, 1e-6f);
    EXPECT_NEAR(tbn[0].y, 0.0f, 1e-6f);
    EXPECT_NEAR(tbn[0].z, 0.0f, 1e-6f);
}

TEST(TangentFromNormal, StaysFiniteAndUnitWhereTheCrossProductVanishes) {
    // n × v too short to square: normalising it would divide by zero.
    const Point3 underflow = tangentFromNormal({1.0f, 0.0f, 0.0f}, {1.0f, 1e-30f, 0.0f});
    EXPECT_EQ(underflow, Point3(0.0f, -1.0f, 0.0f));
    // A zero normal has no tangent plane: the X axis stands in.
    EXPECT_EQ(tangentFromNormal({0.0f, 0.0f, 0.0f}, {0.0f, 0.0f, -1.0f}), Point3(1.0f, 0.0f, 0.0f));
    // A normal along Y: n × Y is zero, n × Z is not.
    EXPECT_EQ(tangentFromNormal({0.0f, 1.0f, 0.0f}, {0.0f, 1.0f, 0.0f}), Point3(1.0f, 0.0f, 0.0f));
}
