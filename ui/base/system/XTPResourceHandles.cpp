// The library's two process-wide module handles.
#include "XTPResourceHandles.h"

namespace {

HMODULE g_hResource = nullptr;
HMODULE g_hModule = nullptr;

}  // namespace

void XTPSetResourceHandles(HMODULE hResource, HMODULE hModule)
{
    g_hResource = hResource;
    g_hModule = hModule;
}

HMODULE XTPGetResourceHandle()
{
    return g_hResource;
}
