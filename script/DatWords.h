// Little-endian 32-bit words of the compiled script file (.dat), read from a file
// and appended to a byte string that is written in one piece.
#pragma once

#include <cstdint>
#include <string>

#include "zFILE.h"

inline bool ReadDatInt(zFILE& file, std::int32_t& value)
{
    unsigned char bytes[4];
    if (file.Read(bytes, 4) != 4)
        return false;
    value = static_cast<std::int32_t>(static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
                                      static_cast<std::uint32_t>(bytes[2]) << 16 |
                                      static_cast<std::uint32_t>(bytes[3]) << 24);
    return true;
}

// Writes the word at to and returns the place after it.
inline char* PutDatIntAt(char* to, std::int32_t value)
{
    const auto word = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        *to++ = static_cast<char>((word >> shift) & 0xFFu);
    return to;
}

inline void PutDatInt(std::string& out, std::int32_t value)
{
    char bytes[4];
    PutDatIntAt(bytes, value);
    out.append(bytes, 4);
}
