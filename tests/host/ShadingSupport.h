// Helpers for the tests of the host's shading side: a scratch folder, a capture of host
// warnings, and a shading context at a chosen surface point.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "HostLog.h"
#include "SampleShadeContext.h"

namespace shadetest {

// A fresh folder under the system's temporary folder, removed with its contents.
class ScratchDir {
public:
    ScratchDir() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tavro-host-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data()) ? pattern : std::string();
    }
    ~ScratchDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    std::string file(const std::string& name) const { return (path_ / name).string(); }
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(path_)) {
            names.push_back(e.path().filename().string());
        }
        return names;
    }

private:
    std::filesystem::path path_;
};

// Collects host warnings for its lifetime, starting with a clean "reported once" record.
class WarningCapture {
public:
    WarningCapture() {
        hostResetWarningsOnce();
        previous_ = setHostMessageSink([this](const std::string& m) { messages.push_back(m); });
    }
    ~WarningCapture() {
        setHostMessageSink(previous_);
        hostResetWarningsOnce();
    }
    WarningCapture(const WarningCapture&) = delete;
    WarningCapture& operator=(const WarningCapture&) = delete;

    std::vector<std::string> messages;

private:
    HostMessageSink previous_;
};

// A surface point at the origin with normal n, seen along `view`, with the given UVs and
// derivatives, in a default scene.
struct SurfaceSample {
    SampleScene scene{16, 16};
    Ray ray;
    SurfaceHit hit;

    SurfaceSample(const Point3& n, const Point3& view, const Point3& uvw = {},
                  const Point3& dpdu = {1, 0, 0}, const Point3& dpdv = {0, 1, 0}) {
        ray = {Point3(0, 0, 0) - view * 2.0f, Normalize(view)};
        hit = {2.0f, {0, 0, 0}, n, uvw, dpdu, dpdv};
    }
    SampleShadeContext context() { return SampleShadeContext(scene, ray, hit, 8.0f, 8.0f); }
};

}  // namespace shadetest
