// Auto-hide panels and slide-out windows on a real manager: hiding from the pane menu's call,
// two rows per side, hover against click, the slide back reversed by a return, the limits of
// the resized edge, the ghost resize, a quit message taken during a live resize, and OLE data
// dragged over tabs.
#include "CXTPDockingPaneAutoHidePanel.h"

#include <gtest/gtest.h>

#include "COleDropTarget.h"
#include "CXTPDockingPaneAutoHideWnd.h"
#include "CXTPDockingPaneLayout.h"
#include "CXTPDockingPanePaintManager.h"
#include "CXTPTabAppearance.h"
#include "CXTPTabManagerItem.h"
#include "CXTPTabPaintManager.h"
#include "ManagerSite.h"

namespace {

CXTPDockingPaneAutoHidePanel* PanelOf(ManagerSite& site, int nDirection)
{
    return static_cast<CXTPDockingPaneAutoHidePanel*>(site.manager.m_pLayout->m_pAutoHidePanels[nDirection]);
}

// The middle of a pane's tab in its panel (panel client coordinates).
CPoint TabOf(CXTPDockingPaneAutoHidePanel* pPanel, CXTPDockingPane* pPane)
{
    for (CXTPDockingPaneAutoHideTabGroup* pRow : pPanel->m_arrTabGroups)
        for (int i = 0; i < pRow->GetItemCount(); ++i)
            if (pRow->GetItem(i)->GetData() == reinterpret_cast<DWORD_PTR>(pPane))
                return pRow->GetItem(i)->GetRect().CenterPoint();
    return CPoint(-1, -1);
}

// The class view's group and a third pane's group hidden at the left.
struct HiddenSite : ManagerSite {
    HiddenSite()
    {
        tools = manager.CreatePane(300, CRect(0, 0, 180, 140), DPD_LEFT);
        tools->SetTitle("Tools\nTools");
        Layout();
        manager.ToggleAutoHide(classView);
        manager.ToggleAutoHide(tools);
        Layout();
        panel = PanelOf(*this, DPD_LEFT);
    }
    LPARAM At(CPoint pt) { return MAKELPARAM(pt.x, pt.y); }
    CXTPDockingPaneAutoHideWnd* Open(CXTPDockingPane* pPane)
    {
        panel->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(TabOf(panel, pPane)));
        return panel->m_pActiveWnd;
    }
    CXTPDockingPane* tools = nullptr;
    CXTPDockingPaneAutoHidePanel* panel = nullptr;
};

}  // namespace

TEST(DockingPaneAutoHidePanel, TheMenusAutoHideMovesTheGroupToItsSide)
{
    ManagerSite site;
    CXTPDockingPaneTabbedContainer* pGroup = ManagerSite::GroupOf(site.classView);
    site.manager.ToggleAutoHide(site.classView);
    site.Layout();
    CXTPDockingPaneAutoHidePanel* pPanel = PanelOf(site, DPD_LEFT);
    ASSERT_NE(pPanel, nullptr);
    EXPECT_TRUE(site.classView->IsHidden());
    EXPECT_TRUE(site.explorer->IsHidden()) << "the whole group hides";
    EXPECT_FALSE(site.output->IsHidden());
    EXPECT_NE(ManagerSite::GroupOf(site.classView), pGroup);
    EXPECT_FALSE(site.manager.GetTopContainer()->ContainsPane(site.classView));
    EXPECT_TRUE(pPanel->IsWindowVisible());
    CRect rcPanel;
    pPanel->GetWindowRect(&rcPanel);
    EXPECT_EQ(rcPanel.Width(), pPanel->GetPanelThickness());
    CRect rcClient = site.ClientRect();
    EXPECT_EQ(rcClient.left, rcPanel.right) << "the docked tree starts beside the strip";

    site.manager.ToggleAutoHide(site.output);
    site.Layout();
    ASSERT_NE(PanelOf(site, DPD_BOTTOM), nullptr);
    EXPECT_TRUE(site.output->IsHidden());
}

TEST(DockingPaneAutoHidePanel, TwoGroupsGiveTwoRowsEightAndTheMarginsApart)
{
    HiddenSite site;
    ASSERT_NE(site.panel, nullptr);
    ASSERT_EQ(site.panel->m_arrTabGroups.size(), 2u);
    CXTPDockingPaneAutoHideTabGroup* pFirst = site.panel->m_arrTabGroups[0];
    CXTPDockingPaneAutoHideTabGroup* pSecond = site.panel->m_arrTabGroups[1];
    EXPECT_EQ(pFirst->GetItemCount(), 2);
    EXPECT_EQ(pSecond->GetItemCount(), 1);
    const CRect m = site.manager.GetPaintManager()->GetAutoHidePanelPaintManager()->GetAppearanceSet()->GetHeaderMargin();
    EXPECT_EQ(pSecond->m_rcGroup.top, pFirst->m_rcGroup.top + pFirst->GetItemsLength() + m.left + m.right + 8);
    EXPECT_EQ(pFirst->GetPosition(), 3) << "a left panel's tabs stand on their right";
    for (CXTPDockingPaneAutoHideTabGroup* pRow : site.panel->m_arrTabGroups)
        EXPECT_EQ(pRow->FindNavigateButton(0)->GetFlags(), xtpTabNavigateButtonNone);
}

TEST(DockingPaneAutoHidePanel, HoverOpensNothingWhileTheFrameIsInactiveAClickDoes)
{
    HiddenSite site;
    HWND hOther = ::CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 900, 100, 100, 100, nullptr, nullptr,
                                    nullptr, nullptr);
    ::SetActiveWindow(hOther);
    ::SetForegroundWindow(hOther);
    Pump();
    ASSERT_NE(::GetActiveWindow(), site.frame.GetSafeHwnd());
    site.panel->SendMessage(WM_MOUSEHOVER, 0, site.At(TabOf(site.panel, site.classView)));
    EXPECT_EQ(site.panel->m_pActiveWnd, nullptr);
    CXTPDockingPaneAutoHideWnd* pWnd = site.Open(site.classView);
    ASSERT_NE(pWnd, nullptr);
    EXPECT_EQ(pWnd->m_pGroup, ManagerSite::GroupOf(site.classView));
    EXPECT_EQ(site.frame.Count(DPA_EXPANDING), 1);
    ::DestroyWindow(hOther);

    // Active, pointing at the other row's tab slides that group out instead.
    ::SetActiveWindow(site.frame.GetSafeHwnd());
    site.panel->SendMessage(WM_MOUSEHOVER, 0, site.At(TabOf(site.panel, site.tools)));
    ASSERT_NE(site.panel->m_pActiveWnd, nullptr);
    EXPECT_EQ(site.panel->m_pActiveWnd->m_pGroup, ManagerSite::GroupOf(site.tools));
    Pump();
}

// With one group's window open, showing the selected pane of the other row opens that row.
TEST(DockingPaneAutoHidePanel, ShowPaneOpensAPaneOfAnotherRow)
{
    HiddenSite site;
    ASSERT_NE(site.Open(site.classView), nullptr);
    ASSERT_EQ(ManagerSite::GroupOf(site.tools)->GetSelectedPane(), site.tools);
    site.manager.ShowPane(site.tools);
    ASSERT_NE(site.panel->m_pActiveWnd, nullptr);
    EXPECT_EQ(site.panel->m_pActiveWnd->m_pGroup, ManagerSite::GroupOf(site.tools));
    EXPECT_TRUE(site.tools->IsFocus());
    Pump();
}

TEST(DockingPaneAutoHidePanel, PointerReturnReversesTheSlideBack)
{
    HiddenSite site;
    CXTPDockingPaneAutoHideWnd* pWnd = site.Open(site.tools);
    ASSERT_NE(pWnd, nullptr);
    const HWND hWnd = pWnd->GetSafeHwnd();
    for (int i = 0; i < 8; ++i)
        pWnd->SendMessage(WM_TIMER, CXTPDockingPaneAutoHideWnd::kTimerSlideOut, 0);
    EXPECT_EQ(pWnd->m_nStep, pWnd->m_nStepCount - 1);
    EXPECT_EQ(site.frame.Count(DPA_EXPANDED), 1);
    CRect rcFull;
    pWnd->GetWindowRect(&rcFull);

    // Pointed at once, then away from it with the focus elsewhere: six checks, then it
    // slides back.
    ::SetCursorPos(rcFull.left + 5, rcFull.top + 5);
    pWnd->SendMessage(WM_TIMER, CXTPDockingPaneAutoHideWnd::kTimerCheck, 0);
    ::SetCursorPos(rcFull.right + 200, rcFull.bottom - 5);
    ::SetFocus(site.frame.GetSafeHwnd());
    for (int i = 0; i < 6; ++i) {
        EXPECT_FALSE(pWnd->m_bSlidingBack) << i;
        pWnd->SendMessage(WM_TIMER, CXTPDockingPaneAutoHideWnd::kTimerCheck, 0);
    }
    ASSERT_TRUE(pWnd->m_bSlidingBack);
    pWnd->SendMessage(WM_TIMER, CXTPDockingPaneAutoHideWnd::kTimerSlideBack, 0);
    pWnd->SendMessage(WM_TIMER, CXTPDockingPaneAutoHideWnd::kTimerSlideBack, 0);
    const int nStep = pWnd->m_nStep;
    EXPECT_EQ(nStep, pWnd->m_nStepCount - 3);

    // Back on it: the slide reverses and goes out again.
    ::SetCursorPos(rcFull.left + 5, rcFull.top + 5);
    pWnd->SendMessage(WM_TIMER, CXTPDockingPaneAutoHideWnd::kTimerCheck, 0);
    EXPECT_FALSE(pWnd->m_bSlidingBack);
    pWnd->SendMessage(WM_TIMER, CXTPDockingPaneAutoHideWnd::kTimerSlideOut, 0);
    EXPECT_EQ(pWnd->m_nStep, nStep + 1);

    // Away again until it has slid all the way back: it closes.
    ::SetCursorPos(rcFull.right + 200, rcFull.bottom - 5);
    for (int i = 0; i < 6; ++i)
        pWnd->SendMessage(WM_TIMER, CXTPDockingPaneAutoHideWnd::kTimerCheck, 0);
    ASSERT_TRUE(pWnd->m_bSlidingBack);
    for (int i = 0; i <= nStep + 1 && ::IsWindow(hWnd) && site.panel->m_pActiveWnd; ++i)
        pWnd->SendMessage(WM_TIMER, CXTPDockingPaneAutoHideWnd::kTimerSlideBack, 0);
    EXPECT_EQ(site.panel->m_pActiveWnd, nullptr);
    EXPECT_EQ(site.frame.Count(DPA_COLLAPSED), 1);
    Pump();
    EXPECT_FALSE(::IsWindow(hWnd));
}

TEST(DockingPaneAutoHidePanel, ResizedEdgeStaysTwentySixPixelsOrTheMinimumFromEitherSide)
{
    for (LONG nMinWidth : {0L, 150L}) {
        HiddenSite site;
        site.tools->SetMinTrackSize({nMinWidth, 0});
        CXTPDockingPaneAutoHideWnd* pWnd = site.Open(site.tools);
        ASSERT_NE(pWnd, nullptr);
        const CRect T = site.manager.GetTopContainer()->GetScreenRect();
        MINMAXINFO mmi;
        pWnd->GetMinMaxInfo(&mmi, FALSE);
        CRect rcLimit, rcEdge;
        ASSERT_TRUE(pWnd->GetResizeRects(rcLimit, rcEdge));
        EXPECT_EQ(rcLimit.left, T.left + std::max<LONG>(mmi.ptMinTrackSize.x, 26)) << nMinWidth;
        EXPECT_EQ(rcLimit.right, T.right - 26) << nMinWidth;
        EXPECT_EQ(rcEdge.Width(), 4);
        if (nMinWidth)
            EXPECT_GE(rcLimit.left, T.left + 150);
        else
            EXPECT_EQ(rcLimit.left, T.left + 26);
    }
}

// The live resize loop takes the application's quit message: it must go back to the queue.
TEST(DockingPaneAutoHidePanel, QuitDuringALiveResizeIsPostedAgain)
{
    HiddenSite site;
    site.manager.m_bGhostSplitter = FALSE;
    CXTPDockingPaneAutoHideWnd* pWnd = site.Open(site.tools);
    ASSERT_NE(pWnd, nullptr);
    for (int i = 0; i < 8; ++i)
        pWnd->SendMessage(WM_TIMER, CXTPDockingPaneAutoHideWnd::kTimerSlideOut, 0);
    CRect rcClient;
    pWnd->GetClientRect(&rcClient);
    Pump();
    ::PostQuitMessage(7);
    pWnd->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rcClient.right - 2, rcClient.top + 20));
    EXPECT_FALSE(pWnd->m_bResizing);
    EXPECT_EQ(::GetCapture(), nullptr);
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
}

// The ghost bar of a resize follows the pointer, wherever the window lies on the screen.
TEST(DockingPaneAutoHidePanel, TheGhostResizeFollowsThePointer)
{
    HiddenSite site;
    ASSERT_TRUE(site.manager.IsGhostSplitter());
    CXTPDockingPaneAutoHideWnd* pWnd = site.Open(site.tools);
    ASSERT_NE(pWnd, nullptr);
    for (int i = 0; i < 8; ++i)
        pWnd->SendMessage(WM_TIMER, CXTPDockingPaneAutoHideWnd::kTimerSlideOut, 0);
    CPoint origin(0, 0);
    pWnd->ClientToScreen(&origin);
    ASSERT_GT(origin.x, 10) << "the window must lie away from the screen's edge for the check";
    CRect rcBefore, rcClient;
    pWnd->GetWindowRect(&rcBefore);
    pWnd->GetClientRect(&rcClient);
    Pump();
    const CPoint press(rcClient.right - 2, rcClient.top + 20);
    ::PostMessageA(pWnd->GetSafeHwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(press.x + 30, press.y));
    ::PostMessageA(pWnd->GetSafeHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(press.x + 30, press.y));
    pWnd->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(press.x, press.y));
    CRect rcAfter;
    pWnd->GetWindowRect(&rcAfter);
    EXPECT_NEAR(rcBefore.Width() + 30, rcAfter.Width(), 2);
}

// OLE data dragged over a tab opens its pane without the focus, also while the frame is
// inactive; the panel never takes the data.
TEST(DockingPaneAutoHidePanel, DataDraggedOverATabOpensItsPaneAndIsNeverTaken)
{
    HiddenSite site;
    ::SetFocus(site.frame.GetSafeHwnd());
    HWND hOther = ::CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 900, 100, 100, 100, nullptr, nullptr,
                                    nullptr, nullptr);
    ::SetActiveWindow(hOther);
    Pump();
    const HWND hFocus = ::GetFocus();
    IDropTarget* pTarget = site.panel->m_pDropTarget->GetDropTarget();
    auto screen = [&](CXTPDockingPane* pPane) {
        CPoint pt = TabOf(site.panel, pPane);
        site.panel->ClientToScreen(&pt);
        return POINTL{pt.x, pt.y};
    };
    const DWORD kOffered = DROPEFFECT_COPY | DROPEFFECT_MOVE;

    DWORD dwEffect = kOffered;
    ASSERT_EQ(pTarget->DragEnter(nullptr, MK_LBUTTON, screen(site.classView), &dwEffect), S_OK)
        << "the panel is registered";
    EXPECT_EQ(dwEffect, static_cast<DWORD>(DROPEFFECT_NONE));
    CXTPDockingPaneAutoHideWnd* pFirst = site.panel->m_pActiveWnd;
    ASSERT_NE(pFirst, nullptr);
    EXPECT_EQ(pFirst->m_pGroup->GetSelectedPane(), site.classView);
    EXPECT_EQ(::GetFocus(), hFocus);

    struct Step {
        CXTPDockingPane* pPane;  // whose tab the data is over; null: beside the tabs
        CXTPDockingPane* pShown;
        int nExpanding, nCollapsed;
    } steps[] = {
        {site.classView, site.classView, 1, 0},  // already shown: left open
        {site.explorer, site.explorer, 2, 1},    // its group's other pane
        {site.tools, site.tools, 3, 2},          // the other row
        {nullptr, site.tools, 3, 2},
    };
    for (const Step& step : steps) {
        dwEffect = kOffered;
        POINTL pt = {0, 0};
        if (step.pPane) {
            pt = screen(step.pPane);
        } else {
            CRect rc;
            site.panel->GetWindowRect(&rc);
            pt = {rc.left + 2, rc.bottom - 2};
        }
        EXPECT_EQ(pTarget->DragOver(MK_LBUTTON, pt, &dwEffect), S_OK);
        EXPECT_EQ(dwEffect, static_cast<DWORD>(DROPEFFECT_NONE));
        ASSERT_NE(site.panel->m_pActiveWnd, nullptr);
        EXPECT_EQ(site.panel->m_pActiveWnd->m_pGroup->GetSelectedPane(), step.pShown);
        EXPECT_EQ(site.frame.Count(DPA_EXPANDING), step.nExpanding);
        EXPECT_EQ(site.frame.Count(DPA_COLLAPSED), step.nCollapsed);
        EXPECT_EQ(::GetFocus(), hFocus);
    }
    dwEffect = kOffered;
    EXPECT_EQ(pTarget->Drop(nullptr, MK_LBUTTON, screen(site.classView), &dwEffect), S_OK);
    EXPECT_EQ(dwEffect, static_cast<DWORD>(DROPEFFECT_NONE));
    ::DestroyWindow(hOther);
    Pump();
}

// An emptied panel loses its window; the window it makes when a pane returns is a target again.
TEST(DockingPaneAutoHidePanel, ThePanelsNextWindowIsADropTargetAgain)
{
    HiddenSite site;
    auto registered = [](HWND hWnd) {
        COleDropTarget probe;
        return ::RegisterDragDrop(hWnd, probe.GetDropTarget()) == DRAGDROP_E_ALREADYREGISTERED;
    };
    ASSERT_TRUE(registered(site.panel->GetSafeHwnd()));
    for (CXTPDockingPane* pPane : {site.classView, site.explorer, site.tools})
        site.manager.ClosePane(pPane);
    site.Layout();
    ASSERT_EQ(site.panel->GetSafeHwnd(), nullptr);
    site.manager.ShowPane(site.tools);
    site.Layout();
    ASSERT_EQ(ManagerSite::GroupOf(site.tools)->m_pParentContainer, site.panel);
    ASSERT_NE(site.panel->GetSafeHwnd(), nullptr);
    EXPECT_TRUE(registered(site.panel->GetSafeHwnd()));
    Pump();
}
