// Fuzz target: a resizable dialog's stored placement value as the profile gives it back.
#include <windows.h>

#include <cstdint>

#include "CXTResize.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    WINDOWPLACEMENT wp;
    if (CXTResize::ReadPlacementRecord(data, static_cast<UINT>(size), wp) && wp.length != sizeof(wp))
        __builtin_trap();  // a record read must be one the window calls take
    return 0;
}
