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

// Calls an entry point of the current library, typed as F. Without it, or when the lookup
// or the call raises a C++ exception, the answer is `failure`. (Structured system
// exceptions cannot be caught by this compiler; the calls take only checked arguments.)
template <class F, class R, class... Args>
R Call(CXTPUxThemeLibrary::Entry entry, R failure, Args... args)
{
    try {
        auto proc = reinterpret_cast<F>(reinterpret_cast<void*>(XTPUxThemeLibrary()->GetProc(entry)));
        return proc ? proc(args...) : failure;
    } catch (...) {
        return failure;
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
    m_hTheme = Call<PFNOpenThemeData>(CXTPUxThemeLibrary::xtpOpenThemeData, HTHEME(nullptr), hWnd, pszClassList);
}

void CXTPUxTheme::CloseThemeData()
{
    if (m_hTheme)
        Call<PFNCloseThemeData>(CXTPUxThemeLibrary::xtpCloseThemeData, HRESULT(E_FAIL), m_hTheme);
    m_hTheme = nullptr;
}

HRESULT CXTPUxTheme::DrawThemeBackground(HDC hdc, int iPartId, int iStateId, const RECT* pRect, const RECT* pClipRect)
{
    return Call<PFNDrawThemeBackground>(CXTPUxThemeLibrary::xtpDrawThemeBackground, HRESULT(E_FAIL), m_hTheme, hdc,
                                        iPartId, iStateId, pRect, pClipRect);
}

HRESULT CXTPUxTheme::GetThemeColor(int iPartId, int iStateId, int iPropId, COLORREF* pColor)
{
    return Call<PFNGetThemeColor>(CXTPUxThemeLibrary::xtpGetThemeColor, HRESULT(E_FAIL), m_hTheme, iPartId, iStateId,
                                  iPropId, pColor);
}

BOOL CXTPUxTheme::IsAppThemed()
{
    return m_hTheme ? Call<PFNIsAppThemed>(CXTPUxThemeLibrary::xtpIsAppThemed, BOOL(FALSE)) : FALSE;
}

BOOL CXTPUxTheme::IsThemeActive()
{
    return Call<PFNIsThemeActive>(CXTPUxThemeLibrary::xtpIsThemeActive, BOOL(FALSE));
}

HRESULT CXTPUxTheme::GetCurrentThemeName(LPWSTR pszThemeFileName, int cchMaxNameChars, LPWSTR pszColorBuff,
                                         int cchMaxColorChars, LPWSTR pszSizeBuff, int cchMaxSizeChars)
{
    return Call<PFNGetCurrentThemeName>(CXTPUxThemeLibrary::xtpGetCurrentThemeName, HRESULT(E_FAIL),
                                        pszThemeFileName, cchMaxNameChars, pszColorBuff, cchMaxColorChars, pszSizeBuff,
                                        cchMaxSizeChars);
}

BOOL CXTPUxTheme::IsAppThemeReady()
{
    CXTPUxThemeLibrary* library = XTPUxThemeLibrary();
    return library->GetModule() && IsThemeActive() && IsAppThemed() && HIWORD(library->GetComCtlVersion()) > 5;
}
