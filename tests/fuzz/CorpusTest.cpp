// The fuzzing seeds and damaged copies of them, loaded as the fuzzer loads its inputs: every
// truncation, a flipped bit at every byte, and every chunk length made too large, too small
// and huge. Each either loads or is refused with the file, the offset and a reason.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "tests/fuzz/SceneLoadEntry.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> readFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::vector<fs::path> seeds() {
    std::vector<fs::path> out;
    for (const auto& e : fs::directory_iterator(TAVRO_SOURCE_DIR "/tests/fuzz/corpus"))
        out.push_back(e.path());
    std::sort(out.begin(), out.end());
    return out;
}

// Offsets of the length fields of every chunk, nested ones included (a chunk is taken to hold
// chunks when its payload parses as such).
void lengthFields(const std::vector<std::uint8_t>& b, std::size_t begin, std::size_t end,
                  std::vector<std::size_t>& out, int depth) {
    if (depth > 16) return;
    std::vector<std::size_t> found;
    std::size_t at = begin;
    while (at + 6 <= end) {
        const std::size_t len = std::size_t(b[at + 2]) | std::size_t(b[at + 3]) << 8 |
                                std::size_t(b[at + 4]) << 16 | std::size_t(b[at + 5]) << 24;
        if (len > end - at - 6) return;  // not a list of chunks
        found.push_back(at + 2);
        at += 6 + len;
    }
    if (at != end) return;
    for (std::size_t f : found) {
        out.push_back(f);
        const std::size_t len = std::size_t(b[f]) | std::size_t(b[f + 1]) << 8 |
                                std::size_t(b[f + 2]) << 16 | std::size_t(b[f + 3]) << 24;
        lengthFields(b, f + 4, f + 4 + len, out, depth + 1);
    }
}

void expectLoadsOrSaysWhy(const std::vector<std::uint8_t>& bytes, const std::string& what) {
    std::string error;
    if (loadSceneCandidate(bytes.data(), bytes.size(), "damaged.tvs", error)) return;
    ASSERT_EQ(error.rfind("damaged.tvs: byte ", 0), 0u) << what << ": " << error;
    ASSERT_GT(error.size(), std::string("damaged.tvs: byte 0: ").size()) << what;
}

TEST(SceneCorpus, SeedsLoad) {
    ASSERT_FALSE(seeds().empty());
    for (const fs::path& p : seeds()) {
        const auto bytes = readFile(p);
        std::string error;
        EXPECT_TRUE(loadSceneCandidate(bytes.data(), bytes.size(), p.string(), error)) << error;
    }
}

TEST(SceneCorpus, EveryTruncationIsRefused) {
    for (const fs::path& p : seeds()) {
        const auto bytes = readFile(p);
        for (std::size_t n = 0; n < bytes.size(); ++n) {
            std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + long(n));
            std::string error;
            ASSERT_FALSE(loadSceneCandidate(cut.data(), cut.size(), "damaged.tvs", error))
                << p.filename() << " cut to " << n;
            ASSERT_EQ(error.rfind("damaged.tvs: byte ", 0), 0u) << error;
        }
    }
}

TEST(SceneCorpus, FlippedBitsLoadOrAreRefused) {
    for (const fs::path& p : seeds()) {
        const auto bytes = readFile(p);
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            for (std::uint8_t mask : {0x01, 0x80}) {
                auto damaged = bytes;
                damaged[i] ^= mask;
                expectLoadsOrSaysWhy(damaged, p.filename().string() + " byte " + std::to_string(i));
            }
        }
    }
}

TEST(SceneCorpus, BadChunkLengthsAreRefused) {
    for (const fs::path& p : seeds()) {
        const auto bytes = readFile(p);
        std::vector<std::size_t> fields;
        lengthFields(bytes, 12, bytes.size(), fields, 0);
        ASSERT_GT(fields.size(), 10u) << p.filename();
        for (std::size_t f : fields) {
            const std::uint32_t len = std::uint32_t(bytes[f]) | std::uint32_t(bytes[f + 1]) << 8 |
                                      std::uint32_t(bytes[f + 2]) << 16 |
                                      std::uint32_t(bytes[f + 3]) << 24;
            for (std::uint32_t bad : {len + 1, len - 1, 0u, 0xFFFFFFFFu, 0x7FFFFFFFu}) {
                auto damaged = bytes;
                for (int k = 0; k < 4; ++k)
                    damaged[f + std::size_t(k)] = std::uint8_t(bad >> (8 * k));
                expectLoadsOrSaysWhy(damaged,
                                     p.filename().string() + " length at " + std::to_string(f));
            }
        }
    }
}

}  // namespace
