// String-table texts of the interface language as engine strings, and their formatting.
#include "ResString.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

zSTRING LoadResString(int id)
{
    const char* text = FindInterfaceText(id);
    return zSTRING(text ? text : "");
}

zSTRING FormatResStringArgs(int id, ...)
{
    const zSTRING format = LoadResString(id);
    va_list args;
    va_start(args, id);
    va_list again;
    va_copy(again, args);
    // Measured first: a message naming a long path must not be cut or overrun a fixed buffer.
    const int length = std::vsnprintf(nullptr, 0, format.c_str(), args);
    va_end(args);
    zSTRING result;
    if (length > 0) {
        std::vector<char> buffer(static_cast<size_t>(length) + 1);
        std::vsnprintf(buffer.data(), buffer.size(), format.c_str(), again);
        result = zSTRING(buffer.data());
    }
    va_end(again);
    return result;
}
