// The toolbar drag context: the drag and resize loops, docking and floating on the way, and
// the double-click toggle between the last docked and floating places.
#include "CXTPToolBarDragContext.h"

#include <algorithm>

#include "CFrameWnd.h"
#include "CXTPCommandBars.h"
#include "CXTPCommandBarsOptions.h"
#include "CXTPDockBar.h"
#include "CXTPDrawHelpers.h"
#include "CXTPHookManager.h"
#include "CXTPToolBar.h"
#include "CXTPTrackingLoop.h"
#include "MoveRectToContainPoint.h"

namespace {

// Hit codes of the borders.
enum { kDrag = 1, kLeft = HTLEFT, kRight = HTRIGHT, kTop = HTTOP, kBottom = HTBOTTOM };

// Dock flag of the side a dock bar stands at.
DWORD SideFlag(XTPBarPosition position)
{
    switch (position) {
    case xtpBarTop:
        return xtpFlagAlignTop;
    case xtpBarBottom:
        return xtpFlagAlignBottom;
    case xtpBarLeft:
        return xtpFlagAlignLeft;
    case xtpBarRight:
        return xtpFlagAlignRight;
    default:
        return 0;
    }
}

}  // namespace

CXTPToolBarDragContext::CXTPToolBarDragContext(CXTPToolBar* pBar) : m_pBar(pBar)
{
    CXTPCommandBars* pCommandBars = pBar ? pBar->GetCommandBars() : nullptr;
    m_pSite = pCommandBars ? pCommandBars->GetSite() : nullptr;
    m_rcMRUDockPos.SetRectEmpty();
}

CXTPToolBarDragContext::~CXTPToolBarDragContext() = default;

CRect CXTPToolBarDragContext::MoveToContain(CRect rc, CPoint pt)
{
    return MoveRectToContainPoint(rc, pt.x, pt.y);
}

CRect CXTPToolBarDragContext::ResizeFromBorder(const CRect& rcWindow, UINT nHitTest, CSize szNew)
{
    CRect rc(rcWindow.TopLeft(), szNew);
    if (nHitTest == kLeft)
        rc.OffsetRect(rcWindow.right - rc.right, 0);
    else if (nHitTest == kTop)
        rc.OffsetRect(0, rcWindow.bottom - rc.bottom);
    return rc;
}

void CXTPToolBarDragContext::StartDrag(CPoint pt)
{
    m_nMode = kDrag;
    const CRect rcMRUDockPos = m_rcMRUDockPos;
    const int nMRUDockPosition = m_nMRUDockPosition;
    const BOOL bWasFloating = m_pBar->GetPosition() == xtpBarFloating;

    CRect rcWindow;
    m_pBar->GetWindowRect(&rcWindow);
    m_rcDrag = m_rcWindow = MoveToContain(rcWindow, pt);
    m_ptLast = pt;
    ::SetCursor(::LoadCursor(nullptr, IDC_SIZEALL));
    {
        CXTPHookManagerLock lock;
        Track();
    }
    if (m_pBar->GetPosition() == xtpBarFloating) {
        m_ptMRUFloatPos = m_rcWindow.TopLeft();
        // The places passed on the way are no docked places of the bar's.
        if (!bWasFloating) {
            m_rcMRUDockPos = rcMRUDockPos;
            m_nMRUDockPosition = nMRUDockPosition;
        }
    }
}

void CXTPToolBarDragContext::StartResize(UINT nHitTest, CPoint pt)
{
    m_nMode = static_cast<int>(nHitTest);
    m_ptLast = pt;
    m_pBar->GetWindowRect(&m_rcWindow);
    Track();
    if (m_pBar->GetPosition() == xtpBarFloating) {
        m_ptMRUFloatPos = m_rcWindow.TopLeft();
        m_pBar->m_nMRUWidth = m_rcWindow.Width();
    }
}

void CXTPToolBarDragContext::Track()
{
    if (::GetCapture())
        return;
    // The frame lays out between the messages what the moves changed, as its idle time would.
    auto layout = [this] {
        if (m_pSite && (m_pSite->m_nIdleFlags & CFrameWnd::idleLayout)) {
            m_pSite->RecalcLayout(FALSE);
            m_pSite->m_nIdleFlags &= ~CFrameWnd::idleLayout;
        }
        return true;
    };
    // Paints first, so that the bars drawn on the way show.
    CXTPTrackingLoop().PaintFirst().BeforeMessage(layout).Run(m_pBar->GetSafeHwnd(), [this](const MSG& msg) {
        if (msg.message != WM_MOUSEMOVE)
            return CXTPTrackingLoop::kDefault;
        CPoint pt(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
        ::ClientToScreen(msg.hwnd, &pt);
        if (pt == m_ptLast)
            return CXTPTrackingLoop::kDispatch;
        if (m_nMode == kDrag)
            Move(pt);
        else
            ResizeToolBar(pt);
        return CXTPTrackingLoop::kNext;
    });
    if (CXTPCommandBars* pCommandBars = m_pBar->GetCommandBars())
        pCommandBars->GetOptions()->m_bDirty = TRUE;
}

void CXTPToolBarDragContext::Move(CPoint pt)
{
    const CSize offset = pt - m_ptLast;
    m_rcWindow.OffsetRect(offset);
    m_rcDrag.OffsetRect(offset);

    CXTPCommandBars* pCommandBars = m_pBar->GetCommandBars();
    CXTPDockBar* pDockBar = pCommandBars ? pCommandBars->CanDock(pt, m_pBar->GetDockBar()) : nullptr;
    if (pDockBar && !(m_pBar->GetFlags() & SideFlag(pDockBar->GetPosition())))
        pDockBar = nullptr;

    if (pDockBar) {
        const BOOL bMoveOnly = pDockBar == m_pBar->GetDockBar() && m_pBar->GetPosition() != xtpBarFloating;
        pCommandBars->DockCommandBar(m_pBar, m_rcDrag, pDockBar);
        if (!bMoveOnly) {
            if (m_pSite)
                m_pSite->RecalcLayout(FALSE);
            m_pBar->GetWindowRect(&m_rcDrag);
        }
    } else if (pCommandBars && (m_pBar->GetFlags() & xtpFlagFloating)) {
        if (m_pBar->GetPosition() != xtpBarFloating) {
            pCommandBars->FloatCommandBar(m_pBar);
            const CSize size = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
            m_rcWindow = MoveToContain(CRect(m_rcWindow.TopLeft(), size), pt);
        }
        m_pBar->SetWindowPos(nullptr, m_rcWindow.left, m_rcWindow.top, m_rcWindow.Width(), m_rcWindow.Height(),
                             SWP_NOZORDER | SWP_NOACTIVATE);
    }
    m_ptLast = pt;
}

void CXTPToolBarDragContext::ResizeToolBar(CPoint pt)
{
    const CSize offset = pt - m_ptLast;
    int nLength = 0;
    DWORD dwMode = 0;
    switch (m_nMode) {
    case kLeft:
        nLength = m_rcWindow.Width() - offset.cx;
        dwMode = LM_HORZ | LM_COMMIT;
        break;
    case kRight:
        nLength = m_rcWindow.Width() + offset.cx;
        dwMode = LM_HORZ | LM_COMMIT;
        break;
    case kTop:
        nLength = m_rcWindow.Height() - offset.cy;
        dwMode = LM_HORZ | LM_LENGTHY | LM_COMMIT;
        break;
    case kBottom:
        nLength = m_rcWindow.Height() + offset.cy;
        dwMode = LM_HORZ | LM_LENGTHY | LM_COMMIT;
        break;
    default:
        m_ptLast = pt;
        return;
    }
    const CSize size = m_pBar->CalcDynamicLayout(std::max(nLength, 0), dwMode);
    if (size != m_rcWindow.Size()) {
        const CRect rc = ResizeFromBorder(m_rcWindow, static_cast<UINT>(m_nMode), size);
        CRect rcWork = CXTPDrawHelpers::GetWorkAreaFromWindow(m_pBar);
        CRect rcTest;
        if (rcTest.IntersectRect(&rc, &rcWork)) {
            m_rcWindow = rc;
            m_pBar->SetWindowPos(nullptr, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
            m_pBar->Invalidate(FALSE);
        }
    }
    // A size the bar refuses keeps the cursor's old place, so that the next step counts from there.
    if (size != m_rcWindow.Size())
        return;
    m_ptLast = pt;
}

BOOL CXTPToolBarDragContext::ToggleDocking()
{
    CXTPCommandBars* pCommandBars = m_pBar->GetCommandBars();
    if (!pCommandBars)
        return FALSE;
    if (m_pBar->GetPosition() != xtpBarFloating) {
        if (!(m_pBar->GetFlags() & xtpFlagFloating) || !pCommandBars->GetOptions()->m_bDblClickFloat)
            return FALSE;
        CPoint pt = m_ptMRUFloatPos;
        if (pt.x <= 0 || pt.y <= 0) {
            pt = m_rcMRUDockPos.TopLeft();
            if (CWnd* pParent = m_pBar->GetParent())
                pParent->ClientToScreen(&pt);
        }
        pCommandBars->FloatCommandBar(m_pBar);
        const CSize size = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
        m_pBar->SetWindowPos(nullptr, pt.x, pt.y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        if (!(m_pBar->GetFlags() & xtpFlagAlignAny))
            return FALSE;
        CXTPDockBar* pDockBar = pCommandBars->GetDockBar(m_nMRUDockPosition);
        if (!pDockBar)
            return FALSE;
        CRect rc = m_rcMRUDockPos;
        pDockBar->ClientToScreen(&rc);
        pCommandBars->DockCommandBar(m_pBar, rc, pDockBar);
        if (m_pSite)
            m_pSite->RecalcLayout(FALSE);
    }
    pCommandBars->GetOptions()->m_bDirty = TRUE;
    return TRUE;
}
