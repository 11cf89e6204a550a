// The test application: an MDI frame with a rebar and a status bar and two note windows; the
// bars keep their edges and the MDI client the rest, and the status bar's panes follow at idle.
#include <gtest/gtest.h>

#include "NotesApplication.h"

namespace {

CRect ChildRect(HWND child)
{
    CRect rect;
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

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
    void TearDown() override
    {
        app.CloseAllDocuments(TRUE);
        if (app.m_pMainWnd)
            app.m_pMainWnd->DestroyWindow();
        PumpAndIdle(app);
    }
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

}  // namespace
