#include "zCBlockPool.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// Every test leaves the process-wide switch as it found it.
class BlockPoolTest : public ::testing::Test {
protected:
    void SetUp() override { savedSwitch = zCBlockPool::ArePoolsDisabled(); }
    void TearDown() override { zCBlockPool::SetPoolsDisabled(savedSwitch); }
    bool savedSwitch = false;
};

char* Bytes(void* p)
{
    return static_cast<char*>(p);
}

} // namespace

// At least 8 bytes for the link, and a multiple of 8 so that pointers in blocks are aligned.
TEST_F(BlockPoolTest, BlocksLieAtAnAlignedStride)
{
    struct Case {
        std::uint32_t blockSize;
        std::ptrdiff_t stride;
    };
    for (const Case& c : {Case{1, 8}, Case{4, 8}, Case{8, 8}, Case{12, 16}, Case{20, 24},
                          Case{32, 32}, Case{33, 40}, Case{56, 56}}) {
        zCBlockPool pool(c.blockSize, 16, 0);
        char* a = Bytes(pool.Alloc());
        char* b = Bytes(pool.Alloc());
        EXPECT_EQ(b - a, c.stride) << c.blockSize;
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(b) % 8, 0u) << c.blockSize;
        EXPECT_EQ(pool.GetFreeCount(), 14);
    }
}

TEST_F(BlockPoolTest, FirstAllocTakesTheStartOfANewChunk)
{
    zCBlockPool pool(20, 4096, 28672);
    EXPECT_EQ(pool.GetFreeCount(), 0);
    char* first = Bytes(pool.Alloc());
    EXPECT_EQ(pool.GetFreeCount(), 4095);
    for (int i = 1; i < 4096; ++i)
        ASSERT_EQ(Bytes(pool.Alloc()), first + 24 * i) << i;
    EXPECT_EQ(pool.GetFreeCount(), 0);
    std::memset(first, 0x5A, 24 * 4096);  // the whole chunk is usable

    char* next = Bytes(pool.Alloc());  // a new chunk
    EXPECT_TRUE(next < first || next >= first + 24 * 4096);
    EXPECT_EQ(pool.GetFreeCount(), 4095);
}

TEST_F(BlockPoolTest, FreeReturnsBlocksToTheHead)
{
    zCBlockPool pool(32, 8, 0);
    void* a = pool.Alloc();
    void* b = pool.Alloc();
    pool.Free(nullptr);
    EXPECT_EQ(pool.GetFreeCount(), 6);
    pool.Free(a);
    pool.Free(b);
    EXPECT_EQ(pool.GetFreeCount(), 8);
    EXPECT_EQ(pool.Alloc(), b);
    EXPECT_EQ(pool.Alloc(), a);
}

TEST_F(BlockPoolTest, BlocksPerChunkFollowTheBlockSize)
{
    struct Case {
        std::uint32_t blockSize;
        std::int32_t freeAfterFirstAlloc;
    };
    for (const Case& c : {Case{20, 3275}, Case{16, 4095}, Case{4, 16383}, Case{100000, 0}}) {
        zCBlockPool byDefault(c.blockSize);
        zCBlockPool byZero(c.blockSize, 0, 0);
        std::memset(byDefault.Alloc(), 1, c.blockSize);
        byZero.Alloc();
        EXPECT_EQ(byDefault.GetFreeCount(), c.freeAfterFirstAlloc) << c.blockSize;
        EXPECT_EQ(byZero.GetFreeCount(), c.freeAfterFirstAlloc) << c.blockSize;
    }
}

TEST_F(BlockPoolTest, SwitchMakesAllocAndFreePlainHeapCalls)
{
    zCBlockPool::SetPoolsDisabled(true);
    zCBlockPool pool(24, 64, 0);
    std::vector<void*> blocks;
    for (int i = 0; i < 3; ++i) {
        blocks.push_back(pool.Alloc());
        std::memset(blocks.back(), 0x33, 24);
    }
    EXPECT_EQ(pool.GetFreeCount(), 0);
    for (void* block : blocks)
        pool.Free(block);  // the sanitizer sees any block not deleted
    EXPECT_EQ(pool.GetFreeCount(), 0);
}

TEST_F(BlockPoolTest, SwitchMayFlipWhileBlocksAreOut)
{
    zCBlockPool pool(40, 8, 0);
    void* fromChunk = pool.Alloc();
    zCBlockPool::SetPoolsDisabled(true);
    void* fromHeap = pool.Alloc();
    pool.Free(fromChunk);  // back to its chunk, not deleted
    EXPECT_EQ(pool.GetFreeCount(), 8);

    zCBlockPool::SetPoolsDisabled(false);
    pool.Free(fromHeap);  // deleted, not taken into the list
    EXPECT_EQ(pool.GetFreeCount(), 8);
    EXPECT_EQ(pool.Alloc(), fromChunk);
    for (int i = 1; i < 8; ++i)
        EXPECT_NE(pool.Alloc(), fromHeap);
}

TEST_F(BlockPoolTest, PreAllocAddsPendingAndRequestedBlocks)
{
    zCBlockPool pool(20, 4096, 28672);
    pool.PreAlloc(100, 1);
    EXPECT_EQ(pool.GetFreeCount(), 28772);
    char* first = Bytes(pool.Alloc());
    EXPECT_EQ(Bytes(pool.Alloc()), first + 24);

    pool.PreAlloc(50, 2);  // nothing pending any more
    EXPECT_EQ(pool.GetFreeCount(), 28770 + 50);
    pool.PreAlloc(0, 0);   // a chunk of 0 blocks means a full chunk
    EXPECT_EQ(pool.GetFreeCount(), 28820 + 4096);
}

TEST_F(BlockPoolTest, AddMemoryAdoptsOrKeepsTheCallersArray)
{
    zCBlockPool pool(24, 4, 0);
    char* adopted = new char[3 * 24];
    pool.AddMemory(adopted, 3, true);
    EXPECT_EQ(pool.GetFreeCount(), 3);
    EXPECT_EQ(pool.Alloc(), adopted);
    EXPECT_EQ(pool.Alloc(), adopted + 24);
    EXPECT_EQ(pool.Alloc(), adopted + 48);
    void* beyond = pool.Alloc();  // a chunk of its own
    EXPECT_EQ(pool.GetFreeCount(), 3);

    // Kept for the caller's own use; the pool only frees it. Its blocks may come back
    // through Free, with the switch set too.
    char* kept = new char[2 * 24];
    pool.AddMemory(kept, 2, false);
    EXPECT_EQ(pool.GetFreeCount(), 3);
    zCBlockPool::SetPoolsDisabled(true);
    void* heap = pool.Alloc();
    pool.Free(kept + 24);
    EXPECT_EQ(pool.GetFreeCount(), 4);
    pool.Free(heap);

    // With the switch set an adopted array is freed at once.
    pool.AddMemory(new char[4 * 24], 4, true);
    EXPECT_EQ(pool.GetFreeCount(), 4);
    pool.Free(beyond);
    pool.AddMemory(nullptr, 4, true);
    EXPECT_EQ(pool.GetFreeCount(), 5);
}

// The caller's array is carved like a chunk: fewer blocks when the stride is wider.
TEST_F(BlockPoolTest, AddMemoryCarvesTheArrayAtTheStride)
{
    struct Case {
        std::uint32_t blockSize;
        std::uint32_t count;
        int blocks;
        int stride;
    };
    for (const Case& c : {Case{4, 5, 2, 8}, Case{20, 4, 3, 24}, Case{24, 3, 3, 24}}) {
        zCBlockPool pool(c.blockSize, 16, 0);
        const std::uint32_t bytes = c.count * c.blockSize;
        char* array = new char[bytes];
        pool.AddMemory(array, c.count, true);
        EXPECT_EQ(pool.GetFreeCount(), c.blocks) << c.blockSize;
        for (int i = 0; i < c.blocks; ++i) {
            void* block = pool.Alloc();
            EXPECT_EQ(block, array + i * c.stride) << c.blockSize;
            std::memset(block, 0x11, c.blockSize);  // the sanitizer sees a block past the end
        }
        char* other = Bytes(pool.Alloc());  // from a chunk of its own
        EXPECT_TRUE(other < array || other >= array + bytes) << c.blockSize;
    }
}
