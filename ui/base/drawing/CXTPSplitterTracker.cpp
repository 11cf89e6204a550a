// The splitter tracker's modal loop over the desktop DC.
#include "CXTPSplitterTracker.h"

#include "CDC.h"
#include "CWnd.h"
#include "CXTPTrackingLoop.h"

void CXTPSplitterTracker::OnInvertTracker(const CRect& rect)
{
    if (m_bSolid) {
        ::InvertRect(m_hDC, &rect);
        return;
    }
    CBrush* halftone = CDC::GetHalftoneBrush();
    HGDIOBJ old = ::SelectObject(m_hDC, halftone ? halftone->m_hObject : nullptr);
    ::PatBlt(m_hDC, rect.left, rect.top, rect.Width(), rect.Height(), PATINVERT);
    if (old)
        ::SelectObject(m_hDC, old);
}

BOOL CXTPSplitterTracker::Track(CWnd* pTrackWnd, CRect rcAvail, CRect& rcTracker, CPoint point, BOOL bHorz)
{
    HWND hWnd = pTrackWnd ? pTrackWnd->GetSafeHwnd() : nullptr;
    if (!hWnd)
        return FALSE;
    HWND desktop = ::GetDesktopWindow();
    const BOOL locked = ::LockWindowUpdate(desktop);
    m_hDC = ::GetDCEx(desktop, nullptr, locked ? DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE : DCX_WINDOW | DCX_CACHE);

    const CPoint offset = bHorz ? CPoint(rcTracker.left - point.x, 0) : CPoint(0, rcTracker.top - point.y);
    OnInvertTracker(rcTracker);
    if (!m_rcBoundRect.IsRectEmpty())
        OnInvertTracker(m_rcBoundRect);

    const BOOL accepted = CXTPTrackingLoop().Run(hWnd, [&](const MSG& msg) {
        if (msg.message != WM_MOUSEMOVE)
            return CXTPTrackingLoop::kDefault;
        POINT pt = {static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
        ::ClientToScreen(hWnd, &pt);
        pt.x += offset.x;
        pt.y += offset.y;
        pt.x = pt.x < rcAvail.left ? rcAvail.left : pt.x > rcAvail.right ? rcAvail.right : pt.x;
        pt.y = pt.y < rcAvail.top ? rcAvail.top : pt.y > rcAvail.bottom ? rcAvail.bottom : pt.y;
        if (bHorz ? rcTracker.left == pt.x : rcTracker.top == pt.y)
            return CXTPTrackingLoop::kNext;
        OnInvertTracker(rcTracker);
        if (bHorz)
            rcTracker.OffsetRect(pt.x - rcTracker.left, 0);
        else
            rcTracker.OffsetRect(0, pt.y - rcTracker.top);
        OnInvertTracker(rcTracker);
        return CXTPTrackingLoop::kNext;
    }) == CXTPTrackingLoop::kReleased;

    if (!m_rcBoundRect.IsRectEmpty())
        OnInvertTracker(m_rcBoundRect);
    OnInvertTracker(rcTracker);
    ::LockWindowUpdate(nullptr);
    ::ReleaseDC(desktop, m_hDC);
    m_hDC = nullptr;
    return accepted;
}
