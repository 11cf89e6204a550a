// The Luna looks of the button and the flat controls take each visual-style scheme's colours.
#include "CXTButtonTheme.h"
#include "CXTFlatControlsTheme.h"

#include <gtest/gtest.h>

#include <cwchar>

#include "CXTPColorManager.h"

namespace {

const wchar_t* g_colorName = L"";

HRESULT FakeThemeName(LPWSTR fileName, int fileChars, LPWSTR colorName, int colorChars)
{
    wcsncpy(fileName, L"C:\\windows\\resources\\themes\\luna\\luna.msstyles", fileChars);
    wcsncpy(colorName, g_colorName, colorChars);
    return S_OK;
}

TEST(LunaThemes, EachSchemeGivesItsBorderShadowAndFace)
{
    CXTPColorManager::Environment environment;
    environment.pfnGetCurrentThemeName = FakeThemeName;
    const CXTPColorManager::Environment previous = CXTPColorManager::SetEnvironment(environment);
    struct Case {
        const wchar_t* scheme;
        COLORREF border, shadow, face;
    } cases[] = {
        {L"NormalColor", 0x800000, 0xB99D7F, 0xF0C7A9},
        {L"HomeStead", 0x385D3F, 0x7FB9A4, 0x9FD4C5},
        {L"Metallic", 0x6F4B4B, 0xB2ACA5, 0xD3C0C0},  // silver's light is the dark silver, not 0x0B4B4B
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.scheme)));
        g_colorName = c.scheme;
        CXTFlatControlsThemeLuna flat;
        EXPECT_EQ((COLORREF)flat.m_clrHotBorder, c.border);
        EXPECT_EQ((COLORREF)flat.m_clrBorder, c.shadow);
        EXPECT_EQ((COLORREF)flat.m_clrFace, c.face);
        EXPECT_EQ((COLORREF)flat.m_clrHotFill, 0xC2EEFFu);
        CXTButtonThemeLuna button;
        EXPECT_EQ((COLORREF)button.m_clrLight, c.border);
        EXPECT_EQ((COLORREF)button.m_clrShadow, c.shadow);
        EXPECT_EQ((COLORREF)button.m_clrFace, GetManagedColor(COLOR_BTNFACE));  // no background switch
        EXPECT_EQ((COLORREF)button.m_clrPushedFill, 0x3E80FEu);
    }
    // Without a Luna scheme the resting border is the system's shadow.
    g_colorName = L"Other";
    CXTFlatControlsThemeLuna flat;
    EXPECT_EQ((COLORREF)flat.m_clrBorder, GetManagedColor(COLOR_BTNSHADOW));
    CXTPColorManager::SetEnvironment(previous);
    GetColorManager()->RefreshColors();  // the table as the other tests know it
}

}  // namespace
