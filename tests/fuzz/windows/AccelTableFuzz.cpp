// Fuzz target: a frame's accelerator table as the saved "Data" records give it back.
#include <windows.h>

#include <cstdint>

#include "CArchive.h"
#include "CException.h"
#include "CFrameWnd.h"
#include "CMemFile.h"
#include "CXTPPropExchangeArchive.h"
#include "CXTPShortcutManager.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CMemFile file(const_cast<BYTE*>(data), static_cast<UINT>(size));
    CArchive archive(&file, CArchive::load);
    CFrameWnd frame;
    try {
        CXTPPropExchangeArchive px(archive);
        CXTPShortcutManager::ExchangeAccelTable(&px, &frame);
    } catch (CException* e) {
        e->Delete();
    }
    if (frame.m_hAccelTable)
        DestroyAcceleratorTable(frame.m_hAccelTable);
    frame.m_hAccelTable = nullptr;
    return 0;
}
