// The interface language, process-wide and per thread, and lookups in the compiled-in tables.
#include "InterfaceTexts.h"

#include <algorithm>
#include <atomic>

namespace {

const int kEnglish = 1033;

std::atomic<int> g_language{kEnglish};
thread_local int t_language = 0;

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

const InterfaceTextTable* FindInterfaceTextTable(int language)
{
    const InterfaceTextTable* english = nullptr;
    for (int i = 0; i < g_interfaceTextTableCount; ++i) {
        if (g_interfaceTextTables[i].language == language)
            return &g_interfaceTextTables[i];
        if (g_interfaceTextTables[i].language == kEnglish)
            english = &g_interfaceTextTables[i];
    }
    return english;
}

const char* FindInterfaceText(int id)
{
    const InterfaceTextTable* table = FindInterfaceTextTable(GetInterfaceLanguage());
    if (!table)
        return nullptr;
    const InterfaceTextEntry* end = table->entries + table->count;
    const InterfaceTextEntry* hit = std::lower_bound(
        table->entries, end, id, [](const InterfaceTextEntry& e, int wanted) { return e.id < wanted; });
    return hit != end && hit->id == id ? hit->text : nullptr;
}
