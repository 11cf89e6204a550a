// A memory DC with a 32-bit bitmap, for drawing tests that probe pixels.
#pragma once

#include "CDC.h"

class MemoryCanvas {
public:
    MemoryCanvas(int width, int height, COLORREF background = RGB(255, 255, 255))
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        dc.CreateCompatibleDC(nullptr);
        bitmap.Attach(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        old = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, width, height, background);
    }
    ~MemoryCanvas() { ::SelectObject(dc, *old); }

    CDC dc;
    CBitmap bitmap;

private:
    CBitmap* old = nullptr;
};
