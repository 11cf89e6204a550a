// Windows and message maps: commands and ranges, update handlers at idle time, notifications and
// their reflection, registered messages, handle maps, subclassing and the end of a window.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>

#include "CDC.h"
#include "CWinApp.h"
#include "CWnd.h"

namespace {

enum : UINT {
    ID_OPEN = 100,
    ID_SAVE = 101,       // its update handler disables it
    ID_NO_HANDLER = 102,
    ID_RANGE_FIRST = 110,
    ID_RANGE_LAST = 114,
    ID_CHILD = 200,
    WM_TEST_PRIVATE = WM_APP + 5,
};

UINT g_registeredMessage = ::RegisterWindowMessageA("TavrelinTestRegistered");

// A child that takes some of its own notifications (reflection) and passes one on.
class ReflectingChild : public CWnd {
public:
    std::map<UINT, int> seen;

    void OnClickReflect(NMHDR*, LRESULT* result)
    {
        ++seen[NM_CLICK];
        *result = 7;
    }
    BOOL OnDblClkReflect(NMHDR*, LRESULT*)
    {
        ++seen[NM_DBLCLK];
        return FALSE;  // the parent sees it too
    }
    void OnChangeReflect() { ++seen[EN_CHANGE]; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ReflectingChild, CWnd)
    ON_NOTIFY_REFLECT(NM_CLICK, OnClickReflect)
    ON_NOTIFY_REFLECT_EX(NM_DBLCLK, OnDblClkReflect)
    ON_CONTROL_REFLECT(EN_CHANGE, OnChangeReflect)
END_MESSAGE_MAP()

// An edit that chooses its own colours for the edit kind, through its parent's colour message.
class ColouredChild : public CWnd {
public:
    HBRUSH brush = nullptr;
    UINT kindSeen = 0xFFFF;
    HBRUSH CtlColor(CDC*, UINT kind)
    {
        kindSeen = kind;
        return kind == CTLCOLOR_EDIT ? brush : nullptr;  // other kinds left to the parent
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ColouredChild, CWnd)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

class TestWindow : public CWnd {
public:
    std::map<UINT, int> commands;
    std::map<UINT, int> notifications;
    int creates = 0;
    int postNcDestroys = 0;
    int idleUpdates = 0;
    bool deleteOnDestroy = false;
    LPARAM lastPrivate = 0;
    LPARAM lastRegistered = 0;

    int OnCreate(LPCREATESTRUCTA cs)
    {
        ++creates;
        return CWnd::OnCreate(cs);
    }
    void OnOpen() { ++commands[ID_OPEN]; }
    void OnSave() { ++commands[ID_SAVE]; }
    void OnRange(UINT id) { ++commands[id]; }
    void OnUpdateSave(CCmdUI* ui) { ui->Enable(FALSE); }
    void OnUpdateOpen(CCmdUI* ui) { ui->Enable(TRUE); }
    void OnChildClick(NMHDR*, LRESULT*) { ++notifications[NM_CLICK]; }
    void OnChildDblClk(NMHDR*, LRESULT* result)
    {
        ++notifications[NM_DBLCLK];
        *result = 9;
    }
    void OnChildRClick(NMHDR*, LRESULT*) { ++notifications[NM_RCLICK]; }
    LRESULT OnPrivate(WPARAM, LPARAM lParam)
    {
        lastPrivate = lParam;
        return 41;
    }
    LRESULT OnRegistered(WPARAM, LPARAM lParam)
    {
        lastRegistered = lParam;
        return 42;
    }
    HBRUSH parentBrush = nullptr;
    int parentColours = 0;
    HBRUSH OnCtlColor(CDC*, CWnd*, UINT)
    {
        ++parentColours;
        return parentBrush;
    }
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
    {
        ++idleUpdates;
        UpdateDialogControls(this, static_cast<BOOL>(wParam));
        return 0;
    }

    void PostNcDestroy() override
    {
        ++postNcDestroys;
        if (deleteOnDestroy)
            delete this;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestWindow, CWnd)
    ON_WM_CREATE()
    ON_COMMAND(ID_OPEN, OnOpen)
    ON_COMMAND(ID_SAVE, OnSave)
    ON_COMMAND_RANGE(ID_RANGE_FIRST, ID_RANGE_LAST, OnRange)
    ON_UPDATE_COMMAND_UI(ID_SAVE, OnUpdateSave)
    ON_UPDATE_COMMAND_UI(ID_OPEN, OnUpdateOpen)
    ON_NOTIFY(NM_CLICK, ID_CHILD, OnChildClick)
    ON_NOTIFY(NM_DBLCLK, ID_CHILD, OnChildDblClk)
    ON_NOTIFY(NM_RCLICK, ID_CHILD, OnChildRClick)
    ON_MESSAGE(WM_TEST_PRIVATE, OnPrivate)
    ON_REGISTERED_MESSAGE(g_registeredMessage, OnRegistered)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

bool CreateTop(CWnd& wnd, DWORD style = WS_POPUP)
{
    return wnd.CreateEx(0, nullptr, "Test window", style, CRect(10, 10, 310, 210), nullptr, 0) != FALSE;
}

LRESULT SendNotify(CWnd& parent, HWND from, UINT id, int code)
{
    NMHDR header{from, id, static_cast<UINT>(code)};
    return parent.SendMessage(WM_NOTIFY, id, reinterpret_cast<LPARAM>(&header));
}

TEST(CWndTest, CommandsReachTheirHandlersAndARangeReachesOne)
{
    TestWindow wnd;
    ASSERT_TRUE(CreateTop(wnd));
    EXPECT_EQ(wnd.creates, 1);  // attached before WM_CREATE
    EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_hWnd), &wnd);

    wnd.SendMessage(WM_COMMAND, ID_OPEN);
    for (UINT id = ID_RANGE_FIRST; id <= ID_RANGE_LAST + 1; ++id)
        wnd.SendMessage(WM_COMMAND, id);
    wnd.SendMessage(WM_COMMAND, ID_RANGE_FIRST - 1);

    EXPECT_EQ(wnd.commands[ID_OPEN], 1);
    for (UINT id = ID_RANGE_FIRST; id <= ID_RANGE_LAST; ++id)
        EXPECT_EQ(wnd.commands[id], 1) << id;
    EXPECT_EQ(wnd.commands.count(ID_RANGE_LAST + 1), 0u);
    EXPECT_EQ(wnd.commands.count(ID_RANGE_FIRST - 1), 0u);

    // A disabled command from a menu or accelerator does nothing.
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_SAVE, 1));
    EXPECT_EQ(wnd.commands.count(ID_SAVE), 0u);

    // Handler queries answer without calling.
    AFX_CMDHANDLERINFO info{};
    EXPECT_TRUE(wnd.OnCmdMsg(ID_RANGE_FIRST + 2, CN_COMMAND, nullptr, &info));
    EXPECT_EQ(info.pTarget, &wnd);
    EXPECT_FALSE(wnd.OnCmdMsg(ID_NO_HANDLER, CN_COMMAND, nullptr, &info));
    EXPECT_EQ(wnd.commands[ID_RANGE_FIRST + 2], 1);
    wnd.DestroyWindow();
}

TEST(CWndTest, PrivateAndRegisteredMessagesAnswerThroughTheMap)
{
    TestWindow wnd;
    ASSERT_TRUE(CreateTop(wnd));
    EXPECT_EQ(wnd.SendMessage(WM_TEST_PRIVATE, 0, 5), 41);
    EXPECT_EQ(wnd.lastPrivate, 5);
    EXPECT_EQ(wnd.SendMessage(g_registeredMessage, 0, 6), 42);
    EXPECT_EQ(wnd.lastRegistered, 6);
    // Unmapped messages get the default processing.
    wnd.SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Renamed"));
    CString text;
    wnd.GetWindowText(text);
    EXPECT_STREQ(text, "Renamed");
    wnd.DestroyWindow();
}

TEST(CWndTest, NotificationsAreReflectedToTheChildFirst)
{
    TestWindow parent;
    ASSERT_TRUE(CreateTop(parent));
    ReflectingChild child;
    ASSERT_TRUE(child.Create(nullptr, nullptr, WS_VISIBLE, CRect(0, 0, 50, 20), &parent, ID_CHILD));

    // NM_CLICK: the child's reflected handler keeps it and answers.
    EXPECT_EQ(SendNotify(parent, child.m_hWnd, ID_CHILD, NM_CLICK), 7);
    EXPECT_EQ(child.seen[NM_CLICK], 1);
    EXPECT_EQ(parent.notifications.count(NM_CLICK), 0u);
    // NM_DBLCLK: the child's _EX handler passes it on.
    EXPECT_EQ(SendNotify(parent, child.m_hWnd, ID_CHILD, NM_DBLCLK), 9);
    EXPECT_EQ(child.seen[NM_DBLCLK], 1);
    EXPECT_EQ(parent.notifications[NM_DBLCLK], 1);
    // NM_RCLICK: the child has no reflected handler.
    SendNotify(parent, child.m_hWnd, ID_CHILD, NM_RCLICK);
    EXPECT_EQ(parent.notifications[NM_RCLICK], 1);
    // A control's WM_COMMAND notification is reflected too.
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(ID_CHILD, EN_CHANGE), reinterpret_cast<LPARAM>(child.m_hWnd));
    EXPECT_EQ(child.seen[EN_CHANGE], 1);
    parent.DestroyWindow();
    EXPECT_EQ(child.m_hWnd, nullptr);  // destroyed with its parent and detached
}

TEST(CWndTest, ControlColoursAreReflectedAndANullBrushLeavesThemToTheParent)
{
    TestWindow parent;
    ASSERT_TRUE(CreateTop(parent));
    parent.parentBrush = static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH));
    ColouredChild child;
    child.brush = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    ASSERT_TRUE(child.Create("EDIT", "", WS_VISIBLE, CRect(0, 0, 80, 20), &parent, ID_CHILD));
    HDC dc = ::GetDC(child.m_hWnd);
    LPARAM from = reinterpret_cast<LPARAM>(child.m_hWnd);

    EXPECT_EQ(parent.SendMessage(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), from), reinterpret_cast<LRESULT>(child.brush));
    EXPECT_EQ(child.kindSeen, static_cast<UINT>(CTLCOLOR_EDIT));
    EXPECT_EQ(parent.parentColours, 0);

    EXPECT_EQ(parent.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), from), reinterpret_cast<LRESULT>(parent.parentBrush));
    EXPECT_EQ(child.kindSeen, static_cast<UINT>(CTLCOLOR_STATIC));
    EXPECT_EQ(parent.parentColours, 1);
    ::ReleaseDC(child.m_hWnd, dc);
    parent.DestroyWindow();
}

// Runs the message loop until the first idle pass has run, then quits.
class IdleOnceThread : public CWinThread {
public:
    int idleCalls = 0;
    BOOL OnIdle(LONG count) override
    {
        ++idleCalls;
        BOOL more = CWinThread::OnIdle(count);
        if (count == 0)
            ::PostQuitMessage(3);
        return more;
    }
};

TEST(CWndTest, IdleUpdateDisablesACommandWhoseHandlerSaysSo)
{
    TestWindow wnd;
    ASSERT_TRUE(CreateTop(wnd, WS_POPUP | WS_VISIBLE));
    struct Button {
        UINT id;
        BOOL enabledAfter;
    } buttons[] = {
        {ID_OPEN, TRUE},         // its update handler enables it
        {ID_SAVE, FALSE},        // its update handler disables it
        {ID_NO_HANDLER, FALSE},  // no handler at all: disabled by the idle update
        {ID_RANGE_FIRST, TRUE},  // a command handler and no update handler: enabled
    };
    for (const Button& b : buttons) {
        HWND h = ::CreateWindowExA(0, "BUTTON", "b", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 40, 20,
                                   wnd.m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(b.id)), nullptr, nullptr);
        ASSERT_NE(h, nullptr);
    }

    IdleOnceThread thread;
    thread.m_pMainWnd = &wnd;
    EXPECT_EQ(thread.Run(), 3);  // ExitInstance gives the quit code
    EXPECT_GE(wnd.idleUpdates, 1);
    for (const Button& b : buttons)
        EXPECT_EQ(::IsWindowEnabled(::GetDlgItem(wnd.m_hWnd, static_cast<int>(b.id))) != 0, b.enabledAfter != 0) << b.id;
    wnd.DestroyWindow();
}

TEST(CWndTest, UpdateOfNoCommandAsksNobodyAndDisablesNothing)
{
    // Popups and separators carry id 0, static texts -1.
    struct Probe : CCmdUI {
        int nEnables = 0;
        void Enable(BOOL bOn) override
        {
            ++nEnables;
            CCmdUI::Enable(bOn);
        }
    };
    TestWindow wnd;
    ASSERT_TRUE(CreateTop(wnd, WS_POPUP));
    for (UINT id : {0u, 0xFFFFu, static_cast<UINT>(-1)}) {
        Probe probe;
        probe.m_nID = id;
        EXPECT_FALSE(probe.DoUpdate(&wnd, TRUE)) << id;
        EXPECT_EQ(probe.nEnables, 0) << id;
    }
    wnd.DestroyWindow();
}

TEST(CWndTest, HandleMapsKeepPermanentObjectsAndMakeTemporaryOnes)
{
    HWND raw = ::CreateWindowExA(0, "STATIC", "raw", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(raw, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(raw), nullptr);
    CWnd* temp = CWnd::FromHandle(raw);
    ASSERT_NE(temp, nullptr);
    EXPECT_EQ(temp->m_hWnd, raw);
    EXPECT_EQ(CWnd::FromHandle(raw), temp);  // the same temporary until the map is cleared
    CWnd::DeleteTempMap();
    EXPECT_TRUE(::IsWindow(raw));  // clearing temporaries leaves the windows alone

    CWnd wrapper;
    ASSERT_TRUE(wrapper.Attach(raw));
    EXPECT_FALSE(CWnd().Attach(raw));  // one permanent object per window
    EXPECT_EQ(CWnd::FromHandle(raw), &wrapper);
    EXPECT_EQ(wrapper.Detach(), raw);
    EXPECT_EQ(CWnd::FromHandlePermanent(raw), nullptr);
    EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);
    ::DestroyWindow(raw);
}

TEST(CWndTest, SubclassedWindowUsesTheMapAndGetsItsOwnProcedureBack)
{
    HWND raw = ::CreateWindowExA(0, "STATIC", "raw", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(raw, nullptr);
    auto original = ::GetWindowLongPtrA(raw, GWLP_WNDPROC);
    TestWindow wnd;
    ASSERT_TRUE(wnd.SubclassWindow(raw));
    EXPECT_EQ(wnd.SendMessage(WM_TEST_PRIVATE, 0, 1), 41);
    // The static control's own procedure still answers what the map leaves.
    ::SetWindowTextA(raw, "still static");
    CString text;
    wnd.GetWindowText(text);
    EXPECT_STREQ(text, "still static");
    EXPECT_EQ(wnd.UnsubclassWindow(), raw);
    EXPECT_EQ(::GetWindowLongPtrA(raw, GWLP_WNDPROC), original);
    EXPECT_EQ(::SendMessageA(raw, WM_TEST_PRIVATE, 0, 1), 0);
    ::DestroyWindow(raw);
}

TEST(CWndTest, PostNcDestroyRunsOnceAfterTheWindowIsGone)
{
    auto* wnd = new TestWindow;
    wnd->deleteOnDestroy = true;
    ASSERT_TRUE(CreateTop(*wnd));
    HWND h = wnd->m_hWnd;
    ::DestroyWindow(h);  // destroyed behind the object's back: it deletes itself
    EXPECT_FALSE(::IsWindow(h));
    EXPECT_EQ(CWnd::FromHandlePermanent(h), nullptr);

    TestWindow local;
    ASSERT_TRUE(CreateTop(local));
    EXPECT_TRUE(local.DestroyWindow());
    EXPECT_EQ(local.postNcDestroys, 1);
    EXPECT_EQ(local.m_hWnd, nullptr);
}

// A window that refuses its creation.
class RefusingWindow : public CWnd {
public:
    int OnCreate(LPCREATESTRUCTA) { return -1; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(RefusingWindow, CWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

TEST(CWndTest, RefusedCreationFailsAndLeavesNoHandle)
{
    RefusingWindow wnd;
    EXPECT_FALSE(CreateTop(wnd));
    EXPECT_EQ(wnd.m_hWnd, nullptr);
}

TEST(CWndTest, FamilyWalksParentsAndDescendants)
{
    TestWindow top;
    ASSERT_TRUE(CreateTop(top));
    TestWindow middle;
    ASSERT_TRUE(middle.Create(nullptr, nullptr, WS_VISIBLE, CRect(0, 0, 100, 100), &top, 1));
    TestWindow leaf;
    ASSERT_TRUE(leaf.Create(nullptr, nullptr, WS_VISIBLE, CRect(0, 0, 10, 10), &middle, 2));

    EXPECT_EQ(leaf.GetParent(), &middle);
    EXPECT_EQ(leaf.GetTopLevelParent(), &top);
    EXPECT_EQ(leaf.GetOwner(), &middle);
    leaf.SetOwner(&top);
    EXPECT_EQ(leaf.GetOwner(), &top);
    EXPECT_EQ(top.GetDlgItem(1), &middle);
    EXPECT_EQ(leaf.GetParentFrame(), nullptr);  // no frame among the ancestors

    top.SendMessageToDescendants(WM_TEST_PRIVATE, 0, 11, TRUE, TRUE);
    EXPECT_EQ(middle.lastPrivate, 11);
    EXPECT_EQ(leaf.lastPrivate, 11);
    top.SendMessageToDescendants(WM_TEST_PRIVATE, 0, 12, FALSE, TRUE);
    EXPECT_EQ(middle.lastPrivate, 12);
    EXPECT_EQ(leaf.lastPrivate, 11);  // not deep
    EXPECT_EQ(top.lastPrivate, 0);    // descendants only
    top.DestroyWindow();
}

// Answers every hit with a text it allocates; the framework frees it.
class TipWindow : public CWnd {
public:
    INT_PTR OnToolHitTest(POINT, TOOLINFOA_T* ti) const override
    {
        ti->hwnd = m_hWnd;
        ti->uId = 77;
        ti->lpszText = static_cast<char*>(std::calloc(8, 1));
        std::strcpy(ti->lpszText, "Tip 77");
        ::GetClientRect(m_hWnd, &ti->rect);
        return 77;
    }
};

TEST(CWndTest, ToolTipsAskTheHitTestAndKeepItsText)
{
    TipWindow wnd;
    ASSERT_TRUE(CreateTop(wnd, WS_POPUP | WS_VISIBLE));
    ASSERT_TRUE(wnd.EnableToolTips(TRUE));
    HWND tip = AfxGetToolTipWindow();
    ASSERT_NE(tip, nullptr);

    MSG msg{wnd.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5), 0, {15, 15}};
    EXPECT_FALSE(wnd.PreTranslateMessage(&msg));
    EXPECT_EQ(::SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
    char text[32] = {};
    TTTOOLINFOA ti{};
    ti.cbSize = sizeof(ti);
    ti.hwnd = wnd.m_hWnd;
    ti.uId = 77;
    ti.lpszText = text;
    ::SendMessageA(tip, TTM_GETTEXTA, sizeof(text), reinterpret_cast<LPARAM>(&ti));
    EXPECT_STREQ(text, "Tip 77");
    // The same tool again is not added twice.
    wnd.PreTranslateMessage(&msg);
    EXPECT_EQ(::SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
    wnd.CancelToolTips();
    EXPECT_EQ(::SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 0);
    wnd.DestroyWindow();
}

}  // namespace

// A bar of fixed height that takes the top or the bottom of the layout rectangle.
class EdgeBar : public CWnd {
public:
    int height = 0;
    bool bottom = false;
    LRESULT OnSizeParent(WPARAM, LPARAM lParam)
    {
        auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
        RECT mine = layout->rect;
        if (bottom)
            mine.top = layout->rect.bottom -= height;
        else
            mine.bottom = layout->rect.top += height;
        layout->sizeTotal.cy += height;
        layout->sizeTotal.cx = std::max<LONG>(layout->sizeTotal.cx, mine.right - mine.left);
        AfxRepositionWindow(layout, m_hWnd, &mine);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(EdgeBar, CWnd)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

CRect ChildRect(const CWnd& child)
{
    CRect rect;
    ::GetWindowRect(child.m_hWnd, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(child.m_hWnd), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

TEST(CWndTest, RepositionBarsGivesBarsTheirEdgesAndTheRestToTheLeftOver)
{
    TestWindow top;
    ASSERT_TRUE(CreateTop(top));  // client 300 x 200 for a popup without borders
    EdgeBar upper, lower, outside;
    upper.height = 20;
    lower.height = 10;
    lower.bottom = true;
    outside.height = 50;
    ASSERT_TRUE(upper.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), &top, 0xE800));
    ASSERT_TRUE(lower.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), &top, 0xE801));
    ASSERT_TRUE(outside.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), &top, 0x100));
    CWnd rest;
    ASSERT_TRUE(rest.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), &top, 0xE900));

    // Measuring moves nothing.
    CRect left;
    top.RepositionBars(0xE800, 0xE8FF, 0xE900, CWnd::reposQuery, &left);
    EXPECT_EQ(left, CRect(0, 20, 300, 190));
    EXPECT_EQ(ChildRect(rest), CRect(0, 0, 1, 1));
    top.RepositionBars(0xE800, 0xE8FF, 0xE900, CWnd::reposQuery, &left, nullptr, FALSE);
    EXPECT_EQ(left, CRect(0, 0, 300, 30));

    top.RepositionBars(0xE800, 0xE8FF, 0xE900);
    EXPECT_EQ(ChildRect(upper), CRect(0, 0, 300, 20));
    EXPECT_EQ(ChildRect(lower), CRect(0, 190, 300, 200));
    EXPECT_EQ(ChildRect(rest), CRect(0, 20, 300, 190));
    EXPECT_EQ(ChildRect(outside), CRect(0, 0, 1, 1));  // its id is outside the range

    // Borders given with reposExtra come off the rest.
    CRect borders(2, 3, 4, 5);
    top.RepositionBars(0xE800, 0xE8FF, 0xE900, CWnd::reposExtra, &borders);
    EXPECT_EQ(ChildRect(rest), CRect(2, 23, 296, 185));
    top.DestroyWindow();
}
