// Off-screen buffers copy back only their rectangle; scope objects put back what they replaced.
#include "CXTPBufferDC.h"

#include <gtest/gtest.h>

#include "CXTPEmptyRect.h"
#include "CXTPFontDC.h"
#include "DibCanvas.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);

TEST(MemDC, DrawsInTargetCoordinatesAndCopiesItsRectangleBack)
{
    DibCanvas target(40, 40);
    {
        CXTMemDC memDC(&target.dc, CRect(10, 10, 30, 30), kRed);
        ASSERT_TRUE(memDC.IsValid());
        memDC.FillSolidRect(20, 20, 5, 5, RGB(0, 0, 255));  // the target's own coordinates
        EXPECT_EQ(kWhite, target.dc.GetPixel(15, 15));    // nothing reaches the target before the end
    }
    EXPECT_EQ(kRed, target.dc.GetPixel(10, 10));
    EXPECT_EQ(kRed, target.dc.GetPixel(29, 29));
    EXPECT_EQ(RGB(0, 0, 255), target.dc.GetPixel(22, 22));
    EXPECT_EQ(kWhite, target.dc.GetPixel(9, 9));
    EXPECT_EQ(kWhite, target.dc.GetPixel(30, 30));
}

TEST(MemDC, AnEmptyRectangleCoversTheClipBox)
{
    DibCanvas target(40, 40);
    ::IntersectClipRect(target.dc, 5, 6, 25, 27);
    {
        CXTMemDC memDC(&target.dc, CRect(), kRed);
        EXPECT_EQ(CRect(5, 6, 25, 27), memDC.GetRect());
    }
    ::SelectClipRgn(target.dc, nullptr);
    EXPECT_EQ(kRed, target.dc.GetPixel(5, 6));
    EXPECT_EQ(kRed, target.dc.GetPixel(24, 26));
    EXPECT_EQ(kWhite, target.dc.GetPixel(25, 27));
}

TEST(BufferDC, CopiesOnlyItsRectangle)
{
    DibCanvas target(40, 40);
    {
        CXTPBufferDC buffer(target.dc, CRect(10, 10, 20, 20));
        buffer.FillSolidRect(0, 0, 20, 20, kRed);
    }
    EXPECT_EQ(kRed, target.dc.GetPixel(10, 10));
    EXPECT_EQ(kRed, target.dc.GetPixel(19, 19));
    EXPECT_EQ(kWhite, target.dc.GetPixel(9, 9));
}

// Buffers of a window's DC share the thread's spare bitmap: one opened inside another gets a
// bitmap of its own, a larger one afterwards grows the spare, and each copies back its rectangle.
TEST(BufferDC, WindowBuffersNestAndGrow)
{
    HWND hWnd = ::CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 120, 120, nullptr,
                                  nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, hWnd);
    HDC hDC = ::GetDC(hWnd);
    const COLORREF kBlue = RGB(0, 0, 255), kGreen = RGB(0, 255, 0);
    {
        CXTPBufferDC outer(hDC, CRect(0, 0, 40, 40));
        outer.FillSolidRect(0, 0, 40, 40, kRed);
        {
            // Its origin is its rectangle's corner: drawn into the outer's bitmap it would
            // turn the outer's red blue.
            CXTMemDC inner(CDC::FromHandle(hDC), CRect(50, 50, 70, 70), kBlue);
            ASSERT_TRUE(inner.IsValid());
        }
        outer.FillSolidRect(10, 10, 5, 5, kGreen);
    }
    EXPECT_EQ(kRed, ::GetPixel(hDC, 5, 5));
    EXPECT_EQ(kGreen, ::GetPixel(hDC, 12, 12));
    EXPECT_EQ(kBlue, ::GetPixel(hDC, 60, 60));
    EXPECT_NE(kBlue, ::GetPixel(hDC, 45, 45));
    {
        CXTMemDC larger(CDC::FromHandle(hDC), CRect(0, 0, 120, 120), kWhite);
        larger.FillSolidRect(100, 100, 10, 10, kRed);
    }
    EXPECT_EQ(kWhite, ::GetPixel(hDC, 5, 5));
    EXPECT_EQ(kRed, ::GetPixel(hDC, 105, 105));
    EXPECT_EQ(kWhite, ::GetPixel(hDC, 119, 119));
    ::ReleaseDC(hWnd, hDC);
    ::DestroyWindow(hWnd);
}

TEST(ScopeObjects, PutBackWhatTheyReplaced)
{
    DibCanvas canvas(10, 10);
    HGDIOBJ pen = ::GetCurrentObject(canvas.dc, OBJ_PEN);
    HGDIOBJ brush = ::GetCurrentObject(canvas.dc, OBJ_BRUSH);
    HGDIOBJ font = ::GetCurrentObject(canvas.dc, OBJ_FONT);
    {
        CFont bold;
        bold.CreatePointFont(120, "Arial");
        CXTPFontDC fontDC(&canvas.dc, &bold);
        CXTPPenDC penDC(canvas.dc, kRed);
        CXTPBrushDC brushDC(canvas.dc, RGB(0, 255, 0));
        EXPECT_EQ(bold.m_hObject, ::GetCurrentObject(canvas.dc, OBJ_FONT));
        EXPECT_EQ(kRed, penDC.GetColor());
        penDC.SetColor(RGB(0, 0, 255));
        brushDC.SetColor(RGB(0, 0, 255));
        EXPECT_EQ(RGB(0, 0, 255), penDC.GetColor());
        ::MoveToEx(canvas.dc, 0, 5, nullptr);
        ::LineTo(canvas.dc, 10, 5);
        EXPECT_EQ(RGB(0, 0, 255), canvas.dc.GetPixel(3, 5));
    }
    EXPECT_EQ(pen, ::GetCurrentObject(canvas.dc, OBJ_PEN));
    EXPECT_EQ(brush, ::GetCurrentObject(canvas.dc, OBJ_BRUSH));
    EXPECT_EQ(font, ::GetCurrentObject(canvas.dc, OBJ_FONT));

    // A font scope over the font in place still puts that font back when its body changed it.
    HGDIOBJ fixed = ::GetStockObject(ANSI_FIXED_FONT);
    {
        CFont same;
        same.Attach(static_cast<HFONT>(font));
        CXTPFontDC fontDC(&canvas.dc, &same);
        same.Detach();
        ::SelectObject(canvas.dc, fixed);
    }
    EXPECT_EQ(font, ::GetCurrentObject(canvas.dc, OBJ_FONT));
}

TEST(Rectangles, NoWindowGivesEmpty)
{
    EXPECT_TRUE(CXTPEmptyRect().IsRectEmpty());
    EXPECT_TRUE(CXTPWindowRect(reinterpret_cast<HWND>(0x1234)).IsRectEmpty());
    EXPECT_TRUE(CXTPClientRect(static_cast<HWND>(nullptr)).IsRectEmpty());
}

}  // namespace
