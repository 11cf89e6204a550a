// Fuzz target: the command-bar options as a saved state reads them back.
#include <windows.h>

#include <cstdint>

#include "CArchive.h"
#include "CException.h"
#include "CMemFile.h"
#include "CXTPCommandBarsOptions.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CMemFile file(const_cast<BYTE*>(data), static_cast<UINT>(size));
    CArchive archive(&file, CArchive::load);
    CXTPCommandBarsOptions options;
    try {
        options.Serialize(archive);
    } catch (CException* e) {
        e->Delete();
    }
    return 0;
}
