// A bitmap in memory: linear RGBA as 32-bit floats, row 0 at the top, and its filtered
// lookups. Texture coordinates (s, t) span the image as [0, 1] x [0, 1], t = 0 at the top
// edge; pixel centres lie at ((x + 0.5) / width, (y + 0.5) / height).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "Color.h"

// Largest width or height accepted from a file: beyond any texture or environment a
// material preview needs, and small enough that width * 4 channels fits an int stride.
constexpr int kMaxImageSide = 16384;
// Largest pixel count accepted from a file: 2^25 pixels (an 8192 x 4096 environment) is
// 512 MiB as float RGBA, the most one image may claim.
constexpr std::int64_t kMaxImagePixels = std::int64_t{1} << 25;

struct Image {
    int width = 0;
    int height = 0;
    // width * height * 4 floats: r, g, b, a per pixel, row by row from the top.
    std::vector<float> rgba;

    Image() = default;
    // A black, transparent image; the caller keeps the size within the caps.
    Image(int w, int h);

    bool empty() const { return width <= 0 || height <= 0; }
    AColor at(int x, int y) const {
        const float* p = &rgba[4 * (static_cast<std::size_t>(y) * width + x)];
        return {p[0], p[1], p[2], p[3]};
    }
    void set(int x, int y, const AColor& c) {
        float* p = &rgba[4 * (static_cast<std::size_t>(y) * width + x)];
        p[0] = c.r;
        p[1] = c.g;
        p[2] = c.b;
        p[3] = c.a;
    }
};

// How a lookup treats coordinates outside [0, 1] along one axis.
enum class Wrap {
    Repeat,  // tiles the image
    Clamp,   // repeats the edge pixels
};

// Bilinear interpolation between the four pixel centres around (s, t). Non-finite
// coordinates read as 0. An empty image answers transparent black.
AColor sampleBilinear(const Image& image, float s, float t, Wrap wrapS, Wrap wrapT);
// The pixel that contains (s, t), with the same rules.
AColor sampleNearest(const Image& image, float s, float t, Wrap wrapS, Wrap wrapT);

// The sRGB transfer functions (IEC 61966-2-1), for values in [0, 1].
float srgbToLinear(float encoded);
float linearToSrgb(float linear);
