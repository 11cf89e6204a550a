// Theme 0: the framed states, text colours, bar backgrounds, the popup's open joint, menu entries,
// grippers, separators and popup exclusion, probed pixel by pixel on memory DCs.
#include "CXTPTheme0.h"

#include <gtest/gtest.h>

#include "CXTPImageManager.h"
#include "ThemeFixture.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255);

// A theme with one colour per index.
struct DistinctTheme0 {
    DistinctTheme0() { UseDistinctColours(pTheme); }
    ~DistinctTheme0() { pTheme->InternalRelease(); }
    CXTPTheme0* operator->() const { return pTheme; }
    CXTPTheme0* pTheme = new CXTPTheme0;
};

// A 16 x 16 opaque red icon.
HICON RedIcon()
{
    HDC hdcScreen = ::GetDC(nullptr);
    HBITMAP hColour = ::CreateCompatibleBitmap(hdcScreen, 16, 16);
    ::ReleaseDC(nullptr, hdcScreen);
    HDC hdc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hdc, hColour);
    RECT rc = {0, 0, 16, 16};
    HBRUSH hRed = ::CreateSolidBrush(RGB(255, 0, 0));
    ::FillRect(hdc, &rc, hRed);
    ::DeleteObject(hRed);
    ::SelectObject(hdc, hOld);
    ::DeleteDC(hdc);
    const BYTE mask[32] = {};
    HBITMAP hMask = ::CreateBitmap(16, 16, 1, 1, mask);
    ICONINFO info = {TRUE, 0, 0, hMask, hColour};
    HICON hIcon = ::CreateIconIndirect(&info);
    ::DeleteObject(hMask);
    ::DeleteObject(hColour);
    return hIcon;
}

TEST(Theme0, StatesAreFramedAndFilledInTheirColours)
{
    DistinctTheme0 theme;
    const int kNone = -1;
    struct Case {
        int nSelected, nPressed;
        BOOL bEnabled, bChecked, bPopuped;
        int nBarType;
        int nFrame, nFill;
    } cases[] = {
        {0, 0, TRUE, FALSE, TRUE, 1, 43, 30},   // its popup open
        {0, 0, TRUE, TRUE, FALSE, 1, 50, 36},   // checked
        {1, 0, TRUE, TRUE, FALSE, 1, 37, 33},   // checked and hot
        {0, 2, TRUE, FALSE, FALSE, 1, 50, 33},  // held down by the keyboard
        {1, 1, TRUE, FALSE, FALSE, 1, 50, 33},  // pressed
        {1, 0, TRUE, FALSE, FALSE, 1, 32, 31},  // hot
        {0, 1, TRUE, FALSE, FALSE, 1, 32, 31},  // pressed, the mouse gone
        {0, 0, TRUE, FALSE, FALSE, 1, kNone, kNone},
        {0, 0, FALSE, TRUE, FALSE, 0, 40, 30},  // disabled and checked in a menu
        {0, 0, FALSE, TRUE, FALSE, 1, kNone, kNone},
        {2, 0, FALSE, FALSE, FALSE, 0, 32, 41},  // disabled, chosen by the keyboard, in a menu
        {2, 0, FALSE, FALSE, FALSE, 1, 32, 31},  // the same on a toolbar
        {1, 0, FALSE, FALSE, FALSE, 1, kNone, kNone},
    };
    for (const Case& c : cases) {
        DibCanvas canvas(20, 20);
        theme->DrawRectangle(&canvas.dc, CRect(2, 2, 18, 18), c.nSelected, c.nPressed, c.bEnabled, c.bChecked,
                             c.bPopuped, c.nBarType, xtpBarTop);
        SCOPED_TRACE(testing::Message() << "selected " << c.nSelected << " pressed " << c.nPressed << " enabled "
                                        << c.bEnabled << " checked " << c.bChecked << " bar type " << c.nBarType);
        EXPECT_EQ(c.nFrame == kNone ? kWhite : Distinct(c.nFrame), Pixel(canvas, 2, 2));
        EXPECT_EQ(c.nFrame == kNone ? kWhite : Distinct(c.nFrame), Pixel(canvas, 17, 17));
        EXPECT_EQ(c.nFill == kNone ? kWhite : Distinct(c.nFill), Pixel(canvas, 10, 10));
        EXPECT_EQ(kWhite, Pixel(canvas, 1, 1));
    }
}

TEST(Theme0, EntriesTakeTheTextColourOfTheirState)
{
    DistinctTheme0 theme;
    struct Case {
        BOOL bEnabled;
        int nSelected, nPressed;
        BOOL bChecked, bPopuped;
        int nPosition, nText, nFill;
    } cases[] = {
        {FALSE, 2, 0, FALSE, FALSE, xtpBarPopup, 40, 31},  // keyboard-chosen disabled entry: filled 31 here
        {TRUE, 0, 0, FALSE, TRUE, xtpBarTop, 46, 30},
        {TRUE, 0, 0, TRUE, FALSE, xtpBarTop, 45, 36},
        {TRUE, 0, 2, FALSE, FALSE, xtpBarTop, 47, 33},
        {TRUE, 1, 1, FALSE, FALSE, xtpBarTop, 47, 33},
        {TRUE, 1, 0, TRUE, FALSE, xtpBarTop, 47, 33},
        {TRUE, 1, 0, FALSE, FALSE, xtpBarTop, 45, 31},
        {TRUE, 0, 1, FALSE, FALSE, xtpBarTop, 45, 31},
        {TRUE, 0, 0, FALSE, FALSE, xtpBarPopup, 44, -1},
        {TRUE, 0, 0, FALSE, FALSE, xtpBarTop, 46, -1},
    };
    for (const Case& c : cases) {
        DibCanvas canvas(20, 20);
        theme->FillControlEntry(&canvas.dc, CRect(2, 2, 18, 18), c.bEnabled, c.nSelected, c.nPressed, c.bChecked,
                                c.bPopuped, c.nPosition);
        SCOPED_TRACE(testing::Message() << "enabled " << c.bEnabled << " selected " << c.nSelected << " pressed "
                                        << c.nPressed << " checked " << c.bChecked << " position " << c.nPosition);
        EXPECT_EQ(Distinct(c.nText), ::GetTextColor(canvas.dc));
        EXPECT_EQ(TRANSPARENT, ::GetBkMode(canvas.dc));
        EXPECT_EQ(c.nFill < 0 ? kWhite : Distinct(c.nFill), Pixel(canvas, 10, 10));
    }
}

TEST(Theme0, BarBackgroundsShowTheirCorners)
{
    DistinctTheme0 theme;
    BarWindows windows;
    const CRect rcBar(200, 200, 300, 240);  // client 100 x 40
    struct Case {
        XTPBarPosition position;
        int nType;
        POINT ptCorner;
        int nCorner;
        POINT ptInside;
        int nInside;
    } cases[] = {
        {xtpBarTop, xtpBarTypeNormal, {1, 1}, 15, {2, 2}, 30},      // docked: rounded in the face colour
        {xtpBarLeft, xtpBarTypeNormal, {98, 38}, 15, {97, 37}, 30},
        {xtpBarFloating, xtpBarTypeNormal, {2, 2}, 43, {3, 3}, 30},  // floating: corners in the frame colour
        {xtpBarFloating, xtpBarTypeNormal, {97, 37}, 43, {96, 36}, 30},
        {xtpBarFloating, xtpBarTypeMenuBar, {97, 2}, 43, {50, 20}, 15},
        {xtpBarTop, xtpBarTypeMenuBar, {0, 0}, 15, {50, 20}, 15},
    };
    for (const Case& c : cases) {
        CXTPCommandBar* pBar = windows.Make(rcBar, c.position, c.nType);
        DibCanvas canvas(100, 40);
        theme->DrawCommandBarBackground(&canvas.dc, pBar);
        SCOPED_TRACE(testing::Message() << "position " << c.position << " type " << c.nType);
        EXPECT_EQ(Distinct(c.nCorner), Pixel(canvas, c.ptCorner.x, c.ptCorner.y));
        EXPECT_EQ(Distinct(c.nInside), Pixel(canvas, c.ptInside.x, c.ptInside.y));
    }
}

TEST(Theme0, APopupIsOpenWhereItTouchesItsButton)
{
    DistinctTheme0 theme;
    BarWindows windows;
    CXTPCommandBar* pToolBar = windows.Make(CRect(100, 100, 400, 126), xtpBarTop, xtpBarTypeNormal);
    CXTPControlPopup* pButton = CXTPControlPopup::CreateControlPopup(xtpControlButtonPopup);
    pButton->SetParent(pToolBar);
    pButton->SetRect(CRect(40, 2, 80, 24));  // screen x 140..180, bottom 124

    // The popup overlaps the button's last row, as the button's exclusion rectangle asks.
    CRect rcExclude = pButton->GetRect();
    theme->AdjustExcludeRect(rcExclude, pButton, FALSE);
    EXPECT_EQ(CRect(40, 3, 80, 23), rcExclude);
    auto* pPopup = windows.Make<ProbePopup>(CRect(140, 100 + rcExclude.bottom, 260, 223), xtpBarPopup, 0);
    pPopup->SetControlPopup(pButton);

    DibCanvas canvas(120, 100);
    theme->DrawCommandBarBackground(&canvas.dc, pPopup);
    EXPECT_EQ(Distinct(43), Pixel(canvas, 0, 0));          // the border's corner stays
    EXPECT_EQ(Distinct(30), Pixel(canvas, 1, 0));          // open along the button ...
    EXPECT_EQ(Distinct(30), Pixel(canvas, 38, 0));
    EXPECT_EQ(Distinct(43), Pixel(canvas, 39, 0));         // ... and closed beyond it
    EXPECT_EQ(Distinct(43), Pixel(canvas, 119, 50));
    EXPECT_EQ(Distinct(30), Pixel(canvas, 5, 50));         // the icon band
    EXPECT_EQ(Distinct(41), Pixel(canvas, 60, 50));        // the menu's face
    EXPECT_EQ(Distinct(41), Pixel(canvas, 5, 1));          // the band leaves the first rows to the face

    // Without its button the popup is framed all round.
    pPopup->SetControlPopup(nullptr);
    theme->DrawCommandBarBackground(&canvas.dc, pPopup);
    EXPECT_EQ(Distinct(43), Pixel(canvas, 20, 0));
    pButton->InternalRelease();
}

TEST(Theme0, DisabledMenuEntriesShowOneSilhouetteAndTheirKeyboardFrame)
{
    DistinctTheme0 theme;
    BarWindows windows;
    CXTPCommandBar* pPopup = windows.Make(CRect(100, 100, 300, 200), xtpBarPopup, xtpBarTypePopup);
    HICON hIcon = RedIcon();
    const UINT nID = 47311;
    auto* pImages = new CXTPImageManager;
    pPopup->SetImageManager(pImages);  // the bar keeps it
    ASSERT_TRUE(pImages->SetIcon(CXTPImageManagerIconHandle(hIcon), nID));
    ::DestroyIcon(hIcon);
    CXTPControl entry;
    entry.SetType(xtpControlButton);
    entry.SetID(nID);
    entry.SetCaption("&Open");
    entry.SetParent(pPopup);
    entry.SetEnabled(FALSE);
    entry.SetRect(CRect(2, 10, 198, 10 + 22));
    DibCanvas measure(1, 1);
    const CSize szEntry = theme->DrawControlPopupParent(&measure.dc, &entry, FALSE);
    EXPECT_EQ(std::max(16 + 6, theme->GetTextHeight()), szEntry.cy);

    for (int nSelected : {0, 2}) {
        entry.OnSetSelected(nSelected);
        DibCanvas canvas(200, 40);
        theme->DrawControlPopupParent(&canvas.dc, &entry, TRUE);
        SCOPED_TRACE(nSelected);
        const int w = std::max(16 + 4, theme->GetTextHeight() + 4);
        const int x = 2 + (w - 16) / 2, y = 10 + (22 - 16) / 2;
        // One silhouette in colour 40, no second one offset beside it.
        EXPECT_EQ(Distinct(40), Pixel(canvas, x, y));
        EXPECT_EQ(Distinct(40), Pixel(canvas, x + 15, y + 15));
        EXPECT_NE(Distinct(40), Pixel(canvas, x + 16, y + 16));
        EXPECT_EQ(nSelected ? Distinct(32) : kWhite, Pixel(canvas, 2, 10));
        EXPECT_EQ(nSelected ? Distinct(41) : kWhite, Pixel(canvas, 190, 12));
    }
}

TEST(Theme0, GrippersAndSeparatorsLieWhereTheBarAsks)
{
    DistinctTheme0 theme;
    BarWindows windows;
    DibCanvas canvas(100, 100);

    CXTPCommandBar* pTop = windows.Make(CRect(0, 0, 100, 26), xtpBarTop, xtpBarTypeNormal);
    EXPECT_EQ(CSize(6, 0), theme->DrawCommandBarGripper(&canvas.dc, pTop, TRUE));
    EXPECT_EQ(Distinct(38), Pixel(canvas, 3, 5));
    EXPECT_EQ(Distinct(38), Pixel(canvas, 5, 19));
    EXPECT_EQ(kWhite, Pixel(canvas, 3, 6));
    EXPECT_EQ(kWhite, Pixel(canvas, 3, 21));  // the strokes stop 5 pixels short of the bottom

    DibCanvas side(100, 100);
    CXTPCommandBar* pLeft = windows.Make(CRect(0, 0, 26, 100), xtpBarLeft, xtpBarTypeNormal);
    EXPECT_EQ(CSize(0, 8), theme->DrawCommandBarGripper(&side.dc, pLeft, TRUE));
    EXPECT_EQ(Distinct(38), Pixel(side, 5, 3));
    EXPECT_EQ(Distinct(38), Pixel(side, 19, 5));
    EXPECT_EQ(kWhite, Pixel(side, 6, 3));

    DibCanvas floating(100, 100);
    CXTPCommandBar* pFloating = windows.Make(CRect(0, 0, 100, 60), xtpBarFloating, xtpBarTypeNormal);
    const CSize szCaption = theme->DrawCommandBarGripper(&floating.dc, pFloating, TRUE);
    EXPECT_GE(szCaption.cy, 18);
    EXPECT_EQ(94, szCaption.cx);
    EXPECT_EQ(Distinct(16), Pixel(floating, 3, 3));
    EXPECT_EQ(Distinct(16), Pixel(floating, 96, 3 + szCaption.cy - 1));

    // A separator in a popup starts past the icon band.
    DibCanvas menu(100, 100);
    CXTPCommandBar* pPopup = windows.Make(CRect(0, 0, 100, 100), xtpBarPopup, xtpBarTypePopup);
    CXTPControl entry;
    entry.SetParent(pPopup);
    entry.SetRect(CRect(2, 40, 98, 60));
    EXPECT_EQ(CSize(0, 3), theme->DrawSeparator(&menu.dc, pPopup, &entry, FALSE));
    EXPECT_EQ(CSize(0, 0), theme->DrawSeparator(&menu.dc, pPopup, &entry, TRUE));
    const int x = theme->GetPopupBarIconColumnWidth(pPopup) + 9;
    EXPECT_EQ(kWhite, Pixel(menu, x - 1, 38));
    EXPECT_EQ(Distinct(39), Pixel(menu, x, 38));
    EXPECT_EQ(Distinct(39), Pixel(menu, 98, 38));
}

TEST(Theme0, ExclusionRectanglesMeetThePopup)
{
    DistinctTheme0 theme;
    BarWindows windows;
    CXTPCommandBar* pToolBar = windows.Make(CRect(0, 0, 100, 26), xtpBarTop, xtpBarTypeNormal);
    CXTPCommandBar* pMenu = windows.Make(CRect(0, 0, 100, 100), xtpBarPopup, xtpBarTypePopup);
    struct Case {
        CXTPCommandBar* pParent;
        XTPControlType type;
        BOOL bVertical;
        CRect rcExpected;
    } cases[] = {
        {pMenu, xtpControlPopup, FALSE, CRect(9, 20, 41, 40)},
        {pToolBar, xtpControlComboBox, FALSE, CRect(10, 20, 40, 40)},
        {pToolBar, xtpControlButtonPopup, FALSE, CRect(10, 21, 40, 39)},
        {pToolBar, xtpControlButtonPopup, TRUE, CRect(11, 20, 39, 40)},
    };
    for (const Case& c : cases) {
        CXTPControl control;
        control.SetType(c.type);
        control.SetParent(c.pParent);
        CRect rc(10, 20, 40, 40);
        theme->AdjustExcludeRect(rc, &control, c.bVertical);
        EXPECT_EQ(c.rcExpected, rc) << "type " << c.type << " vertical " << c.bVertical;
    }
}

TEST(Theme0, FieldsAndTheirDropDownButtonsAreFramedByState)
{
    DistinctTheme0 theme;
    BarWindows windows;
    CXTPCommandBar* pToolBar = windows.Make(CRect(0, 0, 200, 26), xtpBarTop, xtpBarTypeNormal);
    struct Case {
        XTPControlType type;
        BOOL bEnabled;
        int nSelected;
        int nFieldFrame, nFieldInside, nButtonInside;  // -1: the canvas shows through
    } cases[] = {
        {xtpControlComboBox, TRUE, 0, 5, 5, 5},
        {xtpControlComboBox, TRUE, 1, 32, 5, 31},
        {xtpControlEdit, TRUE, 1, 32, 5, 5},
        {xtpControlEdit, TRUE, 0, -1, 5, 5},  // unframed on a toolbar
        {xtpControlEdit, FALSE, 0, 40, 15, 15},
        {xtpControlComboBox, FALSE, 2, 32, 15, 15},
    };
    for (const Case& c : cases) {
        CXTPControl field;
        field.SetType(c.type);
        field.SetParent(pToolBar);
        field.SetEnabled(c.bEnabled);
        field.OnSetSelected(c.nSelected);
        field.SetRect(CRect(10, 2, 110, 22));
        DibCanvas canvas(200, 26);
        const CSize szMeasured = c.type == xtpControlEdit ? theme->DrawControlEdit(&canvas.dc, &field, FALSE)
                                                          : theme->DrawControlComboBox(&canvas.dc, &field, FALSE);
        EXPECT_EQ(100, szMeasured.cx);
        if (c.type == xtpControlEdit)
            theme->DrawControlEdit(&canvas.dc, &field, TRUE);
        else
            theme->DrawControlComboBox(&canvas.dc, &field, TRUE);
        SCOPED_TRACE(testing::Message() << "type " << c.type << " enabled " << c.bEnabled << " selected "
                                        << c.nSelected);
        EXPECT_EQ(c.nFieldFrame < 0 ? kWhite : Distinct(c.nFieldFrame), Pixel(canvas, 40, 2));
        EXPECT_EQ(Distinct(c.nFieldInside), Pixel(canvas, 40, 12));
        EXPECT_EQ(Distinct(c.nButtonInside), Pixel(canvas, 96, 4));  // clear of the glyph
    }
}

TEST(Theme0, StartsWithFadedAndShadowedIconsAndCastsShadows)
{
    CXTPTheme0* pTheme = new CXTPTheme0;
    const BOOL* pOptions = pTheme->GetIconOptions();
    EXPECT_TRUE(pOptions[0]);
    EXPECT_FALSE(pOptions[1]);
    EXPECT_TRUE(pOptions[2]);
    EXPECT_TRUE(pTheme->IsFlatToolBar());
    pTheme->InternalRelease();
}

}  // namespace
