// Glossiness and cosine power: the two ways a lobe's width is given. Glossiness runs from 0
// (widest) to 1 (mirror); the cosine power of a Phong-type lobe from about 1 to 50 000.
#pragma once

// The cosine power of glossiness g, an exponential fit in two pieces that meet at g = 0.5
// only approximately (the lower one gives about 12.31 just below, the upper 12.257 at 0.5).
float glossToCosPower(float g);

// The glossiness whose cosine power is p: the inverse of each piece of glossToCosPower, the
// upper one from its value at g = 0.5 on. Not clamped; a power of about 49 847 or more gives
// 1 or more (a mirror).
float cosPowerToGloss(float p);
