// The tracking loop: capture, the message pump of a drag, and how it ends.
#include "CXTPTrackingLoop.h"

CXTPTrackingLoop::Result CXTPTrackingLoop::Run(HWND hWnd, const Handler& onMessage)
{
    // Without a window nothing holds the capture, and the loop would take every message.
    if (!hWnd)
        return kLost;
    ::SetCapture(hWnd);
    Result result = kLost;
    MSG msg;
    for (bool bDone = false; !bDone && ::GetCapture() == hWnd;) {
        if (m_beforeMessage && !m_beforeMessage())
            continue;
        if (!Fetch(&msg))
            break;
        // Taken away while the loop waited: the message belongs to the application again.
        if (::GetCapture() != hWnd) {
            ::DispatchMessageA(&msg);
            break;
        }
        Action action = onMessage ? onMessage(msg) : kDefault;
        if (action == kDefault)
            action = Rule(msg);
        bDone = true;
        switch (action) {
        case kRelease:
            result = kReleased;
            break;
        case kCancel:
            result = kCancelled;
            break;
        case kStop:
            result = kStopped;
            break;
        case kDispatch:
            if (m_bTranslate)
                ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
            bDone = false;
            break;
        default:
            bDone = false;
            break;
        }
    }
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    return result;
}

BOOL CXTPTrackingLoop::NextMessage(MSG* pMsg)
{
    const int nGot = ::GetMessageA(pMsg, nullptr, 0, 0);
    if (nGot == 0)
        ::PostQuitMessage(static_cast<int>(pMsg->wParam));
    return nGot > 0;
}

BOOL CXTPTrackingLoop::Fetch(MSG* pMsg) const
{
    // A quit comes through any filter; it belongs to the loop outside.
    while (m_bPaintFirst && ::PeekMessageA(pMsg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) {
        if (pMsg->message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(pMsg->wParam));
            return FALSE;
        }
        ::DispatchMessageA(pMsg);
    }
    return NextMessage(pMsg);
}

CXTPTrackingLoop::Action CXTPTrackingLoop::Rule(const MSG& msg) const
{
    if (msg.message == WM_LBUTTONUP)
        return kRelease;
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE && !m_bKeepEscape)
        return kCancel;
    if (m_bCancelMode && (msg.message == WM_CANCELMODE || msg.message == WM_RBUTTONDOWN))
        return kCancel;
    if (m_bHoldKeys && msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST)
        return kNext;
    return kDispatch;
}
