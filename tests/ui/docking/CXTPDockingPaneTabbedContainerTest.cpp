// Tab groups: tab row visibility, selection after a close, the close button's notifications,
// caption-button presses, reordering and tearing out tabs, hit tests, attach points, double
// and right clicks, and windows only in the manager's own layout.
#include "CXTPDockingPaneTabbedContainer.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "COleDropTarget.h"
#include "CXTPTabManagerItem.h"
#include "DockingFixture.h"

namespace {

// A group of panes 1..n laid out at 300 x 200 in the frame, painted once so that the
// caption buttons have their rectangles.
struct Group {
    Group(TestOwner& owner, int nPanes) : owner(owner)
    {
        group = new CXTPDockingPaneTabbedContainer(&owner);
        for (int i = 1; i <= nPanes; ++i) {
            CXTPDockingPane* pPane = owner.NewPane(i, i == 1 ? "First\nOne" : "Other\nTwo");
            panes.push_back(pPane);
            group->AddPane(pPane);
        }
        Layout();
    }
    void Layout()
    {
        group->OnSizeParent(&owner.frame, CRect(0, 0, 300, 200), nullptr);
        HDC hdc = ::CreateCompatibleDC(nullptr);
        HBITMAP hbm = ::CreateBitmap(300, 200, 1, 32, nullptr);
        HGDIOBJ old = ::SelectObject(hdc, hbm);
        owner.paint->DrawPane(CDC::FromHandle(hdc), group, CRect(0, 0, 300, 200));
        ::SelectObject(hdc, old);
        ::DeleteObject(hbm);
        ::DeleteDC(hdc);
    }
    HWND Hwnd() const { return group->GetSafeHwnd(); }
    CPoint Button(int nID) const { return group->FindCaptionButton(nID)->GetRect().CenterPoint(); }
    CPoint Tab(int i) const { return group->GetItem(i)->GetRect().CenterPoint(); }
    void Send(UINT msg, CPoint pt, WPARAM wParam = 0) const
    {
        ::SendMessageA(Hwnd(), msg, wParam, MAKELPARAM(pt.x, pt.y));
    }
    void Post(UINT msg, CPoint pt, WPARAM wParam = 0) const
    {
        ::PostMessageA(Hwnd(), msg, wParam, MAKELPARAM(pt.x, pt.y));
    }
    std::vector<CXTPDockingPane*> Order() const { return group->GetPanes(); }

    TestOwner& owner;
    CXTPDockingPaneTabbedContainer* group;
    std::vector<CXTPDockingPane*> panes;
};

TEST(TabbedContainer, TabRowOnlyForTwoPanesUnlessForced)
{
    TestOwner owner;
    Group one(owner, 1);
    EXPECT_FALSE(one.group->IsTabsVisible());
    owner.paint->m_bShowTabsAlways = TRUE;
    EXPECT_TRUE(one.group->IsTabsVisible());
    owner.paint->m_bShowTabsAlways = FALSE;

    Group two(owner, 2);
    EXPECT_TRUE(two.group->IsTabsVisible());
    EXPECT_EQ(two.group->GetItemCount(), 2);
    EXPECT_STREQ(two.group->GetItem(0)->GetCaption(), "One");
    EXPECT_STREQ(two.group->GetItem(0)->GetTooltip(), "First");
}

TEST(TabbedContainer, ShowsOnlyTheSelectedPanesWindowAndAsksForIt)
{
    TestOwner owner;
    Group g(owner, 2);
    // The last added pane is selected; only its window was asked for and shown.
    EXPECT_EQ(g.group->GetSelectedPane(), g.panes[1]);
    EXPECT_TRUE(g.panes[1]->IsSelected());
    ASSERT_TRUE(g.panes[1]->IsAttached());
    EXPECT_FALSE(g.panes[0]->IsAttached());
    EXPECT_EQ(::GetParent(g.panes[1]->GetChild()), g.Hwnd());
    CRect rc;
    ::GetWindowRect(g.panes[1]->GetChild(), &rc);
    EXPECT_GT(rc.Width(), 0);
    EXPECT_LT(rc.Height(), 200) << "caption and tabs take their part";
}

TEST(TabbedContainer, PaneWindowLandsInsideAGroupMovedInTheSameDeferredBatch)
{
    TestOwner owner;
    Group g(owner, 1);
    AFX_SIZEPARENTPARAMS layout = {};
    layout.hDWP = ::BeginDeferWindowPos(2);
    g.group->OnSizeParent(&owner.frame, CRect(200, 150, 500, 350), &layout);
    ::EndDeferWindowPos(layout.hDWP);
    CRect rcGroup, rcPane;
    ::GetWindowRect(g.Hwnd(), &rcGroup);
    ::GetWindowRect(g.panes[0]->GetChild(), &rcPane);
    EXPECT_EQ(rcPane.left, rcGroup.left);
    EXPECT_EQ(rcPane.right, rcGroup.right);
    EXPECT_GT(rcPane.top, rcGroup.top);
    EXPECT_EQ(rcPane.bottom, rcGroup.bottom);
}

TEST(TabbedContainer, ClosingTheSelectedPaneSelectsTheLast)
{
    TestOwner owner;
    Group g(owner, 4);
    g.group->SelectPane(g.panes[1]);
    owner.ClosePane(g.panes[1]);
    EXPECT_EQ(g.group->GetSelectedPane(), g.panes[3]) << "the last, not the neighbour tab";
    EXPECT_TRUE(g.panes[1]->IsClosed());

    owner.ClosePane(g.panes[0]);
    EXPECT_EQ(g.group->GetSelectedPane(), g.panes[3]) << "an unselected close keeps the selection";
}

TEST(TabbedContainer, EmptiedGroupLosesItsWindowButStays)
{
    TestOwner owner;
    Group g(owner, 1);
    ASSERT_NE(g.Hwnd(), nullptr);
    owner.ClosePane(g.panes[0]);
    EXPECT_EQ(g.Hwnd(), nullptr);
    EXPECT_TRUE(g.group->IsEmpty());
    EXPECT_EQ(g.group->GetSelectedPane(), nullptr);
    g.group->AddPane(g.panes[0]);
    EXPECT_NE(g.Hwnd(), nullptr);
}

TEST(TabbedContainer, CloseButtonClosesWithNotifications)
{
    struct Case {
        const char* what;
        BOOL closeGroup;
        DWORD secondOptions;
        std::vector<int> vetoes;
        std::vector<int> closedIds;  // in closing order
    } cases[] = {
        {"selected pane alone", FALSE, 0, {}, {3}},
        {"whole group from the last", TRUE, 0, {}, {3, 2, 1}},
        {"group skips a pane that may not close", TRUE, DPO_NOCLOSE, {}, {3, 1}},
        {"a vetoed closing closes nothing", TRUE, 0, {DPA_CLOSING}, {}},
    };
    for (const Case& c : cases) {
        TestOwner owner;
        owner.closeGroup = c.closeGroup;
        owner.vetoes = c.vetoes;
        Group g(owner, 3);
        g.panes[1]->m_dwOptions = c.secondOptions;
        g.Post(WM_LBUTTONUP, g.Button(XTP_IDS_DOCKINGPANE_CLOSE));
        g.Send(WM_LBUTTONDOWN, g.Button(XTP_IDS_DOCKINGPANE_CLOSE));
        std::vector<int> closedIds;
        for (CXTPDockingPane* pPane : owner.closed)
            closedIds.push_back(static_cast<int>(pPane->m_nID));
        EXPECT_EQ(closedIds, c.closedIds) << c.what;
        EXPECT_EQ(owner.Count(DPN_ACTION, DPA_CLOSING), c.vetoes.empty() ? static_cast<int>(c.closedIds.size()) : 3)
            << c.what;
        EXPECT_EQ(owner.Count(DPN_ACTION, DPA_CLOSED), static_cast<int>(c.closedIds.size())) << c.what;
        EXPECT_EQ(::GetCapture(), nullptr) << c.what;
    }
}

TEST(TabbedContainer, ClosingTheLastPaneByItsButtonDestroysTheWindowBeingClicked)
{
    TestOwner owner;
    Group g(owner, 1);
    const HWND hWnd = g.Hwnd();
    g.Post(WM_LBUTTONUP, g.Button(XTP_IDS_DOCKINGPANE_CLOSE));
    ::SendMessageA(hWnd, WM_LBUTTONDOWN, 0, MAKELPARAM(g.Button(XTP_IDS_DOCKINGPANE_CLOSE).x,
                                                      g.Button(XTP_IDS_DOCKINGPANE_CLOSE).y));
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_TRUE(g.group->IsEmpty());
    EXPECT_TRUE(g.panes[0]->IsClosed());
    EXPECT_EQ(::GetParent(g.panes[0]->GetChild()), owner.park);
}

TEST(TabbedContainer, ButtonPressEndsWithoutClickOutsideOrOnEscape)
{
    struct Case {
        const char* what;
        UINT msg;
        WPARAM wParam;
        bool moveAway;
    } cases[] = {
        {"released outside", WM_LBUTTONUP, 0, true},
        {"Escape", WM_KEYDOWN, VK_ESCAPE, false},
        {"cancel mode", WM_CANCELMODE, 0, false},
        {"right button", WM_RBUTTONDOWN, 0, false},
    };
    for (const Case& c : cases) {
        TestOwner owner;
        Group g(owner, 2);
        CPoint pt = g.Button(XTP_IDS_DOCKINGPANE_CLOSE);
        if (c.moveAway)
            g.Post(WM_MOUSEMOVE, CPoint(5, 100));
        g.Post(c.msg, c.moveAway ? CPoint(5, 100) : pt, c.wParam);
        if (!c.moveAway && c.msg != WM_LBUTTONUP)
            g.Post(WM_LBUTTONUP, pt);  // stays queued when the loop ended on the message before
        g.Send(WM_LBUTTONDOWN, pt);
        TestOwner::Pump();
        EXPECT_TRUE(owner.closed.empty()) << c.what;
        EXPECT_FALSE(g.group->FindCaptionButton(XTP_IDS_DOCKINGPANE_CLOSE)->IsPressed()) << c.what;
    }
}

TEST(TabbedContainer, ButtonPressKeepsTheQuitMessage)
{
    TestOwner owner;
    Group g(owner, 2);
    ::PostQuitMessage(5);
    g.Send(WM_LBUTTONDOWN, g.Button(XTP_IDS_DOCKINGPANE_CLOSE));
    EXPECT_TRUE(owner.closed.empty());
    EXPECT_EQ(::GetCapture(), nullptr);
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 5u);
}

TEST(TabbedContainer, AutoHideButtonHidesTheGroupUnlessVetoed)
{
    for (bool veto : {false, true}) {
        TestOwner owner;
        if (veto)
            owner.vetoes = {DPA_HIDING};
        Group g(owner, 2);
        g.Post(WM_LBUTTONUP, g.Button(XTP_IDS_DOCKINGPANE_AUTOHIDE));
        g.Send(WM_LBUTTONDOWN, g.Button(XTP_IDS_DOCKINGPANE_AUTOHIDE));
        EXPECT_EQ(owner.autoHidden.size(), veto ? 0u : 1u);
        EXPECT_EQ(owner.Count(DPN_ACTION, DPA_HIDDEN), veto ? 0 : 1);
        if (!veto) {
            EXPECT_EQ(owner.autoHidden[0], g.group) << "the manager hides whole groups";
        }
    }
}

TEST(TabbedContainer, CaptionButtonsFollowTheSelectedPanesOptions)
{
    TestOwner owner;
    Group g(owner, 1);
    CXTPDockingPaneCaptionButton* pClose = g.group->FindCaptionButton(XTP_IDS_DOCKINGPANE_CLOSE);
    CXTPDockingPaneCaptionButton* pPin = g.group->FindCaptionButton(XTP_IDS_DOCKINGPANE_AUTOHIDE);
    EXPECT_TRUE(pClose->IsVisible());
    EXPECT_TRUE(pPin->IsVisible());
    g.panes[0]->m_dwOptions = DPO_NOCLOSE | DPO_NOHIDE;
    EXPECT_FALSE(pClose->IsVisible());
    EXPECT_FALSE(pPin->IsVisible());
    g.panes[0]->m_dwOptions = 0;
    pPin->m_dwState = 0;  // as in a floating group
    EXPECT_FALSE(pPin->IsVisible());
    g.panes[0]->m_dwOptions = DPO_NOCAPTION;
    EXPECT_FALSE(g.group->IsCaptionVisible());
}

TEST(TabbedContainer, TipsNameTheCaptionButtonsAndTheTabs)
{
    TestOwner owner;
    Group g(owner, 2);
    struct Case {
        CPoint pt;
        INT_PTR id;
        const char* text;
    } cases[] = {
        {g.Button(XTP_IDS_DOCKINGPANE_CLOSE), XTP_IDS_DOCKINGPANE_CLOSE, "Close"},
        {g.Button(XTP_IDS_DOCKINGPANE_AUTOHIDE), XTP_IDS_DOCKINGPANE_AUTOHIDE, "AutoHide"},
        {g.Tab(0), 0, "First"},
    };
    for (const Case& c : cases) {
        TOOLINFOA_T ti = {};
        ti.cbSize = sizeof(ti);
        EXPECT_EQ(g.group->OnToolHitTest(c.pt, &ti), c.id);
        ASSERT_NE(ti.lpszText, nullptr);
        EXPECT_STREQ(ti.lpszText, c.text);
        std::free(ti.lpszText);
    }
    TOOLINFOA_T ti = {};
    ti.cbSize = sizeof(ti);
    EXPECT_EQ(g.group->OnToolHitTest(CPoint(150, 100), &ti), -1);
}

TEST(TabbedContainer, DraggedTabSwapsWithItsNeighbourAndTearsOutOffTheRow)
{
    TestOwner owner;
    Group g(owner, 3);
    // Where the tabs were when the drag began: the row is only laid out again by the frame.
    const CPoint ptFirst = g.Tab(0), ptSecond = g.Tab(1), ptOff(ptSecond.x, 40);
    g.Send(WM_LBUTTONDOWN, ptFirst);
    EXPECT_EQ(g.group->GetSelectedPane(), g.panes[0]);
    EXPECT_EQ(::GetCapture(), g.Hwnd());

    g.Send(WM_MOUSEMOVE, ptSecond);
    std::vector<CXTPDockingPane*> swapped = {g.panes[1], g.panes[0], g.panes[2]};
    EXPECT_EQ(g.Order(), swapped);
    EXPECT_STREQ(g.group->GetItem(1)->GetTooltip(), "First");
    g.Send(WM_MOUSEMOVE, ptSecond);
    EXPECT_EQ(g.Order(), swapped) << "over its own new place nothing moves";

    g.Send(WM_MOUSEMOVE, ptOff);  // off the row
    EXPECT_EQ(::GetCapture(), nullptr);
    ASSERT_EQ(owner.drag->m_arrDrags.size(), 1u);
    EXPECT_EQ(owner.drag->m_arrDrags[0].pElement, g.panes[0]) << "the dragged pane alone";
    CPoint ptScreen = ptOff;
    ::ClientToScreen(g.Hwnd(), &ptScreen);
    EXPECT_EQ(owner.drag->m_arrDrags[0].pt, ptScreen);
    EXPECT_EQ(g.Order(), swapped) << "tearing out leaves the order";
}

TEST(TabbedContainer, CaptionDragMovesTheWholeGroup)
{
    TestOwner owner;
    Group g(owner, 2);
    g.Send(WM_LBUTTONDOWN, CPoint(10, 8));
    ASSERT_EQ(owner.drag->m_arrDrags.size(), 1u);
    EXPECT_EQ(owner.drag->m_arrDrags[0].pElement, g.group);
}

TEST(TabbedContainer, HitTestAnswersCaptionTabOrNothing)
{
    TestOwner owner;
    Group g(owner, 2);
    EXPECT_EQ(g.group->HitTest(CPoint(10, 8)), -2);
    EXPECT_EQ(g.group->HitTest(g.Tab(0)), 0);
    EXPECT_EQ(g.group->HitTest(g.Tab(1)), 1);
    EXPECT_EQ(g.group->HitTest(CPoint(150, 100)), -1);
    g.group->m_bShowCaption = FALSE;
    EXPECT_EQ(g.group->HitTest(CPoint(10, 8)), -1);
}

TEST(TabbedContainer, AttachPointIsTheCaptionStripPlusThreeOrTheTabRow)
{
    TestOwner owner;
    Group g(owner, 2);
    CRect rcWindow;
    ::GetWindowRect(g.Hwnd(), &rcWindow);
    const int nStrip = owner.paint->GetCaptionHeight() + 3;
    CRect rc;
    EXPECT_TRUE(g.group->IsAttachPoint(rc, CPoint(rcWindow.left + 5, rcWindow.top + nStrip - 1)));
    EXPECT_EQ(rc.Height(), nStrip);
    EXPECT_FALSE(g.group->IsAttachPoint(rc, CPoint(rcWindow.left + 5, rcWindow.top + 100)));
    EXPECT_TRUE(g.group->IsAttachPoint(rc, CPoint(rcWindow.left + 5, rcWindow.bottom - 2)));
}

TEST(TabbedContainer, DoubleClicksToggleDockingOfGroupOrPane)
{
    TestOwner owner;
    Group g(owner, 2);
    g.Send(WM_LBUTTONDBLCLK, CPoint(10, 8));
    g.Send(WM_LBUTTONDBLCLK, g.Tab(0));
    g.Send(WM_LBUTTONDBLCLK, g.Button(XTP_IDS_DOCKINGPANE_CLOSE));
    g.Send(WM_LBUTTONDBLCLK, CPoint(150, 100));
    std::vector<CXTPDockingPaneBase*> expected = {g.group, g.panes[0]};
    EXPECT_EQ(owner.toggled, expected);
}

TEST(TabbedContainer, RightClickSelectsTheTabAndAsksForTheMenu)
{
    TestOwner owner;
    Group g(owner, 2);
    g.Send(WM_RBUTTONDOWN, g.Tab(0));
    EXPECT_EQ(g.group->GetSelectedPane(), g.panes[0]);
    ASSERT_EQ(owner.Count(DPN_CONTEXTMENU), 1);
    EXPECT_EQ(owner.notices.back().param,
              reinterpret_cast<LPARAM>(static_cast<CXTPDockingPaneBase*>(g.group)));
}

TEST(TabbedContainer, DataDraggedOverATabSelectsItWithoutFocus)
{
    TestOwner owner;
    owner.frame.ShowWindow(SW_SHOW);
    Group g(owner, 2);
    ::SetFocus(owner.frame.GetSafeHwnd());
    g.group->m_pDropTarget->OnDragOver(CWnd::FromHandle(g.Hwnd()), nullptr, 0, g.Tab(0));
    EXPECT_EQ(g.group->GetSelectedPane(), g.panes[0]);
    EXPECT_EQ(::GetFocus(), owner.frame.GetSafeHwnd());
    EXPECT_FALSE(g.group->m_pDropTarget->OnDrop(nullptr, nullptr, DROPEFFECT_COPY, g.Tab(0)));
}

// A group that lost its window with its last pane makes a new one that is a target again.
TEST(TabbedContainer, ItsNextWindowIsADropTargetAgain)
{
    ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
    {
        TestOwner owner;
        Group g(owner, 1);
        auto registered = [](HWND hWnd) {
            COleDropTarget probe;
            return ::RegisterDragDrop(hWnd, probe.GetDropTarget()) == DRAGDROP_E_ALREADYREGISTERED;
        };
        ASSERT_TRUE(registered(g.Hwnd()));
        g.group->RemovePane(g.panes[0]);
        ASSERT_EQ(g.Hwnd(), nullptr);
        g.group->AddPane(g.panes[0]);
        ASSERT_NE(g.Hwnd(), nullptr);
        EXPECT_TRUE(registered(g.Hwnd()));
    }
    ::OleUninitialize();
}

TEST(TabbedContainer, CaptionIsActiveWhileTheFocusIsInside)
{
    TestOwner owner;
    owner.frame.ShowWindow(SW_SHOW);
    Group g(owner, 2);
    ::SetFocus(g.panes[1]->GetChild());
    g.group->OnFocusChanged();
    EXPECT_TRUE(g.group->IsCaptionActive());
    ::SetFocus(owner.frame.GetSafeHwnd());
    g.panes[1]->OnFocusChanged();  // a pane passes it to its group
    EXPECT_FALSE(g.group->IsCaptionActive());
}

TEST(TabbedContainer, ClonesInAFreeStandingLayoutHaveNoWindow)
{
    TestOwner owner;
    Group g(owner, 3);
    g.group->SelectPane(g.panes[1]);
    TestOwner saved;
    saved.userLayout = TRUE;
    CXTPDockingPaneCloneMap map;
    auto* pClone = dynamic_cast<CXTPDockingPaneTabbedContainer*>(g.group->Clone(&saved, &map));
    ASSERT_NE(pClone, nullptr);
    EXPECT_EQ(pClone->GetSafeHwnd(), nullptr);
    ASSERT_EQ(pClone->GetPanes().size(), 3u);
    EXPECT_EQ(pClone->GetSelectedPane(), map[g.panes[1]]);
    EXPECT_EQ(g.group->GetPanes().size(), 3u) << "cloning with a map leaves the source";
}

TEST(TabbedContainer, CopyWithoutMapMovesThePanesNotIgnored)
{
    TestOwner owner;
    Group g(owner, 3);
    g.group->SelectPane(g.panes[0]);
    g.panes[2]->m_dwOptions = DPO_NOFLOAT;
    auto* pCopy = dynamic_cast<CXTPDockingPaneTabbedContainer*>(g.group->Clone(&owner, nullptr, DPO_NOFLOAT));
    ASSERT_NE(pCopy, nullptr);
    std::vector<CXTPDockingPane*> moved = {g.panes[0], g.panes[1]};
    EXPECT_EQ(pCopy->GetPanes(), moved);
    EXPECT_EQ(pCopy->GetSelectedPane(), g.panes[0]);
    std::vector<CXTPDockingPane*> left = {g.panes[2]};
    EXPECT_EQ(g.group->GetPanes(), left);
    EXPECT_EQ(g.panes[0]->m_pParentContainer, pCopy);
}

}  // namespace
