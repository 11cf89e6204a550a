// A frame with two dialog bars: one docked at the left hosting a list box under its caption and
// close control, one floating hosting an edit, its caption opening a popup (the triangle shows).
#include <windows.h>

#include "CXTPCommandBars.h"
#include "CXTPControls.h"
#include "CXTPDialogBar.h"
#include "CXTPFrameWndBase.h"
#include "CXTPPopupBar.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    auto* pFrame = new CXTPFrameWnd;
    pFrame->Create(nullptr, "Dialog bars", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 620, 420));
    pFrame->InitCommandBars();
    CXTPCommandBars* pCommandBars = pFrame->GetCommandBars();
    pCommandBars->EnableDocking();

    auto* pOutput = static_cast<CXTPDialogBar*>(pCommandBars->Add("Output", xtpBarLeft, RUNTIME_CLASS(CXTPDialogBar)));
    pOutput->SetCaption("Scripts");
    pOutput->SetDockingClientSize(CSize(150, 220));
    auto* pList = new CWnd;
    pList->CreateEx(WS_EX_CLIENTEDGE, "LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL, CRect(0, 0, 10, 10), pOutput, 1);
    for (const char* item : {"main.vks", "quest.vks", "items.vks"})
        pList->SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    pOutput->SetChild(pList);

    auto* pFind = static_cast<CXTPDialogBar*>(pCommandBars->Add("Find", xtpBarFloating, RUNTIME_CLASS(CXTPDialogBar)));
    pFind->SetCaption("Find");
    pFind->SetFloatingClientSize(CSize(200, 60));
    pFind->GetCaptionPopup()->GetControls()->Add(xtpControlButton, 100)->SetCaption("&Whole word");
    auto* pEdit = new CWnd;
    pEdit->CreateEx(WS_EX_CLIENTEDGE, "EDIT", "quest", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), pFind, 2);
    pFind->SetChild(pEdit);
    pFind->OnRecalcLayout();
    pFind->SetWindowPos(nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    pCommandBars->RecalcLayout();
    pFrame->RecalcLayout();
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return 0;
}
