// An MDI frame as the IDE builds it: the menu bar, two toolbars docked in two rows at the top,
// one floating toolbar and two document windows, to be looked at in a screenshot.
#include <windows.h>

#include "CMDIChildWnd.h"
#include "CXTPCommandBars.h"
#include "CXTPControl.h"
#include "CXTPFrameWndBase.h"
#include "CXTPMenuBar.h"
#include "CXTPToolBar.h"
#include "DockBarsShow.h"

namespace {

// Buttons with short captions (no images are loaded), a separator between the groups.
CXTPToolBar* AddToolBar(CXTPCommandBars* pCommandBars, const char* lpszTitle, XTPBarPosition position,
                        const UINT* pIds, int nCount)
{
    CXTPToolBar* pBar = pCommandBars->Add(lpszTitle, position);
    if (!pBar)
        return nullptr;
    pBar->SetButtons(pIds, nCount);
    for (int i = 0; i < pBar->GetControlCount(); i++) {
        char szCaption[8];
        wsprintfA(szCaption, "%c%d", lpszTitle[0], i + 1);
        pBar->GetControl(i)->SetCaption(szCaption);
    }
    return pBar;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    auto* pFrame = new CXTPMDIFrameWnd;
    pFrame->Create(nullptr, "Dock bars", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 820, 580), nullptr,
                   MAKEINTRESOURCEA(IDR_SHOW_MENU));
    pFrame->InitCommandBars();
    CXTPCommandBars* pCommandBars = pFrame->GetCommandBars();
    pCommandBars->EnableDocking();
    pCommandBars->SetMenu("Menu Bar", IDR_SHOW_MENU);

    const UINT standard[] = {ID_SHOW_FIRST, ID_SHOW_FIRST + 1, ID_SHOW_FIRST + 2, 0, ID_SHOW_FIRST + 3,
                             ID_SHOW_FIRST + 4, ID_SHOW_FIRST + 5};
    const UINT build[] = {ID_SHOW_FIRST + 10, ID_SHOW_FIRST + 11, 0, ID_SHOW_FIRST + 12, ID_SHOW_FIRST + 13};
    const UINT tools[] = {ID_SHOW_FIRST + 20, ID_SHOW_FIRST + 21, ID_SHOW_FIRST + 22, ID_SHOW_FIRST + 23};
    AddToolBar(pCommandBars, "Standard", xtpBarTop, standard, 7);
    AddToolBar(pCommandBars, "Build", xtpBarTop, build, 5);
    CXTPToolBar* pFloating = AddToolBar(pCommandBars, "Tools", xtpBarFloating, tools, 4);
    if (pFloating) {
        pFloating->OnRecalcLayout();
        pFloating->SetWindowPos(nullptr, 420, 260, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    for (int i = 0; i < 2; i++) {
        auto* pChild = new CMDIChildWnd;
        pChild->Create(nullptr, i == 0 ? "Script1.vns" : "Script2.vns", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                       CRect(10 + i * 180, 10 + i * 60, 330 + i * 180, 230 + i * 60), pFrame);
        pChild->MDIActivate();
    }
    pFrame->RecalcLayout();

    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (!pFrame->PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    return 0;
}
