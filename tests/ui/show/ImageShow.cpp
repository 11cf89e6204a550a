// A window showing how images are drawn and a set pasted back (not a test; take a screenshot of it).
#include <windows.h>
#include <ole2.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "COleDataObject.h"
#include "CXTPBufferDC.h"
#include "CXTPImageManager.h"
#include "ShowWindow.h"

namespace {

const UINT kAlpha = 1, kIcon = 2;
UINT g_nPasted = 0;

void Text(CDC& dc, int x, int y, const char* text)
{
    dc.TextOut(x, y, text, static_cast<int>(std::strlen(text)));
}

// A 32×32 alpha image: a disc whose edge fades out, green to blue across.
HBITMAP MakeDisc()
{
    BITMAPINFO bmi = {};
    bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), 32, -32, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    DWORD* pixels = static_cast<DWORD*>(bits);
    for (int y = 0; y < 32; y++)
        for (int x = 0; x < 32; x++) {
            const int dx = 2 * x - 31, dy = 2 * y - 31, d2 = dx * dx + dy * dy;
            const int alpha = d2 >= 31 * 31 ? 0 : d2 <= 20 * 20 ? 255 : 255 * (31 * 31 - d2) / (31 * 31 - 400);
            pixels[y * 32 + x] = static_cast<DWORD>(alpha) << 24 | static_cast<DWORD>(200 - 6 * x) << 8 |
                                 static_cast<DWORD>(40 + 6 * x);
        }
    return bitmap;
}

// A 16×16 icon: a red arrow pointing right on a transparent ground.
HICON MakeArrow()
{
    HDC screen = ::GetDC(nullptr);
    HBITMAP colour = ::CreateCompatibleBitmap(screen, 16, 16);
    ::ReleaseDC(nullptr, screen);
    std::vector<BYTE> mask(2 * 16, 0xFF);
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, colour);
    for (int y = 0; y < 16; y++)
        for (int x = 0; x < 16; x++) {
            const bool shaft = y >= 6 && y <= 9 && x >= 1 && x <= 8;
            const bool head = x >= 8 && x <= 14 && std::abs(y - 7.5) <= 14 - x;
            const bool on = shaft || head;
            ::SetPixel(dc, x, y, on ? RGB(200, 30, 30) : RGB(0, 0, 0));
            if (on)
                mask[static_cast<size_t>(y * 2 + x / 8)] &= static_cast<BYTE>(~(0x80 >> (x % 8)));
        }
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    HBITMAP maskBitmap = ::CreateBitmap(16, 16, 1, 1, mask.data());
    ICONINFO info = {TRUE, 0, 0, maskBitmap, colour};
    HICON icon = ::CreateIconIndirect(&info);
    ::DeleteObject(maskBitmap);
    ::DeleteObject(colour);
    return icon;
}

void Fill(HWND hWnd)
{
    CXTPImageManager* manager = XTPImageManager();
    HBITMAP disc = MakeDisc();
    manager->SetIcon(CXTPImageManagerIconHandle(disc), kAlpha);
    ::DeleteObject(disc);
    HICON arrow = MakeArrow();
    manager->SetIcon(arrow, kIcon);
    ::DestroyIcon(arrow);
    // Through the clipboard and back under a new id.
    if (::OpenClipboard(hWnd)) {
        ::EmptyClipboard();
        manager->CopyIconToClipboard(kAlpha);
        ::CloseClipboard();
    }
    LPDATAOBJECT clipboard = nullptr;
    if (SUCCEEDED(::OleGetClipboard(&clipboard))) {
        COleDataObject data;
        data.Attach(clipboard);
        g_nPasted = manager->PasteIconFromClipboard(&data);
    }
}

void Paint(HWND hWnd)
{
    PAINTSTRUCT ps;
    HDC hdc = ::BeginPaint(hWnd, &ps);
    RECT client;
    ::GetClientRect(hWnd, &client);
    {
        CXTMemDC dc(CDC::FromHandle(hdc), CRect(client), RGB(255, 255, 255));
        dc.SetBkMode(TRANSPARENT);
        // A checked ground under the alpha images shows what they let through.
        for (int y = 0; y < 120; y += 10)
            for (int x = 0; x < 300; x += 10)
                dc.FillSolidRect(20 + x, 30 + y, 10, 10, (x + y) / 10 % 2 ? RGB(255, 220, 120) : RGB(255, 255, 255));
        CXTPImageManager* manager = XTPImageManager();
        CXTPImageManagerIcon* alpha = manager->GetImage(kAlpha, 32);
        Text(dc, 20, 10, "Alpha: own size, stretched, faded, disabled, shadow, pasted");
        alpha->Draw(&dc, CPoint(30, 40), alpha->GetIcon());
        alpha->Draw(&dc, CPoint(80, 40), alpha->GetIcon(), CSize(64, 64));
        alpha->Draw(&dc, CPoint(160, 40), alpha->GetFadedIcon());
        alpha->Draw(&dc, CPoint(200, 40), alpha->GetDisabledIcon());
        alpha->Draw(&dc, CPoint(240, 40), alpha->GetShadowIcon());
        if (CXTPImageManagerIcon* pasted = g_nPasted ? manager->GetImage(g_nPasted, 32) : nullptr)
            pasted->Draw(&dc, CPoint(280, 40), pasted->GetIcon());

        CXTPImageManagerIcon* icon = manager->GetImage(kIcon, 16);
        Text(dc, 20, 170, "Icon: plain, mirrored, silhouette, mirrored silhouette, 32 wide");
        icon->Draw(&dc, CPoint(30, 195), icon->GetIcon());
        manager->m_bDrawReverted = TRUE;
        icon->Draw(&dc, CPoint(70, 195), icon->GetIcon());
        manager->m_bDrawReverted = FALSE;
        icon->DrawMono(&dc, CPoint(110, 195), icon->GetIcon(), RGB(0, 0, 160));
        manager->m_bDrawReverted = TRUE;
        icon->DrawMono(&dc, CPoint(150, 195), icon->GetIcon(), RGB(0, 120, 0));
        manager->m_bDrawReverted = FALSE;
        CXTPImageManagerIcon* wide = manager->GetImage(kIcon, 32);
        wide->Draw(&dc, CPoint(190, 187), wide->GetIcon());
    }
    ::EndPaint(hWnd, &ps);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    ::OleInitialize(nullptr);
    HWND hWnd = CreateShowWindow(instance, "Image manager", 40, 40, 540, 280, Paint);
    if (!hWnd)
        return 1;
    Fill(hWnd);
    ::ShowWindow(hWnd, SW_SHOW);
    RunShowLoop();
    ::OleUninitialize();
    return 0;
}
