// The drag context on a real manager: edge hits, the start threshold, drops that dock, float
// or do nothing, targets that are never offered, the markers and previews, and the desktop
// lock on every way out.
#include "CXTPDockingPaneDragContext.h"

#include <gtest/gtest.h>

#include "CXTPDockingPaneStickerWnd.h"
#include "ManagerSite.h"

namespace {

CPoint Centre(const CRect& rc)
{
    return CPoint((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
}

// The drag state Move and FindDockTarget need, without the loop.
void Prepare(CXTPDockingPaneDragContext* pContext, CXTPDockingPaneBase* pElement, BOOL bStickers)
{
    pContext->m_pElement = pElement;
    pContext->m_bCanFloat = TRUE;
    pContext->m_bUseAlpha = pContext->m_bUseStickers = bStickers;
    pContext->m_rcFloat = pElement->GetScreenRect();
    pContext->m_ptLast = Centre(pContext->m_rcFloat);
    pContext->m_pTarget = nullptr;
    pContext->m_bAttach = pContext->m_bLastAttach = FALSE;
}

}  // namespace

TEST(DockingPaneDragContext, EdgeHitsBelowTwentyPixelsAndTiesTakeTheTop)
{
    ManagerSite site;
    CXTPDockingPaneDragContext* pContext = site.manager.m_pDragContext;
    Prepare(pContext, site.output, FALSE);
    CXTPDockingPaneBase* pTop = site.manager.GetTopContainer();
    const CRect rc(100, 100, 300, 300);
    struct Case {
        CPoint pt;
        BOOL bInside;
        int nDirection;  // -1: no hit
    } cases[] = {
        {{150, 119}, TRUE, DPD_TOP},     {{150, 120}, TRUE, -1},         {{150, 281}, TRUE, DPD_BOTTOM},
        {{150, 280}, TRUE, -1},          {{119, 150}, TRUE, DPD_LEFT},   {{281, 150}, TRUE, DPD_RIGHT},
        {{110, 110}, TRUE, DPD_TOP},     {{290, 290}, TRUE, DPD_BOTTOM}, {{99, 150}, TRUE, -1},
        {{150, 81}, FALSE, DPD_TOP},     {{150, 80}, FALSE, -1},         {{150, 110}, FALSE, -1},
        {{319, 150}, FALSE, DPD_RIGHT},  {{90, 90}, FALSE, DPD_TOP},
    };
    for (const Case& c : cases) {
        pContext->m_pTarget = nullptr;
        const BOOL bHit = pContext->DockHitTest(rc, c.pt, pTop, c.bInside);
        EXPECT_EQ(bHit, c.nDirection >= 0) << c.pt.x << "," << c.pt.y << " inside " << c.bInside;
        if (bHit) {
            EXPECT_EQ(pContext->m_nDirection, c.nDirection) << c.pt.x << "," << c.pt.y;
            EXPECT_EQ(pContext->m_pTarget, pTop);
        }
    }
    // A vetoed docking is no hit.
    site.frame.vetoes = {DPA_DOCKING};
    EXPECT_FALSE(pContext->DockHitTest(rc, CPoint(150, 110), pTop, TRUE));
}

TEST(DockingPaneDragContext, PressWithoutMovingMoreThanFourPixelsChangesNothing)
{
    ManagerSite site;
    CXTPDockingPaneTabbedContainer* pGroup = ManagerSite::GroupOf(site.output);
    const CPoint ptStart = Centre(pGroup->GetScreenRect());
    // Far enough to dock at the client's left edge, had the drag started.
    PostDrag(site.frame.GetSafeHwnd(), {CPoint(ptStart.x + 4, ptStart.y - 4), CPoint(ptStart.x - 4, ptStart.y + 4)});
    site.manager.m_pDragContext->Drag(pGroup, ptStart.x, ptStart.y);
    EXPECT_EQ(ManagerSite::GroupOf(site.output), pGroup);
    EXPECT_EQ(site.frame.Count(DPA_DOCKED) + site.frame.Count(DPA_FLOATED) + site.frame.Count(DPA_ATTACHED), 0);
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST(DockingPaneDragContext, DropNearTheClientsLeftEdgeDocksThereAndCtrlFloatsInstead)
{
    for (BOOL bControl : {FALSE, TRUE}) {
        ManagerSite site;
        CXTPDockingPaneTabbedContainer* pGroup = ManagerSite::GroupOf(site.output);
        const CRect rcClient = site.ClientRect();
        const CPoint ptStart = Centre(pGroup->GetScreenRect());
        const CPoint ptDrop(rcClient.left + 5, Centre(rcClient).y);
        if (bControl) {
            // Wine takes the modifier state from the display's pointer events: the pointer
            // is in place before Ctrl goes down, and the messages are queued without moving it.
            ::SetCursorPos(ptDrop.x, ptDrop.y);
            ::Sleep(50);
            Pump();
            PressControl(site.frame.GetSafeHwnd(), TRUE);
            ASSERT_LT(::GetKeyState(VK_CONTROL), 0);
            ::PostMessageA(site.frame.GetSafeHwnd(), WM_MOUSEMOVE, MK_LBUTTON, 0);
            ::PostMessageA(site.frame.GetSafeHwnd(), WM_LBUTTONUP, 0, 0);
        } else {
            PostDrag(site.frame.GetSafeHwnd(), {CPoint(ptStart.x, ptStart.y - 30), ptDrop});
        }
        site.manager.m_pDragContext->Drag(pGroup, ptStart.x, ptStart.y);
        if (bControl)
            PressControl(site.frame.GetSafeHwnd(), FALSE);

        EXPECT_EQ(site.frame.Count(DPA_DOCKED), bControl ? 0 : 1) << bControl;
        EXPECT_EQ(site.frame.Count(DPA_FLOATED), bControl ? 1 : 0) << bControl;
        if (bControl)
            continue;
        // Beside the client, before it, in the splitter that holds it.
        auto* pParent = dynamic_cast<CXTPDockingPaneSplitterContainer*>(site.manager.GetClientPane()->m_pParentContainer);
        ASSERT_NE(pParent, nullptr);
        ASSERT_TRUE(pParent->IsHoriz());
        ASSERT_EQ(pParent->GetChildren().size(), 2u);
        EXPECT_EQ(pParent->GetChildren()[0], site.output->m_pParentContainer);
        EXPECT_EQ(pParent->GetChildren()[1], site.manager.GetClientPane());
    }
}

TEST(DockingPaneDragContext, TheDraggedGroupIsNeverATarget)
{
    ManagerSite site;
    CXTPDockingPaneDragContext* pContext = site.manager.m_pDragContext;
    CXTPDockingPaneTabbedContainer* pLeft = ManagerSite::GroupOf(site.classView);
    CRect rcCaption;
    ASSERT_TRUE(pLeft->IsAttachPoint(rcCaption, pLeft->GetScreenRect().TopLeft() + CPoint(20, 5)));
    const CPoint ptCaption = rcCaption.CenterPoint(), ptInside = Centre(pLeft->GetScreenRect()) + CPoint(0, 30);

    // Another group over its caption joins it; the group itself, or a pane in it, does not.
    Prepare(pContext, ManagerSite::GroupOf(site.output), FALSE);
    pContext->FindDockTarget(ptCaption.x, ptCaption.y);
    EXPECT_EQ(pContext->m_pTarget, pLeft);
    EXPECT_TRUE(pContext->m_bAttach);
    for (CXTPDockingPaneBase* pDragged : {static_cast<CXTPDockingPaneBase*>(pLeft),
                                           static_cast<CXTPDockingPaneBase*>(site.manager.GetTopContainer())}) {
        for (CPoint pt : {ptCaption, ptInside}) {
            for (BOOL bStickers : {FALSE, TRUE}) {
                Prepare(pContext, pDragged, bStickers);
                pContext->m_pHost = nullptr;
                pContext->FindDockTarget(pt.x, pt.y);
                EXPECT_NE(pContext->m_pTarget, pLeft) << pDragged->GetType() << " stickers " << bStickers;
                EXPECT_NE(pContext->m_pHost, pLeft) << pDragged->GetType() << " stickers " << bStickers;
            }
        }
    }
}

TEST(DockingPaneDragContext, MarkersOfferNoCentreOverTheClientAndPreviewTranslucently)
{
    ManagerSite site;
    site.manager.m_bAlphaDragPreview = site.manager.m_bDragStickers = TRUE;
    CXTPDockingPaneDragContext* pContext = site.manager.m_pDragContext;
    ASSERT_NE(pContext->m_pfnSetLayeredWindowAttributes, nullptr);
    Prepare(pContext, ManagerSite::GroupOf(site.output), TRUE);
    pContext->BeginTracking();

    const CRect rcClient = site.ClientRect();
    pContext->Move(Centre(rcClient) + CPoint(60, 60));  // beside the cross
    ASSERT_EQ(pContext->m_lstStickers.size(), 5u);
    EXPECT_EQ(pContext->m_lstStickers[0]->m_nParts, 15) << "the client's cross has no centre";
    const int nEdges[] = {xtpPaneStickerTop, xtpPaneStickerLeft, xtpPaneStickerBottom, xtpPaneStickerRight};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(pContext->m_lstStickers[i + 1]->m_nParts, nEdges[i]);
    CRect rcCross;
    ::GetWindowRect(pContext->m_lstStickers[0]->GetSafeHwnd(), &rcCross);
    const CPoint c = Centre(rcClient);
    EXPECT_EQ(rcCross, CRect(c.x - 46, c.y - 46, c.x + 47, c.y + 47));
    EXPECT_EQ(pContext->m_pTarget, nullptr);
    // The preview is the floating rectangle, 100 of 255 opaque.
    HWND hAlpha = pContext->m_wndAlpha.GetSafeHwnd();
    ASSERT_NE(hAlpha, nullptr);
    BYTE alpha = 0;
    DWORD dwFlags = 0;
    ASSERT_TRUE(::GetLayeredWindowAttributes(hAlpha, nullptr, &alpha, &dwFlags));
    EXPECT_EQ(alpha, 100);
    EXPECT_EQ(dwFlags, static_cast<DWORD>(LWA_ALPHA));
    CRect rcAlpha;
    ::GetWindowRect(hAlpha, &rcAlpha);
    EXPECT_EQ(rcAlpha, pContext->m_rcFloat);

    // On the cross's left arrow: docking left of the client, the arrow highlighted.
    pContext->Move(rcCross.TopLeft() + CPoint(10, 46));
    EXPECT_EQ(pContext->m_pTarget, site.manager.GetClientPane());
    EXPECT_EQ(pContext->m_nDirection, DPD_LEFT);
    EXPECT_EQ(pContext->m_lstStickers[0]->m_nHotPart, xtpPaneStickerLeft);
    ::GetWindowRect(pContext->m_wndAlpha.GetSafeHwnd(), &rcAlpha);
    EXPECT_EQ(rcAlpha, pContext->m_rcDock);
    EXPECT_EQ(rcAlpha.left, rcClient.left);

    // Over a tab group the cross has its centre, which attaches.
    CXTPDockingPaneTabbedContainer* pLeft = ManagerSite::GroupOf(site.classView);
    const CPoint g = Centre(pLeft->GetScreenRect());
    pContext->Move(g + CPoint(60, 60));
    ASSERT_FALSE(pContext->m_lstStickers.empty());
    EXPECT_EQ(pContext->m_lstStickers[0]->m_nParts, xtpPaneStickerCross);
    pContext->Move(g);
    EXPECT_EQ(pContext->m_pTarget, pLeft);
    EXPECT_TRUE(pContext->m_bAttach);
    EXPECT_NE(pContext->m_wndAlphaTab.GetSafeHwnd(), nullptr);

    pContext->EndTracking();
    EXPECT_TRUE(pContext->m_lstStickers.empty());
    EXPECT_EQ(pContext->m_wndAlpha.GetSafeHwnd(), nullptr);
    EXPECT_EQ(pContext->m_wndAlphaTab.GetSafeHwnd(), nullptr);
}

// The drag's windows are made at the press, hidden; moves only show, place and hide them.
TEST(DockingPaneDragContext, MarkersComeAndGoWithoutNewWindowsAndReturnUnlit)
{
    ManagerSite site;
    site.manager.m_bAlphaDragPreview = site.manager.m_bDragStickers = TRUE;
    CXTPDockingPaneDragContext* pContext = site.manager.m_pDragContext;
    Prepare(pContext, ManagerSite::GroupOf(site.output), TRUE);
    pContext->BeginTracking();
    EXPECT_TRUE(pContext->m_lstStickers.empty());
    for (CXTPDockingPaneStickerWnd* pSticker : pContext->m_lstHiddenStickers)
        EXPECT_FALSE(::IsWindowVisible(pSticker->GetSafeHwnd()));
    EXPECT_FALSE(::IsWindowVisible(pContext->m_wndAlpha.GetSafeHwnd())) << "nothing shows before a move";

    auto shown = [&] {
        std::vector<HWND> hWnds;
        for (CXTPDockingPaneStickerWnd* pSticker : pContext->m_lstStickers) {
            EXPECT_TRUE(::IsWindowVisible(pSticker->GetSafeHwnd()));
            hWnds.push_back(pSticker->GetSafeHwnd());
        }
        return hWnds;
    };
    // The client's cross with its left arrow lit, then the caption of a group: no markers.
    const CRect rcClient = site.ClientRect();
    pContext->Move(Centre(rcClient) + CPoint(-36, 0));
    ASSERT_EQ(pContext->m_lstStickers[0]->m_nHotPart, xtpPaneStickerLeft);
    const std::vector<HWND> first = shown();
    ASSERT_EQ(first.size(), 5u);
    CXTPDockingPaneTabbedContainer* pLeft = ManagerSite::GroupOf(site.classView);
    CRect rcCaption;
    pLeft->IsAttachPoint(rcCaption, pLeft->GetScreenRect().TopLeft());
    pContext->Move(rcCaption.CenterPoint());
    EXPECT_TRUE(pContext->m_bAttach);
    EXPECT_TRUE(pContext->m_lstStickers.empty());
    for (HWND hWnd : first)
        EXPECT_FALSE(::IsWindowVisible(hWnd));

    // Over the group: the same windows again, the cross at the group with its centre, unlit.
    const CPoint g = Centre(pLeft->GetScreenRect());
    pContext->Move(g + CPoint(60, 60));
    const std::vector<HWND> again = shown();
    EXPECT_EQ(again, first);
    ASSERT_EQ(pContext->m_lstStickers.size(), 5u);
    EXPECT_EQ(pContext->m_lstStickers[0]->m_nParts, xtpPaneStickerCross);
    EXPECT_EQ(pContext->m_lstStickers[0]->m_nHotPart, 0);
    CRect rcCross;
    ::GetWindowRect(again[0], &rcCross);
    EXPECT_EQ(rcCross, CRect(g.x - 46, g.y - 46, g.x + 47, g.y + 47));
    // From the group to the client the cross moves and loses its centre; the edges stay.
    pContext->Move(Centre(rcClient) + CPoint(60, 60));
    EXPECT_EQ(shown(), first);
    EXPECT_EQ(pContext->m_lstStickers[0]->m_nParts, 15);

    pContext->EndTracking();
    for (HWND hWnd : first)
        EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_TRUE(pContext->m_lstHiddenStickers.empty());
}

TEST(DockingPaneDragContext, WithoutTheLayeredWindowFunctionTheOutlineIsUsed)
{
    ManagerSite site;
    site.manager.m_bAlphaDragPreview = site.manager.m_bDragStickers = TRUE;
    CXTPDockingPaneDragContext* pContext = site.manager.m_pDragContext;
    pContext->m_pfnSetLayeredWindowAttributes = nullptr;
    CXTPDockingPaneTabbedContainer* pGroup = ManagerSite::GroupOf(site.output);
    const CPoint pt = Centre(pGroup->GetScreenRect());
    PostDrag(site.frame.GetSafeHwnd(), {pt});
    pContext->Drag(pGroup, pt.x, pt.y);
    EXPECT_FALSE(pContext->m_bUseAlpha);
    EXPECT_FALSE(pContext->m_bUseStickers);
}

TEST(DockingPaneDragContext, MovesOffTheWorkAreaStopAtTheLastOverlap)
{
    ManagerSite site;
    CXTPDockingPaneDragContext* pContext = site.manager.m_pDragContext;
    Prepare(pContext, ManagerSite::GroupOf(site.output), FALSE);
    pContext->m_rcFloat = CRect(100, 100, 300, 200);
    pContext->m_ptLast = CPoint(150, 150);
    pContext->Move(CPoint(160, 140));
    EXPECT_EQ(pContext->m_rcFloat, CRect(110, 90, 310, 190));
    pContext->Move(CPoint(160, -5000));
    EXPECT_EQ(pContext->m_rcFloat, CRect(110, 90, 310, 190));
    EXPECT_EQ(pContext->m_ptLast, CPoint(160, -5000));
}

// A capture held elsewhere ends the drag before its loop: the desktop lock and DC taken
// for the outline must not stay behind.
TEST(DockingPaneDragContext, DesktopLockIsUndoneWhenTheCaptureIsTaken)
{
    ManagerSite site;
    CXTPDockingPaneDragContext* pContext = site.manager.m_pDragContext;
    CXTPDockingPaneTabbedContainer* pGroup = ManagerSite::GroupOf(site.output);
    HWND hOther = site.manager.GetSafeHwnd();
    ::SetCapture(hOther);
    const CPoint pt = Centre(pGroup->GetScreenRect());
    pContext->Drag(pGroup, pt.x, pt.y);
    EXPECT_EQ(::GetCapture(), hOther) << "another's capture is left alone";
    ::ReleaseCapture();
    EXPECT_EQ(pContext->m_hDC, nullptr);
    EXPECT_TRUE(::LockWindowUpdate(site.frame.GetSafeHwnd())) << "the desktop is still locked";
    ::LockWindowUpdate(nullptr);
}
