// Oren–Nayar rough diffuse factor (Oren and Nayar 1994, the qualitative model with A and B).
#pragma once

#include "Point3.h"

// Scale of one light's Lambert term for roughness r in [0, 1] (sigma = r·pi/2).
// L: light direction; E: toward the eye (-ray_dir); n: unit normal. Excludes the diffuse
// colour, 1/pi and the cosine n·L, which stay with the caller.
float orenNayarFactor(const Point3& L, const Point3& E, const Point3& n, float r);
