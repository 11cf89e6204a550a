// The test application: an MDI frame with a rebar and a status bar and two note windows; the
// bars keep their edges and the MDI client the rest, and the status bar's panes follow at idle.
#include <gtest/gtest.h>

#include "NotesApplication.h"

namespace {

class ApplicationTest : public ::testing::Test {
protected:
    TestApp app;
    NotesMainFrame* frame = nullptr;

    void SetUp() override
    {
        frame = StartNotesApplication(app);
        ASSERT_NE(frame, nullptr);
        frame->SetWindowPos(nullptr, 0, 0, 700, 500, SWP_NOZORDER | SWP_SHOWWINDOW);
    }
    void TearDown() override { EndApplication(app); }
    CString Pane(int index) { return frame->m_wndStatusBar.GetPaneText(index); }
};

TEST_F(ApplicationTest, BarsKeepTheirEdgesAndTheMdiClientTakesTheRestAlsoAfterAResize)
{
    app.OnFileNew();
    app.OnFileNew();
    ASSERT_EQ(app.GetOpenDocumentCount(), 2);
    HWND client = frame->m_hWndMDIClient;
    ASSERT_EQ(::GetDlgCtrlID(client), AFX_IDW_PANE_FIRST);

    for (CSize size : {CSize(700, 500), CSize(520, 380), CSize(900, 640)}) {
        frame->SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOMOVE);
        CRect area;
        frame->GetClientRect(&area);
        const CRect rebar = ChildRect(frame->m_wndReBar.m_hWnd);
        const CRect status = ChildRect(frame->m_wndStatusBar.m_hWnd);
        SCOPED_TRACE(testing::Message() << size.cx << "x" << size.cy);
        EXPECT_EQ(rebar.TopLeft(), CPoint(0, 0));
        EXPECT_EQ(rebar.right, area.right);
        EXPECT_GT(rebar.Height(), 0);
        EXPECT_EQ(status.bottom, area.bottom);
        EXPECT_EQ(status.left, 0);
        EXPECT_EQ(status.right, area.right);
        EXPECT_GT(status.Height(), 0);
        EXPECT_EQ(ChildRect(client), CRect(0, rebar.bottom, area.right, status.top));
    }

    // A bar hidden gives its strip back to the client.
    frame->m_wndReBar.ShowWindow(SW_HIDE);
    EXPECT_EQ(ChildRect(client).top, 0);
    frame->m_wndReBar.ShowWindow(SW_SHOW);
    EXPECT_EQ(ChildRect(client).top, ChildRect(frame->m_wndReBar.m_hWnd).bottom);
}

TEST_F(ApplicationTest, StatusPanesFollowTheActiveDocumentAndThePromptsAtIdle)
{
    PumpAndIdle(app);
    EXPECT_STREQ(Pane(0), "Ready");
    EXPECT_STREQ(Pane(1), "");

    app.OnFileNew();
    app.OnFileNew();
    PumpAndIdle(app);
    EXPECT_STREQ(Pane(1), "Note2");

    frame->MDINext();
    PumpAndIdle(app);
    EXPECT_STREQ(Pane(1), "Note1");

    // A menu item's prompt, then the idle text again when the menu closes.
    frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_TEST_VIEW, MF_STRING), 1);
    EXPECT_STREQ(Pane(0), "Counts a command");
    frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_STREQ(Pane(0), "Ready");

    app.CloseAllDocuments(FALSE);
    PumpAndIdle(app);
    EXPECT_STREQ(Pane(1), "");
}

TEST_F(ApplicationTest, SavedFilesJoinTheRecentFileMenuAndOpenFromItAfterARestart)
{
    const char* const key = "Tavrelin frame tests";
    const CString keyPath = CString("Software\\") + key;
    ::RegDeleteTreeA(HKEY_CURRENT_USER, keyPath);
    app.SetRegistryKey(key);
    app.LoadStdProfileSettings(4);
    ScratchFolder scratch;

    app.OnFileNew();
    NoteDoc* doc = static_cast<NoteDoc*>(frame->GetActiveDocument());
    ASSERT_NE(doc, nullptr);
    doc->m_text = "The bridge is out";
    ASSERT_TRUE(doc->DoSave(scratch.Path("bridge.note").c_str()));
    app.CloseAllDocuments(FALSE);

    HMENU file = ::GetSubMenu(::GetMenu(frame->m_hWnd), 0);
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);
    char text[MAX_PATH] = {};
    ::GetMenuStringA(file, ID_FILE_MRU_FILE1, text, sizeof(text), MF_BYCOMMAND);
    EXPECT_NE(std::string(text).find("bridge.note"), std::string::npos) << text;
    EXPECT_EQ(std::string(text).rfind("&1 ", 0), 0u) << text;
    EXPECT_FALSE(::GetMenuState(file, ID_FILE_MRU_FILE1, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(::GetMenuState(file, ID_APP_EXIT, MF_BYCOMMAND) & MF_GRAYED);  // the walk went on past the list

    // The list goes to the registry and comes back with the next start.
    app.SaveStdProfileSettings();
    app.LoadStdProfileSettings(4);
    frame->SendMessage(WM_COMMAND, ID_FILE_MRU_FILE1);
    ASSERT_EQ(app.GetOpenDocumentCount(), 1);
    EXPECT_STREQ(static_cast<NoteDoc*>(frame->GetActiveDocument())->m_text, "The bridge is out");
    app.CloseAllDocuments(FALSE);
    ::RegDeleteTreeA(HKEY_CURRENT_USER, keyPath);
}

}  // namespace
