#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "Image.h"

namespace {

// 2 x 2: red, green on the top row; blue, white below.
Image quad() {
    Image img(2, 2);
    img.set(0, 0, {1, 0, 0, 1});
    img.set(1, 0, {0, 1, 0, 1});
    img.set(0, 1, {0, 0, 1, 1});
    img.set(1, 1, {1, 1, 1, 0});
    return img;
}

void expectColor(const AColor& got, const AColor& want, const char* what) {
    EXPECT_NEAR(got.r, want.r, 1e-6f) << what;
    EXPECT_NEAR(got.g, want.g, 1e-6f) << what;
    EXPECT_NEAR(got.b, want.b, 1e-6f) << what;
    EXPECT_NEAR(got.a, want.a, 1e-6f) << what;
}

TEST(Image, BilinearOnTwoByTwo) {
    const Image img = quad();
    const struct {
        float s, t;
        Wrap wrap;
        AColor want;
        const char* what;
    } cases[] = {
        {0.25f, 0.25f, Wrap::Clamp, {1, 0, 0, 1}, "top-left pixel centre"},
        {0.75f, 0.75f, Wrap::Clamp, {1, 1, 1, 0}, "bottom-right pixel centre"},
        {0.5f, 0.25f, Wrap::Clamp, {0.5f, 0.5f, 0, 1}, "between the top pixels"},
        {0.5f, 0.5f, Wrap::Clamp, {0.5f, 0.5f, 0.5f, 0.75f}, "centre of all four"},
        {0.0f, 0.25f, Wrap::Clamp, {1, 0, 0, 1}, "left edge clamps"},
        {0.0f, 0.25f, Wrap::Repeat, {0.5f, 0.5f, 0, 1}, "left edge wraps to the right column"},
        {1.25f, 0.25f, Wrap::Repeat, {1, 0, 0, 1}, "one period on"},
        {-0.75f, 0.25f, Wrap::Repeat, {1, 0, 0, 1}, "one period back"},
        {std::numeric_limits<float>::quiet_NaN(),
         0.25f,
         Wrap::Repeat,
         {0.5f, 0.5f, 0, 1},
         "NaN reads as 0"},
        {std::numeric_limits<float>::infinity(),
         0.25f,
         Wrap::Clamp,
         {1, 0, 0, 1},
         "infinity reads as 0"},
        {1e30f, 0.75f, Wrap::Clamp, {1, 1, 1, 0}, "far beyond clamps"},
    };
    for (const auto& c : cases)
        expectColor(sampleBilinear(img, c.s, c.t, c.wrap, c.wrap), c.want, c.what);
}

TEST(Image, NearestPicksTheContainingPixel) {
    const Image img = quad();
    expectColor(sampleNearest(img, 0.49f, 0.51f, Wrap::Clamp, Wrap::Clamp), {0, 0, 1, 1},
                "bottom-left");
    expectColor(sampleNearest(img, 0.51f, 0.49f, Wrap::Clamp, Wrap::Clamp), {0, 1, 0, 1},
                "top-right");
    expectColor(sampleNearest(img, 1.0f, 1.0f, Wrap::Repeat, Wrap::Repeat), {1, 0, 0, 1},
                "wraps to start");
    expectColor(sampleNearest(img, 1.0f, 1.0f, Wrap::Clamp, Wrap::Clamp), {1, 1, 1, 0},
                "clamps to end");
}

TEST(Image, EmptyImageReadsTransparentBlack) {
    expectColor(sampleBilinear(Image(), 0.5f, 0.5f, Wrap::Repeat, Wrap::Repeat), {0, 0, 0, 0},
                "bilinear");
    expectColor(sampleNearest(Image(), 0.5f, 0.5f, Wrap::Repeat, Wrap::Repeat), {0, 0, 0, 0},
                "nearest");
}

TEST(Image, SrgbTransfer) {
    EXPECT_FLOAT_EQ(srgbToLinear(0.0f), 0.0f);
    EXPECT_FLOAT_EQ(srgbToLinear(1.0f), 1.0f);
    EXPECT_NEAR(srgbToLinear(0.5f), 0.21404f, 1e-5f);
    EXPECT_NEAR(srgbToLinear(0.04f), 0.04f / 12.92f, 1e-7f);  // linear toe
    for (float v = 0.0f; v <= 1.0f; v += 0.01f)
        EXPECT_NEAR(linearToSrgb(srgbToLinear(v)), v, 1e-5f) << v;
}

}  // namespace
