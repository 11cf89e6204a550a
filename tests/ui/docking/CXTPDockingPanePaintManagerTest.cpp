// The docking paint managers: theme numbers, caption and tab heights, caption buttons, pins,
// the shaded theme's tab sets and splitters, fonts kept through refreshes, and fallbacks.
#include "CXTPDockingPanePaintManager.h"

#include <gtest/gtest.h>

#include <cstring>
#include <typeinfo>

#include "CXTPColorManager.h"
#include "CXTPDockingPaneFlatTheme.h"
#include "CXTPDockingPaneGradientTheme.h"
#include "CXTPDockingPaneNativeTheme.h"
#include "CXTPDockingPaneShadedTheme.h"
#include "CXTPDrawHelpers.h"
#include "CXTPTabAppearance.h"
#include "CXTPTabColorSet.h"
#include "TabFixture.h"

namespace {

// A docked container as the painters see it.
class FakePane : public CXTPDockingPaneCaptionHost {
public:
    FakePane() : close(XTP_IDS_DOCKINGPANE_CLOSE, this), pin(XTP_IDS_DOCKINGPANE_AUTOHIDE, this)
    {
        buttons = {&close, &pin};
    }
    CString GetCaptionTitle() const override { return title; }
    BOOL IsCaptionActive() const override { return active; }
    BOOL IsCaptionVisible() const override { return caption; }
    BOOL IsTabsVisible() const override { return tabsShown; }
    CXTPTabManager* GetTabManager() const override { return tabs; }
    std::vector<CXTPDockingPaneCaptionButton*>& GetCaptionButtons() override { return buttons; }
    HWND GetCaptionWindow() const override { return nullptr; }
    HWND GetReferenceWindow() const override { return nullptr; }

    CString title = "";
    BOOL active = FALSE, caption = TRUE, tabsShown = FALSE;
    CXTPTabManager* tabs = nullptr;
    CXTPDockingPaneCaptionButton close, pin;
    std::vector<CXTPDockingPaneCaptionButton*> buttons;
};

struct Theme {
    explicit Theme(int number) : paint(CXTPDockingPanePaintManager::CreateTheme(number)) {}
    ~Theme() { paint->InternalRelease(); }
    CXTPDockingPanePaintManager* operator->() const { return paint; }
    CXTPDockingPanePaintManager* paint;
};

LOGFONTA Font(int height, const char* face = "Arial")
{
    LOGFONTA lf = {};
    lf.lfHeight = height;
    std::strcpy(lf.lfFaceName, face);
    return lf;
}

}  // namespace

TEST(DockingPaintManager, ThemeNumbersWithoutAThemeGiveTheDefault)
{
    struct Case {
        int number;
        const std::type_info& type;
    } cases[] = {
        {0, typeid(CXTPDockingPaneDefaultTheme)},     {1, typeid(CXTPDockingPaneFlatTheme)},
        {2, typeid(CXTPDockingPaneGripperedTheme)},   {3, typeid(CXTPDockingPaneLinedTheme)},
        {4, typeid(CXTPDockingPaneDefaultTheme)},     {5, typeid(CXTPDockingPaneGradientTheme)},
        {6, typeid(CXTPDockingPaneNativeTheme)},      {7, typeid(CXTPDockingPaneShadedTheme)},
        {8, typeid(CXTPDockingPaneBoldGradientTheme)}, {9, typeid(CXTPDockingPaneToolbarTheme)},
        {10, typeid(CXTPDockingPaneDefaultTheme)},    {-1, typeid(CXTPDockingPaneDefaultTheme)},
    };
    for (const Case& c : cases) {
        Theme theme(c.number);
        EXPECT_EQ(c.type, typeid(*theme.paint)) << c.number;
        EXPECT_EQ(c.number, theme->GetTheme());
    }
}

TEST(DockingPaintManager, CaptionHeightIsTheMarginPlusAtLeastThirteen)
{
    struct Case {
        int theme, margin;
    } cases[] = {{0, 5}, {3, 2}, {5, 7}, {9, 9}};
    for (const Case& c : cases) {
        Theme theme(c.theme);
        EXPECT_EQ(c.margin, theme->m_nTextMargin) << c.theme;
        LOGFONTA tiny = Font(-6);
        theme->SetCaptionFont(&tiny, FALSE);
        EXPECT_EQ(c.margin + 13, theme->GetCaptionHeight()) << c.theme;
        LOGFONTA big = Font(-30);
        theme->SetCaptionFont(&big, FALSE);
        EXPECT_GT(theme->GetCaptionHeight(), c.margin + 30) << c.theme;
    }
}

TEST(DockingPaintManager, PaneTabsAreAtLeastTwentyFourHigh)
{
    Theme theme(0);
    EXPECT_EQ(24, theme->GetTabsHeight());  // the system's small font
    LOGFONTA big = Font(-30);
    theme->GetTabPaintManager()->SetFontIndirect(&big, FALSE);
    theme->RefreshMetrics();
    HDC hdc = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(hdc, *theme->GetTabPaintManager()->GetFont(FALSE, FALSE));
    SIZE size = {};
    ::GetTextExtentPoint32A(hdc, " ", 1, &size);
    ::SelectObject(hdc, old);
    ::ReleaseDC(nullptr, hdc);
    EXPECT_EQ(size.cy + 10, theme->GetTabsHeight());

    // The tab managers of panes and of the auto-hide panel.
    CXTPTabPaintManager* pane = theme->GetTabPaintManager();
    CXTPTabPaintManager* panel = theme->GetAutoHidePanelPaintManager();
    EXPECT_EQ(xtpTabLayoutSizeToFit, pane->GetLayout());
    EXPECT_EQ(xtpTabPositionBottom, pane->GetPosition());
    EXPECT_EQ(xtpTabFrameSingleLine, pane->m_nFrameStyle);
    EXPECT_EQ(xtpTabLayoutCompressed, panel->GetLayout());
    EXPECT_EQ(xtpTabFrameNone, panel->m_nFrameStyle);
    EXPECT_TRUE(panel->m_bInvertGradient);
    EXPECT_FALSE(panel->m_bFillBackground);
}

TEST(DockingPaintManager, CaptionButtonsRunRightToLeftAndHiddenOnesTakeNoRoom)
{
    Theme theme(1);
    DibCanvas canvas(120, 20);
    struct Case {
        BOOL closeShown, pinShown;
        CRect close, pin;
        int right;
    } cases[] = {
        {TRUE, TRUE, CRect(86, 3, 100, 17), CRect(70, 3, 84, 17), 68},
        {FALSE, TRUE, CRect(), CRect(86, 3, 100, 17), 84},
        {FALSE, FALSE, CRect(), CRect(), 100},
    };
    for (const Case& c : cases) {
        FakePane pane;
        pane.close.m_bVisible = c.closeShown;
        pane.pin.m_bVisible = c.pinShown;
        CRect rc(0, 0, 100, 20);
        theme->DrawCaptionButtons(&canvas.dc, pane.buttons, rc, 0, 14, 2);
        EXPECT_EQ(c.close, pane.close.GetRect());
        EXPECT_EQ(c.pin, pane.pin.GetRect());
        EXPECT_EQ(c.right, rc.right);
    }
}

TEST(DockingPaintManager, PinsAreTheDefaultThemesPolylines)
{
    POINT points[13];
    const CRect button(20, 10, 32, 22);
    ASSERT_EQ(13, CXTPDockingPanePaintManager::GetPinPoints(button, 0, FALSE, points));
    EXPECT_EQ(CPoint(25, 21), CPoint(points[0]));
    EXPECT_EQ(CPoint(23, 13), CPoint(points[6]));
    EXPECT_EQ(CPoint(25, 19), CPoint(points[12]));
    ASSERT_EQ(13, CXTPDockingPanePaintManager::GetPinPoints(button, 0, TRUE, points));
    EXPECT_EQ(CPoint(26, 22), CPoint(points[0]));  // pressed: one pixel down and right
    ASSERT_EQ(11, CXTPDockingPanePaintManager::GetPinPoints(button, xtpPaneStateAutoHidden, FALSE, points));
    EXPECT_EQ(CPoint(19, 15), CPoint(points[0]));
    EXPECT_EQ(CPoint(25, 13), CPoint(points[5]));
    EXPECT_EQ(CPoint(21, 15), CPoint(points[10]));

    // Drawn in the glyph colour by the default theme and, the same, by the others.
    for (int number : {0, 5}) {
        Theme theme(number);
        FakePane pane;
        pane.pin.SetRect(button);
        DibCanvas canvas(60, 30);
        theme->DrawCaptionButton(&canvas.dc, &pane.pin, RGB(255, 0, 0));
        EXPECT_EQ(RGB(255, 0, 0), canvas.dc.GetPixel(25, 20)) << number;  // the stem
        EXPECT_EQ(RGB(255, 0, 0), canvas.dc.GetPixel(23, 13)) << number;  // the head
    }
}

TEST(DockingPaintManager, DefaultCaptionShowsTheActiveColoursOnlyWhenHighlighted)
{
    Theme theme(0);
    FakePane pane;
    for (BOOL active : {FALSE, TRUE}) {
        for (BOOL highlight : {FALSE, TRUE}) {
            pane.active = active;
            theme->m_bHighlightActiveCaption = highlight;
            DibCanvas canvas(200, 60);
            theme->DrawPane(&canvas.dc, &pane, CRect(0, 0, 200, 60));
            const COLORREF expected = GetManagedColor(active && highlight ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
            EXPECT_EQ(expected, canvas.dc.GetPixel(10, 4)) << active << highlight;
            EXPECT_EQ(GetManagedColor(COLOR_BTNFACE), canvas.dc.GetPixel(10, 0));
        }
    }
    // The client starts below the caption and its margins.
    CRect rc(0, 0, 200, 100);
    theme->AdjustClientRect(&pane, rc, FALSE);
    EXPECT_EQ(theme->GetCaptionHeight() + 3, rc.top);
    pane.caption = FALSE;
    rc = CRect(0, 0, 200, 100);
    theme->AdjustClientRect(&pane, rc, FALSE);
    EXPECT_EQ(0, rc.top);
}

TEST(DockingPaintManager, FlatCaptionsAreSolidOnWindowsFour)
{
    DWORD (*previous)() = CXTPDockingPaneFlatTheme::s_pfnWindowsVersion;
    for (DWORD version : {DWORD(MAKELONG(0, 4)), DWORD(MAKELONG(0, 3)), DWORD(MAKELONG(1, 5))}) {
        static DWORD s_version;
        s_version = version;
        CXTPDockingPaneFlatTheme::s_pfnWindowsVersion = [] { return s_version; };
        Theme theme(1);
        auto* flat = static_cast<CXTPDockingPaneFlatTheme*>(theme.paint);
        const bool solid = version <= DWORD(MAKELONG(0, 4));
        EXPECT_EQ(GetManagedColor(COLOR_ACTIVECAPTION), static_cast<COLORREF>(flat->m_clrActiveCaption.clrLight));
        EXPECT_EQ(solid ? GetManagedColor(COLOR_ACTIVECAPTION) : GetManagedColor(COLOR_GRADIENTACTIVECAPTION),
                  static_cast<COLORREF>(flat->m_clrActiveCaption.clrDark))
            << version;
        EXPECT_EQ(solid ? GetManagedColor(COLOR_INACTIVECAPTION) : ::GetSysColor(COLOR_GRADIENTINACTIVECAPTION),
                  static_cast<COLORREF>(flat->m_clrNormalCaption.clrDark))
            << version;
    }
    CXTPDockingPaneFlatTheme::s_pfnWindowsVersion = previous;
}

TEST(DockingPaintManager, BoldGradientKeepsItsArialCaptionThroughSettingChanges)
{
    Theme theme(8);
    for (int refresh = 0; refresh < 2; ++refresh) {
        LOGFONTA lf = {};
        ::GetObjectA(*theme->GetCaptionFont(), sizeof(lf), &lf);
        EXPECT_STREQ("Arial", lf.lfFaceName) << refresh;
        EXPECT_EQ(20, lf.lfHeight);
        EXPECT_EQ(FW_BOLD, lf.lfWeight);
        EXPECT_FALSE(theme->m_bUseSystemFont);
        theme->RefreshMetrics();  // what a WM_SETTINGCHANGE brings
    }
    EXPECT_EQ(3, theme->m_nTextMargin);
}

TEST(DockingPaintManager, GradientThemeTakesTheSchemesColours)
{
    SchemeScope scheme(1);
    Theme theme(5);
    auto* gradient = static_cast<CXTPDockingPaneGradientTheme*>(theme.paint);
    EXPECT_TRUE(gradient->m_bLunaScheme);
    EXPECT_EQ(0xE2A981u, gradient->m_clrInactiveDark);
    EXPECT_EQ(0xFEECDDu, gradient->m_clrInactiveLight);
    EXPECT_EQ(0x8CD5FFu, gradient->m_clrActiveLight);
    EXPECT_EQ(0x4CA6FFu, gradient->m_clrActiveDark);
    const struct {
        int index;
        COLORREF value;
    } entries[] = {{51, 0xFCE7D8}, {38, 0x764127}, {43, 0x962D00}, {32, 0x800000}, {37, 0x800000},
                   {50, 0x800000}, {33, 0x3E80FE}, {36, 0x6FC0FF}, {30, 0xF5BE9E}, {47, 0}};
    for (const auto& e : entries)
        EXPECT_EQ(e.value, theme->GetColor(e.index)) << e.index;
    EXPECT_EQ(0x12345678u, theme->GetColor(0x12345678));  // not an index: the value itself

    // Both tab rows are rounded tabs of set 4 with hot tracking.
    for (CXTPTabPaintManager* tabs : {theme->GetTabPaintManager(), theme->GetAutoHidePanelPaintManager()}) {
        EXPECT_EQ(xtpTabAppearanceRounded, tabs->GetAppearance());
        EXPECT_EQ(xtpTabColorScheme, tabs->GetColor());
        EXPECT_TRUE(tabs->m_bHotTracking);
    }
}

TEST(DockingPaintManager, ShadedThemeInstallsItsOwnTabSetsAndNoFrames)
{
    Theme theme(7);
    CXTPTabPaintManager* pane = theme->GetTabPaintManager();
    CXTPTabPaintManager* panel = theme->GetAutoHidePanelPaintManager();
    for (CXTPTabPaintManager* tabs : {pane, panel}) {
        auto* set = dynamic_cast<CXTPTabColorSetShaded*>(tabs->GetColorSet());
        ASSERT_NE(nullptr, set);
        EXPECT_EQ(tabs == pane, set->m_bPaneTabs);
        EXPECT_FALSE(static_cast<CXTPTabAppearanceRounded*>(tabs->GetAppearanceSet())->m_bCornerSmoothing);
        EXPECT_TRUE(tabs->m_bDisableLunaColors);
        EXPECT_FALSE(tabs->m_bHotTracking);
    }
    EXPECT_EQ(xtpTabFrameNone, pane->m_nFrameStyle);
    EXPECT_EQ(xtpTabFrameNone, panel->m_nFrameStyle);
    EXPECT_EQ(xtpTabLayoutAutoSize, panel->GetLayout());
    EXPECT_EQ(0xFFFFFFu, static_cast<COLORREF>(pane->GetColorSet()->m_clrSelectedFace));
    EXPECT_EQ(CRect(0, 0, 0, 0), theme->m_rcCaptionMargin);
    EXPECT_EQ(0, theme->m_nSchemeMode);
    EXPECT_FALSE(theme->m_bBoldCaption);
}

TEST(DockingPaintManager, ShadedSplittersContinueOneGradientAcrossTheFrame)
{
    Theme theme(7);
    CXTPTabColorSet* set = theme->GetTabPaintManager()->GetColorSet();
    set->m_clrHeaderFace.clrLight.SetCustomValue(RGB(255, 255, 255));
    set->m_clrHeaderFace.clrDark.SetCustomValue(RGB(0, 0, 0));
    HWND frame = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1000, 200, nullptr, nullptr, nullptr, nullptr);
    HWND first = ::CreateWindowExA(0, "STATIC", "", WS_CHILD, 100, 0, 4, 200, frame, nullptr, nullptr, nullptr);
    HWND second = ::CreateWindowExA(0, "STATIC", "", WS_CHILD, 700, 0, 4, 200, frame, nullptr, nullptr, nullptr);
    const int width = std::max(1000, ::GetSystemMetrics(SM_CXFULLSCREEN) / 2);
    for (auto [splitter, x] : {std::pair{first, 100}, std::pair{second, 700}}) {
        DibCanvas canvas(4, 200);
        theme->DrawSplitter(&canvas.dc, splitter);
        const COLORREF expected = CXTPDrawHelpers::BlendColors(RGB(255, 255, 255), RGB(0, 0, 0), double(x) / width);
        EXPECT_NEAR(GetRValue(expected), GetRValue(canvas.dc.GetPixel(0, 100)), 2) << x;
    }
    ::DestroyWindow(frame);

    // Other themes fill splitters with colour 51.
    Theme flat(1);
    HWND alone = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 4, 50, nullptr, nullptr, nullptr, nullptr);
    DibCanvas canvas(4, 50);
    flat->DrawSplitter(&canvas.dc, alone);
    EXPECT_EQ(flat->GetColor(51), canvas.dc.GetPixel(2, 20));
    ::DestroyWindow(alone);
}

TEST(DockingPaintManager, WithoutVisualStylesNativeAndToolbarThemesFallBack)
{
    Theme native(6);
    EXPECT_FALSE(static_cast<CXTPDockingPaneNativeTheme*>(native.paint)->m_bWindowThemed);
    FakePane pane;
    pane.active = TRUE;
    DibCanvas canvas(200, 40);
    native->DrawPane(&canvas.dc, &pane, CRect(0, 0, 200, 40));
    // The flat theme's gradient caption, beginning in the active caption colour.
    EXPECT_EQ(GetManagedColor(COLOR_ACTIVECAPTION), canvas.dc.GetPixel(0, 8));

    Theme toolbar(9);
    EXPECT_FALSE(static_cast<CXTPDockingPaneToolbarTheme*>(toolbar.paint)->m_bRebarThemed);
    EXPECT_EQ(xtpTabAppearanceRaised, toolbar->GetTabPaintManager()->GetAppearance());
    EXPECT_EQ(xtpTabAppearanceBoxed, toolbar->GetAutoHidePanelPaintManager()->GetAppearance());
    EXPECT_FALSE(toolbar->GetTabPaintManager()->m_bHotTracking);
    EXPECT_FALSE(toolbar->m_bBoldCaption);
}

TEST(DockingPaintManager, FlatCaptionsAreFilledWhenActiveAndOutlinedWithoutCornersOtherwise)
{
    Theme theme(1);
    FakePane pane;
    for (BOOL active : {FALSE, TRUE}) {
        pane.active = active;
        DibCanvas canvas(200, 60);
        theme->DrawPane(&canvas.dc, &pane, CRect(0, 0, 200, 60));
        if (active) {
            EXPECT_EQ(theme->GetColor(COLOR_ACTIVECAPTION), canvas.dc.GetPixel(10, 6));
        } else {
            EXPECT_EQ(theme->GetColor(52), canvas.dc.GetPixel(1, 2));   // the top edge
            EXPECT_EQ(theme->GetColor(52), canvas.dc.GetPixel(0, 5));   // the left edge
            EXPECT_EQ(theme->GetColor(51), canvas.dc.GetPixel(0, 2));   // its corner left out
            EXPECT_EQ(theme->GetColor(51), canvas.dc.GetPixel(10, 6));  // inside: the band's fill
        }
    }
}

TEST(DockingPaintManager, GradientCaptionsCarryADottedGripper)
{
    Theme theme(5);
    FakePane pane;
    DibCanvas canvas(200, 60);
    theme->DrawPane(&canvas.dc, &pane, CRect(0, 0, 200, 60));
    const COLORREF dot = theme->GetColor(38), light = theme->GetColor(COLOR_BTNHIGHLIGHT);
    EXPECT_EQ(dot, canvas.dc.GetPixel(5, 5));
    EXPECT_EQ(dot, canvas.dc.GetPixel(6, 6));
    EXPECT_EQ(light, canvas.dc.GetPixel(7, 7));  // the light dot beneath shows at the lower right
    EXPECT_EQ(dot, canvas.dc.GetPixel(5, 9));    // the next dot, four rows on
    // The rounded band leaves its corner pixels in colour 51.
    EXPECT_EQ(theme->GetColor(51), canvas.dc.GetPixel(0, 1));

    // The bold variant has neither gripper nor rounding: its band is edged in colour 54.
    Theme bold(8);
    DibCanvas flat(200, 60);
    bold->DrawPane(&flat.dc, &pane, CRect(0, 0, 200, 60));
    EXPECT_NE(bold->GetColor(38), flat.dc.GetPixel(5, 5));
    EXPECT_EQ(bold->GetColor(54), flat.dc.GetPixel(0, 5));
    EXPECT_EQ(bold->GetColor(54), flat.dc.GetPixel(50, 0));
}

TEST(DockingPaintManager, LinedCaptionsRunGripLinesFromAnEmptyTitle)
{
    Theme theme(3);
    FakePane pane;
    DibCanvas canvas(200, 60);
    theme->DrawPane(&canvas.dc, &pane, CRect(0, 0, 200, 60));
    const int centre = (2 + theme->GetCaptionHeight() + 3) / 2;
    const COLORREF grip = theme->GetColor(38);  // inactive
    for (int dy : {-3, -1, 1, 3})
        EXPECT_EQ(grip, canvas.dc.GetPixel(4, centre + dy)) << dy;
    EXPECT_NE(grip, canvas.dc.GetPixel(4, centre));
    EXPECT_NE(grip, canvas.dc.GetPixel(3, centre - 3));
    // The four corners of the pane in colour 51.
    EXPECT_EQ(theme->GetColor(51), canvas.dc.GetPixel(199, 59));
}

TEST(DockingPaintManager, GradientFloatingFramesKeepTheirOuterColourInTheCorners)
{
    Theme theme(5);
    auto* gradient = static_cast<CXTPDockingPaneGradientTheme*>(theme.paint);
    FakePane frame;
    DibCanvas canvas(200, 100);
    theme->DrawFloatingFrame(&canvas.dc, &frame, CRect(0, 0, 200, 100));
    const COLORREF outer = theme->GetColor(43);
    EXPECT_EQ(outer, canvas.dc.GetPixel(0, 50));
    EXPECT_EQ(outer, canvas.dc.GetPixel(1, 50));
    EXPECT_EQ(gradient->m_clrInactiveDark, canvas.dc.GetPixel(2, 50));  // the innermost ring, drawn again
    EXPECT_EQ(outer, canvas.dc.GetPixel(2, 97));                         // its corner
    EXPECT_EQ(gradient->m_clrInactiveDark, canvas.dc.GetPixel(2, 3 + theme->GetCaptionHeight() + 3));
}

TEST(DockingPaintManager, ShadedTabHeadersContinueTheFramesGradient)
{
    Theme theme(7);
    auto* set = static_cast<CXTPTabColorSetShaded*>(theme->GetTabPaintManager()->GetColorSet());
    set->m_clrHeaderFace.clrLight.SetCustomValue(RGB(255, 255, 255));
    set->m_clrHeaderFace.clrDark.SetCustomValue(RGB(0, 0, 0));
    HWND frame = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1000, 200, nullptr, nullptr, nullptr, nullptr);
    HWND row = ::CreateWindowExA(0, "STATIC", "", WS_CHILD, 300, 50, 400, 30, frame, nullptr, nullptr, nullptr);
    set->m_hWndHeader = row;
    const int width = std::max(1000, ::GetSystemMetrics(SM_CXFULLSCREEN) / 2);
    DibCanvas canvas(400, 30);
    set->FillHeader(&canvas.dc, CRect(0, 0, 400, 30), nullptr);
    for (int x : {0, 399}) {
        const COLORREF expected =
            CXTPDrawHelpers::BlendColors(RGB(255, 255, 255), RGB(0, 0, 0), double(300 + x) / width);
        EXPECT_NEAR(GetRValue(expected), GetRValue(canvas.dc.GetPixel(x, 10)), 3) << x;
    }
    ::DestroyWindow(frame);
}
