// A frame showing the field controls of command bars: a toolbar with a text field, a combo box
// with a field, a platform combo whose list is open, and a hosted progress bar.
#include <windows.h>

#include "CProgressCtrl.h"
#include "CXTPCommandBars.h"
#include "CXTPControlComboBox.h"
#include "CXTPControlCustom.h"
#include "CXTPControlEdit.h"
#include "CXTPControls.h"
#include "CXTPFrameWndBase.h"
#include "CXTPToolBar.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    auto* pFrame = new CXTPFrameWnd;
    pFrame->Create(nullptr, "Field controls", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 720, 360));
    pFrame->InitCommandBars();
    CXTPCommandBars* pCommandBars = pFrame->GetCommandBars();
    pCommandBars->EnableDocking();
    CXTPToolBar* pBar = pCommandBars->Add("Standard", xtpBarTop);
    CXTPControls* pControls = pBar->GetControls();
    pControls->Add(xtpControlButton, 100)->SetCaption("Build");

    auto* pFind = static_cast<CXTPControlEdit*>(pControls->Add(xtpControlEdit, 101));
    pFind->SetCaption("Find:");
    pFind->SetBeginGroup(TRUE);
    pFind->SetEditText("Varnok");

    auto* pProject = static_cast<CXTPControlComboBox*>(pControls->Add(xtpControlComboBox, 102));
    pProject->SetDropDown(TRUE);
    pProject->SetWidth(120);
    for (const char* lpszItem : {"Quests", "Dialogs", "Items"})
        pProject->AddString(lpszItem);
    pProject->SetCurSel(1);

    auto* pPlatform = static_cast<CXTPControlComboBox*>(pControls->Add(xtpControlComboBox, 103));
    for (const char* lpszItem : {"Varnok", "Varnok 2"})
        pPlatform->AddString(lpszItem);
    pPlatform->SetCurSel(0);

    CProgressCtrl progress;
    progress.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 80, 14), pFrame, 104);
    progress.SendMessage(PBM_SETPOS, 60);
    auto* pCustom = static_cast<CXTPControlCustom*>(pControls->Add(xtpControlCustom, 104));
    pCustom->SetControl(&progress);
    pCustom->SetBorders(CRect(3, 4, 3, 4));
    pCustom->SetControlSize(CSize(80, 14));

    pCommandBars->RecalcLayout();
    pFrame->RecalcLayout();
    pBar->OnRecalcLayout();
    pBar->UpdateWindow();
    // The platform list, open under its combo.
    pBar->SetPopuped(pPlatform->GetIndex());

    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return 0;
}
