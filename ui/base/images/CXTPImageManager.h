// The image manager of the command images; so far its pixel effects: faded, shadow and disabled images.
#pragma once

#include <windows.h>

#include <cstddef>

// Pixels here are 32-bit DIB words 0xAARRGGBB with straight (not premultiplied) alpha.
class CXTPImageManager {
public:
    // Process-wide tunables of the disabled look: grey = 255 × luminance ^ exponent, alpha / divisor.
    static double m_dDisabledBrightnessFactor;
    static double m_dDisabledAlphaFactor;

    // Each channel trunc(c × (1 − w) + 255 × w).
    static COLORREF LightenColor(COLORREF clr, double dFactor);
    // The grey a pixel of an automatically disabled image takes.
    static BYTE DisabledGrey(COLORREF clr);
    // Colour index 31 of the colour table darkened to three quarters.
    static COLORREF ShadowColor();

    // In place, alpha kept: channels trunc(c × 0.7 + 76.5).
    static void FadeAlphaPixels(DWORD* pPixels, size_t nCount);
    // In place, alpha kept: every pixel takes the colour, so the shadow keeps the image's shape.
    static void ShadowAlphaPixels(DWORD* pPixels, size_t nCount, COLORREF clrShadow);
    // In place: channels the disabled grey, alpha divided by the divisor.
    static void DisableAlphaPixels(DWORD* pPixels, size_t nCount);
};
