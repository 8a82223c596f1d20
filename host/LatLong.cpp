#include "LatLong.h"

#include <cmath>
#include <numbers>

Point2 latLongFromDirection(const Point3& dir) {
    constexpr float kInvPi = std::numbers::inv_pi_v<float>;
    const float azimuth = std::atan2(dir.y, dir.x);
    // atan2 of the horizontal length keeps the polar angle exact near the poles, where acos
    // of z loses precision, and needs no normalisation.
    const float polar = std::atan2(std::sqrt(dir.x * dir.x + dir.y * dir.y), dir.z);
    return {0.5f - 0.5f * kInvPi * azimuth, polar * kInvPi};
}

AColor lookupLatLong(const Image& image, const Point3& dir) {
    const Point2 st = latLongFromDirection(dir);
    return sampleBilinear(image, st.x, st.y, Wrap::Repeat, Wrap::Clamp);
}
