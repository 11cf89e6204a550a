// A window that shows the colour table, the scheme gradients and both gradient paths, for a
// look at what the drawing code produces (not a test; run it and take a screenshot).
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "CXTPBufferDC.h"
#include "CXTPColorManager.h"
#include "CXTPDrawHelpers.h"
#include "CXTPFontDC.h"
#include "CXTSystemData.h"
#include "ShowWindow.h"

namespace {

void Paint(HWND hWnd)
{
    PAINTSTRUCT ps;
    HDC hdc = ::BeginPaint(hWnd, &ps);
    CDC* target = CDC::FromHandle(hdc);
    RECT client;
    ::GetClientRect(hWnd, &client);
    {
        CXTMemDC dc(target, CRect(client), RGB(255, 255, 255));
        CXTPFontDC font(&dc, &XTSystemData()->font);
        dc.SetBkMode(TRANSPARENT);
        CXTPColorManager* colors = GetColorManager();
        // The 58 indexed colours, ten a row, each with its number.
        for (int i = 0; i < XPCOLOR_COUNT; ++i) {
            CRect swatch(10 + (i % 10) * 62, 10 + (i / 10) * 40, 10 + (i % 10) * 62 + 56, 10 + (i / 10) * 40 + 24);
            dc.FillSolidRect(&swatch, colors->GetColor(i));
            dc.Draw3dRect(&swatch, 0, 0);
            char label[8];
            std::snprintf(label, sizeof(label), "%d", i);
            dc.TextOut(swatch.left, swatch.bottom, label, static_cast<int>(std::strlen(label)));
        }
        // The four scheme gradients, then both paths of the fill, across and down.
        for (int i = 0; i < 4; ++i) {
            CRect band(10, 260 + i * 30, 310, 284 + i * 30);
            XTPDrawHelpers()->GradientFill(&dc, &band, colors->GetGradient(i), TRUE);
        }
        static CXTPDrawHelpers perLine("no-such-gradient-module.dll");
        CRect fast(330, 260, 630, 290), slow(330, 300, 630, 330);
        XTPDrawHelpers()->GradientFill(&dc, &fast, RGB(255, 0, 0), RGB(0, 0, 255), TRUE);
        perLine.GradientFill(&dc, &slow, RGB(255, 0, 0), RGB(0, 0, 255), TRUE);
        CRect down(330, 340, 400, 470), downSlow(420, 340, 490, 470);
        XTPDrawHelpers()->GradientFill(&dc, &down, RGB(0, 128, 0), RGB(255, 255, 0), FALSE);
        perLine.GradientFill(&dc, &downSlow, RGB(0, 128, 0), RGB(255, 255, 0), FALSE);
        CXTPFontDC glyphs(&dc, &XTSystemData()->fontMarlett);
        dc.TextOut(520, 360, "0123456", 7);  // caption-button glyphs
    }
    ::EndPaint(hWnd, &ps);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    // The library's fourth cursor over the swatches, to see that it loads.
    HWND hWnd = CreateShowWindow(instance, "Colours and gradients", 20, 20, 660, 520, Paint,
                                 XTSystemData()->hCursors[3]);
    if (!hWnd)
        return 1;
    ::ShowWindow(hWnd, SW_SHOW);
    return RunShowLoop();
}
