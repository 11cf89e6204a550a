// Fuzz target: the column widths a list reads back from its stored profile string.
#include <windows.h>

#include <cstdint>
#include <string>

#include "CWinApp.h"
#include "CXTListBase.h"
#include "CXTRegistryProfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static CWinApp app("ColumnWidthsFuzz");
    static bool keyed = false;
    if (!keyed) {
        app.SetRegistryKey("Tavrelin fuzz");
        keyed = true;
    }
    // A registry string ends at its first nul.
    std::string stored(reinterpret_cast<const char*>(data), size);
    stored.resize(stored.find('\0') == std::string::npos ? stored.size() : stored.find('\0'));
    CXTRegistryProfile(HKEY_CURRENT_USER).WriteProfileString("Settings", "Column Info", stored.c_str());

    CXTListBase list;
    list.m_strSection = "Settings";
    list.m_strEntry = "Column Info";
    for (int column = 0; column < 12; ++column) {
        const int width = list.GetStoredColumnWidth(column);
        if (width < -1 || width > 0xFFFF)
            __builtin_trap();
    }
    return 0;
}
