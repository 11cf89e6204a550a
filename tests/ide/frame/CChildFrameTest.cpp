// The script frame's tab colour (the cycle, foreign files, the pop-up commands), its window, and
// the operations over all open documents, over a fixture project.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CArchive.h"
#include "CChildFrame.h"
#include "CDocument.h"
#include "CMemFile.h"
#include "CXTPPropExchangeArchive.h"
#include "DocumentsState.h"
#include "EditorProjectHost.h"
#include "EditorSettings.h"
#include "IdeServices.h"
#include "OpenDocuments.h"
#include "Scintilla.h"
#include "SettingsFixture.h"
#include "UiTestProbes.h"

namespace {

// The project side over a fixture project: its source list.
struct FixtureProject : EditorProjectHost {
    std::vector<CString> entries;
    std::vector<CString> GetSourceListEntries() override { return entries; }
    void StartCompile() override {}
};

constexpr DWORD kBlue = kTabColorFirst, kYellow = kTabColorFirst + 1, kGreen = kTabColorFirst + 2,
                kRed = kTabColorFirst + 3, kPurple = kTabColorFirst + 4, kCyan = kTabColorFirst + 5,
                kOrange = kTabColorFirst + 6, kMagenta = kTabColorFirst + 7;

class ChildFrameTest : public SettingsAppTest {
protected:
    zCHeadlessIde ide;
    FixtureProject project;
    zCIdeServices* previous = nullptr;
    std::string folder;

    void SetUp() override
    {
        SettingsAppTest::SetUp();
        char temp[MAX_PATH] = {};
        ::GetTempPathA(MAX_PATH, temp);
        folder = std::string(temp) + "tavrelin-frames-" + std::to_string(::GetCurrentProcessId());
        ::CreateDirectoryA(folder.c_str(), nullptr);
        ide.projectFolder = folder + "\\";
        previous = zGetIdeServices();
        zSetIdeServices(&ide);
        SetEditorProjectHost(&project);
        for (int i = 0; i < 10; ++i)
            project.entries.push_back(CString(std::to_string(i).c_str()) + ".d");
    }
    void TearDown() override
    {
        SettingsAppTest::TearDown();
        SetEditorProjectHost(nullptr);
        zSetIdeServices(previous);
        g_tabColors = TabColors();
        for (const std::string& name : written)
            ::DeleteFileA(Path(name).c_str());
        ::RemoveDirectoryA(folder.c_str());
    }
    std::string Path(const std::string& name) const { return folder + "\\" + name; }
    // Opens a file of the folder (written first); its frame.
    CChildFrame* Open(const std::string& name, const std::string& text = "var int a;\r\n")
    {
        HANDLE file = ::CreateFileA(Path(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD done = 0;
        ::WriteFile(file, text.data(), DWORD(text.size()), &done, nullptr);
        ::CloseHandle(file);
        written.push_back(name);
        CDocument* doc = app.OpenDocumentFile(Path(name).c_str());
        if (!doc)
            return nullptr;
        POSITION v = doc->GetFirstViewPosition();
        return dynamic_cast<CChildFrame*>(doc->GetNextView(v)->GetParentFrame());
    }
    std::string ReadBack(const std::string& name)
    {
        HANDLE file = ::CreateFileA(Path(name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        char bytes[256] = {};
        DWORD done = 0;
        ::ReadFile(file, bytes, sizeof bytes - 1, &done, nullptr);
        ::CloseHandle(file);
        return std::string(bytes, done);
    }

private:
    std::vector<std::string> written;
};

TEST_F(ChildFrameTest, CyclingFramesTakeTheNextColourAndAProjectFileLeavesTheForeignOne)
{
    // The first frame loads the settings; then colours cycle (the foreign colour stays red).
    ASSERT_NE(Open("outside.d"), nullptr);
    g_tabColors.cycle = 1;
    // The cycle may stand anywhere after the other tests: go on to its start.
    int opened = 0;
    CChildFrame* frame = nullptr;
    do {
        frame = Open(std::to_string(opened++) + ".d");
        ASSERT_NE(frame, nullptr);
    } while (frame->GetTabColor() != kBlue && opened < 8);
    ASSERT_EQ(frame->GetTabColor(), kBlue);
    // Red is taken by the fourth frame, which shows purple once activated; the next skips purple.
    const DWORD shown[] = {kYellow, kGreen, kPurple, kCyan, kOrange, kMagenta, kBlue};
    for (DWORD color : shown) {
        const std::string name = std::to_string(opened++ % 10) + ".d";
        CloseOpenDocument(Path(name).c_str());  // each file anew in a new frame (the list holds ten)
        frame = Open(name);
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(frame->GetTabColor(), color) << name;
        EXPECT_EQ(DWORD(frame->SendMessage(kMsgGetTabColor)), color);
    }
}

TEST_F(ChildFrameTest, AForeignFileKeepsTheForeignColourAndTheMenuOffersNoOther)
{
    CChildFrame* foreign = Open("outside.d");
    CChildFrame* own = Open("1.d");
    ASSERT_TRUE(foreign && own);
    EXPECT_EQ(own->GetTabColor(), kTabColorNone);  // the default colour, not cycling
    foreign->ActivateFrame();
    EXPECT_EQ(foreign->GetTabColor(), kRed);

    const struct {
        UINT id;
        BOOL foreignEnabled, ownEnabled;
        int foreignChecked, ownChecked;
    } items[] = {
        {ID_TAB_COLOR_FIRST, FALSE, TRUE, 0, 0},      // blue
        {ID_TAB_COLOR_FIRST + 3, TRUE, FALSE, 1, 0},  // red, the foreign colour
        {ID_TAB_COLOR_LAST, FALSE, TRUE, 0, 0},       // magenta
        {ID_TAB_COLOR_NONE, FALSE, TRUE, 0, 1},
    };
    for (const auto& item : items) {
        const CommandStateProbe f = CommandStateOf(foreign, item.id), o = CommandStateOf(own, item.id);
        EXPECT_EQ(f.enabled, item.foreignEnabled) << item.id;
        EXPECT_EQ(f.checked, item.foreignChecked) << item.id;
        EXPECT_EQ(o.enabled, item.ownEnabled) << item.id;
        EXPECT_EQ(o.checked, item.ownChecked) << item.id;
    }
    own->SendMessage(WM_COMMAND, ID_TAB_COLOR_FIRST + 1);
    EXPECT_EQ(own->GetTabColor(), kYellow);
    EXPECT_EQ(CommandStateOf(own, ID_TAB_COLOR_FIRST + 1).checked, 1);
    own->SendMessage(WM_COMMAND, ID_TAB_COLOR_NONE);
    EXPECT_EQ(own->GetTabColor(), kTabColorNone);

    // A new foreign colour reaches every frame at once; a project file that had it moves on.
    own->SendMessage(WM_COMMAND, ID_TAB_COLOR_FIRST + 2);  // green
    g_tabColors.foreign = kGreen;
    ApplyTabColorsToAll();
    EXPECT_EQ(foreign->GetTabColor(), kGreen);
    EXPECT_EQ(own->GetTabColor(), kTabColorNone);  // not cycling: the default colour
    own->SetTabColor(kGreen);
    g_tabColors.cycle = 1;
    ApplyTabColorsToAll();
    EXPECT_EQ(own->GetTabColor(), kRed);  // the colour after the foreign one
}

TEST_F(ChildFrameTest, TheTabMenuShowsTheFramesColourChecked)
{
    CChildFrame* foreign = Open("outside.d");
    CChildFrame* own = Open("1.d");
    ASSERT_TRUE(foreign && own);
    foreign->ActivateFrame();
    own->SetTabColor(kCyan);
    HMENU menu = ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(172));
    ASSERT_NE(menu, nullptr);
    HMENU popup = ::GetSubMenu(menu, 0);
    HMENU colors = ::GetSubMenu(popup, 0);
    ASSERT_NE(colors, nullptr);
    // The menu's items as a frame's update handlers leave them: "c" checked, "g" grayed.
    const auto states = [&](CChildFrame* frame) {
        frame->SendMessage(WM_INITMENUPOPUP, WPARAM(colors), 0);
        frame->SendMessage(WM_INITMENUPOPUP, WPARAM(popup), 0);
        std::string marks;
        for (UINT id = ID_TAB_COLOR_FIRST; id <= ID_TAB_COLOR_NONE; ++id) {
            const UINT state = ::GetMenuState(menu, id, MF_BYCOMMAND);
            marks += state & MF_CHECKED ? 'c' : state & MF_GRAYED ? 'g' : '-';
        }
        return marks;
    };
    EXPECT_EQ(states(foreign), "gggcggggg");  // blue .. magenta, none
    EXPECT_EQ(states(own), "---g-c---");
    EXPECT_NE(::GetMenuState(menu, ID_TAB_COLOR_OPTIONS, MF_BYCOMMAND), UINT(-1));
    ::DestroyMenu(menu);
}

// The tab-colour dialog as the Options command showed it; its answer.
struct TabDialogSeen {
    bool cycleTicked = true;
    int defaultTicked = -1, foreignTicked = -1;  // the ticked button's id
    bool confirm = false;
};
TabDialogSeen g_tabDialog;

int TickedIn(HWND dialog, std::initializer_list<int> ids)
{
    for (int id : ids)
        if (::IsDlgButtonChecked(dialog, id) == BST_CHECKED)
            return id;
    return -1;
}

void CALLBACK AnswerTabDialog(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = ::GetLastActivePopup(::GetActiveWindow());
    char title[64] = {};
    if (!dialog || !::GetWindowTextA(dialog, title, sizeof title) || std::string(title) != "Set Tab colors")
        return;
    ::KillTimer(nullptr, timer);
    g_tabDialog.cycleTicked = ::IsDlgButtonChecked(dialog, 1041) == BST_CHECKED;
    g_tabDialog.defaultTicked = TickedIn(dialog, {1058, 1059, 1060, 1061, 1062, 1063, 1064, 1065, 1066});
    g_tabDialog.foreignTicked = TickedIn(dialog, {1038, 1071, 1072, 1073, 1074, 1075, 1076, 1077});
    if (g_tabDialog.confirm) {
        // Cycling on, purple for foreign files (a click moves the group's tick).
        ::SendDlgItemMessageA(dialog, 1041, BM_SETCHECK, BST_CHECKED, 0);
        ::SendDlgItemMessageA(dialog, 1073, BM_SETCHECK, BST_UNCHECKED, 0);
        ::SendDlgItemMessageA(dialog, 1074, BM_SETCHECK, BST_CHECKED, 0);
        Click(dialog, IDOK);
    } else {
        Click(dialog, IDCANCEL);
    }
}

TEST_F(ChildFrameTest, TheOptionsShowTheTabColoursAndOnOkStoreThemAndRecolourEveryFrame)
{
    CChildFrame* foreign = Open("outside.d");
    CChildFrame* own = Open("1.d");
    ASSERT_TRUE(foreign && own);
    own->SetTabColor(kPurple);
    for (bool confirm : {false, true}) {
        g_tabDialog = TabDialogSeen();
        g_tabDialog.confirm = confirm;
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 10, AnswerTabDialog);
        own->SendMessage(WM_COMMAND, ID_TAB_COLOR_OPTIONS);
        ::KillTimer(nullptr, timer);
        EXPECT_FALSE(g_tabDialog.cycleTicked);
        EXPECT_EQ(g_tabDialog.defaultTicked, 1066);  // none
        EXPECT_EQ(g_tabDialog.foreignTicked, 1073);  // red
    }
    EXPECT_EQ(g_tabColors.cycle, 1);
    EXPECT_EQ(g_tabColors.foreign, kPurple);
    EXPECT_EQ(Stored("Tab Colors", "Foreign Color"), int(kPurple));
    EXPECT_EQ(Stored("Tab Colors", "Cycle Color"), 1);
    EXPECT_EQ(foreign->GetTabColor(), kPurple);
    EXPECT_EQ(own->GetTabColor(), kCyan);  // it had the new foreign colour
}

TEST_F(ChildFrameTest, TheFrameCannotBeMovedOrSizedAndItsViewHasNoSunkenEdge)
{
    CChildFrame* frame = Open("1.d");
    ASSERT_NE(frame, nullptr);
    HMENU system = ::GetSystemMenu(frame->m_hWnd, FALSE);
    ASSERT_NE(system, nullptr);
    for (UINT command : {SC_RESTORE, SC_MINIMIZE, SC_MAXIMIZE, SC_MOVE, SC_SIZE})
        EXPECT_EQ(::GetMenuState(system, command, MF_BYCOMMAND), UINT(-1)) << command;
    EXPECT_NE(::GetMenuState(system, SC_CLOSE, MF_BYCOMMAND), UINT(-1));
    CView* view = frame->GetActiveView();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
    EXPECT_FALSE(::GetWindowLongA(view->m_hWnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
}

CDocument* DocumentOf(CChildFrame* frame) { return frame->GetActiveDocument(); }

TEST_F(ChildFrameTest, OpenDocumentsAreSavedRenamedAndClosedByTheirExactPaths)
{
    CChildFrame* a = Open("1.d", "a\r\n");
    CChildFrame* b = Open("2.d", "b\r\n");
    ASSERT_TRUE(a && b);
    CTavrelinView* view = dynamic_cast<CTavrelinView*>(b->GetActiveView());
    ASSERT_NE(view, nullptr);
    view->Sci(SCI_DOCUMENTEND);
    view->Sci(SCI_REPLACESEL, 0, reinterpret_cast<LPARAM>("typed"));
    SaveModifiedDocuments();
    EXPECT_EQ(ReadBack("2.d"), "b\r\ntyped");
    EXPECT_EQ(ReadBack("1.d"), "a\r\n");
    EXPECT_FALSE(DocumentOf(b)->IsModified());

    const std::string one = Path("1.d"), other = Path("9.d");
    std::string upper = one;
    upper.back() = 'D';
    RenameOpenDocument(upper.c_str(), other.c_str());  // another spelling names no document
    EXPECT_STREQ(DocumentOf(a)->GetPathName(), one.c_str());
    RenameOpenDocument(one.c_str(), other.c_str());
    EXPECT_STREQ(DocumentOf(a)->GetPathName(), other.c_str());

    CloseOpenDocument(one.c_str());  // its old name: nothing closes
    int open = 0;
    ForEachOpenDocument([&](CDocument*) { ++open; });
    EXPECT_EQ(open, 2);
    CloseOpenDocument(other.c_str());
    open = 0;
    ForEachOpenDocument([&](CDocument* doc) {
        ++open;
        EXPECT_STREQ(doc->GetPathName(), Path("2.d").c_str());
    });
    EXPECT_EQ(open, 1);
}

// The "Documents" section written to an archive, or read back from it.
void ExchangeDocuments(CMemFile& file, bool loading)
{
    file.SeekToBegin();
    CArchive archive(&file, loading ? CArchive::load : CArchive::store);
    CXTPPropExchangeArchive px(archive);
    ExchangeDocumentsState(&px);
    if (!loading)
        archive.Close();
}

TEST_F(ChildFrameTest, TheDocumentsSectionReopensTheFilesWithTheirColoursTheActiveOneAndTheirViews)
{
    std::string lines;
    for (int i = 0; i < 200; ++i)
        lines += "var int v" + std::to_string(i) + ";\r\n";
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const std::string outside = std::string(temp) + "tavrelin-outside-" + std::to_string(::GetCurrentProcessId()) + ".d";
    {
        HANDLE file = ::CreateFileA(outside.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ::CloseHandle(file);
    }
    CChildFrame* first = Open("1.d", lines);
    CChildFrame* second = Open("2.d", lines);
    ASSERT_TRUE(first && second && app.OpenDocumentFile(outside.c_str()));
    first->SetTabColor(kGreen);
    second->SetTabColor(kOrange);
    auto* view = dynamic_cast<CTavrelinView*>(second->GetActiveView());
    ASSERT_NE(view, nullptr);
    second->ShowWindow(SW_SHOW);
    view->Sci(SCI_SETSEL, 700, 710);
    view->Sci(SCI_SETFIRSTVISIBLELINE, 60);  // the selection scrolled out of sight
    second->ActivateFrame();
    second->SetTabColor(kOrange);  // as the user chose it

    CMemFile file;
    ExchangeDocuments(file, false);
    // Files of the project folder are kept relative to it, others whole.
    {
        file.SeekToBegin();
        CArchive archive(&file, CArchive::load);
        CXTPPropExchangeArchive px(archive);
        CString names[4];
        long colors[3] = {};
        BOOL active = FALSE;
        for (int i = 0; i < 3; ++i) {
            PX_String(&px, "OpenFile", names[i]);
            PX_LongDefault(&px, "TabColor", colors[i], 0);
        }
        PX_String(&px, "OpenFile", names[3]);
        EXPECT_STREQ(names[0], "1.d");
        EXPECT_STREQ(names[1], "2.d");
        EXPECT_STREQ(names[2], outside.c_str());
        EXPECT_STREQ(names[3], "");
        EXPECT_EQ(colors[0], long(kGreen));
        EXPECT_EQ(colors[1], long(kOrange));
        PX_Bool(&px, "ActiveFile", active, FALSE);
        CString activeName;
        PX_String(&px, "OpenFile", activeName);
        EXPECT_TRUE(active);
        EXPECT_STREQ(activeName, "2.d");
    }

    // Read back twice: all files, then with the first one gone (skipped, the rest in step).
    for (bool firstGone : {false, true}) {
        SCOPED_TRACE(firstGone);
        app.CloseAllDocuments(TRUE);
        if (firstGone)
            ::DeleteFileA(Path("1.d").c_str());
        ExchangeDocuments(file, true);
        std::vector<std::string> opened;
        ForEachOpenDocument([&](CDocument* doc) { opened.push_back(static_cast<const char*>(doc->GetPathName())); });
        std::vector<std::string> expected = {Path("1.d"), Path("2.d"), outside};
        if (firstGone)
            expected.erase(expected.begin());
        EXPECT_EQ(opened, expected);
        auto* main = static_cast<CMDIFrameWnd*>(app.m_pMainWnd);
        auto* active = dynamic_cast<CChildFrame*>(main->GetActiveFrame());
        ASSERT_NE(active, nullptr);
        EXPECT_STREQ(active->GetActiveDocument()->GetPathName(), Path("2.d").c_str());
        EXPECT_EQ(active->GetTabColor(), kOrange);
        auto* reopened = dynamic_cast<CTavrelinView*>(active->GetActiveView());
        ASSERT_NE(reopened, nullptr);
        EXPECT_EQ(reopened->Sci(SCI_GETFIRSTVISIBLELINE), 60);
        EXPECT_EQ(reopened->Sci(SCI_GETSELECTIONSTART), 700);
        EXPECT_EQ(reopened->Sci(SCI_GETSELECTIONEND), 710);
    }
    app.CloseAllDocuments(TRUE);
    ::DeleteFileA(outside.c_str());
}

}  // namespace
