// The process-wide drawing helper: gradients, colour mixing, font probing, monitor work areas.
#pragma once

#include <windows.h>

#include "CDC.h"
#include "CRect.h"
#include "CString.h"
#include "CXTPPaintManagerColor.h"

class CWnd;

class CXTPDrawHelpers {
public:
    // Loads the gradient module (null when it is missing) and looks up its GradientFill.
    explicit CXTPDrawHelpers(const char* gradientModule = "msimg32.dll");
    virtual ~CXTPDrawHelpers();
    CXTPDrawHelpers(const CXTPDrawHelpers&) = delete;
    CXTPDrawHelpers& operator=(const CXTPDrawHelpers&) = delete;

    // Two colours, left to right (bHorz) or top to bottom; one colour on 8 bits or less.
    void GradientFill(CDC* pDC, LPCRECT lpRect, COLORREF crFrom, COLORREF crTo, BOOL bHorz);
    // The same with the DC's depth already known (IsLowResolution): asking it costs a trip to
    // the display server on some systems, too much for each of a hundred small gradients.
    void GradientFill(CDC* pDC, LPCRECT lpRect, COLORREF crFrom, COLORREF crTo, BOOL bHorz, BOOL bLowResolution);
    void GradientFill(CDC* pDC, LPCRECT lpRect, const CXTPPaintManagerColorGradient& grc, BOOL bHorz);
    // Each channel trunc(c1 × w + c2 × (1 − w)), at most 255; w from 0 to 1.
    static COLORREF BlendColors(COLORREF crA, COLORREF crB, double fAmountA);
    // Pairs of points (a pixel, an offset): each pixel becomes the average of itself and
    // the pixel at the offset. nCount counts points; an odd last point is ignored.
    void AveragePixels(CDC* pDC, const POINT* pPoints, int nCount);

    static CString GetDefaultFontName(BOOL bPreferTahoma = FALSE);
    static BOOL FontExists(const char* lpszFaceName);
    // 8 bits per pixel or less on the DC (the desktop's without one).
    static BOOL IsLowResolution(HDC hDC = nullptr);
    int GetCurrentSystemTheme();
    // What a DC's depth is taken to be (null: the system's answer); returns the previous provider.
    typedef int (*PFNBITSPERPIXEL)(HDC hDC);
    static PFNBITSPERPIXEL SetBitsPerPixelProvider(PFNBITSPERPIXEL pfnBitsPerPixel);

    static CRect GetWorkAreaFromRect(const CRect& rect);
    static CRect GetWorkAreaFromWindow(CWnd* pWnd);
    static CRect GetWorkAreaFromCursor();

    // An icon of the bitmap whose top-left pixel colour is transparent; none for an empty bitmap.
    static HICON CreateIconFromBitmap(HBITMAP hBitmap);

    BOOL HasGradientFill() const { return m_pfnFastGradientFill != nullptr; }

private:
    typedef BOOL(WINAPI* PFNGRADIENTFILL)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);

    void GradientFillSlow(CDC* pDC, const CRect& rect, COLORREF crFrom, COLORREF crTo, BOOL bHorz);

    HMODULE m_hMsImgDll = nullptr;
    PFNGRADIENTFILL m_pfnFastGradientFill = nullptr;
};

// The process-wide instance, built during static initialisation.
CXTPDrawHelpers* XTPDrawHelpers();
