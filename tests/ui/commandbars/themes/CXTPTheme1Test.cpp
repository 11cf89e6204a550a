// The theme factory and the default theme: which class each number makes, 3-D states, the
// checked pattern, disabled icon silhouettes, captions and menu entries.
#include "CXTPTheme1.h"

#include <gtest/gtest.h>

#include "../../base/drawing/DibCanvas.h"
#include "../../base/images/ImageFixtures.h"
#include "CXTPImageManagerIcon.h"
#include "CXTPNativeTheme.h"

namespace {

const COLORREF kPaper = RGB(1, 2, 3);  // canvas colour: never one the theme draws

struct PaperCanvas : DibCanvas {
    PaperCanvas(int cx, int cy) : DibCanvas(cx, cy) { dc.FillSolidRect(0, 0, cx, cy, kPaper); }
};

}  // namespace

TEST(ThemeFactory, EachNumberMakesItsThemeAndKeepsTheNumber)
{
    // Numbers without a theme of their own make the default theme.
    const struct {
        int nTheme;
        int nSaved;  // GetCurrentTheme, the number saved with the layout
        bool bNative;
    } cases[] = {{1, 1, false}, {7, 1, false}, {-1, 1, false}, {1000, 1, false}, {3, 3, true}};
    for (const auto& c : cases) {
        CXTPPaintManager* pManager = CXTPPaintManager::SetTheme(c.nTheme);
        EXPECT_NE(nullptr, dynamic_cast<CXTPTheme1*>(pManager)) << c.nTheme;
        EXPECT_EQ(c.bNative, dynamic_cast<CXTPNativeTheme*>(pManager) != nullptr) << c.nTheme;
        EXPECT_EQ(c.nTheme, pManager->GetThemeId());
        EXPECT_EQ(c.nSaved, pManager->GetCurrentTheme()) << c.nTheme;
        EXPECT_EQ(pManager, XTPPaintManager());
    }
    CXTPPaintManager::SetTheme(1);
}

TEST(Theme1, TheStateFrameOfEveryButtonState)
{
    CXTPTheme1 theme;
    const COLORREF light = theme.GetColor(COLOR_BTNHIGHLIGHT), dark = theme.GetColor(COLOR_BTNSHADOW);
    enum Look { None, Raised, Sunken };
    const struct {
        int selected, pressed;
        BOOL enabled, checked, popped;
        int barType;
        Look look;
    } cases[] = {
        {0, 0, TRUE, FALSE, FALSE, 1, None},   {1, 0, TRUE, FALSE, FALSE, 1, Raised},
        {0, 1, TRUE, FALSE, FALSE, 1, Raised}, {1, 1, TRUE, FALSE, FALSE, 1, Sunken},
        {0, 2, TRUE, FALSE, FALSE, 1, Sunken}, {1, 0, TRUE, FALSE, TRUE, 1, Sunken},
        {1, 0, TRUE, TRUE, FALSE, 1, Sunken},  {0, 0, FALSE, FALSE, FALSE, 1, None},
        {1, 1, FALSE, FALSE, FALSE, 1, None},  {2, 0, FALSE, FALSE, FALSE, 1, Sunken},
        {0, 0, FALSE, TRUE, FALSE, 0, Sunken}, {0, 0, FALSE, TRUE, FALSE, 1, None},
    };
    for (const auto& c : cases) {
        PaperCanvas canvas(30, 30);
        theme.DrawRectangle(&canvas.dc, CRect(2, 2, 24, 24), c.selected, c.pressed, c.enabled, c.checked, c.popped,
                            c.barType, 0);
        const COLORREF topLeft = canvas.dc.GetPixel(2, 2), bottomRight = canvas.dc.GetPixel(23, 23);
        const COLORREF wantTopLeft = c.look == None ? kPaper : c.look == Raised ? light : dark;
        const COLORREF wantBottomRight = c.look == None ? kPaper : c.look == Raised ? dark : light;
        EXPECT_EQ(wantTopLeft, topLeft) << c.selected << c.pressed << c.enabled << c.checked << c.popped << c.barType;
        EXPECT_EQ(wantBottomRight, bottomRight) << c.selected << c.pressed << c.enabled << c.checked << c.popped;
    }
}

TEST(Theme1, ACheckedButtonNeitherHotNorPressedIsACheckerboardInASunkenFrame)
{
    CXTPTheme1 theme;
    const COLORREF face = theme.GetColor(COLOR_BTNFACE), light = theme.GetColor(COLOR_BTNHIGHLIGHT);
    PaperCanvas canvas(30, 30);
    theme.DrawRectangle(&canvas.dc, CRect(0, 0, 24, 24), 0, 0, TRUE, TRUE, FALSE, 1, 0);
    EXPECT_EQ(theme.GetColor(COLOR_BTNSHADOW), canvas.dc.GetPixel(0, 5));
    for (int y = 1; y < 22; y++)
        for (int x = 1; x < 22; x++) {
            const COLORREF pixel = canvas.dc.GetPixel(x, y);
            ASSERT_TRUE(pixel == face || pixel == light) << x << "," << y;
            ASSERT_NE(pixel, canvas.dc.GetPixel(x + 1, y)) << "alternates along a row at " << x << "," << y;
            ASSERT_NE(pixel, canvas.dc.GetPixel(x, y + 1)) << "and down a column at " << x << "," << y;
        }
    // Hot, it is only sunken.
    PaperCanvas hot(30, 30);
    theme.DrawRectangle(&hot.dc, CRect(0, 0, 24, 24), 1, 0, TRUE, TRUE, FALSE, 1, 0);
    EXPECT_EQ(kPaper, hot.dc.GetPixel(5, 5));
}

TEST(Theme1, ADisabledIconIsTwoSilhouettesUnlessDisabledIconsAreOn)
{
    CXTPTheme1 theme;
    CXTPImageManagerIcon icon(1, 16, 16);
    icon.SetIcon(CXTPImageManagerIconHandle(SolidIcon(16, 16, RGB(200, 0, 0))));
    const COLORREF light = theme.GetColor(COLOR_BTNHIGHLIGHT), dark = theme.GetColor(COLOR_BTNSHADOW);

    PaperCanvas canvas(30, 30);
    theme.DrawImage(&canvas.dc, CPoint(4, 4), CSize(16, 16), &icon, 0, 0, FALSE, FALSE, FALSE, TRUE);
    EXPECT_EQ(dark, canvas.dc.GetPixel(4, 4)) << "colour 16 at the point";
    EXPECT_EQ(dark, canvas.dc.GetPixel(19, 19));
    EXPECT_EQ(light, canvas.dc.GetPixel(20, 20)) << "colour 20 one pixel down and right, under it";
    EXPECT_EQ(light, canvas.dc.GetPixel(20, 5));
    EXPECT_EQ(kPaper, canvas.dc.GetPixel(3, 3));

    theme.GetIconOptions()[1] = TRUE;  // disabled icons: the icon's own disabled image
    PaperCanvas own(30, 30);
    theme.DrawImage(&own.dc, CPoint(4, 4), CSize(16, 16), &icon, 0, 0, FALSE, FALSE, FALSE, TRUE);
    EXPECT_EQ(kPaper, own.dc.GetPixel(20, 20));
    EXPECT_NE(dark, own.dc.GetPixel(10, 10));
}

TEST(Theme1, DisabledCaptionsAreEmbossedAndMeasuringDrawsNothing)
{
    CXTPTheme1 theme;
    PaperCanvas canvas(120, 30);
    CFont* pOld = canvas.dc.SelectObject(&theme.m_fontRegular);
    canvas.dc.SetTextColor(RGB(0, 0, 0));
    const CSize sz = theme.DrawCaptionText(&canvas.dc, "Wide", CRect(0, 0, 120, 30), 0, FALSE, FALSE, FALSE);
    EXPECT_GT(sz.cx, 10);
    int nInk = 0, nLight = 0;
    for (int y = 0; y < 30; y++)
        for (int x = 0; x < 120; x++)
            nInk += canvas.dc.GetPixel(x, y) != kPaper;
    EXPECT_EQ(0, nInk) << "measuring only";

    canvas.dc.SetBkMode(TRANSPARENT);
    theme.DrawCaptionText(&canvas.dc, "Wide", CRect(0, 0, 120, 30), 0, TRUE, FALSE, FALSE);
    for (int y = 0; y < 30; y++)
        for (int x = 0; x < 120; x++)
            nLight += canvas.dc.GetPixel(x, y) == theme.GetColor(COLOR_BTNHIGHLIGHT);
    EXPECT_GT(nLight, 0) << "the shadow copy in colour 20";
    EXPECT_EQ(RGB(0, 0, 0), canvas.dc.GetTextColor()) << "the DC's text colour comes back";
    canvas.dc.SelectObject(pOld);
}

TEST(Theme1, EditFramesAndTheComboButton)
{
    CXTPTheme1 theme;
    const COLORREF light = theme.GetColor(COLOR_BTNHIGHLIGHT), dark = theme.GetColor(COLOR_BTNSHADOW);
    const struct {
        BOOL enabled;
        int selected;
        COLORREF topLeft, bottomRight;
    } cases[] = {{TRUE, 0, dark, light}, {FALSE, 2, dark, dark}, {FALSE, 1, light, light}};
    for (const auto& c : cases) {
        PaperCanvas canvas(40, 20);
        theme.DrawEditFrame(&canvas.dc, CRect(0, 0, 40, 20), c.enabled, c.selected);
        EXPECT_EQ(c.topLeft, canvas.dc.GetPixel(0, 0)) << c.enabled << c.selected;
        EXPECT_EQ(c.bottomRight, canvas.dc.GetPixel(39, 19)) << c.enabled << c.selected;
    }
    PaperCanvas canvas(20, 20);
    theme.DrawDropDownButton(&canvas.dc, CRect(2, 0, 18, 20), TRUE, FALSE, FALSE);
    EXPECT_EQ(kPaper, canvas.dc.GetPixel(2, 0)) << "one pixel less at the top";
    EXPECT_EQ(theme.GetColor(COLOR_BTNFACE), canvas.dc.GetPixel(1, 1)) << "one more at the left";
    EXPECT_EQ(RGB(0, 0, 0), canvas.dc.GetPixel(16, 18)) << "black outer edge at the bottom right";
    EXPECT_EQ(light, canvas.dc.GetPixel(2, 2)) << "raised inside";
}
