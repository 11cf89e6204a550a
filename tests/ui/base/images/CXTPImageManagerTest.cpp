// Pixel effects of the derived images: faded, shadow, disabled (both tunings).
#include "CXTPImageManager.h"

#include <gtest/gtest.h>

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
