// The flat edit: hover and focus raise its frame, which the theme draws around the client area.
#include "CXTFlatEdit.h"

#include "CDC.h"
#include "CXTFlatControlsTheme.h"
#include "CXTPBufferDC.h"
#include "CXTPColorManager.h"

IMPLEMENT_DYNCREATE(CXTFlatEdit, CXTEdit)

namespace {
const UINT_PTR kHoverTimer = 1000;

}  // namespace

CXTFlatEdit::CXTFlatEdit() : CXTThemeManagerStyleHost(RUNTIME_CLASS(CXTFlatControlsThemeFactory)) {}

CXTFlatControlsTheme* CXTFlatEdit::GetTheme()
{
    return dynamic_cast<CXTFlatControlsTheme*>(GetSafeTheme());
}

void CXTFlatEdit::OnThemeChanged()
{
    if (GetSafeHwnd())
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
}

void CXTFlatEdit::DrawBorder(CDC* pDC)
{
    if (CXTFlatControlsTheme* theme = GetTheme())
        theme->DrawFlatEdit(pDC, this, GetDrawState());
}

void CXTFlatEdit::OnHoverTimer()
{
    if (XTFlatHoverTick(this, kHoverTimer, m_bButtonDown, m_bFocused, m_bRaisedDrawn))
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
}

// Paints the client area through a buffer (or into a printing DC), then the frame in window coordinates.
void CXTFlatEdit::OnPaintEdit(HDC hPrintDC)
{
    CRect client;
    GetClientRect(&client);
    const COLORREF back = GetManagedColor(IsWindowEnabled() ? COLOR_WINDOW : COLOR_BTNFACE);
    if (hPrintDC) {
        CDC* pDC = CDC::FromHandle(hPrintDC);
        CXTMemDC memDC(pDC, client, back);
        DefWindowProc(WM_PAINT, (WPARAM)memDC.GetSafeHdc(), 0);
        return;
    }
    {
        CPaintDC paintDC(this);
        CXTMemDC memDC(&paintDC, client, back);
        DefWindowProc(WM_PAINT, (WPARAM)memDC.GetSafeHdc(), 0);
    }
    if (m_bFlat) {
        HDC hWindowDC = ::GetWindowDC(m_hWnd);
        DrawBorder(CDC::FromHandle(hWindowDC));
        ::ReleaseDC(m_hWnd, hWindowDC);
    }
}

BOOL CXTFlatEdit::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (XTFlatMouseMessage(this, kHoverTimer, m_bFlat, m_bButtonDown, message, wParam, lParam)) {
    case XTFlatMouseStep::HoverTick:
        OnHoverTimer();
        break;
    case XTFlatMouseStep::TimerTick:
        OnHoverTimer();
        *pResult = 0;
        return TRUE;
    case XTFlatMouseStep::Released:
        Invalidate();
        break;
    case XTFlatMouseStep::None:
        break;
    }
    switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        *pResult = Default();
        m_bFocused = message == WM_SETFOCUS;
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
        return TRUE;
    case WM_PAINT:
        OnPaintEdit((HDC)wParam);
        *pResult = 0;
        return TRUE;
    case WM_NCPAINT:
        *pResult = Default();
        if (m_bFlat) {
            HDC hWindowDC = ::GetWindowDC(m_hWnd);
            DrawBorder(CDC::FromHandle(hWindowDC));
            ::ReleaseDC(m_hWnd, hWindowDC);
        }
        return TRUE;
    case WM_PRINT: {
        // The default printing may leave the DC's origin on the client area.
        const int saved = ::SaveDC((HDC)wParam);
        *pResult = Default();
        ::RestoreDC((HDC)wParam, saved);
        if (m_bFlat && (lParam & PRF_NONCLIENT))
            DrawBorder(CDC::FromHandle((HDC)wParam));
        return TRUE;
    }
    }
    return CXTEdit::OnWndMsg(message, wParam, lParam, pResult);
}
