// A window whose painting covers all of it: the background is never erased first, so it
// does not flash while it is resized or repainted.
#pragma once

#include <windows.h>

template <class TBase>
class CXTNoFlickerWnd : public TBase {
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_ERASEBKGND)
            return TRUE;
        return TBase::WindowProc(message, wParam, lParam);
    }
};
