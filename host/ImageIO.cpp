#include "ImageIO.h"

#include <ImfChannelList.h>
#include <ImfFrameBuffer.h>
#include <ImfHeader.h>
#include <ImfInputFile.h>
#include <ImfOutputFile.h>
#include <ImfRgbaFile.h>
#include <stb_image.h>
#include <stb_image_write.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Permissions of a written file (the temporary file starts private).
constexpr mode_t kOutputFileMode = 0644;

bool fail(std::string& error, const std::string& path, const std::string& what) {
    error = path + ": " + what;
    return false;
}

// Checks a declared size against the caps before anything is allocated for it.
bool checkDimensions(std::int64_t w, std::int64_t h, const std::string& path, std::string& error) {
    if (w <= 0 || h <= 0) {
        return fail(
            error, path,
            "image has no pixels (declared " + std::to_string(w) + " x " + std::to_string(h) + ")");
    }
    if (w > kMaxImageSide || h > kMaxImageSide || w * h > kMaxImagePixels) {
        return fail(error, path,
                    "image too large (declared " + std::to_string(w) + " x " + std::to_string(h) +
                        ", at most " + std::to_string(kMaxImageSide) + " per side and " +
                        std::to_string(kMaxImagePixels) + " pixels)");
    }
    return true;
}

std::string lowerExtension(const std::string& path) {
    std::string ext = fs::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    return ext;
}

bool isExr(const std::vector<unsigned char>& bytes) {
    static constexpr std::array<unsigned char, 4> kMagic{0x76, 0x2f, 0x31, 0x01};
    return bytes.size() >= kMagic.size() && std::equal(kMagic.begin(), kMagic.end(), bytes.begin());
}

// The first bytes tell EXR from the formats stb reads; EXR itself is read by file name.
bool readFileBytes(const std::string& path, std::vector<unsigned char>& bytes, std::string& error) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) {
        return fail(error, path, fs::exists(path, ec) ? "not a regular file" : "file not found");
    }
    const std::uintmax_t size = fs::file_size(path, ec);
    if (ec) return fail(error, path, "cannot read file size (" + ec.message() + ")");
    if (size == 0) return fail(error, path, "file is empty");
    if (size > kMaxImageFileBytes) {
        return fail(error, path,
                    "file too large (" + std::to_string(size) + " bytes, at most " +
                        std::to_string(kMaxImageFileBytes) + ")");
    }
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return fail(error, path, std::string("cannot open file (") + std::strerror(errno) + ")");
    bytes.resize(static_cast<std::size_t>(size));
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size));
    if (in.gcount() != static_cast<std::streamsize>(size)) {
        return fail(error, path,
                    "cannot read file (" + std::to_string(in.gcount()) + " of " +
                        std::to_string(size) + " bytes read)");
    }
    return true;
}

const std::array<float, 256>& srgb8ToLinearTable() {
    static const std::array<float, 256> table = [] {
        std::array<float, 256> t{};
        for (int i = 0; i < 256; ++i) t[i] = srgbToLinear(static_cast<float>(i) / 255.0f);
        return t;
    }();
    return table;
}

struct StbFree {
    void operator()(void* p) const { stbi_image_free(p); }
};
template <typename T>
using StbPixels = std::unique_ptr<T, StbFree>;

std::string stbReason() {
    const char* reason = stbi_failure_reason();
    return reason ? reason : "unknown reason";
}

bool readWithStb(const std::string& path, const std::vector<unsigned char>& bytes, Image& image,
                 std::string& error, ImageValues values) {
    const bool srgb = values == ImageValues::Color;
    const auto* data = bytes.data();
    const int len = static_cast<int>(bytes.size());
    int w = 0, h = 0, channels = 0;
    if (!stbi_info_from_memory(data, len, &w, &h, &channels)) {
        return fail(error, path, "not a readable image (" + stbReason() + ")");
    }
    if (!checkDimensions(w, h, path, error)) return false;

    Image decoded(w, h);
    const std::size_t count = 4 * static_cast<std::size_t>(w) * h;
    int dw = 0, dh = 0;
    if (stbi_is_hdr_from_memory(data, len)) {
        StbPixels<float> px(stbi_loadf_from_memory(data, len, &dw, &dh, &channels, 4));
        if (!px) return fail(error, path, "cannot decode image (" + stbReason() + ")");
        if (dw != w || dh != h) return fail(error, path, "image size changed while decoding");
        std::copy_n(px.get(), count, decoded.rgba.begin());
    } else if (stbi_is_16_bit_from_memory(data, len)) {
        StbPixels<stbi_us> px(stbi_load_16_from_memory(data, len, &dw, &dh, &channels, 4));
        if (!px) return fail(error, path, "cannot decode image (" + stbReason() + ")");
        if (dw != w || dh != h) return fail(error, path, "image size changed while decoding");
        for (std::size_t i = 0; i < count; ++i) {
            const float v = static_cast<float>(px.get()[i]) / 65535.0f;
            decoded.rgba[i] = (srgb && i % 4 != 3) ? srgbToLinear(v) : v;
        }
    } else {
        StbPixels<stbi_uc> px(stbi_load_from_memory(data, len, &dw, &dh, &channels, 4));
        if (!px) return fail(error, path, "cannot decode image (" + stbReason() + ")");
        if (dw != w || dh != h) return fail(error, path, "image size changed while decoding");
        const auto& table = srgb8ToLinearTable();
        for (std::size_t i = 0; i < count; ++i) {
            const stbi_uc v = px.get()[i];
            decoded.rgba[i] = (srgb && i % 4 != 3) ? table[v] : static_cast<float>(v) / 255.0f;
        }
    }
    image = std::move(decoded);
    return true;
}

// The library addresses pixels by data-window coordinates: the base it wants lies before the
// first pixel by the window's offset. Integer arithmetic forms it, so that a window far from
// the origin never makes an out-of-bounds pointer in this code.
template <typename T>
T* shiftedBase(T* first, const Imath::Box2i& dw, std::int64_t width,
               std::size_t pixelBytes = sizeof(T)) {
    const auto offset =
        static_cast<std::uintptr_t>((static_cast<std::int64_t>(dw.min.y) * width + dw.min.x) *
                                    static_cast<std::int64_t>(pixelBytes));
    return reinterpret_cast<T*>(reinterpret_cast<std::uintptr_t>(first) - offset);
}

// Luminance-chroma images need the library's conversion to RGB, which yields half floats.
Image readExrLuminanceChroma(const std::string& path, std::int64_t w, std::int64_t h) {
    Imf::RgbaInputFile file(path.c_str());
    const Imath::Box2i dw = file.dataWindow();
    std::vector<Imf::Rgba> px(static_cast<std::size_t>(w * h));
    file.setFrameBuffer(shiftedBase(px.data(), dw, w), 1, static_cast<std::size_t>(w));
    file.readPixels(dw.min.y, dw.max.y);
    Image decoded(static_cast<int>(w), static_cast<int>(h));
    for (std::size_t i = 0; i < px.size(); ++i) {
        decoded.rgba[4 * i + 0] = px[i].r;
        decoded.rgba[4 * i + 1] = px[i].g;
        decoded.rgba[4 * i + 2] = px[i].b;
        decoded.rgba[4 * i + 3] = px[i].a;
    }
    return decoded;
}

// Colour from R, G and B, or grey from Y alone, at full float precision; missing channels
// read 0, a missing alpha 1.
Image readExrChannels(Imf::InputFile& file, std::int64_t w, std::int64_t h) {
    const Imath::Box2i dw = file.header().dataWindow();
    const Imf::ChannelList& channels = file.header().channels();
    const bool grey = !channels.findChannel("R") && !channels.findChannel("G") &&
                      !channels.findChannel("B") && channels.findChannel("Y");
    static constexpr const char* kNames[4] = {"R", "G", "B", "A"};
    Image decoded(static_cast<int>(w), static_cast<int>(h));
    const std::size_t xStride = 4 * sizeof(float);
    const std::size_t yStride = xStride * static_cast<std::size_t>(w);
    Imf::FrameBuffer frame;
    for (int c = 0; c < 4; ++c) {
        if (grey && (c == 1 || c == 2)) continue;  // copied from Y below
        const char* name = (grey && c == 0) ? "Y" : kNames[c];
        char* base = reinterpret_cast<char*>(shiftedBase(&decoded.rgba[c], dw, w, xStride));
        frame.insert(name,
                     Imf::Slice(Imf::FLOAT, base, xStride, yStride, 1, 1, c == 3 ? 1.0 : 0.0));
    }
    file.setFrameBuffer(frame);
    file.readPixels(dw.min.y, dw.max.y);
    if (grey) {
        for (std::size_t i = 0; i < decoded.rgba.size(); i += 4) {
            decoded.rgba[i + 1] = decoded.rgba[i + 2] = decoded.rgba[i];
        }
    }
    return decoded;
}

bool readExr(const std::string& path, Image& image, std::string& error) {
    try {
        Imf::InputFile file(path.c_str());
        const Imath::Box2i dw = file.header().dataWindow();
        const std::int64_t w = std::int64_t{dw.max.x} - dw.min.x + 1;
        const std::int64_t h = std::int64_t{dw.max.y} - dw.min.y + 1;
        if (!checkDimensions(w, h, path, error)) return false;
        const Imf::ChannelList& channels = file.header().channels();
        if (channels.findChannel("RY") || channels.findChannel("BY")) {
            image = readExrLuminanceChroma(path, w, h);
        } else {
            image = readExrChannels(file, w, h);
        }
        return true;
    } catch (const std::exception& e) {
        return fail(error, path, std::string("cannot read OpenEXR image (") + e.what() + ")");
    }
}

// --- writing ---

// A temporary file beside the destination, removed again unless committed by rename.
class TempFile {
public:
    explicit TempFile(const std::string& destination) {
        const fs::path dest(destination);
        const fs::path dir = dest.has_parent_path() ? dest.parent_path() : fs::path(".");
        name_ = (dir / ("." + dest.filename().string() + ".tmp-XXXXXX")).string();
        fd_ = ::mkstemp(name_.data());
        if (fd_ < 0) {
            openError_ = std::strerror(errno);
            name_.clear();
        } else {
            ::fchmod(fd_, kOutputFileMode);
        }
    }
    ~TempFile() {
        closeFd();
        if (!name_.empty()) ::unlink(name_.c_str());
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    bool ok() const { return !name_.empty(); }
    const std::string& openError() const { return openError_; }
    const std::string& name() const { return name_; }

    bool writeAll(const std::vector<unsigned char>& bytes) {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return false;
            done += static_cast<std::size_t>(n);
        }
        return true;
    }
    // Flushes and closes; false with errno set when the data may not have reached the disk.
    bool closeFd() {
        if (fd_ < 0) return true;
        const bool synced = ::fsync(fd_) == 0;
        const int syncErrno = errno;
        const bool closed = ::close(fd_) == 0;
        fd_ = -1;
        if (!synced) errno = syncErrno;
        return synced && closed;
    }
    // Moves the finished file into place; returns the system's reason on failure.
    bool commit(const std::string& destination, std::string& reason) {
        if (!closeFd() || std::rename(name_.c_str(), destination.c_str()) != 0) {
            reason = std::strerror(errno);
            return false;
        }
        name_.clear();
        return true;
    }

private:
    std::string name_;
    std::string openError_;
    int fd_ = -1;
};

void appendBytes(void* context, void* data, int size) {
    auto* out = static_cast<std::vector<unsigned char>*>(context);
    const auto* p = static_cast<const unsigned char*>(data);
    out->insert(out->end(), p, p + size);
}

unsigned char encode8(float linear, bool srgb) {
    if (!(linear > 0.0f)) return 0;  // also NaN
    const float v = std::fmin(srgb ? linearToSrgb(linear) : linear, 1.0f);
    return static_cast<unsigned char>(v * 255.0f + 0.5f);
}

bool encodePng(const Image& image, std::vector<unsigned char>& bytes) {
    const bool opaque = [&] {
        for (std::size_t i = 3; i < image.rgba.size(); i += 4)
            if (image.rgba[i] != 1.0f) return false;
        return true;
    }();
    const int channels = opaque ? 3 : 4;
    std::vector<unsigned char> px(static_cast<std::size_t>(channels) * image.width * image.height);
    const std::size_t count = static_cast<std::size_t>(image.width) * image.height;
    for (std::size_t i = 0; i < count; ++i) {
        for (int c = 0; c < channels; ++c) {
            px[i * channels + c] = encode8(image.rgba[4 * i + c], c < 3);
        }
    }
    return stbi_write_png_to_func(appendBytes, &bytes, image.width, image.height, channels,
                                  px.data(), image.width * channels) != 0;
}

bool encodeHdr(const Image& image, std::vector<unsigned char>& bytes) {
    std::vector<float> rgb(3 * static_cast<std::size_t>(image.width) * image.height);
    for (std::size_t i = 0; i < rgb.size() / 3; ++i) {
        for (int c = 0; c < 3; ++c) rgb[3 * i + c] = image.rgba[4 * i + c];
    }
    return stbi_write_hdr_to_func(appendBytes, &bytes, image.width, image.height, 3, rgb.data()) !=
           0;
}

bool writeExrFile(const std::string& name, const Image& image, std::string& reason) {
    try {
        Imf::Header header(image.width, image.height);
        header.compression() = Imf::ZIP_COMPRESSION;
        static constexpr const char* kChannels[4] = {"R", "G", "B", "A"};
        Imf::FrameBuffer frame;
        for (int c = 0; c < 4; ++c) {
            header.channels().insert(kChannels[c], Imf::Channel(Imf::FLOAT));
            frame.insert(
                kChannels[c],
                Imf::Slice(Imf::FLOAT,
                           const_cast<char*>(reinterpret_cast<const char*>(&image.rgba[c])),
                           4 * sizeof(float), 4 * sizeof(float) * image.width));
        }
        Imf::OutputFile file(name.c_str(), header);
        file.setFrameBuffer(frame);
        file.writePixels(image.height);
        return true;
    } catch (const std::exception& e) {
        reason = e.what();
        return false;
    }
}

}  // namespace

bool readImage(const std::string& path, Image& image, std::string& error, ImageValues values) {
    std::vector<unsigned char> bytes;
    if (!readFileBytes(path, bytes, error)) return false;
    if (isExr(bytes)) {
        bytes = {};
        return readExr(path, image, error);
    }
    return readWithStb(path, bytes, image, error, values);
}

bool writeImage(const std::string& path, const Image& image, std::string& error) {
    const std::string ext = lowerExtension(path);
    if (ext != ".png" && ext != ".hdr" && ext != ".exr") {
        return fail(error, path,
                    "unsupported output format \"" + ext + "\" (use .png, .hdr or .exr)");
    }
    if (!checkDimensions(image.width, image.height, path, error)) return false;
    if (image.rgba.size() != 4 * static_cast<std::size_t>(image.width) * image.height) {
        return fail(error, path, "image holds the wrong number of pixel values");
    }

    TempFile temp(path);
    if (!temp.ok())
        return fail(error, path, "cannot create output file (" + temp.openError() + ")");
    if (ext == ".exr") {
        temp.closeFd();
        std::string reason;
        if (!writeExrFile(temp.name(), image, reason)) {
            return fail(error, path, "cannot write OpenEXR image (" + reason + ")");
        }
    } else {
        std::vector<unsigned char> bytes;
        const bool encoded = ext == ".png" ? encodePng(image, bytes) : encodeHdr(image, bytes);
        if (!encoded) return fail(error, path, "cannot encode image");
        if (!temp.writeAll(bytes)) {
            return fail(error, path,
                        std::string("cannot write file (") + std::strerror(errno) + ")");
        }
    }
    std::string reason;
    if (!temp.commit(path, reason))
        return fail(error, path, "cannot replace file (" + reason + ")");
    return true;
}
