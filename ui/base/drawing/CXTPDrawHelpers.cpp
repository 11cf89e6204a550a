// Gradients, colour mixing, font probing, work areas and icons from bitmaps.
#include "CXTPDrawHelpers.h"

#include <commctrl.h>

#include <cstring>

#include "CWnd.h"
#include "CXTPBufferDC.h"
#include "CXTPColorManager.h"

namespace {

CXTPDrawHelpers g_drawHelpers;
CXTPDrawHelpers::PFNBITSPERPIXEL g_pfnBitsPerPixel = nullptr;

// The monitor functions of USER32, looked up once; all or none.
struct MonitorFunctions {
    typedef HMONITOR(WINAPI* FromRect)(LPCRECT, DWORD);
    typedef HMONITOR(WINAPI* FromWindow)(HWND, DWORD);
    typedef HMONITOR(WINAPI* FromPoint)(POINT, DWORD);
    typedef BOOL(WINAPI* GetInfo)(HMONITOR, LPMONITORINFO);
    typedef int(WINAPI* GetMetrics)(int);

    GetMetrics pfnGetSystemMetrics = nullptr;
    FromWindow pfnMonitorFromWindow = nullptr;
    FromRect pfnMonitorFromRect = nullptr;
    FromPoint pfnMonitorFromPoint = nullptr;
    GetInfo pfnGetMonitorInfo = nullptr;
    BOOL bInitialized = FALSE;

    template <class T>
    static T Lookup(HMODULE module, const char* name)
    {
        return reinterpret_cast<T>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
    }

    const MonitorFunctions& Get()
    {
        if (!bInitialized) {
            bInitialized = TRUE;
            HMODULE user = ::GetModuleHandleA("USER32");
            if (user) {
                pfnGetSystemMetrics = Lookup<GetMetrics>(user, "GetSystemMetrics");
                pfnMonitorFromWindow = Lookup<FromWindow>(user, "MonitorFromWindow");
                pfnMonitorFromRect = Lookup<FromRect>(user, "MonitorFromRect");
                pfnMonitorFromPoint = Lookup<FromPoint>(user, "MonitorFromPoint");
                pfnGetMonitorInfo = Lookup<GetInfo>(user, "GetMonitorInfoA");
            }
            if (!pfnGetSystemMetrics || !pfnMonitorFromWindow || !pfnMonitorFromRect || !pfnMonitorFromPoint ||
                !pfnGetMonitorInfo)
                *this = MonitorFunctions{nullptr, nullptr, nullptr, nullptr, nullptr, TRUE};
        }
        return *this;
    }
    BOOL Available() const { return pfnGetMonitorInfo != nullptr; }
};

MonitorFunctions g_monitors;

CRect WorkAreaOf(HMONITOR monitor)
{
    const MonitorFunctions& functions = g_monitors.Get();
    if (monitor && functions.Available()) {
        MONITORINFO info = {};
        info.cbSize = sizeof(info);  // 40
        if (functions.pfnGetMonitorInfo(monitor, &info))
            return CRect(info.rcWork);
    }
    RECT work = {};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    return CRect(work);
}

struct FaceSearch {
    const char* face;
    bool found;
};

int CALLBACK StopAtFace(const LOGFONTA* logFont, const TEXTMETRICA*, DWORD, LPARAM lParam)
{
    auto* search = reinterpret_cast<FaceSearch*>(lParam);
    search->found = ::lstrcmpiA(logFont->lfFaceName, search->face) == 0;
    return search->found ? 0 : 1;
}

}  // namespace

CXTPDrawHelpers* XTPDrawHelpers()
{
    return &g_drawHelpers;
}

CXTPDrawHelpers::CXTPDrawHelpers(const char* gradientModule) : m_hMsImgDll(::LoadLibraryA(gradientModule))
{
    if (m_hMsImgDll)
        m_pfnFastGradientFill = reinterpret_cast<PFNGRADIENTFILL>(
            reinterpret_cast<void*>(::GetProcAddress(m_hMsImgDll, "GradientFill")));
}

CXTPDrawHelpers::~CXTPDrawHelpers()
{
    if (m_hMsImgDll)
        ::FreeLibrary(m_hMsImgDll);
}

COLORREF CXTPDrawHelpers::BlendColors(COLORREF crA, COLORREF crB, double fAmountA)
{
    const float a = static_cast<float>(fAmountA);
    auto mix = [a](int x, int y) {
        int value = static_cast<int>(x * a + y * (1.0f - a));
        return value > 255 ? 255 : value < 0 ? 0 : value;
    };
    return RGB(mix(GetRValue(crA), GetRValue(crB)), mix(GetGValue(crA), GetGValue(crB)),
               mix(GetBValue(crA), GetBValue(crB)));
}

void CXTPDrawHelpers::GradientFill(CDC* pDC, LPCRECT lpRect, COLORREF crFrom, COLORREF crTo, BOOL bHorz)
{
    if (!pDC || !lpRect || ::IsRectEmpty(lpRect))
        return;
    GradientFill(pDC, lpRect, crFrom, crTo, bHorz, IsLowResolution(pDC->GetSafeHdc()));
}

void CXTPDrawHelpers::GradientFill(CDC* pDC, LPCRECT lpRect, COLORREF crFrom, COLORREF crTo, BOOL bHorz,
                                   BOOL bLowResolution)
{
    if (!pDC || !lpRect)
        return;
    const CRect rect(*lpRect);
    if (rect.IsRectEmpty())
        return;
    if (bLowResolution || crFrom == crTo) {
        pDC->FillSolidRect(&rect, crFrom);
        return;
    }
    if (m_pfnFastGradientFill) {
        TRIVERTEX vertices[2] = {
            {rect.left, rect.top, static_cast<COLOR16>(GetRValue(crFrom) << 8),
             static_cast<COLOR16>(GetGValue(crFrom) << 8), static_cast<COLOR16>(GetBValue(crFrom) << 8), 0},
            {rect.right, rect.bottom, static_cast<COLOR16>(GetRValue(crTo) << 8),
             static_cast<COLOR16>(GetGValue(crTo) << 8), static_cast<COLOR16>(GetBValue(crTo) << 8), 0}};
        GRADIENT_RECT mesh = {0, 1};
        m_pfnFastGradientFill(pDC->GetSafeHdc(), vertices, 2, &mesh, 1,
                              bHorz ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V);
        return;
    }
    GradientFillSlow(pDC, rect, crFrom, crTo, bHorz);
}

void CXTPDrawHelpers::GradientFillSlow(CDC* pDC, const CRect& rect, COLORREF crFrom, COLORREF crTo, BOOL bHorz)
{
    const int width = rect.Width() > 1 ? rect.Width() : 1;
    const int height = rect.Height() > 1 ? rect.Height() : 1;
    CRect area;
    pDC->GetClipBox(&area);
    if (area.IsRectEmpty())
        area = rect;
    else if (!area.IntersectRect(&area, &rect))
        return;
    // The weight is a fraction: integer division would give one colour throughout.
    if (bHorz) {
        for (int x = area.left; x < area.right; ++x)
            pDC->FillSolidRect(x, area.top, 1, area.Height(),
                               BlendColors(crFrom, crTo, 1.0 - static_cast<double>(x - rect.left) / width));
    } else {
        for (int y = area.top; y < area.bottom; ++y)
            pDC->FillSolidRect(area.left, y, area.Width(), 1,
                               BlendColors(crFrom, crTo, 1.0 - static_cast<double>(y - rect.top) / height));
    }
}

void CXTPDrawHelpers::GradientFill(CDC* pDC, LPCRECT lpRect, const CXTPPaintManagerColorGradient& grc, BOOL bHorz)
{
    GradientFill(pDC, lpRect, grc.clrLight, grc.clrDark, bHorz);
}

void CXTPDrawHelpers::AveragePixels(CDC* pDC, const POINT* pPoints, int nCount)
{
    if (!pDC || !pPoints)
        return;
    // Whole pairs only: a point without its offset is left alone.
    for (int i = 0; i + 1 < nCount; i += 2) {
        const POINT& pixel = pPoints[i];
        const POINT& offset = pPoints[i + 1];
        COLORREF a = pDC->GetPixel(pixel);
        COLORREF b = pDC->GetPixel(pixel.x + offset.x, pixel.y + offset.y);
        pDC->SetPixel(pixel, RGB((GetRValue(a) + GetRValue(b)) >> 1, (GetGValue(a) + GetGValue(b)) >> 1,
                                 (GetBValue(a) + GetBValue(b)) >> 1));
    }
}

BOOL CXTPDrawHelpers::FontExists(const char* lpszFaceName)
{
    // No face longer than a LOGFONT holds is ever listed.
    if (!lpszFaceName || !*lpszFaceName || std::strlen(lpszFaceName) >= LF_FACESIZE)
        return FALSE;
    // Only the family asked for, on a memory DC: listing every installed family on a screen DC
    // is dear under Wine, and the application asks at start-up for several faces.
    HDC hdc = ::CreateCompatibleDC(nullptr);
    LOGFONTA logFont = {};
    logFont.lfCharSet = DEFAULT_CHARSET;
    ::lstrcpynA(logFont.lfFaceName, lpszFaceName, LF_FACESIZE);
    FaceSearch search{lpszFaceName, false};
    ::EnumFontFamiliesExA(hdc, &logFont, StopAtFace, reinterpret_cast<LPARAM>(&search), 0);
    ::DeleteDC(hdc);
    return search.found;
}

CString CXTPDrawHelpers::GetDefaultFontName(BOOL bPreferTahoma)
{
    LOGFONTA guiFont = {};
    ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof(guiFont), &guiFont);
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    ::GetVersionExA(&version);
    if (guiFont.lfCharSet > SYMBOL_CHARSET && version.dwPlatformId == VER_PLATFORM_WIN32_NT &&
        version.dwMajorVersion >= 5)
        return CString(guiFont.lfFaceName);
    if (!FontExists("Arial"))
        return CString(guiFont.lfFaceName);
    return CString(bPreferTahoma && FontExists("Tahoma") ? "Tahoma" : "Arial");
}

BOOL CXTPDrawHelpers::IsLowResolution(HDC hDC)
{
    // Paint code asks for each gradient: a display's DC (memory ones made for it too) has the
    // desktop's depth, known already; only other devices are asked.
    if (!g_pfnBitsPerPixel && (!hDC || ::GetDeviceCaps(hDC, TECHNOLOGY) == DT_RASDISPLAY)) {
        const int bits = XTPScreenBitsPerPixel();
        return bits >= 1 && bits <= 8;
    }
    HWND desktop = nullptr;
    if (!hDC) {
        desktop = ::GetDesktopWindow();
        hDC = ::GetDC(desktop);
    }
    const int bits = g_pfnBitsPerPixel ? g_pfnBitsPerPixel(hDC) : hDC ? ::GetDeviceCaps(hDC, BITSPIXEL) : 0;
    if (desktop)
        ::ReleaseDC(desktop, hDC);
    return bits >= 1 && bits <= 8;
}

CXTPDrawHelpers::PFNBITSPERPIXEL CXTPDrawHelpers::SetBitsPerPixelProvider(PFNBITSPERPIXEL pfnBitsPerPixel)
{
    PFNBITSPERPIXEL previous = g_pfnBitsPerPixel;
    g_pfnBitsPerPixel = pfnBitsPerPixel;
    return previous;
}

int CXTPDrawHelpers::GetCurrentSystemTheme()
{
    return GetColorManager()->GetCurrentSystemTheme();
}

CRect CXTPDrawHelpers::GetWorkAreaFromRect(const CRect& rect)
{
    const MonitorFunctions& functions = g_monitors.Get();
    return WorkAreaOf(functions.Available() ? functions.pfnMonitorFromRect(&rect, MONITOR_DEFAULTTONULL) : nullptr);
}

CRect CXTPDrawHelpers::GetWorkAreaFromWindow(CWnd* pWnd)
{
    const MonitorFunctions& functions = g_monitors.Get();
    HWND hWnd = pWnd ? pWnd->GetSafeHwnd() : nullptr;
    return WorkAreaOf(functions.Available() && hWnd ? functions.pfnMonitorFromWindow(hWnd, MONITOR_DEFAULTTONULL)
                                                    : nullptr);
}

CRect CXTPDrawHelpers::GetWorkAreaFromCursor()
{
    const MonitorFunctions& functions = g_monitors.Get();
    POINT point = {};
    ::GetCursorPos(&point);
    return WorkAreaOf(functions.Available() ? functions.pfnMonitorFromPoint(point, MONITOR_DEFAULTTONULL) : nullptr);
}

HICON CXTPDrawHelpers::CreateIconFromBitmap(HBITMAP hBitmap)
{
    BITMAP info = {};
    if (!hBitmap || !::GetObjectA(hBitmap, sizeof(info), &info) || info.bmWidth == 0 || info.bmHeight == 0)
        return nullptr;
    COLORREF mask = (COLORREF)-1;
    {
        CXTPCompatibleDC dc(nullptr, hBitmap);
        if (dc.GetSafeHdc())
            mask = dc.GetPixel(0, 0);
    }
    HIMAGELIST list = ::ImageList_Create(info.bmWidth, info.bmHeight, ILC_COLOR24 | ILC_MASK, 0, 1);
    if (!list)
        return nullptr;
    ::ImageList_AddMasked(list, hBitmap, mask);
    HICON icon = ::ImageList_GetIcon(list, 0, ILD_NORMAL);
    ::ImageList_Destroy(list);
    return icon;
}
