// The process-wide table of the 58 indexed colours painters draw with, and its gradients.
#pragma once

#include <windows.h>

#include "CCmdTarget.h"
#include "CXTPPaintManagerColor.h"

// Colour table indexes: 0 black, 1..27 the system colours of that number, 28 and 29
// unused (0), 30..57 derived colours. Any value above 57 is a literal colour.
enum { XPCOLOR_BASE = 30, XPCOLOR_LAST = 57, XPCOLOR_COUNT = 58 };

class CXTPColorManager : public CCmdTarget {
public:
    // What the table reads from the system besides its colours. Each may be replaced (tests do so); null
    // members fall back to the system's own answer.
    struct Environment {
        int (*pfnScreenBitsPerPixel)() = nullptr;
        HRESULT (*pfnGetCurrentThemeName)(LPWSTR fileName, int fileChars, LPWSTR colorName, int colorChars) = nullptr;
        BOOL (*pfnGetTreeBorderColor)(COLORREF* pColor) = nullptr;  // the visual style's tree-view border
    };

    CXTPColorManager();

    COLORREF GetColor(int nIndex) const;
    // Sets an override of an index; 0xFFFFFFFF removes it.
    void SetColor(int nIndex, COLORREF clr);
    COLORREF GetStandardColor(int nIndex) const;
    // Rebuilds the table; with bOnlyIfNeeded, only when it has never been built.
    void RefreshColors(BOOL bOnlyIfNeeded = FALSE);
    // Per channel (a × w + b × (D − w) + D / 2) / D, with D = 100 for weights up to 100, else 1000.
    static COLORREF BlendColors(COLORREF clrA, COLORREF clrB, int nWeight);

    BOOL IsLunaColorsDisabled() const { return m_bDisableLunaColors; }
    // 1 "normalcolor", 2 "homestead", 3 "metallic" of the luna visual style; 0 otherwise.
    static int GetWinThemeColorScheme();
    // The scheme of a visual style given by its file and colour names.
    static int ColorSchemeFromNames(LPCWSTR fileName, LPCWSTR colorName);
    // The scheme mode; the automatic modes (4, 5) answer the detected scheme.
    int GetCurrentSystemTheme() const;

    const CXTPPaintManagerColorGradient& GetGradient(int nIndex) const { return m_grc[nIndex]; }

    // The system-colour provider (null: the system's own colours), used from the next refresh.
    void SetSystemColorProvider(COLORREF (*pfnGetSysColor)(int nIndex)) { m_pfnGetSysColor = pfnGetSysColor; }
    // The environment used from now on; returns the previous one.
    static Environment SetEnvironment(const Environment& environment);

    // Colour distance in the weighted space the contrast rules work in (exposed for tests).
    static BOOL ColorsDiffer(COLORREF clrA, COLORREF clrB, double dThreshold);
    static COLORREF PullToDistance(COLORREF clrA, COLORREF clrB, double dThreshold);
    static COLORREF PushToDistance(COLORREF clrA, COLORREF clrB, double dThreshold);

private:
    COLORREF SysColor(int nIndex) const;

    CXTPPaintManagerColorGradient m_grc[4];
    BOOL m_bInitialized = FALSE;
    BOOL m_bDisableLunaColors = FALSE;
    COLORREF m_arrStandardColor[XPCOLOR_COUNT] = {};
    COLORREF m_arrCustomColor[XPCOLOR_COUNT];
    COLORREF (*m_pfnGetSysColor)(int nIndex) = nullptr;
    int m_nSchemeMode = 4;
};

CXTPColorManager* GetColorManager();
// The desktop's colour depth in bits per pixel, asked once per process: a screen DC and the
// question cost several round trips to the server under Wine, and paint code asks often. The
// depth does not change under a running program on the systems we run on.
int XTPScreenBitsPerPixel();

// The current colour of an index (or the literal colour above 57).
inline COLORREF GetManagedColor(int nIndex)
{
    return GetColorManager()->GetColor(nIndex);
}
