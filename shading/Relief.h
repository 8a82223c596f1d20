// Relief: the normal map's perturbation tilts the shading normal, scaled by the bump amount.
#pragma once

#include "Point3.h"

// Largest bump amount the relief applies; beyond it the perturbation is scaled by this.
constexpr float kMaxBumpAmount = 5.0f;

// The shading normal tilted by a normal map's `perturbation`: the perturbation scaled by
// `bumpAmount` clamped to [0, kMaxBumpAmount], turned round on a back face, added to
// `sourceNormal` and normalised. Where the sum has no direction (it is zero, or too short or
// too long to normalise in floats) the source normal stays.
Point3 reliefNormal(const Point3& sourceNormal, const Point3& perturbation, float bumpAmount,
                    bool backFace);
