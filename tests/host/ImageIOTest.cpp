#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ImageIO.h"
#include "tests/host/ShadingSupport.h"

namespace {

using shadetest::ScratchDir;

void writeBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

std::vector<unsigned char> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void putBigEndian(std::vector<unsigned char>& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<unsigned char>(v >> shift));
}

// A PNG signature and header chunk declaring the given size, and nothing else.
std::vector<unsigned char> pngHeader(std::uint32_t width, std::uint32_t height) {
    std::vector<unsigned char> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    putBigEndian(png, 13);
    for (char c : std::string("IHDR")) png.push_back(static_cast<unsigned char>(c));
    putBigEndian(png, width);
    putBigEndian(png, height);
    for (unsigned char b : {8, 6, 0, 0, 0}) png.push_back(b);  // 8-bit RGBA, no interlace
    putBigEndian(png, 0);                                      // CRC, not checked by readers
    return png;
}

// Values whose sRGB encoding is exactly the byte k, so an 8-bit round trip is lossless.
Image exactSrgbImage(int w, int h, bool opaque) {
    Image img(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int k = (x * 37 + y * 91) % 256;
            img.set(x, y,
                    {srgbToLinear(k / 255.0f), srgbToLinear((255 - k) / 255.0f), 0.0f,
                     opaque ? 1.0f : (k % 2 ? 1.0f : 128 / 255.0f)});
        }
    }
    return img;
}

void expectNear(const Image& got, const Image& want, float relative) {
    ASSERT_EQ(got.width, want.width);
    ASSERT_EQ(got.height, want.height);
    for (std::size_t i = 0; i < want.rgba.size(); ++i) {
        ASSERT_NEAR(got.rgba[i], want.rgba[i], relative * std::max(1.0f, std::abs(want.rgba[i])))
            << i;
    }
}

TEST(ImageIO, PngRoundTripIsSrgbEncoded) {
    ScratchDir dir;
    for (const bool opaque : {true, false}) {
        const Image img = exactSrgbImage(17, 5, opaque);
        const std::string path = dir.file(opaque ? "opaque.png" : "alpha.PNG");
        std::string error;
        ASSERT_TRUE(writeImage(path, img, error)) << error;
        Image back;
        ASSERT_TRUE(readImage(path, back, error)) << error;
        expectNear(back, img, 1e-6f);
    }
}

TEST(ImageIO, EightBitValuesDecodeFromSrgbOrAsData) {
    ScratchDir dir;
    Image img(1, 1);
    img.set(0, 0, {srgbToLinear(128 / 255.0f), 0.0f, 1.0f, 1.0f});
    std::string error;
    ASSERT_TRUE(writeImage(dir.file("mid.png"), img, error)) << error;

    Image colour, data;
    ASSERT_TRUE(readImage(dir.file("mid.png"), colour, error)) << error;
    ASSERT_TRUE(readImage(dir.file("mid.png"), data, error, ImageValues::Data)) << error;
    EXPECT_NEAR(colour.at(0, 0).r, 0.21586f, 1e-5f);  // sRGB 128 in linear light
    EXPECT_NEAR(data.at(0, 0).r, 128 / 255.0f, 1e-6f);
    EXPECT_EQ(data.at(0, 0).b, 1.0f);
}

TEST(ImageIO, ExrRoundTripIsExactFloat) {
    ScratchDir dir;
    Image img(7, 3);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 7; ++x)
            img.set(x, y, {x * 13.25f, -0.5f * y, 1e-3f * (x + y), 0.25f * x});
    }
    std::string error;
    ASSERT_TRUE(writeImage(dir.file("linear.exr"), img, error)) << error;
    Image back;
    ASSERT_TRUE(readImage(dir.file("linear.exr"), back, error)) << error;
    expectNear(back, img, 0.0f);
}

TEST(ImageIO, RadianceRoundTripKeepsHighValues) {
    ScratchDir dir;
    Image img(6, 4);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 6; ++x) img.set(x, y, {100.0f * x + 0.5f, 0.25f + y, 3.0f, 1.0f});
    }
    std::string error;
    ASSERT_TRUE(writeImage(dir.file("env.hdr"), img, error)) << error;
    Image back;
    ASSERT_TRUE(readImage(dir.file("env.hdr"), back, error)) << error;
    // Shared-exponent storage keeps about 8 bits of the largest component.
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 6; ++x) {
            const AColor want = img.at(x, y), got = back.at(x, y);
            const float tolerance = std::max({want.r, want.g, want.b}) / 128.0f;
            EXPECT_NEAR(got.r, want.r, tolerance);
            EXPECT_NEAR(got.g, want.g, tolerance);
            EXPECT_NEAR(got.b, want.b, tolerance);
            EXPECT_EQ(got.a, 1.0f);
        }
    }
}

TEST(ImageIO, HostileFilesAreRejectedNamingTheFile) {
    ScratchDir dir;
    Image noisy(64, 64);
    for (std::size_t i = 0; i < noisy.rgba.size(); ++i)
        noisy.rgba[i] = static_cast<float>((i * 7919) % 251) / 251.0f;
    std::string error;
    ASSERT_TRUE(writeImage(dir.file("whole.png"), noisy, error)) << error;
    std::vector<unsigned char> png = readBytes(dir.file("whole.png"));
    png.resize(png.size() * 6 / 10);
    writeBytes(dir.file("truncated.png"), png);

    writeBytes(dir.file("wide.png"), pngHeader(20000, 100));
    writeBytes(dir.file("many.png"), pngHeader(16000, 4000));
    const std::string hdr = "#?RADIANCE\nFORMAT=32-bit_rle_rgbe\n\n-Y 100 +X 20000\n";
    writeBytes(dir.file("wide.hdr"), {hdr.begin(), hdr.end()});
    const std::string text = "Just some words, not an image at all.\n";
    writeBytes(dir.file("words.png"), {text.begin(), text.end()});
    writeBytes(dir.file("empty.jpg"), {});

    const struct {
        std::string name;
        std::string reason;
    } cases[] = {
        {"truncated.png", "cannot decode image"},
        {"wide.png", "image too large (declared 20000 x 100"},
        {"many.png", "image too large (declared 16000 x 4000"},
        {"wide.hdr", "image too large (declared 20000 x 100"},
        {"words.png", "not a readable image"},
        {"empty.jpg", "file is empty"},
        {"absent.png", "file not found"},
        {"", "not a regular file"},  // the folder itself
    };
    for (const auto& c : cases) {
        Image img(1, 1);
        std::string message;
        EXPECT_FALSE(readImage(dir.file(c.name), img, message)) << c.name;
        EXPECT_EQ(message.rfind(dir.file(c.name) + ": ", 0), 0u) << message;
        EXPECT_NE(message.find(c.reason), std::string::npos) << message;
        EXPECT_EQ(img.width, 1) << "left untouched: " << c.name;
    }
}

TEST(ImageIO, ExrDeclaringAHugeWindowIsRejected) {
    ScratchDir dir;
    std::string error;
    ASSERT_TRUE(writeImage(dir.file("small.exr"), Image(4, 4), error)) << error;
    std::vector<unsigned char> exr = readBytes(dir.file("small.exr"));
    // dataWindow is a box2i: xMin, yMin, xMax, yMax after its name, type and size.
    const std::string key("dataWindow\0box2i\0", 17);
    auto at = std::search(exr.begin(), exr.end(), key.begin(), key.end());
    ASSERT_NE(at, exr.end());
    const std::size_t xMax = static_cast<std::size_t>(at - exr.begin()) + key.size() + 4 + 8;
    const std::int32_t huge = 1 << 20;
    std::memcpy(&exr[xMax], &huge, sizeof huge);  // the format is little-endian, as is the host
    writeBytes(dir.file("huge.exr"), exr);

    Image img;
    EXPECT_FALSE(readImage(dir.file("huge.exr"), img, error));
    EXPECT_EQ(error.rfind(dir.file("huge.exr") + ": ", 0), 0u) << error;
}

TEST(ImageIO, WriteReplacesWholeFilesOnly) {
    ScratchDir dir;
    const std::string path = dir.file("out.png");
    writeBytes(path, {'o', 'l', 'd'});
    std::string error;
    ASSERT_TRUE(writeImage(path, exactSrgbImage(3, 3, true), error)) << error;
    Image back;
    EXPECT_TRUE(readImage(path, back, error)) << error;
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"out.png"});  // no temporary file left
    EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::others_read,
              std::filesystem::perms::others_read);
}

TEST(ImageIO, FailedWritesLeaveNothing) {
    ScratchDir dir;
    const struct {
        std::string path;
        Image image;
        std::string reason;
    } cases[] = {
        {dir.file("out.jpg"), Image(2, 2), "unsupported output format \".jpg\""},
        {dir.file("out"), Image(2, 2), "unsupported output format"},
        {dir.file("no/such/folder/out.png"), Image(2, 2), "cannot create output file"},
        {dir.file("none.exr"), Image(), "image has no pixels"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(writeImage(c.path, c.image, error)) << c.path;
        EXPECT_EQ(error.rfind(c.path + ": ", 0), 0u) << error;
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
    }
    EXPECT_TRUE(dir.entries().empty());
}

}  // namespace
