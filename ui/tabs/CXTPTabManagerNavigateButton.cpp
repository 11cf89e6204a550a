// The navigation buttons of a tab row: placement, glyphs, hover and the press loop.
#include "CXTPTabManagerNavigateButton.h"

#include "CXTPTabAppearance.h"
#include "CXTPTabManager.h"
#include "CXTPTabPaintManager.h"
#include "CXTPTrackingLoop.h"

CXTPTabManagerNavigateButton::CXTPTabManagerNavigateButton(CXTPTabManager* pManager, int nId,
                                                           XTPTabNavigateButtonFlags dwFlags)
    : m_nId(nId), m_dwFlags(dwFlags), m_pManager(pManager)
{
}

BOOL CXTPTabManagerNavigateButton::IsHorizontalRow() const
{
    return m_pManager->IsHorizontalPosition();
}

void CXTPTabManagerNavigateButton::PlaceAtRowEnd(CRect& rcRow)
{
    if (m_dwFlags == xtpTabNavigateButtonNone) {
        m_rcButton.SetRectEmpty();
        return;
    }
    if (IsHorizontalRow()) {
        const int nCentre = (rcRow.top + rcRow.bottom) / 2;
        m_rcButton.SetRect(rcRow.right - m_size.cx, nCentre - (m_size.cy - m_size.cy / 2), rcRow.right,
                           nCentre + m_size.cy / 2);
        rcRow.right -= m_size.cx;
    } else {
        const int nCentre = (rcRow.left + rcRow.right) / 2;
        m_rcButton.SetRect(nCentre - (m_size.cx - m_size.cx / 2), rcRow.bottom - m_size.cy, nCentre + m_size.cx / 2,
                           rcRow.bottom);
        rcRow.bottom -= m_size.cy;
    }
}

void CXTPTabManagerNavigateButton::Reposition(CRect& rcRow)
{
    PlaceAtRowEnd(rcRow);
}

void CXTPTabManagerNavigateButton::AdjustRowLength(int& nLength) const
{
    if (m_dwFlags == xtpTabNavigateButtonAlways)
        nLength -= IsHorizontalRow() ? m_size.cx : m_size.cy;
}

void CXTPTabManagerNavigateButton::Draw(CDC* pDC)
{
    if (m_rcButton.IsRectEmpty())
        return;
    CRect rc = m_rcButton;
    m_pManager->GetPaintManager()->DrawNavigateButton(pDC, this, rc);

    // A disabled glyph is only outlined.
    const COLORREF clr = pDC->GetTextColor();
    HPEN hPen = ::CreatePen(PS_SOLID, 1, clr);
    HBRUSH hBrush = m_bEnabled ? ::CreateSolidBrush(clr) : nullptr;
    HGDIOBJ hOldPen = ::SelectObject(*pDC, hPen);
    HGDIOBJ hOldBrush = ::SelectObject(*pDC, hBrush ? static_cast<HGDIOBJ>(hBrush) : ::GetStockObject(NULL_BRUSH));
    DrawSymbol(pDC, rc);
    ::SelectObject(*pDC, hOldBrush);
    ::SelectObject(*pDC, hOldPen);
    if (hBrush)
        ::DeleteObject(hBrush);
    ::DeleteObject(hPen);
}

void CXTPTabManagerNavigateButton::Track(HWND hWnd, CPoint point)
{
    if (::GetCapture() != nullptr || !m_bEnabled)
        return;
    CPoint pt = point;
    BOOL bClick = FALSE;
    DWORD dwLastTick = ::GetTickCount();
    // Held down, the button clicks again at every tick and shows pressed while the pointer is on it.
    auto tick = [&] {
        if (m_bEnabled && ::GetTickCount() - dwLastTick > nTickMs) {
            PerformClick(TRUE);
            dwLastTick = ::GetTickCount();
        }
        const BOOL bPressed = m_rcButton.PtInRect(pt);
        if (bPressed != m_bPressed) {
            m_bPressed = bPressed;
            m_pManager->RedrawControl();
        }
        MSG msg;
        if (::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE))
            return true;
        // Sleep until input arrives or the next tick is due, instead of spinning.
        DWORD dwWait = INFINITE;
        if (m_bEnabled) {
            const DWORD dwElapsed = ::GetTickCount() - dwLastTick;
            dwWait = dwElapsed > nTickMs ? 0 : nTickMs + 1 - dwElapsed;
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, dwWait, QS_ALLINPUT);
        return false;
    };
    CXTPTrackingLoop().CancelOnCancelMode().HoldKeys().BeforeMessage(tick).Run(hWnd, [&](const MSG& msg) {
        if (msg.message != WM_MOUSEMOVE && msg.message != WM_LBUTTONUP)
            return CXTPTrackingLoop::kDefault;
        pt = CPoint(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
        if (msg.message == WM_MOUSEMOVE)
            return CXTPTrackingLoop::kNext;
        bClick = m_rcButton.PtInRect(pt);
        return CXTPTrackingLoop::kRelease;
    });
    m_bPressed = FALSE;
    OnMouseMove(hWnd, pt);
    m_pManager->RedrawControl();
    if (bClick)
        PerformClick(FALSE);
}

void CXTPTabManagerNavigateButton::OnMouseMove(HWND hWnd, CPoint point)
{
    const BOOL bInside = m_rcButton.PtInRect(point);
    if (!bInside && m_bHot) {
        m_bHot = FALSE;
        m_pManager->RedrawControl();
    } else if (bInside && !m_bHot && m_bEnabled) {
        m_bHot = TRUE;
        m_pManager->RedrawControl();
        if (hWnd) {
            TRACKMOUSEEVENT tme = {sizeof(TRACKMOUSEEVENT), TME_LEAVE, hWnd, 0};
            ::TrackMouseEvent(&tme);
        }
    }
}

namespace {

void DrawTriangle(CDC* pDC, CPoint a, CPoint b, CPoint c)
{
    POINT points[3] = {a, b, c};
    pDC->Polygon(points, 3);
}

// In automatic mode an arrow hides in layout 1 and while the tabs fit unscrolled.
BOOL HideArrow(CXTPTabManager* pManager, const CRect& rcRow, XTPTabNavigateButtonFlags dwFlags)
{
    if (dwFlags != xtpTabNavigateButtonAutomatic)
        return FALSE;
    if (pManager->GetLayout() == xtpTabLayoutSizeToFit)
        return TRUE;
    const int nRowLength = pManager->IsHorizontalPosition() ? rcRow.Width() : rcRow.Height();
    const int nMarginLeft = pManager->GetPaintManager()->GetAppearanceSet()->GetHeaderMargin().left;
    return pManager->GetScrollOffset() == 0 &&
           pManager->GetItemsLength() + pManager->GetScrollOffset() - nMarginLeft - 1 <= nRowLength;
}

}  // namespace

CXTPTabManagerNavigateButtonLeft::CXTPTabManagerNavigateButtonLeft(CXTPTabManager* pManager)
    : CXTPTabManagerNavigateButton(pManager, xtpTabNavigateButtonLeft, xtpTabNavigateButtonAutomatic)
{
}

void CXTPTabManagerNavigateButtonLeft::Reposition(CRect& rcRow)
{
    m_bEnabled = m_pManager->GetScrollOffset() < 0;
    if (HideArrow(m_pManager, rcRow, m_dwFlags))
        m_rcButton.SetRectEmpty();
    else
        PlaceAtRowEnd(rcRow);
}

void CXTPTabManagerNavigateButtonLeft::DrawSymbol(CDC* pDC, CRect rc)
{
    const int cx = (rc.left + rc.right) / 2, cy = (rc.top + rc.bottom) / 2;
    if (IsHorizontalRow())
        DrawTriangle(pDC, CPoint(cx + 2, cy - 5), CPoint(cx - 2, cy - 1), CPoint(cx + 2, cy + 3));
    else
        DrawTriangle(pDC, CPoint(cx - 5, cy + 2), CPoint(cx - 1, cy - 2), CPoint(cx + 3, cy + 2));
}

void CXTPTabManagerNavigateButtonLeft::PerformClick(BOOL bTick)
{
    if (bTick)
        m_pManager->SetScrollOffset(m_pManager->GetScrollOffset() + nScrollStep);
}

CXTPTabManagerNavigateButtonRight::CXTPTabManagerNavigateButtonRight(CXTPTabManager* pManager)
    : CXTPTabManagerNavigateButton(pManager, xtpTabNavigateButtonRight, xtpTabNavigateButtonAutomatic)
{
}

void CXTPTabManagerNavigateButtonRight::Reposition(CRect& rcRow)
{
    const int nRowLength = IsHorizontalRow() ? rcRow.Width() : rcRow.Height();
    m_bEnabled = m_pManager->GetItemsLength() + m_pManager->GetScrollOffset() > nRowLength - 28;
    if (HideArrow(m_pManager, rcRow, m_dwFlags))
        m_rcButton.SetRectEmpty();
    else
        PlaceAtRowEnd(rcRow);
}

void CXTPTabManagerNavigateButtonRight::DrawSymbol(CDC* pDC, CRect rc)
{
    const int cx = (rc.left + rc.right) / 2, cy = (rc.top + rc.bottom) / 2;
    if (IsHorizontalRow())
        DrawTriangle(pDC, CPoint(cx - 2, cy - 5), CPoint(cx + 2, cy - 1), CPoint(cx - 2, cy + 3));
    else
        DrawTriangle(pDC, CPoint(cx - 5, cy - 2), CPoint(cx - 1, cy + 2), CPoint(cx + 3, cy - 2));
}

void CXTPTabManagerNavigateButtonRight::PerformClick(BOOL bTick)
{
    if (bTick)
        m_pManager->SetScrollOffset(m_pManager->GetScrollOffset() - nScrollStep);
}

CXTPTabManagerNavigateButtonClose::CXTPTabManagerNavigateButtonClose(CXTPTabManager* pManager)
    : CXTPTabManagerNavigateButton(pManager, xtpTabNavigateButtonClose, xtpTabNavigateButtonNone)
{
}

void CXTPTabManagerNavigateButtonClose::DrawSymbol(CDC* pDC, CRect rc)
{
    const int l = rc.left, t = rc.top, r = rc.right, b = rc.bottom;
    pDC->MoveTo(l + 3, t + 3);
    pDC->LineTo(r - 4, b - 5);
    pDC->MoveTo(l + 4, t + 3);
    pDC->LineTo(r - 3, b - 5);
    pDC->MoveTo(l + 3, b - 6);
    pDC->LineTo(r - 4, t + 2);
    pDC->MoveTo(l + 4, b - 6);
    pDC->LineTo(r - 3, t + 2);
}

void CXTPTabManagerNavigateButtonClose::PerformClick(BOOL bTick)
{
    if (!bTick)
        m_pManager->OnNavigateButtonClick(xtpTabNavigateButtonClose);
}
