// Running CRC-16 and CRC-32 checksums (class-version checksums, name hashes).
#pragma once

#include <cstddef>
#include <cstdint>

// Reflected polynomial 0xA001, no final inversion; a null buffer gives the start value.
std::uint16_t Crc16Buffer(const void* data, std::size_t length, std::uint16_t start);
// The standard CRC-32 (reflected 0xEDB88320), continuing from start; a null buffer gives start.
std::uint32_t Crc32Buffer(const void* data, std::size_t length, std::uint32_t start);

class zCCrc16 {
public:
    void Reset() { value = 0; }
    void Update(const void* data, std::size_t length) { value = Crc16Buffer(data, length, value); }
    std::uint16_t GetValue() const { return value; }

private:
    std::uint16_t value = 0;
};

class zCCrc32 {
public:
    void Reset() { value = 0; }
    void Update(const void* data, std::size_t length) { value = Crc32Buffer(data, length, value); }
    std::uint32_t GetValue() const { return value; }

private:
    std::uint32_t value = 0;
};
