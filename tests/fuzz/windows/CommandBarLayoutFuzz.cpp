// Fuzz target: a saved command-bar layout loaded into a frame with a menu bar and two toolbars,
// then saved again. Input starting with '<' is a layout file, anything else archive bytes.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "CArchive.h"
#include "CException.h"
#include "CMemFile.h"
#include "CXTPCommandBars.h"
#include "CXTPCommandBarsExchangeParam.h"
#include "CXTPControls.h"
#include "CXTPFrameWndBase.h"
#include "CXTPPropExchangeArchive.h"
#include "CXTPPropExchangeXMLNode.h"
#include "CXTPToolBar.h"

namespace {

CXTPFrameWnd* BuildFrame()
{
    auto* pFrame = new CXTPFrameWnd;
    if (!pFrame->Create(nullptr, "Fuzz", WS_OVERLAPPEDWINDOW, CRect(0, 0, 600, 400)) || !pFrame->InitCommandBars())
        return nullptr;
    CXTPCommandBars* pBars = pFrame->GetCommandBars();
    pBars->EnableDocking();
    pBars->SetMenu("Menu Bar", 0);
    const UINT buttons[] = {100, 0, 101, 102};
    for (UINT nId : {201u, 202u}) {
        CXTPToolBar* pBar = pBars->Add("Bar", xtpBarTop);
        if (!pBar)
            continue;
        pBar->SetBarID(nId);
        pBar->SetButtons(buttons, 4);
        pBar->GetControls()->CreateOriginalControls();
    }
    return pFrame;
}

std::string TempLayoutPath()
{
    char szFolder[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, szFolder);
    return std::string(szFolder) + "tavrelin-layout-fuzz.xml";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const HRESULT hrCom = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    static_cast<void>(hrCom);
    CXTPFrameWnd* pFrame = BuildFrame();
    if (!pFrame)
        __builtin_trap();
    CXTPCommandBars* pBars = pFrame->GetCommandBars();
    CXTPCommandBarsExchangeParam param;
    param.bControls = TRUE;
    param.bSilentLoad = TRUE;  // no question while fuzzing
    param.bOptions = TRUE;
    try {
        if (size > 0 && data[0] == '<') {
            const std::string path = TempLayoutPath();
            if (FILE* file = std::fopen(path.c_str(), "wb")) {
                std::fwrite(data, 1, size, file);
                std::fclose(file);
            }
            CXTPPropExchangeXMLNode px(TRUE, nullptr, "Config");
            px.LoadFromFile(path.c_str());
            CXTPPropExchangeSection section(px.GetSection("CommandBars"));
            pBars->DoPropExchange(section, &param);
            ::DeleteFileA(path.c_str());
        } else {
            CMemFile file(const_cast<BYTE*>(data), static_cast<UINT>(size));
            CArchive archive(&file, CArchive::load);
            CXTPPropExchangeArchive px(archive);
            pBars->DoPropExchange(&px, &param);
        }
        // Whatever came in is saved again: the save walk meets every bar the load tied together.
        CXTPPropExchangeXMLNode save(FALSE, nullptr, "Config");
        CXTPPropExchangeSection section(save.GetSection("CommandBars"));
        param.bOnlyCustomized = FALSE;
        pBars->DoPropExchange(section, &param);
    } catch (CException* e) {
        e->Delete();
    }
    pFrame->DestroyWindow();
    return 0;
}
