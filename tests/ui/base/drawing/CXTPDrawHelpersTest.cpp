// Gradient fills (both ways, both paths, low colour), pixel averaging, fonts and icons.
#include "CXTPDrawHelpers.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "DibCanvas.h"

namespace {

// Within a small step of each other on every channel (gradient steps round differently).
::testing::AssertionResult Near(COLORREF expected, COLORREF actual, int tolerance = 12)
{
    if (std::abs(GetRValue(expected) - GetRValue(actual)) <= tolerance &&
        std::abs(GetGValue(expected) - GetGValue(actual)) <= tolerance &&
        std::abs(GetBValue(expected) - GetBValue(actual)) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << std::hex << "expected about 0x" << expected << ", got 0x" << actual;
}

const COLORREF kFrom = RGB(255, 0, 0);
const COLORREF kTo = RGB(0, 0, 255);

TEST(DrawHelpers, GradientEndsBothWaysOnBothPaths)
{
    CXTPDrawHelpers withEntryPoint;
    CXTPDrawHelpers perLine("no-such-gradient-module.dll");
    ASSERT_TRUE(withEntryPoint.HasGradientFill());
    ASSERT_FALSE(perLine.HasGradientFill());
    for (CXTPDrawHelpers* helpers : {&withEntryPoint, &perLine}) {
        for (BOOL horizontal : {TRUE, FALSE}) {
            SCOPED_TRACE(::testing::Message() << (helpers == &perLine ? "per line" : "entry point")
                                              << (horizontal ? ", horizontal" : ", vertical"));
            DibCanvas canvas(60, 60);
            CRect rect(10, 10, 50, 50);
            helpers->GradientFill(&canvas.dc, &rect, kFrom, kTo, horizontal);
            const CPoint last = horizontal ? CPoint(49, 30) : CPoint(30, 49);
            EXPECT_TRUE(Near(kFrom, canvas.dc.GetPixel(10, 10)));
            EXPECT_TRUE(Near(kTo, canvas.dc.GetPixel(last)));
            // Halfway a mix of both; across the axis one colour.
            EXPECT_TRUE(Near(RGB(128, 0, 128), horizontal ? canvas.dc.GetPixel(30, 20) : canvas.dc.GetPixel(20, 30),
                             16));
            EXPECT_EQ(horizontal ? canvas.dc.GetPixel(30, 11) : canvas.dc.GetPixel(11, 30),
                      horizontal ? canvas.dc.GetPixel(30, 48) : canvas.dc.GetPixel(48, 30));
            EXPECT_EQ(RGB(255, 255, 255), canvas.dc.GetPixel(9, 9));  // outside untouched
            EXPECT_EQ(RGB(255, 255, 255), canvas.dc.GetPixel(50, 50));
        }
    }
}

TEST(DrawHelpers, PerLineGradientKeepsToTheClipBox)
{
    CXTPDrawHelpers perLine("no-such-gradient-module.dll");
    DibCanvas canvas(60, 60);
    ::IntersectClipRect(canvas.dc, 0, 0, 30, 60);
    CRect rect(10, 10, 50, 50);
    perLine.GradientFill(&canvas.dc, &rect, kFrom, kTo, TRUE);
    ::SelectClipRgn(canvas.dc, nullptr);
    EXPECT_TRUE(Near(kFrom, canvas.dc.GetPixel(10, 20)));
    EXPECT_EQ(RGB(255, 255, 255), canvas.dc.GetPixel(35, 20));
}

TEST(DrawHelpers, LowColourAndEqualColoursFillSolid)
{
    // The system reports its screen depth for memory DCs too: the depth is put in place.
    DibCanvas low(20, 20, 8, {RGB(255, 255, 255), kFrom, kTo, RGB(128, 0, 128)});
    auto previous = CXTPDrawHelpers::SetBitsPerPixelProvider([](HDC) { return 8; });
    EXPECT_TRUE(CXTPDrawHelpers::IsLowResolution(low.dc));
    CRect rect(0, 0, 20, 20);
    XTPDrawHelpers()->GradientFill(&low.dc, &rect, kFrom, kTo, TRUE);
    EXPECT_EQ(kFrom, low.dc.GetPixel(0, 0));
    EXPECT_EQ(kFrom, low.dc.GetPixel(19, 10));
    CXTPDrawHelpers::SetBitsPerPixelProvider(previous);

    DibCanvas full(20, 20);
    EXPECT_FALSE(CXTPDrawHelpers::IsLowResolution(full.dc));
    XTPDrawHelpers()->GradientFill(&full.dc, &rect, kTo, kTo, FALSE);
    EXPECT_EQ(kTo, full.dc.GetPixel(19, 19));
}

TEST(DrawHelpers, EmptyAndThinRectangles)
{
    CXTPDrawHelpers perLine("no-such-gradient-module.dll");
    DibCanvas canvas(20, 20);
    CRect empty(5, 5, 5, 15);
    perLine.GradientFill(&canvas.dc, &empty, kFrom, kTo, TRUE);
    XTPDrawHelpers()->GradientFill(&canvas.dc, &empty, kFrom, kTo, TRUE);
    EXPECT_EQ(RGB(255, 255, 255), canvas.dc.GetPixel(5, 10));
    CRect thin(5, 5, 6, 15);  // one pixel wide: w = 1, the first colour
    perLine.GradientFill(&canvas.dc, &thin, kFrom, kTo, TRUE);
    EXPECT_EQ(kFrom, canvas.dc.GetPixel(5, 10));
}

TEST(DrawHelpers, BlendColorsWeighsTheFirstColour)
{
    EXPECT_EQ(RGB(255, 0, 0), CXTPDrawHelpers::BlendColors(kFrom, kTo, 1.0));
    EXPECT_EQ(RGB(0, 0, 255), CXTPDrawHelpers::BlendColors(kFrom, kTo, 0.0));
    EXPECT_EQ(RGB(191, 0, 63), CXTPDrawHelpers::BlendColors(kFrom, kTo, 0.75));
}

TEST(DrawHelpers, AveragePixelsTakesWholePairsOnly)
{
    DibCanvas canvas(10, 10, 32);
    canvas.dc.SetPixel(1, 1, RGB(200, 100, 0));
    canvas.dc.SetPixel(2, 1, RGB(100, 50, 255));
    canvas.dc.SetPixel(5, 5, RGB(10, 20, 30));
    // One pair and a lone point: the lone point (whose offset would lie past the list) is left.
    const POINT points[3] = {{1, 1}, {1, 0}, {5, 5}};
    XTPDrawHelpers()->AveragePixels(&canvas.dc, points, 3);
    EXPECT_EQ(RGB(150, 75, 127), canvas.dc.GetPixel(1, 1));
    EXPECT_EQ(RGB(10, 20, 30), canvas.dc.GetPixel(5, 5));
}

int CALLBACK FirstFace(const LOGFONTA* logFont, const TEXTMETRICA*, DWORD, LPARAM lParam)
{
    lstrcpynA(reinterpret_cast<char*>(lParam), logFont->lfFaceName, LF_FACESIZE);
    return 0;
}

TEST(DrawHelpers, FontsAreFoundByFaceIgnoringCase)
{
    // Any installed face will do (machines differ); the first one the system lists.
    char face[LF_FACESIZE] = {};
    HDC hdc = ::GetWindowDC(nullptr);
    LOGFONTA all = {};
    all.lfCharSet = DEFAULT_CHARSET;
    ::EnumFontFamiliesExA(hdc, &all, FirstFace, reinterpret_cast<LPARAM>(face), 0);
    ::ReleaseDC(nullptr, hdc);
    ASSERT_NE('\0', face[0]);
    EXPECT_TRUE(CXTPDrawHelpers::FontExists(face));
    CharUpperA(face);
    EXPECT_TRUE(CXTPDrawHelpers::FontExists(face));
    EXPECT_FALSE(CXTPDrawHelpers::FontExists("No Such Face At All"));
    EXPECT_FALSE(CXTPDrawHelpers::FontExists(""));
    const CString name = CXTPDrawHelpers::GetDefaultFontName(TRUE);
    EXPECT_STREQ(CXTPDrawHelpers::FontExists("Arial") ? "Tahoma" : (const char*)name, (const char*)name);
}

TEST(DrawHelpers, WorkAreasAreThePrimaryWorkAreaOnOneMonitor)
{
    RECT work = {};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(CRect(work), CXTPDrawHelpers::GetWorkAreaFromRect(CRect(10, 10, 20, 20)));
    EXPECT_EQ(CRect(work), CXTPDrawHelpers::GetWorkAreaFromRect(CRect(-5000, -5000, -4000, -4000)));  // no monitor
    EXPECT_EQ(CRect(work), CXTPDrawHelpers::GetWorkAreaFromCursor());
    EXPECT_EQ(CRect(work), CXTPDrawHelpers::GetWorkAreaFromWindow(nullptr));
}

TEST(DrawHelpers, IconFromBitmapMasksTheTopLeftColour)
{
    EXPECT_EQ(nullptr, CXTPDrawHelpers::CreateIconFromBitmap(nullptr));
    DibCanvas canvas(16, 16);
    canvas.dc.FillSolidRect(0, 0, 16, 16, RGB(255, 0, 255));
    canvas.dc.FillSolidRect(4, 4, 8, 8, RGB(0, 128, 0));
    ::SelectObject(canvas.dc, ::GetStockObject(DEFAULT_GUI_FONT));  // keeps the DC usable
    HBITMAP copy = static_cast<HBITMAP>(::CopyImage(canvas.bitmap, IMAGE_BITMAP, 0, 0, 0));
    HICON icon = CXTPDrawHelpers::CreateIconFromBitmap(copy);
    ASSERT_NE(nullptr, icon);
    DibCanvas target(16, 16);
    target.dc.FillSolidRect(0, 0, 16, 16, RGB(1, 2, 3));
    ::DrawIconEx(target.dc, 0, 0, icon, 16, 16, 0, nullptr, DI_NORMAL);
    EXPECT_EQ(RGB(1, 2, 3), target.dc.GetPixel(0, 0));  // transparent
    EXPECT_EQ(RGB(0, 128, 0), target.dc.GetPixel(8, 8));
    ::DestroyIcon(icon);
    ::DeleteObject(copy);
}

}  // namespace
