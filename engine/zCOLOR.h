// The engine's 32-bit colour: bytes blue, green, red, alpha, as archives and vertex features store it.
#pragma once

#include <cstdint>

struct zCOLOR {
    std::uint8_t b = 0;
    std::uint8_t g = 0;
    std::uint8_t r = 0;
    std::uint8_t a = 0;

    zCOLOR() = default;
    zCOLOR(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t alpha)
        : b(blue), g(green), r(red), a(alpha)
    {
    }
    bool operator==(const zCOLOR& other) const
    {
        return b == other.b && g == other.g && r == other.r && a == other.a;
    }
    bool operator!=(const zCOLOR& other) const { return !(*this == other); }
};

