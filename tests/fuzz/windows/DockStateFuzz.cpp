// Fuzz target: the bar records of a saved dock state, then a grid selector's sizes, read back
// from archive bytes.
#include <windows.h>

#include <cstdint>

#include "CArchive.h"
#include "CException.h"
#include "CMemFile.h"
#include "CXTPControlSelector.h"
#include "CXTPDockState.h"
#include "CXTPPropExchangeArchive.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CMemFile file(const_cast<BYTE*>(data), static_cast<UINT>(size));
    CArchive archive(&file, CArchive::load);
    CXTPPropExchangeArchive px(archive);
    CXTPDockState state;
    CXTPControlSelector selector;
    try {
        state.DoPropExchange(&px);
        selector.DoPropExchange(&px);
    } catch (CException* e) {
        e->Delete();
    }
    // Whatever was read, the selector's cells keep a size.
    if (selector.GetItemSize().cx < 1 || selector.GetItemSize().cy < 1)
        __builtin_trap();
    return 0;
}
