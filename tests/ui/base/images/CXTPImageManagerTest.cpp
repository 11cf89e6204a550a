// Derived-image effects in both tunings, lookups and scaling, and images cut from toolbar resources.
#include "CXTPImageManager.h"

#include <gtest/gtest.h>

#include <vector>

#include "../drawing/DibCanvas.h"
#include "ImageFixtures.h"

namespace {

// Puts the disabled tunables back after a test.
struct Tunables {
    double exponent = CXTPImageManager::m_dDisabledBrightnessFactor;
    double divisor = CXTPImageManager::m_dDisabledAlphaFactor;
    ~Tunables()
    {
        CXTPImageManager::m_dDisabledBrightnessFactor = exponent;
        CXTPImageManager::m_dDisabledAlphaFactor = divisor;
    }
};

}  // namespace

TEST(ImageEffects, FadedChannelsAndLightenedColours)
{
    DWORD pixels[] = {0xC8646464, 0x00000000, 0xFFFFFFFF, 0x80FF0064};
    CXTPImageManager::FadeAlphaPixels(pixels, 4);
    EXPECT_EQ(0xC8929292u, pixels[0]);  // 100 → 146, alpha kept
    EXPECT_EQ(0x004C4C4Cu, pixels[1]);  // 0 → 76
    EXPECT_EQ(0xFFFFFFFFu, pixels[2]);  // 255 → 255
    EXPECT_EQ(0x80FF4C92u, pixels[3]);
    EXPECT_EQ(RGB(146, 76, 255), CXTPImageManager::LightenColor(RGB(100, 0, 255), 0.3));
}

TEST(ImageEffects, DisabledGreyAndAlphaByTheTunables)
{
    Tunables restore;
    const struct { double exponent, divisor; DWORD in, out; } cases[] = {
        {0.5, 1.0, 0xC8808080, 0xC8B4B4B4},  // grey 128 → 180, alpha kept
        {5.0, 4.0, 0xC8808080, 0x32080808},  // grey 128 → 8, alpha 200 → 50
        {0.5, 1.0, 0xFFFFFFFF, 0xFFFFFFFF},
        {5.0, 4.0, 0x03000000, 0x00000000},
    };
    for (const auto& c : cases) {
        CXTPImageManager::m_dDisabledBrightnessFactor = c.exponent;
        CXTPImageManager::m_dDisabledAlphaFactor = c.divisor;
        DWORD pixel = c.in;
        CXTPImageManager::DisableAlphaPixels(&pixel, 1);
        EXPECT_EQ(c.out, pixel) << std::hex << c.in << " exponent " << c.exponent;
    }
    CXTPImageManager::m_dDisabledBrightnessFactor = 0.5;
    EXPECT_EQ(180, CXTPImageManager::DisabledGrey(RGB(128, 128, 128)));
}

TEST(ImageEffects, ShadowTakesTheImageShape)
{
    DWORD pixels[] = {0xFF123456, 0x00ABCDEF};
    CXTPImageManager::ShadowAlphaPixels(pixels, 2, RGB(10, 20, 30));
    EXPECT_EQ(0xFF0A141Eu, pixels[0]);
    EXPECT_EQ(0x000A141Eu, pixels[1]);
}

TEST(ImageManager, NearestWidthInMapOrderIsScaled)
{
    // Icons told apart by height: the scaled one's height shows which was scaled.
    const struct { int first[2], second[2], height; } cases[] = {
        {{16, 16}, {32, 20}, 24},  // bucket 1 before bucket 2: the 16 wins the tie
        {{32, 20}, {16, 16}, 24},
        {{20, 20}, {28, 14}, 12},  // one bucket: the later added comes first
        {{28, 14}, {20, 20}, 24},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.first[0] << " then " << c.second[0]);
        CXTPImageManager manager;
        for (const int* size : {c.first, c.second}) {
            HICON icon = SolidIcon(size[0], size[1], RGB(0, 128, 0));
            EXPECT_TRUE(manager.SetIcon(icon, 100, CSize(size[0], size[1])));
            ::DestroyIcon(icon);
        }
        CXTPImageManagerIcon* scaled = manager.GetImage(100, 24);
        ASSERT_NE(nullptr, scaled);
        EXPECT_TRUE(scaled->IsScaled());
        EXPECT_EQ(24, scaled->GetWidth());
        EXPECT_EQ(c.height, scaled->GetHeight());
        EXPECT_EQ(CSize(24, c.height), CXTPImageManagerIcon::GetIconSize(scaled->GetIcon().GetIcon()));
        EXPECT_EQ(scaled, manager.GetImage(100, 24));

        // A new normal image drops the scaled copies.
        HICON icon = SolidIcon(16, 16, RGB(0, 0, 128));
        manager.SetIcon(icon, 100);
        ::DestroyIcon(icon);
        CXTPImageManagerIcon* found = nullptr;
        EXPECT_FALSE(manager.GetIconSet(100)->GetIcons().Lookup(24, found));
    }
}

TEST(ImageManager, AlphaIconsAreNotScaledAndAddsFailCleanly)
{
    CXTPImageManager manager;
    HBITMAP bitmap = AlphaBitmap(16, 16, 0xC8646464);
    CXTPImageManagerIconHandle handle(bitmap);
    ASSERT_TRUE(manager.SetIcon(handle, 7));
    CXTPImageManagerIcon* icon = manager.GetImage(7, 24);
    ASSERT_NE(nullptr, icon);
    EXPECT_EQ(16, icon->GetWidth());
    EXPECT_TRUE(icon->IsAlpha());
    EXPECT_NE(bitmap, icon->GetIcon().GetBitmap());  // the manager holds its own copy

    EXPECT_FALSE(manager.SetIcon(handle, 8, CSize(0, 0), CXTPImageManager::stateDisabled));  // no normal image
    EXPECT_FALSE(manager.SetIcon(CXTPImageManagerIconHandle(), 9));
    EXPECT_EQ(nullptr, manager.GetIconSet(8));
    EXPECT_EQ(nullptr, manager.GetImage(9, 16));
    EXPECT_TRUE(manager.SetIcon(handle, 7, CSize(0, 0), 9));  // an unknown state stores nothing

    EXPECT_EQ(68267u, manager.AddCustomIcon(handle));
    EXPECT_EQ(68268u, manager.AddCustomIcon(handle));
    EXPECT_NE(nullptr, manager.GetImage(68268, 16));
    manager.RemoveAll();
    EXPECT_EQ(nullptr, manager.GetImage(7, 16));
    EXPECT_EQ(0xC8646464u, FirstPixel(bitmap));  // the caller's bitmap is untouched and alive
    ::DeleteObject(bitmap);
}

TEST(ImageManager, DerivedImagesAndFallbacks)
{
    Tunables restore;
    CXTPImageManager::m_dDisabledBrightnessFactor = 5.0;
    CXTPImageManager::m_dDisabledAlphaFactor = 4.0;
    CXTPImageManager manager;
    HBITMAP bitmap = AlphaBitmap(16, 16, 0xC8808080);
    manager.SetIcon(CXTPImageManagerIconHandle(bitmap), 1);
    ::DeleteObject(bitmap);
    CXTPImageManagerIcon* alpha = manager.GetImage(1, 16);
    EXPECT_EQ(0x32080808u, FirstPixel(alpha->GetDisabledIcon().GetBitmap()));
    EXPECT_EQ(0xC8A6A6A6u, FirstPixel(alpha->GetFadedIcon().GetBitmap()));  // 128 × 0.7 + 76.5 = 166
    EXPECT_EQ(0xC8808080u, FirstPixel(alpha->GetIcon().GetBitmap()));
    EXPECT_EQ(&alpha->GetIcon(), &alpha->GetHotIcon());
    EXPECT_EQ(&alpha->GetIcon(), &alpha->GetCheckedIcon());

    CXTPImageManager::m_dDisabledBrightnessFactor = 0.5;
    HICON grey = SolidIcon(16, 16, RGB(128, 128, 128)), hot = SolidIcon(16, 16, RGB(255, 0, 0));
    manager.SetIcon(grey, 2);
    manager.SetIcon(hot, 2, CSize(0, 0), CXTPImageManager::stateHot);
    CXTPImageManagerIcon* icon = manager.GetImage(2, 16);
    EXPECT_EQ(RGB(180, 180, 180), IconColour(icon->GetDisabledIcon().GetIcon()));
    EXPECT_EQ(RGB(255, 0, 0), IconColour(icon->GetCheckedIcon().GetIcon()));  // checked falls back to hot
    EXPECT_EQ(CXTPImageManager::ShadowColor(), IconColour(icon->GetShadowIcon().GetIcon()));
    EXPECT_EQ(RGB(128, 128, 128), IconColour(grey));  // the caller's icon is its own
    ::DestroyIcon(grey);
    ::DestroyIcon(hot);
}

TEST(ImageManager, ToolBarResourcesCutTheirStrips)
{
    CXTPImageManager manager;
    // Separators take no image: three ids, three pieces of the 32-bit strip.
    ASSERT_TRUE(manager.SetIconsWithBitmap(3000, 3100));
    const struct { UINT id; DWORD pixel; } alpha[] = {{301, 0x80FF0000}, {302, 0x8000FF00}, {303, 0x800000FF}};
    for (const auto& c : alpha) {
        CXTPImageManagerIcon* icon = manager.GetImage(c.id, 16);
        ASSERT_NE(nullptr, icon) << c.id;
        EXPECT_TRUE(icon->IsAlpha());
        EXPECT_EQ(c.pixel, FirstPixel(icon->GetIcon().GetBitmap())) << c.id;
    }
    EXPECT_EQ(nullptr, manager.GetIconSet(0));

    // A masked strip: the corner colour turns transparent.
    ASSERT_TRUE(manager.SetIconsWithBitmap(3003, 3101));
    CXTPImageManagerIcon* masked = manager.GetImage(402, 16);
    ASSERT_NE(nullptr, masked);
    EXPECT_FALSE(masked->IsAlpha());
    EXPECT_EQ(RGB(0, 255, 0), IconColour(masked->GetIcon().GetIcon()));

    // Separators only, a count past the data, missing resources: refused, nothing stored.
    EXPECT_FALSE(manager.SetIcons(3001));
    EXPECT_FALSE(manager.SetIconsWithBitmap(3002, 3100));
    EXPECT_FALSE(manager.SetIcons(3999));
    EXPECT_FALSE(manager.SetIconsWithBitmap(3000, 3999));
    EXPECT_EQ(nullptr, manager.GetIconSet(1));
}

TEST(ImageManager, ToolBarDataIsCheckedAgainstItsSize)
{
    const struct { std::vector<BYTE> data; BOOL ok; size_t ids; } cases[] = {
        {{1, 0, 16, 0, 15, 0, 2, 0, 5, 0, 0, 0}, TRUE, 1},
        {{1, 0, 16, 0, 15, 0, 2, 0, 0, 0, 0, 0}, FALSE, 0},  // separators only
        {{1, 0, 16, 0, 15, 0, 3, 0, 5, 0, 6, 0}, FALSE, 0},  // count past the data
        {{1, 0, 16, 0, 15, 0}, FALSE, 0},
        {{1, 0, 16, 0, 15, 0, 0, 0}, FALSE, 0},
    };
    for (const auto& c : cases) {
        std::vector<UINT> ids;
        CSize button;
        EXPECT_EQ(c.ok, CXTPImageManager::ParseToolBarResource(c.data.data(), c.data.size(), ids, button));
        EXPECT_EQ(c.ids, ids.size());
    }
}

// An icon whose right half is masked while its colour stays: those pixels invert the ground.
static HICON InvertingIcon()
{
    HICON base = HalvesIcon(16, 16, RGB(200, 30, 30), RGB(0, 255, 0));
    ICONINFO info = {};
    if (!::GetIconInfo(base, &info))
        return base;
    std::vector<BYTE> maskBits(2 * 16, 0);
    for (int y = 0; y < 16; y++)
        maskBits[static_cast<size_t>(y * 2 + 1)] = 0xFF;
    ::DeleteObject(info.hbmMask);
    info.hbmMask = ::CreateBitmap(16, 16, 1, 1, maskBits.data());
    HICON icon = ::CreateIconIndirect(&info);
    ::DeleteObject(info.hbmMask);
    ::DeleteObject(info.hbmColor);
    ::DestroyIcon(base);
    return icon;
}

TEST(ImageManager, PlainIconsDrawAsTheSystemDrawsThem)
{
    // Masked, opaque and inverting icons (the last keeps the system's drawing) over a patterned ground.
    const struct {
        HICON icon;
        const char* name;
    } cases[] = {{HalvesIcon(16, 16, RGB(200, 30, 30), RGB(0, 0, 0), true), "masked"},
                 {SolidIcon(16, 16, RGB(20, 120, 220)), "opaque"},
                 {InvertingIcon(), "inverting"}};
    CXTPImageManager manager;
    for (const auto& c : cases) {
        manager.SetIcon(c.icon, 7);
        CXTPImageManagerIcon* image = manager.GetImage(7, 16);
        ASSERT_NE(nullptr, image) << c.name;
        DibCanvas ours(24, 24), system(24, 24);
        for (DibCanvas* canvas : {&ours, &system})
            for (int x = 0; x < 24; x += 2)
                canvas->dc.FillSolidRect(x, 0, 1, 24, RGB(90, 160, 40));
        image->Draw(&ours.dc, CPoint(4, 4), image->GetIcon(), CSize(16, 16));
        image->Draw(&ours.dc, CPoint(4, 4), image->GetIcon(), CSize(16, 16));  // the cached bitmap, again
        ::DrawIconEx(system.dc.GetSafeHdc(), 4, 4, c.icon, 16, 16, 0, nullptr, DI_NORMAL);
        ::DrawIconEx(system.dc.GetSafeHdc(), 4, 4, c.icon, 16, 16, 0, nullptr, DI_NORMAL);
        for (int y = 0; y < 24; y++)
            for (int x = 0; x < 24; x++)
                ASSERT_EQ(system.dc.GetPixel(x, y), ours.dc.GetPixel(x, y)) << c.name << " at " << x << "," << y;
        ::DestroyIcon(c.icon);
    }
}
