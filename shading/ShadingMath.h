// Scalar and colour arithmetic of the preview shading: clamping, clamped blends, the largest
// component of a colour and the soft roll-off of bright values.
#pragma once

#include "Color.h"
#include "Point3.h"

// min(max(x, 0), 1); a NaN gives 0.
float clamp01(float x);

// x = x + (y - x)·t per component, with t clamped to [0, 1] first (a NaN t counts as 0).
void lerpClamped(Color& x, const Color& y, float t);
void lerpClamped(Point3& x, const Point3& y, float t);

// max(r, max(g, b)), with fmaxf's handling of NaN.
float maxComponent(const Color& c);

// x / (1 + x^5)^(1/5): near x for small values, approaching 1 for large ones. Where 1 + x^5
// leaves the float range the formula has no value: a value too large for x^5 gives the
// limit 1, and one at or below -1 (only negative light or colours reach it) gives 0.
float rollOff(float x);
