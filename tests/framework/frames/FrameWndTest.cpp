// Frame windows on their own: loading from resources, the bar layout at once and at idle,
// prompts in the message bar, print preview, views made from a context, and mini frames.
#include <gtest/gtest.h>

#include "CCtrlView.h"
#include "CMiniFrameWnd.h"
#include "FrameFixture.h"
#include "ResourceIds.h"

namespace {

// A bar of fixed height at the top or bottom; it may ask the frame for a layout while in one.
class EdgeBar : public CWnd {
public:
    int height = 10;
    bool bottom = false;
    int asked = 0;
    CFrameWnd* reenter = nullptr;

    LRESULT OnSizeParent(WPARAM, LPARAM lParam)
    {
        ++asked;
        if (reenter)
            reenter->RecalcLayout();
        AFX_SIZEPARENTPARAMS* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
        CRect rect = layout->rect;
        if (bottom) {
            rect.top = rect.bottom - height;
            layout->rect.bottom -= height;
        } else {
            rect.bottom = rect.top + height;
            layout->rect.top += height;
        }
        AfxRepositionWindow(layout, m_hWnd, &rect);
        return 0;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(EdgeBar, CWnd)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

class SdiFrame : public CFrameWnd {
public:
    void OnTestMain() { g_handled.push_back("main"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(SdiFrame, CFrameWnd)
    ON_COMMAND(ID_TEST_MAIN, OnTestMain)
END_MESSAGE_MAP()

// A list box as a view: the control's class, which paints itself.
class ListView : public CCtrlView {
    DECLARE_DYNCREATE(ListView)

public:
    ListView() : CCtrlView("LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT) {}
};
IMPLEMENT_DYNCREATE(ListView, CCtrlView)

// A mini frame that notes what its frame tells it.
class FloatRecorder : public CMiniFrameWnd {
public:
    std::vector<WPARAM> told;
    LRESULT OnFloatStatusRecorded(WPARAM wParam, LPARAM lParam)
    {
        told.push_back(wParam);
        return OnFloatStatus(wParam, lParam);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(FloatRecorder, CMiniFrameWnd)
    ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatusRecorded)
END_MESSAGE_MAP()

CRect ClientOf(CWnd* wnd)
{
    CRect rect;
    wnd->GetClientRect(&rect);
    return rect;
}

class FrameWndTest : public ::testing::Test {
protected:
    TestApp app;
    void SetUp() override { g_handled.clear(); }
    void TearDown() override { EndApplication(app); }
    SdiFrame* NewFrame()
    {
        SdiFrame* frame = new SdiFrame;
        if (!frame->LoadFrame(IDR_TEST_FRAME))
            return nullptr;
        app.m_pMainWnd = frame;
        frame->SetWindowPos(nullptr, 0, 0, 500, 400, SWP_NOZORDER | SWP_SHOWWINDOW);
        return frame;
    }
};

TEST_F(FrameWndTest, LoadFrameTakesTitleMenuAndKeysFromTheResource)
{
    SdiFrame* frame = NewFrame();
    ASSERT_NE(frame, nullptr);
    CString title;
    frame->GetWindowText(title);
    EXPECT_STREQ(title, "Frame Test");
    EXPECT_STREQ(frame->GetTitle(), "Frame Test");
    ASSERT_NE(::GetMenu(frame->m_hWnd), nullptr);
    EXPECT_EQ(::GetMenuItemCount(::GetMenu(frame->m_hWnd)), 2);
    ASSERT_NE(frame->m_hAccelTable, nullptr);

    MSG key{};
    key.hwnd = frame->m_hWnd;
    key.message = WM_KEYDOWN;
    key.wParam = VK_F7;
    EXPECT_TRUE(app.PreTranslateMessage(&key));
    key.wParam = VK_F9;
    EXPECT_FALSE(app.PreTranslateMessage(&key));
    EXPECT_EQ(g_handled, std::vector<std::string>{"main"});

    // A resource id with nothing behind it still makes a frame, without menu or keys.
    CFrameWnd* bare = new CFrameWnd;
    ASSERT_TRUE(bare->LoadFrame(999, WS_OVERLAPPEDWINDOW));
    EXPECT_EQ(::GetMenu(bare->m_hWnd), nullptr);
    EXPECT_EQ(bare->m_hAccelTable, nullptr);
    bare->DestroyWindow();
}

TEST_F(FrameWndTest, BarsTakeTheirEdgesAndTheClientTheRestAlsoAfterAResize)
{
    SdiFrame* frame = NewFrame();
    ASSERT_NE(frame, nullptr);
    EdgeBar top, bottom;
    top.height = 24;
    bottom.height = 18;
    bottom.bottom = true;
    ASSERT_TRUE(top.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), frame, AFX_IDW_TOOLBAR));
    ASSERT_TRUE(bottom.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), frame, AFX_IDW_STATUS_BAR));
    // A view with a client edge fills the rest exactly.
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(ListView);
    CWnd* client = frame->CreateView(&context);
    ASSERT_NE(client, nullptr);

    for (CSize size : {CSize(520, 420), CSize(320, 260)}) {
        frame->SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOMOVE);
        const CRect area = ClientOf(frame);
        EXPECT_EQ(ChildRect(top.m_hWnd), CRect(0, 0, area.right, 24));
        EXPECT_EQ(ChildRect(bottom.m_hWnd), CRect(0, area.bottom - 18, area.right, area.bottom));
        EXPECT_EQ(ChildRect(client->m_hWnd), CRect(0, 24, area.right, area.bottom - 18));
    }

    // A bar asking for a layout during one does not start another.
    top.asked = 0;
    top.reenter = frame;
    frame->RecalcLayout();
    EXPECT_EQ(top.asked, 1);
    EXPECT_FALSE(frame->m_bInRecalcLayout);
    top.reenter = nullptr;

    // A delayed layout waits for the idle update.
    top.height = 40;
    frame->DelayRecalcLayout();
    EXPECT_EQ(frame->m_nIdleFlags & CFrameWnd::idleLayout, static_cast<UINT>(CFrameWnd::idleLayout));
    EXPECT_EQ(ChildRect(client->m_hWnd).top, 24);
    PumpAndIdle(app);
    EXPECT_EQ(frame->m_nIdleFlags, 0u);
    EXPECT_EQ(ChildRect(top.m_hWnd).bottom, 40);
    EXPECT_EQ(ChildRect(client->m_hWnd).top, 40);

    top.DestroyWindow();
    bottom.DestroyWindow();
}

TEST_F(FrameWndTest, PromptsAndTheIdleTextGoToTheMessageBar)
{
    SdiFrame* frame = NewFrame();
    ASSERT_NE(frame, nullptr);
    CWnd bar;
    ASSERT_TRUE(bar.Create("STATIC", "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 20), frame, AFX_IDW_STATUS_BAR));
    auto shown = [&] {
        CString text;
        bar.GetWindowText(text);
        return std::string(text);
    };
    PumpAndIdle(app);
    EXPECT_EQ(shown(), "Ready");  // posted when the frame was made

    struct Case {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        const char* text;
    };
    const Case cases[] = {
        {WM_SETMESSAGESTRING, ID_TEST_VIEW, 0, "Counts a command"},  // the part before '\n'
        {WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>("Building..."), "Building..."},
        {WM_POPMESSAGESTRING, AFX_IDS_IDLEMESSAGE, 0, "Ready"},
        {WM_MENUSELECT, MAKEWPARAM(ID_TEST_VIEW, MF_STRING), 1, "Counts a command"},
        {WM_MENUSELECT, MAKEWPARAM(0, MF_POPUP), 1, ""},
        {WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0, "Ready"},  // the menu closed
        {WM_SETMESSAGESTRING, 12345, 0, ""},                 // a command without a string
    };
    for (const Case& c : cases) {
        frame->SendMessage(c.message, c.wParam, c.lParam);
        EXPECT_EQ(shown(), c.text) << c.message << " " << c.wParam;
    }
    EXPECT_EQ(frame->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE), 12345);  // the previous id

    frame->SetMessageText("direct");
    EXPECT_EQ(shown(), "direct");
    bar.DestroyWindow();
    frame->SetMessageText("no bar, no harm");
}

TEST_F(FrameWndTest, PreviewModeTakesMenuKeysAndBarsAwayAndGivesThemBack)
{
    SdiFrame* frame = NewFrame();
    ASSERT_NE(frame, nullptr);
    EdgeBar shown, hidden;
    ASSERT_TRUE(shown.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), frame, AFX_IDW_TOOLBAR));
    ASSERT_TRUE(hidden.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 1, 1), frame, AFX_IDW_STATUS_BAR));
    HMENU menu = ::GetMenu(frame->m_hWnd);
    HACCEL keys = frame->m_hAccelTable;

    CPrintPreviewState state;
    frame->OnSetPreviewMode(TRUE, &state);
    EXPECT_TRUE(frame->IsInPreviewMode());
    EXPECT_EQ(::GetMenu(frame->m_hWnd), nullptr);
    EXPECT_EQ(frame->m_hAccelTable, nullptr);
    EXPECT_FALSE(shown.IsWindowVisible());

    frame->OnSetPreviewMode(FALSE, &state);
    EXPECT_FALSE(frame->IsInPreviewMode());
    EXPECT_EQ(::GetMenu(frame->m_hWnd), menu);
    EXPECT_EQ(frame->m_hAccelTable, keys);
    EXPECT_TRUE(shown.IsWindowVisible());
    EXPECT_FALSE(hidden.IsWindowVisible());  // it was hidden before
    shown.DestroyWindow();
    hidden.DestroyWindow();
}

TEST_F(FrameWndTest, AFrameMadeFromAContextHasItsViewAsActiveClient)
{
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(ListView);
    CFrameWnd* frame = new CFrameWnd;
    ASSERT_TRUE(frame->LoadFrame(IDR_TEST_FRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context));
    app.m_pMainWnd = frame;
    CWnd* pane = CWnd::FromHandlePermanent(::GetDlgItem(frame->m_hWnd, AFX_IDW_PANE_FIRST));
    ASSERT_NE(pane, nullptr);
    ASSERT_TRUE(pane->IsKindOf(RUNTIME_CLASS(ListView)));
    char className[32] = {};
    ::GetClassNameA(pane->m_hWnd, className, sizeof(className));
    EXPECT_STREQ(className, "ListBox");
    EXPECT_TRUE(pane->GetExStyle() & WS_EX_CLIENTEDGE);  // the border, drawn inside

    frame->InitialUpdateFrame(nullptr, TRUE);
    EXPECT_EQ(frame->GetActiveView(), pane);
    EXPECT_TRUE(frame->IsWindowVisible());
    EXPECT_EQ(frame->GetActiveDocument(), nullptr);
    pane->DestroyWindow();  // the frame forgets its active view with it
    EXPECT_EQ(frame->GetActiveView(), nullptr);
}

TEST_F(FrameWndTest, DocumentsWhoseFrameCannotBeMadeAreRefusedAndTold)
{
    ASSERT_NE(NewFrame(), nullptr);  // not an MDI frame: child frames have nowhere to live
    CRuntimeClass* frames[] = {RUNTIME_CLASS(NoteFrame), RUNTIME_CLASS(NoteView)};
    for (CRuntimeClass* frameClass : frames) {
        CMultiDocTemplate* notes =
            new CMultiDocTemplate(IDR_NOTETYPE, RUNTIME_CLASS(NoteDoc), frameClass, RUNTIME_CLASS(NoteView));
        app.AddDocTemplate(notes);
        app.prompts.clear();
        EXPECT_EQ(notes->OpenDocumentFile(nullptr), nullptr) << frameClass->m_lpszClassName;
        EXPECT_EQ(app.prompts, std::vector<std::string>{"A new document could not be created."});
        EXPECT_EQ(app.GetOpenDocumentCount(), 0);
    }
}

TEST_F(FrameWndTest, MiniFramesFloatAsToolWindowsAndFollowTheirFrame)
{
    SdiFrame* frame = NewFrame();
    ASSERT_NE(frame, nullptr);
    CMiniFrameWnd* synced = new CMiniFrameWnd;
    const DWORD style = WS_VISIBLE | WS_CAPTION | WS_SYSMENU | MFS_SYNCACTIVE | MFS_THICKFRAME;
    ASSERT_TRUE(synced->Create(nullptr, "Panes", style, CRect(50, 50, 250, 200), frame));
    FloatRecorder* plain = new FloatRecorder;
    ASSERT_TRUE(plain->Create(nullptr, "Other", WS_CAPTION, CRect(60, 60, 200, 160), frame));
    EXPECT_TRUE(synced->GetExStyle() & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(synced->GetStyle() & WS_THICKFRAME);
    EXPECT_TRUE(synced->GetStyle() & WS_POPUP);
    EXPECT_EQ(::GetWindow(synced->m_hWnd, GW_OWNER), frame->m_hWnd);

    EXPECT_EQ(synced->SendMessage(WM_FLOATSTATUS, FS_SYNCACTIVE), 1);
    EXPECT_EQ(plain->SendMessage(WM_FLOATSTATUS, FS_SYNCACTIVE), 0);

    // They follow the application's activation, not each other's.
    plain->told.clear();
    frame->SendMessage(WM_ACTIVATEAPP, FALSE);
    frame->SendMessage(WM_ACTIVATEAPP, TRUE);
    EXPECT_EQ(plain->told, (std::vector<WPARAM>{FS_DEACTIVATE, FS_ACTIVATE}));

    // A modal dialog disabling the frame takes its floating windows with it.
    frame->EnableWindow(FALSE);
    EXPECT_FALSE(synced->IsWindowEnabled());
    EXPECT_FALSE(plain->IsWindowEnabled());
    frame->EnableWindow(TRUE);
    EXPECT_TRUE(synced->IsWindowEnabled());

    // A floating frame beside the main window has its delayed layout at idle too.
    synced->DelayRecalcLayout();
    PumpAndIdle(app);
    EXPECT_EQ(synced->m_nIdleFlags, 0u);

    HWND miniWnd = synced->m_hWnd;
    synced->SendMessage(WM_CLOSE);  // a mini frame without a document just closes
    EXPECT_FALSE(::IsWindow(miniWnd));
    plain->DestroyWindow();
}

}  // namespace
