// The completion lists' name order.
#include "ListOrder.h"

namespace {

signed char UpperAscii(char c)
{
    const auto value = static_cast<signed char>(c);
    return value >= 'a' && value <= 'z' ? static_cast<signed char>(value - ('a' - 'A')) : value;
}

}  // namespace

int CompareListNames(const char* a, std::size_t aLength, const char* b, std::size_t bLength)
{
    const std::size_t common = aLength < bLength ? aLength : bLength;
    for (std::size_t i = 0; i < common; ++i) {
        const int difference = UpperAscii(a[i]) - UpperAscii(b[i]);
        if (difference != 0)
            return difference;
    }
    return aLength < bLength ? -1 : (aLength > bLength ? 1 : 0);
}

std::uint64_t ListNameKey(const char* name, std::size_t length)
{
    // Signed characters shifted by 128 order as unsigned bytes; a name that ends fills
    // with zero, not above any character, so the shorter comes first or ties.
    std::uint64_t key = 0;
    for (std::size_t i = 0; i < 8; ++i) {
        const unsigned byte = i < length ? static_cast<unsigned>(UpperAscii(name[i]) + 128) : 0u;
        key = (key << 8) | byte;
    }
    return key;
}
