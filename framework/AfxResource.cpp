// The interface language and resource lookup by explicit language; natively the compiled-in tables.
#ifdef _WIN32
#include <vector>
#include <windows.h>
#endif

#include "AfxResource.h"

#include <cstdlib>
#include <string>

#include "CString.h"
#include "InterfaceTexts.h"

void AfxSetResourceLanguage(WORD language)
{
    SetInterfaceLanguage(language);
}

void AfxSetThreadResourceLanguage(WORD language)
{
    SetThreadInterfaceLanguage(language);
}

WORD AfxGetResourceLanguage()
{
    return static_cast<WORD>(GetInterfaceLanguage());
}

#ifdef _WIN32

namespace {

const WORD kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

HINSTANCE g_resourceModule = nullptr;

// The resource in the thread's language, else English; language tells which was found.
HRSRC FindInLanguage(LPCSTR name, LPCSTR type, WORD& language)
{
    language = AfxGetResourceLanguage();
    if (HRSRC found = FindResourceExA(AfxGetResourceHandle(), type, name, language))
        return found;
    if (language == kEnglish)
        return nullptr;
    language = kEnglish;
    return FindResourceExA(AfxGetResourceHandle(), type, name, language);
}

UINT AnsiCodePage(WORD language)
{
    char digits[8] = {};
    if (GetLocaleInfoA(MAKELCID(language, SORT_DEFAULT), LOCALE_IDEFAULTANSICODEPAGE, digits, sizeof(digits))) {
        const UINT codePage = static_cast<UINT>(std::atoi(digits));
        if (codePage != 0)
            return codePage;
    }
    return CP_ACP;
}

} // namespace

HINSTANCE AfxGetResourceHandle()
{
    return g_resourceModule ? g_resourceModule : GetModuleHandleA(nullptr);
}

void AfxSetResourceHandle(HINSTANCE module)
{
    g_resourceModule = module;
}

HRSRC AfxFindResource(LPCSTR name, LPCSTR type)
{
    WORD language = 0;
    if (HRSRC found = FindInLanguage(name, type, language))
        return found;
    return FindResourceA(AfxGetResourceHandle(), name, type);
}

HACCEL AfxLoadAccelTable(UINT nIDResource)
{
    // Entries of eight bytes: flags, key, command, padding; the last has flag 0x80.
    HRSRC found = AfxFindResource(MAKEINTRESOURCEA(nIDResource), reinterpret_cast<LPCSTR>(RT_ACCELERATOR));
    HGLOBAL loaded = found ? LoadResource(AfxGetResourceHandle(), found) : nullptr;
    const BYTE* bytes = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
    if (!bytes)
        return nullptr;
    const DWORD count = SizeofResource(AfxGetResourceHandle(), found) / 8;
    std::vector<ACCEL> table;
    for (DWORD i = 0; i < count; ++i) {
        const BYTE* entry = bytes + i * 8;
        const WORD flags = static_cast<WORD>(entry[0] | entry[1] << 8);
        ACCEL accel{};
        accel.fVirt = static_cast<BYTE>(flags & 0x7F);
        accel.key = static_cast<WORD>(entry[2] | entry[3] << 8);
        accel.cmd = static_cast<WORD>(entry[4] | entry[5] << 8);
        table.push_back(accel);
        if (flags & 0x80)
            break;
    }
    return table.empty() ? nullptr : CreateAcceleratorTableA(table.data(), static_cast<int>(table.size()));
}

bool AfxLoadString(UINT id, CString& text)
{
    text.Empty();
    // Strings come in blocks of 16, each a UTF-16 length followed by that many units.
    WORD language = 0;
    HRSRC block = FindInLanguage(MAKEINTRESOURCEA(id / 16 + 1), reinterpret_cast<LPCSTR>(RT_STRING), language);
    HGLOBAL loaded = block ? LoadResource(AfxGetResourceHandle(), block) : nullptr;
    const WCHAR* units = loaded ? static_cast<const WCHAR*>(LockResource(loaded)) : nullptr;
    if (!units)
        return false;
    const DWORD count = SizeofResource(AfxGetResourceHandle(), block) / sizeof(WCHAR);
    DWORD at = 0;
    for (UINT i = 0; i < id % 16; ++i) {
        if (at >= count)
            return false;
        at += 1 + units[at];
    }
    if (at >= count || units[at] == 0 || units[at] > count - at - 1)
        return false;
    const int length = units[at];
    const UINT codePage = AnsiCodePage(language);
    const int bytes = WideCharToMultiByte(codePage, 0, units + at + 1, length, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0)
        return false;
    std::string converted(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(codePage, 0, units + at + 1, length, &converted[0], bytes, nullptr, nullptr);
    text = CString(converted.data(), bytes);
    return true;
}

#else

bool AfxLoadString(UINT id, CString& text)
{
    const char* found = FindInterfaceText(static_cast<int>(id));
    text = found ? found : "";
    return found != nullptr;
}

#endif
