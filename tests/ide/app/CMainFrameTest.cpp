// The main frame on the real application: its first arrangement, bars and status bar, the
// layout file per language, the language switch, a layout lacking a pane, close with a worker,
// the find box.
#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <utility>
#include <vector>
#include <regex>
#include <thread>

#include "AppFixture.h"
#include "AfxIds.h"
#include "CDocTemplate.h"
#include "CDocument.h"
#include "CScintillaFindReplaceDlg.h"
#include "CScintillaView.h"
#include "CSolutionConfig.h"
#include "CXTPCommandBars.h"
#include "CXTPControl.h"
#include "CXTPControlComboBox.h"
#include "CXTPControlComboBoxList.h"
#include "CXTPControls.h"
#include "CXTPCustomizeCommandsPage.h"
#include "CXTPCustomizeOptionsPage.h"
#include "CXTPCustomizeSheet.h"
#include "XTPCommandBarsTypes.h"
#include "CXTPDockingPane.h"
#include "CXTPDockingPanePaintManager.h"
#include "CXTPStatusBar.h"
#include "CXTPTabPaintManager.h"
#include "CXTPMenuBar.h"
#include "CXTPToolBar.h"
#include "UiTestProbes.h"

namespace {

const char kGolden[] = "tests/ui/docking/data/StartUpLayout.xml";

// The layout text with the sizes of its splitter elements (Type 2) left out.
std::string WithoutSplitterSizes(std::string xml)
{
    static const std::regex size(R"(( Type="2") DockingC[XY]="\d+"( DockingC[XY]="\d+")?)");
    return std::regex_replace(xml, size, "$1");
}

}  // namespace

TEST_F(AppTest, FirstStartArrangesPanesBarsAndIndicators)
{
    Start();
    CMainFrame* pFrame = app->Frame();
    CXTPDockingPaneManager* pManager = pFrame->GetDockingPaneManager();
    CXTPDockingPane* pExplorer = pManager->FindPane(ID_PANE_SOLUTION_EXPLORER);
    CXTPDockingPane* pClassView = pManager->FindPane(ID_PANE_CLASS_VIEW);
    CXTPDockingPane* pOutput = pManager->FindPane(ID_PANE_OUTPUT);
    ASSERT_TRUE(pExplorer && pClassView && pOutput);
    EXPECT_EQ(pExplorer->GetContainer(), pClassView->GetContainer()) << "200 and 201 share one tab group";
    EXPECT_TRUE(pExplorer->IsSelected());
    EXPECT_NE(pOutput->GetContainer(), pClassView->GetContainer());
    // The shown panes have their windows; the class view gets its own when its tab is chosen.
    for (CXTPDockingPane* pPane : {pExplorer, pOutput})
        EXPECT_EQ(pPane->GetChild(), pFrame->GetPaneWindow(pPane->GetID())->GetSafeHwnd()) << pPane->GetID();
    EXPECT_EQ(pManager->GetPaintManager()->GetTheme(), 7);

    CXTPStatusBar* pStatus = pFrame->GetStatusBar();
    const UINT indicators[] = {0, 32845, 32844, 32843, 59140, 59137, 59138, 59139};
    ASSERT_EQ(pStatus->GetCount(), 8);
    for (int i = 0; i < 8; i++)
        EXPECT_EQ(pStatus->GetItemID(i), indicators[i]) << i;

    CXTPCommandBars* pBars = pFrame->GetCommandBars();
    ASSERT_NE(pBars->GetMenuBar(), nullptr);
    EXPECT_TRUE(pBars->GetMenuBar()->GetFlags() & 0x400) << "the frame does not take menus set on it";
    EXPECT_EQ(std::string(pBars->GetMenuBar()->GetControl(0)->GetCaption()), "&File");
    ASSERT_GE(pBars->GetCount(), 2);
    EXPECT_EQ(std::string(pBars->GetAt(1)->GetTitle()), "Standard");
    EXPECT_EQ(pBars->GetAt(1)->GetBarID(), 128u);

    // Both combos on the toolbar; the platform one follows the record at idle and sets it
    // when an item is picked.
    auto* pPlatform = dynamic_cast<CXTPControlComboBox*>(pBars->GetAt(1)->GetControls()->FindControl(150));
    auto* pFind = dynamic_cast<CXTPControlComboBox*>(pBars->GetAt(1)->GetControls()->FindControl(154));
    ASSERT_TRUE(pPlatform && pFind);
    g_solutionConfig.Platform = 1;
    app->OnIdle(0);
    EXPECT_EQ(pPlatform->GetCurSel(), 1);
    pPlatform->SetCurSel(0);
    NMXTPCONTROL notify = {};
    notify.hdr.idFrom = 150;
    notify.hdr.code = CBN_XTP_EXECUTE;
    notify.pControl = pPlatform;
    pFrame->SendMessage(WM_CMDBARS_EXECUTE, 150, reinterpret_cast<LPARAM>(&notify));
    EXPECT_EQ(g_solutionConfig.Platform, 0);

    // Saved at once: the docking part is the first arrangement's golden form, but for the
    // sizes the splitters took in this window.
    pFrame->SaveLayout(1033);
    EXPECT_EQ(WithoutSplitterSizes(DockingSection(ReadFileText(LayoutFile("_en")))),
              DockingSection(ReadFileText(SourceFile(kGolden))));
}

TEST_F(AppTest, RussianSavesTheEnglishLayoutLoadsItsOwnAndRetitles)
{
    Start();
    CMainFrame* pFrame = app->Frame();
    CXTPDockingPaneManager* pManager = pFrame->GetDockingPaneManager();

    // No Russian layout yet: the arrangement stays, everything is retitled.
    ASSERT_TRUE(app->SetLanguage(1049, FALSE));
    EXPECT_EQ(app->m_nLanguage, 1049);
    EXPECT_NE(DockingSection(ReadFileText(LayoutFile("_en"))), "") << "the English layout was saved";
    CXTPCommandBars* pBars = pFrame->GetCommandBars();
    EXPECT_EQ(std::string(pBars->GetAt(1)->GetTitle()), "\xD1\xF2\xE0\xED\xE4\xE0\xF0\xF2\xED\xE0\xFF");
    EXPECT_EQ(std::string(pManager->FindPane(ID_PANE_OUTPUT)->GetTitle()),
              "\xCE\xEA\xED\xEE \xF1\xEE\xEE\xE1\xF9\xE5\xED\xE8\xE9");  // "Окно сообщений"
    // Menu texts reach the bars through the system's code page: Cyrillic only where it is one.
    // Pane captions, tabs and status panes draw in the screen's character set too, or their
    // Cyrillic comes out as Western letters (Wine's metric fonts claim the Western set).
    if (::GetACP() == 1251) {
        EXPECT_EQ(std::string(pBars->GetMenuBar()->GetControl(0)->GetCaption()), "&\xD4\xE0\xE9\xEB");  // "&Файл"
        HDC hdc = ::GetDC(nullptr);
        const int screen = ::GetTextCharset(hdc);
        const std::pair<const char*, HFONT> fonts[] = {
            {"pane caption", *pManager->GetPaintManager()->GetCaptionFont()},
            {"pane tab", *pManager->GetPaintManager()->GetTabPaintManager()->GetFont(FALSE, FALSE)},
            {"status bar", pFrame->GetStatusBar()->GetFont()},
        };
        for (const auto& font : fonts) {
            HGDIOBJ hOld = ::SelectObject(hdc, font.second);
            EXPECT_EQ(::GetTextCharset(hdc), screen) << font.first;
            ::SelectObject(hdc, hOld);
        }
        ::ReleaseDC(nullptr, hdc);
    }

    // The same language again neither saves nor loads.
    const std::string english = ReadFileText(LayoutFile("_en"));
    ASSERT_TRUE(app->SetLanguage(1049, FALSE));
    EXPECT_EQ(::GetFileAttributesA(LayoutFile("_ru").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(ReadFileText(LayoutFile("_en")), english);

    // Back to English, then to Russian with a layout of its own: that layout is loaded.
    ASSERT_TRUE(app->SetLanguage(1033, FALSE));
    std::string russian = ReadFileText(LayoutFile("_ru"));
    const size_t title = russian.find("ID=\"202\"");
    ASSERT_NE(title, std::string::npos);
    const size_t begin = russian.rfind("Title=\"", title);
    russian.replace(begin, russian.find('"', begin + 7) + 1 - begin, "Title=\"Saved\\nSaved\"");
    WriteFileText(LayoutFile("_ru"), russian);
    ASSERT_TRUE(app->SetLanguage(1049, FALSE));
    EXPECT_EQ(std::string(pManager->FindPane(ID_PANE_OUTPUT)->GetTitle()), "Saved");
    EXPECT_EQ(CloseAndRun(), 0);
    EXPECT_NE(ReadFileText(LayoutFile("_ru")).find("Saved"), std::string::npos)
        << "closing saves under the language in force";
}

TEST_F(AppTest, LayoutLackingAPaneGetsItBackAsAtFirstStart)
{
    // The first arrangement without the output pane: its group and itself are left out.
    std::string xml = ReadFileText(SourceFile(kGolden));
    const size_t summary = xml.find("Panes=\"9\"");
    ASSERT_NE(summary, std::string::npos);
    xml.replace(summary, 9, "Panes=\"7\"");
    const size_t pane5 = xml.find("<Pane-5 Type=\"2\" Panes=\"2\" Pane-1=\"6\" Pane-2=\"8\"/>");
    ASSERT_NE(pane5, std::string::npos);
    xml.replace(pane5, std::string("<Pane-5 Type=\"2\" Panes=\"2\" Pane-1=\"6\" Pane-2=\"8\"/>").size(),
                "<Pane-5 Type=\"2\" Panes=\"1\" Pane-1=\"6\"/>");
    const size_t pane8 = xml.find("\t\t<Pane-8");
    const size_t end = xml.find("\t</DockingPane>");
    ASSERT_TRUE(pane8 != std::string::npos && end != std::string::npos);
    xml.erase(pane8, end - pane8);
    WriteFileText(LayoutFile("_en"), xml);

    Start();
    CXTPDockingPaneManager* pManager = app->Frame()->GetDockingPaneManager();
    CXTPDockingPane* pOutput = pManager->FindPane(ID_PANE_OUTPUT);
    ASSERT_NE(pOutput, nullptr);
    EXPECT_FALSE(pOutput->IsClosed());
    EXPECT_EQ(pOutput->GetChild(), app->Frame()->GetPaneWindow(ID_PANE_OUTPUT)->GetSafeHwnd());
    EXPECT_EQ(pManager->FindPane(ID_PANE_SOLUTION_EXPLORER)->GetContainer(),
              pManager->FindPane(ID_PANE_CLASS_VIEW)->GetContainer());
}

TEST_F(AppTest, CloseWhileAWorkerSendsToTheFrameServesItUntilItEnds)
{
    Start();
    HWND hPane = app->Frame()->GetPaneWindow(ID_PANE_OUTPUT)->GetSafeHwnd();
    // A job that writes to the pane's window a while, then clears its word, as the build worker
    // does at its end.
    g_solutionConfig.BuildJobThread = 1;
    std::atomic<int> sent{0};
    std::thread worker([&] {
        for (; sent < 500; sent++)
            ::SendMessageA(hPane, WM_NULL, 0, 0);
        g_solutionConfig.BuildJobThread = 0;
    });
    while (sent == 0)
        Pump();
    EXPECT_EQ(CloseAndRun(), 0);
    worker.join();
    EXPECT_EQ(g_solutionConfig.BuildJobThread.load(), 0u);
}

namespace {

// Counts the setting and colour messages an editing window receives.
std::map<HWND, int> g_heard;
std::map<HWND, WNDPROC> g_procs;

LRESULT CALLBACK CountingProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETTINGCHANGE || message == WM_SYSCOLORCHANGE)
        g_heard[hWnd]++;
    return ::CallWindowProcA(g_procs[hWnd], hWnd, message, wParam, lParam);
}

}  // namespace

TEST_F(AppTest, SettingAndColourChangesReachEveryScriptWindow)
{
    Start();
    app->OnCmdMsg(ID_FILE_NEW, 0, nullptr, nullptr);  // a second script beside the first start's
    std::vector<HWND> edits;
    for (POSITION tpl = app->GetFirstDocTemplatePosition(); tpl;) {
        CDocTemplate* pTemplate = app->GetNextDocTemplate(tpl);
        for (POSITION doc = pTemplate->GetFirstDocPosition(); doc;) {
            CDocument* pDoc = pTemplate->GetNextDoc(doc);
            for (POSITION view = pDoc->GetFirstViewPosition(); view;)
                edits.push_back(static_cast<CScintillaView*>(pDoc->GetNextView(view))->GetCtrl().GetSafeHwnd());
        }
    }
    ASSERT_EQ(edits.size(), 2u);
    for (HWND hEdit : edits)
        g_procs[hEdit] = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrA(hEdit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingProc)));
    app->Frame()->SendMessage(WM_SETTINGCHANGE, 0, 0);
    app->Frame()->SendMessage(WM_SYSCOLORCHANGE, 0, 0);
    for (HWND hEdit : edits) {
        EXPECT_EQ(g_heard[hEdit], 2) << "each script window hears of both";
        ::SetWindowLongPtrA(hEdit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_procs[hEdit]));
    }
}

TEST_F(AppTest, KeysTypedIntoTheFindBoxStayThere)
{
    Start();
    CMainFrame* pFrame = app->Frame();
    auto* pFind = dynamic_cast<CXTPControlComboBox*>(
        pFrame->GetCommandBars()->GetAt(1)->GetControls()->FindControl(154));
    ASSERT_NE(pFind, nullptr);
    ASSERT_NE(pFind->GetEditCtrl(), nullptr);
    HWND hEdit = pFind->GetEditCtrl()->GetSafeHwnd();
    ASSERT_NE(hEdit, nullptr);
    // F7 is a key of the frame's table (Build/Compile).
    for (bool inEdit : {false, true}) {
        ::SetFocus(inEdit ? hEdit : pFrame->GetSafeHwnd());
        MSG msg = {::GetFocus(), WM_KEYDOWN, VK_F7, 0, 0, {0, 0}};
        EXPECT_EQ(pFrame->PreTranslateMessage(&msg), inEdit ? FALSE : TRUE) << inEdit;
    }
}

namespace {

// The lines of a combo's list, in order.
std::vector<std::string> ListLines(CXTPControlComboBox* pCombo)
{
    std::vector<std::string> lines;
    for (int i = 0; pCombo && i < pCombo->GetCount(); i++)
        lines.push_back(std::string(pCombo->GetListBox()->GetText(i)));
    return lines;
}

// Types the text into the find box and presses Enter there, as real keys reach the bars' hook.
void EnterInFindBox(CMainFrame* pFrame, const char* text)
{
    HWND hEdit = pFrame->GetFindCombo()->GetEditCtrl()->GetSafeHwnd();
    ::SetForegroundWindow(pFrame->GetSafeHwnd());
    ::SetFocus(hEdit);
    ::SetWindowTextA(hEdit, text);
    INPUT keys[2] = {};
    for (INPUT& key : keys) {
        key.type = INPUT_KEYBOARD;
        key.ki.wVk = VK_RETURN;
    }
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, keys, sizeof(INPUT));
    PumpMessages();
}

}  // namespace

TEST_F(AppTest, EnterInTheFindBoxKeepsItsTextOnTopAcrossARestartAndFindInFilesProposesIt)
{
    Start();  // with its first, empty script
    CMainFrame* pFrame = app->Frame();
    ASSERT_NE(pFrame->GetFindCombo(), nullptr);
    for (const char* text : {"hero", "self", "hero"})
        EnterInFindBox(pFrame, text);
    EXPECT_EQ(ListLines(pFrame->GetFindCombo()), (std::vector<std::string>{"hero", "self"}));

    // Edit > Find in Files with nothing selected takes what the box holds.
    g_solutionConfig.Projects.Add(CString("Q"));
    pFrame->SendMessage(WM_COMMAND, 152, 0);
    g_solutionConfig.Projects.RemoveAll();
    ASSERT_NE(g_scintillaFind.dialog, nullptr);
    char title[64] = {}, proposed[64] = {};
    ::GetWindowTextA(g_scintillaFind.dialog->m_hWnd, title, sizeof title);
    ::GetDlgItemTextA(g_scintillaFind.dialog->m_hWnd, 0x480, proposed, sizeof proposed);
    EXPECT_STREQ(title, "Find in Files");
    EXPECT_STREQ(proposed, "hero");
    g_scintillaFind.dialog->SendMessage(WM_CLOSE);

    ASSERT_EQ(CloseAndRun(), 0);
    app.reset();
    Start();
    EXPECT_EQ(ListLines(app->Frame()->GetFindCombo()), (std::vector<std::string>{"hero", "self"}));
}

TEST_F(AppTest, TheMenuBarsItemsStayEnabledAtIdle)
{
    // The menus open from them: none may take the disabled look of a command nobody handles.
    Start();
    app->OnIdle(0);
    CXTPCommandBar* pMenuBar = app->Frame()->GetCommandBars()->GetMenuBar();
    ASSERT_NE(pMenuBar, nullptr);
    ASSERT_GT(pMenuBar->GetControlCount(), 0);
    for (int i = 0; i < pMenuBar->GetControlCount(); i++)
        EXPECT_TRUE(pMenuBar->GetControl(i)->GetEnabled()) << pMenuBar->GetControl(i)->GetCaption();
}

namespace {

CXTPToolBar* StandardBar(CMainFrame* pFrame)
{
    return dynamic_cast<CXTPToolBar*>(pFrame->GetCommandBars()->GetToolBar(128));
}

// A user's change of the Standard bar: its first button gone, docked at the left. The id of
// the button, 0 when the change could not be made.
int DockTheStandardBarLeftWithoutItsFirstButton(CMainFrame* pFrame)
{
    CXTPToolBar* pStandard = StandardBar(pFrame);
    if (!pStandard || pStandard->GetControlCount() == 0)
        return 0;
    const int nRemoved = pStandard->GetControl(0)->GetID();
    pStandard->GetControls()->Remove(0);
    return pFrame->GetCommandBars()->DockCommandBar(pStandard, xtpBarLeft) ? nRemoved : 0;
}

}  // namespace

TEST_F(AppTest, TheStandardBarsPlaceVisibilityAndButtonsComeBackFromTheLayoutFile)
{
    Start();
    const int nRemoved = DockTheStandardBarLeftWithoutItsFirstButton(app->Frame());
    ASSERT_NE(nRemoved, 0);
    StandardBar(app->Frame())->SetVisible(FALSE);
    app->Frame()->GetFindCombo()->AddString("needle");
    ASSERT_EQ(CloseAndRun(), 0);
    app.reset();

    Start();
    CXTPToolBar* pStandard = StandardBar(app->Frame());
    ASSERT_NE(pStandard, nullptr);
    EXPECT_EQ(pStandard->GetPosition(), xtpBarLeft);
    EXPECT_FALSE(pStandard->IsVisible());
    EXPECT_EQ(pStandard->GetControls()->FindControl(nRemoved), nullptr);
    // The loaded bar's find box is the one whose history is kept on close.
    CXTPControlComboBox* pFind = app->Frame()->GetFindCombo();
    ASSERT_NE(pFind, nullptr);
    EXPECT_EQ(pStandard->GetControls()->FindControl(154), pFind);
    pFind->AddString("haystack");
    ASSERT_EQ(CloseAndRun(), 0);
    EXPECT_EQ(std::string(app->GetProfileString("FindList", "Find1")), "haystack");
}

TEST_F(AppTest, ADamagedCommandBarsSectionLeavesTheBarsAndStillLoadsThePanes)
{
    // A saved layout with a changed Standard bar, and a title of its own for pane 202.
    Start();
    const int nFirst = DockTheStandardBarLeftWithoutItsFirstButton(app->Frame());
    ASSERT_NE(nFirst, 0);
    ASSERT_EQ(CloseAndRun(), 0);
    app.reset();
    std::string saved = ReadFileText(LayoutFile("_en"));
    const size_t title = saved.find("Title=\"Message window\\nOutput\"");
    ASSERT_NE(title, std::string::npos);
    saved.replace(title, std::string("Title=\"Message window\\nOutput\"").size(), "Title=\"Saved\\nSaved\"");

    const struct {
        const char* what;
        const char* from;
        const char* to;
        bool barsKept;  // the bars stay as the program made them
    } damages[] = {
        {"a bar of a class that cannot be made", "Class=\"CXTPToolBar\"", "Class=\"CXTPNoSuchBar\"", true},
        {"a control of a class that cannot be made", "Class=\"CXTPControlButton\"", "Class=\"CXTPNoSuchControl\"",
         true},
        {"a dock row with a wild count", "<DockBar2 Count=\"2\"", "<DockBar2 Count=\"2000000000\"", false},
    };
    for (const auto& damage : damages) {
        SCOPED_TRACE(damage.what);
        std::string xml = saved;
        const size_t at = xml.find(damage.from);
        ASSERT_NE(at, std::string::npos);
        xml.replace(at, std::string(damage.from).size(), damage.to);
        WriteFileText(LayoutFile("_en"), xml);

        Start();
        CXTPDockingPane* pOutput = app->Frame()->GetDockingPaneManager()->FindPane(ID_PANE_OUTPUT);
        ASSERT_NE(pOutput, nullptr);
        EXPECT_EQ(std::string(pOutput->GetTitle()), "Saved") << "the panes are read all the same";
        CXTPToolBar* pStandard = StandardBar(app->Frame());
        ASSERT_NE(pStandard, nullptr);
        if (damage.barsKept) {
            EXPECT_EQ(pStandard->GetPosition(), xtpBarTop);
            EXPECT_NE(pStandard->GetControls()->FindControl(nFirst), nullptr);
        }
        EXPECT_EQ(CloseAndRun(), 0);
        app.reset();
    }
}

namespace {

// What the customize sheet showed while it ran on the frame; it is closed once looked at.
struct SheetSeen {
    int nTicks = 0;
    BOOL bShown = FALSE;
    BOOL bCustomizeMode = FALSE;
    BOOL bOptionsPage = FALSE;
    std::vector<std::string> categories;  // as the commands page lists them
    BOOL bToolsHasNested = FALSE;         // the Tools category holds its submenus' commands
};
SheetSeen g_sheet;

BOOL CALLBACK FindSheet(HWND hWnd, LPARAM lParam)
{
    auto* pSheet = dynamic_cast<CXTPCustomizeSheet*>(CWnd::FromHandlePermanent(hWnd));
    if (!pSheet)
        return TRUE;
    *reinterpret_cast<CXTPCustomizeSheet**>(lParam) = pSheet;
    return FALSE;
}

VOID CALLBACK LookAtSheetAndClose(HWND, UINT, UINT_PTR, DWORD)
{
    CXTPCustomizeSheet* pSheet = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindSheet, reinterpret_cast<LPARAM>(&pSheet));
    if (++g_sheet.nTicks > 200) {
        // Never found in 10 s: whatever dialog runs is closed, so that the test ends.
        if (HWND hDialog = ::GetActiveWindow())
            ::PostMessageA(hDialog, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    if (g_sheet.bShown || !pSheet || !pSheet->IsWindowVisible())
        return;
    g_sheet.bShown = TRUE;
    g_sheet.bCustomizeMode = pSheet->GetCommandBars()->IsCustomizeMode();
    for (int i = 0; i < pSheet->GetPageCount(); i++)
        g_sheet.bOptionsPage |= dynamic_cast<CXTPCustomizeOptionsPage*>(pSheet->GetPage(i)) != nullptr;
    CXTPCustomizeCommandsPage* pCommands = pSheet->GetCommandsPage();
    pSheet->SetActivePage(pCommands);
    CListBox& list = pCommands->GetCategoryList();
    for (int i = 0; list.GetSafeHwnd() && i < list.GetCount(); i++) {
        CString text;
        list.GetText(i, text);
        g_sheet.categories.push_back(static_cast<const char*>(text));
    }
    if (CXTPCustomizeCategory* pTools = pCommands->FindCategory("Tools"))
        g_sheet.bToolsHasNested = pTools->m_pControls->FindControl(32834) && pTools->m_pControls->FindControl(35001);
    pSheet->PostMessage(WM_COMMAND, IDCANCEL, 0);
}

}  // namespace

TEST_F(AppTest, CustomizeRunsTheSheetWithTheMainMenusCategories)
{
    Start();
    CMainFrame* pFrame = app->Frame();
    g_sheet = SheetSeen();
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, LookAtSheetAndClose);
    pFrame->SendMessage(WM_COMMAND, 35001);
    ::KillTimer(nullptr, timer);
    ASSERT_TRUE(g_sheet.bShown) << "the sheet ran";
    EXPECT_TRUE(g_sheet.bCustomizeMode);
    EXPECT_TRUE(g_sheet.bOptionsPage);
    const std::vector<std::string> categories = {"File",    "Edit",     "View",   "Project",      "Build",
                                                 "Tools",   "Options",  "Language", "Window",    "Help",
                                                 "All Commands", "Built-in Menus", "New Menu"};
    EXPECT_EQ(g_sheet.categories, categories);
    EXPECT_TRUE(g_sheet.bToolsHasNested) << "commands of the submenus are listed too";
    EXPECT_FALSE(pFrame->GetCommandBars()->IsCustomizeMode()) << "customize mode ends with the sheet";
}
