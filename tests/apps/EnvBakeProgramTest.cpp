// tavro-envbake run as a user runs it: area-weighted downsampling of an environment image,
// and command lines it refuses without leaving a file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Image.h"
#include "ImageIO.h"
#include "tests/apps/ProgramRun.h"

namespace {

using apptest::RunResult;
using apptest::ScratchDir;

RunResult envbake(const std::vector<std::string>& args) {
    return apptest::runProgram(TAVRO_ENVBAKE_PROGRAM, args);
}

// A 3 x 2 image whose pixel (x, y) has red x + 3y, green 1 and blue 10 * (x + 1).
Image source() {
    Image image(3, 2);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            image.set(x, y,
                      AColor(static_cast<float>(x + 3 * y), 1.0f, 10.0f * static_cast<float>(x + 1),
                             1.0f));
        }
    }
    return image;
}

TEST(EnvBakeProgram, EachPixelIsTheAreaWeightedAverageOfWhatItCovers) {
    ScratchDir dir;
    const std::string in = dir.file("in.exr");
    const std::string out = dir.file("out.exr");
    std::string error;
    ASSERT_TRUE(writeImage(in, source(), error)) << error;
    const RunResult r = envbake({in, out, "2", "1"});
    ASSERT_EQ(r.exitCode, 0) << r.err;

    Image baked;
    ASSERT_TRUE(readImage(out, baked, error)) << error;
    ASSERT_EQ(baked.width, 2);
    ASSERT_EQ(baked.height, 1);
    // Output pixel 0 covers source columns [0, 1.5): column 0 whole, column 1 half; pixel 1
    // covers [1.5, 3). Both rows count equally.
    const AColor left = baked.at(0, 0);
    const AColor right = baked.at(1, 0);
    EXPECT_NEAR(left.r, (1.0f * 1.5f + 0.5f * 2.5f) / 1.5f, 1e-5f);
    EXPECT_NEAR(right.r, (0.5f * 2.5f + 1.0f * 3.5f) / 1.5f, 1e-5f);
    EXPECT_NEAR(left.g, 1.0f, 1e-6f);
    EXPECT_NEAR(left.b, (1.0f * 10.0f + 0.5f * 20.0f) / 1.5f, 1e-4f);
    EXPECT_NEAR(right.b, (0.5f * 20.0f + 1.0f * 30.0f) / 1.5f, 1e-4f);
    // The energy is kept: the mean over the image is the source's.
    EXPECT_NEAR((left.r + right.r) / 2.0f, 2.5f, 1e-5f);
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"in.exr", "out.exr"}));
}

TEST(EnvBakeProgram, RefusesABadCommandLineAndWritesNothing) {
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        const char* named;
    };
    const Case cases[] = {
        {{"{in}"}, 2, "usage"},
        {{"{in}", "{out}", "2"}, 2, "usage"},
        {{"{in}", "{out}", "0", "1"}, 2, "width and height"},
        {{"{in}", "{out}", "2", "x"}, 2, "width and height"},
        {{"{in}", "{out}", "2", "1.5"}, 2, "width and height"},
        {{"{in}", "{out}", "2", "99999"}, 2, "width and height"},
        {{"{in}", "{out}", "4", "1"}, 1, "smaller than the 4 x 1 asked for"},
        {{"{dir}/missing.exr", "{out}", "2", "1"}, 1, "{dir}/missing.exr"},
        {{"{in}", "{dir}/out.jpg", "2", "1"}, 1, "{dir}/out.jpg"},
        {{"{in}", "{dir}/no-such-folder/out.exr", "2", "1"}, 1, "no-such-folder"},
    };
    for (const Case& c : cases) {
        ScratchDir dir;
        const std::string in = dir.file("in.exr");
        std::string error;
        ASSERT_TRUE(writeImage(in, source(), error)) << error;
        auto expand = [&](std::string s) {
            const std::pair<std::string, std::string> keys[] = {
                {"{in}", in}, {"{out}", dir.file("out.exr")}, {"{dir}", dir.path().string()}};
            for (const auto& [key, value] : keys) {
                for (std::size_t at; (at = s.find(key)) != std::string::npos;)
                    s.replace(at, key.size(), value);
            }
            return s;
        };
        std::vector<std::string> args;
        for (const std::string& a : c.args) args.push_back(expand(a));
        SCOPED_TRACE(args.back());
        const RunResult r = envbake(args);
        EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
        EXPECT_NE(r.err.find(expand(c.named)), std::string::npos) << r.err;
        EXPECT_EQ(dir.entries(), std::vector<std::string>{"in.exr"});
    }
}

}  // namespace
