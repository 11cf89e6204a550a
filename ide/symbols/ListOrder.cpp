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
