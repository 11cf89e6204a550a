// Volatile memory: a fixed block of equal records handed out and taken back as a whole.
#include "zCVolatileMemory.h"

#include "ErrorBox.h"

#include <algorithm>
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
    // After a wrap every record has a holder.
    if (wrapped)
        ResetElement(element);
    return element;
}

void zCVolatileMemoryBase::Reset(std::uint32_t keep)
{
    const std::uint64_t use = std::uint64_t{nextIndex} + (wrapped ? capacity : 0);
    if (use > peak)
        peak = use > UINT32_MAX ? UINT32_MAX : static_cast<std::uint32_t>(use);
    const bool replace =
        keep == 0 && std::uint64_t{peak} * 100 > std::uint64_t{growPercent} * capacity;

    const std::uint32_t stop = keep >= capacity ? 0 : keep;
    if (wrapped) {
        // Every record is held: reset those from stop up, going down from the next index
        // round through the end of the block, and nothing below stop.
        for (std::uint32_t i = nextIndex; i > stop;)
            ResetElement(Element(--i));
        for (std::uint32_t i = capacity; i > std::max(nextIndex, stop);)
            ResetElement(Element(--i));
        wrapped = 0;
        nextIndex = stop;
    } else {
        // Records above the next index were never handed out and are left alone.
        while (nextIndex > stop)
            ResetElement(Element(--nextIndex));
    }

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
