// tavro-preview run as a user runs it: the images it writes, and command lines it refuses
// without leaving anything behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "Image.h"
#include "ImageIO.h"
#include "tests/apps/ProgramRun.h"

namespace {

using apptest::RunResult;
using apptest::ScratchDir;

// Small images on few threads keep each run a fraction of a second.
constexpr const char* kSize = "16";
constexpr const char* kThreads = "1";

// Runs the preview with `args`, adding an output, size and thread count where `args` gives
// none.
RunResult preview(std::vector<std::string> args, const std::string& output) {
    auto has = [&](std::initializer_list<const char*> names) {
        return std::any_of(args.begin(), args.end(), [&](const std::string& a) {
            return std::find(names.begin(), names.end(), a) != names.end();
        });
    };
    if (!has({"-o", "--output"})) args.insert(args.end(), {"-o", output});
    if (!has({"--size"})) args.insert(args.end(), {"--size", kSize});
    if (!has({"--threads"})) args.insert(args.end(), {"--threads", kThreads});
    return apptest::runProgram(TAVRO_PREVIEW_PROGRAM, args);
}

// Replaces every "{in}" in `text` by the folder of inputs and every "{out}" by the folder of
// outputs.
std::string expand(std::string text, const ScratchDir& in, const ScratchDir& out) {
    for (const auto& [key, dir] : {std::pair{"{in}", &in}, std::pair{"{out}", &out}}) {
        for (std::size_t at; (at = text.find(key)) != std::string::npos;) {
            text.replace(at, std::string(key).size(), dir->path().string());
        }
    }
    return text;
}

std::string describe(const RunResult& r) {
    return "exit " + std::to_string(r.exitCode) + ", signal " + std::to_string(r.signal) +
           "\nstderr:\n" + r.err;
}

TEST(PreviewProgram, WritesAPngOfTheRequestedSize) {
    struct Case {
        const char* size;
        std::uint32_t width, height;
    };
    for (const Case& c : {Case{"16", 16, 16}, Case{"24x12", 24, 12}, Case{"9X20", 9, 20}}) {
        SCOPED_TRACE(c.size);
        ScratchDir dir;
        const std::string out = dir.file("preview.png");
        const RunResult r = preview({"--size", c.size}, out);
        ASSERT_EQ(r.exitCode, 0) << describe(r);
        std::uint32_t w = 0, h = 0;
        ASSERT_TRUE(apptest::pngSize(out, w, h));
        EXPECT_EQ(w, c.width);
        EXPECT_EQ(h, c.height);
        // Only the image: its temporary file is gone.
        EXPECT_EQ(dir.entries(), std::vector<std::string>{"preview.png"});
    }
}

TEST(PreviewProgram, WritesALinearExrWithTheSampleObjectOnTheBackground) {
    ScratchDir dir;
    const std::string out = dir.file("preview.EXR");
    const RunResult r = preview({"--size", "24x16", "--set", "mtl_diffuse_color=1,0,0"}, out);
    ASSERT_EQ(r.exitCode, 0) << describe(r);
    EXPECT_EQ(apptest::readFile(out).substr(0, 4), std::string("\x76\x2f\x31\x01", 4));
    Image image;
    std::string error;
    ASSERT_TRUE(readImage(out, image, error)) << error;
    EXPECT_EQ(image.width, 24);
    EXPECT_EQ(image.height, 16);
    // A red sphere in the middle, the grey checker in a corner.
    const AColor centre = image.at(12, 8);
    EXPECT_GT(centre.r, 2.0f * centre.g);
    EXPECT_GT(centre.r, 2.0f * centre.b);
    const AColor corner = image.at(0, 0);
    EXPECT_NEAR(corner.r, corner.g, 1e-3f);
    EXPECT_NEAR(corner.g, corner.b, 1e-3f);
}

TEST(PreviewProgram, AContactSheetHasOnePanelPerReflectionModelSideBySide) {
    ScratchDir dir;
    const std::string single = dir.file("single.png");
    const std::string sheet = dir.file("sheet.png");
    ASSERT_EQ(preview({}, single).exitCode, 0);
    const RunResult r = preview({"--contact-sheet"}, sheet);
    ASSERT_EQ(r.exitCode, 0) << describe(r);
    std::uint32_t w = 0, h = 0;
    ASSERT_TRUE(apptest::pngSize(sheet, w, h));
    EXPECT_EQ(w, 5u * 16u);
    EXPECT_GT(h, 16u);  // the panels and a strip of labels under them
}

struct BadCommandLine {
    std::vector<std::string> args;
    const char* named;  // what stderr must contain
};

TEST(PreviewProgram, RefusesABadCommandLineNamingItAndWritesNothing) {
    const BadCommandLine cases[] = {
        {{"--set", "mtl_nonesuch=1"}, "--set mtl_nonesuch=1: unknown parameter"},
        {{"--set", "mtl_reflect_ior=shiny"}, "--set mtl_reflect_ior=shiny: \"shiny\" is not"},
        {{"--set", "mtl_reflect_ior=500"}, "--set mtl_reflect_ior=500: 500 is out of range"},
        {{"--set", "mtl_diffuse_color=1,0"}, "--set mtl_diffuse_color=1,0"},
        {{"--set", "mtl_reflect_brdf=Lambert"}, "--set mtl_reflect_brdf=Lambert"},
        {{"--set", "mtl_diffuse_map={in}/tiny.png"}, "give it with --map"},
        {{"--set", "mtl_reflect_ior"}, "--set mtl_reflect_ior: expected name=value"},
        {{"--contact-sheet", "--set", "mtl_nonesuch=1"}, "--set mtl_nonesuch=1"},
        {{"--map", "mtl_diffuse_map={in}/missing.png"}, "--map mtl_diffuse_map={in}/missing.png"},
        {{"--map", "mtl_diffuse_map={in}/garbage.png"}, "--map mtl_diffuse_map={in}/garbage.png"},
        {{"--map", "mtl_normal_map={in}/missing.png"}, "--map mtl_normal_map={in}/missing.png"},
        {{"--map", "mtl_reflect_ior={in}/tiny.png"}, "is not a texture map"},
        {{"--env", "{in}/missing.hdr"}, "--env {in}/missing.hdr"},
        {{"--env", "{in}/garbage.hdr"}, "--env {in}/garbage.hdr"},
        {{"-o", "{out}/no-such-folder/out.png"}, "no-such-folder does not exist"},
        {{"-o", "{out}/out.jpg"}, "--output {out}/out.jpg"},
        {{"-o", "{out}/out"}, "--output {out}/out"},
        {{"-o", "{in}/folder.png"}, "is a folder"},
        {{"--size", "0"}, "--size 0"},
        {{"--size", "-16"}, "--size"},
        {{"--size", "16x"}, "--size 16x"},
        {{"--size", "x16"}, "--size x16"},
        {{"--size", "16x16x16"}, "--size 16x16x16"},
        {{"--size", "abc"}, "--size abc"},
        {{"--size", "8193"}, "--size 8193"},
        {{"--size", "99999999999"}, "--size 99999999999"},
        {{"--size", "8192", "--contact-sheet"}, "--size 8192"},
        {{"--threads", "0"}, "--threads"},
        {{"--threads", "two"}, "--threads"},
        {{"--threads", "100000"}, "--threads"},
        {{"--object", "teapot"}, "--object"},
        {{"--time", "soon"}, "--time"},
        {{"--scene", "{in}/missing.tvs"}, "--scene {in}/missing.tvs"},
        {{"--scene", "{in}/garbage.png"}, "--scene {in}/garbage.png"},
        {{"--module", "{in}/missing.dlt"}, "--module {in}/missing.dlt"},
        {{"--frobnicate"}, "--frobnicate"},
    };
    ScratchDir in;
    std::string error;
    ASSERT_TRUE(writeImage(in.file("tiny.png"), Image(2, 2), error)) << error;
    apptest::writeFile(in.file("garbage.png"), "no image at all");
    apptest::writeFile(in.file("garbage.hdr"), "#?RADIANCE\nno image either");
    std::filesystem::create_directory(in.file("folder.png"));

    for (const BadCommandLine& c : cases) {
        ScratchDir out;
        std::vector<std::string> args;
        for (const std::string& a : c.args) args.push_back(expand(a, in, out));
        const std::string named = expand(c.named, in, out);
        SCOPED_TRACE(args.back());
        const RunResult r = preview(args, out.file("out.png"));
        EXPECT_GT(r.exitCode, 0) << describe(r);
        EXPECT_NE(r.err.find(named), std::string::npos) << describe(r);
        EXPECT_EQ(out.entries(), std::vector<std::string>{});
    }
}

TEST(PreviewProgram, AFailedRunLeavesTheExistingImageAsItWas) {
    ScratchDir dir;
    const std::string out = dir.file("preview.png");
    const std::string before = "an earlier image";
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--set", "mtl_reflect_ior=-1"},
             {"--map", "mtl_diffuse_map=" + dir.file("missing.png")},
             {"--size", "0"}}) {
        SCOPED_TRACE(args.back());
        apptest::writeFile(out, before);
        const RunResult r = preview(args, out);
        EXPECT_GT(r.exitCode, 0);
        EXPECT_EQ(apptest::readFile(out), before);
        EXPECT_EQ(dir.entries(), std::vector<std::string>{"preview.png"});
    }
}

TEST(PreviewProgram, ASuccessfulRunReplacesTheExistingImage) {
    ScratchDir dir;
    const std::string out = dir.file("preview.png");
    apptest::writeFile(out, "an earlier image");
    ASSERT_EQ(preview({}, out).exitCode, 0);
    std::uint32_t w = 0, h = 0;
    EXPECT_TRUE(apptest::pngSize(out, w, h));
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"preview.png"});
}

TEST(PreviewProgram, RendersAMaterialOfASceneFileByIndexOrName) {
    ScratchDir dir;
    const std::string file = dir.file("lib.tvs");
    ASSERT_EQ(apptest::runProgram(TAVRO_SCENE_PROGRAM, {"create", file, "-n", "2"}).exitCode, 0);
    const RunResult set =
        apptest::runProgram(TAVRO_SCENE_PROGRAM, {"set", file, "1", "mtl_diffuse_color=1,0,0"});
    ASSERT_EQ(set.exitCode, 0) << describe(set);

    auto render = [&](const std::string& material, const std::string& name) {
        const std::string out = dir.file(name);
        const RunResult r = preview({"--scene", file, "--material", material}, out);
        EXPECT_EQ(r.exitCode, 0) << describe(r);
        Image image;
        std::string error;
        EXPECT_TRUE(readImage(out, image, error)) << error;
        return image;
    };
    const Image byIndex = render("1", "index.exr");
    const Image byName = render("Material 2", "name.exr");
    const Image other = render("0", "other.exr");
    ASSERT_EQ(byIndex.width, 16);
    ASSERT_EQ(byIndex.height, 16);
    EXPECT_EQ(byIndex.rgba, byName.rgba);
    const AColor red = byIndex.at(8, 8);
    const AColor grey = other.at(8, 8);
    EXPECT_GT(red.r, 2.0f * red.g);
    EXPECT_NEAR(grey.r, grey.g, 1e-3f);
}

TEST(PreviewProgram, RefusesAMaterialTheSceneDoesNotHold) {
    ScratchDir dir;
    const std::string file = dir.file("lib.tvs");
    ASSERT_EQ(apptest::runProgram(TAVRO_SCENE_PROGRAM, {"create", file, "-n", "2"}).exitCode, 0);
    for (const char* material : {"2", "-1", "Material 3", ""}) {
        SCOPED_TRACE(material);
        const RunResult r = preview({"--scene", file, "--material", material}, dir.file("out.png"));
        EXPECT_GT(r.exitCode, 0);
        EXPECT_NE(r.err.find(std::string("--material ") + material), std::string::npos)
            << describe(r);
        EXPECT_EQ(dir.entries(), std::vector<std::string>{"lib.tvs"});
    }
}

}  // namespace
