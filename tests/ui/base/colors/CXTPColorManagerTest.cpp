// The colour table from injected system colours, blends, contrast rules and scheme gradients.
#include "CXTPColorManager.h"

#include <gtest/gtest.h>

#include <cwchar>

#include "CXTColorRef.h"

namespace {

// The classic grey desktop scheme, indexes 1..27.
const COLORREF kClassic[28] = {0,        0x808000, 0x800000, 0x808080, 0xC0C0C0, 0xFFFFFF, 0,
                               0,        0,        0xFFFFFF, 0xC0C0C0, 0xC0C0C0, 0x808080, 0x800000,
                               0xFFFFFF, 0xC0C0C0, 0x808080, 0x808080, 0,        0xC0C0C0, 0xFFFFFF,
                               0,        0xDFDFDF, 0,        0xE1FFFF, 0,        0xFF0000, 0xF0CAA6};
COLORREF g_face = 0xC0C0C0;
int g_bits = 32;
const wchar_t* g_themeFile = L"";
const wchar_t* g_themeColor = L"";
COLORREF g_treeBorder = (COLORREF)-1;

COLORREF Classic(int index)
{
    return index == COLOR_BTNFACE ? g_face : kClassic[index];
}
int Bits()
{
    return g_bits;
}
HRESULT ThemeName(LPWSTR file, int fileChars, LPWSTR color, int colorChars)
{
    if (!*g_themeFile)
        return E_FAIL;
    wcsncpy(file, g_themeFile, fileChars);
    wcsncpy(color, g_themeColor, colorChars);
    return S_OK;
}
BOOL TreeBorder(COLORREF* pColor)
{
    *pColor = g_treeBorder;
    return g_treeBorder != (COLORREF)-1;
}

class ColorManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_face = 0xC0C0C0;
        g_bits = 32;
        g_themeFile = g_themeColor = L"";
        g_treeBorder = (COLORREF)-1;
        CXTPColorManager::Environment environment;
        environment.pfnScreenBitsPerPixel = Bits;
        environment.pfnGetCurrentThemeName = ThemeName;
        environment.pfnGetTreeBorderColor = TreeBorder;
        previous = CXTPColorManager::SetEnvironment(environment);
        manager.SetSystemColorProvider(Classic);
        manager.RefreshColors();
    }
    void TearDown() override { CXTPColorManager::SetEnvironment(previous); }

    CXTPColorManager::Environment previous;
    CXTPColorManager manager;
};

TEST_F(ColorManagerTest, ClassicSchemeGivesTheWorkedTable)
{
    // Worked by hand from the rules (blends, contrast pushes and pulls in the weighted space).
    const COLORREF expected[58] = {
        0x000000, 0x808000, 0x800000, 0x808080, 0xC0C0C0, 0xFFFFFF, 0x000000, 0x000000, 0x000000, 0xFFFFFF,
        0xC0C0C0, 0xC0C0C0, 0x808080, 0x800000, 0xFFFFFF, 0xC0C0C0, 0x808080, 0x808080, 0x000000, 0xC0C0C0,
        0xFFFFFF, 0x000000, 0xCFCFCF, 0x000000, 0xE1FFFF, 0x000000, 0xFF0000, 0xF0CAA6, 0x000000, 0x000000,
        0xCACACA, 0xD1ADAD, 0x800000, 0xC08080, 0x9C8181, 0xA6A6A6, 0xD7CBCB, 0x800000, 0x999999, 0xA6A6A6,
        0x8D8D8D, 0xF6F6F6, 0xBABABA, 0x666666, 0x000000, 0x000000, 0x000000, 0xFFFFFF, 0xE3E3E3, 0x555555,
        0x800000, 0xC0C0C0, 0x808080, 0xCACACA, 0x808080, 0xC0C0C0, 0xC0C0C0, 0x808080};
    for (int i = 0; i < 58; ++i)
        EXPECT_EQ(expected[i], manager.GetColor(i)) << "index " << i;
    // No scheme: the plain gradients.
    EXPECT_EQ(0x808080u, (COLORREF)manager.GetGradient(0).clrLight);
    EXPECT_EQ(0xC0C0C0u, (COLORREF)manager.GetGradient(2).clrLight);
    EXPECT_EQ(0x808080u, (COLORREF)manager.GetGradient(2).clrDark);
}

TEST_F(ColorManagerTest, BlackFaceGivesFixedHighlightAndShadow)
{
    g_face = 0;
    manager.RefreshColors();
    EXPECT_EQ(0x232323u, manager.GetColor(48));
    EXPECT_EQ(0x7F7F7Fu, manager.GetColor(49));
}

TEST_F(ColorManagerTest, OverridesAndLiteralColours)
{
    EXPECT_EQ(0x00FF8040u, manager.GetColor(0x00FF8040));
    manager.SetColor(57, 0x123456);
    EXPECT_EQ(0x123456u, manager.GetColor(57));
    manager.SetColor(57, (COLORREF)-1);
    EXPECT_EQ(0x808080u, manager.GetColor(57));
    // An override of a source colour feeds the derived ones on the next refresh.
    manager.SetColor(COLOR_BTNFACE, 0xFFFFFF);
    manager.RefreshColors();
    EXPECT_EQ(0xFFFFFFu, manager.GetColor(48));
    manager.RefreshColors(TRUE);  // already built: nothing happens
    manager.SetColor(COLOR_BTNFACE, (COLORREF)-1);
    EXPECT_EQ(0xFFFFFFu, manager.GetColor(48));
}

TEST_F(ColorManagerTest, LowColourRunsOnlyTheGradientStep)
{
    g_bits = 8;
    g_themeFile = L"C:\\Windows\\Resources\\Themes\\Luna\\LUNA.msstyles";
    g_themeColor = L"NormalColor";
    g_treeBorder = 0x0000FF;
    manager.RefreshColors();
    const int defaults[28] = {15, 5, 13, 13, 16, 17, 5, 13, 16, 16, 16, 5, 16, 16,
                              8,  7, 18, 14, 15, 18, 13, 15, 16, 15, 16, 15, 15, 16};
    for (int i = 30; i < 58; ++i) {
        if (i != 54) {
            EXPECT_EQ(Classic(defaults[i - 30]), manager.GetColor(i)) << "index " << i;
        }
    }
    EXPECT_EQ(0x962D00u, manager.GetColor(54));
    EXPECT_EQ(0xD68759u, (COLORREF)manager.GetGradient(0).clrLight);
    EXPECT_EQ(0xDFDFDFu, manager.GetColor(22));
}

TEST_F(ColorManagerTest, LunaSchemesSelectTheirRows)
{
    struct Row {
        const wchar_t* file;
        const wchar_t* color;
        int scheme;
        COLORREF clr54, light1, dark3;
    };
    const Row rows[] = {
        {L"c:\\themes\\luna\\luna.msstyles", L"NormalColor", 1, 0x962D00, 0xF5BE9E, 0xE2A981},
        {L"c:\\themes\\luna\\luna.msstyles", L"HomeStead", 2, 0x588060, 0xA7D9D9, 0x91C6B7},
        {L"c:\\themes\\luna\\luna.msstyles", L"metallic", 3, 0x947C7C, 0xE5D7D7, 0xB59799},
        {L"c:\\themes\\luna\\luna.msstyles", L"Royale", 0, 0x808080, 0xC0C0C0, 0xC0C0C0},
        {L"c:\\themes\\light\\light.msstyles", L"NormalColor", 0, 0x808080, 0xC0C0C0, 0xC0C0C0},
        {L"", L"", 0, 0x808080, 0xC0C0C0, 0xC0C0C0},  // the query fails
    };
    for (const Row& row : rows) {
        g_themeFile = row.file;
        g_themeColor = row.color;
        manager.RefreshColors();
        EXPECT_EQ(row.scheme, manager.GetCurrentSystemTheme()) << row.color;
        EXPECT_EQ(row.clr54, manager.GetColor(54)) << row.color;
        EXPECT_EQ(row.light1, (COLORREF)manager.GetGradient(1).clrLight) << row.color;
        EXPECT_EQ(row.dark3, (COLORREF)manager.GetGradient(3).clrDark) << row.color;
    }
}

TEST_F(ColorManagerTest, VisualStyleTreeBorderFillsTheLastIndex)
{
    g_treeBorder = 0x7F9DB9;
    manager.RefreshColors();
    EXPECT_EQ(0x7F9DB9u, manager.GetColor(57));
}

TEST(ColorManagerBlend, WeightsOutOf100And1000)
{
    struct Row {
        COLORREF a, b;
        int weight;
        COLORREF expected;
    } rows[] = {
        {0xFFFFFF, 0x000000, 50, 0x808080},
        {0x123456, 0xABCDEF, 100, 0x123456},  // the first colour alone
        {0x123456, 0xABCDEF, 0, 0xABCDEF},
        {0xFFFFFF, 0x000000, 165, 0x2A2A2A},  // out of 1000
        {0xFFFFFF, 0x000000, 1000, 0xFFFFFF},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.expected, CXTPColorManager::BlendColors(row.a, row.b, row.weight)) << row.weight;
}

TEST(ColorManagerContrast, PushNeverFeedsANegativeRoot)
{
    // Grey against blue at 30: the blue axis passes grey at about 220, far beyond the
    // threshold; the nearest point on it, half blue, is taken.
    EXPECT_EQ(0x800000u, CXTPColorManager::PushToDistance(0x808080, 0xFF0000, 30));
    EXPECT_TRUE(CXTPColorManager::ColorsDiffer(0xFFFFFF, 0x000000, 100));
    EXPECT_FALSE(CXTPColorManager::ColorsDiffer(0xC0C0C0, 0xC8C8C8, 35));
    // A pull lands at the scaled distance from A: about 35 from grey 0xC0C0C0.
    COLORREF pulled = CXTPColorManager::PullToDistance(0xC0C0C0, 0x000000, 35);
    EXPECT_FALSE(CXTPColorManager::ColorsDiffer(0xC0C0C0, pulled, 38));
    EXPECT_TRUE(CXTPColorManager::ColorsDiffer(0xC0C0C0, pulled, 32));
}

TEST(ColorRef, BlendSubtractAndNamedGreys)
{
    CXTColorRef color(RGB(200, 100, 0));
    EXPECT_EQ(RGB(150, 100, 50), (COLORREF)color.BlendColor(RGB(100, 100, 100), 50));
    EXPECT_EQ(RGB(50, 0, 0), (COLORREF)CXTColorRef(RGB(150, 100, 50)).Subtract(RGB(100, 120, 60)));
    EXPECT_EQ(0x404040u, (COLORREF)CXTColorRef::GRAY_25);
    EXPECT_EQ(0xC0C0C0u, (COLORREF)CXTColorRef::GRAY_75);
}

}  // namespace
