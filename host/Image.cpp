#include "Image.h"

#include <cmath>

Image::Image(int w, int h) : width(w), height(h), rgba(4 * static_cast<std::size_t>(w) * h, 0.0f) {}

namespace {

// Where a coordinate falls in pixel units, split into the pixel index below it and the
// fraction towards the next one.
struct AxisPosition {
    int i0;
    int i1;
    float frac;
};

// Brings a coordinate into the image's range along one axis first, so that the float to
// int conversion below can never overflow.
float normalizedCoord(float s, Wrap wrap) {
    if (!std::isfinite(s)) return 0.0f;
    if (wrap == Wrap::Repeat) return s - std::floor(s);
    return std::fmin(std::fmax(s, 0.0f), 1.0f);
}

// normalizedCoord keeps every index the lookups form within one pixel of the image: -1 to
// size. A compare then wraps it, where a modulo would cost two integer divisions per index.
int wrapIndex(int i, int size, Wrap wrap) {
    if (wrap == Wrap::Repeat) return i < 0 ? i + size : (i >= size ? i - size : i);
    return i < 0 ? 0 : (i >= size ? size - 1 : i);
}

AxisPosition bilinearAxis(float s, int size, Wrap wrap) {
    const float x = normalizedCoord(s, wrap) * static_cast<float>(size) - 0.5f;
    const float x0 = std::floor(x);
    const int i0 = static_cast<int>(x0);
    return {wrapIndex(i0, size, wrap), wrapIndex(i0 + 1, size, wrap), x - x0};
}

int nearestAxis(float s, int size, Wrap wrap) {
    const int i = static_cast<int>(std::floor(normalizedCoord(s, wrap) * static_cast<float>(size)));
    return wrapIndex(i, size, wrap);
}

}  // namespace

AColor sampleBilinear(const Image& image, float s, float t, Wrap wrapS, Wrap wrapT) {
    if (image.empty()) return {0.0f, 0.0f, 0.0f, 0.0f};
    const AxisPosition x = bilinearAxis(s, image.width, wrapS);
    const AxisPosition y = bilinearAxis(t, image.height, wrapT);
    const float* row0 = &image.rgba[4 * static_cast<std::size_t>(y.i0) * image.width];
    const float* row1 = &image.rgba[4 * static_cast<std::size_t>(y.i1) * image.width];
    const float w00 = (1.0f - x.frac) * (1.0f - y.frac);
    const float w10 = x.frac * (1.0f - y.frac);
    const float w01 = (1.0f - x.frac) * y.frac;
    const float w11 = x.frac * y.frac;
    float out[4];
    for (int c = 0; c < 4; ++c) {
        out[c] = w00 * row0[4 * x.i0 + c] + w10 * row0[4 * x.i1 + c] + w01 * row1[4 * x.i0 + c] +
                 w11 * row1[4 * x.i1 + c];
    }
    return {out[0], out[1], out[2], out[3]};
}

AColor sampleNearest(const Image& image, float s, float t, Wrap wrapS, Wrap wrapT) {
    if (image.empty()) return {0.0f, 0.0f, 0.0f, 0.0f};
    return image.at(nearestAxis(s, image.width, wrapS), nearestAxis(t, image.height, wrapT));
}

float srgbToLinear(float encoded) {
    if (encoded <= 0.04045f) return encoded / 12.92f;
    return std::pow((encoded + 0.055f) / 1.055f, 2.4f);
}

float linearToSrgb(float linear) {
    if (linear <= 0.0031308f) return linear * 12.92f;
    return 1.055f * std::pow(linear, 1.0f / 2.4f) - 0.055f;
}
