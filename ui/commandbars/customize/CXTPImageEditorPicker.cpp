// The editor's colour swatch: a solid colour or the transparent pattern, framed by its selection.
#include "CXTPImageEditorPicker.h"

#include "CDC.h"
#include "CXTPColorManager.h"
#include "CXTPImageEditorPicture.h"

IMPLEMENT_DYNAMIC(CXTPImageEditorPicker, CWnd)

BEGIN_MESSAGE_MAP(CXTPImageEditorPicker, CWnd)
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

void CXTPImageEditorPicker::SetColor(COLORREF clr)
{
    m_clr = clr;
    if (m_hWnd)
        Invalidate(FALSE);
}

void CXTPImageEditorPicker::SetSelected(BOOL bSelected)
{
    m_bSelected = bSelected;
    if (m_hWnd)
        Invalidate(FALSE);
}

BOOL CXTPImageEditorPicker::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CXTPImageEditorPicker::OnPaint()
{
    CPaintDC dc(this);
    Draw(dc);
}

void CXTPImageEditorPicker::Draw(HDC dc) const
{
    CRect rc;
    GetClientRect(&rc);
    auto fill = [dc](const RECT& r, COLORREF clr) {
        HBRUSH hBrush = ::CreateSolidBrush(clr);
        ::FillRect(dc, &r, hBrush);
        ::DeleteObject(hBrush);
    };
    if (m_clr == CXTPImageEditorPicture::transparent) {
        // White with the top-left and bottom-right quarters light grey.
        fill(rc, RGB(255, 255, 255));
        const CPoint c = rc.CenterPoint();
        fill(CRect(rc.left, rc.top, c.x, c.y), 0xEBEBEB);
        fill(CRect(c.x, c.y, rc.right, rc.bottom), 0xEBEBEB);
    } else {
        fill(rc, m_clr);
    }
    if (m_bSelected) {
        HBRUSH hOuter = ::CreateSolidBrush(RGB(0, 0, 0));
        HBRUSH hInner = ::CreateSolidBrush(RGB(255, 255, 255));
        ::FrameRect(dc, &rc, hOuter);
        CRect rcInner = rc;
        rcInner.DeflateRect(1, 1);
        ::FrameRect(dc, &rcInner, hInner);
        ::DeleteObject(hOuter);
        ::DeleteObject(hInner);
        return;
    }
    // Sunken: dark at the top left, light at the bottom right.
    auto line = [dc](COLORREF clr, POINT a, POINT b, POINT c) {
        HPEN hPen = ::CreatePen(PS_SOLID, 1, clr);
        HGDIOBJ hOld = ::SelectObject(dc, hPen);
        ::MoveToEx(dc, a.x, a.y, nullptr);
        ::LineTo(dc, b.x, b.y);
        ::LineTo(dc, c.x, c.y);
        ::SelectObject(dc, hOld);
        ::DeleteObject(hPen);
    };
    line(GetManagedColor(COLOR_3DDKSHADOW), {rc.left, rc.bottom - 1}, {rc.left, rc.top}, {rc.right, rc.top});
    line(GetManagedColor(COLOR_3DHILIGHT), {rc.left + 1, rc.bottom - 1}, {rc.right - 1, rc.bottom - 1},
         {rc.right - 1, rc.top});
}

void CXTPImageEditorPicker::OnLButtonDown(UINT, CPoint)
{
    NMHDR nm = {m_hWnd, static_cast<UINT_PTR>(GetDlgCtrlID()), static_cast<UINT>(NM_CLICK)};
    ::SendMessageA(::GetParent(m_hWnd), WM_NOTIFY, nm.idFrom, reinterpret_cast<LPARAM>(&nm));
}
