// The press on a caption button of a docked container or a floating frame.
#include "CXTPDockingPaneCaptionButton.h"

#include "CXTPTrackingLoop.h"

BOOL CXTPDockingPaneCaptionButton::TrackPress(HWND hWnd, CPoint& pt,
                                              const std::function<CPoint(const MSG&)>& toButtonSpace,
                                              const std::function<void()>& redraw)
{
    BOOL bClick = FALSE;
    CXTPTrackingLoop().CancelOnCancelMode().HoldKeys().Run(hWnd, [&](const MSG& msg) {
        switch (msg.message) {
        case WM_MOUSEMOVE: {
            pt = toButtonSpace(msg);
            const BOOL bPressed = m_rcButton.PtInRect(pt);
            if (bPressed != m_bPressed) {
                m_bPressed = bPressed;
                redraw();
            }
            return CXTPTrackingLoop::kNext;
        }
        case WM_LBUTTONUP:
            bClick = m_bPressed;
            return CXTPTrackingLoop::kRelease;
        case WM_NCMOUSEMOVE:
            return CXTPTrackingLoop::kNext;
        }
        return CXTPTrackingLoop::kDefault;
    });
    return bClick;
}
