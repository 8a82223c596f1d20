// Bakes a latitude-longitude environment image down to the size the material previews use:
//
//     tavro-envbake <input image> <output.hdr|.exr|.png> [width height]
//
// Each output pixel is the area-weighted average of the input pixels it covers, so
// highlights keep their energy. Made the shipped resources/env/EnvMatEdit.hdr from
// ../shared/hdri/studio.exr at 1024 x 512.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "Image.h"
#include "ImageIO.h"

namespace {

constexpr int kDefaultWidth = 1024;
constexpr int kDefaultHeight = 512;

// Weight of source cell [i, i + 1) inside the span [lo, hi).
float overlap(int i, float lo, float hi) {
    return std::max(0.0f,
                    std::min(hi, static_cast<float>(i + 1)) - std::max(lo, static_cast<float>(i)));
}

Image downsample(const Image& src, int width, int height) {
    Image dst(width, height);
    const float sx = static_cast<float>(src.width) / static_cast<float>(width);
    const float sy = static_cast<float>(src.height) / static_cast<float>(height);
    for (int y = 0; y < height; ++y) {
        const float y0 = static_cast<float>(y) * sy, y1 = y0 + sy;
        for (int x = 0; x < width; ++x) {
            const float x0 = static_cast<float>(x) * sx, x1 = x0 + sx;
            double sum[4] = {0, 0, 0, 0};
            double weight = 0.0;
            for (int j = static_cast<int>(y0);
                 j < std::min(src.height, static_cast<int>(std::ceil(y1))); ++j) {
                const float wy = overlap(j, y0, y1);
                for (int i = static_cast<int>(x0);
                     i < std::min(src.width, static_cast<int>(std::ceil(x1))); ++i) {
                    const double w = static_cast<double>(wy * overlap(i, x0, x1));
                    const AColor c = src.at(i, j);
                    sum[0] += w * static_cast<double>(c.r);
                    sum[1] += w * static_cast<double>(c.g);
                    sum[2] += w * static_cast<double>(c.b);
                    sum[3] += w * static_cast<double>(c.a);
                    weight += w;
                }
            }
            dst.set(
                x, y,
                AColor(static_cast<float>(sum[0] / weight), static_cast<float>(sum[1] / weight),
                       static_cast<float>(sum[2] / weight), static_cast<float>(sum[3] / weight)));
        }
    }
    return dst;
}

bool parseSize(const char* text, int& value) {
    char* end = nullptr;
    const long v = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || v < 1 || v > kMaxImageSide) return false;
    value = static_cast<int>(v);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 5) {
        std::fprintf(stderr, "usage: %s <input image> <output .hdr|.exr|.png> [width height]\n",
                     argv[0]);
        return 2;
    }
    int width = kDefaultWidth, height = kDefaultHeight;
    if (argc == 5 && (!parseSize(argv[3], width) || !parseSize(argv[4], height))) {
        std::fprintf(stderr, "%s: width and height must be whole numbers from 1 to %d\n", argv[0],
                     kMaxImageSide);
        return 2;
    }
    Image src;
    std::string error;
    if (!readImage(argv[1], src, error)) {
        std::fprintf(stderr, "%s: %s\n", argv[0], error.c_str());
        return 1;
    }
    if (width > src.width || height > src.height) {
        std::fprintf(stderr, "%s: %s is %d x %d, smaller than the %d x %d asked for\n", argv[0],
                     argv[1], src.width, src.height, width, height);
        return 1;
    }
    if (!writeImage(argv[2], downsample(src, width, height), error)) {
        std::fprintf(stderr, "%s: %s\n", argv[0], error.c_str());
        return 1;
    }
    return 0;
}
