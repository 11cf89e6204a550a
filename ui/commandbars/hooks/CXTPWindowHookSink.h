// A listener to the messages of a window it does not own, or to the keys of a tracking thread.
#pragma once

#include <windows.h>

class CXTPWindowHookSink {
public:
    virtual ~CXTPWindowHookSink() = default;
    // 0 not handled (go on), 1 handled (stop, lResult is the answer), 2 stop and let the
    // window's own procedure run.
    virtual int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) = 0;
};
