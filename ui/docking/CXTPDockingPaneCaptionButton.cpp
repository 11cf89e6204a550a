// The press on a caption button of a docked container or a floating frame.
#include "CXTPDockingPaneCaptionButton.h"

BOOL CXTPDockingPaneCaptionButton::TrackPress(HWND hWnd, CPoint& pt,
                                              const std::function<CPoint(const MSG&)>& toButtonSpace,
                                              const std::function<void()>& redraw)
{
    BOOL bClick = FALSE;
    for (bool bDone = false; !bDone && ::GetCapture() == hWnd;) {
        MSG msg;
        if (!::GetMessageA(&msg, nullptr, 0, 0)) {
            // Keep the quit for the application's own loop.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        switch (msg.message) {
        case WM_MOUSEMOVE: {
            pt = toButtonSpace(msg);
            const BOOL bPressed = m_rcButton.PtInRect(pt);
            if (bPressed != m_bPressed) {
                m_bPressed = bPressed;
                redraw();
            }
            break;
        }
        case WM_LBUTTONUP:
            bClick = m_bPressed;
            bDone = true;
            break;
        case WM_CANCELMODE:
        case WM_RBUTTONDOWN:
            bDone = true;
            break;
        case WM_KEYDOWN:
            bDone = msg.wParam == VK_ESCAPE;
            break;
        case WM_NCMOUSEMOVE:
            break;
        default:
            ::DispatchMessageA(&msg);
        }
    }
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    return bClick;
}
