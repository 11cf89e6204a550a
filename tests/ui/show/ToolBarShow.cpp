// An MDI frame showing the menu bar with a maximised child's buttons, a docked toolbar whose last
// buttons hide behind its expand button, and a floating toolbar with its caption and close square.
#include <windows.h>

#include "CMDIChildWnd.h"
#include "CMenu.h"
#include "CXTPCommandBars.h"
#include "CXTPCommandBarsOptions.h"
#include "CXTPControl.h"
#include "CXTPControls.h"
#include "CXTPFrameWndBase.h"
#include "CXTPMenuBar.h"
#include "CXTPToolBar.h"

namespace {

void Fill(CXTPToolBar* pBar, const UINT* pIds, const char* const* pCaptions, int nCount)
{
    pBar->SetButtons(pIds, nCount);
    int nControl = 0;
    for (int i = 0; i < nCount; i++) {
        if (pIds[i] != 0)
            pBar->GetControl(nControl++)->SetCaption(pCaptions[i]);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    auto* pFrame = new CXTPMDIFrameWnd;
    pFrame->Create(nullptr, "Toolbars", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 620, 420));
    pFrame->InitCommandBars();
    CXTPCommandBars* pCommandBars = pFrame->GetCommandBars();
    pCommandBars->GetOptions()->m_bShowExpandButtonAlways = FALSE;
    pCommandBars->EnableDocking();

    CXTPMenuBar* pMenuBar = pCommandBars->SetMenu("Menu Bar", 0);
    CMenu menu;
    menu.CreateMenu();
    const char* menus[] = {"&File", "&Edit", "&View", "&Window"};
    for (const char* lpszMenu : menus) {
        CMenu popup;
        popup.CreatePopupMenu();
        popup.AppendMenu(MF_STRING, 100, "&Open");
        menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(popup.Detach()), lpszMenu);
    }
    pMenuBar->LoadMenu(&menu);
    pMenuBar->SetFlags(xtpFlagAddMDISysPopup);

    const UINT standard[] = {100, 101, 102, 0, 103, 104, 0, 105, 106, 107, 108, 109};
    const char* const standardCaptions[] = {"New", "Open", "Save", "", "Cut", "Copy", "",
                                            "Undo", "Redo", "Find", "Replace", "Print"};
    Fill(pCommandBars->Add("Standard", xtpBarTop), standard, standardCaptions, 12);
    const UINT format[] = {200, 201, 0, 202};
    const char* const formatCaptions[] = {"Bold", "Italic", "", "Left"};
    CXTPToolBar* pFormat = pCommandBars->Add("Format", xtpBarFloating);
    Fill(pFormat, format, formatCaptions, 4);
    pFormat->SetWindowPos(nullptr, 260, 250, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    auto* pChild = new CMDIChildWnd;
    pChild->Create(nullptr, "Script", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 120), pFrame);
    pChild->MDIActivate();
    pChild->MDIMaximize();

    pFrame->SetWindowPos(nullptr, 0, 0, 420, 300, SWP_NOMOVE | SWP_NOZORDER);
    pCommandBars->RecalcLayout();
    pFrame->RecalcLayout();
    pFormat->OnRecalcLayout();

    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return 0;
}
