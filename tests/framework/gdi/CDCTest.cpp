// Device contexts: filled and framed rectangles, the attribute DC, object selection, drag frames.
#include <gtest/gtest.h>

#include "CDC.h"
#include "CWnd.h"
#include "MemoryCanvas.h"

namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kGreen = RGB(0, 128, 0);

TEST(CDCDrawing, FillSolidRectCoversTheRectangleOnlyAndKeepsTheBackground)
{
    MemoryCanvas canvas(20, 20);
    CDC& dc = canvas.dc;
    dc.SetBkColor(kGreen);
    dc.FillSolidRect(CRect(2, 3, 6, 8), kRed);
    EXPECT_EQ(dc.GetPixel(2, 3), kRed);
    EXPECT_EQ(dc.GetPixel(5, 7), kRed);
    EXPECT_EQ(dc.GetPixel(6, 7), kWhite);  // right and bottom edges are outside
    EXPECT_EQ(dc.GetPixel(5, 8), kWhite);
    EXPECT_EQ(dc.GetPixel(1, 3), kWhite);
    EXPECT_EQ(dc.GetBkColor(), kGreen);
}

TEST(CDCDrawing, Draw3dRectGivesTheOuterCornersToTheBottomRightColour)
{
    MemoryCanvas canvas(20, 20);
    canvas.dc.Draw3dRect(CRect(2, 2, 10, 8), kRed, kBlue);
    struct Probe {
        int x, y;
        COLORREF colour;
    };
    const Probe probes[] = {
        {2, 2, kRed},  {8, 2, kRed},  {2, 6, kRed},     // top and left
        {9, 2, kBlue}, {2, 7, kBlue}, {9, 7, kBlue},    // top-right, bottom-left, bottom-right corners
        {9, 4, kBlue}, {5, 7, kBlue},                   // right and bottom
        {5, 4, kWhite}, {10, 4, kWhite}, {5, 8, kWhite},  // inside and outside stay
    };
    for (const Probe& p : probes)
        EXPECT_EQ(canvas.dc.GetPixel(p.x, p.y), p.colour) << p.x << "," << p.y;
}

// Attributes reach both DCs and are read from the attribute DC; drawing reaches the
// output DC alone; text is measured on the attribute DC.
TEST(CDCAttributeDC, SplitsQueriesFromOutput)
{
    MemoryCanvas output(20, 20);
    MemoryCanvas attribute(20, 20);
    CDC dc;
    dc.SetOutputDC(output.dc);
    dc.SetAttribDC(attribute.dc);

    dc.SetTextColor(kRed);
    EXPECT_EQ(::GetTextColor(output.dc), kRed);
    EXPECT_EQ(::GetTextColor(attribute.dc), kRed);
    ::SetTextColor(attribute.dc, kBlue);
    EXPECT_EQ(dc.GetTextColor(), kBlue);
    EXPECT_EQ(dc.SetMapMode(MM_LOMETRIC), MM_TEXT);
    EXPECT_EQ(::GetMapMode(output.dc), MM_LOMETRIC);
    dc.SetMapMode(MM_TEXT);

    dc.FillSolidRect(0, 0, 5, 5, kRed);
    EXPECT_EQ(output.dc.GetPixel(1, 1), kRed);
    EXPECT_EQ(attribute.dc.GetPixel(1, 1), kWhite);

    CFont big;
    CFont small;
    ASSERT_TRUE(big.CreateFont(-40, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial"));
    ASSERT_TRUE(small.CreateFont(-8, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial"));
    HGDIOBJ oldAttribute = ::SelectObject(attribute.dc, big);
    HGDIOBJ oldOutput = ::SelectObject(output.dc, small);
    EXPECT_GT(dc.GetTextExtent("Wide text").cx, dc.GetOutputTextExtent("Wide text").cx);
    ::SelectObject(attribute.dc, oldAttribute);
    ::SelectObject(output.dc, oldOutput);
    dc.ReleaseOutputDC();
    dc.ReleaseAttribDC();
}

TEST(CDCObjects, SelectReturnsThePreviousObjectAndPensDraw)
{
    MemoryCanvas canvas(20, 20);
    CPen red(PS_SOLID, 1, kRed);
    CPen* old = canvas.dc.SelectObject(&red);
    ASSERT_NE(old, nullptr);
    EXPECT_TRUE(old->IsKindOf(RUNTIME_CLASS(CPen)));
    EXPECT_EQ(canvas.dc.GetCurrentPen(), &red);
    canvas.dc.MoveTo(0, 5);
    canvas.dc.LineTo(10, 5);
    EXPECT_EQ(canvas.dc.GetCurrentPosition().x, 10);
    EXPECT_EQ(canvas.dc.GetPixel(4, 5), kRed);
    EXPECT_EQ(canvas.dc.GetPixel(10, 5), kWhite);  // the end point is not drawn
    EXPECT_EQ(canvas.dc.SelectObject(old), &red);

    CBrush blue(kBlue);
    CBrush* oldBrush = canvas.dc.SelectObject(&blue);
    canvas.dc.SelectStockObject(NULL_PEN);
    canvas.dc.Rectangle(2, 8, 8, 14);
    EXPECT_EQ(canvas.dc.GetPixel(4, 10), kBlue);
    canvas.dc.SelectObject(oldBrush);
    canvas.dc.SelectObject(old);
}

TEST(CDCDrawing, DragRectErasesWhatItDrew)
{
    MemoryCanvas canvas(40, 40);
    MemoryCanvas reference(40, 40);
    const CRect first(5, 5, 25, 25);
    const CRect second(10, 10, 30, 30);
    const CSize frame(3, 3);
    canvas.dc.DrawDragRect(first, frame, nullptr, CSize(0, 0));
    EXPECT_TRUE(canvas.dc.GetPixel(5, 5) != kWhite || canvas.dc.GetPixel(6, 5) != kWhite);
    EXPECT_EQ(canvas.dc.GetPixel(15, 15), kWhite);  // inside the frame nothing changes

    // Moving the frame in one pass looks like drawing the new one on a clean canvas.
    canvas.dc.DrawDragRect(second, frame, first, frame);
    reference.dc.DrawDragRect(second, frame, nullptr, CSize(0, 0));
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(canvas.dc.GetPixel(x, y), reference.dc.GetPixel(x, y)) << x << "," << y;

    canvas.dc.DrawDragRect(CRect(0, 0, 0, 0), CSize(0, 0), second, frame);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(canvas.dc.GetPixel(x, y), kWhite) << x << "," << y;
}

TEST(CDCHandles, TemporariesComeAndGoWithoutTakingTheHandle)
{
    HDC hDC = ::CreateCompatibleDC(nullptr);
    CDC* temporary = CDC::FromHandle(hDC);
    ASSERT_NE(temporary, nullptr);
    EXPECT_EQ(CDC::FromHandle(hDC), temporary);
    CDC::DeleteTempMap();
    EXPECT_NE(::GetDeviceCaps(hDC, BITSPIXEL), 0) << "the temporary deleted the DC";

    {
        CDC owner;
        EXPECT_TRUE(owner.Attach(hDC));
        EXPECT_EQ(CDC::FromHandle(hDC), &owner);
        CDC other;
        EXPECT_FALSE(other.Attach(hDC));
    }
    EXPECT_EQ(::GetObjectType(hDC), 0u) << "the owner left the DC behind";
    EXPECT_EQ(CDC::FromHandle(nullptr), nullptr);
}

TEST(CDCWindow, ClientAndPaintDCsBelongToTheirWindow)
{
    HWND hWnd = ::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 60, 40, nullptr, nullptr,
                                  ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(hWnd, nullptr);
    CWnd* wnd = CWnd::FromHandle(hWnd);
    {
        CClientDC dc(wnd);
        ASSERT_NE(dc.GetSafeHdc(), nullptr);
        EXPECT_EQ(dc.GetWindow()->m_hWnd, hWnd);
        dc.FillSolidRect(0, 0, 10, 10, kRed);
        EXPECT_EQ(dc.GetPixel(3, 3), kRed);
    }
    {
        CWindowDC dc(wnd);
        EXPECT_NE(dc.GetSafeHdc(), nullptr);
    }
    ::InvalidateRect(hWnd, nullptr, FALSE);
    {
        CPaintDC dc(wnd);
        EXPECT_NE(dc.GetSafeHdc(), nullptr);
        EXPECT_FALSE(::IsRectEmpty(&dc.m_ps.rcPaint));
    }
    EXPECT_FALSE(::GetUpdateRect(hWnd, nullptr, FALSE)) << "EndPaint did not validate the window";
    ::DestroyWindow(hWnd);
    CWnd::DeleteTempMap();
}

// A window of its own DC gives every caller the same DC: nested DCs of it both draw.
TEST(CDCWindow, NestedDCsOfAnOwnDCWindowBothDraw)
{
    const char* className = AfxRegisterWndClass(CS_OWNDC);
    ASSERT_NE(className, nullptr);
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, className, "", WS_POPUP, 0, 0, 40, 40, nullptr, nullptr));
    {
        CClientDC outer(&wnd);
        CClientDC inner(&wnd);
        ASSERT_NE(inner.GetSafeHdc(), nullptr);
        EXPECT_EQ(inner.GetSafeHdc(), outer.GetSafeHdc());
        EXPECT_EQ(CDC::FromHandle(outer.GetSafeHdc()), &outer);
        inner.SetTextColor(kBlue);
        EXPECT_EQ(outer.GetTextColor(), kBlue);
    }
    CClientDC again(&wnd);
    EXPECT_EQ(CDC::FromHandle(again.GetSafeHdc()), &again) << "the inner DC left a stale entry";
}

} // namespace
