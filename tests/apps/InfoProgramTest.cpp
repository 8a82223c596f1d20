// tavro-info run as a user runs it: the module's description and parameter table.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tests/apps/ProgramRun.h"

namespace {

// The rows of the parameter table: lines of position, id and an internal name.
std::vector<std::vector<std::string>> parameterRows(const std::string& out) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::vector<std::string> w;
        for (std::string word; words >> word;) w.push_back(word);
        if (w.size() >= 4 && w[0].find_first_not_of("0123456789") == std::string::npos &&
            w[2].rfind("mtl_", 0) == 0) {
            rows.push_back(w);
        }
    }
    return rows;
}

TEST(InfoProgram, PrintsTheModuleAndEveryParameterOfEachBuild) {
    for (const char* version : {"2021", "2017"}) {
        SCOPED_TRACE(version);
        const apptest::RunResult r =
            apptest::runProgram(TAVRO_INFO_PROGRAM, {"--host-version", version});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        EXPECT_NE(r.out.find(std::string("TavroMtl_") + version + ".dlt"), std::string::npos);
        EXPECT_NE(r.out.find("Classes:       1"), std::string::npos) << r.out;
        EXPECT_NE(r.out.find("68 parameters"), std::string::npos) << r.out;

        const auto rows = parameterRows(r.out);
        ASSERT_EQ(rows.size(), 68u) << r.out;
        for (std::size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i][0], std::to_string(i));
        auto row = [&](const std::string& name) -> std::vector<std::string> {
            for (const auto& w : rows)
                if (w[2] == name) return w;
            return {};
        };
        const auto ior = row("mtl_reflect_ior");
        ASSERT_GE(ior.size(), 7u) << "no row mtl_reflect_ior";
        EXPECT_EQ(ior[3], "float");
        EXPECT_EQ(ior[4], "1.5");
        const auto brdf = row("mtl_reflect_brdf");
        ASSERT_GE(brdf.size(), 5u) << "no row mtl_reflect_brdf";
        EXPECT_EQ(brdf[3], "integer");
        EXPECT_NE(r.out.find("combo box"), std::string::npos);
        // The two internal names that end in a comma are printed as they are.
        EXPECT_FALSE(row("mtl_refl_fresnel_on,").empty());
        EXPECT_FALSE(row("mtl_lock_specular,").empty());
        EXPECT_FALSE(row("mtl_diffuse_map").empty());
    }
}

TEST(InfoProgram, ABadModuleIsRefusedWithItsPath) {
    apptest::ScratchDir dir;
    const std::string garbage = dir.file("garbage.dlt");
    apptest::writeFile(garbage, "not a module");
    for (const std::string& path : {dir.file("missing.dlt"), garbage}) {
        SCOPED_TRACE(path);
        const apptest::RunResult r = apptest::runProgram(TAVRO_INFO_PROGRAM, {path});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_NE(r.err.find(path), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
}

TEST(InfoProgram, AnUnknownHostVersionIsRefused) {
    const apptest::RunResult r =
        apptest::runProgram(TAVRO_INFO_PROGRAM, {"--host-version", "2016"});
    EXPECT_GT(r.exitCode, 0);
    EXPECT_NE(r.err.find("--host-version"), std::string::npos) << r.err;
}

}  // namespace
