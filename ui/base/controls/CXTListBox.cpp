// The owner-drawn list box: item colours by state, buffered painting, scrolling without flicker.
#include "CXTListBox.h"

#include "CDC.h"
#include "CXTPBufferDC.h"
#include "CXTPColorManager.h"
#include "CXTSystemData.h"

IMPLEMENT_DYNCREATE(CXTListBox, CListBox)

CXTListBox::CXTListBox() = default;

CXTListBox::~CXTListBox() = default;

void CXTListBox::Initialize(bool bAutoFont)
{
    ModifyStyle(0, LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS);
    if (bAutoFont)
        SetFont(static_cast<HFONT>(XTSystemData()->font.m_hObject));
}

void CXTListBox::SetRedraw(BOOL bRedraw)
{
    SendMessage(WM_SETREDRAW, bRedraw);
    if (bRedraw)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME | RDW_ERASE);
}

void CXTListBox::MeasureItem(LPMEASUREITEMSTRUCT lpMIS)
{
    lpMIS->itemHeight = static_cast<UINT>(::GetSystemMetrics(SM_CYMENU) - 2);
}

void CXTListBox::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    const int index = static_cast<int>(lpDIS->itemID);
    if (index < 0 || index >= GetCount())
        return;
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    CRect rect(lpDIS->rcItem);
    if (lpDIS->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) {
        const BOOL enabled = IsWindowEnabled();
        COLORREF back = GetManagedColor(enabled ? COLOR_WINDOW : COLOR_BTNFACE);
        COLORREF text = GetManagedColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT);
        if (lpDIS->itemState & ODS_SELECTED) {
            back = GetManagedColor(enabled ? COLOR_HIGHLIGHT : COLOR_GRAYTEXT);
            text = GetManagedColor(COLOR_HIGHLIGHTTEXT);
        }
        pDC->FillSolidRect(&rect, back);
        CString label;
        GetText(index, label);
        CRect textRect = rect;
        textRect.left += 2;
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(text);
        pDC->DrawText(label, &textRect, DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | DT_NOPREFIX);
    }
    if (lpDIS->itemAction & ODA_FOCUS)
        pDC->DrawFocusRect(&rect);
}

void CXTListBox::PaintList()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CXTMemDC memDC(&dc, client, GetManagedColor(IsWindowEnabled() ? COLOR_WINDOW : COLOR_BTNFACE));
    DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(memDC.m_hDC), 0);
}

BOOL CXTListBox::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT ignored = 0;
    LRESULT& result = pResult ? *pResult : ignored;
    switch (message) {
    case WM_PAINT:
        if (wParam)
            break;
        PaintList();
        result = 0;
        return TRUE;
    case WM_ERASEBKGND:
        result = 1;
        return TRUE;
    case WM_MOUSEWHEEL:
    case WM_VSCROLL:
    case WM_HSCROLL:
        SendMessage(WM_SETREDRAW, FALSE);
        result = Default();
        SetRedraw(TRUE);
        return TRUE;
    default:
        break;
    }
    return CListBox::OnWndMsg(message, wParam, lParam, pResult);
}
