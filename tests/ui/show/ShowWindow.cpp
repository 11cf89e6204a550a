// A plain top-level window for the show programs.
#include "ShowWindow.h"

namespace {

void (*g_paint)(HWND) = nullptr;

LRESULT CALLBACK ShowWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        g_paint(hWnd);
        return 0;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    }
}

}  // namespace

HWND CreateShowWindow(HINSTANCE instance, const char* title, int x, int y, int width, int height,
                      void (*paint)(HWND), HCURSOR cursor)
{
    g_paint = paint;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ShowWindowProc;
    wc.hInstance = instance;
    wc.hCursor = cursor ? cursor : ::LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = "TavrelinShow";
    ::RegisterClassA(&wc);
    return ::CreateWindowA("TavrelinShow", title, WS_OVERLAPPEDWINDOW, x, y, width, height, nullptr, nullptr,
                           instance, nullptr);
}

int RunShowLoop()
{
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return 0;
}
