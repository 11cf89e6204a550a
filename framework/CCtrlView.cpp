// Views that are a common control: the control's class and style, and its own painting.
#include "CCtrlView.h"

IMPLEMENT_DYNAMIC(CCtrlView, CView)

BEGIN_MESSAGE_MAP(CCtrlView, CView)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CCtrlView::CCtrlView(const char* lpszClass, DWORD dwStyle) : m_strClass(lpszClass), m_dwDefaultStyle(dwStyle) {}

BOOL CCtrlView::PreCreateWindow(CREATESTRUCTA& cs)
{
    cs.lpszClass = m_strClass;
    cs.style |= static_cast<LONG>(m_dwDefaultStyle);
    return CView::PreCreateWindow(cs);
}

void CCtrlView::OnDraw(CDC*) {}

void CCtrlView::OnPaint()
{
    Default();  // the control paints itself
}
