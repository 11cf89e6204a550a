// Times 10,000 draws of cached alpha images by the image manager beside DrawIconEx drawing
// the same images as icons: both on the wall clock, 7 alternated rounds after one untimed
// pass each, medians compared (goal: the manager no slower).
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstdio>
#include <vector>

#include "BenchTiming.h"
#include "CDC.h"
#include "CXTPImageManager.h"

namespace {

const int kImages = 500;     // distinct images: GDI handles stay far below the process limit
const int kDraws = 10000;    // draws a pass
const int kSide = 16;
const int kColumns = 100;    // the canvas holds every draw side by side

// A 32-bit image with a soft edge: alpha falls from the centre, colour by the image's number.
HBITMAP MakeImage(int n)
{
    BITMAPINFO bmi = {};
    bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), kSide, -kSide, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    DWORD* pixels = static_cast<DWORD*>(bits);
    for (int y = 0; y < kSide; y++)
        for (int x = 0; x < kSide; x++) {
            const int distance = std::max(std::abs(2 * x - kSide + 1), std::abs(2 * y - kSide + 1));
            const DWORD alpha = static_cast<DWORD>(255 - distance * 255 / kSide);
            pixels[y * kSide + x] = alpha << 24 | static_cast<DWORD>(n * 37 % 256) << 16 |
                                    static_cast<DWORD>(n * 91 % 256) << 8 | static_cast<DWORD>(n * 13 % 256);
        }
    return bitmap;
}

// The same image as an icon with an alpha channel (premultiplied, as icons keep it).
HICON MakeIcon(HBITMAP image)
{
    HBITMAP colour = CXTPImageManager::PreMultiplyAlphaBitmap(image);
    std::vector<BYTE> zeros(static_cast<size_t>(kSide) * kSide / 8, 0);
    HBITMAP mask = ::CreateBitmap(kSide, kSide, 1, 1, zeros.data());
    ICONINFO info = {TRUE, 0, 0, mask, colour};
    HICON icon = ::CreateIconIndirect(&info);
    ::DeleteObject(mask);
    ::DeleteObject(colour);
    return icon;
}

}  // namespace

int main()
{
    CXTPImageManager* manager = XTPImageManager();
    if (!manager->IsAlphaIconsSupported()) {
        std::printf("no AlphaBlend: nothing to compare\n");
        return 1;
    }
    std::vector<HICON> icons;
    for (int n = 0; n < kImages; n++) {
        HBITMAP image = MakeImage(n);
        manager->SetIcon(CXTPImageManagerIconHandle(image), static_cast<UINT>(n + 1));
        icons.push_back(MakeIcon(image));
        ::DeleteObject(image);
    }
    std::vector<CXTPImageManagerIcon*> images;
    for (int n = 0; n < kImages; n++)
        images.push_back(manager->GetImage(static_cast<UINT>(n + 1), kSide));

    // A 32-bit canvas for every draw of a pass.
    const int rows = kDraws / kColumns;
    BITMAPINFO bmi = {};
    bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), kColumns * kSide, -rows * kSide, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP canvas = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    CDC dc;
    dc.Attach(::CreateCompatibleDC(nullptr));
    HGDIOBJ old = ::SelectObject(dc.m_hDC, canvas);

    auto drawManager = [&] {
        for (int i = 0; i < kDraws; i++) {
            CXTPImageManagerIcon* image = images[static_cast<size_t>(i % kImages)];
            image->Draw(&dc, CPoint(i % kColumns * kSide, i / kColumns * kSide), image->GetIcon());
        }
    };
    auto drawIconEx = [&] {
        for (int i = 0; i < kDraws; i++)
            ::DrawIconEx(dc.m_hDC, i % kColumns * kSide, i / kColumns * kSide, icons[static_cast<size_t>(i % kImages)],
                         kSide, kSide, 0, nullptr, DI_NORMAL);
    };
    drawManager();  // makes the premultiplied copies: the timed passes draw cached images
    drawIconEx();
    const std::vector<Samples> times =
        Alternate(7, {[&] { return WallMilliseconds(drawManager); }, [&] { return WallMilliseconds(drawIconEx); }});

    std::printf("%d draws of %d cached %dx%d alpha images, median of 7 alternated rounds (wall clock)\n", kDraws,
                kImages, kSide, kSide);
    std::printf("image manager: %10.2f ms\n", times[0].Median());
    std::printf("DrawIconEx:    %10.2f ms\n", times[1].Median());
    const bool ok = ReportRatio("manager / DrawIconEx", times[0].Median(), times[1].Median(), 1.0);

    ::SelectObject(dc.m_hDC, old);
    dc.DeleteDC();
    ::DeleteObject(canvas);
    for (HICON icon : icons)
        ::DestroyIcon(icon);
    manager->RemoveAll();
    return ok ? 0 : 1;
}
