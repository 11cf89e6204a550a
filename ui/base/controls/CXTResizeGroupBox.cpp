// The buffered group box.
#include "CXTResizeGroupBox.h"

#include "CDC.h"
#include "CXTPBufferDC.h"
#include "CXTPColorManager.h"

IMPLEMENT_DYNCREATE(CXTResizeGroupBox, CButton)

void CXTResizeGroupBox::OnPaintGroupBox(CDC* /*pDC*/, const CRect& /*rcClient*/) {}

BOOL CXTResizeGroupBox::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_PAINT) {
        CPaintDC paintDC(this);
        CRect client;
        GetClientRect(&client);
        OnPaintGroupBox(&paintDC, client);
        CXTMemDC memDC(&paintDC, client, GetManagedColor(COLOR_BTNFACE));
        DefWindowProc(WM_PAINT, (WPARAM)memDC.GetSafeHdc(), 0);
        *pResult = 0;
        return TRUE;
    }
    return CButton::OnWndMsg(message, wParam, lParam, pResult);
}
