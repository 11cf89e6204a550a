// The visual-styles theme where the styles draw: its operations equal the platform's own parts
// and states; where Wine's style lacks a class, and with comctl32 below version 6, they equal
// the default theme's.
#include "CXTPNativeTheme.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "base/drawing/DibCanvas.h"

namespace {

const int kSize = 24;

// The pixels an operation leaves on a fresh canvas.
std::vector<COLORREF> Draw(const std::function<void(CDC*)>& draw)
{
    DibCanvas canvas(kSize, kSize);
    draw(&canvas.dc);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < kSize; y++)
        for (int x = 0; x < kSize; x++)
            pixels.push_back(canvas.dc.GetPixel(x, y));
    return pixels;
}

// The platform's drawing of a class's part and state over the rectangle, or nothing (an
// empty list) when the style has no such class.
std::vector<COLORREF> Platform(LPCWSTR pszClass, int nPart, int nState, CRect rc)
{
    CXTPUxTheme theme;
    theme.OpenThemeData(nullptr, pszClass);
    if (!theme.GetThemeHandle())
        return {};
    return Draw([&](CDC* pDC) { theme.DrawThemeBackground(pDC->GetSafeHdc(), nPart, nState, &rc, nullptr); });
}

class NativeThemeThemed : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Wine's version-6 controls, loaded through the manifest, report 5.81.
        m_dwRealVersion = XTPUxThemeLibrary()->GetComCtlVersion();
        XTPUxThemeLibrary()->SetComCtlVersion(MAKELONG(0, 6));
    }
    void TearDown() override { XTPUxThemeLibrary()->SetComCtlVersion(m_dwRealVersion); }

    DWORD m_dwRealVersion = 0;
};

struct Case {
    const char* name;
    LPCWSTR pszClass;
    int nPart, nState;
    CRect rcPlatform;  // where the platform part lands
    std::function<void(CXTPTheme1*, CDC*)> draw;
};

const CRect kRect(2, 2, 22, 22);

std::vector<Case> Cases()
{
    CXTPTheme1 metrics;
    const int h = std::max(22, metrics.GetTextHeight() + 4);
    return {
        {"checked hot button", L"TOOLBAR", 1, 6, kRect,
         [](CXTPTheme1* p, CDC* pDC) { p->DrawRectangle(pDC, kRect, 1, 0, TRUE, TRUE, FALSE, 1, 0); }},
        {"disabled checked menu-bar button", L"TOOLBAR", 1, 3, kRect,
         [](CXTPTheme1* p, CDC* pDC) { p->DrawRectangle(pDC, kRect, 0, 0, FALSE, TRUE, FALSE, 0, 0); }},
        {"pressed button", L"TOOLBAR", 1, 3, kRect,
         [](CXTPTheme1* p, CDC* pDC) { p->DrawRectangle(pDC, kRect, 1, 1, TRUE, FALSE, FALSE, 1, 0); }},
        {"dropped combo button", L"COMBOBOX", 1, 3, CRect(0, 3, 21, 21),
         [](CXTPTheme1* p, CDC* pDC) { p->DrawDropDownButton(pDC, kRect, TRUE, FALSE, TRUE); }},
        {"status grip", L"STATUS", 3, 0, kRect,
         [](CXTPTheme1* p, CDC* pDC) { p->DrawStatusBarGripper(pDC, kRect); }},
        {"compact gripper", L"REBAR", 1, 1, CRect(2, 3, 8, h),
         [](CXTPTheme1* p, CDC* pDC) { p->DrawCompactGripper(pDC, nullptr, TRUE); }},
    };
}

}  // namespace

TEST_F(NativeThemeThemed, EachOperationIsThePlatformPartOrTheDefaultLookWithoutTheClass)
{
    CXTPNativeTheme native;
    CXTPTheme1 classic;
    int nThemed = 0;
    for (const Case& c : Cases()) {
        const std::vector<COLORREF> drawn = Draw([&](CDC* pDC) { c.draw(&native, pDC); });
        const std::vector<COLORREF> platform = Platform(c.pszClass, c.nPart, c.nState, c.rcPlatform);
        if (platform.empty()) {
            EXPECT_TRUE(drawn == Draw([&](CDC* pDC) { c.draw(&classic, pDC); })) << c.name << ": the fallback";
        } else {
            EXPECT_TRUE(drawn == platform) << c.name;
            EXPECT_FALSE(drawn == Draw([&](CDC* pDC) { c.draw(&classic, pDC); })) << c.name << ": not the default look";
            nThemed++;
        }
    }
    EXPECT_GT(nThemed, 0) << "Wine's style has the toolbar class";
}

TEST_F(NativeThemeThemed, BelowComCtlVersionSixEveryOperationIsTheDefaultLook)
{
    XTPUxThemeLibrary()->SetComCtlVersion(MAKELONG(81, 5));
    CXTPNativeTheme native;
    CXTPTheme1 classic;
    for (const Case& c : Cases())
        EXPECT_TRUE(Draw([&](CDC* pDC) { c.draw(&native, pDC); }) == Draw([&](CDC* pDC) { c.draw(&classic, pDC); }))
            << c.name;
}

TEST_F(NativeThemeThemed, TheStyleGivesTheFaceAndTextColoursWhereItHasThem)
{
    CXTPNativeTheme native;
    CXTPTheme1 classic;
    const struct {
        LPCWSTR pszClass;
        int nPart, nProperty, nIndex;
    } cases[] = {{L"REBAR", 0, 3821, COLOR_BTNFACE}, {L"TOOLBAR", 0, 3803, COLOR_BTNTEXT}};
    for (const auto& c : cases) {
        CXTPUxTheme theme;
        theme.OpenThemeData(nullptr, c.pszClass);
        COLORREF clr = 0;
        const BOOL bGiven = SUCCEEDED(theme.GetThemeColor(c.nPart, 0, c.nProperty, &clr));
        const COLORREF want = bGiven ? clr : classic.GetColor(c.nIndex);
        EXPECT_EQ(want, native.GetColor(c.nIndex)) << c.nProperty;
    }
}
