// Hex text of the dumps: words and addresses in upper-case digits, no leading zeros.
#pragma once

#include <string>

#include "zSTRING.h"

inline zSTRING HexText(unsigned long long value)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    do {
        text.insert(text.begin(), digits[value & 0xFu]);
        value >>= 4;
    } while (value != 0);
    return text;
}
