// GDI objects: ownership of handles, objects of the handle's kind, regions.
#include <gtest/gtest.h>

#include "CGdiObject.h"
#include "CRect.h"

namespace {

TEST(CGdiObjectHandles, OwnerDeletesTemporaryLeaves)
{
    HGDIOBJ handle = nullptr;
    {
        CPen pen(PS_SOLID, 2, RGB(1, 2, 3));
        handle = pen.m_hObject;
        ASSERT_NE(handle, nullptr);
        EXPECT_EQ(CGdiObject::FromHandle(handle), &pen);
        EXPECT_FALSE(pen.CreatePen(PS_SOLID, 1, 0)) << "a second pen must not replace the first";
        LOGPEN logPen = {};
        ASSERT_EQ(pen.GetLogPen(&logPen), static_cast<int>(sizeof(LOGPEN)));
        EXPECT_EQ(logPen.lopnColor, RGB(1, 2, 3));
    }
    EXPECT_EQ(::GetObjectType(handle), 0u) << "the pen outlived its owner";

    HFONT font = ::CreateFontA(-12, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
    CFont* temporary = CFont::FromHandle(font);
    ASSERT_NE(temporary, nullptr);
    EXPECT_EQ(CFont::FromHandle(font), temporary);
    CGdiObject::DeleteTempMap();
    EXPECT_EQ(::GetObjectType(font), static_cast<DWORD>(OBJ_FONT)) << "the temporary deleted the font";
    ::DeleteObject(font);
}

TEST(CGdiObjectHandles, FromHandleGivesTheObjectOfTheHandlesKind)
{
    HBRUSH brush = ::CreateSolidBrush(RGB(9, 9, 9));
    HBITMAP bitmap = ::CreateBitmap(4, 4, 1, 1, nullptr);
    HRGN region = ::CreateRectRgn(0, 0, 1, 1);
    EXPECT_NE(CBrush::FromHandle(brush), nullptr);
    EXPECT_NE(CBitmap::FromHandle(bitmap), nullptr);
    EXPECT_NE(CRgn::FromHandle(region), nullptr);
    EXPECT_EQ(CPen::FromHandle(reinterpret_cast<HPEN>(brush)), nullptr);
    CGdiObject::DeleteTempMap();
    ::DeleteObject(brush);
    ::DeleteObject(bitmap);
    ::DeleteObject(region);
}

TEST(CGdiObjectFonts, PointFontAndLogFont)
{
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(120, "Arial"));
    LOGFONTA logFont = {};
    ASSERT_GT(font.GetLogFont(&logFont), 0);
    EXPECT_STREQ(logFont.lfFaceName, "Arial");
    HDC screen = ::GetDC(nullptr);
    EXPECT_EQ(logFont.lfHeight, -MulDiv(12, ::GetDeviceCaps(screen, LOGPIXELSY), 72));
    ::ReleaseDC(nullptr, screen);
}

TEST(CRgnTest, CombinesAndHitTests)
{
    CRgn left;
    CRgn right;
    CRgn both;
    ASSERT_TRUE(left.CreateRectRgn(0, 0, 10, 10));
    ASSERT_TRUE(right.CreateRectRgn(5, 0, 20, 10));
    ASSERT_TRUE(both.CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(both.CombineRgn(&left, &right, RGN_AND), SIMPLEREGION);
    RECT box;
    both.GetRgnBox(&box);
    EXPECT_EQ(CRect(box), CRect(5, 0, 10, 10));
    EXPECT_TRUE(both.PtInRegion(7, 5));
    EXPECT_FALSE(both.PtInRegion(2, 5));
    EXPECT_EQ(both.CombineRgn(&left, &right, RGN_XOR), COMPLEXREGION);
    EXPECT_FALSE(both.PtInRegion(7, 5));
    CRgn empty;
    EXPECT_EQ(empty.CombineRgn(&left, &right, RGN_OR), ERROR) << "a region without a handle";
    EXPECT_EQ(both.CombineRgn(nullptr, &right, RGN_OR), ERROR);
}

} // namespace
