#include <gtest/gtest.h>

#include "LatLong.h"

namespace {

TEST(LatLong, AxisDirections) {
    const struct {
        Point3 dir;
        float s, t;
        const char* what;
    } cases[] = {
        {{1, 0, 0}, 0.5f, 0.5f, "+X at the image centre"},
        {{0, 1, 0}, 0.25f, 0.5f, "+Y a quarter from the left"},
        {{0, -1, 0}, 0.75f, 0.5f, "-Y three quarters from the left"},
        {{0, 0, 1}, 0.5f, 0.0f, "+Z the top row"},
        {{0, 0, -1}, 0.5f, 1.0f, "-Z the bottom row"},
        {{0, 0, 3}, 0.5f, 0.0f, "length does not matter"},
        {{0, 0, 0}, 0.5f, 0.0f, "zero vector reads the top"},
    };
    for (const auto& c : cases) {
        const Point2 st = latLongFromDirection(c.dir);
        EXPECT_NEAR(st.x, c.s, 1e-6f) << c.what;
        EXPECT_NEAR(st.y, c.t, 1e-6f) << c.what;
    }
    // -X is the seam: either edge of the image.
    const Point2 seam = latLongFromDirection({-1, 0, 0});
    EXPECT_TRUE(std::abs(seam.x) < 1e-6f || std::abs(seam.x - 1.0f) < 1e-6f) << seam.x;
    EXPECT_NEAR(seam.y, 0.5f, 1e-6f);
}

TEST(LatLong, LookupWrapsAcrossTheSeamAndClampsAtThePoles) {
    // Four columns: the -X seam lies between the last and the first.
    Image img(4, 2);
    const float column[4] = {0.0f, 1.0f, 2.0f, 3.0f};
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 4; ++x) img.set(x, y, {column[x], static_cast<float>(y), 0, 1});
    }
    const AColor seam = lookupLatLong(img, {-1, 0, 0});
    EXPECT_NEAR(seam.r, 1.5f, 1e-5f);  // average of columns 3 and 0
    const AColor up = lookupLatLong(img, {0.0f, 0.0f, 1.0f});
    EXPECT_NEAR(up.g, 0.0f, 1e-6f);  // the top row only, no wrap to the bottom
    const AColor down = lookupLatLong(img, {0.0f, 0.0f, -1.0f});
    EXPECT_NEAR(down.g, 1.0f, 1e-6f);
}

}  // namespace
