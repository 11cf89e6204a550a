// The visual-styles library loader and the theme-handle wrapper.
#include "CXTPUxTheme.h"

#include <shlwapi.h>

namespace {

const char* const kEntryNames[CXTPUxThemeLibrary::xtpEntryCount] = {
    "DrawThemeBackground", "CloseThemeData", "SetWindowTheme", "SetThemeAppProperties", "OpenThemeData",
    "IsThemePartDefined", "IsThemeDialogTextureEnabled", "IsThemeBackgroundPartiallyTransparent",
    "IsThemeActive", "IsAppThemed", "HitTestThemeBackground", "GetWindowTheme", "GetThemeSysString",
    "GetThemeTextMetrics", "GetThemeTextExtent", "GetThemeSysSize", "GetThemeSysInt", "GetThemeSysFont",
    "GetThemeSysColorBrush", "GetThemeSysColor", "GetThemeSysBool", "GetThemeString", "GetThemeRect",
    "GetThemePropertyOrigin", "GetThemePosition", "GetThemePartSize", "GetThemeMetric", "GetThemeMargins",
    "GetThemeIntList", "GetThemeInt", "GetThemeFont", "GetThemeFilename", "GetThemeEnumValue",
    "GetThemeDocumentationProperty", "GetThemeColor", "GetThemeBool", "GetThemeBackgroundRegion",
    "GetThemeBackgroundExtent", "GetThemeBackgroundContentRect", "ThemeAppProperties", "GetCurrentThemeName",
    "EnableTheming", "EnableThemeDialogTexture", "DrawThemeText", "DrawThemeParentBackground", "DrawThemeIcon",
    "DrawThemeEdge", "DrawThemeBackgroundEx"};

typedef HRESULT(WINAPI* PFNDrawThemeBackground)(HTHEME, HDC, int, int, const RECT*, const RECT*);
typedef HRESULT(WINAPI* PFNCloseThemeData)(HTHEME);
typedef HTHEME(WINAPI* PFNOpenThemeData)(HWND, LPCWSTR);
typedef BOOL(WINAPI* PFNIsThemeActive)();
typedef BOOL(WINAPI* PFNIsAppThemed)();
typedef HRESULT(WINAPI* PFNGetThemeColor)(HTHEME, int, int, int, COLORREF*);
typedef HRESULT(WINAPI* PFNGetCurrentThemeName)(LPWSTR, int, LPWSTR, int, LPWSTR, int);

CXTPUxThemeLibrary* g_pCurrent = nullptr;

// The entry point of the current library as the given type; null when there is none.
// A C++ exception from the lookup counts as a missing entry point. (Structured system
// exceptions cannot be caught by this compiler; the calls take only checked arguments.)
template <class T>
T Proc(CXTPUxThemeLibrary::Entry entry)
{
    try {
        return reinterpret_cast<T>(reinterpret_cast<void*>(XTPUxThemeLibrary()->GetProc(entry)));
    } catch (...) {
        return nullptr;
    }
}

}  // namespace

CXTPUxThemeLibrary::CXTPUxThemeLibrary(const char* moduleName)
    : m_hModule(::LoadLibraryA(moduleName)), m_dwComCtlVersion(XTPQueryComCtlVersion())
{
}

CXTPUxThemeLibrary::~CXTPUxThemeLibrary()
{
    if (m_hModule)
        ::FreeLibrary(m_hModule);
}

FARPROC CXTPUxThemeLibrary::GetProc(Entry entry)
{
    if (entry < 0 || entry >= xtpEntryCount || !m_hModule)
        return nullptr;
    if (!m_procs[entry])
        m_procs[entry] = ::GetProcAddress(m_hModule, kEntryNames[entry]);
    return m_procs[entry];
}

CXTPUxThemeLibrary* XTPUxThemeLibrary()
{
    static CXTPUxThemeLibrary library;
    return g_pCurrent ? g_pCurrent : &library;
}

CXTPUxThemeLibrary* XTPSetUxThemeLibrary(CXTPUxThemeLibrary* pLibrary)
{
    CXTPUxThemeLibrary* previous = XTPUxThemeLibrary();
    g_pCurrent = pLibrary;
    return previous;
}

DWORD XTPQueryComCtlVersion()
{
    DWORD version = 0;
    HMODULE module = ::LoadLibraryA("comctl32.dll");
    if (!module)
        return 0;
    auto getVersion = reinterpret_cast<DLLGETVERSIONPROC>(reinterpret_cast<void*>(::GetProcAddress(module, "DllGetVersion")));
    if (getVersion) {
        DLLVERSIONINFO info = {};
        info.cbSize = sizeof(info);
        if (SUCCEEDED(getVersion(&info)))
            version = MAKELONG(info.dwMinorVersion & 0xFFFF, info.dwMajorVersion);
    }
    ::FreeLibrary(module);
    return version;
}

BOOL IsComCtlVersion6()
{
    return HIWORD(XTPQueryComCtlVersion()) >= 6;
}

CXTPUxTheme::~CXTPUxTheme()
{
    CloseThemeData();
}

void CXTPUxTheme::OpenThemeData(HWND hWnd, LPCWSTR pszClassList)
{
    CloseThemeData();
    if (auto open = Proc<PFNOpenThemeData>(CXTPUxThemeLibrary::xtpOpenThemeData)) {
        try {
            m_hTheme = open(hWnd, pszClassList);
        } catch (...) {
            m_hTheme = nullptr;
        }
    }
}

void CXTPUxTheme::CloseThemeData()
{
    if (m_hTheme) {
        if (auto close = Proc<PFNCloseThemeData>(CXTPUxThemeLibrary::xtpCloseThemeData)) {
            try {
                close(m_hTheme);
            } catch (...) {
            }
        }
    }
    m_hTheme = nullptr;
}

HRESULT CXTPUxTheme::DrawThemeBackground(HDC hdc, int iPartId, int iStateId, const RECT* pRect, const RECT* pClipRect)
{
    auto draw = Proc<PFNDrawThemeBackground>(CXTPUxThemeLibrary::xtpDrawThemeBackground);
    if (!draw)
        return E_FAIL;
    try {
        return draw(m_hTheme, hdc, iPartId, iStateId, pRect, pClipRect);
    } catch (...) {
        return E_FAIL;
    }
}

HRESULT CXTPUxTheme::GetThemeColor(int iPartId, int iStateId, int iPropId, COLORREF* pColor)
{
    auto get = Proc<PFNGetThemeColor>(CXTPUxThemeLibrary::xtpGetThemeColor);
    if (!get)
        return E_FAIL;
    try {
        return get(m_hTheme, iPartId, iStateId, iPropId, pColor);
    } catch (...) {
        return E_FAIL;
    }
}

BOOL CXTPUxTheme::IsAppThemed()
{
    if (!m_hTheme)
        return FALSE;
    auto themed = Proc<PFNIsAppThemed>(CXTPUxThemeLibrary::xtpIsAppThemed);
    if (!themed)
        return FALSE;
    try {
        return themed();
    } catch (...) {
        return FALSE;
    }
}

BOOL CXTPUxTheme::IsThemeActive()
{
    auto active = Proc<PFNIsThemeActive>(CXTPUxThemeLibrary::xtpIsThemeActive);
    if (!active)
        return FALSE;
    try {
        return active();
    } catch (...) {
        return FALSE;
    }
}

HRESULT CXTPUxTheme::GetCurrentThemeName(LPWSTR pszThemeFileName, int cchMaxNameChars, LPWSTR pszColorBuff,
                                         int cchMaxColorChars, LPWSTR pszSizeBuff, int cchMaxSizeChars)
{
    auto get = Proc<PFNGetCurrentThemeName>(CXTPUxThemeLibrary::xtpGetCurrentThemeName);
    if (!get)
        return E_FAIL;
    try {
        return get(pszThemeFileName, cchMaxNameChars, pszColorBuff, cchMaxColorChars, pszSizeBuff, cchMaxSizeChars);
    } catch (...) {
        return E_FAIL;
    }
}

BOOL CXTPUxTheme::IsAppThemeReady()
{
    CXTPUxThemeLibrary* library = XTPUxThemeLibrary();
    return library->GetModule() && IsThemeActive() && IsAppThemed() && HIWORD(library->GetComCtlVersion()) > 5;
}
