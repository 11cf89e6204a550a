// A docking marker window: painted off-screen by its drag context.
#include "CXTPDockingPaneStickerWnd.h"

#include "CDC.h"
#include "CXTPBufferDC.h"
#include "CXTPDockingPaneDragContext.h"

BEGIN_MESSAGE_MAP(CXTPDockingPaneStickerWnd, CWnd)
ON_WM_ERASEBKGND()
ON_WM_PAINT()
END_MESSAGE_MAP()

BOOL CXTPDockingPaneStickerWnd::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;
}

void CXTPDockingPaneStickerWnd::OnPaint()
{
    PAINTSTRUCT ps;
    ::BeginPaint(m_hWnd, &ps);
    CRect rcClient;
    GetClientRect(&rcClient);
    {
        CXTPBufferDC dc(ps.hdc, rcClient);
        m_pContext->DrawStickers(this, &dc);
    }
    ::EndPaint(m_hWnd, &ps);
}
