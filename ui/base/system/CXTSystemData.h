// What the plain controls need from the system: colours, cursors, metrics, fonts, versions.
#pragma once

#include <windows.h>

#include "CGdiObject.h"
#include "ResourceIds.h"

// The running system's version record, filled once.
class CXTOSVersionInfo : public OSVERSIONINFOA {
public:
    CXTOSVersionInfo();
    // A record of another system (tests).
    explicit CXTOSVersionInfo(const OSVERSIONINFOA& info) : OSVERSIONINFOA(info) {}

    BOOL IsWin95() const { return dwPlatformId == 1 && dwMajorVersion == 4 && dwMinorVersion < 10; }
    BOOL IsWin98() const { return dwPlatformId == 1 && dwMajorVersion == 4 && dwMinorVersion == 10; }
    BOOL IsWinNT4() const { return dwPlatformId == 2 && dwMajorVersion == 4 && dwMinorVersion == 0; }
    BOOL IsWin2K() const { return dwPlatformId == 2 && dwMajorVersion == 5 && dwMinorVersion == 0; }
    BOOL IsWinXP() const { return dwPlatformId == 2 && dwMajorVersion == 5 && dwMinorVersion == 1; }
    BOOL IsWin2KOrGreater() const { return dwPlatformId >= 2 && dwMajorVersion >= 5; }
    BOOL IsWinVersion(DWORD dwMajor, DWORD dwMinor) const
    {
        return dwMajorVersion == dwMajor && dwMinorVersion == dwMinor;
    }
};

const CXTOSVersionInfo& XTOSVersionInfo();

// The system's non-client metrics (menu, status and caption fonts among them), their fonts
// fitted to the code page (CXTSystemData::FitCharSet).
struct CXTPNonClientMetrics : public NONCLIENTMETRICSA {
    CXTPNonClientMetrics();
};

class CXTSystemData {
public:
    enum { kColorCount = 40, kCursorCount = 8, kFontCount = 10 };

    // Where fonts come from (tests put their own in place; null members ask the system).
    struct FontSource {
        BOOL (*pfnNonClientMetrics)(NONCLIENTMETRICSA* pMetrics) = nullptr;
        BOOL (*pfnIconTitleFont)(LOGFONTA* pFont) = nullptr;
        BOOL (*pfnFontExists)(const char* lpszFaceName) = nullptr;
        DWORD (*pfnQueryComCtlVersion)() = nullptr;  // 0: the query failed
    };
    static FontSource SetFontSource(const FontSource& source);

    CXTSystemData();
    virtual ~CXTSystemData();
    CXTSystemData(const CXTSystemData&) = delete;
    CXTSystemData& operator=(const CXTSystemData&) = delete;

    void UpdateSysColors();
    void UpdateSysMetrics();
    BOOL LoadSysCursors();
    BOOL CreateSysFonts(const char* lpszFaceName = nullptr, const char* lpszVertFaceName = nullptr);

    // major << 16 | minor; asked once, 0 when the query failed.
    DWORD GetComCtlVersion();
    BOOL IsComCtlVersion472() { return GetComCtlVersion() >= 0x40048; }
    BOOL FontExists(const char* lpszFaceName) const;
    // Replaces font by a copy of logFont with weight, orientation and escapement changed
    // unless -1 and the underline byte unless 255.
    // A font read from the system's metrics may claim the Western set where the code page is
    // another (Wine does); such a font would draw this code page's texts in Western letters.
    // It takes the set the screen's text is drawn in; other sets are kept.
    static void FitCharSet(LOGFONTA& logFont);
    static BOOL CreateFontFrom(const LOGFONTA& logFont, CFont& font, int nWeight = -1, BYTE bUnderline = 255,
                               int nOrientation = -1, int nEscapement = -1);

    // Colours: the system colours 15, 16, 21, 20, 22, 18, 17, 13, 14, 4, 7, 5, 6, 8, 2, 3,
    // 27, 28, 9, 19, then the colour manager's 30 to 49, all through the colour manager.
    COLORREF clr[kColorCount] = {};
    // Cursors 9008, 9009, 9011, 9010, 9012, 9970, 9971 and the system's size-all cursor.
    HCURSOR hCursors[kCursorCount] = {};
    int cxSmIcon = 0, cySmIcon = 0, cxSize = 18, cySize = 18, cxHThumb = 0, cyVThumb = 0, cyMenuItem = 0;
    CFont font, fontBold, fontULine, fontVert, fontVertBold, fontIconTitle, fontIconTitleBold, fontMarlett,
        fontStatus, fontSmCaption;
    BOOL bWin95 = FALSE, bWin98 = FALSE, bWinNT4 = FALSE, bWin2K = FALSE, bWinXP = FALSE;
    BOOL bUseTahomaFont = FALSE;
    HINSTANCE hResourceModule = nullptr;  // none: the library's resource module

private:
    DWORD m_dwComCtlVersion = (DWORD)-1;
    BOOL m_bComCtlVersionAsked = FALSE;
};

// The one instance, built on first call.
CXTSystemData* XTSystemData();
