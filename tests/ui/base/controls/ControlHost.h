// A visible parent for control tests that records the commands its children send, with helpers
// to pump messages, place the cursor and print a window into a probe-able canvas.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "CDC.h"
#include "CWnd.h"

struct RecordedCommand {
    UINT id;
    UINT code;
};

class RecordingParent : public CWnd {
public:
    std::vector<RecordedCommand> commands;
    std::vector<NMHDR> notifies;
    LRESULT notifyAnswer = 0;  // what a notification is answered with

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (message == WM_COMMAND && lParam)
            commands.push_back({LOWORD(wParam), HIWORD(wParam)});
        if (message == WM_NOTIFY) {
            notifies.push_back(*reinterpret_cast<NMHDR*>(lParam));
            *pResult = notifyAnswer;
            return TRUE;
        }
        return CWnd::OnWndMsg(message, wParam, lParam, pResult);
    }

    int Count(UINT code) const
    {
        int n = 0;
        for (const RecordedCommand& command : commands)
            n += command.code == code;
        return n;
    }
};

class ControlHost : public ::testing::Test {
protected:
    // One parent for the suite: showing a new top-level window costs time under Wine.
    static void SetUpTestSuite()
    {
        host = new RecordingParent;
        host->CreateEx(0, CWnd::DefaultClassName(), "Controls", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 40, 40, 600,
                       400, nullptr, nullptr);
    }
    static void TearDownTestSuite()
    {
        host->DestroyWindow();
        delete host;
        host = nullptr;
    }
    void SetUp() override
    {
        host->commands.clear();
        host->notifies.clear();
        host->notifyAnswer = 0;
        ::SetForegroundWindow(host->m_hWnd);
    }
    void TearDown() override { CWnd::DeleteTempMap(); }

    static void Pump()
    {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    // Runs the message loop for a while (timers fire).
    static void PumpFor(DWORD ms)
    {
        const DWORD end = ::GetTickCount() + ms;
        while ((LONG)(end - ::GetTickCount()) > 0) {
            Pump();
            ::Sleep(5);
        }
    }
    // Puts the cursor on a client point of the window (or far away with none).
    static void PlaceCursor(CWnd* pWnd, CPoint point)
    {
        if (pWnd)
            pWnd->ClientToScreen(&point);
        ::SetCursorPos(point.x, point.y);
    }
    static void CursorAway() { ::SetCursorPos(1000, 900); }

    inline static RecordingParent* host = nullptr;
};

// The window's client area printed into a 32-bit canvas.
class PrintedWindow {
public:
    explicit PrintedWindow(CWnd* pWnd)
    {
        CRect client;
        pWnd->GetClientRect(&client);
        width = client.Width();
        height = client.Height();
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        dc.CreateCompatibleDC(nullptr);
        bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        old = ::SelectObject(dc, bitmap);
        dc.FillSolidRect(0, 0, width, height, RGB(1, 2, 3));
        pWnd->SendMessage(WM_PRINTCLIENT, (WPARAM)dc.GetSafeHdc(), PRF_CLIENT | PRF_ERASEBKGND);
    }
    ~PrintedWindow()
    {
        ::SelectObject(dc, old);
        ::DeleteObject(bitmap);
    }
    COLORREF At(int x, int y) const { return dc.GetPixel(x, y); }

    CDC dc;
    int width = 0, height = 0;

private:
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
};
