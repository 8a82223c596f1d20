// tavro-scene run as a user runs it: scenes made, edited, dumped and upgraded through files,
// and damaged files and bad edits refused without touching the file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "Image.h"
#include "ImageIO.h"
#include "tests/apps/ProgramRun.h"

namespace {

namespace fs = std::filesystem;
using apptest::RunResult;
using apptest::ScratchDir;

RunResult scene(const std::vector<std::string>& args) {
    return apptest::runProgram(TAVRO_SCENE_PROGRAM, args);
}

std::string describe(const RunResult& r) {
    return "exit " + std::to_string(r.exitCode) + ", signal " + std::to_string(r.signal) +
           "\nstdout:\n" + r.out + "\nstderr:\n" + r.err;
}

// The parameter lines of a dump ("  name = value [keys]") of one material, by name.
std::map<std::string, std::string> dumpedParameters(const std::string& dump) {
    std::map<std::string, std::string> values;
    std::istringstream lines(dump);
    for (std::string line; std::getline(lines, line);) {
        const std::size_t eq = line.find(" = ");
        if (line.rfind("  mtl_", 0) == 0 && eq != std::string::npos) {
            values[line.substr(2, eq - 2)] = line.substr(eq + 3);
        }
    }
    return values;
}

std::map<std::string, std::string> dumpOf(const std::string& file, const std::string& material) {
    const RunResult r = scene({"dump", file, material});
    EXPECT_EQ(r.exitCode, 0) << describe(r);
    return dumpedParameters(r.out);
}

// The super class ids of a scene file's class table (the first chunk after the preamble).
std::vector<std::uint32_t> superClasses(const std::string& file) {
    const std::string b = apptest::readFile(file);
    auto u32 = [&](std::size_t at) {
        std::uint32_t v = 0;
        if (at + 4 <= b.size()) std::memcpy(&v, b.data() + at, 4);
        return v;
    };
    std::vector<std::uint32_t> supers;
    constexpr std::size_t kTable = 12 + 6;  // preamble, chunk header
    for (std::uint32_t i = 0; i < u32(kTable) && kTable + 4 + 12 * (i + 1) <= b.size(); ++i) {
        supers.push_back(u32(kTable + 4 + 12 * i));
    }
    return supers;
}

// Super class ids of the current and the older parameter block.
constexpr std::uint32_t kCurrentBlockSuperClass = 0x82;
constexpr std::uint32_t kOlderBlockSuperClass = 0x08;
// Parameters of the current block that hold values (the other 13 are texture maps).
constexpr std::size_t kValueParameters = 55;

TEST(SceneProgram, CreatedScenesKeepWhatIsSetInThem) {
    ScratchDir dir;
    const std::string file = dir.file("lib.tvs");
    RunResult r = scene({"create", file, "-n", "2", "--set", "mtl_reflect_mult=0.5"});
    ASSERT_EQ(r.exitCode, 0) << describe(r);

    r = scene({"list", file});
    ASSERT_EQ(r.exitCode, 0) << describe(r);
    EXPECT_EQ(r.out,
              "0  \"Material 1\"  TavroMtl  current block\n"
              "1  \"Material 2\"  TavroMtl  current block\n");

    r = scene({"set", file, "1", "mtl_reflect_ior=2.5", "mtl_reflect_brdf=TRGGX",
               "mtl_diffuse_color=1,0.5,0.25"});
    ASSERT_EQ(r.exitCode, 0) << describe(r);
    r = scene({"set", file, "Material 1", "mtl_refl_fresnel_on=off", "mtl_reflect_extrusion=1"});
    ASSERT_EQ(r.exitCode, 0) << describe(r);

    const auto first = dumpOf(file, "0");
    const auto second = dumpOf(file, "Material 2");
    EXPECT_EQ(first.size(), kValueParameters);
    EXPECT_EQ(second.size(), kValueParameters);
    EXPECT_EQ(first.at("mtl_reflect_mult"), "0.5");
    EXPECT_EQ(second.at("mtl_reflect_mult"), "0.5");
    EXPECT_EQ(second.at("mtl_reflect_ior"), "2.5");
    EXPECT_EQ(second.at("mtl_reflect_brdf"), "4");
    EXPECT_EQ(second.at("mtl_diffuse_color"), "1,0.5,0.25");
    EXPECT_EQ(second.at("mtl_refl_fresnel_on,"), "on");
    EXPECT_EQ(first.at("mtl_reflect_ior"), "1.5");
    EXPECT_EQ(first.at("mtl_refl_fresnel_on,"), "off");
    EXPECT_EQ(first.at("mtl_reflect_extrusion"), "1");
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"lib.tvs"});
}

TEST(SceneProgram, AnEditWithAnOutputLeavesTheSceneAsItWas) {
    ScratchDir dir;
    const std::string file = dir.file("lib.tvs");
    const std::string copy = dir.file("copy.tvs");
    ASSERT_EQ(scene({"create", file}).exitCode, 0);
    const std::string before = apptest::readFile(file);
    const RunResult r = scene({"set", file, "0", "mtl_ior=1.33", "-o", copy});
    ASSERT_EQ(r.exitCode, 0) << describe(r);
    EXPECT_EQ(apptest::readFile(file), before);
    EXPECT_EQ(dumpOf(copy, "0").at("mtl_ior"), "1.33");
    EXPECT_EQ(dumpOf(file, "0").at("mtl_ior"), "1.5");
}

TEST(SceneProgram, KeyedSettingsAreKeysAtTheirTime) {
    ScratchDir dir;
    const std::string file = dir.file("lib.tvs");
    ASSERT_EQ(scene({"create", file}).exitCode, 0);
    const RunResult r = scene(
        {"set", file, "0", "--key", "--time", "160", "mtl_reflect_ior=3", "mtl_fog_color=1,0,0"});
    ASSERT_EQ(r.exitCode, 0) << describe(r);
    const auto values = dumpOf(file, "0");
    EXPECT_EQ(values.at("mtl_reflect_ior"), "1.5 @0=1.5 @160=3");
    EXPECT_EQ(values.at("mtl_fog_color"), "1,1,1 @0=1,1,1 @160=1,0,0");
}

TEST(SceneProgram, MapsAreKeptByTheirImageFile) {
    ScratchDir dir;
    const std::string file = dir.file("lib.tvs");
    const std::string image = dir.file("wood.png");
    std::string error;
    ASSERT_TRUE(writeImage(image, Image(2, 2), error)) << error;
    ASSERT_EQ(scene({"create", file}).exitCode, 0);
    const RunResult r =
        scene({"map", file, "0", "mtl_diffuse_map=" + image, "mtl_normal_map=" + image});
    ASSERT_EQ(r.exitCode, 0) << describe(r);
    const RunResult dump = scene({"dump", file});
    ASSERT_EQ(dump.exitCode, 0) << describe(dump);
    EXPECT_NE(dump.out.find("slot 0 DiffuseMap: Bitmap"), std::string::npos) << dump.out;
    EXPECT_NE(dump.out.find("file " + image), std::string::npos) << dump.out;
    EXPECT_NE(dump.out.find("slot 5 NormalMap: Normal Bump"), std::string::npos) << dump.out;
    EXPECT_NE(dump.out.find("slot 2 ReflectivityMap: empty"), std::string::npos) << dump.out;
}

TEST(SceneProgram, RefusedCommandsNameTheirArgumentAndLeaveTheFileAsItWas) {
    struct Case {
        std::vector<std::string> args;  // after the command and the file
        const char* command;
        const char* named;
    };
    const Case cases[] = {
        {{"0", "mtl_nonesuch=1"}, "set", "mtl_nonesuch=1: unknown parameter"},
        {{"0", "mtl_reflect_ior=2", "mtl_reflect_ior=200"}, "set", "mtl_reflect_ior=200: 200 is"},
        {{"0", "mtl_diffuse_mult_on=maybe"}, "set", "mtl_diffuse_mult_on=maybe"},
        {{"0", "mtl_diffuse_color=1,0"}, "set", "mtl_diffuse_color=1,0"},
        {{"0", "mtl_reflect_brdf=Lambert"}, "set", "mtl_reflect_brdf=Lambert"},
        {{"0", "mtl_diffuse_map=x.png"}, "set", "give it with --map"},
        {{"2", "mtl_ior=1"}, "set", "material 2: no material 2"},
        {{"Material 9", "mtl_ior=1"}, "set", "material Material 9"},
        {{"0"}, "set", "assignments"},
        {{"0", "mtl_diffuse_map={dir}/missing.png"}, "map", "{dir}/missing.png"},
        {{"0", "mtl_reflect_ior={dir}/lib.tvs"}, "map", "is not a texture map"},
        {{"0", "mtl_diffuse_map={dir}/lib.tvs"}, "map", "{dir}/lib.tvs"},
        {{"0", "mtl_ior=1", "-o", "{dir}/no-such-folder/out.tvs"}, "set", "no-such-folder"},
    };
    for (const Case& c : cases) {
        ScratchDir dir;
        const std::string file = dir.file("lib.tvs");
        ASSERT_EQ(scene({"create", file, "-n", "2"}).exitCode, 0);
        const std::string before = apptest::readFile(file);
        std::vector<std::string> args{c.command, file};
        auto expand = [&](std::string s) {
            for (std::size_t at; (at = s.find("{dir}")) != std::string::npos;)
                s.replace(at, 5, dir.path().string());
            return s;
        };
        for (const std::string& a : c.args) args.push_back(expand(a));
        SCOPED_TRACE(args.back());
        const RunResult r = scene(args);
        EXPECT_GT(r.exitCode, 0) << describe(r);
        EXPECT_NE(r.err.find(expand(c.named)), std::string::npos) << describe(r);
        EXPECT_EQ(apptest::readFile(file), before);
        EXPECT_EQ(dir.entries(), std::vector<std::string>{"lib.tvs"});
    }
}

TEST(SceneProgram, ACreateThatFailsWritesNoFile) {
    ScratchDir dir;
    const std::string file = dir.file("lib.tvs");
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"create", file, "--set", "mtl_ior=-1"},
             {"create", file, "--map", "mtl_diffuse_map=" + dir.file("missing.png")},
             {"create", file, "-n", "0"},
             {"create", dir.file("no-such-folder/lib.tvs")}}) {
        SCOPED_TRACE(args.back());
        const RunResult r = scene(args);
        EXPECT_GT(r.exitCode, 0) << describe(r);
        EXPECT_NE(r.err, "");
        EXPECT_EQ(dir.entries(), std::vector<std::string>{});
    }
}

class SceneUpgrade : public ::testing::TestWithParam<const char*> {};

TEST_P(SceneUpgrade, LeavesOnlyCurrentBlocksHoldingTheOlderValues) {
    ScratchDir dir;
    const std::string file = dir.file("old.tvs");
    fs::copy_file(std::string(TAVRO_SOURCE_DIR "/tests/material/fixtures/") + GetParam(), file);
    const std::vector<std::uint32_t> oldSupers = superClasses(file);
    ASSERT_NE(std::find(oldSupers.begin(), oldSupers.end(), kOlderBlockSuperClass), oldSupers.end())
        << "the fixture holds an older block";

    const RunResult r = scene({"upgrade", file});
    ASSERT_EQ(r.exitCode, 0) << describe(r);
    const std::vector<std::uint32_t> supers = superClasses(file);
    EXPECT_EQ(std::find(supers.begin(), supers.end(), kOlderBlockSuperClass), supers.end());
    EXPECT_NE(std::find(supers.begin(), supers.end(), kCurrentBlockSuperClass), supers.end());

    const auto values = dumpOf(file, "0");
    EXPECT_EQ(values.size(), kValueParameters);
    // The values the fixture was written with, and current parameters at their defaults.
    EXPECT_EQ(values.at("mtl_reflect_ior"), "2");
    EXPECT_EQ(values.at("mtl_diffuse_color"), "0.5,0.25,0.125");
    EXPECT_EQ(values.at("mtl_reflect_brdf"), "3");
    EXPECT_EQ(values.at("mtl_reflect_anisotropy"), "0");
    EXPECT_EQ(values.at("mtl_reflect_rotation"), "0");

    // An upgraded scene has nothing left to convert.
    const std::string upgraded = apptest::readFile(file);
    ASSERT_EQ(scene({"upgrade", file}).exitCode, 0);
    EXPECT_EQ(apptest::readFile(file), upgraded);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"old.tvs"});
}

INSTANTIATE_TEST_SUITE_P(Fixtures, SceneUpgrade,
                         ::testing::Values("legacy-v0.tvs", "legacy-v1.tvs"));

TEST(SceneProgram, ADamagedFileIsRefusedNamingTheFileAndTheByte) {
    ScratchDir source;
    const std::string good = source.file("good.tvs");
    ASSERT_EQ(scene({"create", good, "-n", "2"}).exitCode, 0);
    const std::string bytes = apptest::readFile(good);
    ASSERT_GT(bytes.size(), 100u);

    std::string longChunk = bytes;
    std::memcpy(longChunk.data() + 14, "\xff\xff\xff\x7f", 4);  // the class table's length
    std::string badMagic = bytes;
    badMagic[0] = 'X';
    struct Case {
        const char* name;
        std::string bytes;
        const char* at;  // the byte the message names
    };
    const Case cases[] = {
        {"empty", "", "byte 0: "},
        {"preamble cut", bytes.substr(0, 5), "byte 0: "},
        {"not a scene", badMagic, "byte 0: "},
        {"class table too long", longChunk, "byte 12: "},
        {"cut in the objects", bytes.substr(0, 100), "byte "},
        {"last byte missing", bytes.substr(0, bytes.size() - 1), "byte "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDir dir;
        const std::string file = dir.file("damaged.tvs");
        apptest::writeFile(file, c.bytes);
        for (const std::vector<std::string>& args :
             std::vector<std::vector<std::string>>{{"list", file},
                                                   {"dump", file},
                                                   {"set", file, "0", "mtl_ior=1"},
                                                   {"upgrade", file}}) {
            SCOPED_TRACE(args.front());
            const RunResult r = scene(args);
            EXPECT_EQ(r.exitCode, 1) << describe(r);
            EXPECT_EQ(r.out, "");
            EXPECT_EQ(r.err.rfind("tavro-scene: " + file + ": " + c.at, 0), 0u) << describe(r);
            // The file is named once.
            EXPECT_EQ(r.err.find(file, r.err.find(file) + 1), std::string::npos) << r.err;
            EXPECT_EQ(apptest::readFile(file), c.bytes);
            EXPECT_EQ(dir.entries(), std::vector<std::string>{"damaged.tvs"});
        }
    }
}

TEST(SceneProgram, AMissingFileIsRefusedByName) {
    ScratchDir dir;
    const std::string file = dir.file("missing.tvs");
    for (const char* command : {"list", "dump", "upgrade"}) {
        SCOPED_TRACE(command);
        const RunResult r = scene({command, file});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_NE(r.err.find(file + ": cannot open"), std::string::npos) << r.err;
        EXPECT_EQ(dir.entries(), std::vector<std::string>{});
    }
}

}  // namespace
