// The byte order of every binary file the engine reads and writes: least
// significant byte first, whatever the host's order.
#pragma once

#include <cstdint>
#include <cstring>

inline void zPutLE16(unsigned char* to, std::uint16_t value)
{
    to[0] = static_cast<unsigned char>(value);
    to[1] = static_cast<unsigned char>(value >> 8);
}

inline void zPutLE32(unsigned char* to, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        to[i] = static_cast<unsigned char>(value >> (8 * i));
}

inline std::uint16_t zGetLE16(const unsigned char* from)
{
    return static_cast<std::uint16_t>(from[0] | (from[1] << 8));
}

inline std::uint32_t zGetLE32(const unsigned char* from)
{
    return static_cast<std::uint32_t>(from[0]) | (static_cast<std::uint32_t>(from[1]) << 8) |
           (static_cast<std::uint32_t>(from[2]) << 16) | (static_cast<std::uint32_t>(from[3]) << 24);
}

// A float travels as the bits of its IEEE single form.
inline std::uint32_t zFloatBits(float value)
{
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

inline float zBitsFloat(std::uint32_t bits)
{
    float value = 0.0f;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}
