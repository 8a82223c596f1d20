// Comparisons for the printed examples: to the digits shown, or 1e-4 relative.
#pragma once

#include <gtest/gtest.h>

#include <cmath>

#include "Color.h"
#include "Point3.h"

// |actual - expected| within half a unit of the last printed digit or 1e-4 relative, whichever
// is larger (the examples were computed in single precision, some with fused multiply-adds).
inline ::testing::AssertionResult nearPrinted(float actual, double expected, double lastDigit) {
    const double tol = std::fmax(0.5 * lastDigit, 1e-4 * std::fabs(expected)) + 1e-7;
    if (std::fabs(static_cast<double>(actual) - expected) <= tol)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << actual << " differs from " << expected << " by more than " << tol;
}

inline ::testing::AssertionResult nearPrinted(const Point3& actual, const Point3& expected,
                                              double lastDigit) {
    for (int i = 0; i < 3; ++i) {
        auto r = nearPrinted(actual[i], static_cast<double>(expected[i]), lastDigit);
        if (!r) return r << " in component " << i;
    }
    return ::testing::AssertionSuccess();
}
