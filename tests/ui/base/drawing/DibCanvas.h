// A memory DC over a DIB section of a chosen depth, for drawing tests that probe pixels.
#pragma once

#include <windows.h>

#include <vector>

#include "CDC.h"

class DibCanvas {
public:
    // An 8-bit canvas takes its palette from the given colours (the rest black).
    DibCanvas(int width, int height, int bits = 32, std::vector<COLORREF> palette = {})
    {
        std::vector<BYTE> storage(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
        auto* info = reinterpret_cast<BITMAPINFO*>(storage.data());
        info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info->bmiHeader.biWidth = width;
        info->bmiHeader.biHeight = -height;
        info->bmiHeader.biPlanes = 1;
        info->bmiHeader.biBitCount = static_cast<WORD>(bits);
        if (bits == 8) {
            info->bmiHeader.biClrUsed = 256;
            for (size_t i = 0; i < palette.size() && i < 256; ++i)
                info->bmiColors[i] = {GetBValue(palette[i]), GetGValue(palette[i]), GetRValue(palette[i]), 0};
        }
        void* bits_ = nullptr;
        dc.CreateCompatibleDC(nullptr);
        bitmap = ::CreateDIBSection(nullptr, info, DIB_RGB_COLORS, &bits_, nullptr, 0);
        old = ::SelectObject(dc, bitmap);
        dc.FillSolidRect(0, 0, width, height, palette.empty() ? RGB(255, 255, 255) : palette[0]);
    }
    ~DibCanvas()
    {
        ::SelectObject(dc, old);
        ::DeleteObject(bitmap);
    }

    CDC dc;
    HBITMAP bitmap = nullptr;

private:
    HGDIOBJ old = nullptr;
};
