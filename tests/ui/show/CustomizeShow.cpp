// A frame in customize mode: the customize sheet beside it on its Toolbars page (or, with the
// argument "options", its Options page) and the context menu of a toolbar button.
#include <windows.h>

#include <cstring>

#include "CMenu.h"
#include "CXTPCommandBars.h"
#include "CXTPControl.h"
#include "CXTPControls.h"
#include "CXTPCustomizeOptionsPage.h"
#include "CXTPCustomizeSheet.h"
#include "CXTPFrameWndBase.h"
#include "CXTPMenuBar.h"
#include "CXTPToolBar.h"

namespace {

CXTPCustomizeSheet* g_pSheet = nullptr;
CXTPToolBar* g_pStandard = nullptr;
BOOL g_bOptions = FALSE;

void CALLBACK ShowSteps(HWND, UINT, UINT_PTR nIDEvent, DWORD)
{
    if (!g_pSheet || !g_pSheet->GetSafeHwnd() || !g_pSheet->IsWindowVisible())
        return;
    ::KillTimer(nullptr, nIDEvent);
    g_pSheet->SetWindowPos(nullptr, 440, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    if (g_bOptions) {
        g_pSheet->SetActivePage(1);
        return;
    }
    CXTPControl* pControl = g_pStandard->GetControl(1);
    pControl->SetBeginGroup(TRUE);
    g_pStandard->GetCommandBars()->SetDragControl(pControl);
    CPoint pt = pControl->GetRect().CenterPoint();
    g_pStandard->ClientToScreen(&pt);
    g_pSheet->ContextMenu(pt);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR lpCmdLine, int)
{
    g_bOptions = lpCmdLine && std::strstr(lpCmdLine, "options") != nullptr;
    auto* pFrame = new CXTPFrameWnd;
    pFrame->Create(nullptr, "Customize", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 420, 320));
    pFrame->InitCommandBars();
    CXTPCommandBars* pCommandBars = pFrame->GetCommandBars();
    pCommandBars->EnableDocking();

    CXTPMenuBar* pMenuBar = pCommandBars->SetMenu("Menu Bar", 0);
    CMenu menu;
    menu.CreateMenu();
    for (const char* lpszMenu : {"&File", "&Edit", "&Build"}) {
        CMenu popup;
        popup.CreatePopupMenu();
        popup.AppendMenu(MF_STRING, 100, "&Open");
        menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(popup.Detach()), lpszMenu);
    }
    pMenuBar->LoadMenu(&menu);

    g_pStandard = pCommandBars->Add("Standard", xtpBarTop);
    const UINT ids[] = {100, 101, 102, 103};
    g_pStandard->SetButtons(ids, 4);
    const char* captions[] = {"New", "Open", "Save", "Build"};
    for (int i = 0; i < 4; i++)
        g_pStandard->GetControl(i)->SetCaption(captions[i]);
    g_pStandard->GetControl(3)->SetStyle(3);
    pCommandBars->AddCustomBar("Custom 1", 59392);
    pCommandBars->RecalcLayout();
    pFrame->RecalcLayout();

    CXTPCustomizeSheet sheet(pCommandBars);
    CXTPCustomizeOptionsPage options(&sheet);
    sheet.AddPage(&options);
    g_pSheet = &sheet;
    ::SetTimer(nullptr, 0, 200, ShowSteps);
    sheet.DoModal();
    g_pSheet = nullptr;
    pFrame->DestroyWindow();
    return 0;
}
