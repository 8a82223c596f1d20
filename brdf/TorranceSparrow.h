// Torrance–Sparrow microfacet model with a normalised Blinn half-vector distribution and the
// V-cavity shadowing term (Torrance and Sparrow 1967; Blinn 1977).
#pragma once

#include "Color.h"
#include "Point2.h"
#include "Point3.h"

class ShadeContext;
class Texmap;

// Samples the half vector from the cosine-power-n lobe about `normal`, mirrors the view about
// it and writes the environment colour times the weight; leaves the result untouched when the
// direction is not above the surface.
void brdfSampleTorrSparr(Color& result, ShadeContext& sc, const Point2& rnd2d, float n,
                         Texmap* envMap, const Point3& normal);

// V-cavity shadowing-masking of the local pair (wo, wi) about the unit half vector h.
float torrSparrG(const Point3& wo, const Point3& wi, const Point3& h);

// torrSparrG / (4·cos theta_i·cos theta_o), capped; 0 for a grazing direction or wi = -wo.
float torrSparrGeomFactor(const Point3& wo, const Point3& wi);
