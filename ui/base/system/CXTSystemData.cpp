// The system data record: colour snapshot, cursors, metrics, derived fonts and versions.
#include "CXTSystemData.h"

#include <cstring>

#include "CXTPColorManager.h"
#include "CXTPDrawHelpers.h"
#include "CXTPUxTheme.h"
#include "XTPResourceHandles.h"

namespace {

CXTSystemData::FontSource g_source;

BOOL SystemNonClientMetrics(NONCLIENTMETRICSA* pMetrics)
{
    return ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, pMetrics->cbSize, pMetrics, 0);
}

BOOL SystemIconTitleFont(LOGFONTA* pFont)
{
    return ::SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof(LOGFONTA), pFont, 0);
}

}  // namespace

CXTOSVersionInfo::CXTOSVersionInfo() : OSVERSIONINFOA()
{
    dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    ::GetVersionExA(this);
}

const CXTOSVersionInfo& XTOSVersionInfo()
{
    static const CXTOSVersionInfo info;
    return info;
}

CXTPNonClientMetrics::CXTPNonClientMetrics() : NONCLIENTMETRICSA()
{
    cbSize = sizeof(NONCLIENTMETRICSA);
    auto read = g_source.pfnNonClientMetrics ? g_source.pfnNonClientMetrics : SystemNonClientMetrics;
    if (read(this)) {
        for (LOGFONTA* pFont : {&lfCaptionFont, &lfSmCaptionFont, &lfMenuFont, &lfStatusFont, &lfMessageFont})
            CXTSystemData::FitCharSet(*pFont);
    }
}

void CXTSystemData::FitCharSet(LOGFONTA& logFont)
{
    if (logFont.lfCharSet != ANSI_CHARSET)
        return;
    HDC hdcScreen = ::GetDC(nullptr);
    logFont.lfCharSet = static_cast<BYTE>(::GetTextCharset(hdcScreen));
    ::ReleaseDC(nullptr, hdcScreen);
}

CXTSystemData::FontSource CXTSystemData::SetFontSource(const FontSource& source)
{
    FontSource previous = g_source;
    g_source = source;
    return previous;
}

CXTSystemData::CXTSystemData()
{
    const CXTOSVersionInfo& version = XTOSVersionInfo();
    bWin95 = version.IsWin95();
    bWin98 = version.IsWin98();
    bWinNT4 = version.IsWinNT4();
    bWin2K = version.IsWin2K();
    bWinXP = version.IsWinXP();

    GetComCtlVersion();
    UpdateSysColors();
    UpdateSysMetrics();
    // The executable's own module, unless the application has named its resource module already.
    if (!XTPGetResourceHandle())
        XTPSetResourceHandles(::GetModuleHandleA(nullptr), ::GetModuleHandleA(nullptr));
    LoadSysCursors();
    CreateSysFonts();
}

CXTSystemData::~CXTSystemData()
{
    for (HCURSOR& cursor : hCursors) {
        if (cursor)
            ::DestroyCursor(cursor);
        cursor = nullptr;
    }
}

CXTSystemData* XTSystemData()
{
    static CXTSystemData data;
    return &data;
}

void CXTSystemData::UpdateSysColors()
{
    static const int kIndexes[20] = {15, 16, 21, 20, 22, 18, 17, 13, 14, 4, 7, 5, 6, 8, 2, 3, 27, 28, 9, 19};
    CXTPColorManager* manager = GetColorManager();
    manager->RefreshColors();
    for (int i = 0; i < 20; ++i)
        clr[i] = manager->GetColor(kIndexes[i]);
    for (int i = 0; i < 20; ++i)
        clr[20 + i] = manager->GetColor(30 + i);
}

void CXTSystemData::UpdateSysMetrics()
{
    cxSmIcon = ::GetSystemMetrics(SM_CXSMICON);
    cySmIcon = ::GetSystemMetrics(SM_CYSMICON);
    cxSize = cySize = 18;
    cxHThumb = ::GetSystemMetrics(SM_CXHTHUMB);
    cyVThumb = ::GetSystemMetrics(SM_CYVTHUMB);
    cyMenuItem = ::GetSystemMetrics(SM_CYMENU);
}

BOOL CXTSystemData::LoadSysCursors()
{
    static const int kIds[kCursorCount - 1] = {XT_IDC_DRAGMOVE, XT_IDC_DRAGCOPY, XT_IDC_NODROP, XT_IDC_HAND,
                                               XT_IDC_DRAGDELETE, XT_IDC_SPLITH, XT_IDC_SPLITV};
    for (HCURSOR& cursor : hCursors) {
        if (cursor)
            ::DestroyCursor(cursor);
        cursor = nullptr;
    }
    HINSTANCE module = hResourceModule ? hResourceModule : XTPGetResourceHandle();
    for (int i = 0; i < kCursorCount - 1; ++i) {
        hCursors[i] = ::LoadCursorA(module, MAKEINTRESOURCEA(kIds[i]));
        if (!hCursors[i])
            return FALSE;
    }
    hCursors[kCursorCount - 1] = ::LoadCursorA(nullptr, IDC_SIZEALL);
    return hCursors[kCursorCount - 1] != nullptr;
}

BOOL CXTSystemData::FontExists(const char* lpszFaceName) const
{
    return g_source.pfnFontExists ? g_source.pfnFontExists(lpszFaceName) : CXTPDrawHelpers::FontExists(lpszFaceName);
}

BOOL CXTSystemData::CreateFontFrom(const LOGFONTA& logFont, CFont& font, int nWeight, BYTE bUnderline,
                                   int nOrientation, int nEscapement)
{
    LOGFONTA copy = logFont;
    if (nWeight != -1)
        copy.lfWeight = nWeight;
    if (nOrientation != -1)
        copy.lfOrientation = nOrientation;
    if (nEscapement != -1)
        copy.lfEscapement = nEscapement;
    if (bUnderline != 255)
        copy.lfUnderline = bUnderline;
    font.DeleteObject();
    return font.CreateFontIndirect(&copy);
}

BOOL CXTSystemData::CreateSysFonts(const char* lpszFaceName, const char* lpszVertFaceName)
{
    CXTPNonClientMetrics metrics;
    const LOGFONTA& menu = metrics.lfMenuFont;

    LOGFONTA base = {};
    base.lfHeight = menu.lfHeight;
    base.lfWeight = menu.lfWeight;
    base.lfItalic = menu.lfItalic;
    base.lfUnderline = menu.lfUnderline;
    base.lfStrikeOut = menu.lfStrikeOut;
    base.lfCharSet = menu.lfCharSet;
    lstrcpynA(base.lfFaceName, menu.lfFaceName, LF_FACESIZE);

    if (lpszFaceName && *lpszFaceName) {
        if (FontExists(lpszFaceName))
            lstrcpynA(base.lfFaceName, lpszFaceName, LF_FACESIZE);
    } else if (bUseTahomaFont && menu.lfCharSet <= 2 && FontExists("Tahoma")) {
        lstrcpynA(base.lfFaceName, "Tahoma", LF_FACESIZE);
    }

    if (!CreateFontFrom(base, font) || !CreateFontFrom(base, fontBold, FW_BOLD) ||
        !CreateFontFrom(base, fontULine, -1, 1))
        return FALSE;

    LOGFONTA vertical = base;
    if (lpszVertFaceName && *lpszVertFaceName) {
        if (FontExists(lpszVertFaceName))
            lstrcpynA(vertical.lfFaceName, lpszVertFaceName, LF_FACESIZE);
    } else if (lstrcmpiA(menu.lfFaceName, "Tahoma") != 0 && FontExists("Arial")) {
        lstrcpynA(vertical.lfFaceName, "Arial", LF_FACESIZE);
    }
    if (!CreateFontFrom(vertical, fontVert, -1, 255, 900, 2700) ||
        !CreateFontFrom(vertical, fontVertBold, FW_BOLD, 255, 900, 2700))
        return FALSE;

    LOGFONTA iconTitle = {};
    auto readIconTitle = g_source.pfnIconTitleFont ? g_source.pfnIconTitleFont : SystemIconTitleFont;
    if (!readIconTitle(&iconTitle))
        return FALSE;
    FitCharSet(iconTitle);
    if (!CreateFontFrom(iconTitle, fontIconTitle) || !CreateFontFrom(iconTitle, fontIconTitleBold, FW_BOLD))
        return FALSE;
    if (!CreateFontFrom(metrics.lfStatusFont, fontStatus) || !CreateFontFrom(metrics.lfSmCaptionFont, fontSmCaption))
        return FALSE;

    LOGFONTA glyph = {};
    glyph.lfHeight = iconTitle.lfHeight;
    glyph.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(glyph.lfFaceName, "Marlett", LF_FACESIZE);
    return CreateFontFrom(glyph, fontMarlett);
}

DWORD CXTSystemData::GetComCtlVersion()
{
    if (!m_bComCtlVersionAsked) {
        m_bComCtlVersionAsked = TRUE;
        const DWORD version = g_source.pfnQueryComCtlVersion ? g_source.pfnQueryComCtlVersion()
                                                             : XTPQueryComCtlVersion();
        if (version)
            m_dwComCtlVersion = version;
    }
    return m_dwComCtlVersion == (DWORD)-1 ? 0 : m_dwComCtlVersion;
}
