// Block pool: fixed-size blocks carved from large chunks, handed out from a free list.
#include "zCBlockPool.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

namespace {

bool g_poolsDisabled = false;

constexpr std::uint32_t kChunkBytes = 65536;

// Blocks wider than a chunk still come one per chunk.
std::uint32_t DefaultBlocksPerChunk(std::uint32_t blockSize)
{
    if (blockSize == 0)
        return kChunkBytes / 8;
    return std::max<std::uint32_t>(kChunkBytes / blockSize, 1);
}

// Links are copied, not dereferenced: no pointer object lives in a free block's bytes.
void* ReadLink(const void* block)
{
    void* next;
    std::memcpy(&next, block, sizeof next);
    return next;
}

void WriteLink(void* block, void* next)
{
    std::memcpy(block, &next, sizeof next);
}

// freeCount is a 32-bit count; a chunk that would overflow it is refused like memory.
void CheckFreeCount(std::int32_t freeCount, std::size_t added)
{
    if (added > static_cast<std::size_t>(INT32_MAX - freeCount))
        throw std::bad_alloc();
}

} // namespace

struct zCBlockPool::Chunk {
    Chunk* next;
    char* memory;  // from new char[]
    std::size_t size;
};

zCBlockPool::zCBlockPool(std::uint32_t blockSize)
    : zCBlockPool(blockSize, 0, 0)
{
}

zCBlockPool::zCBlockPool(std::uint32_t blockSize, std::uint32_t blocksPerChunk,
                         std::uint32_t pendingCount)
    : blockSize(blockSize),
      blocksPerChunk(blocksPerChunk ? blocksPerChunk : DefaultBlocksPerChunk(blockSize)),
      pendingCount(pendingCount)
{
}

zCBlockPool::~zCBlockPool()
{
    while (chunks) {
        Chunk* chunk = chunks;
        chunks = chunk->next;
        delete[] chunk->memory;
        delete chunk;
    }
    freeHead = nullptr;
}

std::size_t zCBlockPool::Stride() const
{
    const std::uint64_t stride = (std::max<std::uint64_t>(blockSize, 8) + 7) / 8 * 8;
    if (stride > SIZE_MAX)
        throw std::bad_alloc();
    return static_cast<std::size_t>(stride);
}

void zCBlockPool::SetPoolsDisabled(bool disabled)
{
    g_poolsDisabled = disabled;
}

bool zCBlockPool::ArePoolsDisabled()
{
    return g_poolsDisabled;
}

void zCBlockPool::PushFree(void* block)
{
    WriteLink(block, freeHead);
    freeHead = block;
}

// Last to first, so that the list hands the blocks out in address order.
void zCBlockPool::PushBlocks(char* memory, std::size_t count)
{
    const std::size_t stride = Stride();
    for (std::size_t i = count; i-- > 0;)
        PushFree(memory + i * stride);
}

void zCBlockPool::AddChunk(std::uint32_t blocks)
{
    if (blocks == 0)
        blocks = blocksPerChunk;
    CheckFreeCount(freeCount, blocks);
    const std::size_t stride = Stride();
    if (blocks > SIZE_MAX / stride)
        throw std::bad_alloc();
    const std::size_t size = blocks * stride;
    std::unique_ptr<char[]> memory(new char[size]);
    chunks = new Chunk{chunks, memory.get(), size};
    char* start = memory.release();
    freeCount += static_cast<std::int32_t>(blocks);
    PushBlocks(start, blocks);
}

bool zCBlockPool::OwnsBlock(const void* block) const
{
    const auto address = reinterpret_cast<std::uintptr_t>(block);
    for (const Chunk* chunk = chunks; chunk; chunk = chunk->next) {
        const auto start = reinterpret_cast<std::uintptr_t>(chunk->memory);
        if (address >= start && address - start < chunk->size)
            return true;
    }
    return false;
}

void* zCBlockPool::Alloc()
{
    if (g_poolsDisabled) {
        void* block = ::operator new(blockSize);
        ++heapBlocks;
        return block;
    }
    if (!freeHead)
        AddChunk(blocksPerChunk);
    void* block = freeHead;
    freeHead = ReadLink(block);
    WriteLink(block, nullptr);
    --freeCount;
    return block;
}

// The switch may flip while blocks are out (it is read at start-up, after static
// objects took theirs): a chunk block must never be deleted, a heap block never
// enter the free list. Only heap blocks from the switched-on time lie outside every
// chunk, so the chunk search runs only while some of them are still out.
void zCBlockPool::Free(void* block)
{
    if (!block)
        return;
    if (heapBlocks != 0 && !OwnsBlock(block)) {
        ::operator delete(block);
        --heapBlocks;
        return;
    }
    PushFree(block);
    ++freeCount;
}

void zCBlockPool::PreAlloc(std::uint32_t count, std::uint32_t preFlags)
{
    const std::uint64_t total = std::uint64_t{pendingCount} + count;
    if (total > INT32_MAX)
        throw std::bad_alloc();
    pendingCount = static_cast<std::uint32_t>(total);
    flags |= preFlags;
    AddChunk(pendingCount);
    if (freeCount < static_cast<std::int32_t>(pendingCount))
        AddChunk(pendingCount - static_cast<std::uint32_t>(freeCount));
    pendingCount = 0;
}

void zCBlockPool::AddMemory(void* array, std::uint32_t count, bool adopt)
{
    if (!array)
        return;
    std::unique_ptr<char[]> memory(static_cast<char*>(array));
    if (adopt && g_poolsDisabled)
        return;
    const std::uint64_t size = std::uint64_t{count} * blockSize;
    if (size > SIZE_MAX)
        throw std::bad_alloc();
    // Carved at the chunk stride: whole, aligned blocks, fewer when blockSize is not a
    // multiple of 8.
    const std::size_t blocks = static_cast<std::size_t>(size) / Stride();
    if (adopt)
        CheckFreeCount(freeCount, blocks);
    chunks = new Chunk{chunks, memory.get(), static_cast<std::size_t>(size)};
    char* start = memory.release();
    if (adopt) {
        freeCount += static_cast<std::int32_t>(blocks);
        PushBlocks(start, blocks);
    }
}
