// The translucent preview window of a drag.
#include "CXTPDockingPaneAlphaWnd.h"

#include "CDC.h"

BEGIN_MESSAGE_MAP(CXTPDockingPaneAlphaWnd, CWnd)
ON_WM_ERASEBKGND()
ON_WM_PAINT()
END_MESSAGE_MAP()

BOOL CXTPDockingPaneAlphaWnd::CreateAlphaWnd(CWnd* pOwner, BOOL(WINAPI* pfnSetLayered)(HWND, COLORREF, BYTE, DWORD))
{
    if (m_hWnd)
        return TRUE;
    const char* lpszClass = AfxRegisterWndClass(0, ::LoadCursorA(nullptr, IDC_ARROW));
    if (!CreateEx(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST, lpszClass, "", WS_POPUP, 0, 0, 0, 0,
                  pOwner ? pOwner->GetSafeHwnd() : nullptr, nullptr))
        return FALSE;
    if (pfnSetLayered)
        pfnSetLayered(m_hWnd, 0, 100, LWA_ALPHA);
    return TRUE;
}

BOOL CXTPDockingPaneAlphaWnd::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;
}

void CXTPDockingPaneAlphaWnd::OnPaint()
{
    PAINTSTRUCT ps;
    HDC hDC = ::BeginPaint(m_hWnd, &ps);
    RECT rc;
    ::GetClientRect(m_hWnd, &rc);
    ::FillRect(hDC, &rc, ::GetSysColorBrush(COLOR_HIGHLIGHT));
    ::EndPaint(m_hWnd, &ps);
}
