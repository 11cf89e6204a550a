// The MDI tab window on a real MDI frame: tabs per child, groups, their commands and layout, and
// what it answers the command bars.
#include "CXTPTabClientWnd.h"

#include <gtest/gtest.h>

#include <functional>

#include "../commandbars/MDIFrameFixture.h"
#include "CMDIChildWnd.h"
#include "CXTPControlExpandingList.h"
#include "CXTPFrameWndBase.h"
#include "CXTPTabManagerItem.h"
#include "CXTPTabPaintManager.h"

namespace {

constexpr UINT kIdleUpdateCmdUI = 0x0363;

// A child that names its own tab colour, text and tool tip when they are set.
class ColoredChild : public CMDIChildWnd {
public:
    COLORREF color = 0;
    CString text, tip;
    std::function<void()> onApp;  // run when WM_APP arrives
    int keys = 0;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_KEYDOWN || message == WM_CHAR)
            ++keys;
        if (message == kMsgTabClientGetColor)
            return LRESULT(color);
        if (message == kMsgTabClientGetText)
            return reinterpret_cast<LRESULT>(static_cast<const char*>(text));
        if (message == kMsgTabClientGetToolTip)
            return reinterpret_cast<LRESULT>(static_cast<const char*>(tip));
        if (message == WM_APP && onApp) {
            onApp();
            return 0;
        }
        return CMDIChildWnd::WindowProc(message, wParam, lParam);
    }
};

// Records the popup instead of running it.
class RecordingTabClient : public CXTPTabClientWnd {
public:
    int popups = 0;
    void ShowWorkspacePopup(CPoint) override { ++popups; }
};

class TabClient : public testing::Test {
protected:
    void SetUp() override
    {
        frame = new CXTPMDIFrameWnd;
        ASSERT_TRUE(frame->Create(nullptr, "MDI", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 600, 400)));
        ASSERT_TRUE(frame->InitCommandBars());
        ASSERT_TRUE(tabs.Attach(frame, frame->GetCommandBars(), groupMode));
    }
    void TearDown() override
    {
        tabs.UnsubclassWindow();
        frame->DestroyWindow();
    }
    ColoredChild* Open(const char* title)
    {
        auto* child = new ColoredChild;
        EXPECT_TRUE(child->Create(nullptr, title, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CRect(0, 0, 100, 80), frame));
        child->MDIActivate();
        return child;
    }
    void Command(UINT id) { ::SendMessageA(frame->m_hWndMDIClient, WM_COMMAND, id, 0); }
    CXTPTabManagerItem* ItemOf(CWnd* child)
    {
        for (int g = 0; g < tabs.GetGroupCount(); g++)
            if (CXTPTabManagerItem* item = tabs.GetGroup(g)->FindItem(child->m_hWnd))
                return item;
        return nullptr;
    }

    BOOL groupMode = TRUE;
    CXTPMDIFrameWnd* frame = nullptr;
    RecordingTabClient tabs;
};

// One tab strip in a window of its own over the MDI area.
class StripTabClient : public TabClient {
protected:
    StripTabClient() { groupMode = FALSE; }
};

CRect WindowRectOf(HWND hWnd)
{
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    return rc;
}

TEST_F(TabClient, EachVisibleChildHasATabWithoutFrameAndAHiddenOneGetsANewTabWithANewColour)
{
    ColoredChild* a = Open("A");
    ColoredChild* b = Open("B");
    ASSERT_EQ(1, tabs.GetGroupCount());
    EXPECT_EQ(2, tabs.GetGroup(0)->GetItemCount());
    EXPECT_EQ(0, a->GetStyle() & 0xC70000);
    EXPECT_EQ(0, a->GetExStyle() & WS_EX_CLIENTEDGE);
    EXPECT_STREQ("B", ItemOf(b)->GetCaption());
    EXPECT_EQ(ItemOf(b), tabs.GetGroup(0)->GetSelectedItem()) << "the active child's tab is selected";

    const COLORREF before = ItemOf(a)->GetStoredColor();
    a->ShowWindow(SW_HIDE);
    tabs.UpdateContents();
    EXPECT_EQ(nullptr, ItemOf(a));
    a->ShowWindow(SW_SHOW);
    tabs.UpdateContents();
    ASSERT_NE(nullptr, ItemOf(a));
    EXPECT_NE(before, ItemOf(a)->GetStoredColor()) << "a new tab takes the next automatic colour";

    // A child that answers keeps its colour through hiding.
    b->color = RGB(1, 2, 3);
    EXPECT_EQ(RGB(1, 2, 3), tabs.GetGroup(0)->GetItemColor(ItemOf(b)));
    b->ShowWindow(SW_HIDE);
    tabs.UpdateContents();
    b->ShowWindow(SW_SHOW);
    tabs.UpdateContents();
    EXPECT_EQ(RGB(1, 2, 3), tabs.GetGroup(0)->GetItemColor(ItemOf(b)));
}

TEST_F(TabClient, GroupCommandsFollowTheGroupsAndMovesKeepColours)
{
    Open("A");
    EXPECT_FALSE(tabs.IsGroupCommandEnabled(9422)) << "a lone tab makes no group";
    ColoredChild* b = Open("B");
    Open("C");
    b->MDIActivate();
    const COLORREF color = ItemOf(b)->GetStoredColor();

    struct Case {
        UINT command;  // 0: none, only the check
        int groups;
        bool enabled[4];  // 9420 .. 9423 afterwards, for the active tab
    } const cases[] = {
        {0, 1, {false, false, true, true}},
        {9423, 2, {true, false, false, false}},  // B alone on the right: only back
        {9420, 1, {false, false, true, true}},   // back: the right group goes
        {9422, 2, {true, false, false, false}},  // stacked now
    };
    for (const Case& c : cases) {
        if (c.command)
            Command(c.command);
        EXPECT_EQ(c.groups, tabs.GetGroupCount()) << "after " << c.command;
        for (UINT id = 9420; id <= 9423; id++)
            EXPECT_EQ(c.enabled[id - 9420], bool(tabs.IsGroupCommandEnabled(id))) << id << " after " << c.command;
        EXPECT_EQ(color, ItemOf(b)->GetStoredColor()) << "after " << c.command;
    }
    EXPECT_TRUE(tabs.IsHorizontalGroups());
    EXPECT_FALSE(tabs.IsGroupCommandEnabled(9423, nullptr)) << "stacked groups take no side-by-side group";
}

TEST_F(TabClient, GroupsShareTheAreaByWeightWithSplittersAndTheLastTabClosedGivesItsWeightAway)
{
    ColoredChild* a = Open("A");
    ColoredChild* b = Open("B");
    Command(9423);  // B on the right, half each
    ColoredChild* c = Open("C");  // into the active (right) group
    ColoredChild* d = Open("D");
    Command(9423);  // D in a third group: 50, 25, 25
    ASSERT_EQ(3, tabs.GetGroupCount());
    EXPECT_DOUBLE_EQ(50.0, tabs.GetGroup(0)->m_dWeight);
    EXPECT_DOUBLE_EQ(25.0, tabs.GetGroup(1)->m_dWeight);
    EXPECT_DOUBLE_EQ(25.0, tabs.GetGroup(2)->m_dWeight);

    CRect client;
    tabs.GetClientRect(&client);
    const CRect& s0 = tabs.GetGroup(0)->m_rcSplitter;
    EXPECT_EQ(5, s0.Width());
    EXPECT_EQ(client.Width() / 2, s0.right) << "the first group ends at its share";
    EXPECT_TRUE(tabs.GetGroup(2)->m_rcSplitter.IsRectEmpty());

    // The last group goes: its weight to the previous one.
    d->MDIDestroy();
    ASSERT_EQ(2, tabs.GetGroupCount());
    EXPECT_DOUBLE_EQ(50.0, tabs.GetGroup(1)->m_dWeight);
    // The first group goes: its weight to the second, now the first.
    a->MDIDestroy();
    ASSERT_EQ(1, tabs.GetGroupCount());
    EXPECT_DOUBLE_EQ(100.0, tabs.GetGroup(0)->m_dWeight);
    EXPECT_EQ(2, tabs.GetGroup(0)->GetItemCount());
    EXPECT_NE(nullptr, ItemOf(b));
    EXPECT_NE(nullptr, ItemOf(c));
}

TEST_F(TabClient, ALoneTabIgnoresPressesAndADropOnNoTargetOpensThePopup)
{
    ColoredChild* a = Open("A");
    tabs.UpdateContents();
    CXTPTabManagerItem* item = ItemOf(a);
    ASSERT_NE(nullptr, item);
    tabs.GetGroup(0)->TrackClick(tabs.m_hWnd, item->GetRect().CenterPoint(), item);
    EXPECT_EQ(nullptr, ::GetCapture()) << "no drag began";

    Open("B");
    CXTPTabManagerItem* pressed = tabs.GetGroup(0)->GetSelectedItem();
    CXTPTabClientWnd::CWorkspace* target = nullptr;
    const CRect& control = tabs.GetGroup(0)->m_rcControl;
    const CPoint middle = control.CenterPoint();
    EXPECT_EQ(CXTPTabClientWnd::dropPopup, tabs.HitDropTarget(pressed, middle, &target, nullptr));
    EXPECT_EQ(CXTPTabClientWnd::dropNewHorizontal,
              tabs.HitDropTarget(pressed, CPoint(middle.x, control.bottom - 10), &target, nullptr));
    EXPECT_EQ(CXTPTabClientWnd::dropNewVertical,
              tabs.HitDropTarget(pressed, CPoint(control.right - 10, middle.y), &target, nullptr));
    EXPECT_EQ(CXTPTabClientWnd::dropNone, tabs.HitDropTarget(pressed, CPoint(-5, -5), &target, nullptr));

    // A drag released in the middle: the mouse messages are posted before the drag reads them.
    CPoint start = pressed->GetRect().CenterPoint(), screen = middle;
    tabs.ClientToScreen(&screen);
    ::SetCursorPos(screen.x, screen.y);
    ::PostMessageA(tabs.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(middle.x, middle.y));
    ::PostMessageA(tabs.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(middle.x, middle.y));
    tabs.GetGroup(0)->TrackClick(tabs.m_hWnd, start, pressed);
    EXPECT_EQ(1, tabs.popups);
    EXPECT_EQ(1, tabs.GetGroupCount());
    EXPECT_TRUE(::LockWindowUpdate(::GetDesktopWindow())) << "the drag left the desktop locked";
    ::LockWindowUpdate(nullptr);

    // Escape while outside the row ends the drag as well, and its feedback with it.
    ::PostMessageA(tabs.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(middle.x, control.bottom - 10));
    ::PostMessageA(tabs.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
    tabs.GetGroup(0)->TrackClick(tabs.m_hWnd, start, pressed);
    EXPECT_EQ(1, tabs.GetGroupCount());
    EXPECT_TRUE(::LockWindowUpdate(::GetDesktopWindow()));
    ::LockWindowUpdate(nullptr);
}

TEST_F(TabClient, APressedGroupIsTheActiveOneWhileItsTabIsDragged)
{
    ColoredChild* a = Open("A");
    Open("B");
    Command(9423);  // B alone in a group on the right, the active one
    ASSERT_EQ(tabs.GetGroup(1), tabs.GetActiveGroup());
    CXTPTabClientWnd::CWorkspace* seen = nullptr;
    a->onApp = [&] { seen = tabs.GetActiveGroup(); };
    ::PostMessageA(a->m_hWnd, WM_APP, 0, 0);  // read inside the drag's loop
    const CPoint onA = ItemOf(a)->GetRect().CenterPoint();
    ::PostMessageA(tabs.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(onA.x, onA.y));
    tabs.GetGroup(0)->TrackClick(tabs.m_hWnd, onA, ItemOf(a));
    EXPECT_EQ(tabs.GetGroup(0), seen);
}

TEST_F(TabClient, ChildrenNameTheirTabsAndTipsAndDataDraggedOverATabActivatesIt)
{
    ColoredChild* a = Open("A");
    a->text = "Named";
    a->tip = "A tip";
    ColoredChild* b = Open("B");
    tabs.UpdateContents();
    EXPECT_STREQ("Named", ItemOf(a)->GetCaption());
    CXTPTabClientWnd::CWorkspace* group = tabs.GetGroup(0);
    EXPECT_STREQ("A tip", group->GetItemTooltip(ItemOf(a)));
    EXPECT_STREQ("B", group->GetItemTooltip(ItemOf(b))) << "no tip, no document: the caption";

    TTTOOLINFOA info{};
    info.cbSize = sizeof info;
    const CPoint onA = ItemOf(a)->GetRect().CenterPoint();
    EXPECT_EQ(ItemOf(a)->GetIndex(), tabs.OnToolHitTest(onA, &info));
    ASSERT_NE(nullptr, info.lpszText);
    EXPECT_STREQ("A tip", info.lpszText);
    free(info.lpszText);
    EXPECT_EQ(-1, tabs.OnToolHitTest(CPoint(-5, -5), nullptr));

    ASSERT_EQ(b, frame->MDIGetActive());
    tabs.OnDataDraggedOver(tabs.m_hWnd, onA);
    EXPECT_EQ(a, frame->MDIGetActive()) << "the tab under the drag brings its window forward";
}

TEST_F(TabClient, AStaticFrameKeepsItsRoomAroundTheGroups)
{
    Open("A");
    auto* paint = new CXTPTabPaintManager;
    paint->m_bStaticFrame = TRUE;
    tabs.SetPaintManager(paint);  // measures the frame again: no other change of it is needed
    CRect client;
    tabs.GetClientRect(&client);
    tabs.ClientToScreen(&client);
    const CRect window = WindowRectOf(tabs.m_hWnd);
    EXPECT_EQ(CRect(2, 1, 2, 2), CRect(client.left - window.left, client.top - window.top, window.right - client.right,
                                       window.bottom - client.bottom));
}

// The splitter between stacked groups follows the pointer, wherever the tab window lies on
// the screen; a tab dragged along its row over a longer one stays where it was put, and keys
// typed meanwhile reach no window.
TEST_F(TabClient, TheSplitterFollowsThePointerAndTabsDraggedAlongTheRowStayPut)
{
    Open("A");
    Open("B");
    Command(9422);  // B in a second group below
    ASSERT_EQ(2, tabs.GetGroupCount());
    CPoint origin(0, 0);
    tabs.ClientToScreen(&origin);
    ASSERT_GT(origin.y, 20) << "the tab window must lie away from the screen's top for the check";
    const CRect splitter = tabs.GetGroup(0)->m_rcSplitter;
    const CPoint press = splitter.CenterPoint();
    ::PostMessageA(tabs.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(press.x, press.y + 40));
    ::PostMessageA(tabs.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(press.x, press.y + 40));
    ::SendMessageA(tabs.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(press.x, press.y));
    EXPECT_NEAR(splitter.top + 40, tabs.GetGroup(0)->m_rcSplitter.top, 4);
    ::SendMessageA(tabs.m_hWnd, kIdleUpdateCmdUI, 0, 0);  // ends the press's mouse lock

    // Back in one group: a short tab dragged onto the far end of a long one.
    Command(9420);
    ASSERT_EQ(1, tabs.GetGroupCount());
    CXTPTabClientWnd::CWorkspace* group = tabs.GetGroup(0);
    ColoredChild* longer = Open("A rather long caption for a tab");
    ColoredChild* shorter = Open("C");
    CXTPTabManagerItem* dragged = ItemOf(shorter);
    const CRect rcLonger = ItemOf(longer)->GetRect();
    ASSERT_GT(rcLonger.Width(), 2 * dragged->GetRect().Width());
    const int from = dragged->GetIndex(), to = ItemOf(longer)->GetIndex();
    CPoint over(rcLonger.right - 5, rcLonger.CenterPoint().y), screen = over;
    tabs.ClientToScreen(&screen);
    ::SetCursorPos(screen.x, screen.y);
    for (int i = 0; i < 4; i++) {  // an even count: a tab swapping back and forth ends where it began
        ::PostMessageA(tabs.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(over.x, over.y));
        // Typing meanwhile goes nowhere.
        ::PostMessageA(longer->m_hWnd, WM_KEYDOWN, 'X', 0);
        ::PostMessageA(longer->m_hWnd, WM_CHAR, 'x', 0);
    }
    ::PostMessageA(tabs.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(over.x, over.y));
    group->TrackClick(tabs.m_hWnd, dragged->GetRect().CenterPoint(), dragged);
    EXPECT_EQ(to, dragged->GetIndex()) << "moved from " << from << " and not back";
    EXPECT_EQ(0, longer->keys) << "keys typed during the drag reached a window";
}

TEST_F(StripTabClient, OneStripInItsOwnWindowLiesOverTheMdiAreaAndTheChildrenKeepTheirFrames)
{
    ColoredChild* a = Open("A");
    ColoredChild* b = Open("B");
    ASSERT_EQ(1, tabs.GetGroupCount());
    CXTPTabClientWnd::CWorkspace* group = tabs.GetGroup(0);
    ASSERT_EQ(2, group->GetItemCount());
    CWnd* strip = group->GetGroupWnd();
    ASSERT_TRUE(strip && ::IsWindow(strip->m_hWnd));
    EXPECT_EQ(frame->m_hWnd, ::GetParent(strip->m_hWnd));
    EXPECT_NE(0, a->GetStyle() & WS_CAPTION) << "the children keep their frames";
    EXPECT_FALSE(tabs.IsGroupCommandEnabled(9423));

    // The MDI client sits on the strip's page area, below the tab row.
    frame->RecalcLayout();
    const CRect rcStrip = WindowRectOf(strip->m_hWnd), rcMdi = WindowRectOf(tabs.m_hWnd);
    EXPECT_TRUE(rcStrip.PtInRect(rcMdi.TopLeft()));
    EXPECT_GT(rcMdi.top, rcStrip.top + 10);
    EXPECT_LE(rcMdi.bottom, rcStrip.bottom);

    // A click on the first tab in the strip's window activates its child.
    ASSERT_EQ(b, frame->MDIGetActive());
    const CPoint onA = ItemOf(a)->GetRect().CenterPoint();
    ::PostMessageA(strip->m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(onA.x, onA.y));
    ::SendMessageA(strip->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(onA.x, onA.y));
    EXPECT_EQ(a, frame->MDIGetActive());
    CPoint pt(0, 0);
    tabs.TabClientToScreen(&pt);
    EXPECT_EQ(rcStrip.TopLeft(), pt) << "tab points are the strip's";
}

TEST_F(TabClient, AnOwnPaintManagerEndsTheAutomaticAppearance)
{
    EXPECT_TRUE(tabs.IsAutomaticAppearance());
    auto* paint = new CXTPTabPaintManager;
    tabs.SetPaintManager(paint);
    EXPECT_FALSE(tabs.IsAutomaticAppearance());
    EXPECT_EQ(paint, tabs.GetPaintManager());
}

TEST_F(TabClient, PaintingTabsInTheColoursTheirChildrenNameSettles)
{
    ColoredChild* a = Open("A");
    a->color = RGB(1, 2, 3);
    auto* paint = new CXTPTabPaintManager;
    paint->m_bPerTabColors = TRUE;
    tabs.SetPaintManager(paint);
    ::RedrawWindow(tabs.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(RGB(1, 2, 3), ItemOf(a)->GetStoredColor());
    ::UpdateWindow(tabs.m_hWnd);  // the tab repaints once in its new colour, and that is all
    EXPECT_FALSE(::GetUpdateRect(tabs.m_hWnd, nullptr, FALSE)) << "painting asked for another paint";
}

// The command bars' layout and the workspace actions' list reach the tab window through the
// MDI client's messages.
TEST(CommandBars, TheTabClientsFrameLayoutInsideRecalcLayoutWaitsForTheOneThatFollows)
{
    auto* pFrame = new LayoutMDIFrame;
    ASSERT_TRUE(pFrame->Create(nullptr, "MDI", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300)));
    ASSERT_NE(nullptr, pFrame->m_hWndMDIClient);
    ASSERT_TRUE(pFrame->InitCommandBars());
    CXTPTabClientWnd tabs;
    ASSERT_TRUE(tabs.Attach(pFrame, pFrame->GetCommandBars()));

    pFrame->m_nLayouts = 0;
    pFrame->GetCommandBars()->RecalcLayout();
    EXPECT_EQ(1, tabs.GetRefreshCount());
    EXPECT_EQ(1, pFrame->m_nLayouts);

    tabs.Refresh(TRUE);
    EXPECT_EQ(2, pFrame->m_nLayouts) << "outside the manager's layout the tab window lays the frame out";
    tabs.UnsubclassWindow();
    pFrame->DestroyWindow();
}

TEST(ExpandingLists, WorkspaceActionsListTheGroupCommandsThatApplyFirstTakingTheGroupStart)
{
    auto* pFrame = new NumberedMDIFrame(0xFF00);
    ASSERT_TRUE(pFrame->Create(nullptr, "MDI", WS_OVERLAPPEDWINDOW, CRect(0, 0, 600, 400)));
    ASSERT_TRUE(pFrame->InitCommandBars());
    auto* pChild = new CMDIChildWnd;
    ASSERT_TRUE(pChild->Create(nullptr, "Doc", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CRect(0, 0, 100, 80), pFrame));
    pChild->MDIActivate();
    Menu menu(pFrame->GetCommandBars(), XTP_ID_WORKSPACE_ACTIONS);

    // Without the tab window: nothing, and the placeholder hides.
    menu.Open();
    EXPECT_EQ((std::vector<std::string>{"100 Before", "1 After 1", "2 After 2"}), Shown(menu.pPopup));

    pFrame->ShowWindow(SW_SHOW);  // a hidden tab window keeps no tabs
    CXTPTabClientWnd tabs;
    ASSERT_TRUE(tabs.Attach(pFrame, pFrame->GetCommandBars()));
    auto listed = [&] {
        menu.Open();
        std::vector<int> ids;
        for (int i = 1; i < menu.pPopup->GetControlCount() - 2; i++) {
            CXTPControl* pItem = menu.pPopup->GetControl(i);
            if (pItem->IsVisible())
                ids.push_back(pItem->GetID());
        }
        if (!ids.empty()) {
            EXPECT_TRUE(menu.pPopup->GetControl(2)->GetBeginGroup());
            EXPECT_FALSE(menu.pPopup->GetControl(3)->GetBeginGroup());
        }
        return ids;
    };
    // One tab alone: nothing applies.
    EXPECT_EQ(std::vector<int>{}, listed());
    // Two tabs in the one group: both new-group commands.
    auto* pSecond = new CMDIChildWnd;
    ASSERT_TRUE(pSecond->Create(nullptr, "Doc 2", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CRect(0, 0, 100, 80), pFrame));
    pSecond->MDIActivate();
    EXPECT_EQ((std::vector<int>{9422, 9423}), listed());
    EXPECT_STREQ("New Hori&zontal Tab Group", menu.pPopup->GetControl(2)->GetCaption());
    // The active tab in a new group on the right: only the way back.
    ::SendMessageA(pFrame->m_hWndMDIClient, WM_COMMAND, 9423, 0);
    ASSERT_EQ(2, tabs.GetGroupCount());
    EXPECT_EQ(std::vector<int>{9420}, listed());
    tabs.UnsubclassWindow();
    pFrame->DestroyWindow();
}

}  // namespace
