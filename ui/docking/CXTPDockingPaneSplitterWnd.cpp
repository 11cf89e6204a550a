// The splitter window: its cursor, its drawing, the track range and the two ways of dragging.
#include "CXTPDockingPaneSplitterWnd.h"

#include <algorithm>

#include "CDC.h"
#include "CFrameWnd.h"
#include "CXTPDockingPanePaintManager.h"
#include "CXTPDockingPaneSplitterContainer.h"
#include "CXTPSplitterTracker.h"
#include "CXTPTrackingLoop.h"
#include "ResourceIds.h"

enum { XTP_IDC_SPLITTER_HORZ = XT_IDC_SPLITH, XTP_IDC_SPLITTER_VERT = XT_IDC_SPLITV };

BEGIN_MESSAGE_MAP(CXTPDockingPaneSplitterWnd, CWnd)
ON_WM_SETCURSOR()
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

CXTPDockingPaneSplitterWnd::~CXTPDockingPaneSplitterWnd()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL CXTPDockingPaneSplitterWnd::Create(CXTPDockingPaneSplitterContainer* pContainer, CXTPDockingPaneBase* pFirst,
                                        CXTPDockingPaneBase* pSecond)
{
    m_pContainer = pContainer;
    m_pFirst = pFirst;
    m_pSecond = pSecond;
    m_hCursor = ::LoadCursorA(::GetModuleHandleA(nullptr),
                              MAKEINTRESOURCEA(pContainer->IsHoriz() ? XTP_IDC_SPLITTER_HORZ : XTP_IDC_SPLITTER_VERT));
    CWnd* pSite = pContainer->m_pDockingSite;
    if (!pSite || !pSite->GetSafeHwnd())
        return FALSE;
    const char* lpszClass = AfxRegisterWndClass(0, ::LoadCursorA(nullptr, IDC_ARROW));
    return CWnd::Create(lpszClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, CRect(0, 0, 0, 0),
                        pSite, 0);
}

BOOL CXTPDockingPaneSplitterWnd::GetTrackRect(CRect& rcTrack, CRect& rcLimits) const
{
    const BOOL bHoriz = m_pContainer->IsHoriz();
    CXTPDockingPaneOwner* pOwner = m_pContainer->GetLayout();
    const int nMinTrack = pOwner ? pOwner->GetMinTrackSize() : 22;
    const int nSplitter = m_pContainer->GetSplitterSize();
    MINMAXINFO mmiFirst, mmiSecond;
    m_pFirst->GetMinMaxInfo(&mmiFirst);
    m_pSecond->GetMinMaxInfo(&mmiSecond);
    rcLimits.UnionRect(m_pFirst->GetScreenRect(), m_pSecond->GetScreenRect());
    rcTrack = rcLimits;

    LONG& nNear = bHoriz ? rcTrack.left : rcTrack.top;
    LONG& nFar = bHoriz ? rcTrack.right : rcTrack.bottom;
    const int nStart = bHoriz ? rcLimits.left : rcLimits.top;
    const int nEnd = bHoriz ? rcLimits.right : rcLimits.bottom;
    const int nLength = nEnd - nStart;
    const int nFirstMin = bHoriz ? mmiFirst.ptMinTrackSize.x : mmiFirst.ptMinTrackSize.y;
    const int nSecondMin = bHoriz ? mmiSecond.ptMinTrackSize.x : mmiSecond.ptMinTrackSize.y;
    const int nFirstMax = bHoriz ? mmiFirst.ptMaxTrackSize.x : mmiFirst.ptMaxTrackSize.y;
    const int nSecondMax = bHoriz ? mmiSecond.ptMaxTrackSize.x : mmiSecond.ptMaxTrackSize.y;
    nNear += std::max(nFirstMin, nMinTrack);
    nFar -= std::max(nSecondMin + nSplitter, nMinTrack);
    if (nLength > nFirstMax)
        nFar = std::min<LONG>(nFar, nStart + nFirstMax);
    if (nLength > nSecondMax)
        nNear = std::max<LONG>(nNear, nEnd - nSecondMax - nSplitter);
    return nNear < nFar;
}

void CXTPDockingPaneSplitterWnd::Apply(const CRect& rc, const CRect& rcLimits)
{
    const BOOL bHoriz = m_pContainer->IsHoriz();
    const int nSplitter = m_pContainer->GetSplitterSize();
    LONG& nFirstLength = bHoriz ? m_pFirst->m_szDocking.cx : m_pFirst->m_szDocking.cy;
    LONG& nSecondLength = bHoriz ? m_pSecond->m_szDocking.cx : m_pSecond->m_szDocking.cy;
    const long long a = bHoriz ? rcLimits.left : rcLimits.top;
    const long long b = bHoriz ? rcLimits.right : rcLimits.bottom;
    const long long t = bHoriz ? rc.left : rc.top;
    if (b == a)
        return;
    const long long nSum = static_cast<long long>(nFirstLength) + nSecondLength + nSplitter;
    long long nFirst = nSum * (t - a) / (b - a);
    if (bHoriz && GetSafeHwnd() && (GetExStyle() & WS_EX_LAYOUTRTL))
        nFirst = nSum - nFirst - nSplitter;
    const long long nOldPair = static_cast<long long>(nFirstLength) + nSecondLength;
    nFirstLength = static_cast<LONG>(nFirst);
    nSecondLength = static_cast<LONG>(nOldPair - nFirst);
}

BOOL CXTPDockingPaneSplitterWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    CXTPDockingPaneOwner* pOwner = m_pContainer->GetLayout();
    CRect rcTrack, rcLimits;
    if ((!pOwner || !pOwner->IsLockSplitters()) && m_hCursor && GetTrackRect(rcTrack, rcLimits)) {
        ::SetCursor(m_hCursor);
        return TRUE;
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CXTPDockingPaneSplitterWnd::OnPaint()
{
    PAINTSTRUCT ps;
    ::BeginPaint(GetSafeHwnd(), &ps);
    if (CXTPDockingPanePaintManager* pPaint = m_pContainer->GetPaintManager()) {
        CDC* pDC = CDC::FromHandle(ps.hdc);
        pPaint->DrawSplitter(pDC, GetSafeHwnd());
    }
    ::EndPaint(GetSafeHwnd(), &ps);
}

void CXTPDockingPaneSplitterWnd::OnLButtonDown(UINT /*nFlags*/, CPoint point)
{
    CXTPDockingPaneOwner* pOwner = m_pContainer->GetLayout();
    CRect rcTrack, rcLimits;
    if ((pOwner && pOwner->IsLockSplitters()) || !GetTrackRect(rcTrack, rcLimits))
        return;

    const BOOL bHoriz = m_pContainer->IsHoriz();
    for (CXTPDockingPaneBase* pChild : m_pContainer->m_lstChildren) {
        if (pChild->IsEmpty())
            continue;
        CRect rc = pChild->m_rcWindow;
        (bHoriz ? pChild->m_szDocking.cx : pChild->m_szDocking.cy) = bHoriz ? rc.Width() : rc.Height();
    }
    (bHoriz ? m_pContainer->m_szDocking.cx : m_pContainer->m_szDocking.cy) =
        bHoriz ? m_pContainer->m_rcWindow.Width() : m_pContainer->m_rcWindow.Height();

    if (!pOwner || pOwner->IsGhostSplitter()) {
        CRect rcSplitter;
        GetWindowRect(&rcSplitter);
        // The tracker offsets the splitter by the start point as given and the moves in
        // screen coordinates, so it starts from the screen point too.
        CPoint ptScreen = point;
        ClientToScreen(&ptScreen);
        CXTPSplitterTracker tracker;
        if (tracker.Track(this, rcTrack, rcSplitter, ptScreen, bHoriz)) {
            Apply(rcSplitter, rcLimits);
            XTPDockingPaneDelayRecalc(m_pContainer->m_pDockingSite);
        }
        return;
    }
    TrackLive(point, rcTrack, rcLimits);
}

void CXTPDockingPaneSplitterWnd::TrackLive(CPoint point, const CRect& rcTrack, const CRect& rcLimits)
{
    const BOOL bHoriz = m_pContainer->IsHoriz();
    CRect rcSplitter;
    GetWindowRect(&rcSplitter);
    CPoint ptGrab = point;
    ClientToScreen(&ptGrab);
    const CPoint ptOffset(ptGrab.x - rcSplitter.left, ptGrab.y - rcSplitter.top);
    // Pending paints first, so the panes follow the splitter on screen.
    CXTPTrackingLoop().PaintFirst().Run(GetSafeHwnd(), [&](const MSG& msg) {
        if (msg.message != WM_MOUSEMOVE)
            return CXTPTrackingLoop::kDefault;
        CPoint pt(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
        ::ClientToScreen(msg.hwnd, &pt);
        CRect rcNew = rcSplitter;
        if (bHoriz) {
            int x = std::max<int>(rcTrack.left, std::min<int>(pt.x - ptOffset.x, rcTrack.right));
            rcNew.OffsetRect(x - rcSplitter.left, 0);
        } else {
            int y = std::max<int>(rcTrack.top, std::min<int>(pt.y - ptOffset.y, rcTrack.bottom));
            rcNew.OffsetRect(0, y - rcSplitter.top);
        }
        if ((bHoriz ? rcNew.left != rcSplitter.left : rcNew.top != rcSplitter.top)) {
            rcSplitter = rcNew;
            Apply(rcSplitter, rcLimits);
            if (CWnd* pParent = GetParent()) {
                auto* pFrame = dynamic_cast<CFrameWnd*>(pParent);
                if (!pFrame)
                    pFrame = pParent->GetParentFrame();
                if (pFrame)
                    pFrame->RecalcLayout();
            }
        }
        return CXTPTrackingLoop::kNext;
    });
}
