// Drawing images and the alpha bitmap operations: premultiplying, blending, strips, resources, .ico files.
#include "CXTPImageManager.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "ImageFixtures.h"

namespace {

// Channel-wise closeness of two colours (blending rounds either way).
bool Near(COLORREF a, COLORREF b, int tolerance = 2)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

// A little-endian writer for hand-made file images.
struct Bytes {
    std::vector<BYTE> data;
    Bytes& Word(UINT v) { return Byte(v & 0xFF).Byte(v >> 8 & 0xFF); }
    Bytes& Dword(DWORD v) { return Word(v & 0xFFFF).Word(v >> 16); }
    Bytes& Byte(UINT v)
    {
        data.push_back(static_cast<BYTE>(v));
        return *this;
    }
};

// One image of an .ico file: header (height doubled for the mask), colour pixels, mask.
std::vector<BYTE> IconImage(int size, WORD bitCount, LONG storedHeight, DWORD pixel)
{
    Bytes b;
    b.Dword(40).Dword(size).Dword(static_cast<DWORD>(storedHeight)).Word(1).Word(bitCount).Dword(0).Dword(0);
    b.Dword(0).Dword(0).Dword(bitCount == 4 ? 16 : 0).Dword(0);
    if (bitCount == 4)
        for (int i = 0; i < 16; i++)
            b.Dword(0x000000FF);  // a red palette: only the 32-bit image is green
    const size_t colourBytes = bitCount == 32 ? size * 4 : (size * bitCount + 31) / 32 * 4;
    for (int y = 0; y < size; y++)
        for (size_t i = 0; i < colourBytes; i += 4)
            b.Dword(pixel);
    for (int y = 0; y < size; y++)
        b.Dword(0);  // mask rows
    return b.data;
}

// An .ico file of the images, each entry naming its bit count.
std::vector<BYTE> IconFile(const std::vector<std::vector<BYTE>>& images, const std::vector<WORD>& bitCounts,
                           int size)
{
    Bytes b;
    b.Word(0).Word(1).Word(static_cast<UINT>(images.size()));
    size_t offset = 6 + 16 * images.size();
    for (size_t i = 0; i < images.size(); i++) {
        b.Byte(size).Byte(size).Byte(bitCounts[i] == 4 ? 16 : 0).Byte(0).Word(1).Word(bitCounts[i]);
        b.Dword(static_cast<DWORD>(images[i].size())).Dword(static_cast<DWORD>(offset));
        offset += images[i].size();
    }
    for (const auto& image : images)
        b.data.insert(b.data.end(), image.begin(), image.end());
    return b.data;
}

}  // namespace

TEST(AlphaBitmaps, PreMultipliedColoursAndTheCache)
{
    // c × a / 255, truncated; alpha kept.
    HBITMAP bitmap = AlphaBitmap(4, 1, {0x80C8C8C8, 0x00FFFFFF, 0xFF123456, 0x7F010203});
    HBITMAP premultiplied = CXTPImageManager::PreMultiplyAlphaBitmap(bitmap);
    ASSERT_NE(nullptr, premultiplied);
    EXPECT_EQ((std::vector<DWORD>{0x80646464, 0x00000000, 0xFF123456, 0x7F000001}), Pixels(premultiplied));
    ::DeleteObject(premultiplied);

    CXTPImageManagerIconHandle handle;
    handle.SetBitmap(bitmap);
    EXPECT_TRUE(handle.PreMultiply());
    HBITMAP cache = handle.GetPremultipliedBitmap();
    EXPECT_TRUE(handle.PreMultiply());
    EXPECT_EQ(cache, handle.GetPremultipliedBitmap());  // made once
    EXPECT_EQ(0x80646464u, FirstPixel(cache));
    EXPECT_EQ(0x80C8C8C8u, FirstPixel(handle.GetBitmap()));  // the image itself stays straight
    ::DeleteObject(bitmap);

    // Other depths are refused.
    HDC screen = ::GetDC(nullptr);
    HBITMAP mono = ::CreateBitmap(8, 8, 1, 1, nullptr);
    ::ReleaseDC(nullptr, screen);
    EXPECT_EQ(nullptr, CXTPImageManager::PreMultiplyAlphaBitmap(mono));
    XTP_BITMAPINFO52 info;
    std::vector<BYTE> bits;
    EXPECT_FALSE(CXTPImageManager::GetBitmapBits32(nullptr, mono, info, bits));
    EXPECT_TRUE(bits.empty());
    ::DeleteObject(mono);
}

TEST(AlphaBitmaps, DrawingBlendsStretchesAndMirrors)
{
    CXTPImageManager manager;
    // 2×2 alpha image: opaque red left column, half-transparent grey 200 right column.
    HBITMAP bitmap = AlphaBitmap(2, 2, {0xFFFF0000, 0x80C8C8C8, 0xFFFF0000, 0x80C8C8C8});
    ASSERT_TRUE(manager.SetIcon(CXTPImageManagerIconHandle(bitmap), 1));
    ::DeleteObject(bitmap);
    CXTPImageManagerIcon* alpha = manager.GetImage(1, 2);
    ASSERT_NE(nullptr, alpha);
    if (!manager.IsAlphaIconsSupported())
        GTEST_SKIP() << "no AlphaBlend";
    {
        Canvas canvas(20, 20);
        alpha->Draw(&canvas.dc, CPoint(2, 2), alpha->GetIcon(), CSize(8, 8));  // stretched
        EXPECT_TRUE(Near(RGB(255, 0, 0), canvas.Pixel(3, 8))) << std::hex << canvas.Pixel(3, 8);
        // 100 (premultiplied) + 255 × (255 − 128) / 255 over white.
        EXPECT_TRUE(Near(RGB(227, 227, 227), canvas.Pixel(8, 8))) << std::hex << canvas.Pixel(8, 8);
        EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(10, 10));
        // The right-to-left switch leaves alpha images as they are.
        manager.m_bDrawReverted = TRUE;
        alpha->Draw(&canvas.dc, CPoint(12, 12), alpha->GetIcon());
        EXPECT_TRUE(Near(RGB(255, 0, 0), canvas.Pixel(12, 12)));
        manager.m_bDrawReverted = FALSE;
    }

    // An icon, red left and blue right, drawn plainly, mirrored and through the printing path.
    HICON icon = HalvesIcon(16, 16, RGB(255, 0, 0), RGB(0, 0, 255));
    manager.SetIcon(icon, 2);
    ::DestroyIcon(icon);
    CXTPImageManagerIcon* halves = manager.GetImage(2, 16);
    const struct { BOOL reverted, printing; COLORREF left; } cases[] = {
        {FALSE, FALSE, RGB(255, 0, 0)},
        {TRUE, FALSE, RGB(0, 0, 255)},
        {FALSE, TRUE, RGB(255, 0, 0)},
    };
    for (const auto& c : cases) {
        Canvas canvas(40, 20);
        canvas.dc.m_bPrinting = c.printing;
        manager.m_bDrawReverted = c.reverted;
        halves->Draw(&canvas.dc, CPoint(10, 2), halves->GetIcon());
        // Mirrored, the icon covers the same columns (give or take the edge one).
        EXPECT_EQ(c.left, canvas.Pixel(12, 8)) << "reverted " << c.reverted << " printing " << c.printing;
        EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(8, 8));
        EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(28, 8));
    }
    manager.m_bDrawReverted = FALSE;

    // Empty handles draw nothing.
    Canvas canvas(20, 20);
    CXTPImageManagerIconHandle empty;
    halves->Draw(&canvas.dc, CPoint(0, 0), empty);
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(4, 4));
}

TEST(AlphaBitmaps, MonoSilhouettesOfIcons)
{
    CXTPImageManager manager;
    HICON icon = HalvesIcon(16, 16, RGB(255, 0, 0), RGB(0, 0, 255), true);  // right half transparent
    manager.SetIcon(icon, 3);
    ::DestroyIcon(icon);
    CXTPImageManagerIcon* halves = manager.GetImage(3, 16);
    for (BOOL reverted : {FALSE, TRUE}) {
        manager.m_bDrawReverted = reverted;
        Canvas canvas(40, 20);
        halves->DrawMono(&canvas.dc, CPoint(4, 2), halves->GetIcon(), RGB(0, 128, 0));
        EXPECT_EQ(RGB(0, 128, 0), canvas.Pixel(6, 8)) << "reverted " << reverted;
        EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(17, 8)) << "reverted " << reverted;
    }
    manager.m_bDrawReverted = FALSE;

    HBITMAP bitmap = AlphaBitmap(16, 16, 0xFF000000);
    manager.SetIcon(CXTPImageManagerIconHandle(bitmap), 4);
    ::DeleteObject(bitmap);
    Canvas canvas(20, 20);
    CXTPImageManagerIcon* alpha = manager.GetImage(4, 16);
    alpha->DrawMono(&canvas.dc, CPoint(0, 0), alpha->GetIcon(), RGB(0, 128, 0));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(4, 4));  // alpha images have no silhouette
}

TEST(AlphaBitmaps, StripsSplitRowByRow)
{
    // Two rows of three pieces, each piece 2 wide: the pixel word names piece and row.
    std::vector<DWORD> strip;
    for (DWORD row = 0; row < 2; row++)
        for (DWORD x = 0; x < 6; x++)
            strip.push_back(0xFF000000 | (x / 2) << 8 | row);
    HBITMAP bitmap = AlphaBitmap(6, 2, strip);
    HBITMAP pieces[3] = {};
    ASSERT_TRUE(CXTPImageManager::SplitAlphaBitmap(bitmap, 3, pieces));
    for (DWORD i = 0; i < 3; i++) {
        const DWORD top = 0xFF000000 | i << 8;
        EXPECT_EQ((std::vector<DWORD>{top, top, top | 1, top | 1}), Pixels(pieces[i])) << i;
        ::DeleteObject(pieces[i]);
    }
    EXPECT_FALSE(CXTPImageManager::SplitAlphaBitmap(bitmap, 0, pieces));
    EXPECT_FALSE(CXTPImageManager::SplitAlphaBitmap(bitmap, 7, pieces));
    ::DeleteObject(bitmap);
    EXPECT_EQ(RGB(0, 0, 0), CXTPImageManager::GetBitmapPixel(pieces[0] = AlphaBitmap(1, 1, 0xFF000000), 0, 0));
    ::DeleteObject(pieces[0]);
}

TEST(AlphaBitmaps, ResourcesAndBitmapFiles)
{
    EXPECT_TRUE(CXTPImageManager::IsAlphaBitmapResource(3100));
    EXPECT_FALSE(CXTPImageManager::IsAlphaBitmapResource(3101));
    EXPECT_FALSE(CXTPImageManager::IsAlphaBitmapResource(3999));
    EXPECT_EQ(nullptr, CXTPImageManager::LoadAlphaBitmap(3101));
    HBITMAP strip = CXTPImageManager::LoadAlphaBitmap(3100);
    ASSERT_NE(nullptr, strip);
    EXPECT_EQ(0x80FF0000u, FirstPixel(strip));
    ::DeleteObject(strip);
    // The pixels follow whatever header the file has: a version-5 one, or a plain one with masks.
    for (UINT id : {3102u, 3103u}) {
        HBITMAP bitmap = CXTPImageManager::LoadAlphaBitmap(id);
        EXPECT_EQ((std::vector<DWORD>{0x80FF0000, 0x8000FF00, 0x800000FF, 0xFF102030}), Pixels(bitmap)) << id;
        ::DeleteObject(bitmap);
    }

    EXPECT_TRUE(CXTPImageManager::IsAlphaBitmapFile(DataPath("strip32.bmp").c_str()));
    EXPECT_FALSE(CXTPImageManager::IsAlphaBitmapFile(DataPath("strip24.bmp").c_str()));
    EXPECT_FALSE(CXTPImageManager::IsAlphaBitmapFile(DataPath("missing.bmp").c_str()));
}

TEST(AlphaBitmaps, IconFilesYieldTheir32BitImage)
{
    // A 16-colour image listed first, the 32-bit one of the same width after it.
    const std::vector<BYTE> file = IconFile({IconImage(16, 4, 32, 0), IconImage(16, 32, 32, 0xFF00FF00)}, {4, 32}, 16);
    for (int width : {16, 0}) {
        HBITMAP bitmap = CXTPImageManager::LoadAlphaIconData(file.data(), file.size(), width);
        ASSERT_NE(nullptr, bitmap) << width;
        BITMAP bm = {};
        ::GetObjectA(bitmap, sizeof(bm), &bm);
        EXPECT_EQ(16, bm.bmWidth);
        EXPECT_EQ(16, bm.bmHeight);  // the mask's half dropped
        EXPECT_EQ(0xFF00FF00u, FirstPixel(bitmap));
        ::DeleteObject(bitmap);
    }
    EXPECT_EQ(nullptr, CXTPImageManager::LoadAlphaIconData(file.data(), file.size(), 32));

    // Damage: each is refused, none read past the data.
    std::vector<BYTE> shortPixels = IconFile({IconImage(16, 32, 32, 0)}, {32}, 16);
    const UINT halfRows = 40 + 16 * 4 * 8;  // the entry holds half the colour rows
    shortPixels[6 + 8] = static_cast<BYTE>(halfRows & 0xFF);
    shortPixels[6 + 9] = static_cast<BYTE>(halfRows >> 8);
    const std::vector<BYTE> damaged[] = {
        IconFile({IconImage(16, 32, -32, 0)}, {32}, 16),         // negative height
        IconFile({IconImage(16, 32, 1, 0)}, {32}, 16),           // no rows once halved
        IconFile({IconImage(16, 32, 32, 0)}, {32}, 16),          // cut below
        shortPixels,
        {0, 0, 1, 0, 9, 0},                                      // entries past the data
    };
    for (size_t i = 0; i < sizeof(damaged) / sizeof(damaged[0]); i++) {
        std::vector<BYTE> data = damaged[i];
        if (i == 2)
            data.resize(data.size() - 16 * 4 * 4 - 64);
        EXPECT_EQ(nullptr, CXTPImageManager::LoadAlphaIconData(data.data(), data.size(), 16)) << i;
    }

    // The file form.
    char temp[MAX_PATH] = {}, path[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    ::GetTempFileNameA(temp, "ico", 0, path);
    HANDLE handle = ::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    ::WriteFile(handle, file.data(), static_cast<DWORD>(file.size()), &written, nullptr);
    ::CloseHandle(handle);
    HBITMAP bitmap = CXTPImageManager::LoadAlphaIcon(path, 16);
    EXPECT_NE(nullptr, bitmap);
    ::DeleteObject(bitmap);
    ::DeleteFileA(path);
    EXPECT_EQ(nullptr, CXTPImageManager::LoadAlphaIcon(path, 16));
}
