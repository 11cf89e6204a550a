// Block pool: fixed-size blocks carved from large chunks, handed out from a free list.
#pragma once

#include <cstddef>
#include <cstdint>

class zCBlockPool {
public:
    explicit zCBlockPool(std::uint32_t blockSize);
    // blocksPerChunk 0 means 65,536 / blockSize.
    zCBlockPool(std::uint32_t blockSize, std::uint32_t blocksPerChunk, std::uint32_t pendingCount);
    ~zCBlockPool();
    zCBlockPool(const zCBlockPool&) = delete;
    zCBlockPool& operator=(const zCBlockPool&) = delete;

    void* Alloc();
    void Free(void* block);  // null is ignored
    void PreAlloc(std::uint32_t count, std::uint32_t flags);
    // Hands over a caller's array of count x blockSize bytes, allocated with new char[],
    // carved at the chunk stride; the pool frees it with its chunks.
    void AddMemory(void* array, std::uint32_t count, bool adopt);

    std::uint32_t GetBlockSize() const { return blockSize; }
    std::int32_t GetFreeCount() const { return freeCount; }

    // The process-wide switch that turns every pool into plain heap allocation
    // (the start-up option "ZNOMEMPOOL").
    static void SetPoolsDisabled(bool disabled);
    static bool ArePoolsDisabled();

private:
    struct Chunk;
    void AddChunk(std::uint32_t blocks);
    void PushFree(void* block);
    void PushBlocks(char* memory, std::size_t count);
    bool OwnsBlock(const void* block) const;
    // max(blockSize, 8) rounded up to 8: room for the link, and pointers inside stay aligned.
    std::size_t Stride() const;

    std::uint32_t blockSize;
    std::uint32_t blocksPerChunk;
    Chunk* chunks = nullptr;
    void* freeHead = nullptr;  // free blocks are linked through their first pointer
    std::int32_t freeCount = 0;
    std::uint32_t pendingCount;
    std::uint32_t flags = 0;
    // Heap blocks handed out while the switch was set and not yet freed.
    std::size_t heapBlocks = 0;
};
