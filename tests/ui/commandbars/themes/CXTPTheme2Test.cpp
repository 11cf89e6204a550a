// Themes 2 and 4: scheme palettes and shadow colours, hot buttons as gradients only where docked,
// theme 4's tints without a palette, the ball image, backgrounds, and shadows without the system's.
#include "CXTPTheme2.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "CXTPShadowManager.h"
#include "CXTPTheme4.h"
#include "ThemeFixture.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255);

// Within a few steps of a gradient's end colour, per channel.
::testing::AssertionResult Near(COLORREF clrExpected, COLORREF clrActual, int nTolerance = 12)
{
    if (std::abs(GetRValue(clrExpected) - GetRValue(clrActual)) <= nTolerance &&
        std::abs(GetGValue(clrExpected) - GetGValue(clrActual)) <= nTolerance &&
        std::abs(GetBValue(clrExpected) - GetBValue(clrActual)) <= nTolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << std::hex << "0x" << clrActual << " is not near 0x" << clrExpected;
}

template <class T>
struct Theme {
    Theme() : p(new T) {}
    ~Theme() { p->InternalRelease(); }
    T* operator->() const { return p; }
    T* p;
};

TEST(Theme2, SchemesSetPaletteAndShadowColour)
{
    struct Case {
        int nScheme;
        COLORREF clr30, clrBandEnd, clrShadow, clr32;
    } cases[] = {
        {1, 0xF5BE9E, 0xE2A981, 0x361E16, 0x800000},
        {2, 0xA7D9D9, 0x91C6B7, 0x19221F, 0x385D3F},
        {3, 0xE5D7D7, 0xB59799, 0x292024, 0x6F4B4B},
    };
    for (const Case& c : cases) {
        SchemeScope scheme(c.nScheme);
        Theme<CXTPTheme2> theme;
        SCOPED_TRACE(c.nScheme);
        EXPECT_TRUE(theme->IsPaletteInForce());
        EXPECT_EQ(c.clr30, theme->GetColor(30));
        EXPECT_EQ(0u, theme->GetColor(47));
        EXPECT_EQ(c.clr32, theme->GetColor(32));
        EXPECT_EQ(c.clrBandEnd, theme->m_clrBandEnd);
        EXPECT_EQ(c.clrShadow, theme->m_clrShadowFactor);
    }

    // Without a scheme the derived colours stay the colour manager's and the shadow is black.
    SchemeScope none(0);
    Theme<CXTPTheme2> theme;
    EXPECT_FALSE(theme->IsPaletteInForce());
    for (int n : {30, 31, 32, 41, 43, 47})
        EXPECT_EQ(GetColorManager()->GetColor(n), theme->GetColor(n)) << n;
    EXPECT_EQ(0u, theme->m_clrShadowFactor);
    EXPECT_EQ(theme->GetColor(15), theme->m_clrBandEnd);
}

TEST(Theme2, HotButtonsAreGradientsOnlyWhereDocked)
{
    SchemeScope scheme(1);
    Theme<CXTPTheme2> blue;
    Theme<CXTPTheme4> silverless;  // theme 4 applies no palette: flat rectangles everywhere
    struct Case {
        CXTPTheme2* pTheme;
        int nPosition;
        BOOL bGradient;
    } cases[] = {
        {blue.p, xtpBarTop, TRUE},
        {blue.p, xtpBarLeft, TRUE},
        {blue.p, xtpBarFloating, FALSE},
        {silverless.p, xtpBarTop, FALSE},
    };
    for (const Case& c : cases) {
        DibCanvas canvas(40, 40);
        c.pTheme->DrawRectangle(&canvas.dc, CRect(0, 0, 40, 40), xtpSelectedByMouse, 0, TRUE, FALSE, FALSE,
                                xtpBarTypeNormal, c.nPosition);
        SCOPED_TRACE(testing::Message() << "position " << c.nPosition << " gradient " << c.bGradient);
        EXPECT_EQ(c.pTheme->GetColor(32), Pixel(canvas, 0, 0));
        EXPECT_EQ(c.pTheme->GetColor(32), Pixel(canvas, 39, 39));
        // The near and far sides across the bar's thickness.
        const BOOL bAcross = c.nPosition == xtpBarLeft;
        const COLORREF clrNear = bAcross ? Pixel(canvas, 1, 20) : Pixel(canvas, 20, 1);
        const COLORREF clrFar = bAcross ? Pixel(canvas, 38, 20) : Pixel(canvas, 20, 38);
        if (c.bGradient) {
            EXPECT_EQ(0x800000u, c.pTheme->GetColor(32));
            EXPECT_TRUE(Near(0xC8F2FF, clrNear));
            EXPECT_TRUE(Near(0x97D4FF, clrFar));
            // Along the bar the colour does not change.
            EXPECT_EQ(clrNear, bAcross ? Pixel(canvas, 1, 35) : Pixel(canvas, 35, 1));
        } else {
            EXPECT_EQ(c.pTheme->GetColor(31), clrNear);
            EXPECT_EQ(c.pTheme->GetColor(31), clrFar);
        }
    }
}

TEST(Theme4, TintsThreeColoursBySchemeWithoutAPalette)
{
    struct Case {
        int nScheme;
        COLORREF clrBandEnd, clrBarEdge;
    } cases[] = {
        {1, 0xB0C6C7, 0x769292},
        {3, 0xC4ACAD, 0x947C7C},
    };
    for (const Case& c : cases) {
        SchemeScope scheme(c.nScheme);
        Theme<CXTPTheme4> theme;
        SCOPED_TRACE(c.nScheme);
        EXPECT_FALSE(theme->IsPaletteInForce());
        EXPECT_EQ(c.clrBandEnd, theme->m_clrBandEnd);
        EXPECT_EQ(c.clrBarEdge, theme->m_clrBarEdge);
        EXPECT_EQ(GetColorManager()->GetColor(30), theme->GetColor(30));
        EXPECT_EQ(0u, theme->m_clrShadowFactor);
    }
    SchemeScope silver(3);
    Theme<CXTPTheme4> theme;
    EXPECT_EQ(0xFCF5F5u, theme->m_clrBandStart);
}

TEST(Theme2, TheBallIsTintedFromItsGreyLevels)
{
    SchemeScope scheme(1);  // tint 0xE2A981 to 0xFEEFE3
    Theme<CXTPTheme2> theme;
    ASSERT_NE(nullptr, theme->GetBallImage());
    EXPECT_EQ(1, ::ImageList_GetImageCount(theme->GetBallImage()));
    DibCanvas canvas(16, 16);
    ASSERT_TRUE(::ImageList_Draw(theme->GetBallImage(), 0, canvas.dc, 0, 0, ILD_NORMAL));
    struct Case {
        int x, y;
        COLORREF clr;
    } cases[] = {
        {0, 0, kWhite},                 // level 255: transparent
        {15, 15, kWhite},
        {13, 12, RGB(0x81, 0xA9, 0xE2)},  // level 0: the start colour
        {4, 1, RGB(225, 238, 253)},       // level 252, each channel truncated
        {7, 7, RGB(198, 218, 245)},       // level 180
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.clr, Pixel(canvas, c.x, c.y)) << c.x << ", " << c.y;
    int nTransparent = 0;
    for (int y = 0; y < 16; y++)
        for (int x = 0; x < 16; x++)
            nTransparent += CXTPTheme2::GetBallLevel(x, y) == 255;
    EXPECT_EQ(40, nTransparent);
}

TEST(Theme2, BackgroundsFollowTheScheme)
{
    SchemeScope scheme(1);
    Theme<CXTPTheme2> theme;
    BarWindows windows;

    // A docked toolbar: a body gradient from band start to band end across it, the bar edge below,
    // the dock's colour in its corners.
    CXTPCommandBar* pToolBar = windows.Make(CRect(0, 0, 200, 26), xtpBarTop, xtpBarTypeNormal);
    DibCanvas toolbar(200, 26);
    theme->DrawCommandBarBackground(&toolbar.dc, pToolBar);
    EXPECT_TRUE(Near(0xFEECDD, Pixel(toolbar, 100, 0), 2));
    EXPECT_TRUE(Near(0xE2A981, Pixel(toolbar, 100, 24)));
    EXPECT_EQ(0x9C613Bu, Pixel(toolbar, 100, 25));
    EXPECT_TRUE(Near(0xF5BE9E, Pixel(toolbar, 0, 0), 2));  // the dock gradient's start

    // A popup: framed in 43, its face 41 and the icon band a gradient.
    CXTPCommandBar* pPopup = windows.Make(CRect(0, 0, 120, 80), xtpBarPopup, xtpBarTypePopup);
    DibCanvas popup(120, 80);
    theme->DrawCommandBarBackground(&popup.dc, pPopup);
    EXPECT_EQ(0x962D00u, Pixel(popup, 0, 0));
    EXPECT_EQ(0xF6F6F6u, Pixel(popup, 100, 40));
    EXPECT_TRUE(Near(0xFEECDD, Pixel(popup, 1, 40), 2));

    // A floating menu bar: the dock gradient, framed twice in colour 43, rounded inside.
    CXTPCommandBar* pMenuBar = windows.Make(CRect(0, 0, 120, 30), xtpBarFloating, xtpBarTypeMenuBar);
    DibCanvas menubar(120, 30);
    theme->DrawCommandBarBackground(&menubar.dc, pMenuBar);
    for (POINT pt : {POINT{0, 0}, POINT{1, 1}, POINT{2, 2}, POINT{117, 27}})
        EXPECT_EQ(0x962D00u, Pixel(menubar, pt.x, pt.y)) << pt.x << ", " << pt.y;
    EXPECT_NE(0x962D00u, Pixel(menubar, 3, 3));
}

TEST(Theme2, DockBarsOfAnyWidthShareOneGradient)
{
    SchemeScope scheme(1);
    Theme<CXTPTheme2> theme;
    BarWindows windows;
    CXTPCommandBar* pNarrow = windows.Make(CRect(0, 0, 100, 30), xtpBarTop, xtpBarTypeNormal);
    CXTPCommandBar* pWide = windows.Make(CRect(0, 0, 400, 30), xtpBarTop, xtpBarTypeNormal);
    DibCanvas narrow(100, 30), wide(400, 30);
    theme->FillCommandBarEntry(&narrow.dc, pNarrow);
    theme->FillCommandBarEntry(&wide.dc, pWide);
    EXPECT_TRUE(Near(0xF5BE9E, Pixel(wide, 0, 10), 2));
    for (int x : {0, 50, 99})
        EXPECT_EQ(Pixel(wide, x, 10), Pixel(narrow, x, 10)) << x;
    EXPECT_NE(Pixel(wide, 0, 10), Pixel(wide, 399, 10));

    // With the style 0x4000 the bar is one colour: the gradient's end.
    pNarrow->ModifyStyle(0, 0x4000);
    theme->FillCommandBarEntry(&narrow.dc, pNarrow);
    EXPECT_EQ(0xFADAC4u, Pixel(narrow, 0, 10));
    EXPECT_EQ(0xFADAC4u, Pixel(narrow, 99, 29));
}

TEST(Theme2, DockedSeparatorsAreEtchedAndOthersStayFlat)
{
    SchemeScope scheme(1);
    Theme<CXTPTheme2> theme;
    BarWindows windows;
    CXTPCommandBar* pTop = windows.Make(CRect(0, 0, 200, 26), xtpBarTop, xtpBarTypeNormal);
    CXTPCommandBar* pFloating = windows.Make(CRect(0, 0, 200, 60), xtpBarFloating, xtpBarTypeNormal);
    CXTPControl button;
    button.SetRect(CRect(50, 2, 73, 24));
    button.SetRowRect(CRect(0, 2, 200, 24));
    for (CXTPCommandBar* pBar : {pTop, pFloating}) {
        button.SetParent(pBar);
        DibCanvas canvas(200, 60);
        EXPECT_EQ(CSize(0, 3), theme->DrawSeparator(&canvas.dc, pBar, &button, FALSE));
        EXPECT_EQ(CSize(0, 0), theme->DrawSeparator(&canvas.dc, pBar, &button, TRUE));
        if (pBar == pTop) {
            EXPECT_EQ(kWhite, Pixel(canvas, 46, 5));  // four pixels short of the row's ends
            EXPECT_EQ(theme->GetColor(39), Pixel(canvas, 46, 6));
            EXPECT_EQ(theme->GetColor(20), Pixel(canvas, 47, 7));
            EXPECT_EQ(kWhite, Pixel(canvas, 46, 20));
        } else {
            EXPECT_EQ(theme->GetColor(39), Pixel(canvas, 46, 2));  // theme 0's line, the row's full height
            EXPECT_EQ(kWhite, Pixel(canvas, 47, 7));
        }
    }
}

TEST(Theme2, TheExpandEntryOfACollapsedMenuShowsTheBall)
{
    SchemeScope scheme(1);
    Theme<CXTPTheme2> theme;
    BarWindows windows;
    CXTPCommandBar* pMenu = windows.Make(CRect(0, 0, 120, 80), xtpBarPopup, xtpBarTypePopup);
    CXTPControl expand;
    expand.SetParent(pMenu);
    expand.SetRect(CRect(2, 40, 118, 58));
    DibCanvas canvas(120, 80);
    EXPECT_EQ(CSize(0, 18), theme->DrawSpecialControl(&canvas.dc, xtpButtonExpandMenu, &expand, pMenu, FALSE, nullptr));
    EXPECT_EQ(CSize(0, 18), theme->DrawSpecialControl(&canvas.dc, xtpButtonExpandMenu, &expand, pMenu, TRUE, nullptr));
    const int x = 2 + 116 / 2 - 7, y = 41;
    EXPECT_EQ(RGB(0x81, 0xA9, 0xE2), Pixel(canvas, x + 13, y + 12));  // the ball's darkest pixel
    EXPECT_EQ(kWhite, Pixel(canvas, x, y));                           // a transparent corner
}

TEST(Theme2, TheFactoryMakesEachThemeAndSavesTheGradientOnesAsTwo)
{
    struct Case {
        int nTheme, nSaved;
        bool (*isClass)(CXTPPaintManager*);
    } cases[] = {
        {0, 0, [](CXTPPaintManager* p) { return dynamic_cast<CXTPTheme0*>(p) && !dynamic_cast<CXTPTheme2*>(p); }},
        {2, 2, [](CXTPPaintManager* p) { return dynamic_cast<CXTPTheme2*>(p) && !dynamic_cast<CXTPTheme4*>(p); }},
        {4, 2, [](CXTPPaintManager* p) { return dynamic_cast<CXTPTheme4*>(p) != nullptr; }},
    };
    for (const Case& c : cases) {
        CXTPPaintManager* pTheme = CXTPPaintManager::CreateTheme(c.nTheme);
        EXPECT_TRUE(c.isClass(pTheme)) << c.nTheme;
        EXPECT_EQ(c.nTheme, pTheme->GetThemeId());
        EXPECT_EQ(c.nSaved, pTheme->GetCurrentTheme());
        pTheme->InternalRelease();
    }
}

TEST(Theme2, GradientThemesCastShadowsWithoutTheSystemSetting)
{
    BOOL bSystem = TRUE;
    ::SystemParametersInfoA(SPI_GETDROPSHADOW, 0, &bSystem, 0);
    ASSERT_FALSE(bSystem);  // off under Wine, as the themes need to show
    BarWindows windows;
    for (CXTPPaintManager* pTheme : {CXTPTheme0::Create(), CXTPTheme2::Create(), CXTPTheme4::Create()}) {
        CXTPCommandBar* pPopup = windows.Make(CRect(100, 100, 200, 180), xtpBarPopup, xtpBarTypePopup);
        pPopup->SetPaintManager(pTheme);
        CXTPShadowManager manager(TRUE);
        manager.SetShadow(pPopup, CRect(0, 0, 0, 0));
        EXPECT_EQ(2u, manager.GetShadows().size());
        manager.RemoveShadow(pPopup);
    }
}

}  // namespace
