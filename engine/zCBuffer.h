// A growable memory buffer written at a bit position: write buffers of files and
// in-memory archive targets.
#pragma once

#include <cstddef>
#include <cstdint>

class zCBuffer {
public:
    zCBuffer() = default;
    virtual ~zCBuffer();
    zCBuffer(const zCBuffer&) = delete;
    zCBuffer& operator=(const zCBuffer&) = delete;

    // Back to position 0 with nothing written; the data stays allocated.
    void Reset();
    // Grows to max(bytes, 32) when bytes reach the allocated size, keeping what was written.
    void Allocate(std::uint32_t bytes);

    // Each write returns the bits written (Write too: bytes x 8); 0 when read-only, and 0
    // with nothing written when the bit position would pass 32 bits (overflowed flag set).
    std::uint32_t WriteBits(const void* source, std::uint32_t bits);
    // The value's low bits; more than 32 bits are refused (0).
    std::uint32_t WriteBits(std::uint32_t value, std::uint32_t bits);
    std::uint32_t Write(const void* source, std::uint32_t bytes);

    std::uint32_t GetPos() const { return pos; }
    // A position whose bit position passes 32 bits is refused (overflowed flag set).
    void SetPos(std::uint32_t bytes);
    std::uint32_t GetSize() const { return size; }
    std::uint32_t GetAllocated() const { return allocated; }
    const unsigned char* GetBuffer() const { return data; }
    void SetReadOnly(bool on) { readOnly = on; }

    // Not available: reading goes through the files, never through a buffer.
    [[noreturn]] void Read(void* target, std::uint32_t bytes);
    [[noreturn]] void ReadBits(void* target, std::uint32_t bits);

private:
    int mode = 2;
    unsigned char* data = nullptr;  // owned, from new[]
    std::uint32_t pos = 0;        // (bitPos + 7) / 8
    std::uint32_t bitPos = 0;
    std::uint32_t allocated = 0;  // bytes
    std::uint32_t size = 0;       // (maxBitPos + 7) / 8
    std::uint32_t maxBitPos = 0;
    bool overflowed = false;
    bool readOnly = false;
};
