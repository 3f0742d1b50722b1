#include <gtest/gtest.h>

#include <cstring>

#include "memory.h"

namespace {

using E2::MemoryManager;

// Gives a block back at the end of the test, so nothing leaks.
struct Block {
    Block(unsigned long size) : n(size), p(MemoryManager::alloc_bytes(size)) {}
    ~Block() { MemoryManager::delete_bytes(p, n); }
    Block(Block const&) = delete;
    Block& operator=(Block const&) = delete;
    unsigned long n;
    void* p;
};

// Sizes in classes no other test uses, so the free lists start empty.
TEST(MemoryManagerTest, BlocksAreReusedWithinTheirClass) {
    void* p;
    {
        Block b(232);
        std::memset(b.p, 0xAB, 232);  // the whole request is usable
        p = b.p;
    }
    Block up(233);
    EXPECT_NE(up.p, p);  // next class up
    Block same(225);
    EXPECT_EQ(same.p, p);  // same class: 225..232
    Block fresh(232);
    EXPECT_NE(fresh.p, p);  // taken, so a new block
}

TEST(MemoryManagerTest, FreeListIsLastInFirstOut) {
    void* a = MemoryManager::alloc_bytes(500);
    void* b = MemoryManager::alloc_bytes(500);
    MemoryManager::delete_bytes(a, 500);
    MemoryManager::delete_bytes(b, 497);
    Block first(500), second(500);
    EXPECT_EQ(first.p, b);
    EXPECT_EQ(second.p, a);
}

TEST(MemoryManagerTest, ClassThreeHolds32Bytes) {
    void* p = MemoryManager::alloc_bytes(32);
    MemoryManager::delete_bytes(p, 32);
    {
        Block b(25);
        EXPECT_EQ(b.p, p);
    }
    Block bigger(33);
    EXPECT_NE(bigger.p, p);
    Block b(32);
    EXPECT_EQ(b.p, p);
}

TEST(MemoryManagerTest, NullOrZeroSizeChangesNothing) {
    Block p(1000);
    MemoryManager::delete_bytes(p.p, 0);
    MemoryManager::delete_bytes(nullptr, 1000);
    Block q(1000);
    EXPECT_NE(q.p, p.p);
    EXPECT_NE(q.p, nullptr);
}

TEST(MemoryManagerTest, HugeRequestIsRefused) {
    EXPECT_THROW(MemoryManager::alloc_bytes(~0ul - 3), std::bad_alloc);
}

}  // namespace
