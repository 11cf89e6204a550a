// The drag context: the modal loop, docking targets by edge distance or by markers, the
// outline and translucent previews, the marker windows and their shapes, and the drop.
#include "CXTPDockingPaneDragContext.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <map>

#include "CDC.h"
#include "CFrameWnd.h"
#include "CXTPColorManager.h"
#include "CXTPDockingPane.h"
#include "CXTPDockingPaneManager.h"
#include "CXTPDockingPaneSplitterContainer.h"
#include "CXTPDockingPaneStickerWnd.h"
#include "CXTPDockingPaneTabbedContainer.h"
#include "CXTPDrawHelpers.h"
#include "CXTPTrackingLoop.h"
#include "MoveRectToContainPoint.h"
#include "ResourceIds.h"

namespace {

enum {
    kStickerBackdrop = XTP_IDB_DOCKING_MARKER_BACKDROP,
    kStickerAtlas = XTP_IDB_DOCKING_MARKERS,
    kStickerAtlasOlive = XTP_IDB_DOCKING_MARKERS_OLIVE,
    kStickerAtlasSilver = XTP_IDB_DOCKING_MARKERS_SILVER
};
// The colour the marker artwork leaves transparent.
const COLORREF kStickerMask = RGB(0, 255, 0);
// How near an edge the pointer docks, and the thickness of the outline.
const int kDockDistance = 20;
const int kOutline = 4;

// The cross's pieces in drawing and testing order, with their part bits.
struct StickerPart {
    int nPart;
    int nPiece;
};
const StickerPart kDrawOrder[] = {{xtpPaneStickerTop, 0},
                                  {xtpPaneStickerLeft, 1},
                                  {xtpPaneStickerBottom, 2},
                                  {xtpPaneStickerRight, 3},
                                  {xtpPaneStickerCenter, 4}};
const int kHighlighted = 5;
const int kBackdropPiece = 10;

int DirectionOfPart(int nPart)
{
    switch (nPart) {
    case xtpPaneStickerLeft:
        return DPD_LEFT;
    case xtpPaneStickerRight:
        return DPD_RIGHT;
    case xtpPaneStickerTop:
        return DPD_TOP;
    default:
        return DPD_BOTTOM;
    }
}

// The cached region of a part mask: top 0, left 1, bottom 2, right 3, cross 4, else 0.
int RegionIndex(int nParts)
{
    switch (nParts) {
    case xtpPaneStickerLeft:
        return 1;
    case xtpPaneStickerBottom:
        return 2;
    case xtpPaneStickerRight:
        return 3;
    default:
        return (nParts & 15) == 15 ? 4 : 0;
    }
}

// The marker bitmaps loaded once per process; they are small and never change.
HBITMAP StickerBitmap(UINT nID)
{
    static std::map<UINT, HBITMAP> s_bitmaps;
    auto it = s_bitmaps.find(nID);
    if (it != s_bitmaps.end())
        return it->second;
    HBITMAP hBitmap = static_cast<HBITMAP>(
        ::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(nID), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    s_bitmaps[nID] = hBitmap;
    return hBitmap;
}

// A piece of marker artwork, masked; made once per process: markers are drawn at every move
// that changes them, and making a piece costs more than drawing it.
HIMAGELIST StickerPiece(UINT nBitmap, const XTPDockingPaneStickerPiece& piece)
{
    static std::map<std::pair<UINT, const XTPDockingPaneStickerPiece*>, HIMAGELIST> s_pieces;
    HIMAGELIST& hList = s_pieces[{nBitmap, &piece}];
    if (hList)
        return hList;
    HBITMAP hSource = StickerBitmap(nBitmap);
    if (!hSource)
        return nullptr;
    const CRect rcSource(piece.rcSource);
    const int cx = rcSource.Width(), cy = rcSource.Height();
    HDC hScreen = ::GetDC(nullptr);
    HDC hSourceDC = ::CreateCompatibleDC(hScreen);
    HDC hPieceDC = ::CreateCompatibleDC(hScreen);
    HBITMAP hPiece = ::CreateCompatibleBitmap(hScreen, cx, cy);
    ::ReleaseDC(nullptr, hScreen);
    HGDIOBJ hOldSource = ::SelectObject(hSourceDC, hSource);
    HGDIOBJ hOldPiece = ::SelectObject(hPieceDC, hPiece);
    ::BitBlt(hPieceDC, 0, 0, cx, cy, hSourceDC, rcSource.left, rcSource.top, SRCCOPY);
    ::SelectObject(hPieceDC, hOldPiece);
    ::SelectObject(hSourceDC, hOldSource);
    ::DeleteDC(hPieceDC);
    ::DeleteDC(hSourceDC);
    hList = ImageList_Create(cx, cy, ILC_COLOR24 | ILC_MASK, 1, 0);
    if (hList)
        ImageList_AddMasked(hList, hPiece, kStickerMask);
    ::DeleteObject(hPiece);
    return hList;
}

// The 4-pixel frame of rc, clipped to it.
HRGN FrameRegion(const CRect& rc)
{
    HRGN hRgn = ::CreateRectRgnIndirect(&rc);
    CRect rcInner = rc;
    rcInner.DeflateRect(kOutline, kOutline);
    if (!rcInner.IsRectEmpty()) {
        HRGN hInner = ::CreateRectRgnIndirect(&rcInner);
        ::CombineRgn(hRgn, hRgn, hInner, RGN_DIFF);
        ::DeleteObject(hInner);
    }
    return hRgn;
}

// The tab of an attach preview: its height and width in rc.
CSize AttachTabSize(const CRect& rc)
{
    return CSize(std::min(rc.Width() - 5, 50), std::min(rc.Height() / 2, 20));
}

// The outline the outline form shows for rc; a tab-shaped one when attaching.
HRGN OutlineRegion(const CRect& rc, BOOL bAttach)
{
    if (rc.IsRectEmpty())
        return ::CreateRectRgn(0, 0, 0, 0);
    if (!bAttach)
        return FrameRegion(rc);
    const CSize szTab = AttachTabSize(rc);
    CRect rcBody(rc.left, rc.top, rc.right, rc.bottom - szTab.cy);
    CRect rcTab(rc.left + 5, rc.bottom - szTab.cy - kOutline, rc.left + 5 + szTab.cx, rc.bottom);
    HRGN hRgn = FrameRegion(rcBody);
    HRGN hTab = FrameRegion(rcTab);
    ::CombineRgn(hRgn, hRgn, hTab, RGN_OR);
    CRect rcSeam;
    rcSeam.IntersectRect(&rcBody, &rcTab);
    rcSeam.DeflateRect(kOutline, 0);
    if (!rcSeam.IsRectEmpty()) {
        HRGN hSeam = FrameRegion(rcSeam);
        ::CombineRgn(hRgn, hRgn, hSeam, RGN_XOR);
        ::DeleteObject(hSeam);
    }
    ::DeleteObject(hTab);
    return hRgn;
}

}  // namespace

const XTPDockingPaneStickerPiece CXTPDockingPaneDragContext::s_arrStickerPieces[11] = {
    {25, 0, {0, 0, 43, 30}},    {0, 25, {30, 33, 60, 76}},   {25, 63, {43, 0, 86, 30}},  {63, 25, {0, 33, 30, 76}},
    {30, 30, {86, 0, 119, 33}}, {25, 0, {0, 76, 43, 106}},   {0, 25, {90, 33, 120, 76}}, {25, 63, {43, 76, 86, 106}},
    {63, 25, {60, 33, 90, 76}}, {30, 30, {86, 76, 119, 109}}, {25, 25, {0, 0, 43, 43}},
};

CXTPDockingPaneDragContext::CXTPDockingPaneDragContext(CXTPDockingPaneManager* pManager) : m_pManager(pManager)
{
    if (HMODULE hUser = ::GetModuleHandleA("USER32"))
        m_pfnSetLayeredWindowAttributes =
            reinterpret_cast<PFNSETLAYEREDWINDOWATTRIBUTES>(
            reinterpret_cast<void (*)()>(::GetProcAddress(hUser, "SetLayeredWindowAttributes")));
}

CXTPDockingPaneDragContext::~CXTPDockingPaneDragContext()
{
    DestroyStickers();
    for (HRGN& hRgn : m_rgnSticker) {
        if (hRgn)
            ::DeleteObject(hRgn);
        hRgn = nullptr;
    }
    if (m_wndAlpha.GetSafeHwnd())
        m_wndAlpha.DestroyWindow();
    if (m_wndAlphaTab.GetSafeHwnd())
        m_wndAlphaTab.DestroyWindow();
}

UINT CXTPDockingPaneDragContext::GetStickerAtlas()
{
    switch (GetColorManager()->GetCurrentSystemTheme()) {
    case 2:
        return kStickerAtlasOlive;
    case 3:
        return kStickerAtlasSilver;
    default:
        return kStickerAtlas;
    }
}

void CXTPDockingPaneDragContext::Drag(CXTPDockingPaneBase* pElement, int x, int y)
{
    if (!pElement || !m_pManager)
        return;
    // A floating frame's content moves the whole frame, borders and caption included.
    CRect rcElement = pElement->GetScreenRect();
    CWnd* pSite = pElement->GetDockingSiteWnd();
    if (pElement->GetType() == DPT_SPLITTER && pSite && pSite->GetSafeHwnd() && pSite != m_pManager->GetSite())
        pSite->GetWindowRect(&rcElement);
    m_rcFloat = MoveRectToContainPoint(rcElement, x, y);
    m_ptLast = m_ptStart = CPoint(x, y);
    m_pElement = pElement;
    m_hDC = nullptr;
    m_pTarget = nullptr;
    m_bLastAttach = m_bAttach = FALSE;
    m_bCanFloat = TRUE;
    m_bUseAlpha = m_pManager->m_bAlphaDragPreview && m_pfnSetLayeredWindowAttributes;
    m_bUseStickers = m_bUseAlpha && m_pManager->m_bDragStickers;

    CXTPDockingPaneBaseList panes;
    pElement->FindPane(DPT_PANE, &panes);
    for (CXTPDockingPaneBase* pBase : panes) {
        auto* pPane = static_cast<CXTPDockingPane*>(pBase);
        if (m_pManager->NotifyOwner(DPA_FLOATING, pPane, nullptr) || (pPane->GetOptions() & DPO_NOFLOAT))
            m_bCanFloat = FALSE;
    }
    BeginTracking();
    TrackLoop();
    // The loop may return before it captures: the desktop lock and DC must not outlive the drag.
    EndTracking();
    m_pElement = m_pTarget = m_pHost = nullptr;
}

void CXTPDockingPaneDragContext::BeginTracking()
{
    m_rcLast.SetRectEmpty();
    m_rcHost.SetRectEmpty();
    m_pHost = nullptr;
    if (m_bUseAlpha) {
        // The translucent windows are made hidden now, while nothing moves, and live for the
        // whole drag: a move only shows, places or hides them.
        CWnd* pOwner = m_pManager->GetSite();
        m_wndAlpha.CreateAlphaWnd(pOwner, m_pfnSetLayeredWindowAttributes);
        m_wndAlphaTab.CreateAlphaWnd(pOwner, m_pfnSetLayeredWindowAttributes);
        if (m_bUseStickers)
            PrepareStickers();
        return;
    }
    // The screen is brought up to date before it is drawn on.
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE)) {
        if (!::GetMessageA(&msg, nullptr, WM_PAINT, WM_PAINT)) {
            // Kept for the application's own loop; the drag goes on without a desktop DC.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        ::DispatchMessageA(&msg);
    }
    HWND hDesktop = ::GetDesktopWindow();
    m_bLocked = ::LockWindowUpdate(hDesktop);
    m_hDC = ::GetDCEx(hDesktop, nullptr, DCX_WINDOW | DCX_CACHE | (m_bLocked ? DCX_LOCKWINDOWUPDATE : 0));
}

void CXTPDockingPaneDragContext::EndTracking()
{
    if (m_hCapture && ::GetCapture() == m_hCapture)
        ::ReleaseCapture();
    m_hCapture = nullptr;
    if (m_hDC) {
        DrawTracker(TRUE);
        ::ReleaseDC(::GetDesktopWindow(), m_hDC);
        m_hDC = nullptr;
    }
    if (m_bLocked) {
        ::LockWindowUpdate(nullptr);
        m_bLocked = FALSE;
    }
    if (m_wndAlpha.GetSafeHwnd())
        m_wndAlpha.DestroyWindow();
    if (m_wndAlphaTab.GetSafeHwnd())
        m_wndAlphaTab.DestroyWindow();
    DestroyStickers();
    for (HRGN& hRgn : m_rgnSticker) {
        if (hRgn)
            ::DeleteObject(hRgn);
        hRgn = nullptr;
    }
    m_rcLast.SetRectEmpty();
}

void CXTPDockingPaneDragContext::TrackLoop()
{
    if (::GetCapture())
        return;
    CWnd* pSite = m_pElement->GetDockingSiteWnd();
    HWND hCapture = pSite ? pSite->GetSafeHwnd() : nullptr;
    if (!hCapture)
        return;
    m_hCapture = hCapture;
    BOOL bStarted = FALSE;
    // Ctrl, pressed or let go, redraws the drag at the last point (it keeps the pane from docking).
    const BOOL bDropped = CXTPTrackingLoop().HoldKeys().Run(hCapture, [&](const MSG& msg) {
        switch (msg.message) {
        case WM_MOUSEMOVE:
            if (bStarted || std::abs(msg.pt.x - m_ptStart.x) > 4 || std::abs(msg.pt.y - m_ptStart.y) > 4) {
                Move(msg.pt);
                bStarted = TRUE;
                m_ptStart = CPoint(0, 0);
            }
            return CXTPTrackingLoop::kNext;
        case WM_KEYDOWN:
        case WM_KEYUP:
            if (msg.wParam == VK_CONTROL) {
                Move(m_ptLast);
                bStarted = TRUE;
                m_ptStart = CPoint(0, 0);
                return CXTPTrackingLoop::kNext;
            }
            if (msg.wParam == VK_ESCAPE)
                return CXTPTrackingLoop::kCancel;
            break;
        }
        return CXTPTrackingLoop::kDefault;
    }) == CXTPTrackingLoop::kReleased;
    EndTracking();
    if (!bDropped || !bStarted)
        return;

    CXTPDockingPaneBaseList panes;
    m_pElement->FindPane(DPT_PANE, &panes);
    int nAfter;
    if (m_bAttach && m_pTarget) {
        m_pManager->AttachPane(m_pElement, m_pTarget);
        nAfter = DPA_ATTACHED;
    } else if (m_pTarget) {
        m_pManager->DockPane(m_pElement,
                             static_cast<XTPDockingPaneDirection>(m_pManager->MirrorDirection(m_nDirection)),
                             m_pTarget);
        nAfter = DPA_DOCKED;
    } else if (m_bCanFloat) {
        if (m_rcFloat.top < 0)
            m_rcFloat.OffsetRect(0, -m_rcFloat.top);
        CWnd* pFrame = m_pElement->GetType() == DPT_SPLITTER ? m_pElement->GetDockingSiteWnd() : nullptr;
        if (pFrame && pFrame->GetSafeHwnd())
            ::MoveWindow(pFrame->GetSafeHwnd(), m_rcFloat.left, m_rcFloat.top, m_rcFloat.Width(),
                         m_rcFloat.Height(), TRUE);
        else
            m_pManager->FloatPane(m_pElement, m_rcFloat);
        nAfter = DPA_FLOATED;
    } else {
        return;
    }
    for (CXTPDockingPaneBase* pPane : panes)
        m_pManager->NotifyOwner(nAfter, static_cast<CXTPDockingPane*>(pPane), nullptr, 0);
}

void CXTPDockingPaneDragContext::Move(POINT pt)
{
    CRect rcMoved = m_rcFloat;
    rcMoved.OffsetRect(pt.x - m_ptLast.x, pt.y - m_ptLast.y);
    CRect rcWork = CXTPDrawHelpers::GetWorkAreaFromRect(m_rcFloat);
    CRect rcMeet;
    if (rcMeet.IntersectRect(&rcMoved, &rcWork))
        m_rcFloat = rcMoved;

    m_pTarget = nullptr;
    m_bAttach = FALSE;
    m_rcHost.SetRectEmpty();
    m_pHost = nullptr;
    if (::GetKeyState(VK_CONTROL) >= 0)
        FindDockTarget(pt.x, pt.y);
    m_ptLast = pt;

    if (m_bUseStickers) {
        UpdateStickers();
        BOOL bHit = FALSE;
        for (auto it = m_lstStickers.rbegin(); it != m_lstStickers.rend(); ++it) {
            CXTPDockingPaneStickerWnd* pSticker = *it;
            int nHot = 0;
            const int nPart = bHit ? 0 : StickerHitTest(pSticker, pt);
            if (nPart) {
                bHit = TRUE;
                if (pSticker->IsCross()) {
                    m_pTarget = m_pHost;
                    m_rcDock = m_rcHost;
                } else {
                    m_pTarget = m_pManager->GetTopContainer();
                    m_rcDock = m_pTarget ? m_pTarget->GetScreenRect() : CRect();
                }
                if (nPart == xtpPaneStickerCenter) {
                    m_bAttach = TRUE;
                    nHot = nPart;
                    if (!m_pTarget || !CanAttach(m_pTarget)) {
                        m_pTarget = nullptr;
                        m_bAttach = FALSE;
                        nHot = 0;
                    }
                } else {
                    m_nDirection = static_cast<XTPDockingPaneDirection>(DirectionOfPart(nPart));
                    if (!m_pTarget || !CanDock(m_pTarget, m_nDirection)) {
                        m_pTarget = nullptr;
                    } else {
                        m_pManager->GetDockingRect(m_rcDock, m_pElement, m_nDirection, m_pTarget);
                        nHot = nPart;
                    }
                }
            }
            if (pSticker->m_nHotPart != nHot) {
                pSticker->m_nHotPart = nHot;
                ::InvalidateRect(pSticker->GetSafeHwnd(), nullptr, FALSE);
            }
        }
    }
    DrawTracker(FALSE);
}

void CXTPDockingPaneDragContext::FindDockTarget(int x, int y)
{
    const CPoint pt(x, y);
    std::vector<DockingPaneInfo>* pList = m_pManager->GetPaneList();
    if (pList) {
        for (DockingPaneInfo& info : *pList) {
            CXTPDockingPaneBase* pGroup = info.pPane ? info.pPane->m_pParentContainer : nullptr;
            if (!pGroup || pGroup->GetType() != DPT_TABBED || !pGroup->m_pParentContainer ||
                pGroup->m_pParentContainer->GetType() != DPT_SPLITTER)
                continue;
            HWND hGroup = pGroup->GetPaneHwnd();
            if (!hGroup || !(::GetWindowLongA(hGroup, GWL_STYLE) & WS_VISIBLE))
                continue;
            CRect rc = pGroup->GetScreenRect();
            m_rcDock = rc;
            // Neither the dragged element nor anything inside it is a target.
            if (m_pElement->ContainsPane(pGroup))
                continue;
            CRect rcAttach;
            if (static_cast<CXTPDockingPaneTabbedContainer*>(pGroup)->IsAttachPoint(rcAttach, pt) &&
                CanAttach(pGroup)) {
                m_pTarget = pGroup;
                m_bAttach = TRUE;
                return;
            }
            if (!m_bUseStickers) {
                if (DockHitTest(rc, pt, pGroup, TRUE))
                    return;
            } else if (rc.PtInRect(pt)) {
                m_pHost = pGroup;
                m_rcHost = rc;
                return;
            }
        }
    }
    CXTPDockingPaneBase* pClient = m_pManager->GetClientPane();
    CXTPDockingPaneBase* pTop = m_pManager->GetTopContainer();
    if (!m_bUseStickers) {
        if (pClient && DockHitTest(pClient->GetScreenRect(), pt, pClient, TRUE))
            return;
        if (pTop)
            DockHitTest(pTop->GetScreenRect(), pt, pTop, FALSE);
        return;
    }
    if (pClient && pClient->GetScreenRect().PtInRect(pt)) {
        m_pHost = pClient;
        m_rcHost = pClient->GetScreenRect();
    } else if (pTop && pTop->GetScreenRect().PtInRect(pt)) {
        m_rcHost = pTop->GetScreenRect();
    }
}

BOOL CXTPDockingPaneDragContext::DockHitTest(CRect rc, CPoint pt, CXTPDockingPaneBase* pElement, BOOL bInside)
{
    const CRect rcElement = pElement->GetScreenRect();
    if (rcElement.Width() == 0 || rcElement.Height() == 0)
        return FALSE;
    CRect rcTest = rc;
    if (!bInside)
        rcTest.InflateRect(kDockDistance, kDockDistance);
    if (!rcTest.PtInRect(pt))
        return FALSE;
    const int nSign = bInside ? 1 : -1;
    const struct {
        int nDirection;
        int nDistance;
    } edges[] = {{DPD_TOP, pt.y - rc.top},
                 {DPD_BOTTOM, rc.bottom - pt.y},
                 {DPD_LEFT, pt.x - rc.left},
                 {DPD_RIGHT, rc.right - pt.x}};
    int nBest = kDockDistance;
    int nDirection = -1;
    for (const auto& edge : edges) {
        if (std::abs(edge.nDistance) < nBest && edge.nDistance * nSign >= 0) {
            nDirection = edge.nDirection;
            nBest = std::abs(edge.nDistance);
        }
    }
    if (nDirection < 0 || !CanDock(pElement, nDirection))
        return FALSE;
    m_nDirection = static_cast<XTPDockingPaneDirection>(nDirection);
    m_pTarget = pElement;
    m_pManager->GetDockingRect(m_rcDock, m_pElement, m_nDirection, pElement);
    return TRUE;
}

BOOL CXTPDockingPaneDragContext::CanDock(CXTPDockingPaneBase* pTarget, int nDirection)
{
    CXTPDockingPaneBaseList panes;
    m_pElement->FindPane(DPT_PANE, &panes);
    for (CXTPDockingPaneBase* pPane : panes)
        if (m_pManager->NotifyOwner(DPA_DOCKING, static_cast<CXTPDockingPane*>(pPane), pTarget, nDirection))
            return FALSE;
    return TRUE;
}

BOOL CXTPDockingPaneDragContext::CanAttach(CXTPDockingPaneBase* pTarget)
{
    CXTPDockingPaneBaseList panes;
    m_pElement->FindPane(DPT_PANE, &panes);
    for (CXTPDockingPaneBase* pPane : panes)
        if (m_pManager->NotifyOwner(DPA_ATTACHING, static_cast<CXTPDockingPane*>(pPane), pTarget, 0))
            return FALSE;
    return TRUE;
}

void CXTPDockingPaneDragContext::DestroyStickers()
{
    for (auto* pList : {&m_lstStickers, &m_lstHiddenStickers}) {
        for (CXTPDockingPaneStickerWnd* pSticker : *pList) {
            if (pSticker->GetSafeHwnd())
                pSticker->DestroyWindow();
            delete pSticker;
        }
        pList->clear();
    }
}

void CXTPDockingPaneDragContext::PrepareStickers()
{
    // The pieces of the current colours, plain and highlighted, and the shapes: the cross
    // first, then the edge arrows, so that the edge arrows lie above a cross they overlap.
    const UINT nAtlas = GetStickerAtlas();
    for (int i = 0; i < kBackdropPiece; ++i)
        StickerPiece(nAtlas, s_arrStickerPieces[i]);
    StickerPiece(kStickerBackdrop, s_arrStickerPieces[kBackdropPiece]);
    const struct {
        int nParts;
        CSize size;
    } shapes[] = {{xtpPaneStickerCross, {93, 93}},
                  {xtpPaneStickerTop, {43, 30}},
                  {xtpPaneStickerLeft, {30, 43}},
                  {xtpPaneStickerBottom, {43, 30}},
                  {xtpPaneStickerRight, {30, 43}}};
    for (const auto& shape : shapes) {
        if (CXTPDockingPaneStickerWnd* pSticker = MakeStickerWnd(shape.size, shape.nParts))
            m_lstHiddenStickers.push_back(pSticker);
    }
}

void CXTPDockingPaneDragContext::UpdateStickers()
{
    // Markers that go are hidden, not destroyed: the drag shows them again when the host
    // changes, and making a window costs more than a move may take.
    std::vector<CXTPDockingPaneStickerWnd*> lstShown;
    lstShown.swap(m_lstStickers);
    auto hideRest = [&] {
        for (CXTPDockingPaneStickerWnd* pSticker : lstShown) {
            ::SetWindowPos(pSticker->GetSafeHwnd(), nullptr, 0, 0, 0, 0,
                           SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
            m_lstHiddenStickers.push_back(pSticker);
        }
        lstShown.clear();
    };
    if (m_rcHost.IsRectEmpty()) {
        hideRest();
        return;
    }
    const CPoint c((m_rcHost.left + m_rcHost.right) / 2, (m_rcHost.top + m_rcHost.bottom) / 2);
    const CRect rcCross(c.x - 46, c.y - 46, c.x + 47, c.y + 47);
    if (!lstShown.empty()) {
        CRect rcFirst;
        ::GetWindowRect(lstShown.front()->GetSafeHwnd(), &rcFirst);
        if (rcFirst == rcCross || (!m_pHost && lstShown.size() == 4)) {
            m_lstStickers.swap(lstShown);
            return;
        }
    }
    auto place = [&](const CRect& rc, int nParts) {
        if (CXTPDockingPaneStickerWnd* pSticker = TakeSticker(lstShown, rc, nParts))
            ShowSticker(pSticker, rc, nParts);
        else
            CreateSticker(rc, nParts);
    };
    if (m_pHost)
        place(rcCross, m_pHost->GetType() == DPT_TABBED ? xtpPaneStickerCross : 15);
    CXTPDockingPaneBase* pTop = m_pManager->GetTopContainer();
    if (pTop) {
        const CRect T = pTop->GetScreenRect();
        const int mx = (T.left + T.right) / 2, my = (T.top + T.bottom) / 2;
        place(CRect(mx - 21, T.top + 16, mx + 22, T.top + 46), xtpPaneStickerTop);
        place(CRect(T.left + 16, my - 21, T.left + 46, my + 22), xtpPaneStickerLeft);
        place(CRect(mx - 21, T.bottom - 46, mx + 22, T.bottom - 16), xtpPaneStickerBottom);
        place(CRect(T.right - 46, my - 21, T.right - 16, my + 22), xtpPaneStickerRight);
    }
    hideRest();
}

CXTPDockingPaneStickerWnd* CXTPDockingPaneDragContext::TakeSticker(std::vector<CXTPDockingPaneStickerWnd*>& lstShown,
                                                                  const CRect& rc, int nParts)
{
    const int nIndex = RegionIndex(nParts);
    auto take = [&](std::vector<CXTPDockingPaneStickerWnd*>& list, bool bAtRect) -> CXTPDockingPaneStickerWnd* {
        for (auto it = list.begin(); it != list.end(); ++it) {
            CXTPDockingPaneStickerWnd* pSticker = *it;
            if (RegionIndex(pSticker->m_nParts) != nIndex)
                continue;
            CRect rcNow;
            ::GetWindowRect(pSticker->GetSafeHwnd(), &rcNow);
            if (bAtRect && rcNow != rc)
                continue;
            list.erase(it);
            return pSticker;
        }
        return nullptr;
    };
    if (CXTPDockingPaneStickerWnd* pSticker = take(lstShown, true))
        return pSticker;
    if (CXTPDockingPaneStickerWnd* pSticker = take(lstShown, false))
        return pSticker;
    return take(m_lstHiddenStickers, false);
}

void CXTPDockingPaneDragContext::ShowSticker(CXTPDockingPaneStickerWnd* pSticker, const CRect& rc, int nParts)
{
    HWND hWnd = pSticker->GetSafeHwnd();
    m_lstStickers.push_back(pSticker);
    if (!::IsWindowVisible(hWnd)) {
        // A hidden window is painted whole when it shows.
        pSticker->m_nParts = nParts;
        pSticker->m_nHotPart = 0;
        ::SetWindowPos(hWnd, nullptr, rc.left, rc.top, rc.Width(), rc.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        return;
    }
    // A shown one keeps its hot part as drawn; the move that follows repaints what changes.
    CRect rcNow;
    ::GetWindowRect(hWnd, &rcNow);
    if (rcNow != rc)
        ::SetWindowPos(hWnd, nullptr, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    if (pSticker->m_nParts != nParts) {
        pSticker->m_nParts = nParts;
        ::InvalidateRect(hWnd, nullptr, FALSE);
    }
}

CXTPDockingPaneStickerWnd* CXTPDockingPaneDragContext::CreateSticker(CRect rc, int nParts)
{
    CXTPDockingPaneStickerWnd* pSticker = MakeStickerWnd(rc.Size(), nParts);
    if (pSticker)
        ShowSticker(pSticker, rc, nParts);
    return pSticker;
}

CXTPDockingPaneStickerWnd* CXTPDockingPaneDragContext::MakeStickerWnd(CSize size, int nParts)
{
    auto* pSticker = new CXTPDockingPaneStickerWnd(this);
    CWnd* pSite = m_pManager->GetSite();
    const char* lpszClass = AfxRegisterWndClass(0, ::LoadCursorA(nullptr, IDC_ARROW));
    if (!pSticker->CreateEx(WS_EX_TOOLWINDOW, lpszClass, "", WS_POPUP, 0, 0, 0, 0,
                            pSite ? pSite->GetSafeHwnd() : nullptr, nullptr)) {
        delete pSticker;
        return nullptr;
    }
    pSticker->m_nParts = nParts;

    const int nIndex = RegionIndex(nParts);
    if (!m_rgnSticker[nIndex]) {
        const int cx = size.cx, cy = size.cy;
        HDC hScreen = ::GetDC(nullptr);
        HDC hMem = ::CreateCompatibleDC(hScreen);
        BITMAPINFO bmi = {};
        bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
        bmi.bmiHeader.biWidth = cx;
        bmi.bmiHeader.biHeight = -cy;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        void* pBits = nullptr;
        HBITMAP hBitmap = ::CreateDIBSection(hScreen, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
        ::ReleaseDC(nullptr, hScreen);
        HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
        if (hBitmap && pBits) {
            HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
            RECT rcAll = {0, 0, cx, cy};
            ::FillRect(hMem, &rcAll, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
            {
                CDC dc;
                dc.Attach(hMem);
                DrawStickers(pSticker, &dc);
                dc.Detach();
            }
            ::GdiFlush();
            // Runs of non-black pixels, row by row.
            const auto* pPixels = static_cast<const DWORD*>(pBits);
            for (int y = 0; y < cy; ++y) {
                for (int x = 0; x < cx;) {
                    if ((pPixels[y * cx + x] & 0xFFFFFF) == 0) {
                        ++x;
                        continue;
                    }
                    int xEnd = x;
                    while (xEnd < cx && (pPixels[y * cx + xEnd] & 0xFFFFFF) != 0)
                        ++xEnd;
                    HRGN hRun = ::CreateRectRgn(x, y, xEnd, y + 1);
                    ::CombineRgn(hRgn, hRgn, hRun, RGN_OR);
                    ::DeleteObject(hRun);
                    x = xEnd;
                }
            }
            ::SelectObject(hMem, hOld);
        }
        if (hBitmap)
            ::DeleteObject(hBitmap);
        ::DeleteDC(hMem);
        m_rgnSticker[nIndex] = hRgn;
    }
    HRGN hCopy = ::CreateRectRgn(0, 0, 0, 0);
    ::CombineRgn(hCopy, m_rgnSticker[nIndex], nullptr, RGN_COPY);
    ::SetWindowRgn(pSticker->GetSafeHwnd(), hCopy, FALSE);
    return pSticker;
}

void CXTPDockingPaneDragContext::DrawStickerPart(CDC* pDC, UINT nBitmap, const XTPDockingPaneStickerPiece& piece,
                                                 BOOL bAtOffset)
{
    HIMAGELIST hList = pDC ? StickerPiece(nBitmap, piece) : nullptr;
    if (hList)
        ImageList_Draw(hList, 0, pDC->GetSafeHdc(), bAtOffset ? piece.x : 0, bAtOffset ? piece.y : 0,
                       ILD_TRANSPARENT);
}

void CXTPDockingPaneDragContext::DrawStickers(CXTPDockingPaneStickerWnd* pSticker, CDC* pDC)
{
    const UINT nAtlas = GetStickerAtlas();
    const BOOL bCross = pSticker->IsCross();
    if (bCross)
        DrawStickerPart(pDC, kStickerBackdrop, s_arrStickerPieces[kBackdropPiece], TRUE);
    for (const StickerPart& part : kDrawOrder) {
        if (!(pSticker->m_nParts & part.nPart))
            continue;
        const int nPiece = part.nPiece + (pSticker->m_nHotPart == part.nPart ? kHighlighted : 0);
        const BOOL bAtOffset = bCross || part.nPart == xtpPaneStickerCenter;
        DrawStickerPart(pDC, nAtlas, s_arrStickerPieces[nPiece], bAtOffset);
    }
}

int CXTPDockingPaneDragContext::StickerHitTest(CXTPDockingPaneStickerWnd* pSticker, POINT pt)
{
    HWND hWnd = pSticker->GetSafeHwnd();
    if (!hWnd)
        return 0;
    ::ScreenToClient(hWnd, &pt);
    RECT rcClient;
    ::GetClientRect(hWnd, &rcClient);
    if (!::PtInRect(&rcClient, pt))
        return 0;
    // The pixel each part alone would draw under the point, on black: the artwork's own
    // pixels are read instead of drawing the part, since that is all the drawing would show.
    const BOOL bCross = pSticker->IsCross();
    HDC hScreen = ::GetDC(nullptr);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    ::ReleaseDC(nullptr, hScreen);
    int nHit = 0;
    for (const StickerPart& part : kDrawOrder) {
        if (!(pSticker->m_nParts & part.nPart))
            continue;
        const BOOL bCentre = part.nPart == xtpPaneStickerCenter;
        const XTPDockingPaneStickerPiece& piece = s_arrStickerPieces[bCentre ? kBackdropPiece : part.nPiece];
        const BOOL bAtOffset = bCross || bCentre;
        const int x = pt.x - (bAtOffset ? piece.x : 0), y = pt.y - (bAtOffset ? piece.y : 0);
        const CRect rcSource(piece.rcSource);
        if (x < 0 || y < 0 || x >= rcSource.Width() || y >= rcSource.Height())
            continue;
        HBITMAP hSource = StickerBitmap(bCentre ? kStickerBackdrop : kStickerAtlas);
        if (!hSource)
            continue;
        HGDIOBJ hOld = ::SelectObject(hMem, hSource);
        const COLORREF cr = ::GetPixel(hMem, rcSource.left + x, rcSource.top + y);
        ::SelectObject(hMem, hOld);
        if (cr != CLR_INVALID && cr != kStickerMask && cr != 0) {
            nHit = part.nPart;
            break;
        }
    }
    ::DeleteDC(hMem);
    return nHit;
}

void CXTPDockingPaneDragContext::DrawTracker(BOOL bRemove)
{
    CRect R;
    if (m_pTarget)
        R = m_rcDock;
    else if (m_bCanFloat)
        R = m_rcFloat;

    if (!m_bUseAlpha) {
        if (!m_hDC)
            return;
        HRGN hNew = bRemove ? ::CreateRectRgn(0, 0, 0, 0) : OutlineRegion(R, m_bAttach);
        HRGN hOld = OutlineRegion(m_rcLast, m_bLastAttach);
        ::CombineRgn(hNew, hNew, hOld, RGN_XOR);
        ::SelectClipRgn(m_hDC, hNew);
        RECT rcBox;
        ::GetClipBox(m_hDC, &rcBox);
        HGDIOBJ hOldBrush = ::SelectObject(m_hDC, CDC::GetHalftoneBrush()->GetSafeHandle());
        ::PatBlt(m_hDC, rcBox.left, rcBox.top, rcBox.right - rcBox.left, rcBox.bottom - rcBox.top, PATINVERT);
        ::SelectObject(m_hDC, hOldBrush);
        ::SelectClipRgn(m_hDC, nullptr);
        ::DeleteObject(hNew);
        ::DeleteObject(hOld);
        m_rcLast = bRemove ? CRect() : R;
        m_bLastAttach = m_bAttach;
        return;
    }

    m_rcLast = R;
    CWnd* pOwner = m_pManager->GetSite();
    if (m_bAttach != m_bLastAttach) {
        m_bLastAttach = m_bAttach;
        if (!m_bAttach && m_wndAlphaTab.GetSafeHwnd())
            ::ShowWindow(m_wndAlphaTab.GetSafeHwnd(), SW_HIDE);
    }
    if (m_bAttach && !R.IsRectEmpty()) {
        const CSize szTab = AttachTabSize(R);
        m_wndAlphaTab.CreateAlphaWnd(pOwner, m_pfnSetLayeredWindowAttributes);
        ::SetWindowPos(m_wndAlphaTab.GetSafeHwnd(), nullptr, R.left + 5, R.bottom - szTab.cy, szTab.cx, szTab.cy,
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        R.bottom -= szTab.cy;
    }
    // The window is resized in place: its one colour needs no repaint of what stays.
    m_wndAlpha.CreateAlphaWnd(pOwner, m_pfnSetLayeredWindowAttributes);
    ::SetWindowPos(m_wndAlpha.GetSafeHwnd(), nullptr, R.left, R.top, R.Width(), R.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}
