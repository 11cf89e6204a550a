// The script view's context menu on a real popup menu, its status panes, the title mark that
// follows the control's save point, the go-to-line mark and the reload on a watcher's message.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <Scintilla.h>

#include "AfxIds.h"
#include "CArchive.h"
#include "CMemFile.h"
#include "CTavrelinView.h"
#include "EditorFixture.h"
#include "CXTPPropExchangeArchive.h"
#include "EditorTestIds.h"
#include "IdeServices.h"
#include "EditorProjectHost.h"
#include "UiTestProbes.h"

namespace {

using ScriptViewCommandsTest = ScriptViewTest;

// The text a command's update handler sets; "(none)" where it sets none.
std::string TextOf(CTavrelinView* view, UINT id)
{
    const CommandStateProbe state = CommandStateOf(view, id);
    return state.textSet ? state.text : "(none)";
}

// The popup menu as it was on screen, and the key that ended it.
struct ShownMenu {
    std::vector<std::string> items;  // "-" for a separator, "(grayed)" appended when disabled
    char key = 0;                    // a mnemonic, or 0 for Escape
};
ShownMenu g_menu;

void CALLBACK ReadAndEndMenu(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND window = ::FindWindowA("#32768", nullptr);
    if (!window || !::IsWindowVisible(window))
        return;
    ::KillTimer(nullptr, timer);
    HMENU menu = reinterpret_cast<HMENU>(::SendMessageA(window, MN_GETHMENU, 0, 0));
    for (int i = 0; menu && i < ::GetMenuItemCount(menu); ++i) {
        char text[128] = {};
        ::GetMenuStringA(menu, UINT(i), text, sizeof text, MF_BYPOSITION);
        const UINT state = ::GetMenuState(menu, UINT(i), MF_BYPOSITION);
        std::string item = state & MF_SEPARATOR ? "-" : text;
        if (!(state & MF_SEPARATOR) && (state & (MF_GRAYED | MF_DISABLED)))
            item += " (grayed)";
        g_menu.items.push_back(item);
    }
    if (g_menu.key)
        ::PostMessageA(window, WM_CHAR, WPARAM(g_menu.key), 0);
    else
        ::PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
}

// A right click in the editing window: the control hands WM_CONTEXTMENU to the view.
void RightClick(CTavrelinView* view, char key)
{
    g_menu = ShownMenu();
    g_menu.key = key;
    RECT rect;
    ::GetWindowRect(view->GetCtrl().m_hWnd, &rect);
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, ReadAndEndMenu);
    ::SendMessageA(view->GetCtrl().m_hWnd, WM_CONTEXTMENU, WPARAM(view->GetCtrl().m_hWnd),
                   MAKELPARAM(rect.left + 20, rect.top + 20));
    ::KillTimer(nullptr, timer);
}

TEST_F(ScriptViewCommandsTest, TheContextMenuShowsTheEditorCommandsWithTheirStatesAndRunsTheChosenOne)
{
    CTavrelinView* view = OpenScript("menu.d", "func void A() {};\r\n");
    ASSERT_NE(view, nullptr);
    view->GetParentFrame()->ShowWindow(SW_SHOW);
    view->Sci(SCI_GOTOPOS, 2);  // in the keyword: a style with a record

    RightClick(view, 0);
    const std::vector<std::string> expected = {
        "Cu&t\tCtrl+X (grayed)", "&Copy\tCtrl+C (grayed)", "&Paste\tCtrl+V", "-", "&Find...\tCtrl+F",
        "R&eplace...\tCtrl+H", "-", "Set &Style", "-", "&List Members", "T&ype Info", "Parameter &Info", "-",
        "Go to &Declaration", "&Return back", "-", "&Wrap lines\tCtrl+W", "&Go to line\tCtrl+G", "-",
        "Test of script o&n errors"};
    // The editing aids of the other commands enable themselves when they are built; only the
    // texts and the states set here are compared.
    ASSERT_EQ(g_menu.items.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        if ((i >= 9 && i <= 14) || i == 19)
            EXPECT_EQ(g_menu.items[i].substr(0, expected[i].size()), expected[i]) << i;
        else if (i != 2)  // pasting depends on the clipboard
            EXPECT_EQ(g_menu.items[i], expected[i]) << i;
    }
    EXPECT_EQ(view->Sci(SCI_GETWRAPMODE), SC_WRAP_NONE);  // Escape ran nothing

    // A selection enables Copy; the chosen entry runs in the view.
    view->Sci(SCI_SETSEL, 0, 4);
    RightClick(view, 'w');
    ASSERT_GE(g_menu.items.size(), 2u);
    EXPECT_EQ(g_menu.items[1], "&Copy\tCtrl+C");
    EXPECT_EQ(view->Sci(SCI_GETWRAPMODE), SC_WRAP_WORD);
    EXPECT_TRUE(view->IsWrapped());
}

TEST_F(ScriptViewCommandsTest, SetStyleIsOfferedOnlyForStylesWithARecord)
{
    CTavrelinView* view = OpenScript("plain.txt", "abcdef");  // no lexer: the styles set here stay
    ASSERT_NE(view, nullptr);
    const struct {
        int style;
        BOOL enabled;
    } cases[] = {{0, TRUE}, {5, TRUE}, {19, TRUE}, {20, FALSE}, {27, FALSE}};
    for (const auto& c : cases) {
        view->Sci(SCI_STARTSTYLING, 0);
        view->Sci(SCI_SETSTYLING, 6, c.style);
        view->Sci(SCI_GOTOPOS, 3);
        EXPECT_EQ(CommandStateOf(view, ID_SET_STYLE).enabled, c.enabled) << c.style;
    }
}

TEST_F(ScriptViewCommandsTest, StatusPanesShowCaretStyleFoldLevelAndOvertype)
{
    CTavrelinView* view = OpenScript("panes.d", "func void A()\r\n{\r\n\tvar int x;\r\n};\r\n");
    ASSERT_NE(view, nullptr);
    const struct {
        int line, column;
        const char* position, *style, *fold;
    } cases[] = {
        {0, 0, "Line: 1, Col: 1", "Style: KeyWord", "Folding level: 0"},  // level 0x400 shows as 0
        {2, 1, "Line: 3, Col: 5", "Style: KeyWord", "Folding level: 1"},  // after a tab of 4
        {2, 9, "Line: 3, Col: 13", "Style: Identifier", "Folding level: 1"},
        {1, 0, "Line: 2, Col: 1", "Style: Operator", "Folding level: 0"},
    };
    for (const auto& c : cases) {
        view->Sci(SCI_GOTOPOS, WPARAM(view->Sci(SCI_POSITIONFROMLINE, WPARAM(c.line)) + c.column));
        EXPECT_EQ(TextOf(view, ID_INDICATOR_LINE), c.position);
        EXPECT_EQ(TextOf(view, ID_INDICATOR_STYLE), c.style) << c.position;
        EXPECT_EQ(TextOf(view, ID_INDICATOR_FOLD), c.fold) << c.position;
    }
    EXPECT_EQ(TextOf(view, ID_INDICATOR_OVR), "");
    view->SendMessage(WM_COMMAND, ID_TOGGLE_OVERTYPE);
    EXPECT_EQ(TextOf(view, ID_INDICATOR_OVR), "OVR");
    view->SendMessage(WM_COMMAND, ID_TOGGLE_OVERTYPE);
    EXPECT_EQ(TextOf(view, ID_INDICATOR_OVR), "");
}

TEST_F(ScriptViewCommandsTest, TheFramesStatusBarShowsThePanesOfTheActiveView)
{
    CTavrelinView* view = OpenScript("bar.d", "func void A()\r\n{\r\n\tvar int x;\r\n};\r\n");
    ASSERT_NE(view, nullptr);
    view->Sci(SCI_GOTOPOS, WPARAM(view->Sci(SCI_POSITIONFROMLINE, 2) + 1));
    view->SendMessage(WM_COMMAND, ID_TOGGLE_OVERTYPE);
    // What the idle update does, less its test that the (hidden) frame shows.
    frame->status.OnUpdateCmdUI(frame, TRUE);
    const struct {
        UINT id;
        const char* text;
    } expected[] = {{32843, "Line: 3, Col: 5"}, {32844, "Style: KeyWord"}, {32845, "Folding level: 1"},
                    {ID_INDICATOR_OVR, "OVR"}};
    for (const auto& pane : expected)
        EXPECT_STREQ(frame->status.GetPaneText(frame->status.CommandToIndex(pane.id)), pane.text) << pane.id;
}

TEST_F(ScriptViewCommandsTest, TheTitleIsMarkedWhileTheTextIsAwayFromItsSavePoint)
{
    CTavrelinView* view = OpenScript("mark.d", "var int a;\r\n");
    ASSERT_NE(view, nullptr);
    CDocument* doc = view->GetDocument();
    EXPECT_STREQ(doc->GetTitle(), "mark.d");
    ::PostMessageA(view->GetCtrl().m_hWnd, WM_CHAR, 'x', 0);
    Pump();
    EXPECT_STREQ(doc->GetTitle(), "mark.d *");
    EXPECT_TRUE(doc->IsModified());
    view->SendMessage(WM_COMMAND, ID_EDIT_UNDO);
    EXPECT_STREQ(doc->GetTitle(), "mark.d");
    EXPECT_FALSE(doc->IsModified());
    view->SendMessage(WM_COMMAND, ID_EDIT_REDO);
    ASSERT_TRUE(doc->OnSaveDocument(Path("mark.d").c_str()));
    EXPECT_STREQ(doc->GetTitle(), "mark.d");
    EXPECT_EQ(ReadFile(Path("mark.d")), "xvar int a;\r\n");
}

TEST_F(ScriptViewCommandsTest, GoingToALineMarksItAloneAndShowsItAlsoInsideAFold)
{
    std::string text = "func void A()\r\n{\r\n";
    for (int i = 0; i < 200; ++i)
        text += "\tx = " + std::to_string(i) + ";\r\n";
    text += "};\r\n";
    CTavrelinView* view = OpenScript("lines.d", text);
    ASSERT_NE(view, nullptr);
    view->GetParentFrame()->ShowWindow(SW_SHOW);
    view->Sci(SCI_FOLDLINE, 1, SC_FOLDACTION_CONTRACT);
    ASSERT_FALSE(view->Sci(SCI_GETLINEVISIBLE, 150));
    for (int line : {150, 20}) {
        view->GoToLine(line);
        EXPECT_TRUE(view->Sci(SCI_GETLINEVISIBLE, WPARAM(line)));
        EXPECT_EQ(view->GetCaretLine(), line);
        EXPECT_EQ(view->Sci(SCI_MARKERNEXT, 0, 1), line);  // marker 0, on that line only
        EXPECT_EQ(view->Sci(SCI_MARKERNEXT, WPARAM(line + 1), 1), -1);
    }
}

TEST_F(ScriptViewCommandsTest, TheWatchersMessageReloadsTheFile)
{
    CTavrelinView* view = OpenScript("watched.d", "var int a;\r\n");
    ASSERT_NE(view, nullptr);
    view->Sci(SCI_GOTOPOS, 0);
    view->Sci(SCI_REPLACESEL, 0, reinterpret_cast<LPARAM>("typed "));
    WriteFile(Path("watched.d"), "var int changed;\r\n");
    const std::string path = Path("watched.d");
    EXPECT_EQ(view->SendMessage(::RegisterWindowMessageA("FileWatchNotify"), 0, reinterpret_cast<LPARAM>(path.c_str())),
              0);
    EXPECT_EQ(view->GetLineText(0), "var int changed;\r\n");
    EXPECT_STREQ(view->GetDocument()->GetTitle(), "watched.d");
    EXPECT_FALSE(view->GetDocument()->IsModified());

    // A file gone by the time of the reload: the user hears of it, and the text typed since
    // stays marked as not saved.
    view->Sci(SCI_GOTOPOS, 0);
    view->Sci(SCI_REPLACESEL, 0, reinterpret_cast<LPARAM>("typed "));
    ASSERT_TRUE(::DeleteFileA(path.c_str()));
    view->SendMessage(::RegisterWindowMessageA("FileWatchNotify"), 0, reinterpret_cast<LPARAM>(path.c_str()));
    EXPECT_EQ(app.prompts.size(), 1u);
    EXPECT_EQ(view->GetLineText(0), "typed var int changed;\r\n");
    EXPECT_TRUE(view->GetDocument()->IsModified());
    EXPECT_STREQ(view->GetDocument()->GetTitle(), "watched.d *");
}

TEST_F(ScriptViewCommandsTest, TheViewStateComesBackFromTheProjectFileAlsoIntoAScrolledView)
{
    std::string text;
    for (int i = 0; i < 300; ++i)
        text += "var int value" + std::to_string(i) + "; // " + std::string(size_t(i % 7) * 30, 'x') + "\r\n";
    CTavrelinView* first = OpenScript("state.d", text);
    ASSERT_NE(first, nullptr);
    first->GetParentFrame()->ShowWindow(SW_SHOW);
    first->Sci(SCI_SETFIRSTVISIBLELINE, 120);
    first->Sci(SCI_SETXOFFSET, 40);
    const int from = int(first->Sci(SCI_POSITIONFROMLINE, 130)) + 4;
    first->Sci(SCI_SETSEL, WPARAM(from), from + 9);

    CMemFile file;
    {
        CArchive archive(&file, CArchive::store);
        CXTPPropExchangeArchive px(archive);
        first->ExchangeViewState(&px);
        archive.Close();
    }
    EXPECT_EQ(file.GetLength(), 5u * 4u);  // five 32-bit values, in order

    CTavrelinView* second = OpenScript("copy.d", text);
    ASSERT_NE(second, nullptr);
    second->GetParentFrame()->ShowWindow(SW_SHOW);
    second->Sci(SCI_SETFIRSTVISIBLELINE, 50);  // already scrolled: the stored line still wins
    file.SeekToBegin();
    {
        CArchive archive(&file, CArchive::load);
        CXTPPropExchangeArchive px(archive);
        second->ExchangeViewState(&px);
    }
    EXPECT_EQ(second->Sci(SCI_GETFIRSTVISIBLELINE), 120);
    EXPECT_EQ(second->Sci(SCI_GETXOFFSET), 40);
    EXPECT_EQ(second->Sci(SCI_GETSELECTIONSTART), from);
    EXPECT_EQ(second->Sci(SCI_GETSELECTIONEND), from + 9);
    EXPECT_EQ(second->Sci(SCI_GETCURRENTPOS), from + 9);
}

std::vector<std::string> Entries(HWND list)
{
    std::vector<std::string> entries;
    for (int i = 0; i < int(::SendMessageA(list, LB_GETCOUNT, 0, 0)); ++i) {
        char text[64] = {};
        ::SendMessageA(list, LB_GETTEXT, WPARAM(i), reinterpret_cast<LPARAM>(text));
        entries.push_back(text);
    }
    return entries;
}

TEST(FindHistory, ASearchGoesToTheTopOnceAndTheListKeepsSixteen)
{
    HWND list = ::CreateWindowExA(0, "LISTBOX", "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(list, nullptr);
    const struct {
        const char* text;
        std::vector<std::string> after;
    } steps[] = {
        {"hero", {"hero"}},
        {"self", {"self", "hero"}},
        {"hero", {"hero", "self"}},          // moved, not doubled
        {"Hero", {"Hero", "hero", "self"}},  // another case is another search
        {"", {"Hero", "hero", "self"}},      // nothing searched, nothing kept
        {"self", {"self", "Hero", "hero"}},
    };
    for (const auto& step : steps)
        EXPECT_EQ((CTavrelinView::KeepFindHistory(list, step.text), Entries(list)), step.after) << step.text;
    for (int i = 0; i < 20; ++i)
        CTavrelinView::KeepFindHistory(list, ("word" + std::to_string(i)).c_str());
    const std::vector<std::string> kept = Entries(list);
    ASSERT_EQ(kept.size(), 16u);
    EXPECT_EQ(kept.front(), "word19");
    EXPECT_EQ(kept.back(), "word4");
    ::DestroyWindow(list);
}

// The project side over a fixture project: its source list; compiles are counted.
struct FixtureProject : EditorProjectHost {
    std::vector<CString> entries;
    int compiles = 0;
    std::string testFile;  // the build settings' test file when the compile started
    std::vector<CString> GetSourceListEntries() override { return entries; }
    void StartCompile() override
    {
        ++compiles;
        testFile = zGetIdeServices()->GetSettings().TestFile;
    }
};

TEST_F(ScriptViewCommandsTest, TestingAScriptTakesTheSourceListEntryOfItsWholePathSavedFirst)
{
    zCHeadlessIde ide;
    ide.projectFolder = folder + "\\";
    FixtureProject project;
    project.entries = {"A.d", "b.d", "*.d"};
    zCIdeServices* const previous = zGetIdeServices();
    zSetIdeServices(&ide);
    SetEditorProjectHost(&project);

    const struct {
        const char* file;
        const char* entry;  // empty: not in the list
    } cases[] = {{"A.d", "A.d"}, {"BA.d", ""} /* holds "A.d" but is another file */, {"B.d", "b.d"}, {"C.d", ""}};
    for (const auto& c : cases) {
        CTavrelinView* view = OpenScript(c.file, "var int a;\r\n");
        ASSERT_NE(view, nullptr) << c.file;
        EXPECT_STREQ(view->FindTestEntry(), c.entry) << c.file;
        EXPECT_EQ(CommandStateOf(view, ID_TEST_SCRIPT).enabled, *c.entry != 0) << c.file;
    }

    CTavrelinView* view = OpenScript("A.d", "var int a;\r\n");
    ASSERT_NE(view, nullptr);
    ide.GetSettings().BuildJobThread = 1;  // a build runs
    EXPECT_FALSE(CommandStateOf(view, ID_TEST_SCRIPT).enabled);
    view->SendMessage(WM_COMMAND, ID_TEST_SCRIPT);
    EXPECT_EQ(project.compiles, 0);
    ide.GetSettings().BuildJobThread = 0;

    view->Sci(SCI_GOTOPOS, 0);
    view->Sci(SCI_REPLACESEL, 0, reinterpret_cast<LPARAM>("// "));
    view->SendMessage(WM_COMMAND, ID_TEST_SCRIPT);
    EXPECT_EQ(project.compiles, 1);
    EXPECT_EQ(project.testFile, "A.d");
    EXPECT_EQ(ide.GetSettings().TestScript, 1);
    EXPECT_EQ(ReadFile(Path("A.d")), "// var int a;\r\n");  // saved before the compile
    EXPECT_FALSE(view->GetDocument()->IsModified());

    SetEditorProjectHost(nullptr);
    zSetIdeServices(previous);
}

}  // namespace

namespace {

void CALLBACK CancelPageSetup(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = ActiveDialog();
    if (!dialog)
        return;
    ::KillTimer(nullptr, timer);
    ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

TEST_F(ScriptViewCommandsTest, ACancelledPageSetupChangesNoMargin)
{
    CTavrelinView* view = OpenScript("page.d", "var int a;\r\n");
    ASSERT_NE(view, nullptr);
    view->m_rMargin.SetRect(500, 600, 700, 800);
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, CancelPageSetup);
    view->SendMessage(WM_COMMAND, ID_FILE_PAGE_SETUP);
    ::KillTimer(nullptr, timer);
    EXPECT_EQ(view->m_rMargin, CRect(500, 600, 700, 800));
}

}  // namespace
