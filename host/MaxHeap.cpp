// The host allocator: zero-filled storage from the C heap, null instead of an exception.
#include "MaxHeap.h"

#include <atomic>
#include <cstdlib>

namespace {

// Allocations still allowed to succeed before the test hook makes them fail; negative: no limit.
std::atomic<int> allocationsBeforeFailure{-1};

bool hookAllowsAllocation() {
    int left = allocationsBeforeFailure.load();
    while (left >= 0) {
        if (left == 0) return false;
        if (allocationsBeforeFailure.compare_exchange_weak(left, left - 1)) return true;
    }
    return true;
}

}  // namespace

void* MAX_malloc(std::size_t size) {
    if (!hookAllowsAllocation()) return nullptr;
    // A zero-byte request still gets a distinct block, as operator new requires.
    return std::calloc(size == 0 ? 1 : size, 1);
}

void MAX_free(void* p) {
    std::free(p);
}

void hostAllocatorFailAfter(int successes) {
    allocationsBeforeFailure.store(successes);
}

void* MaxHeapOperators::operator new(std::size_t size) {
    if (void* p = MAX_malloc(size)) return p;
    throw std::bad_alloc();
}

void* MaxHeapOperators::operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return MAX_malloc(size);
}

void MaxHeapOperators::operator delete(void* p) noexcept {
    MAX_free(p);
}

void MaxHeapOperators::operator delete(void* p, const std::nothrow_t&) noexcept {
    MAX_free(p);
}
