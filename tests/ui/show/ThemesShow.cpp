// A frame drawn by one command-bar theme (the number is the program's argument, 1 by default):
// a top toolbar with a hot, a checked and a disabled button, a left-docked and a floating bar,
// and an open menu with an icon, a check mark, a submenu and a disabled entry.
#include <windows.h>

#include <cstdlib>

#include "CMenu.h"
#include "CXTPCommandBars.h"
#include "CXTPControlPopup.h"
#include "CXTPControls.h"
#include "CXTPFrameWndBase.h"
#include "CXTPImageManager.h"
#include "CXTPMenuBar.h"
#include "CXTPPaintManager.h"
#include "CXTPPopupBar.h"
#include "CXTPToolBar.h"
#include "CXTPUxTheme.h"

namespace {

// A 16 × 16 icon: a rounded block of the colour on a transparent ground.
HICON MakeIcon(COLORREF clr)
{
    HDC screen = ::GetDC(nullptr);
    HBITMAP color = ::CreateCompatibleBitmap(screen, 16, 16);
    HDC dc = ::CreateCompatibleDC(screen);
    HGDIOBJ old = ::SelectObject(dc, color);
    RECT rc = {0, 0, 16, 16};
    ::FillRect(dc, &rc, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    HBRUSH brush = ::CreateSolidBrush(clr);
    HGDIOBJ oldBrush = ::SelectObject(dc, brush);
    ::SelectObject(dc, ::GetStockObject(NULL_PEN));
    ::RoundRect(dc, 2, 2, 15, 15, 5, 5);
    ::SelectObject(dc, oldBrush);
    ::DeleteObject(brush);
    // Transparent where the colour bitmap stayed black.
    WORD mask[16];
    for (int y = 0; y < 16; y++) {
        WORD row = 0;
        for (int x = 0; x < 16; x++)
            if (::GetPixel(dc, x, y) == RGB(0, 0, 0))
                row |= static_cast<WORD>(0x8000 >> x);
        mask[y] = static_cast<WORD>((row >> 8) | (row << 8));
    }
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    HBITMAP hMask = ::CreateBitmap(16, 16, 1, 1, mask);
    ICONINFO info = {TRUE, 0, 0, hMask, color};
    HICON icon = ::CreateIconIndirect(&info);
    ::DeleteObject(hMask);
    ::DeleteObject(color);
    return icon;
}

CXTPToolBar* MakeBar(CXTPCommandBars* pCommandBars, const char* lpszTitle, XTPBarPosition position)
{
    CXTPToolBar* pBar = pCommandBars->Add(lpszTitle, position);
    CXTPControls* pControls = pBar->GetControls();
    const char* captions[] = {"Normal", "Hot", "Checked", "Disabled", "Other"};
    for (int i = 0; i < 5; i++) {
        CXTPControl* pControl = pControls->Add(xtpControlButton, 100 + i);
        pControl->SetCaption(captions[i]);
        pControl->SetBeginGroup(i == 4);
    }
    pControls->GetAt(2)->SetChecked(TRUE);
    pControls->GetAt(3)->SetEnabled(FALSE);
    pBar->SetNoUpdate(TRUE);  // keep the states shown
    return pBar;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR lpCmdLine, int)
{
    const int nTheme = lpCmdLine && *lpCmdLine ? std::atoi(lpCmdLine) : 1;
    // The manifest loads Wine's version-6 controls, which still report 5.81.
    if (nTheme == 3)
        XTPUxThemeLibrary()->SetComCtlVersion(MAKELONG(0, 6));
    CXTPPaintManager::SetTheme(nTheme);

    auto* pFrame = new CXTPFrameWnd;
    pFrame->Create(nullptr, "Themes", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(10, 10, 650, 470));
    pFrame->InitCommandBars();
    CXTPCommandBars* pCommandBars = pFrame->GetCommandBars();
    pCommandBars->EnableDocking();
    const COLORREF colours[] = {RGB(40, 120, 220), RGB(220, 60, 40), RGB(40, 170, 70), RGB(200, 150, 20),
                                RGB(150, 60, 190)};
    for (int i = 0; i < 5; i++)
        pCommandBars->GetImageManager()->SetIcon(CXTPImageManagerIconHandle(MakeIcon(colours[i])), 100 + i);

    CXTPMenuBar* pMenuBar = pCommandBars->SetMenu("Menu Bar", 0);
    CMenu menu;
    menu.CreateMenu();
    for (const char* lpszMenu : {"&File", "&Edit", "&View"}) {
        CMenu popup;
        popup.CreatePopupMenu();
        popup.AppendMenu(MF_STRING, 100, "&Open");
        menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(popup.Detach()), lpszMenu);
    }
    pMenuBar->LoadMenu(&menu);

    CXTPToolBar* pTop = MakeBar(pCommandBars, "Standard", xtpBarTop);
    CXTPToolBar* pLeft = MakeBar(pCommandBars, "Left", xtpBarLeft);
    CXTPToolBar* pFloating = MakeBar(pCommandBars, "Floating", xtpBarFloating);
    pFrame->RecalcLayout();
    pFloating->OnRecalcLayout();
    pFloating->SetWindowPos(nullptr, 330, 330, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (CXTPToolBar* pBar : {pTop, pLeft, pFloating})
        pBar->GetControl(1)->OnSetSelected(xtpSelectedByMouse);

    // The menu: an icon entry (hot), a checked entry, a submenu, a disabled entry.
    CXTPPopupBar* pPopup = CXTPPopupBar::CreatePopupBar(pCommandBars);
    CXTPControls* pControls = pPopup->GetControls();
    CXTPControl* pIcon = pControls->Add(xtpControlButton, 100);
    pIcon->SetCaption("&Icon entry");
    pIcon->SetShortcutText("Ctrl+I");
    pControls->Add(xtpControlButton, 0)->SetCaption("&Checked entry");
    pControls->GetAt(1)->SetChecked(TRUE);
    auto* pSub = static_cast<CXTPControlPopup*>(pControls->Add(xtpControlPopup, 0));
    pSub->SetCaption("&Submenu");
    pSub->GetCommandBar()->GetControls()->Add(xtpControlButton, 101)->SetCaption("Inner");
    CXTPControl* pOff = pControls->Add(xtpControlButton, 103);
    pOff->SetCaption("&Disabled entry");
    pOff->SetEnabled(FALSE);
    pOff->SetBeginGroup(TRUE);
    pPopup->SetNoUpdate(TRUE);
    CRect rcFrame;
    pFrame->GetWindowRect(&rcFrame);
    pPopup->Popup(rcFrame.left + 300, rcFrame.top + 120, nullptr);
    pControls->GetAt(0)->OnSetSelected(xtpSelectedByMouse);

    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return 0;
}
