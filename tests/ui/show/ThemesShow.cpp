// A frame drawn in the command-bar theme given on the command line (0 to 4), and optionally in a colour
// scheme (1 blue, 2 olive, 3 silver) as if the visual style had it: a bottom-docked toolbar with a hot,
// a checked and a disabled button, a right-docked and a floating toolbar, and an open menu with an
// icon, a checked entry, a submenu and a disabled entry.
#include <windows.h>

#include <cstdio>

#include "CMenu.h"
#include "CXTPColorManager.h"
#include "CXTPCommandBars.h"
#include "CXTPCommandBarsOptions.h"
#include "CXTPControl.h"
#include "CXTPControls.h"
#include "CXTPFrameWndBase.h"
#include "CXTPImageManager.h"
#include "CXTPMenuBar.h"
#include "CXTPPaintManager.h"
#include "CXTPPopupBar.h"
#include "CXTPToolBar.h"
#include "CXTPUxTheme.h"

namespace {

enum { ID_NEW = 100, ID_OPEN, ID_SAVE, ID_CUT, ID_COPY, ID_PASTE, ID_BOLD, ID_ITALIC, ID_LEFT, ID_RIGHT };

// A 16 x 16 icon: a filled square in the colour with a dark frame, transparent round it.
HICON SquareIcon(COLORREF clr)
{
    BYTE mask[32];
    for (int y = 0; y < 16; y++) {
        const BYTE bits = y >= 2 && y < 14 ? 0x00 : 0xFF;
        mask[y * 2] = y >= 2 && y < 14 ? 0xC0 : bits;  // columns 0-1 transparent
        mask[y * 2 + 1] = y >= 2 && y < 14 ? 0x03 : bits;  // columns 14-15 transparent
    }
    HDC hdcScreen = ::GetDC(nullptr);
    HBITMAP hColour = ::CreateCompatibleBitmap(hdcScreen, 16, 16);
    ::ReleaseDC(nullptr, hdcScreen);
    HDC hdc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hdc, hColour);
    RECT rcAll = {0, 0, 16, 16}, rcInner = {3, 3, 13, 13};
    HBRUSH hDark = ::CreateSolidBrush(RGB(40, 40, 40)), hFill = ::CreateSolidBrush(clr);
    ::FillRect(hdc, &rcAll, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    RECT rcFrame = {2, 2, 14, 14};
    ::FillRect(hdc, &rcFrame, hDark);
    ::FillRect(hdc, &rcInner, hFill);
    ::DeleteObject(hDark);
    ::DeleteObject(hFill);
    ::SelectObject(hdc, hOld);
    ::DeleteDC(hdc);
    HBITMAP hMask = ::CreateBitmap(16, 16, 1, 1, mask);
    ICONINFO info = {TRUE, 0, 0, hMask, hColour};
    HICON hIcon = ::CreateIconIndirect(&info);
    ::DeleteObject(hMask);
    ::DeleteObject(hColour);
    return hIcon;
}

// Every control keeps the state the program gives it, whatever the idle update finds.
void KeepStates(CXTPCommandBar* pBar)
{
    for (int i = 0; i < pBar->GetControlCount(); i++) {
        CXTPControl* pControl = pBar->GetControl(i);
        pControl->SetFlags(pControl->GetFlags() | xtpFlagManualUpdate);
        if (CXTPCommandBar* pPopup = pControl->GetCommandBar())
            KeepStates(pPopup);
    }
}

int g_nScheme = 0;

HRESULT SchemeName(LPWSTR fileName, int fileChars, LPWSTR colorName, int colorChars)
{
    static const wchar_t* colors[] = {L"", L"NormalColor", L"HomeStead", L"Metallic"};
    if (g_nScheme < 1 || g_nScheme > 3)
        return E_FAIL;
    lstrcpynW(fileName, L"luna.msstyles", fileChars);
    lstrcpynW(colorName, colors[g_nScheme], colorChars);
    return S_OK;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR lpszCmdLine, int)
{
    int nTheme = 0;
    if (lpszCmdLine)
        std::sscanf(lpszCmdLine, "%d %d", &nTheme, &g_nScheme);
    if (g_nScheme) {
        CXTPColorManager::Environment environment;
        environment.pfnGetCurrentThemeName = SchemeName;
        CXTPColorManager::SetEnvironment(environment);
        GetColorManager()->RefreshColors();
    }
    // The manifest loads Wine's version-6 controls, which still report 5.81: theme 3 draws with the styles.
    if (nTheme == 3)
        XTPUxThemeLibrary()->SetComCtlVersion(MAKELONG(0, 6));
    CXTPPaintManager::SetTheme(nTheme);

    auto* pFrame = new CXTPFrameWnd;
    char szTitle[48];
    wsprintfA(szTitle, "Theme %d, scheme %d", nTheme, g_nScheme);
    pFrame->Create(nullptr, szTitle, WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 620, 440));
    pFrame->InitCommandBars();
    CXTPCommandBars* pCommandBars = pFrame->GetCommandBars();
    pCommandBars->EnableDocking();
    const struct {
        UINT nID;
        COLORREF clr;
    } icons[] = {{ID_NEW, RGB(250, 250, 250)}, {ID_OPEN, RGB(240, 200, 60)},  {ID_SAVE, RGB(60, 90, 200)},
                 {ID_CUT, RGB(200, 60, 60)},   {ID_COPY, RGB(60, 160, 80)},   {ID_PASTE, RGB(160, 110, 60)},
                 {ID_BOLD, RGB(30, 30, 30)},   {ID_ITALIC, RGB(120, 60, 160)}, {ID_LEFT, RGB(60, 160, 200)},
                 {ID_RIGHT, RGB(200, 120, 160)}};
    for (const auto& icon : icons) {
        HICON hIcon = SquareIcon(icon.clr);
        pCommandBars->GetImageManager()->SetIcon(CXTPImageManagerIconHandle(hIcon), icon.nID);
        ::DestroyIcon(hIcon);
    }

    CXTPMenuBar* pMenuBar = pCommandBars->SetMenu("Menu Bar", 0);
    CMenu menu, file, recent, edit;
    menu.CreateMenu();
    file.CreatePopupMenu();
    recent.CreatePopupMenu();
    edit.CreatePopupMenu();
    recent.AppendMenu(MF_STRING, 120, "&1 main.d");
    file.AppendMenu(MF_STRING, ID_NEW, "&New\tCtrl+N");
    file.AppendMenu(MF_STRING, ID_OPEN, "&Open...\tCtrl+O");
    file.AppendMenu(MF_STRING, ID_SAVE, "&Save\tCtrl+S");
    file.AppendMenu(MF_STRING, 110, "&Word wrap");
    file.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(recent.Detach()), "&Recent files");
    file.AppendMenu(MF_SEPARATOR, 0, nullptr);
    file.AppendMenu(MF_STRING, 111, "&Print");
    file.AppendMenu(MF_STRING, 112, "E&xit");
    edit.AppendMenu(MF_STRING, ID_CUT, "Cu&t");
    menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(file.Detach()), "&File");
    menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(edit.Detach()), "&Edit");
    pMenuBar->LoadMenu(&menu);

    const UINT standard[] = {ID_NEW, ID_OPEN, ID_SAVE, 0, ID_CUT, ID_COPY, ID_PASTE};
    CXTPToolBar* pStandard = pCommandBars->Add("Standard", xtpBarBottom);  // clear of the open menu
    pStandard->SetButtons(standard, 7);
    const UINT format[] = {ID_BOLD, ID_ITALIC, 0, ID_LEFT, ID_RIGHT};
    CXTPToolBar* pSide = pCommandBars->Add("Side", xtpBarRight);
    pSide->SetButtons(format, 5);
    CXTPToolBar* pFloating = pCommandBars->Add("Format", xtpBarFloating);
    pFloating->SetButtons(format, 5);
    pFloating->SetWindowPos(nullptr, 330, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (CXTPCommandBar* pBar : {static_cast<CXTPCommandBar*>(pMenuBar), static_cast<CXTPCommandBar*>(pStandard),
                                 static_cast<CXTPCommandBar*>(pSide), static_cast<CXTPCommandBar*>(pFloating)})
        KeepStates(pBar);

    pStandard->GetControl(2)->SetChecked(1);   // Save checked
    pStandard->GetControl(5)->SetEnabled(FALSE);  // Paste disabled
    pSide->GetControl(1)->SetChecked(1);
    pFloating->GetControl(3)->SetEnabled(FALSE);

    pCommandBars->RecalcLayout();
    pFrame->RecalcLayout();
    pFloating->OnRecalcLayout();

    // The File menu open, its Word wrap entry checked and Print disabled.
    CXTPControl* pFile = pMenuBar->GetControl(0);
    CXTPCommandBar* pFileMenu = pFile->GetCommandBar();
    if (pFileMenu) {
        KeepStates(pFileMenu);
        pFileMenu->GetControl(3)->SetChecked(1);
        pFileMenu->GetControl(5)->SetEnabled(FALSE);
    }
    pMenuBar->SetTrackingMode(TRUE, FALSE, TRUE);
    pMenuBar->SetPopuped(0, TRUE);
    if (pFileMenu)
        pFileMenu->SetSelected(1, TRUE);
    // Copy hot, as under the mouse.
    pStandard->GetControl(4)->OnSetSelected(xtpSelectedByMouse);

    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return 0;
}
