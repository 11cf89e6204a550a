// Times opening the customize sheet on a host of the IDE's size (a menu bar of 8 menus holding
// 150 commands, 2 toolbars) until its Commands page shows "All Commands", painted: the IDE's way of
// filling the pages, the sheet's windows, the category switch. Prints the best of a few runs.
// Closing is not timed: under Wine without a window manager, hiding a top-level window waits
// about 2 s for the X server, whatever the window.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "CMenu.h"
#include "CXTPCommandBars.h"
#include "CXTPControl.h"
#include "CXTPControls.h"
#include "CXTPCustomizeCommandsPage.h"
#include "CXTPCustomizeOptionsPage.h"
#include "CXTPCustomizeSheet.h"
#include "CXTPFrameWndBase.h"
#include "CXTPMenuBar.h"
#include "CXTPResourceManager.h"
#include "CXTPToolBar.h"

namespace {

const UINT kMainMenu = 128;
const int kMenus = 8;
const int kCommands = 150;
const UINT kFirstCommand = 32771;
const UINT kAllCommandsID = 9337;

// The IDE's main menu, made here: 8 menus sharing the 150 commands.
class BenchResources : public CXTPResourceManager {
public:
    BOOL LoadMenu(CMenu* pMenu, UINT nIDResource) override
    {
        if (nIDResource != kMainMenu)
            return CXTPResourceManager::LoadMenu(pMenu, nIDResource);
        const char* names[kMenus] = {"&File", "&Edit", "&View", "&Project", "&Build", "&Tools", "&Window", "&Help"};
        pMenu->CreateMenu();
        UINT nCommand = kFirstCommand;
        for (int m = 0; m < kMenus; m++) {
            CMenu popup;
            popup.CreatePopupMenu();
            const int nItems = kCommands / kMenus + (m < kCommands % kMenus ? 1 : 0);
            for (int i = 0; i < nItems; i++) {
                if (i > 0 && i % 5 == 0)
                    popup.AppendMenu(MF_SEPARATOR, 0, nullptr);
                const std::string text = "Command &" + std::to_string(nCommand - kFirstCommand + 1) + "\tCtrl+F" +
                                         std::to_string(i % 12 + 1);
                popup.AppendMenu(MF_STRING, nCommand++, text.c_str());
            }
            pMenu->AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(popup.Detach()), names[m]);
        }
        return TRUE;
    }
};

// The sheet of the bench: at its first idle moment on screen it switches the Commands page to
// "All Commands", paints it, stops the clock and closes.
class TimedSheet : public CXTPCustomizeSheet {
public:
    explicit TimedSheet(CXTPCommandBars* pCommandBars) : CXTPCustomizeSheet(pCommandBars) {}
    BOOL m_bShown = FALSE;
    int m_nCommands = 0;  // the entries "All Commands" showed
    std::chrono::steady_clock::time_point m_shown;

    DECLARE_MESSAGE_MAP()

protected:
    LRESULT OnBenchKickIdle(WPARAM wParam, LPARAM lParam)
    {
        OnKickIdle(wParam, lParam);
        CXTPCustomizeCommandsPage* pPage = GetCommandsPage();
        if (m_bShown || !IsWindowVisible() || !pPage->GetSafeHwnd())
            return 0;
        CString strAll;
        XTPResourceManager()->LoadString(&strAll, kAllCommandsID);
        CListBox* pCategories = static_cast<CListBox*>(pPage->GetDlgItem(9338));
        pCategories->SetCurSel(pCategories->FindStringExact(-1, strAll));
        pPage->SendMessage(WM_COMMAND, MAKEWPARAM(9338, LBN_SELCHANGE), reinterpret_cast<LPARAM>(pCategories->m_hWnd));
        pPage->UpdateWindow();
        m_nCommands = static_cast<int>(::SendDlgItemMessageA(pPage->m_hWnd, 9327, LB_GETCOUNT, 0, 0));
        m_bShown = TRUE;
        m_shown = std::chrono::steady_clock::now();
        PostMessage(WM_COMMAND, IDCANCEL, 0);
        return 0;
    }
};

BEGIN_MESSAGE_MAP(TimedSheet, CXTPCustomizeSheet)
    ON_MESSAGE(WM_KICKIDLE, OnBenchKickIdle)
END_MESSAGE_MAP()

}  // namespace

int main()
{
    CXTPResourceManager::SetResourceManager(new BenchResources);
    auto* pFrame = new CXTPFrameWnd;
    pFrame->Create(nullptr, "Customize bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 1000, 700));
    pFrame->InitCommandBars();
    CXTPCommandBars* pCommandBars = pFrame->GetCommandBars();
    pCommandBars->EnableDocking();
    pCommandBars->SetMenu("Menu Bar", kMainMenu);
    for (int b = 0; b < 2; b++) {
        CXTPToolBar* pBar = pCommandBars->Add(b == 0 ? "Standard" : "Build", xtpBarTop);
        for (int i = 0; i < 12; i++)
            pBar->GetControls()->Add(xtpControlButton, static_cast<int>(kFirstCommand) + b * 60 + i);
    }
    pCommandBars->RecalcLayout();
    pFrame->RecalcLayout();

    int nCommandsShown = 0;
    double dBest = 1e30;
    for (int nRun = 0; nRun < 5; nRun++) {
        const auto start = std::chrono::steady_clock::now();
        TimedSheet sheet(pCommandBars);
        CXTPCustomizeOptionsPage options(&sheet);
        sheet.AddPage(&options);
        CXTPCustomizeCommandsPage* pCommands = sheet.GetCommandsPage();
        pCommands->InsertCategories(kMainMenu, TRUE);
        pCommands->InsertAllCommandsCategory(kAllCommandsID, -1);
        pCommands->InsertBuiltInMenus(kMainMenu, 9350, -1);
        pCommands->InsertNewMenuCategory(9314, -1);
        sheet.SetActivePage(pCommands);
        sheet.DoModal();
        nCommandsShown = sheet.m_nCommands;
        dBest = std::min(dBest, std::chrono::duration<double, std::milli>(sheet.m_shown - start).count());
    }
    std::printf("customize sheet to \"All Commands\" (%d menus, %d commands, 2 toolbars; %d entries shown): %.1f ms "
                "(goal: under 300 ms)\n",
                kMenus, kCommands, nCommandsShown, dBest);
    pFrame->DestroyWindow();
    return 0;
}
