#include "shading/Glossiness.h"

#include <cmath>

namespace {
// e in single precision: the fit is written as powers of it.
constexpr float kE = 2.7182817f;
// Glossiness at which the fit changes pieces.
constexpr float kSplitGloss = 0.5f;

// Upper piece: kUpperScale · e^(kUpperRate·g + kUpperOffset) + kUpperFloor.
constexpr float kUpperScale = 0.000575f;
constexpr float kUpperRate = 22.425083f;
constexpr float kUpperOffset = -4.147466f;
constexpr float kUpperFloor = 11.584066f;
// Lower piece: kLowerScale · e^(kLowerRate·g + kLowerOffset).
constexpr float kLowerScale = 0.495448f;
constexpr float kLowerRate = 4.865236f;
constexpr float kLowerOffset = 0.78064f;

float upperPiece(float g) {
    return kUpperScale * std::pow(kE, kUpperRate * g + kUpperOffset) + kUpperFloor;
}
}  // namespace

float glossToCosPower(float g) {
    if (g >= kSplitGloss) return upperPiece(g);
    return kLowerScale * std::pow(kE, kLowerRate * g + kLowerOffset);
}

float cosPowerToGloss(float p) {
    if (p >= upperPiece(kSplitGloss)) {
        return (std::log((p - kUpperFloor) / kUpperScale) - kUpperOffset) / kUpperRate;
    }
    return (std::log(p / kLowerScale) - kLowerOffset) / kLowerRate;
}
