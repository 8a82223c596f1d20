// Image files. Reading takes PNG, JPEG, TGA, BMP, Radiance HDR and OpenEXR into linear float
// RGBA (8- and 16-bit formats are decoded from sRGB; alpha stays as stored). Writing gives
// PNG (8-bit sRGB, for display), Radiance HDR and OpenEXR (both linear float), chosen by
// the file's extension. Files are untrusted: sizes are checked against the caps of Image.h
// before any pixel storage is allocated.
#pragma once

#include <cstdint>
#include <string>

#include "Image.h"

// Largest file read into memory for decoding: more than any compressed image within the
// pixel cap needs, and below the decoder's int length limit.
constexpr std::uintmax_t kMaxImageFileBytes = std::uintmax_t{1} << 30;

// What the stored values of 8- and 16-bit files mean.
enum class ImageValues {
    Color,  // sRGB-encoded colour, decoded to linear
    Data,   // plain numbers such as tangent-space normals, taken as stored (scaled to [0, 1])
};

// Reads `path` into `image`. On failure returns false, leaves `image` untouched and sets
// `error` to "<path>: <what was wrong>".
bool readImage(const std::string& path, Image& image, std::string& error,
               ImageValues values = ImageValues::Color);

// Writes `image` to `path` (.png, .hdr or .exr, any case). The pixels go to a temporary file
// in the same folder that is renamed over `path` only once complete, so a failure never
// leaves a partial file. On failure returns false and sets `error` as readImage does.
bool writeImage(const std::string& path, const Image& image, std::string& error);
