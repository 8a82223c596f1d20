// The C library's pseudo-random generator as the module's home platform provides it: a
// linear congruential generator with 15-bit draws and one state per thread. glibc's rand
// differs (31-bit draws, one locked state per process), so the module calls this one.
#pragma once

namespace crt {

// Largest value rand returns (named apart from the C library's RAND_MAX macro).
constexpr int kRandMax = 0x7FFF;

// Sets the calling thread's state to `seed`.
void srand(unsigned seed);

// Advances the calling thread's state (state * 214013 + 2531011, mod 2^32) and returns its
// bits 16 to 30: 0 to kRandMax. A thread that never seeded starts from state 1.
int rand();

}  // namespace crt
