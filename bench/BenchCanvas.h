// A paint target for the window benchmarks: a memory DC holding a bitmap the size of a
// window's client area.
#pragma once

#include <windows.h>

#include "CDC.h"
#include "CWnd.h"

class WindowCanvas {
public:
    explicit WindowCanvas(CWnd& window)
    {
        CRect client;
        window.GetClientRect(&client);
        HDC screen = ::GetDC(nullptr);
        dc.Attach(::CreateCompatibleDC(screen));
        bitmap = ::CreateCompatibleBitmap(screen, client.Width(), client.Height());
        ::ReleaseDC(nullptr, screen);
        old = ::SelectObject(dc, bitmap);
    }
    ~WindowCanvas()
    {
        ::SelectObject(dc, old);
        ::DeleteObject(bitmap);
        ::DeleteDC(dc.Detach());
    }
    WindowCanvas(const WindowCanvas&) = delete;
    WindowCanvas& operator=(const WindowCanvas&) = delete;
    CDC dc;

private:
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
};
