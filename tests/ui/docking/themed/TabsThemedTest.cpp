// With visual styles: the native colour set draws the style's tabs, turned for every
// position, and the native and toolbar docking themes take their themed paths.
#include <gtest/gtest.h>

#include "CXTPDockingPaneFlatTheme.h"
#include "CXTPDockingPaneNativeTheme.h"
#include "CXTPTabAppearance.h"
#include "CXTPTabColorSet.h"
#include "CXTPUxTheme.h"
#include "TabFixture.h"

namespace {

// Wine's version-6 controls report 5.81: the styles count as ready only with the version
// the check sees put in place of the real one.
class Themed : public ::testing::Test {
protected:
    void SetUp() override
    {
        real = XTPUxThemeLibrary()->GetComCtlVersion();
        XTPUxThemeLibrary()->SetComCtlVersion(MAKELONG(0, 6));
    }
    void TearDown() override { XTPUxThemeLibrary()->SetComCtlVersion(real); }

    DWORD real = 0;
};

}  // namespace

TEST_F(Themed, NativeSetDrawsTheStylesTabTurnedForEachPosition)
{
    TestTabManager tabs;
    tabs.m_pPaintManager->SetColor(xtpTabColorNative);
    CXTPTabColorSet* set = tabs.m_pPaintManager->GetColorSet();
    ASSERT_TRUE(set->IsVisualStyle());
    EXPECT_EQ(static_cast<COLORREF>(-1), static_cast<COLORREF>(set->m_clr3DHighlight));
    EXPECT_EQ(static_cast<COLORREF>(set->m_clrNormalText), static_cast<COLORREF>(set->m_clrHighlightText));
    tabs.SetRow({40});

    // The top tab, then the left one: the left image is the top one transposed.
    // On a coloured ground: where the style leaves its corners out, both keep the ground.
    DibCanvas top(80, 80), left(80, 80), bottom(80, 80);
    for (DibCanvas* canvas : {&top, &left, &bottom})
        canvas->dc.FillSolidRect(0, 0, 80, 80, RGB(200, 0, 0));
    tabs.m_pPaintManager->SetPosition(xtpTabPositionTop);
    set->FillTab(&top.dc, CRect(10, 10, 50, 30), tabs.GetItem(0));
    tabs.m_pPaintManager->SetPosition(xtpTabPositionLeft);
    set->FillTab(&left.dc, CRect(10, 10, 30, 50), tabs.GetItem(0));
    tabs.m_pPaintManager->SetPosition(xtpTabPositionBottom);
    set->FillTab(&bottom.dc, CRect(10, 10, 50, 29), tabs.GetItem(0));  // grown by 2 below: the same size
    int differing = 0, distinct = 0, mirrored = 0;
    const COLORREF corner = top.dc.GetPixel(9, 9);
    for (int y = 9; y < 30; ++y) {
        for (int x = 9; x < 51; ++x) {
            const COLORREF a = top.dc.GetPixel(x, y);
            differing += a != left.dc.GetPixel(y, x);
            mirrored += a != bottom.dc.GetPixel(x, 39 - y);
            distinct += a != corner;
        }
    }
    EXPECT_EQ(0, differing);
    EXPECT_EQ(0, mirrored);
    EXPECT_GT(distinct, 0);  // the style drew something
}

TEST_F(Themed, NativeAndToolbarDockingThemesTakeTheStyledPaths)
{
    CXTPDockingPanePaintManager* native = CXTPDockingPanePaintManager::CreateTheme(6);
    EXPECT_TRUE(static_cast<CXTPDockingPaneNativeTheme*>(native)->m_bWindowThemed);
    // Wine's style has no explorer bar: the caption buttons stay the flat theme's.
    native->InternalRelease();

    CXTPDockingPanePaintManager* toolbar = CXTPDockingPanePaintManager::CreateTheme(9);
    EXPECT_TRUE(static_cast<CXTPDockingPaneToolbarTheme*>(toolbar)->m_bRebarThemed);
    for (CXTPTabPaintManager* tabs : {toolbar->GetTabPaintManager(), toolbar->GetAutoHidePanelPaintManager()}) {
        EXPECT_EQ(xtpTabAppearanceClassic, tabs->GetAppearance());
        EXPECT_EQ(xtpTabColorNative, tabs->GetColor());
        EXPECT_TRUE(tabs->m_bHotTracking);
    }
    toolbar->InternalRelease();
}

TEST_F(Themed, ClassicTabsOverAStyledSetKeepRoomForTheStylesPane)
{
    TestTabManager tabs;
    tabs.m_pPaintManager->SetColor(xtpTabColorNative);
    ASSERT_TRUE(tabs.m_pPaintManager->GetColorSet()->IsVisualStyle());
    struct Case {
        int position, frame;
        CRect margin;
    } cases[] = {
        {xtpTabPositionTop, xtpTabFrameBorder, CRect(0, 0, 2, 2)},
        {xtpTabPositionLeft, xtpTabFrameBorder, CRect(0, 0, 2, 2)},
        {xtpTabPositionBottom, xtpTabFrameBorder, CRect(0, 0, 2, 0)},
        {xtpTabPositionTop, xtpTabFrameSingleLine, CRect(0, 0, 0, 0)},
    };
    for (const Case& c : cases) {
        tabs.m_pPaintManager->SetPosition(c.position);
        tabs.m_pPaintManager->m_nFrameStyle = c.frame;
        EXPECT_EQ(c.margin, tabs.m_pPaintManager->GetAppearanceSet()->GetClientMargin(&tabs)) << c.position;
    }
}
