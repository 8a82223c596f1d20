// Isotropic GGX microfacet model with height-correlated Smith shadowing-masking, sampled by
// Heitz's simpler exact routine for the distribution of visible normals (Heitz 2017/2018).
// With that sampling the weight is G2/G1.
//
// Both masking terms take alpha where Heitz 2014 writes alpha² (the sampler stretches by
// alpha): they belong to this model as defined and are kept.
#pragma once

#include "Color.h"
#include "Point2.h"
#include "Point3.h"

class ShadeContext;
class Texmap;

// alpha = (1 - g)². Writes the environment colour times G2/G1 for the sampled direction;
// leaves the result untouched when that direction is not above the surface, and also when
// the view itself is not above it (there G1 is 0 or negative and the weight meaningless).
void brdfSampleGGX(Color& result, ShadeContext& sc, const Point2& rnd2d, float g, Texmap* envMap,
                   const Point3& normal);

// Visible normal for the local view V (unit); switches its tangent to the x axis once the
// stretched view is within acos(0.999) of the pole.
Point3 ggxSampleVisibleNormal(const Point3& V, float alpha, float U1, float U2);

// Masking of a direction with cosine c.
float ggxG1(float c, float alpha);
// Height-correlated shadowing-masking of the pair with cosines l and c.
float ggxG2(float l, float c, float alpha);
