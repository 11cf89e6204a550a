// The visual-styles library, loaded at run time, and theme handles drawn through it.
#pragma once

#include <windows.h>

// UxTheme's handle type, declared here so that nothing links to the library's header.
typedef HANDLE HTHEME;

// The process-wide loader: the module and a cache of its entry points, each looked up once.
class CXTPUxThemeLibrary {
public:
    enum Entry {
        xtpDrawThemeBackground, xtpCloseThemeData, xtpSetWindowTheme, xtpSetThemeAppProperties,
        xtpOpenThemeData, xtpIsThemePartDefined, xtpIsThemeDialogTextureEnabled,
        xtpIsThemeBackgroundPartiallyTransparent, xtpIsThemeActive, xtpIsAppThemed,
        xtpHitTestThemeBackground, xtpGetWindowTheme, xtpGetThemeSysString, xtpGetThemeTextMetrics,
        xtpGetThemeTextExtent, xtpGetThemeSysSize, xtpGetThemeSysInt, xtpGetThemeSysFont,
        xtpGetThemeSysColorBrush, xtpGetThemeSysColor, xtpGetThemeSysBool, xtpGetThemeString,
        xtpGetThemeRect, xtpGetThemePropertyOrigin, xtpGetThemePosition, xtpGetThemePartSize,
        xtpGetThemeMetric, xtpGetThemeMargins, xtpGetThemeIntList, xtpGetThemeInt, xtpGetThemeFont,
        xtpGetThemeFilename, xtpGetThemeEnumValue, xtpGetThemeDocumentationProperty, xtpGetThemeColor,
        xtpGetThemeBool, xtpGetThemeBackgroundRegion, xtpGetThemeBackgroundExtent,
        xtpGetThemeBackgroundContentRect, xtpThemeAppProperties, xtpGetCurrentThemeName,
        xtpEnableTheming, xtpEnableThemeDialogTexture, xtpDrawThemeText, xtpDrawThemeParentBackground,
        xtpDrawThemeIcon, xtpDrawThemeEdge, xtpDrawThemeBackgroundEx,
        xtpEntryCount
    };

    // Loads the named module (null when it is missing) and learns comctl32's version.
    explicit CXTPUxThemeLibrary(const char* moduleName = "UxTheme.dll");
    ~CXTPUxThemeLibrary();
    CXTPUxThemeLibrary(const CXTPUxThemeLibrary&) = delete;
    CXTPUxThemeLibrary& operator=(const CXTPUxThemeLibrary&) = delete;

    // The entry point, looked up on first ask; null without the module or the export.
    FARPROC GetProc(Entry entry);
    HMODULE GetModule() const { return m_hModule; }
    // major << 16 | minor of comctl32.dll; 0 when it cannot be learned.
    DWORD GetComCtlVersion() const { return m_dwComCtlVersion; }
    // Stands in for what comctl32 answered (Wine's version-6 controls report 5.81).
    void SetComCtlVersion(DWORD dwVersion) { m_dwComCtlVersion = dwVersion; }

private:
    FARPROC m_procs[xtpEntryCount] = {};
    HMODULE m_hModule = nullptr;
    DWORD m_dwComCtlVersion = 0;
};

// The library every theme object calls through. Tests may put another in its place;
// null restores the process-wide one. Returns the one that was current.
CXTPUxThemeLibrary* XTPUxThemeLibrary();
CXTPUxThemeLibrary* XTPSetUxThemeLibrary(CXTPUxThemeLibrary* pLibrary);

// comctl32's version (DllGetVersion) as major << 16 | minor; 0 when it cannot be learned.
DWORD XTPQueryComCtlVersion();
// TRUE when comctl32 answers with major version 6 or more.
BOOL IsComCtlVersion6();

// One theme handle and the calls the library needs on it. Every call fails quietly
// (E_FAIL, FALSE) when the visual-styles library or the entry point is missing.
class CXTPUxTheme {
public:
    CXTPUxTheme() = default;
    virtual ~CXTPUxTheme();
    CXTPUxTheme(const CXTPUxTheme&) = delete;
    CXTPUxTheme& operator=(const CXTPUxTheme&) = delete;

    // Closes the held theme, then keeps whatever the system opens (possibly none).
    void OpenThemeData(HWND hWnd, LPCWSTR pszClassList);
    void CloseThemeData();
    HTHEME GetThemeHandle() const { return m_hTheme; }

    HRESULT DrawThemeBackground(HDC hdc, int iPartId, int iStateId, const RECT* pRect, const RECT* pClipRect);
    HRESULT GetThemeColor(int iPartId, int iStateId, int iPropId, COLORREF* pColor);
    // FALSE without an open theme, else the system's answer.
    BOOL IsAppThemed();
    static BOOL IsThemeActive();
    static HRESULT GetCurrentThemeName(LPWSTR pszThemeFileName, int cchMaxNameChars, LPWSTR pszColorBuff,
                                       int cchMaxColorChars, LPWSTR pszSizeBuff, int cchMaxSizeChars);
    // The visual styles really draw: library loaded, a theme active, this object themed, comctl32 6 or later.
    BOOL IsAppThemeReady();

private:
    HTHEME m_hTheme = nullptr;
};
