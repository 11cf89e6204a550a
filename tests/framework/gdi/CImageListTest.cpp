// Image lists: masked pictures drawn into a memory DC.
#include <gtest/gtest.h>

#include "CImageList.h"
#include "MemoryCanvas.h"

namespace {

TEST(CImageListTest, MaskedPicturesDrawTheirColoursOnly)
{
    const COLORREF magenta = RGB(255, 0, 255);
    const COLORREF red = RGB(255, 0, 0);
    // Two 8 by 8 pictures side by side: the first red with a magenta (transparent) left half.
    MemoryCanvas strip(16, 8, magenta);
    strip.dc.FillSolidRect(4, 0, 4, 8, red);
    strip.dc.FillSolidRect(8, 0, 8, 8, RGB(0, 0, 255));
    CBitmap pictures;
    ASSERT_TRUE(pictures.CreateCompatibleBitmap(&strip.dc, 16, 8));
    {
        CDC copy;
        copy.CreateCompatibleDC(&strip.dc);
        CBitmap* old = copy.SelectObject(&pictures);
        copy.BitBlt(0, 0, 16, 8, &strip.dc, 0, 0, SRCCOPY);
        copy.SelectObject(old);
    }

    CImageList images;
    ASSERT_TRUE(images.Create(8, 8, ILC_COLOR24 | ILC_MASK, 0, 4));
    EXPECT_EQ(images.Add(&pictures, magenta), 0);
    EXPECT_EQ(images.GetImageCount(), 2);
    int cx = 0;
    int cy = 0;
    ASSERT_TRUE(images.GetIconSize(cx, cy));
    EXPECT_EQ(cx, 8);

    MemoryCanvas canvas(20, 10);
    ASSERT_TRUE(images.Draw(&canvas.dc, 0, CPoint(2, 1), ILD_TRANSPARENT));
    EXPECT_EQ(canvas.dc.GetPixel(3, 3), RGB(255, 255, 255));  // transparent half
    EXPECT_EQ(canvas.dc.GetPixel(7, 3), red);
    ASSERT_TRUE(images.Draw(&canvas.dc, 1, CPoint(10, 1), ILD_NORMAL));
    EXPECT_EQ(canvas.dc.GetPixel(12, 3), RGB(0, 0, 255));

    EXPECT_TRUE(images.Remove(0));
    EXPECT_EQ(images.GetImageCount(), 1);
    EXPECT_FALSE(images.Draw(nullptr, 0, CPoint(0, 0), ILD_NORMAL));
}

} // namespace
