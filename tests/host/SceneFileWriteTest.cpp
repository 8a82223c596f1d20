#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "ConstantTexmap.h"
#include "SceneFileWrite.h"
#include "tests/host/SceneTestObjects.h"

using namespace scenetest;
namespace fs = std::filesystem;

namespace {

class SceneWrite : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("tavro-scene-write-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        path = (dir / "scene.tvs").string();
    }
    void TearDown() override {
        fs::permissions(dir, fs::perms::owner_all);
        fs::remove_all(dir);
    }

    static std::vector<BYTE> read(const std::string& p) {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    std::size_t filesInDir() const {
        return std::size_t(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
    }

    fs::path dir;
    std::string path;
};

std::vector<BYTE> pattern(std::size_t n, BYTE seed) {
    std::vector<BYTE> b(n);
    for (std::size_t i = 0; i < n; ++i) b[i] = BYTE(i * 31 + seed);
    return b;
}

TEST_F(SceneWrite, FailureAtAnyByteLeavesTheOldFileWhole) {
    const std::vector<BYTE> before = pattern(300, 1);
    const std::vector<BYTE> after = pattern(257, 2);
    std::string error;
    ASSERT_TRUE(writeFileReplacing(path, before, error)) << error;
    for (std::size_t k = 0; k <= after.size(); ++k) {
        SceneWriteFaults faults;
        faults.failAfterBytes = k;
        const bool ok = writeFileReplacing(path, after, error, faults);
        ASSERT_EQ(ok, k == after.size()) << k;
        if (ok) break;
        ASSERT_EQ(read(path), before) << "after a failure at byte " << k;
        ASSERT_NE(error.find("No space left on device"), std::string::npos) << error;
        ASSERT_NE(error.find(path), std::string::npos) << error;
        ASSERT_EQ(filesInDir(), 1u) << "a temporary file was left behind";
    }
    EXPECT_EQ(read(path), after);
}

TEST_F(SceneWrite, FailedFlushOrRenameLeavesTheOldFile) {
    const std::vector<BYTE> before = pattern(40, 3);
    std::string error;
    ASSERT_TRUE(writeFileReplacing(path, before, error));
    for (SceneWriteFaults f :
         {SceneWriteFaults{SIZE_MAX, true, false}, SceneWriteFaults{SIZE_MAX, false, true}}) {
        EXPECT_FALSE(writeFileReplacing(path, pattern(50, 4), error, f));
        EXPECT_EQ(read(path), before);
        EXPECT_EQ(filesInDir(), 1u);
        EXPECT_NE(error.find("unchanged"), std::string::npos) << error;
    }
}

TEST_F(SceneWrite, UnwritableFolderSaysWhy) {
    std::ofstream(dir / "plain") << "not a folder";
    struct Case {
        fs::path target;
        const char* why;
    };
    const Case cases[] = {
        {dir / "missing" / "scene.tvs", "No such file or directory"},
        {dir / "plain" / "scene.tvs", "Not a directory"},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(writeFileReplacing(c.target.string(), pattern(10, 5), error));
        EXPECT_NE(error.find(c.why), std::string::npos) << error;
        EXPECT_NE(error.find(c.target.string()), std::string::npos) << error;
    }
    // Root writes into any folder; the permission case only holds for other users.
    if (::geteuid() == 0) return;
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
    std::string error;
    EXPECT_FALSE(writeFileReplacing(path, pattern(10, 5), error));
    EXPECT_NE(error.find("Permission denied"), std::string::npos) << error;
}

TEST_F(SceneWrite, NewFileKeepsTheOldFilesMode) {
    std::string error;
    ASSERT_TRUE(writeFileReplacing(path, pattern(10, 6), error));
    ::chmod(path.c_str(), 0640);
    ASSERT_TRUE(writeFileReplacing(path, pattern(10, 7), error));
    struct stat st {};
    ::stat(path.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

// A child saves scenes of two sizes over the same file again and again; killed at arbitrary
// moments, it must always leave one of the two complete scenes behind.
TEST_F(SceneWrite, KilledSaverNeverLeavesADamagedFile) {
    auto sceneOf = [](int maps) {
        auto scene = std::make_unique<Scene>();
        for (int i = 0; i < maps; ++i) {
            Holder* h = newHolder();
            blockOf(h)->SetValue(kMap, 0, new ConstantTexmap());
            scene->Add(h);
        }
        return scene;
    };
    std::string error;
    ASSERT_TRUE(saveScene(*sceneOf(1), path, error)) << error;
    for (int round = 0; round < 20; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            auto small = sceneOf(1);
            auto large = sceneOf(200);
            for (int i = 0;; ++i) saveScene(i % 2 ? *small : *large, path, error);
        }
        ::usleep(useconds_t(2000 + round * 1500));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        auto loaded = loadScene(path, error);
        ASSERT_TRUE(loaded) << "round " << round << ": " << error;
        EXPECT_TRUE(loaded->Count() == 1 || loaded->Count() == 200) << loaded->Count();
    }
}

}  // namespace
