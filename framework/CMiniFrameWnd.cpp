// Small floating frames: tool-window popups whose caption follows their owner frame's activation.
#include "CMiniFrameWnd.h"

IMPLEMENT_DYNCREATE(CMiniFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMiniFrameWnd, CFrameWnd)
    ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
    ON_MESSAGE(WM_NCACTIVATE, OnNcActivateMini)
END_MESSAGE_MAP()

BOOL CMiniFrameWnd::Create(const char* lpClassName, const char* lpWindowName, DWORD dwStyle, const RECT& rect,
                           CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, lpClassName, lpWindowName, dwStyle, rect, pParentWnd, nID);
}

BOOL CMiniFrameWnd::CreateEx(DWORD dwExStyle, const char* lpClassName, const char* lpWindowName, DWORD dwStyle,
                             const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (dwStyle & (MFS_THICKFRAME | MFS_4THICKFRAME))
        dwStyle |= WS_THICKFRAME;
    if (!(dwStyle & WS_CHILD))
        dwStyle |= WS_POPUP;
    if (!CFrameWnd::Create(lpClassName, lpWindowName, dwStyle, rect, pParentWnd, nullptr,
                           dwExStyle | WS_EX_TOOLWINDOW, nullptr))
        return FALSE;  // the object is gone
    if ((dwStyle & WS_CHILD) && nID)
        SetDlgCtrlID(static_cast<int>(nID));
    return TRUE;
}

BOOL CMiniFrameWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    return CFrameWnd::PreCreateWindow(cs);
}

LRESULT CMiniFrameWnd::OnFloatStatus(WPARAM wParam, LPARAM)
{
    const bool sync = (GetStyle() & MFS_SYNCACTIVE) != 0;
    if (wParam & FS_SYNCACTIVE)
        return sync;
    if (sync && (wParam & (FS_ACTIVATE | FS_DEACTIVATE))) {
        m_bAppActive = (wParam & FS_ACTIVATE) != 0;
        CWnd::DefWindowProc(WM_NCACTIVATE, m_bAppActive, 0);
    }
    // A modal dialog over the frame takes the floating windows out of use with it.
    if (wParam & (FS_ENABLE | FS_DISABLE))
        EnableWindow((wParam & FS_ENABLE) != 0);
    return 0;
}

LRESULT CMiniFrameWnd::OnNcActivateMini(WPARAM wParam, LPARAM lParam)
{
    // Synchronised captions stay active while the application is, whichever of its windows
    // has the activation.
    if ((GetStyle() & MFS_SYNCACTIVE) && m_bAppActive)
        wParam = TRUE;
    return CWnd::DefWindowProc(WM_NCACTIVATE, wParam, lParam);
}
