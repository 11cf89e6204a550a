// Times opening the customize sheet on a host of the IDE's size (a menu bar of 8 menus holding
// 150 commands, 2 toolbars) until its Commands page shows "All Commands", painted: the IDE's way of
// filling the pages, the sheet's windows, the category switch. Beside it the platform's own property
// sheet with an options page and a page of two list boxes, the categories and the 150 commands,
// until that page is painted. Both on the wall clock, alternated runs, medians compared; goal: the
// customize sheet within twice the platform's sheet.
// Closing is not timed: under Wine without a window manager, hiding a top-level window waits
// about 2 s for the X server, whatever the window.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include <commctrl.h>

#include "BenchTiming.h"
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

// The yardstick's pages: dialog templates made in memory, with no items or with two list boxes.
std::vector<WORD> PageTemplate(bool lists)
{
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
    auto* dialog = reinterpret_cast<DLGTEMPLATE*>(words.data());
    dialog->style = WS_CHILD | WS_VISIBLE | DS_CONTROL;
    dialog->cdit = lists ? 2 : 0;
    dialog->cx = 300;
    dialog->cy = 200;
    words.insert(words.end(), {0, 0, 0});  // no menu, the default class, no title
    for (int item = 0; lists && item < 2; ++item) {
        if (words.size() % 2)
            words.push_back(0);  // items start on a double word
        const std::size_t at = words.size();
        words.resize(at + sizeof(DLGITEMTEMPLATE) / sizeof(WORD), 0);
        auto* control = reinterpret_cast<DLGITEMTEMPLATE*>(words.data() + at);
        control->style = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT;
        control->x = static_cast<short>(item == 0 ? 5 : 110);
        control->y = 5;
        control->cx = static_cast<short>(item == 0 ? 100 : 185);
        control->cy = 190;
        control->id = static_cast<WORD>(100 + item);
        words.insert(words.end(), {0xFFFF, 0x0083, 0, 0});  // a list box, no title, no data
    }
    return words;
}

std::chrono::steady_clock::time_point g_platformShown;

INT_PTR CALLBACK PlatformPage(HWND hPage, UINT message, WPARAM, LPARAM)
{
    const UINT kShown = WM_APP;
    if (message == WM_INITDIALOG) {
        if (::GetDlgItem(hPage, 100)) {
            const char* categories[] = {"File", "Edit", "View", "Project", "Build", "Tools", "Window", "Help",
                                        "All Commands", "Built-in Menus", "New Menu"};
            for (const char* category : categories)
                ::SendDlgItemMessageA(hPage, 100, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(category));
            for (int i = 1; i <= kCommands; i++) {
                const std::string text = "Command &" + std::to_string(i);
                ::SendDlgItemMessageA(hPage, 101, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
            }
            ::PostMessageA(hPage, kShown, 0, 0);
        }
        return TRUE;
    }
    if (message == kShown) {
        // Stops the clock once the sheet is on screen and the page painted, then closes it.
        HWND hSheet = ::GetParent(hPage);
        if (!::IsWindowVisible(hSheet)) {
            ::PostMessageA(hPage, kShown, 0, 0);
            return TRUE;
        }
        ::UpdateWindow(hSheet);
        g_platformShown = std::chrono::steady_clock::now();
        ::PostMessageA(hSheet, WM_COMMAND, IDCANCEL, 0);
        return TRUE;
    }
    return FALSE;
}

// Milliseconds from the start to the platform's sheet on screen with its list page painted.
double OpenPlatformSheet()
{
    static const std::vector<WORD> options = PageTemplate(false), commands = PageTemplate(true);
    const auto start = std::chrono::steady_clock::now();
    PROPSHEETPAGEA pages[2] = {};
    const char* titles[] = {"Options", "Commands"};
    const std::vector<WORD>* templates[] = {&options, &commands};
    for (int i = 0; i < 2; i++) {
        pages[i].dwSize = sizeof(PROPSHEETPAGEA);
        pages[i].dwFlags = PSP_DLGINDIRECT | PSP_USETITLE;
        pages[i].pResource = reinterpret_cast<const DLGTEMPLATE*>(templates[i]->data());
        pages[i].pfnDlgProc = PlatformPage;
        pages[i].pszTitle = titles[i];
    }
    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW;
    header.pszCaption = "Customize";
    header.nPages = 2;
    header.nStartPage = 1;
    header.ppsp = pages;
    ::PropertySheetA(&header);
    return std::chrono::duration<double, std::milli>(g_platformShown - start).count();
}

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
    auto customize = [&] {
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
        return std::chrono::duration<double, std::milli>(sheet.m_shown - start).count();
    };
    const int kRuns = 5;
    const std::vector<Samples> times = Alternate(kRuns, {customize, OpenPlatformSheet});
    std::printf("customize sheet to \"All Commands\" (%d menus, %d commands, 2 toolbars; %d entries shown): %.1f ms\n",
                kMenus, kCommands, nCommandsShown, times[0].Median());
    std::printf("the platform's property sheet with the categories and commands listed: %.1f ms\n",
                times[1].Median());
    std::printf("(wall clock, median of %d alternated runs)\n", kRuns);
    ReportRatio("customize sheet / platform's sheet", times[0].Median(), times[1].Median(), 2.0);
    pFrame->DestroyWindow();
    return 0;
}
