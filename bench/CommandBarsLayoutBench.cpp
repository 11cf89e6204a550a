// Times the saved command-bar layout of a large frame: a menu bar of 8 menus of 25 items (every
// fifth a submenu of 5) and 10 toolbars of 30 buttons. Saving writes bars, controls and dock
// state to an XML file; loading reads the file back and merges it into the frame's bars, then
// puts them where the dock state says. Beside them the platform's XML document, which the layout
// is written through, loads the same file and saves it again: the file's part alone. All on the
// wall clock, alternated rounds, medians compared; goal: saving and loading each within three
// times the platform document's save and load of the file.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "BenchTiming.h"
#include "CXTPCommandBars.h"
#include "CXTPCommandBarsExchangeParam.h"
#include "CXTPControl.h"
#include "CXTPControls.h"
#include "CXTPFrameWndBase.h"
#include "CXTPMenuBar.h"
#include "CXTPPropExchangeXMLNode.h"
#include "CXTPToolBar.h"
#include "XmlDom.h"

namespace {

const int kMenus = 8;
const int kItems = 25;
const int kSubItems = 5;
const int kToolBars = 10;
const int kButtons = 30;
const int kRounds = 7;

CXTPFrameWnd* MakeFrame()
{
    auto* pFrame = new CXTPFrameWnd;
    pFrame->Create(nullptr, "Layout bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 1280, 1000));
    pFrame->InitCommandBars();
    CXTPCommandBars* pCommandBars = pFrame->GetCommandBars();
    pCommandBars->EnableDocking();
    UINT nId = 1000;
    if (CXTPMenuBar* pMenuBar = pCommandBars->SetMenu("Menu Bar", 0)) {
        for (int m = 0; m < kMenus; m++) {
            CXTPControl* pMenu = pMenuBar->GetControls()->Add(xtpControlPopup, 0);
            pMenu->SetCaption(("Menu " + std::to_string(m + 1)).c_str());
            CXTPControls* pItems = pMenu->GetCommandBar()->GetControls();
            for (int i = 0; i < kItems; i++) {
                if (i % 5 == 4) {
                    CXTPControl* pSub = pItems->Add(xtpControlPopup, 0);
                    pSub->SetCaption(("Submenu " + std::to_string(i)).c_str());
                    for (int s = 0; s < kSubItems; s++)
                        pSub->GetCommandBar()->GetControls()->Add(xtpControlButton, static_cast<int>(nId++));
                } else {
                    pItems->Add(xtpControlButton, static_cast<int>(nId++))->SetCaption("Item");
                }
            }
        }
    }
    std::vector<UINT> ids(kButtons);
    for (int b = 0; b < kToolBars; b++) {
        for (UINT& id : ids)
            id = nId++;
        if (CXTPToolBar* pBar = pCommandBars->Add(("Bar " + std::to_string(b + 1)).c_str(), xtpBarTop)) {
            pBar->SetBarID(static_cast<UINT>(200 + b));
            pBar->SetButtons(ids.data(), kButtons);
        }
    }
    pFrame->RecalcLayout();
    return pFrame;
}

}  // namespace

int main()
{
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    CXTPFrameWnd* pFrame = MakeFrame();
    CXTPCommandBars* pCommandBars = pFrame->GetCommandBars();
    char szFolder[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, szFolder);
    const std::string path = std::string(szFolder) + "tavrelin-layout-bench.xml";

    CXTPCommandBarsExchangeParam param;
    param.bControls = TRUE;
    BOOL bLoaded = TRUE;
    auto save = [&] {
        return WallMilliseconds([&] {
            param.bOriginalControls = FALSE;
            CXTPPropExchangeXMLNode px(FALSE, nullptr, "Config");
            CXTPPropExchangeSection section(px.GetSection("CommandBars"));
            pCommandBars->DoPropExchange(section, &param);
            px.SetEncoding("windows-1251");
            px.SaveToFile(path.c_str());
        });
    };
    auto load = [&] {
        return WallMilliseconds([&] {
            param.bOriginalControls = TRUE;
            CXTPPropExchangeXMLNode px(TRUE, nullptr, "Config");
            px.LoadFromFile(path.c_str());
            CXTPPropExchangeSection section(px.GetSection("CommandBars"));
            bLoaded = pCommandBars->DoPropExchange(section, &param) && bLoaded;
        });
    };
    // The platform's document: a load of the saved file into a new document, and a save of
    // one such document to a file of its own.
    const std::string copyPath = path + ".copy.xml";
    CXmlBstr file{CString(path.c_str())}, copyFile{CString(copyPath.c_str())};
    auto fileVariant = [](const CXmlBstr& name) {
        VARIANT variant;
        ::VariantInit(&variant);
        variant.vt = VT_BSTR;
        variant.bstrVal = name;
        return variant;
    };
    BOOL bPlatformRead = TRUE;
    auto platformLoad = [&] {
        return WallMilliseconds([&] {
            CXmlPtr<IXMLDOMDocument> document = XmlDom::CreateDocument();
            VARIANT_BOOL read = VARIANT_FALSE;
            bPlatformRead = document.Get() && SUCCEEDED(document->load(fileVariant(file), &read)) &&
                            read == VARIANT_TRUE && bPlatformRead;
        });
    };
    save();
    CXmlPtr<IXMLDOMDocument> loaded = XmlDom::CreateDocument();
    VARIANT_BOOL read = VARIANT_FALSE;
    loaded->load(fileVariant(file), &read);
    auto platformSave = [&] { return WallMilliseconds([&] { loaded->save(fileVariant(copyFile)); }); };
    load();
    platformLoad();
    platformSave();
    const std::vector<Samples> times = Alternate(kRounds, {save, platformSave, load, platformLoad});
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    ::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    ::DeleteFileA(path.c_str());
    ::DeleteFileA(copyPath.c_str());

    std::printf("Command-bar layout: %d menus of %d items, %d toolbars of %d buttons (file %lu bytes)\n", kMenus,
                kItems, kToolBars, kButtons, data.nFileSizeLow);
    std::printf("wall clock, median of %d alternated rounds after one untimed run each (ms)\n", kRounds);
    std::printf("  save to an XML file           %8.2f   the platform's document saving it  %8.2f\n",
                times[0].Median(), times[1].Median());
    std::printf("  load, merge and dock state    %8.2f   the platform's document loading it %8.2f%s\n",
                times[2].Median(), times[3].Median(),
                bLoaded && bPlatformRead && read == VARIANT_TRUE ? "" : "  (a load failed)");
    ReportRatio("save / the platform document's save", times[0].Median(), times[1].Median(), 3.0);
    ReportRatio("load / the platform document's load", times[2].Median(), times[3].Median(), 3.0);
    pFrame->DestroyWindow();
    ::CoUninitialize();
    return bLoaded ? 0 : 1;
}
