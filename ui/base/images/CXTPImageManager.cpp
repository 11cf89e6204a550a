// The image manager: pixel effects of the derived images.
#include "CXTPImageManager.h"

#include <cmath>

#include "CXTPColorManager.h"

double CXTPImageManager::m_dDisabledBrightnessFactor = 0.5;
double CXTPImageManager::m_dDisabledAlphaFactor = 1.0;

namespace {

BYTE Clamp(double value)
{
    return static_cast<BYTE>(value <= 0 ? 0 : value >= 255 ? 255 : value);
}

// Runs the colour change over the B, G, R channels of a pixel word, alpha kept.
template <class Change>
DWORD PerChannel(DWORD pixel, Change change)
{
    DWORD result = pixel & 0xFF000000;
    for (int shift = 0; shift <= 16; shift += 8)
        result |= static_cast<DWORD>(change((pixel >> shift) & 0xFF)) << shift;
    return result;
}

}  // namespace

COLORREF CXTPImageManager::LightenColor(COLORREF clr, double dFactor)
{
    auto lighten = [dFactor](int c) { return Clamp(c * (1 - dFactor) + 255 * dFactor); };
    return RGB(lighten(GetRValue(clr)), lighten(GetGValue(clr)), lighten(GetBValue(clr)));
}

BYTE CXTPImageManager::DisabledGrey(COLORREF clr)
{
    const double luminance = (0.299 * GetRValue(clr) + 0.587 * GetGValue(clr) + 0.114 * GetBValue(clr)) / 255;
    return Clamp(255 * std::pow(luminance, m_dDisabledBrightnessFactor));
}

COLORREF CXTPImageManager::ShadowColor()
{
    const COLORREF clr = GetXtremeColor(31);
    return RGB(GetRValue(clr) * 3 / 4, GetGValue(clr) * 3 / 4, GetBValue(clr) * 3 / 4);
}

void CXTPImageManager::FadeAlphaPixels(DWORD* pPixels, size_t nCount)
{
    for (size_t i = 0; i < nCount; i++)
        pPixels[i] = PerChannel(pPixels[i], [](DWORD c) { return Clamp(c * 0.7 + 76.5); });
}

void CXTPImageManager::ShadowAlphaPixels(DWORD* pPixels, size_t nCount, COLORREF clrShadow)
{
    const DWORD colour = static_cast<DWORD>(GetRValue(clrShadow)) << 16 | GetGValue(clrShadow) << 8 |
                         GetBValue(clrShadow);
    for (size_t i = 0; i < nCount; i++)
        pPixels[i] = (pPixels[i] & 0xFF000000) | colour;
}

void CXTPImageManager::DisableAlphaPixels(DWORD* pPixels, size_t nCount)
{
    const double divisor = m_dDisabledAlphaFactor > 0 ? m_dDisabledAlphaFactor : 1.0;
    for (size_t i = 0; i < nCount; i++) {
        const DWORD p = pPixels[i];
        const BYTE grey = DisabledGrey(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
        const DWORD alpha = Clamp((p >> 24) / divisor);
        pPixels[i] = alpha << 24 | static_cast<DWORD>(grey) << 16 | grey << 8 | grey;
    }
}
