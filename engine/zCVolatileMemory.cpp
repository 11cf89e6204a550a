// Volatile memory: a fixed block of equal records handed out and taken back as a whole.
#include "zCVolatileMemory.h"

#include "ErrorBox.h"

#include <cstddef>
#include <new>

namespace {

unsigned char* AllocateBlock(std::uint32_t elementSize, std::uint32_t capacity)
{
    const std::uint64_t size = std::uint64_t{elementSize} * capacity;
    if (size > PTRDIFF_MAX)
        throw std::bad_alloc();
    return new unsigned char[static_cast<std::size_t>(size)];
}

} // namespace

zCVolatileMemoryBase::zCVolatileMemoryBase(std::uint32_t elementSize, std::uint32_t capacity,
                                           std::uint32_t value)
    : elementSize(elementSize), capacity(capacity), value(value),
      block(AllocateBlock(elementSize, capacity))
{
}

zCVolatileMemoryBase::~zCVolatileMemoryBase()
{
    delete[] block;
}

void* zCVolatileMemoryBase::Element(std::uint32_t index) const
{
    return block + std::size_t{index} * elementSize;
}

void* zCVolatileMemoryBase::AllocElement()
{
    if (capacity == 0)
        zErrorBox("zCVolatileMemoryBase::AllocElement: no records");
    if (nextIndex == capacity) {
        wrapped = 1;
        nextIndex = 0;
    }
    void* element = Element(nextIndex++);
    // With every record held, the one handed out is the oldest: its holder lets go.
    if (held == capacity)
        ResetElement(element);
    else
        ++held;
    return element;
}

void zCVolatileMemoryBase::Reset(std::uint32_t keep)
{
    const std::uint64_t use = std::uint64_t{nextIndex} + (wrapped ? capacity : 0);
    if (use > peak)
        peak = use > UINT32_MAX ? UINT32_MAX : static_cast<std::uint32_t>(use);
    const bool replace =
        keep == 0 && std::uint64_t{peak} * 100 > std::uint64_t{growPercent} * capacity;

    // One step down; below 0 the walk goes on from the end of the block. Records
    // without a holder are passed over, so none is reset twice.
    auto stepDown = [this] {
        if (nextIndex == 0) {
            wrapped = 0;
            nextIndex = capacity;
        }
        --nextIndex;
        if (held != 0) {
            --held;
            ResetElement(Element(nextIndex));
        }
    };

    if (replace || keep >= capacity) {
        // The block goes away (replaced, or freed by the destructor): no holder may keep
        // an index into it, the older records above the next index included.
        while (held != 0)
            stepDown();
        nextIndex = 0;
        wrapped = 0;
    } else if (wrapped || keep <= nextIndex) {
        while (nextIndex != keep)
            stepDown();
    }
    // Otherwise the records from keep up were never handed out: nothing goes back.

    if (replace) {
        const std::uint64_t grown = std::uint64_t{peak} * 200 / growPercent;
        const std::uint32_t newCapacity =
            grown > UINT32_MAX ? UINT32_MAX : static_cast<std::uint32_t>(grown);
        unsigned char* newBlock = AllocateBlock(elementSize, newCapacity);
        delete[] block;
        block = newBlock;
        capacity = newCapacity;
    }
}
