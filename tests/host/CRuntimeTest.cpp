#include <gtest/gtest.h>

#include <cstdint>
#include <thread>
#include <vector>

#include "CRuntime.h"

namespace {

// The generator's definition, written out independently of the library.
std::vector<int> lcgDraws(std::uint32_t seed, int count) {
    std::vector<int> draws;
    std::uint64_t state = seed;
    for (int i = 0; i < count; ++i) {
        state = (state * 214013u + 2531011u) % (std::uint64_t{1} << 32);
        draws.push_back(static_cast<int>((state >> 16) & 0x7FFF));
    }
    return draws;
}

std::vector<int> draws(int count) {
    std::vector<int> out;
    for (int i = 0; i < count; ++i) out.push_back(crt::rand());
    return out;
}

TEST(CRuntime, FirstDrawsAfterSeedOne) {
    crt::srand(1);
    EXPECT_EQ(draws(5), (std::vector<int>{41, 18467, 6334, 26500, 19169}));
}

TEST(CRuntime, FollowsTheGeneratorForAnySeed) {
    for (const std::uint32_t seed : {0u, 2u, 12345u, 0x7FFFFFFFu, 0xFFFFFFFEu, 0xFFFFFFFFu}) {
        crt::srand(seed);
        EXPECT_EQ(draws(1000), lcgDraws(seed, 1000)) << seed;
    }
}

TEST(CRuntime, DrawsStayWithinFifteenBits) {
    crt::srand(7);
    int lowest = crt::kRandMax, highest = 0;
    for (int i = 0; i < 200000; ++i) {
        const int v = crt::rand();
        lowest = std::min(lowest, v);
        highest = std::max(highest, v);
    }
    EXPECT_EQ(lowest, 0);
    EXPECT_EQ(highest, crt::kRandMax);
}

TEST(CRuntime, UnseededThreadStartsAsAfterSeedOne) {
    std::vector<int> fresh;
    std::thread([&] { fresh = draws(3); }).join();
    EXPECT_EQ(fresh, (std::vector<int>{41, 18467, 6334}));
}

TEST(CRuntime, ThreadsKeepTheirOwnState) {
    // Each thread seeds differently and interleaves with the others; every thread still sees
    // exactly its own sequence.
    constexpr int kThreads = 4;
    constexpr int kDraws = 20000;
    std::vector<std::vector<int>> seen(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            crt::srand(static_cast<unsigned>(100 + t));
            for (int i = 0; i < kDraws; ++i) {
                seen[t].push_back(crt::rand());
                if (i % 1000 == 0) std::this_thread::yield();
            }
        });
    }
    crt::srand(1);
    const std::vector<int> mine = draws(kDraws);
    for (auto& th : threads) th.join();
    for (int t = 0; t < kThreads; ++t) EXPECT_EQ(seen[t], lcgDraws(100 + t, kDraws)) << t;
    EXPECT_EQ(mine, lcgDraws(1, kDraws));
}

}  // namespace
