// A frame showing a tear-off menu open under its toolbar button, with its grip hot, beside the
// toolbar already torn off it and floating; below, a toolbar too long for the frame with its
// expand button.
#include <windows.h>

#include <vector>

#include "CFrameWnd.h"
#include "CXTPCommandBars.h"
#include "CXTPCommandBarsOptions.h"
#include "CXTPControl.h"
#include "CXTPControlPopup.h"
#include "CXTPControls.h"
#include "CXTPFrameWndBase.h"
#include "CXTPPopupBar.h"
#include "CXTPToolBar.h"
#include "ShowItems.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    auto* pFrame = new CXTPFrameWnd;
    pFrame->Create(nullptr, "Tear-off menus", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 760, 520));
    pFrame->InitCommandBars();
    CXTPCommandBars* pCommandBars = pFrame->GetCommandBars();
    pCommandBars->EnableDocking();
    pCommandBars->GetOptions()->m_bShowExpandButtonAlways = FALSE;

    // A toolbar whose "Colours" drop-down may be torn off.
    CXTPToolBar* pFormat = pCommandBars->Add("Format", xtpBarTop);
    const UINT formatIds[] = {300, 301, 0, 302};
    pFormat->SetButtons(formatIds, 4);
    for (int i = 0; i < pFormat->GetControlCount(); i++)
        pFormat->GetControl(i)->SetCaption(i == 0 ? "Bold" : i == 1 ? "Italic" : "Left");
    CXTPControl* pColours = AddItem(pFormat, xtpControlPopup, 0, "Colours", TRUE);
    auto* pMenu = static_cast<CXTPPopupBar*>(pColours->GetCommandBar());
    pMenu->SetTearOffPopup("Colours", 0, TRUE, 160);
    for (const char* lpszColour : {"Red", "Green", "Blue", "Yellow"})
        AddItem(pMenu, xtpControlButton, 310, lpszColour);
    AddItem(pMenu, xtpControlButton, 315, "More colours...", TRUE);

    // A second, long toolbar in a row of its own: the frame is too narrow for it.
    CXTPToolBar* pTools = pCommandBars->Add("Tools", xtpBarTop);
    std::vector<UINT> toolIds;
    for (UINT i = 0; i < 30; i++)
        toolIds.push_back(400 + i);
    pTools->SetButtons(toolIds.data(), static_cast<int>(toolIds.size()));
    for (int i = 0; i < pTools->GetControlCount(); i++) {
        char szCaption[8];
        wsprintfA(szCaption, "T%d", i + 1);
        pTools->GetControl(i)->SetCaption(szCaption);
    }
    pFrame->RecalcLayout();
    pFrame->UpdateWindow();

    // Torn off once: the drag leaves the grip and is released far from it.
    pFormat->SetPopuped(pColours->GetIndex());
    pMenu->PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(420, 250));
    pMenu->PostMessage(WM_LBUTTONUP, 0, 0);
    pMenu->TrackTearOff();
    pFrame->UpdateWindow();

    // Open again, its grip hot.
    pFormat->SetPopuped(pColours->GetIndex());
    CRect rcGrip = pMenu->GetTearOffGripRect();
    pMenu->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(rcGrip.CenterPoint().x, rcGrip.CenterPoint().y));

    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return 0;
}
