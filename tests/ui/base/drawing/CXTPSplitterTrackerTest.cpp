// The splitter tracker's modal loop, fed by messages posted before it starts.
#include "CXTPSplitterTracker.h"

#include <gtest/gtest.h>

#include <vector>

#include "CWnd.h"

namespace {

// A plain window that, when a message reaches it during the drag, reads one desktop pixel.
COLORREF g_seen = CLR_INVALID;
POINT g_probe = {};
LRESULT CALLBACK Recorder(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP) {
        HDC hdc = ::GetDC(nullptr);
        g_seen = ::GetPixel(hdc, g_probe.x, g_probe.y);
        ::ReleaseDC(nullptr, hdc);
        return 0;
    }
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

class TrackerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(window.CreateEx(WS_EX_TOPMOST, AfxRegisterWndClass(0), "tracker", WS_POPUP | WS_VISIBLE,
                                    CRect(0, 0, 400, 300), nullptr, 0));
        ::UpdateWindow(window);
    }
    void TearDown() override { window.DestroyWindow(); }

    void PostMove(int x, int y) { ::PostMessage(window, WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }

    // The desktop's pixels along a row, to compare before and after a drag.
    std::vector<COLORREF> DesktopRow(int y)
    {
        HDC hdc = ::GetDC(nullptr);
        std::vector<COLORREF> row;
        for (int x = 0; x < 400; x += 7)
            row.push_back(::GetPixel(hdc, x, y));
        ::ReleaseDC(nullptr, hdc);
        return row;
    }

    CWnd window;
};

TEST_F(TrackerTest, HorizontalTrackerKeepsItsLimitsAndAxis)
{
    CRect tracker(100, 50, 104, 250);
    CXTPSplitterTracker splitter;
    PostMove(130, 80);   // grabbed at x 102: moves right by 28, never down
    PostMove(500, 10);   // far right: the leading edge stops at the limit
    ::PostMessage(window, WM_LBUTTONUP, 0, MAKELPARAM(500, 10));
    EXPECT_TRUE(splitter.Track(&window, CRect(50, 0, 300, 300), tracker, CPoint(102, 60), TRUE));
    EXPECT_EQ(CRect(300, 50, 304, 250), tracker);
    EXPECT_EQ(nullptr, ::GetCapture());

    PostMove(-100, 200);  // far left
    ::PostMessage(window, WM_LBUTTONUP, 0, 0);
    EXPECT_TRUE(splitter.Track(&window, CRect(50, 0, 300, 300), tracker, CPoint(302, 60), TRUE));
    EXPECT_EQ(CRect(50, 50, 54, 250), tracker);
}

TEST_F(TrackerTest, VerticalTrackerMovesOnlyUpAndDown)
{
    CRect tracker(20, 100, 380, 104);
    CXTPSplitterTracker splitter(TRUE);
    PostMove(300, 150);
    ::PostMessage(window, WM_LBUTTONUP, 0, 0);
    EXPECT_TRUE(splitter.Track(&window, CRect(0, 40, 400, 200), tracker, CPoint(50, 101), FALSE));
    EXPECT_EQ(CRect(20, 149, 380, 153), tracker);
}

TEST_F(TrackerTest, EscapeCancelsAndLeavesTheDesktopAsBefore)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = Recorder;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "TrackerRecorder";
    ::RegisterClassA(&wc);
    HWND recorder = ::CreateWindowA("TrackerRecorder", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, wc.hInstance, nullptr);

    const std::vector<COLORREF> before = DesktopRow(150);
    HDC hdc = ::GetDC(nullptr);
    g_probe = {201, 100};
    const COLORREF plain = ::GetPixel(hdc, g_probe.x, g_probe.y);
    ::ReleaseDC(nullptr, hdc);

    CRect tracker(100, 50, 104, 250);
    CXTPSplitterTracker splitter(TRUE);
    splitter.SetBoundRect(CRect(10, 140, 390, 160));
    PostMove(200, 60);  // the tracker's left edge to 200
    ::PostMessage(recorder, WM_APP, 0, 0);  // dispatched during the drag
    ::PostMessage(window, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(splitter.Track(&window, CRect(0, 0, 400, 300), tracker, CPoint(102, 60), TRUE));
    EXPECT_EQ(nullptr, ::GetCapture());
    // During the drag the moved tracker showed inverted; afterwards nothing is left.
    EXPECT_EQ(~plain & 0xFFFFFF, g_seen);
    EXPECT_EQ(before, DesktopRow(150));
    ::DestroyWindow(recorder);
}

}  // namespace
