// Fuzz target: archive bytes read as a solution file and as a project file, the way a project
// file is checked whole before it is loaded (its documents read past, nothing opened).
#include <windows.h>

#include <cstdint>

#include "CArchive.h"
#include "CException.h"
#include "CMemFile.h"
#include "CSolutionConfig.h"
#include "CSolutionFile.h"
#include "CXTPPropExchangeArchive.h"
#include "DocumentsState.h"

namespace {

template <typename Exchange>
void ReadAs(const uint8_t* data, size_t size, Exchange exchange)
{
    CMemFile memory(const_cast<BYTE*>(data), static_cast<UINT>(size));
    CArchive archive(&memory, CArchive::load);
    CXTPPropExchangeArchive px(archive);
    try {
        exchange(&px);
    } catch (CException* e) {
        e->Delete();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CSolutionConfig config;
    ReadAs(data, size, [&](CXTPPropExchange* px) { ExchangeSolutionFile(px, config); });
    ReadAs(data, size, [&](CXTPPropExchange* px) { ExchangeProjectFile(px, config, nullptr, SkipDocumentsState); });
    return 0;
}
