#include <gtest/gtest.h>

#include <algorithm>

#include "MaxHeap.h"

namespace {

struct Resets {
    ~Resets() { hostAllocatorFailAfter(-1); }
};

struct Object : MaxHeapOperators {
    int values[64];
};

TEST(MaxHeap, StorageIsZeroFilled) {
    auto* p = static_cast<unsigned char*>(MAX_malloc(4096));
    ASSERT_NE(p, nullptr);
    EXPECT_TRUE(std::all_of(p, p + 4096, [](unsigned char b) { return b == 0; }));
    MAX_free(p);
    void* empty = MAX_malloc(0);
    EXPECT_NE(empty, nullptr) << "a zero-byte request still gets a block";
    MAX_free(empty);
}

TEST(MaxHeap, FailureHookCountsSuccessesThenFails) {
    Resets reset;
    hostAllocatorFailAfter(2);
    void* a = MAX_malloc(8);
    void* b = MAX_malloc(8);
    EXPECT_NE(a, nullptr);
    EXPECT_NE(b, nullptr);
    EXPECT_EQ(MAX_malloc(8), nullptr);
    EXPECT_EQ(MAX_malloc(8), nullptr);
    hostAllocatorFailAfter(-1);
    void* c = MAX_malloc(8);
    EXPECT_NE(c, nullptr);
    MAX_free(a);
    MAX_free(b);
    MAX_free(c);
}

TEST(MaxHeap, OperatorsUseTheHostAllocator) {
    Resets reset;
    hostAllocatorFailAfter(0);
    EXPECT_EQ(new (std::nothrow) Object, nullptr);
    EXPECT_THROW(new Object, std::bad_alloc);
    hostAllocatorFailAfter(-1);
    auto* o = new (std::nothrow) Object;
    ASSERT_NE(o, nullptr);
    EXPECT_TRUE(
        std::all_of(std::begin(o->values), std::end(o->values), [](int v) { return v == 0; }));
    delete o;
}

}  // namespace
