#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "PathMap.h"
#include "tests/host/ShadingSupport.h"

namespace {

namespace fs = std::filesystem;

// Restores an environment variable when the test ends.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old, hadOld_ = true;
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        if (hadOld_) {
            ::setenv(name_, old_.c_str(), 1);
        } else {
            ::unsetenv(name_);
        }
    }

private:
    const char* name_;
    std::string old_;
    bool hadOld_ = false;
};

class PathMapTest : public ::testing::Test {
protected:
    void TearDown() override { hostClearPathMaps(); }
};

TEST_F(PathMapTest, PreviewEnvironmentResolvesToTheShippedImage) {
    const std::string resolved = hostResolvePath(kTavroPreviewEnvironmentPath);
    EXPECT_TRUE(fs::is_regular_file(resolved)) << resolved;
    EXPECT_TRUE(
        fs::equivalent(resolved, fs::path(TAVRO_SOURCE_DIR) / "resources/env/EnvMatEdit.hdr"));
    // Windows paths compare without case and with either separator.
    EXPECT_EQ(hostResolvePath("C:/[TAVRO]/PluginFiles/Material/envmatedit.HDR"), resolved);
}

TEST_F(PathMapTest, ProgramMappingComesFirstThenTheEnvironment) {
    shadetest::ScratchDir dir;
    std::ofstream(dir.file("a.hdr")) << "a";
    std::ofstream(dir.file("b.hdr")) << "b";
    ScopedEnv env("TAVRO_HOST_PATH_MAP", "d:\\other.png=/elsewhere.png;" +
                                             std::string(kTavroPreviewEnvironmentPath) + "=" +
                                             dir.file("b.hdr"));
    EXPECT_EQ(hostResolvePath(kTavroPreviewEnvironmentPath), dir.file("b.hdr"));
    EXPECT_EQ(hostResolvePath("D:/OTHER.png"), "/elsewhere.png");

    hostMapPath(kTavroPreviewEnvironmentPath, dir.file("a.hdr"));
    EXPECT_EQ(hostResolvePath(kTavroPreviewEnvironmentPath), dir.file("a.hdr"));
    hostMapPath(kTavroPreviewEnvironmentPath, dir.file("b.hdr"));  // replaces
    EXPECT_EQ(hostResolvePath(kTavroPreviewEnvironmentPath), dir.file("b.hdr"));
}

TEST_F(PathMapTest, DataFolderIsSearchedForUnknownWindowsPaths) {
    shadetest::ScratchDir dir;
    fs::create_directory(dir.file("maps"));
    std::ofstream(dir.file("maps/wood.png")) << "x";
    std::ofstream(dir.file("top.png")) << "x";
    ScopedEnv env("TAVRO_HOST_DATA_DIR", dir.file(""));
    EXPECT_EQ(hostDataFolders().front(), fs::path(dir.file("")).lexically_normal().string());
    EXPECT_EQ(hostResolvePath("c:\\textures\\wood.png"), dir.file("maps/wood.png"));
    EXPECT_EQ(hostResolvePath("e:\\top.png"), dir.file("top.png"));
    // A relative mapping is looked up in the data folders.
    hostMapPath("x:\\any\\name.png", "maps/wood.png");
    EXPECT_EQ(hostResolvePath("x:\\any\\name.png"), dir.file("maps/wood.png"));
}

TEST_F(PathMapTest, OtherPathsStayAsGiven) {
    for (const char* path :
         {"c:\\nowhere\\missing-image.png", "/tmp/local.png", "relative/file.exr", ""}) {
        EXPECT_EQ(hostResolvePath(path), path);
    }
}

TEST(HostString, NarrowsToUtf8) {
    EXPECT_EQ(hostNarrowString(L"c:\\a.png"), "c:\\a.png");
    EXPECT_EQ(hostNarrowString(L"\u00e9\u20ac\U0001F600"), "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
    EXPECT_EQ(hostNarrowString(std::wstring(1, static_cast<wchar_t>(0xD800))), "\xEF\xBF\xBD");
}

}  // namespace
