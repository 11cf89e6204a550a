// The floating mini frame on a real manager: its title and the groups' captions, Close
// greyed when nothing may close, double clicks that dock back or unroll, the roll-up in
// eight heights, a drop that moves it and a drop above the screen, and its saved form.
#include "CXTPDockingPaneMiniWnd.h"

#include <gtest/gtest.h>

#include "CArchive.h"
#include "CMemFile.h"
#include "CXTPDockingPaneDragContext.h"
#include "CXTPDockingPaneLayout.h"
#include "CXTPDockingPanePaintManager.h"
#include "CXTPPropExchangeArchive.h"
#include "ManagerSite.h"

namespace {

CXTPDockingPaneMiniWnd* FloatingFrameOf(CXTPDockingPane* pPane)
{
    return pPane->m_pParentContainer ? dynamic_cast<CXTPDockingPaneMiniWnd*>(pPane->m_pParentContainer->m_pDockingSite)
                                     : nullptr;
}

CString TextOf(HWND hWnd)
{
    char text[256] = {};
    ::GetWindowTextA(hWnd, text, sizeof text);
    return CString(text);
}

}  // namespace

TEST(DockingPaneMiniWnd, OneGroupGivesItsTitleTwoGiveTheFloatingCaption)
{
    ManagerSite site;
    site.manager.m_strFloatingCaption = "Panes";
    CXTPDockingPaneTabbedContainer* pDocked = ManagerSite::GroupOf(site.output);
    site.manager.FloatPane(site.output, CRect(300, 300, 500, 420));
    CXTPDockingPaneMiniWnd* pFrame = FloatingFrameOf(site.output);
    ASSERT_NE(pFrame, nullptr);
    EXPECT_TRUE(site.output->IsFloating());
    EXPECT_TRUE(pFrame->IsWindowVisible());
    EXPECT_EQ(pFrame->GetStyle() & 0xFFFFFFFF, 0x80CC1100u | WS_VISIBLE | WS_CLIPSIBLINGS)
        << std::hex << pFrame->GetStyle();
    EXPECT_STREQ(TextOf(pFrame->GetSafeHwnd()), "Message window");
    CXTPDockingPaneTabbedContainer* pFloating = ManagerSite::GroupOf(site.output);
    EXPECT_NE(pFloating, pDocked);
    EXPECT_FALSE(pFloating->m_bShowCaption) << "the frame's caption is the group's";
    EXPECT_EQ(::GetParent(pFloating->GetSafeHwnd()), pFrame->GetSafeHwnd());
    site.manager.SyncPaneHolders();
    EXPECT_EQ(site.manager.GetPaneHolder(site.output, TRUE), pFloating);
    EXPECT_EQ(site.manager.GetPaneHolder(site.output, FALSE), pDocked);

    // The class view's group docked below it in the frame: two groups.
    site.manager.DockPane(ManagerSite::GroupOf(site.classView), DPD_BOTTOM, pFloating);
    EXPECT_EQ(FloatingFrameOf(site.classView), pFrame);
    EXPECT_STREQ(TextOf(pFrame->GetSafeHwnd()), "Panes");
    EXPECT_TRUE(ManagerSite::GroupOf(site.output)->m_bShowCaption);
    EXPECT_TRUE(ManagerSite::GroupOf(site.classView)->m_bShowCaption);
}

TEST(DockingPaneMiniWnd, CloseIsGreyedWhenNoPaneMayClose)
{
    for (DWORD dwOptions : {DWORD(0), DWORD(DPO_NOCLOSE)}) {
        ManagerSite site;
        site.output->SetOptions(dwOptions);
        site.manager.FloatPane(site.output, CRect(300, 300, 500, 420));
        CXTPDockingPaneMiniWnd* pFrame = FloatingFrameOf(site.output);
        ASSERT_NE(pFrame, nullptr);
        HMENU hMenu = ::GetSystemMenu(pFrame->GetSafeHwnd(), FALSE);
        const UINT nState = ::GetMenuState(hMenu, SC_CLOSE, MF_BYCOMMAND);
        ASSERT_NE(nState, static_cast<UINT>(-1)) << "without string 61457 the system's Close stays";
        EXPECT_EQ((nState & MF_GRAYED) != 0, dwOptions != 0) << dwOptions;
        EXPECT_EQ(pFrame->m_bCloseEnabled, dwOptions == 0);
        EXPECT_EQ(pFrame->FindCaptionButton(XTP_IDS_DOCKINGPANE_CLOSE)->IsVisible(), dwOptions == 0);
        EXPECT_EQ(::GetMenuState(hMenu, SC_MAXIMIZE, MF_BYCOMMAND), static_cast<UINT>(-1));
        EXPECT_EQ(::GetMenuState(hMenu, SC_MINIMIZE, MF_BYCOMMAND), static_cast<UINT>(-1));

        // The system menu's Close closes what may close; the frame stays the layout's.
        site.frame.notices.clear();
        pFrame->SendMessage(WM_CLOSE, 0, 0);
        EXPECT_TRUE(::IsWindow(pFrame->GetSafeHwnd()));
        EXPECT_EQ(site.output->IsClosed(), dwOptions == 0) << dwOptions;
        EXPECT_EQ(site.frame.Count(DPA_CLOSED), dwOptions == 0 ? 1 : 0);
    }
}

TEST(DockingPaneMiniWnd, DoubleClickDocksBackOrOnlyUnrolls)
{
    ManagerSite site;
    CXTPDockingPaneTabbedContainer* pDocked = ManagerSite::GroupOf(site.output);
    site.manager.FloatPane(site.output, CRect(300, 300, 500, 420));
    CXTPDockingPaneMiniWnd* pFrame = FloatingFrameOf(site.output);
    ASSERT_NE(pFrame, nullptr);
    site.manager.SyncPaneHolders();

    pFrame->Collapse();
    pFrame->SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(320, 305));
    EXPECT_FALSE(pFrame->m_bCollapsed);
    EXPECT_EQ(FloatingFrameOf(site.output), pFrame) << "a collapsed frame only unrolls";

    pFrame->SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(320, 305));
    EXPECT_EQ(site.output->m_pParentContainer, pDocked);
    EXPECT_FALSE(site.output->IsFloating());
    EXPECT_EQ(site.frame.Count(DPA_DOCKED), 1);
    pFrame->RecalcLayout();
    EXPECT_FALSE(pFrame->IsWindowVisible()) << "emptied, the frame hides";
}

TEST(DockingPaneMiniWnd, RollsUpAfterSixTicksInEightHeights)
{
    ManagerSite site;
    site.manager.SetThemedMiniFrames(TRUE);
    site.manager.FloatPane(site.output, CRect(300, 300, 500, 500));
    CXTPDockingPaneMiniWnd* pFrame = FloatingFrameOf(site.output);
    ASSERT_NE(pFrame, nullptr);
    ::SetCursorPos(5, 1000);
    ::SetFocus(site.frame.GetSafeHwnd());
    CRect rc;
    pFrame->GetWindowRect(&rc);
    const int nHeight = rc.Height();
    const int nCaption = site.manager.GetPaintManager()->GetCaptionHeight();

    pFrame->OnCaptionButtonClick(pFrame->FindCaptionButton(XTP_IDS_DOCKINGPANE_AUTOHIDE));
    ASSERT_TRUE(pFrame->m_bCollapsed);
    EXPECT_EQ(pFrame->m_nExpandedHeight, nHeight);
    for (int i = 0; i < 5; ++i)
        pFrame->SendMessage(WM_TIMER, CXTPDockingPaneMiniWnd::kTimerCollapse, 0);
    EXPECT_FALSE(pFrame->m_bAnimating) << "five ticks are not enough";
    pFrame->SendMessage(WM_TIMER, CXTPDockingPaneMiniWnd::kTimerCollapse, 0);
    ASSERT_TRUE(pFrame->m_bAnimating);
    for (int k = 7; k >= 0; --k) {
        pFrame->SendMessage(WM_TIMER, CXTPDockingPaneMiniWnd::kTimerAnimate, 0);
        pFrame->GetWindowRect(&rc);
        EXPECT_EQ(rc.Height(), std::max(k * nHeight / 8, nCaption + 8)) << k;
    }
    pFrame->SendMessage(WM_TIMER, CXTPDockingPaneMiniWnd::kTimerAnimate, 0);
    EXPECT_FALSE(pFrame->m_bAnimating);

    // Pointing at the caption unrolls it at once, for eight ticks.
    pFrame->SendMessage(WM_NCMOUSEMOVE, HTCAPTION, MAKELPARAM(rc.left + 5, rc.top + 5));
    pFrame->GetWindowRect(&rc);
    EXPECT_EQ(rc.Height(), nHeight);
    EXPECT_EQ(pFrame->m_nCollapseDelay, 8);
}

// Showing a pane of a rolled-up frame unrolls it at once, for eight ticks; a frame still
// unrolled keeps its count.
TEST(DockingPaneMiniWnd, ShowingAPaneUnrollsItsRolledUpFrame)
{
    ManagerSite site;
    site.manager.SetThemedMiniFrames(TRUE);
    site.manager.FloatPane(ManagerSite::GroupOf(site.classView), CRect(300, 300, 500, 500));
    CXTPDockingPaneMiniWnd* pFrame = FloatingFrameOf(site.classView);
    ASSERT_NE(pFrame, nullptr);
    ASSERT_EQ(FloatingFrameOf(site.explorer), pFrame);
    ::SetCursorPos(5, 1000);
    ::SetFocus(site.frame.GetSafeHwnd());
    CRect rc;
    pFrame->GetWindowRect(&rc);
    const int nHeight = rc.Height();

    pFrame->OnCaptionButtonClick(pFrame->FindCaptionButton(XTP_IDS_DOCKINGPANE_AUTOHIDE));
    for (int i = 0; i < 2; ++i)
        pFrame->SendMessage(WM_TIMER, CXTPDockingPaneMiniWnd::kTimerCollapse, 0);
    site.manager.ShowPane(site.classView);
    EXPECT_EQ(pFrame->m_nCollapseDelay, 4) << "not rolled up yet";

    ::SetFocus(site.frame.GetSafeHwnd());
    for (int i = 0; i < 4; ++i)
        pFrame->SendMessage(WM_TIMER, CXTPDockingPaneMiniWnd::kTimerCollapse, 0);
    for (int i = 0; i < 9; ++i)
        pFrame->SendMessage(WM_TIMER, CXTPDockingPaneMiniWnd::kTimerAnimate, 0);
    pFrame->GetWindowRect(&rc);
    ASSERT_LT(rc.Height(), nHeight);
    // The group's other pane, not selected: the group selects it and the frame unrolls.
    ASSERT_NE(ManagerSite::GroupOf(site.explorer)->GetSelectedPane(), site.explorer);
    site.manager.ShowPane(site.explorer);
    EXPECT_EQ(ManagerSite::GroupOf(site.explorer)->GetSelectedPane(), site.explorer);
    pFrame->GetWindowRect(&rc);
    EXPECT_EQ(rc.Height(), nHeight);
    EXPECT_TRUE(pFrame->m_bCollapsed) << "it rolls up again later";
    EXPECT_EQ(pFrame->m_nStep, pFrame->m_nStepCount);
    EXPECT_EQ(pFrame->m_nCollapseDelay, 8);
}

TEST(DockingPaneMiniWnd, DropsMoveTheFrameAndNeverAboveTheScreen)
{
    ManagerSite site;
    site.manager.FloatPane(site.output, CRect(300, 300, 500, 420));
    CXTPDockingPaneMiniWnd* pFrame = FloatingFrameOf(site.output);
    ASSERT_NE(pFrame, nullptr);
    CRect rcBefore;
    pFrame->GetWindowRect(&rcBefore);
    const CPoint ptStart(rcBefore.left + 30, rcBefore.top + 8);
    // Up far beyond the screen's top edge, at a point no target takes.
    PostDrag(site.frame.GetSafeHwnd(), {CPoint(ptStart.x + 500, ptStart.y + 40), CPoint(ptStart.x + 500, 2)});
    site.manager.m_pDragContext->Drag(pFrame->GetTopContainer(), ptStart.x, ptStart.y);
    CRect rcAfter;
    pFrame->GetWindowRect(&rcAfter);
    EXPECT_EQ(rcAfter.top, 0);
    EXPECT_EQ(rcAfter.left, rcBefore.left + 500);
    EXPECT_EQ(rcAfter.Size(), rcBefore.Size());
    EXPECT_EQ(FloatingFrameOf(site.output), pFrame);
    EXPECT_EQ(site.frame.Count(DPA_FLOATED), 1);
}

TEST(DockingPaneMiniWnd, SavedRectangleCollapsedStateAndHeightReload)
{
    CMemFile file;
    CRect rcSaved;
    {
        ManagerSite site;
        site.manager.SetThemedMiniFrames(TRUE);
        site.manager.FloatPane(site.output, CRect(300, 300, 520, 460));
        CXTPDockingPaneMiniWnd* pFrame = FloatingFrameOf(site.output);
        ASSERT_NE(pFrame, nullptr);
        pFrame->GetWindowRect(&rcSaved);
        pFrame->Collapse();
        CXTPDockingPaneLayout layout(&site.manager);
        site.manager.GetLayout(&layout);
        CArchive archive(&file, CArchive::store);
        CXTPPropExchangeArchive px(archive);
        EXPECT_TRUE(layout.DoPropExchange(&px));
        archive.Close();
    }
    file.SeekToBegin();
    ManagerSite site;
    site.manager.SetThemedMiniFrames(TRUE);
    CXTPDockingPaneLayout layout(&site.manager);
    {
        CArchive archive(&file, CArchive::load);
        CXTPPropExchangeArchive px(archive);
        ASSERT_TRUE(layout.DoPropExchange(&px));
    }
    site.manager.SetLayout(&layout);
    CXTPDockingPane* pOutput = site.manager.FindPane(202);
    ASSERT_NE(pOutput, nullptr);
    CXTPDockingPaneMiniWnd* pFrame = FloatingFrameOf(pOutput);
    ASSERT_NE(pFrame, nullptr);
    EXPECT_TRUE(pFrame->m_bCollapsed);
    EXPECT_EQ(pFrame->m_nExpandedHeight, rcSaved.Height());
    CRect rc;
    pFrame->GetWindowRect(&rc);
    EXPECT_EQ(rc.TopLeft(), rcSaved.TopLeft());
    EXPECT_EQ(rc.Width(), rcSaved.Width());
    EXPECT_EQ(rc.Height(), site.manager.GetPaintManager()->GetCaptionHeight() + 8) << "rolled up";
}
