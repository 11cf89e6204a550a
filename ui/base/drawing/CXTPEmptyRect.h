// Rectangle constructors: empty, a window's screen rectangle, a window's client rectangle.
#pragma once

#include <windows.h>

#include "CRect.h"
#include "CWnd.h"

class CXTPEmptyRect : public CRect {
public:
    CXTPEmptyRect() { SetRectEmpty(); }
};

// GetWindowRect in screen coordinates; empty when the handle is no window.
class CXTPWindowRect : public CRect {
public:
    explicit CXTPWindowRect(HWND hWnd)
    {
        if (!hWnd || !::IsWindow(hWnd) || !::GetWindowRect(hWnd, this))
            SetRectEmpty();
    }
    explicit CXTPWindowRect(const CWnd* pWnd) : CXTPWindowRect(pWnd ? pWnd->GetSafeHwnd() : nullptr) {}
};

// GetClientRect; empty when it is no window.
class CXTPClientRect : public CRect {
public:
    explicit CXTPClientRect(HWND hWnd)
    {
        if (!hWnd || !::IsWindow(hWnd) || !::GetClientRect(hWnd, this))
            SetRectEmpty();
    }
    explicit CXTPClientRect(const CWnd* pWnd) : CXTPClientRect(pWnd ? pWnd->GetSafeHwnd() : nullptr) {}
};

// The cursor position in a window's client coordinates.
inline CPoint XTPGetClientCursorPos(HWND hWnd)
{
    POINT point = {};
    ::GetCursorPos(&point);
    if (hWnd)
        ::ScreenToClient(hWnd, &point);
    return CPoint(point);
}
