// A window that shows what the paint manager base draws: bar fonts, check marks, the status grip
// and panes, a fade halfway and right-to-left captions (not a test; run it and take a screenshot).
#include <windows.h>

#include <cstring>

#include "CXTPBufferDC.h"
#include "CXTPFontDC.h"
#include "CXTPPaintManager.h"
#include "ShowWindow.h"

namespace {

void Text(CDC& dc, int x, int y, const char* text)
{
    dc.TextOut(x, y, text, static_cast<int>(std::strlen(text)));
}

void Paint(HWND hWnd)
{
    PAINTSTRUCT ps;
    HDC hdc = ::BeginPaint(hWnd, &ps);
    RECT client;
    ::GetClientRect(hWnd, &client);
    {
        CXTMemDC dc(CDC::FromHandle(hdc), CRect(client), RGB(255, 255, 255));
        CXTPPaintManager* pm = XTPPaintManager();
        dc.SetBkMode(TRANSPARENT);
        // Bar fonts: regular and bold across, vertical and vertical bold down.
        {
            CXTPFontDC font(&dc, pm->GetCommandBarFont(0, FALSE));
            Text(dc, 20, 10, "Regular bar font");
        }
        {
            CXTPFontDC font(&dc, pm->GetCommandBarFont(0, TRUE));
            Text(dc, 20, 30, "Bold bar font");
        }
        {
            CXTPFontDC font(&dc, pm->GetCommandBarFont(2, FALSE));
            Text(dc, 250, 10, "Vertical");
        }
        {
            CXTPFontDC font(&dc, pm->GetCommandBarFont(3, TRUE));
            Text(dc, 275, 10, "Vertical bold");
        }
        // Check marks in both shapes on a button face.
        for (int shape = 0; shape < 2; shape++) {
            CRect box(20 + shape * 30, 70, 40 + shape * 30, 90);
            pm->FillRectangle(&dc, box, COLOR_BTNFACE, COLOR_BTNSHADOW);
            CXTPPaintManager::DrawCheckMark(&dc, box, RGB(0, 0, 0), shape);
        }
        // Right-to-left captions.
        {
            CXTPFontDC font(&dc, pm->GetCommandBarFont(0, FALSE));
            const char* captions[] = {"1 Open", "Save...", "&Save &As...", "Fish && &Chips"};
            for (int i = 0; i < 4; i++) {
                Text(dc, 20, 110 + i * 20, captions[i]);
                Text(dc, 160, 110 + i * 20, CXTPPaintManager::PrepareRTLCaption(captions[i]));
            }
        }
        // A fade: a red-blue band, below it white faded over it at steps 2, 5 and 8 of 10.
        for (int x = 0; x < 200; x++) {
            const DWORD under = RGB(255 * (199 - x) / 199, 0, 255 * x / 199), white = RGB(255, 255, 255);
            dc.FillSolidRect(20 + x, 190, 1, 12, under);
            for (int k = 0; k < 3; k++) {
                DWORD faded = 0;
                CXTPPaintManager::FadeStep(&under, &white, &faded, 1, 2 + 3 * k, 10);
                dc.FillSolidRect(20 + x, 202 + 12 * k, 1, 12, faded);
            }
        }
        // A status bar: three panes and the grip, the last one stretching.
        CRect bar(20, 260, 420, 284);
        pm->FillRectangle(&dc, bar, COLOR_BTNFACE, COLOR_BTNFACE);
        CXTPFontDC font(&dc, &pm->m_fontIconTitle);
        pm->DrawStatusBarPane(&dc, CRect(22, 262, 200, 282), 0, "Ready", FALSE, bar, TRUE);
        pm->DrawStatusBarPane(&dc, CRect(202, 262, 260, 282), 0, "Ln 12", FALSE, bar, TRUE);
        pm->DrawStatusBarPane(&dc, CRect(262, 262, 320, 282), 0x08000000, "OVR", TRUE, bar, TRUE);
        pm->DrawStatusBarGripper(&dc, bar);
    }
    ::EndPaint(hWnd, &ps);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    HWND hWnd = CreateShowWindow(instance, "Paint manager", 40, 40, 460, 340, Paint);
    if (!hWnd)
        return 1;
    ::ShowWindow(hWnd, SW_SHOW);
    return RunShowLoop();
}
