// tavro-preview: renders a TavroMtl material on the material editor's sample object, the way
// the host's editor does: the module is loaded, a material created through its class
// descriptor, set up from the command line, updated once and shaded by tiles on all cores.
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "ClassDesc2.h"
#include "ContactSheet.h"
#include "ImageIO.h"
#include "MaterialSettings.h"
#include "ModuleLoader.h"
#include "Mtl.h"
#include "PathMap.h"
#include "PreviewRenderer.h"
#include "SampleScene.h"
#include "SceneFile.h"
#include "SceneFileMaterials.h"

namespace {

constexpr const char* kProgram = "tavro-preview";
// Largest width or height of one rendered panel.
constexpr int kMaxPanelSide = 8192;
// The parameter the contact sheet varies, and its five reflection models.
constexpr const char* kReflectionModelParameter = "mtl_reflect_brdf";
constexpr int kReflectionModelCount = 5;
// Width of the terminal progress bar in characters.
constexpr int kProgressBarWidth = 40;

struct Options {
    std::string output = "preview.png";
    std::string size = "256";
    std::vector<std::string> sets;
    std::vector<std::string> maps;
    std::string env;
    TimeValue time = 0;
    int threads = 0;
    std::string object = "sphere";
    bool contactSheet = false;
    std::string module = TAVRO_DEFAULT_MODULE;
    std::string sceneFile;
    std::string material = "0";
};

// Reports a bad argument (or a failure) and gives the exit status.
int fail(const std::string& what, const std::string& why) {
    std::fprintf(stderr, "%s: %s: %s\n", kProgram, what.c_str(), why.c_str());
    return 1;
}

std::string lowerExtension(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

// Whether the output can be written: a .png or .exr name in a writable folder.
std::string checkOutput(const std::string& path) {
    const std::string ext = lowerExtension(path);
    if (ext != ".png" && ext != ".exr") return "the file name must end in .png or .exr";
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::is_directory(path, ec)) return "is a folder";
    fs::path folder = fs::path(path).parent_path();
    if (folder.empty()) folder = ".";
    if (!fs::is_directory(folder, ec)) return "folder " + folder.string() + " does not exist";
    if (::access(folder.c_str(), W_OK) != 0)
        return "folder " + folder.string() + " is not writable";
    return {};
}

bool parseSide(const std::string& text, int& side) {
    if (text.empty() || text.size() > 5) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    side = std::stoi(text);
    return side >= 1 && side <= kMaxPanelSide;
}

// "WxH" or "N" (a square).
std::string parseSize(const std::string& text, int& w, int& h) {
    const std::size_t x = text.find_first_of("xX");
    const bool ok = x == std::string::npos
                        ? parseSide(text, w) && parseSide(text, h)
                        : parseSide(text.substr(0, x), w) && parseSide(text.substr(x + 1), h);
    if (!ok) return "expected WxH or N, each 1 to " + std::to_string(kMaxPanelSide);
    return {};
}

SampleObject objectFromName(const std::string& name) {
    if (name == "cube") return SampleObject::Cube;
    if (name == "plane") return SampleObject::Plane;
    return SampleObject::Sphere;
}

// A progress bar on stderr, drawn only when stderr is a terminal.
class ProgressBar {
public:
    explicit ProgressBar(std::string label) : label_(std::move(label)), shown_(::isatty(2) != 0) {}
    ~ProgressBar() {
        if (shown_ && drawn_) std::fputc('\n', stderr);
    }
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    std::function<void(int, int)> callback() {
        if (!shown_) return {};
        return [this](int done, int total) {
            const int filled = total > 0 ? done * kProgressBarWidth / total : kProgressBarWidth;
            std::fprintf(
                stderr, "\r%-10s [%s%s] %3d%%", label_.c_str(),
                std::string(static_cast<std::size_t>(filled), '#').c_str(),
                std::string(static_cast<std::size_t>(kProgressBarWidth - filled), ' ').c_str(),
                total > 0 ? done * 100 / total : 100);
            std::fflush(stderr);
            drawn_ = true;
        };
    }

private:
    std::string label_;
    bool shown_;
    bool drawn_ = false;
};

// The material as the host holds it; deleted before the module that made it is unloaded.
struct MaterialDeleter {
    void operator()(Mtl* m) const { m->DeleteThis(); }
};
using MaterialHandle = std::unique_ptr<Mtl, MaterialDeleter>;

Image renderOnce(Mtl& mtl, const SampleScene& scene, TimeValue t, int threads,
                 const std::string& label) {
    Interval valid = FOREVER;
    mtl.Update(t, valid);
    ProgressBar bar(label);
    PreviewRenderOptions options;
    options.threads = threads;
    options.progress = bar.callback();
    return renderPreview(mtl, scene, options);
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    CLI::App app{"Renders a TavroMtl material on the material editor's sample object."};
    app.add_option("-o,--output", o.output, "Image file: .png (8-bit sRGB) or .exr (linear)")
        ->capture_default_str();
    app.add_option("--size", o.size, "Size of the image (of each panel): WxH or N")
        ->capture_default_str();
    app.add_option("--set", o.sets, "Parameter by internal name: name=value (repeatable)");
    app.add_option("--map", o.maps, "Texture map by image file: name=file (repeatable)");
    app.add_option("--env", o.env,
                   "Environment image (latitude-longitude) instead of the preview's");
    app.add_option("--time", o.time, "Scene time in ticks at which the material is updated")
        ->capture_default_str();
    app.add_option("--threads", o.threads, "Render threads (default: one per core)")
        ->check(CLI::Range(1, kMaxPreviewThreads));
    app.add_option("--object", o.object, "Sample object")
        ->check(CLI::IsMember({"sphere", "cube", "plane"}))
        ->capture_default_str();
    app.add_flag("--contact-sheet", o.contactSheet,
                 "Render the material under all five reflection models side by side");
    app.add_option("--module", o.module, "The TavroMtl module (.dlt) to load")
        ->capture_default_str();
    app.add_option("--scene", o.sceneFile, "Render a material of this scene file");
    app.add_option("--material", o.material, "The scene's material: index or name")
        ->capture_default_str();
    CLI11_PARSE(app, argc, argv);

    if (std::string why = checkOutput(o.output); !why.empty())
        return fail("--output " + o.output, why);
    int width = 0;
    int height = 0;
    if (std::string why = parseSize(o.size, width, height); !why.empty()) {
        return fail("--size " + o.size, why);
    }
    // Only a contact sheet carries the label strip under its panels.
    const std::int64_t panels = o.contactSheet ? kReflectionModelCount : 1;
    const std::int64_t sheetHeight = height + (o.contactSheet ? labelStripHeight(height) : 0);
    if (std::int64_t{width} * sheetHeight * panels > kMaxImagePixels) {
        return fail("--size " + o.size,
                    "the image would exceed " + std::to_string(kMaxImagePixels) + " pixels");
    }
    if (!o.env.empty()) {
        Image probe;
        std::string error;
        if (!readImage(o.env, probe, error)) return fail("--env " + o.env, error);
        std::error_code ec;
        hostMapPath(kTavroPreviewEnvironmentPath, std::filesystem::absolute(o.env, ec).string());
    }

    std::string error;
    std::unique_ptr<LoadedModule> module = LoadedModule::Open(o.module, error);
    if (!module) return fail("--module " + o.module, error);
    auto* cd =
        module->NumberClasses() > 0 ? dynamic_cast<ClassDesc2*>(module->GetClassDesc(0)) : nullptr;
    if (cd == nullptr || cd->SuperClassID() != MATERIAL_CLASS_ID) {
        return fail("--module " + o.module, "offers no material class");
    }
    // A material of a scene file (the scene owns it), or a new one.
    std::unique_ptr<Scene> sceneFile;
    MaterialHandle created;
    Mtl* mtl = nullptr;
    if (!o.sceneFile.empty()) {
        sceneFile = loadScene(o.sceneFile, error);
        if (!sceneFile) return fail("--scene " + o.sceneFile, error);
        mtl = findSceneMaterial(*sceneFile, o.material, error);
        if (mtl == nullptr) return fail("--material " + o.material, error);
    } else {
        // The descriptor's create hands back the new material as the host's material type.
        created.reset(static_cast<Mtl*>(cd->Create(FALSE)));
        mtl = created.get();
    }
    if (mtl == nullptr || mtl->GetParamBlock(0) == nullptr) {
        return fail("--module " + o.module, "could not create a material");
    }

    for (const std::string& s : o.sets) {
        if (std::string why = applyParameterSetting(*mtl, *cd, s, o.time); !why.empty()) {
            return fail("--set " + s, why);
        }
    }
    for (const std::string& m : o.maps) {
        if (std::string why = applyMapSetting(*mtl, m); !why.empty())
            return fail("--map " + m, why);
    }

    SampleScene scene(width, height, objectFromName(o.object));
    SampleBackground background;
    background.kind = BackgroundKind::Checker;
    scene.setBackground(background);

    Image image;
    if (o.contactSheet) {
        const std::vector<std::string> names = listItems(*mtl, *cd, kReflectionModelParameter);
        std::vector<Image> panels;
        for (int model = 0; model < kReflectionModelCount; ++model) {
            const std::string setting =
                std::string(kReflectionModelParameter) + "=" + std::to_string(model);
            if (std::string why = applyParameterSetting(*mtl, *cd, setting, o.time); !why.empty()) {
                return fail("--contact-sheet", why);
            }
            const std::string label =
                static_cast<std::size_t>(model) < names.size() ? names[model] : setting;
            panels.push_back(renderOnce(*mtl, scene, o.time, o.threads, label));
        }
        image = composeContactSheet(panels, names);
    } else {
        image = renderOnce(*mtl, scene, o.time, o.threads, "Rendering");
    }

    if (!writeImage(o.output, image, error)) return fail("--output " + o.output, error);
    return 0;
}
