// The host allocator. Objects handed to the host are allocated here: storage comes back
// zero-filled, and a failed allocation yields null rather than throwing.
#pragma once

#include <cstddef>
#include <new>

void* MAX_malloc(std::size_t size);
void MAX_free(void* p);

// Test hook: after `successes` more allocations succeed, every later one fails until the
// hook is reset with a negative count (the default: never fail).
void hostAllocatorFailAfter(int successes);

class MaxHeapOperators {
public:
    static void* operator new(std::size_t size);  // throws std::bad_alloc on failure
    static void* operator new(std::size_t size, const std::nothrow_t&) noexcept;
    static void* operator new(std::size_t, void* where) noexcept { return where; }
    static void operator delete(void* p) noexcept;
    static void operator delete(void* p, const std::nothrow_t&) noexcept;
    static void operator delete(void*, void*) noexcept {}
};
