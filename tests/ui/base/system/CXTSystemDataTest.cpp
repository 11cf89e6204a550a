// System data: colours and cursors in their order, derived fonts, the comctl32 version asked once.
#include "CXTSystemData.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

#include "CXTPColorManager.h"
#include "XTPResourceHandles.h"

namespace {

const char* g_menuFace = "MS Shell Dlg";
int g_versionQueries = 0;
DWORD g_version = 0;

BOOL Metrics(NONCLIENTMETRICSA* metrics)
{
    ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics->cbSize, metrics, 0);
    lstrcpynA(metrics->lfMenuFont.lfFaceName, g_menuFace, LF_FACESIZE);
    metrics->lfMenuFont.lfHeight = -11;
    metrics->lfMenuFont.lfCharSet = ANSI_CHARSET;
    return TRUE;
}
BOOL IconTitle(LOGFONTA* font)
{
    *font = LOGFONTA();
    font->lfHeight = -17;  // unlike the menu font
    lstrcpynA(font->lfFaceName, "MS Shell Dlg", LF_FACESIZE);
    return TRUE;
}
BOOL Installed(const char* face)
{
    return lstrcmpiA(face, "Arial") == 0 || lstrcmpiA(face, "Tahoma") == 0 || lstrcmpiA(face, "Verdana") == 0;
}
DWORD Version()
{
    ++g_versionQueries;
    return g_version;
}

LOGFONTA LogFont(CFont& font)
{
    LOGFONTA logFont = {};
    font.GetObject(sizeof(logFont), &logFont);
    return logFont;
}

class SystemDataTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_menuFace = "MS Shell Dlg";
        g_versionQueries = 0;
        g_version = MAKELONG(81, 5);
        CXTSystemData::FontSource source;
        source.pfnNonClientMetrics = Metrics;
        source.pfnIconTitleFont = IconTitle;
        source.pfnFontExists = Installed;
        source.pfnQueryComCtlVersion = Version;
        previous = CXTSystemData::SetFontSource(source);
    }
    void TearDown() override { CXTSystemData::SetFontSource(previous); }

    CXTSystemData::FontSource previous;
};

TEST_F(SystemDataTest, ColoursComeFromTheColourManagerInOrder)
{
    CXTSystemData data;
    CXTPColorManager* manager = GetColorManager();
    const int indexes[20] = {15, 16, 21, 20, 22, 18, 17, 13, 14, 4, 7, 5, 6, 8, 2, 3, 27, 28, 9, 19};
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(manager->GetColor(indexes[i]), data.clr[i]) << i;
    for (int i = 20; i < 40; ++i)
        EXPECT_EQ(manager->GetColor(10 + i), data.clr[i]) << i;
    EXPECT_EQ(0u, data.clr[17]);  // index 28 is unused by the colour manager
    EXPECT_EQ(18, data.cxSize);
    EXPECT_EQ(::GetSystemMetrics(SM_CXSMICON), data.cxSmIcon);
}

TEST_F(SystemDataTest, CursorsInTheirOrderFromTheResourceModule)
{
    CXTSystemData data;
    HMODULE module = XTPGetResourceHandle();
    ASSERT_NE(nullptr, module);
    const int ids[7] = {9008, 9009, 9011, 9010, 9012, 9970, 9971};
    for (int i = 0; i < 7; ++i) {
        ASSERT_NE(nullptr, data.hCursors[i]) << ids[i];
        EXPECT_EQ(::LoadCursorA(module, MAKEINTRESOURCEA(ids[i])), data.hCursors[i]) << ids[i];
    }
    EXPECT_EQ(::LoadCursorA(nullptr, IDC_SIZEALL), data.hCursors[7]);
    ICONINFO hand = {};
    ASSERT_TRUE(::GetIconInfo(data.hCursors[3], &hand));  // 9010, the hand, is fourth
    EXPECT_EQ(5u, hand.xHotspot);
    EXPECT_EQ(0u, hand.yHotspot);
    ::DeleteObject(hand.hbmMask);
    ::DeleteObject(hand.hbmColor);

    // A module without the cursors stops loading at the first, the rest empty.
    data.hResourceModule = ::GetModuleHandleA("kernel32.dll");
    EXPECT_FALSE(data.LoadSysCursors());
    EXPECT_EQ(nullptr, data.hCursors[0]);
    EXPECT_EQ(nullptr, data.hCursors[7]);
}

TEST_F(SystemDataTest, ResourceModuleTheApplicationNamedIsKept)
{
    HMODULE own = XTPGetResourceHandle();
    HMODULE other = ::GetModuleHandleA("kernel32.dll");
    XTPSetResourceHandles(other, other);
    {
        CXTSystemData data;
        EXPECT_EQ(other, XTPGetResourceHandle());
        EXPECT_EQ(nullptr, data.hCursors[0]);  // the named module has no cursors
    }
    XTPSetResourceHandles(own, own);
}

TEST_F(SystemDataTest, FontsFollowTheMenuAndIconTitleFonts)
{
    struct Row {
        const char* menuFace;
        BOOL preferTahoma;
        const char* face;
        const char* vertFace;
        const char* normal;
        const char* vertical;
    } rows[] = {
        {"MS Shell Dlg", FALSE, "", "", "MS Shell Dlg", "Arial"},
        {"Tahoma", FALSE, "", "", "Tahoma", "Tahoma"},
        {"MS Shell Dlg", TRUE, "", "", "Tahoma", "Arial"},
        {"MS Shell Dlg", FALSE, "Verdana", "Tahoma", "Verdana", "Tahoma"},
        {"MS Shell Dlg", FALSE, "Not Installed", "Not Installed", "MS Shell Dlg", "MS Shell Dlg"},
    };
    for (const Row& row : rows) {
        g_menuFace = row.menuFace;
        CXTSystemData data;
        data.bUseTahomaFont = row.preferTahoma;
        ASSERT_TRUE(data.CreateSysFonts(row.face, row.vertFace));
        SCOPED_TRACE(std::string(row.menuFace) + " / " + row.face);
        EXPECT_STREQ(row.normal, LogFont(data.font).lfFaceName);
        EXPECT_EQ(FW_BOLD, LogFont(data.fontBold).lfWeight);
        EXPECT_EQ(1, LogFont(data.fontULine).lfUnderline);
        const LOGFONTA vertical = LogFont(data.fontVertBold);
        EXPECT_STREQ(row.vertical, vertical.lfFaceName);
        EXPECT_EQ(900, vertical.lfOrientation);
        EXPECT_EQ(2700, vertical.lfEscapement);
        EXPECT_EQ(FW_BOLD, vertical.lfWeight);
        EXPECT_EQ(-11, LogFont(data.font).lfHeight);
    }
}

TEST_F(SystemDataTest, GlyphFontIsMarlettAtIconTitleHeight)
{
    CXTSystemData data;
    const LOGFONTA glyph = LogFont(data.fontMarlett);
    EXPECT_STREQ("Marlett", glyph.lfFaceName);
    EXPECT_EQ(-17, glyph.lfHeight);
    EXPECT_EQ(DEFAULT_CHARSET, glyph.lfCharSet);
    EXPECT_EQ(0, glyph.lfWeight);
    EXPECT_EQ(FW_BOLD, LogFont(data.fontIconTitleBold).lfWeight);
    EXPECT_EQ(-17, LogFont(data.fontIconTitle).lfHeight);
}

TEST(SystemDataFitCharSet, WesternTakesTheScreensSetOthersAreKept)
{
    HDC hdc = ::GetDC(nullptr);
    const BYTE screen = static_cast<BYTE>(::GetTextCharset(hdc));
    ::ReleaseDC(nullptr, hdc);
    const std::pair<BYTE, BYTE> cases[] = {
        {ANSI_CHARSET, screen},           {DEFAULT_CHARSET, DEFAULT_CHARSET}, {SYMBOL_CHARSET, SYMBOL_CHARSET},
        {RUSSIAN_CHARSET, RUSSIAN_CHARSET}, {GREEK_CHARSET, GREEK_CHARSET},
    };
    for (const auto& c : cases) {
        LOGFONTA font = {};
        font.lfCharSet = c.first;
        CXTSystemData::FitCharSet(font);
        EXPECT_EQ(c.second, font.lfCharSet) << "set " << int(c.first);
    }
}

TEST_F(SystemDataTest, ComCtlVersionIsAskedOnce)
{
    CXTSystemData data;
    EXPECT_EQ(1, g_versionQueries);
    EXPECT_EQ(static_cast<DWORD>(MAKELONG(81, 5)), data.GetComCtlVersion());
    EXPECT_TRUE(data.IsComCtlVersion472());
    EXPECT_EQ(1, g_versionQueries);

    g_version = 0;  // the query fails: 0, and it is not asked again
    CXTSystemData failed;
    EXPECT_EQ(0u, failed.GetComCtlVersion());
    EXPECT_FALSE(failed.IsComCtlVersion472());
    EXPECT_EQ(2, g_versionQueries);
}

TEST(OSVersionInfo, PredicatesByPlatformAndVersion)
{
    struct Row {
        DWORD platform, major, minor;
        BOOL win95, win98, nt4, win2k, xp, win2kOrLater;
    } rows[] = {
        {1, 4, 0, TRUE, FALSE, FALSE, FALSE, FALSE, FALSE},  {1, 4, 10, FALSE, TRUE, FALSE, FALSE, FALSE, FALSE},
        {2, 4, 0, FALSE, FALSE, TRUE, FALSE, FALSE, FALSE},  {2, 5, 0, FALSE, FALSE, FALSE, TRUE, FALSE, TRUE},
        {2, 5, 1, FALSE, FALSE, FALSE, FALSE, TRUE, TRUE},   {2, 10, 0, FALSE, FALSE, FALSE, FALSE, FALSE, TRUE},
    };
    for (const Row& row : rows) {
        OSVERSIONINFOA raw = {};
        raw.dwPlatformId = row.platform;
        raw.dwMajorVersion = row.major;
        raw.dwMinorVersion = row.minor;
        CXTOSVersionInfo info(raw);
        SCOPED_TRACE(::testing::Message() << row.platform << " " << row.major << "." << row.minor);
        EXPECT_EQ(row.win95, info.IsWin95());
        EXPECT_EQ(row.win98, info.IsWin98());
        EXPECT_EQ(row.nt4, info.IsWinNT4());
        EXPECT_EQ(row.win2k, info.IsWin2K());
        EXPECT_EQ(row.xp, info.IsWinXP());
        EXPECT_EQ(row.win2kOrLater, info.IsWin2KOrGreater());
    }
}

}  // namespace
