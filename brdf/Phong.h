// Normalised cosine-power (Phong) lobe about an arbitrary axis (Lafortune and Willems 1994).
#pragma once

#include "Color.h"
#include "Point2.h"
#include "Point3.h"

class ShadeContext;
class Texmap;

// Draws a direction from the cosine-power-n lobe about the unit world `axis` and writes the
// preview environment's colour along it times (n+2)/(n+1)·cos. The lobe is not cut at the
// surface, so the result is always written. `envMap` is ignored: the lobe always looks up
// previewEnvMap (the caller passes that same map).
void brdfSamplePhong(Color& result, ShadeContext& sc, const Point2& rnd2d, float n, Texmap* envMap,
                     const Point3& axis);
