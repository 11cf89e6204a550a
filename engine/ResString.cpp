// String-table lookup by language, over the tables generated from resources/strings.
#include "ResString.h"

#include <algorithm>
#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <vector>

#include "ResStringTable.h"

namespace {

std::atomic<int> g_language{zLANG_ENGLISH};
thread_local int t_language = 0;

const zTResTable* FindTable(int language)
{
    const zTResTable* english = nullptr;
    for (int i = 0; i < g_resTableCount; ++i) {
        if (g_resTables[i].language == language)
            return &g_resTables[i];
        if (g_resTables[i].language == zLANG_ENGLISH)
            english = &g_resTables[i];
    }
    return english;
}

const char* FindText(int id)
{
    const zTResTable* table = FindTable(t_language ? t_language : g_language.load());
    if (!table)
        return nullptr;
    const zTResEntry* end = table->entries + table->count;
    const zTResEntry* hit = std::lower_bound(table->entries, end, id,
                                             [](const zTResEntry& e, int wanted) { return e.id < wanted; });
    return hit != end && hit->id == id ? hit->text : nullptr;
}

} // namespace

void SetInterfaceLanguage(int language)
{
    g_language = language;
}

int GetInterfaceLanguage()
{
    return t_language ? t_language : g_language.load();
}

void SetThreadInterfaceLanguage(int language)
{
    t_language = language;
}

zSTRING LoadResString(int id)
{
    const char* text = FindText(id);
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
