#include "CRuntime.h"

#include <cstdint>

namespace crt {

namespace {

// Multiplier and increment of the platform's generator.
constexpr std::uint32_t kMultiplier = 214013u;
constexpr std::uint32_t kIncrement = 2531011u;

// The C library's documented initial state: rand without srand behaves as after srand(1).
thread_local std::uint32_t state = 1u;

}  // namespace

void srand(unsigned seed) {
    state = seed;
}

int rand() {
    state = state * kMultiplier + kIncrement;  // unsigned wrap-around is the mod 2^32
    return static_cast<int>((state >> 16) & static_cast<std::uint32_t>(kRandMax));
}

}  // namespace crt
