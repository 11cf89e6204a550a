// Fuzz target: a saved docking layout read back from archive bytes.
#include <windows.h>

#include <cstdint>

#include "CArchive.h"
#include "CException.h"
#include "CMemFile.h"
#include "CXTPPropExchangeArchive.h"
#include "DockingPaneLayoutPropExchange.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CMemFile file(const_cast<BYTE*>(data), static_cast<UINT>(size));
    CArchive archive(&file, CArchive::load);
    CXTPPropExchangeArchive px(archive);
    DockingPaneLayoutPropExchange layout(&px);
    DockingPaneLayoutRecords records;
    try {
        records.Exchange(layout);
    } catch (CException* e) {
        e->Delete();
    }
    return 0;
}
