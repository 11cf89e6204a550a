// The text-style record's bytes, field by field.
#include "TextStyleRecord.h"

#include <cstring>

namespace {

void Put32(uint8_t* at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<uint8_t>(value >> (8 * i));
}

uint32_t Get32(const uint8_t* at)
{
    return uint32_t(at[0]) | uint32_t(at[1]) << 8 | uint32_t(at[2]) << 16 | uint32_t(at[3]) << 24;
}

}  // namespace

void EncodeTextStyle(const TextStyle& style, uint8_t (&bytes)[kTextStyleBytes])
{
    std::memcpy(bytes, style.fontName, 32);
    const uint32_t fields[] = {uint32_t(style.size),      uint32_t(style.bold), uint32_t(style.italic),
                               uint32_t(style.underline), style.fore,           style.back,
                               uint32_t(style.caseMode)};
    for (int i = 0; i < 7; ++i)
        Put32(bytes + 32 + 4 * i, fields[i]);
}

bool DecodeTextStyle(const uint8_t* bytes, std::size_t count, TextStyle& style)
{
    if (!bytes || count != kTextStyleBytes)
        return false;
    std::memcpy(style.fontName, bytes, 32);
    style.fontName[31] = '\0';  // a stored name may fill all 32 bytes
    style.size = int32_t(Get32(bytes + 32));
    style.bold = int32_t(Get32(bytes + 36));
    style.italic = int32_t(Get32(bytes + 40));
    style.underline = int32_t(Get32(bytes + 44));
    style.fore = Get32(bytes + 48);
    style.back = Get32(bytes + 52);
    style.caseMode = int32_t(Get32(bytes + 56));
    return true;
}
