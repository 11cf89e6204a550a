// A frame in customize mode with the customize sheet on its Commands page, a command selected and
// a drop marker on the toolbar; with the argument "name", the new-toolbar dialog over the frame.
#include <windows.h>

#include <cstring>

#include "CMenu.h"
#include "CXTPCommandBars.h"
#include "CXTPControl.h"
#include "CXTPCustomizeCommandsPage.h"
#include "CXTPCustomizeSheet.h"
#include "CXTPFrameWndBase.h"
#include "CXTPMenuBar.h"
#include "CXTPNewToolbarDlg.h"
#include "CXTPResourceManager.h"
#include "CXTPToolBar.h"

namespace {

CXTPCustomizeSheet* g_pSheet = nullptr;
CXTPCustomizeCommandsPage* g_pPage = nullptr;
CXTPToolBar* g_pStandard = nullptr;

void CALLBACK ShowSteps(HWND, UINT, UINT_PTR nIDEvent, DWORD)
{
    if (!g_pSheet || !g_pSheet->GetSafeHwnd() || !g_pSheet->IsWindowVisible())
        return;
    ::KillTimer(nullptr, nIDEvent);
    g_pSheet->SetWindowPos(nullptr, 440, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    g_pPage->GetCommandList().SetCurSel(1);
    // The marker where a dragged command would go: between the second and third button.
    CXTPControl* pControl = g_pStandard->GetControl(2);
    CRect rc = pControl->GetRect();
    g_pStandard->SetDropMarker(CRect(rc.left - 3, rc.top, rc.left + 3, rc.bottom), FALSE);
    g_pStandard->GetCommandBars()->SetDragControl(g_pStandard->GetControl(0));
    g_pStandard->Invalidate(FALSE);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR lpCmdLine, int)
{
    auto* pFrame = new CXTPFrameWnd;
    pFrame->Create(nullptr, "Commands", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 420, 320));
    pFrame->InitCommandBars();
    CXTPCommandBars* pCommandBars = pFrame->GetCommandBars();
    pCommandBars->EnableDocking();
    CXTPMenuBar* pMenuBar = pCommandBars->SetMenu("Menu Bar", 0);
    CMenu menu;
    XTPResourceManager()->LoadMenu(&menu, 62901);
    pMenuBar->LoadMenu(&menu);
    g_pStandard = pCommandBars->Add("Standard", xtpBarTop);
    const UINT ids[] = {100, 101, 102, 130};
    g_pStandard->SetButtons(ids, 4);
    const char* captions[] = {"New", "Open", "Save", "Compile"};
    for (int i = 0; i < 4; i++) {
        g_pStandard->GetControl(i)->SetCaption(captions[i]);
        g_pStandard->GetControl(i)->SetStyle(1);
    }
    pCommandBars->AddCustomBar("Custom 1", 59392);
    pCommandBars->RecalcLayout();
    pFrame->RecalcLayout();

    if (lpCmdLine && std::strstr(lpCmdLine, "name")) {
        CXTPNewToolbarDlg dlg(pCommandBars, nullptr, pFrame);
        dlg.DoModal();
    } else {
        CXTPCustomizeSheet sheet(pCommandBars);
        CXTPCustomizeCommandsPage page(&sheet);
        page.InsertCategories(62901, TRUE);
        page.InsertAllCommandsCategory();
        page.InsertBuiltInMenus(62901);
        page.InsertNewMenuCategory();
        sheet.AddPage(&page);
        sheet.SetActivePage(&page);
        g_pSheet = &sheet;
        g_pPage = &page;
        ::SetTimer(nullptr, 0, 200, ShowSteps);
        sheet.DoModal();
        g_pSheet = nullptr;
    }
    pFrame->DestroyWindow();
    return 0;
}
