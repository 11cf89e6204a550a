// One text style of the script editor as the profile stores it: 60 bytes, little-endian.
#pragma once

#include <cstddef>
#include <cstdint>

struct TextStyle {
    char fontName[32];  // NUL-terminated, NUL-padded
    int32_t size;       // points
    int32_t bold;
    int32_t italic;
    int32_t underline;
    uint32_t fore;  // 0x00BBGGRR
    uint32_t back;
    int32_t caseMode;  // 0 as typed, 1 upper case, 2 lower case
};

constexpr int kTextStyleCount = 10;
constexpr std::size_t kTextStyleBytes = 60;

void EncodeTextStyle(const TextStyle& style, uint8_t (&bytes)[kTextStyleBytes]);
// False (and the style untouched) unless exactly 60 bytes are given; the face name always
// ends in a NUL.
bool DecodeTextStyle(const uint8_t* bytes, std::size_t count, TextStyle& style);
