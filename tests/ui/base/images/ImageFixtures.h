// Small images and a drawing target for the image manager's tests.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "CDC.h"

// A file of the fixture folder data/ beside this header.
inline std::string DataPath(const char* name)
{
    std::string path = __FILE__;
    path.erase(path.find_last_of("/\\") + 1);
    if (!path.empty() && path[0] == '/')
        path = "Z:" + path;
    return path + "data/" + name;
}

// A 32-bit top-down DIB section of the pixel words, row by row (one value fills it all).
inline HBITMAP AlphaBitmap(int cx, int cy, const std::vector<DWORD>& pixels)
{
    BITMAPINFO bmi = {};
    bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), cx, -cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    for (int i = 0; i < cx * cy; i++)
        static_cast<DWORD*>(bits)[i] = pixels.size() == 1 ? pixels[0] : pixels[static_cast<size_t>(i)];
    return bitmap;
}

inline HBITMAP AlphaBitmap(int cx, int cy, DWORD pixel)
{
    return AlphaBitmap(cx, cy, std::vector<DWORD>{pixel});
}

// An icon whose left half is one colour and right half another; with a transparent right
// half when `maskRight` (black under the mask, as drawing expects).
inline HICON HalvesIcon(int cx, int cy, COLORREF left, COLORREF right, bool maskRight = false)
{
    HDC screen = ::GetDC(nullptr);
    HBITMAP color = ::CreateCompatibleBitmap(screen, cx, cy);
    HDC dc = ::CreateCompatibleDC(screen);
    HGDIOBJ old = ::SelectObject(dc, color);
    const COLORREF colours[] = {left, maskRight ? RGB(0, 0, 0) : right};
    for (int half = 0; half < 2; half++) {
        RECT rc = {half * cx / 2, 0, half ? cx : cx / 2, cy};
        HBRUSH brush = ::CreateSolidBrush(colours[half]);
        ::FillRect(dc, &rc, brush);
        ::DeleteObject(brush);
    }
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    // Mask rows are whole words; a set bit is transparent.
    const int stride = (cx + 15) / 16 * 2;
    std::vector<BYTE> maskBits(static_cast<size_t>(stride) * cy, 0);
    if (maskRight)
        for (int y = 0; y < cy; y++)
            for (int x = cx / 2; x < cx; x++)
                maskBits[static_cast<size_t>(y * stride + x / 8)] |= static_cast<BYTE>(0x80 >> (x % 8));
    HBITMAP mask = ::CreateBitmap(cx, cy, 1, 1, maskBits.data());
    ICONINFO info = {TRUE, 0, 0, mask, color};
    HICON icon = ::CreateIconIndirect(&info);
    ::DeleteObject(mask);
    ::DeleteObject(color);
    return icon;
}

// An opaque icon of one colour.
inline HICON SolidIcon(int cx, int cy, COLORREF clr)
{
    return HalvesIcon(cx, cy, clr, clr);
}

// All pixels of a bitmap as 32-bit words, top-down.
inline std::vector<DWORD> Pixels(HBITMAP bitmap)
{
    BITMAPINFO bmi = {};
    BITMAP bm = {};
    ::GetObjectA(bitmap, sizeof(bm), &bm);
    bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), bm.bmWidth, -bm.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<DWORD> pixels(static_cast<size_t>(bm.bmWidth) * bm.bmHeight);
    HDC screen = ::GetDC(nullptr);
    const int lines = ::GetDIBits(screen, bitmap, 0, bm.bmHeight, pixels.data(), &bmi, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    if (lines != bm.bmHeight)
        pixels.clear();
    return pixels;
}

inline DWORD FirstPixel(HBITMAP bitmap)
{
    const std::vector<DWORD> pixels = Pixels(bitmap);
    return pixels.empty() ? 0 : pixels[0];
}

// The colour of an icon's colour image at a point (the centre of a 16-pixel icon).
inline COLORREF IconColour(HICON icon, int x = 4, int y = 4)
{
    ICONINFO info = {};
    if (!::GetIconInfo(icon, &info))
        return CLR_INVALID;
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, info.hbmColor);
    const COLORREF clr = ::GetPixel(dc, x, y);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    return clr;
}

// A white 32-bit drawing target.
class Canvas {
public:
    Canvas(int cx, int cy)
    {
        m_bitmap = AlphaBitmap(cx, cy, 0x00FFFFFF);
        dc.Attach(::CreateCompatibleDC(nullptr));
        m_old = ::SelectObject(dc.m_hDC, m_bitmap);
    }
    ~Canvas()
    {
        ::SelectObject(dc.m_hDC, m_old);
        dc.DeleteDC();
        ::DeleteObject(m_bitmap);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    COLORREF Pixel(int x, int y) { return ::GetPixel(dc.m_hDC, x, y); }

    CDC dc;

private:
    HBITMAP m_bitmap;
    HGDIOBJ m_old;
};
