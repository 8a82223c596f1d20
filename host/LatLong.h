// Latitude-longitude (equirectangular) environment images looked up by world direction.
//
// The host is Z-up. Image coordinates (s, t) as in Image.h (t = 0 at the top row):
//   t = polar angle from +Z / pi: the top row is straight up (+Z), the bottom row straight
//       down (-Z), the middle row the horizon;
//   s = 0.5 - azimuth / (2 pi), azimuth = atan2(y, x): +X lies at the image centre
//       (s = 0.5), +Y at s = 0.25, -Y at s = 0.75, and the seam s = 0 / 1 at -X.
// Seen from inside the sphere the image is not mirrored. This matches the usual layout of
// published environment images (their centre faces +X in a Z-up scene).
#pragma once

#include "Image.h"
#include "Point2.h"
#include "Point3.h"

// Image coordinates of a direction (any length; a zero vector gives the top row).
Point2 latLongFromDirection(const Point3& dir);

// Bilinear lookup of an environment image along a direction: wraps around the azimuth and
// clamps at the poles. Allocates nothing.
AColor lookupLatLong(const Image& image, const Point3& dir);
