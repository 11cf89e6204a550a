// Fuzz target: the editor's text-style record as read back from the profile.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "TextStyleRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TextStyle style{};
    if (DecodeTextStyle(data, size, style)) {
        volatile std::size_t nameLength = std::strlen(style.fontName);  // must end inside the field
        (void)nameLength;
        std::uint8_t again[kTextStyleBytes];
        EncodeTextStyle(style, again);
    }
    return 0;
}
