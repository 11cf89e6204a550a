// A growable memory buffer written at a bit position.
#include "zCBuffer.h"

#include <algorithm>
#include <cstring>

#include "ErrorBox.h"

namespace {

constexpr std::uint64_t kMaxBitPos = UINT32_MAX;

} // namespace

zCBuffer::~zCBuffer()
{
    delete[] data;
}

void zCBuffer::Reset()
{
    pos = 0;
    bitPos = 0;
    size = 0;
    maxBitPos = 0;
    overflowed = false;
}

void zCBuffer::Allocate(std::uint32_t bytes)
{
    if (bytes < allocated)
        return;
    const std::uint32_t newSize = std::max<std::uint32_t>(bytes, 32);
    // Zeroed: bits never written reach the file as 0, not as leftovers of the heap.
    auto* block = new unsigned char[newSize]();
    if (data)
        std::memcpy(block, data, size);
    delete[] data;
    data = block;
    allocated = newSize;
}

std::uint32_t zCBuffer::WriteBits(const void* source, std::uint32_t bits)
{
    if (readOnly)
        return 0;
    const std::uint64_t end = std::uint64_t{bitPos} + bits;
    if (end > kMaxBitPos) {
        overflowed = true;
        return 0;
    }
    if (end > std::uint64_t{allocated} * 8) {
        // Half as much again as written so far, and never less than this write needs.
        const std::uint64_t target = std::max<std::uint64_t>(bitPos + std::uint64_t{bitPos} / 2, end);
        Allocate(static_cast<std::uint32_t>((target + 7) / 8));
    }

    const auto* from = static_cast<const unsigned char*>(source);
    if (bitPos % 8 == 0 && bits % 8 == 0) {
        if (bits > 0)
            std::memcpy(data + bitPos / 8, from, bits / 8);
        bitPos += bits;
    } else {
        for (std::uint32_t i = 0; i < bits; ++i, ++bitPos) {
            const unsigned char mask = static_cast<unsigned char>(1u << (bitPos % 8));
            if (from[i / 8] & (1u << (i % 8)))
                data[bitPos / 8] |= mask;
            else
                data[bitPos / 8] &= static_cast<unsigned char>(~mask);
        }
    }

    pos = static_cast<std::uint32_t>((std::uint64_t{bitPos} + 7) / 8);
    if (bitPos >= maxBitPos) {
        maxBitPos = bitPos;
        size = pos;
    }
    return bits;
}

std::uint32_t zCBuffer::WriteBits(std::uint32_t value, std::uint32_t bits)
{
    if (bits > 32)
        return 0;
    const unsigned char bytes[4] = {
        static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
        static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
    return WriteBits(static_cast<const void*>(bytes), bits);
}

std::uint32_t zCBuffer::Write(const void* source, std::uint32_t bytes)
{
    if (readOnly)
        return 0;
    if (std::uint64_t{bytes} * 8 > kMaxBitPos) {
        overflowed = true;
        return 0;
    }
    return WriteBits(source, bytes * 8);
}

void zCBuffer::SetPos(std::uint32_t bytes)
{
    if (std::uint64_t{bytes} * 8 > kMaxBitPos) {
        overflowed = true;
        return;
    }
    bitPos = bytes * 8;
    pos = bytes;
}

void zCBuffer::Read(void* target, std::uint32_t bytes)
{
    ReadBits(target, bytes * 8);
}

void zCBuffer::ReadBits(void* /*target*/, std::uint32_t /*bits*/)
{
    zNotFound("zCBuffer::ReadBits");
}
