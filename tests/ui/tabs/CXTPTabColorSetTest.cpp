// The tab colour sets: base values, custom values, the half-tone button face, the scheme
// colours of set 4, the gradient direction and the text colour of a tab.
#include "CXTPTabColorSet.h"

#include <gtest/gtest.h>

#include "CXTPColorManager.h"
#include "CXTPDrawHelpers.h"
#include "CXTPTabAppearance.h"
#include "TabFixture.h"

namespace {

COLORREF C(int index)
{
    return GetManagedColor(index);
}

// The base set alone (its navigation-button face is left to the numbered sets).
class BaseColorSet : public CXTPTabColorSet {
public:
    void FillNavigateButton(CDC*, CXTPTabManagerNavigateButton*, CRect&) override {}
};

// A depth provider that counts how often it is asked.
int g_depth = 32, g_depthQuestions = 0;
int CountedDepth(HDC)
{
    ++g_depthQuestions;
    return g_depth;
}

}  // namespace

TEST(TabColorSet, BaseValuesFollowTheColourTable)
{
    SchemeScope scheme(0);
    TestTabManager tabs;
    for (int appearance : {0, 7}) {
        tabs.m_pPaintManager->SetAppearance(appearance);
        BaseColorSet* set = new BaseColorSet();
        tabs.m_pPaintManager->SetColorSet(set);
        const COLORREF none = static_cast<COLORREF>(-1);
        struct Entry {
            const char* name;
            COLORREF actual, expected;
        } entries[] = {
            {"header light", set->m_clrHeaderFace.clrLight, C(15)},
            {"header dark", set->m_clrHeaderFace.clrDark, C(15)},
            {"panel light", set->m_clrAutoHideFace.clrLight, C(15)},
            {"panel dark", set->m_clrAutoHideFace.clrDark, C(15)},
            {"frame border", set->m_clrFrameBorder, C(16)},
            {"workspace", set->m_clrControlFace, C(15)},
            {"light edge", set->m_clrBorderHighlight, C(20)},
            {"selected face", set->m_clrSelectedFace, C(appearance == 7 ? 5 : 15)},
            {"normal face", set->m_clrNormalFace, C(15)},
            {"normal text", set->m_clrNormalText, C(18)},
            {"inactive text", set->m_clrInActiveText, C(18)},
            {"selected text", set->m_clrSelectedText, C(18)},
            {"hot text", set->m_clrHighlightText, 0x800000},
            {"disabled text", set->m_clrDisabledText, C(17)},
            {"button face light", set->m_clrButtonSelected.clrLight, C(5)},
            {"button face dark", set->m_clrButtonSelected.clrDark, C(5)},
            {"button frame top-left", set->m_clrButtonBorder.clrLight, C(13)},
            {"button frame bottom-right", set->m_clrButtonBorder.clrDark, C(13)},
            {"3D highlight", set->m_clr3DHighlight, C(20)},
            {"3D shadow", set->m_clr3DShadow, C(16)},
            {"3D dark shadow", set->m_clr3DDarkShadow, C(21)},
            {"normal outline", set->m_clrNormalOutline, C(16)},
            {"selected outline", set->m_clrSelectedOutline, C(16)},
            {"inner line 1", set->m_clrInnerLine1, C(15)},
            {"inner line 2", set->m_clrInnerLine2, C(15)},
            {"selected edge 1", set->m_clrSelectedEdges[0], C(18)},
            {"selected edge 2", set->m_clrSelectedEdges[1], C(16)},
            {"selected edge 3", set->m_clrSelectedEdges[2], C(18)},
            {"selected edge 4", set->m_clrSelectedEdges[3], none},
            {"selected edge 5", set->m_clrSelectedEdges[4], none},
            {"selected edge 6", set->m_clrSelectedEdges[5], none},
            {"normal edge 1", set->m_clrNormalEdges[0], C(18)},
            {"normal edge 2", set->m_clrNormalEdges[1], C(16)},
            {"normal edge 3", set->m_clrNormalEdges[2], C(18)},
            {"normal edge 4", set->m_clrNormalEdges[3], C(5)},
            {"normal edge 5", set->m_clrNormalEdges[4], C(16)},
            {"normal edge 6", set->m_clrNormalEdges[5], none},
        };
        EXPECT_EQ(37u, sizeof(entries) / sizeof(entries[0]));
        for (const Entry& e : entries)
            EXPECT_EQ(e.expected, e.actual) << e.name << ", appearance " << appearance;
    }
}

TEST(TabColorSet, ACustomValueWinsOverEveryRefresh)
{
    TestTabManager tabs;
    CXTPTabColorSet* set = tabs.m_pPaintManager->GetColorSet();
    set->m_clrNormalText.SetCustomValue(0x123456);
    tabs.m_pPaintManager->RefreshMetrics();
    EXPECT_EQ(0x123456u, static_cast<COLORREF>(set->m_clrNormalText));
    set->m_clrNormalText.SetCustomValue(static_cast<COLORREF>(-1));
    EXPECT_EQ(C(18), static_cast<COLORREF>(set->m_clrNormalText));
}

TEST(TabColorSet, TheTabTextColourFollowsTheTabsState)
{
    TestTabManager tabs;
    CXTPTabColorSet* set = tabs.m_pPaintManager->GetColorSet();
    set->m_clrNormalText.SetCustomValue(1);
    set->m_clrInActiveText.SetCustomValue(2);
    set->m_clrSelectedText.SetCustomValue(3);
    set->m_clrHighlightText.SetCustomValue(4);
    set->m_clrDisabledText.SetCustomValue(5);
    tabs.m_pPaintManager->m_bHotTracking = TRUE;
    tabs.SetRow({20, 20, 20, 20});
    tabs.m_rcControl = CRect(0, 0, 100, 20);
    tabs.SetCurSel(0);
    tabs.GetItem(3)->SetEnabled(FALSE);
    tabs.OnMouseMove(nullptr, CPoint(30, 5));  // the second tab is hot
    DibCanvas canvas(4, 4);
    const COLORREF expected[4] = {3, 4, 1, 5};
    for (int i = 0; i < 4; ++i) {
        set->SetTextColor(&canvas.dc, tabs.GetItem(i));
        EXPECT_EQ(expected[i], canvas.dc.GetTextColor()) << i;
    }
    tabs.SetActive(FALSE);
    set->SetTextColor(&canvas.dc, tabs.GetItem(0));
    EXPECT_EQ(2u, canvas.dc.GetTextColor());
    set->SetTextColor(&canvas.dc, tabs.GetItem(3));
    EXPECT_EQ(5u, canvas.dc.GetTextColor());  // disabled comes first
}

TEST(TabColorSet, FlatButtonsOfSetOneShowTheSelectedTabAsASunkenCheckerboard)
{
    TestTabManager tabs;
    tabs.m_pPaintManager->SetAppearance(xtpTabAppearanceFlatButtons);
    tabs.m_pPaintManager->SetColor(xtpTabColorDefault);
    tabs.SetRow({40, 40});
    tabs.SetCurSel(0);
    DibCanvas canvas(100, 30);
    CXTPTabColorSet* set = tabs.m_pPaintManager->GetColorSet();
    EXPECT_EQ(XTP_TABCOLOR_HALFTONE, set->m_clrButtonSelected.clrLight.GetStandardColor());
    set->FillButtonTab(&canvas.dc, CRect(0, 0, 40, 20), tabs.GetItem(0));
    // Sunken frame: shadow top-left, highlight bottom-right.
    EXPECT_EQ(C(16), canvas.dc.GetPixel(0, 5));
    EXPECT_EQ(C(16), canvas.dc.GetPixel(5, 0));
    EXPECT_EQ(C(20), canvas.dc.GetPixel(39, 5));
    EXPECT_EQ(C(20), canvas.dc.GetPixel(5, 19));
    // Inside, neighbours alternate between the two colours.
    for (int y = 2; y < 6; ++y) {
        for (int x = 2; x < 6; ++x) {
            const COLORREF pixel = canvas.dc.GetPixel(x, y);
            EXPECT_TRUE(pixel == C(15) || pixel == C(20)) << x << "," << y;
            EXPECT_NE(pixel, canvas.dc.GetPixel(x + 1, y));
            EXPECT_NE(pixel, canvas.dc.GetPixel(x, y + 1));
        }
    }
    // Another tab: only an etched separator at its trailing end.
    set->FillButtonTab(&canvas.dc, CRect(40, 0, 80, 20), tabs.GetItem(1));
    EXPECT_EQ(C(16), canvas.dc.GetPixel(78, 10));
    EXPECT_EQ(C(20), canvas.dc.GetPixel(79, 10));
    EXPECT_EQ(RGB(255, 255, 255), canvas.dc.GetPixel(60, 10));
    EXPECT_EQ(RGB(255, 255, 255), canvas.dc.GetPixel(78, 1));
}

TEST(TabColorSet, SchemeSetTakesTheVisualStylesColourScheme)
{
    struct Row {
        int scheme;
        COLORREF frame, headerLight, headerDark, normalFace, hotFace, panelLight, buttonLine;
    } rows[] = {
        {1, 0x9C613B, 0xFADAC4, 0xFEFDFC, 0xF6C0A2, 0xC9F0FF, 0xF5BE9E, 0x800000},
        {2, 0x588060, 0xE4F1F2, 0xFEFEFC, 0xAADED0, 0xC7F0FF, 0xA7D9D9, 0x385D3F},
        {3, 0x947C7C, 0xF7F3F3, 0xFEFEFC, 0xE6D9D9, 0xC2EEFF, 0xE5D7D7, 0x6F4B4B},
    };
    for (const Row& r : rows) {
        SchemeScope scheme(r.scheme);
        TestTabManager tabs;
        tabs.m_pPaintManager->SetAppearance(xtpTabAppearanceSlanted);
        auto* set = dynamic_cast<CXTPTabColorSetScheme*>(tabs.m_pPaintManager->GetColorSet());
        ASSERT_NE(nullptr, set);
        EXPECT_TRUE(set->m_bLunaScheme);
        EXPECT_EQ(r.frame, static_cast<COLORREF>(set->m_clrFrameBorder)) << r.scheme;
        EXPECT_EQ(r.frame, static_cast<COLORREF>(set->m_clrSelectedOutline)) << r.scheme;
        EXPECT_EQ(r.headerLight, static_cast<COLORREF>(set->m_clrHeaderFace.clrLight)) << r.scheme;
        EXPECT_EQ(r.headerDark, static_cast<COLORREF>(set->m_clrHeaderFace.clrDark)) << r.scheme;
        EXPECT_EQ(r.normalFace, static_cast<COLORREF>(set->m_clrNormalFace)) << r.scheme;
        EXPECT_EQ(0x73C2FFu, static_cast<COLORREF>(set->m_clrSelectedFace)) << r.scheme;
        EXPECT_EQ(r.hotFace, static_cast<COLORREF>(set->m_clrHighlightFace)) << r.scheme;
        EXPECT_EQ(r.panelLight, static_cast<COLORREF>(set->m_clrAutoHideFace.clrLight)) << r.scheme;
        EXPECT_EQ(r.buttonLine, static_cast<COLORREF>(set->m_clrButtonLine)) << r.scheme;
        EXPECT_EQ(0xFFFFFFu, static_cast<COLORREF>(set->m_clrInnerLine2));
        // The trapezoid edges take the frame border.
        EXPECT_EQ(r.frame, static_cast<COLORREF>(set->m_clrSelectedEdges[0]));
        EXPECT_EQ(static_cast<COLORREF>(-1), static_cast<COLORREF>(set->m_clrNormalEdges[3]));

        // With XP colours off the scheme is not used.
        tabs.m_pPaintManager->m_bDisableLunaColors = TRUE;
        tabs.m_pPaintManager->RefreshMetrics();
        EXPECT_FALSE(set->m_bLunaScheme);
        EXPECT_EQ(C(15), static_cast<COLORREF>(set->m_clrSelectedFace)) << r.scheme;
    }
    SchemeScope none(0);
    TestTabManager tabs;
    tabs.m_pPaintManager->SetAppearance(xtpTabAppearanceSlanted);
    CXTPTabColorSet* set = tabs.m_pPaintManager->GetColorSet();
    EXPECT_EQ(C(36), static_cast<COLORREF>(set->m_clrSelectedFace));
}

TEST(TabColorSet, GradientsRunFromTheOuterEdgeTowardTheClientUnlessReversed)
{
    TestTabManager tabs;
    CXTPTabColorSet* set = tabs.m_pPaintManager->GetColorSet();
    const COLORREF light = RGB(255, 0, 0), dark = RGB(0, 0, 255);
    set->m_clrHeaderFace.clrLight.SetCustomValue(light);
    set->m_clrHeaderFace.clrDark.SetCustomValue(dark);
    auto nearTo = [](COLORREF pixel, COLORREF colour) {
        return std::abs(GetRValue(pixel) - GetRValue(colour)) < 40 && std::abs(GetBValue(pixel) - GetBValue(colour)) < 40;
    };
    struct Case {
        int position;
        BOOL reversed;
        CPoint outer, inner;  // pixels at the side away from the client, and at the client side
    } cases[] = {
        {xtpTabPositionTop, FALSE, {50, 0}, {50, 39}},    {xtpTabPositionBottom, FALSE, {50, 39}, {50, 0}},
        {xtpTabPositionLeft, FALSE, {0, 20}, {99, 20}},   {xtpTabPositionRight, FALSE, {99, 20}, {0, 20}},
        {xtpTabPositionTop, TRUE, {50, 39}, {50, 0}},     {xtpTabPositionRight, TRUE, {0, 20}, {99, 20}},
    };
    for (const Case& c : cases) {
        tabs.m_pPaintManager->SetPosition(c.position);
        tabs.m_pPaintManager->m_bInvertGradient = c.reversed;
        DibCanvas canvas(100, 40);
        set->FillHeader(&canvas.dc, CRect(0, 0, 100, 40), &tabs);
        EXPECT_TRUE(nearTo(canvas.dc.GetPixel(c.outer), light)) << c.position << " " << c.reversed;
        EXPECT_TRUE(nearTo(canvas.dc.GetPixel(c.inner), dark)) << c.position << " " << c.reversed;
    }
}

TEST(TabColorSet, APaintOfTheRowAsksTheDepthOnceAndKeepsToIt)
{
    // Asking a DC's depth goes to the display server: a row of shaded tabs must not ask per tab.
    SchemeScope scheme(0);
    auto previous = CXTPDrawHelpers::SetBitsPerPixelProvider(CountedDepth);
    for (int depth : {32, 8}) {
        TestTabManager tabs;
        tabs.m_pPaintManager->SetAppearance(xtpTabAppearanceSlanted);
        tabs.m_pPaintManager->SetColor(xtpTabColorScheme);
        DibCanvas canvas(400, 40);
        for (int i = 0; i < 6; ++i)
            tabs.InsertItem(-1)->SetCaption("Tab");
        tabs.control = CRect(0, 0, 400, 40);
        tabs.layoutDC = &canvas.dc;
        tabs.Reposition();
        g_depth = depth;
        g_depthQuestions = 0;
        tabs.m_pPaintManager->DrawTabControl(&tabs, &canvas.dc, tabs.control);
        EXPECT_EQ(1, g_depthQuestions) << depth;
        // The last tab's face, near its trailing side: shaded on full colour, solid on 8 bits.
        const CRect rc = tabs.GetItem(5)->GetRect();
        const bool shaded =
            canvas.dc.GetPixel(rc.right - 4, rc.top + 3) != canvas.dc.GetPixel(rc.right - 4, rc.bottom - 3);
        EXPECT_EQ(depth == 32, shaded) << depth;

        // Outside a paint each gradient asks again.
        g_depthQuestions = 0;
        tabs.m_pPaintManager->GetColorSet()->FillTab(&canvas.dc, CRect(0, 0, 40, 40), tabs.GetItem(0));
        EXPECT_EQ(1, g_depthQuestions) << depth;
    }
    CXTPDrawHelpers::SetBitsPerPixelProvider(previous);
}

TEST(TabColorSet, SchemeTabsAreShadedFromABlendWithWhiteToTheFace)
{
    SchemeScope scheme(0);
    TestTabManager tabs;
    tabs.m_pPaintManager->SetAppearance(xtpTabAppearanceSlanted);
    tabs.m_pPaintManager->m_bPerTabColors = TRUE;  // each tab in its own colour
    tabs.SetRow({40});
    DibCanvas canvas(40, 40);
    const COLORREF face = tabs.GetItem(0)->GetColor();
    EXPECT_EQ(face, tabs.m_pPaintManager->GetColorSet()->FillTab(&canvas.dc, CRect(0, 0, 40, 40), tabs.GetItem(0)));
    const COLORREF bottom = canvas.dc.GetPixel(20, 39);
    EXPECT_NEAR(GetRValue(face), GetRValue(bottom), 8);
    EXPECT_NEAR(GetBValue(face), GetBValue(bottom), 8);
    const COLORREF top = canvas.dc.GetPixel(20, 0), blend = CXTPColorManager::BlendColors(face, 0xFFFFFF, 300);
    EXPECT_NEAR(GetGValue(blend), GetGValue(top), 8);
}

TEST(TabColorSet, NativeSetWithoutVisualStylesDrawsLikeSetOne)
{
    TestTabManager tabs;
    tabs.m_pPaintManager->SetColor(xtpTabColorNative);
    CXTPTabColorSet* set = tabs.m_pPaintManager->GetColorSet();
    EXPECT_FALSE(set->IsVisualStyle());
    EXPECT_EQ(C(20), static_cast<COLORREF>(set->m_clr3DHighlight));
    tabs.SetRow({40});
    DibCanvas canvas(40, 20);
    set->FillTab(&canvas.dc, CRect(0, 0, 40, 20), tabs.GetItem(0));
    EXPECT_EQ(static_cast<COLORREF>(set->m_clrNormalFace), canvas.dc.GetPixel(20, 10));
}

TEST(TabColorSet, SoftSetLightensTheHeaderExceptForFlatButtonsAndTrapezoids)
{
    TestTabManager tabs;
    struct Case {
        int appearance;
        COLORREF header, normalText;
    } cases[] = {
        {xtpTabAppearanceBoxed, C(48), C(18)},
        {xtpTabAppearanceRaised, C(48), C(49)},
        {xtpTabAppearanceFlatButtons, C(15), C(18)},
        {xtpTabAppearanceTrapezoid, C(15), C(18)},
    };
    for (const Case& c : cases) {
        tabs.m_pPaintManager->SetAppearance(c.appearance);
        tabs.m_pPaintManager->SetColor(xtpTabColorSoft);
        CXTPTabColorSet* set = tabs.m_pPaintManager->GetColorSet();
        EXPECT_EQ(c.header, static_cast<COLORREF>(set->m_clrHeaderFace.clrLight)) << c.appearance;
        EXPECT_EQ(c.header, static_cast<COLORREF>(set->m_clrAutoHideFace.clrDark)) << c.appearance;
        EXPECT_EQ(c.normalText, static_cast<COLORREF>(set->m_clrNormalText)) << c.appearance;
        EXPECT_EQ(c.normalText, static_cast<COLORREF>(set->m_clrInActiveText)) << c.appearance;
    }
}

TEST(TabColorSet, LightSetUsesItsOwnShadesWhenXpColoursAreOff)
{
    struct Case {
        int scheme;
        COLORREF header, normalFace;
        bool gradients;
    } cases[] = {
        {0, C(15), C(15), false},
        {1, 0xD5E2E4, C(15), true},
        {2, 0xD5E2E4, C(15), true},
        {3, 0xEEEEEE, 0xF8F5F5, true},
    };
    for (const Case& c : cases) {
        SchemeScope scheme(c.scheme);
        TestTabManager tabs;
        tabs.m_pPaintManager->m_bDisableLunaColors = TRUE;
        tabs.m_pPaintManager->SetColor(xtpTabColorLight);
        auto* set = static_cast<CXTPTabColorSetLight*>(tabs.m_pPaintManager->GetColorSet());
        EXPECT_EQ(c.header, static_cast<COLORREF>(set->m_clrHeaderFace.clrLight)) << c.scheme;
        EXPECT_EQ(c.normalFace, static_cast<COLORREF>(set->m_clrNormalFace)) << c.scheme;
        EXPECT_EQ(0xFFFFFFu, static_cast<COLORREF>(set->m_clrSelectedFace));
        EXPECT_EQ(GetManagedColor(57), static_cast<COLORREF>(set->m_clrFrameBorder));
        EXPECT_EQ(c.gradients, static_cast<bool>(set->m_bGradientFaces)) << c.scheme;
    }
    // With XP colours on it is set 4 in full.
    SchemeScope scheme(1);
    TestTabManager tabs;
    tabs.m_pPaintManager->SetColor(xtpTabColorLight);
    auto* set = static_cast<CXTPTabColorSetLight*>(tabs.m_pPaintManager->GetColorSet());
    EXPECT_EQ(0x73C2FFu, static_cast<COLORREF>(set->m_clrSelectedFace));
    EXPECT_TRUE(set->m_bLunaScheme);
}

namespace {

// A navigation button whose state a test sets.
struct ProbeButton : CXTPTabManagerNavigateButtonClose {
    explicit ProbeButton(CXTPTabManager* manager) : CXTPTabManagerNavigateButtonClose(manager) {}
    void Set(BOOL pressed, BOOL hot, BOOL enabled = TRUE)
    {
        m_bPressed = pressed;
        m_bHot = hot;
        m_bEnabled = enabled;
    }
};

}  // namespace

TEST(TabColorSet, NavigationButtonFacesFollowPressAndHover)
{
    SchemeScope scheme(0);
    TestTabManager tabs;
    ProbeButton button(&tabs);
    struct Case {
        int color;
        BOOL pressed, hot;
        int topLeft, glyph;  // colour indexes; -1: no face drawn
        bool shifted;
    } cases[] = {
        {xtpTabColorDefault, TRUE, FALSE, COLOR_BTNSHADOW, COLOR_BTNTEXT, true},
        {xtpTabColorDefault, FALSE, TRUE, COLOR_BTNHIGHLIGHT, COLOR_BTNTEXT, false},
        {xtpTabColorDefault, FALSE, FALSE, -1, COLOR_BTNTEXT, false},
        {xtpTabColorSoft, TRUE, FALSE, COLOR_BTNTEXT, 49, true},
        {xtpTabColorSoft, FALSE, TRUE, COLOR_BTNFACE, 49, false},
        {xtpTabColorScheme, TRUE, TRUE, 50, 47, false},
        {xtpTabColorScheme, FALSE, TRUE, 32, 45, false},
        {xtpTabColorScheme, FALSE, FALSE, -1, COLOR_BTNTEXT, false},
    };
    for (const Case& c : cases) {
        tabs.m_pPaintManager->SetAppearance(xtpTabAppearanceBoxed);
        tabs.m_pPaintManager->SetColor(c.color);
        button.Set(c.pressed, c.hot);
        DibCanvas canvas(20, 20);
        CRect rc(2, 2, 16, 17);
        tabs.m_pPaintManager->DrawNavigateButton(&canvas.dc, &button, rc);
        if (c.topLeft >= 0)
            EXPECT_EQ(C(c.topLeft), canvas.dc.GetPixel(2, 8)) << c.color << c.pressed << c.hot;
        else
            EXPECT_EQ(RGB(255, 255, 255), canvas.dc.GetPixel(2, 8)) << c.color << c.pressed << c.hot;
        EXPECT_EQ(C(c.glyph), canvas.dc.GetTextColor()) << c.color << c.pressed << c.hot;
        EXPECT_EQ(c.shifted ? CRect(3, 3, 17, 18) : CRect(2, 2, 16, 17), rc);
    }
}
