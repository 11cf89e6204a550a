// The tab appearances: header and client rectangles, tab heights, margins, client frames,
// colour-set masks, pixel probes of the drawn shapes and a row painted under a clip.
#include "CXTPTabAppearance.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "CXTPColorManager.h"
#include "CXTPTabColorSet.h"
#include "TabFixture.h"

namespace {

const COLORREF kHeader = RGB(200, 0, 0), kFace = RGB(0, 200, 0), kFrame = RGB(0, 0, 0), kClient = RGB(0, 0, 200);

// A tab control of a given appearance laid out in a canvas, with plain colours to probe.
struct TabControl {
    explicit TabControl(int appearance, int position = xtpTabPositionTop, std::vector<int> tabs_ = {60, 60, 60})
        : canvas(300, 300)
    {
        paint()->SetAppearance(appearance);
        paint()->SetPosition(position);
        LOGFONTA lf = {};
        lf.lfHeight = -11;
        std::strcpy(lf.lfFaceName, "Arial");
        paint()->SetFontIndirect(&lf);
        paint()->m_bShowIcons = FALSE;
        paint()->RefreshMetrics();
        paint()->SetLayout(xtpTabLayoutFixed);
        tabs.SetItemMetrics(CSize(60, 18));
        for (size_t i = 0; i < tabs_.size(); ++i)
            tabs.InsertItem(-1);
        tabs.control = CRect(10, 10, 290, 290);
        tabs.layoutDC = &canvas.dc;
        tabs.SetCurSel(1);
        Colour();
    }
    CXTPTabPaintManager* paint() { return tabs.m_pPaintManager; }
    CXTPTabColorSet* set() { return paint()->GetColorSet(); }
    void Colour()
    {
        set()->m_clrHeaderFace.clrLight.SetCustomValue(kHeader);
        set()->m_clrHeaderFace.clrDark.SetCustomValue(kHeader);
        set()->m_clrNormalFace.SetCustomValue(kFace);
        set()->m_clrSelectedFace.SetCustomValue(kFace);
        set()->m_clrFrameBorder.SetCustomValue(kFrame);
    }
    void Draw()
    {
        tabs.Reposition();
        paint()->DrawTabControl(&tabs, &canvas.dc, tabs.control);
    }
    COLORREF Pixel(int x, int y) { return canvas.dc.GetPixel(x, y); }

    TestTabManager tabs;
    DibCanvas canvas;
};

}  // namespace

TEST(TabAppearance, HeaderAndClientSitOnTheTabSideOverlappingByOnePixel)
{
    for (int position = 0; position < 4; ++position) {
        TabControl control(xtpTabAppearanceClassic, position);
        CXTPTabAppearance* appearance = control.paint()->GetAppearanceSet();
        const CRect rc(10, 10, 290, 290);
        const int h = appearance->GetTabHeight(&control.tabs) + 3;  // margin top 3, bottom 0
        const CRect expectedHeader[4] = {CRect(10, 10, 290, 10 + h), CRect(10, 10, 10 + h, 290),
                                         CRect(10, 290 - h, 290, 290), CRect(290 - h, 10, 290, 290)};
        const CRect expectedClient[4] = {CRect(10, 9 + h, 290, 290), CRect(9 + h, 10, 290, 290),
                                         CRect(10, 10, 290, 291 - h), CRect(10, 10, 291 - h, 290)};
        EXPECT_EQ(expectedHeader[position], appearance->GetHeaderRect(rc, &control.tabs)) << position;
        EXPECT_EQ(expectedClient[position], appearance->GetClientRect(rc, &control.tabs)) << position;

        // The laid-out tabs lie in the band inside the header, from its left margin on.
        control.tabs.Reposition();
        const CRect first = control.tabs.GetItem(0)->GetRect();
        const int start = position == 0 || position == 2 ? first.left : first.top;
        EXPECT_EQ(10 + 2, start) << position;
        EXPECT_EQ(h - 3, position == 0 || position == 2 ? first.Height() : first.Width()) << position;
        EXPECT_EQ(60, position == 0 || position == 2 ? first.Width() : first.Height()) << position;
        const int band[4] = {first.top - 10, first.left - 10, 290 - first.bottom, 290 - first.right};
        EXPECT_EQ(3, band[position]) << position;
    }
}

TEST(TabAppearance, TabHeightKeepsRoomForTextIconAndInset)
{
    TabControl control(xtpTabAppearanceClassic);
    CXTPTabAppearance* appearance = control.paint()->GetAppearanceSet();
    LOGFONTA lf = {};
    lf.lfHeight = -8;  // far below 15 pixels
    std::strcpy(lf.lfFaceName, "Arial");
    control.paint()->SetFontIndirect(&lf);
    appearance->RefreshMetrics();
    EXPECT_EQ(18, appearance->GetTextHeight());

    struct Case {
        BOOL icons;
        int defaultHeight;
        CRect inset;
        int expected;
    } cases[] = {
        {FALSE, 0, CRect(), 18},  {FALSE, 30, CRect(), 30}, {TRUE, 0, CRect(), 20},  // 16 + 4
        {FALSE, 0, CRect(0, 2, 0, 3), 23}, {TRUE, 0, CRect(0, 2, 0, 3), 25},
    };
    for (const Case& c : cases) {
        control.paint()->m_bShowIcons = c.icons;
        control.paint()->m_rcButtonMargin = c.inset;
        control.tabs.SetItemMetrics(CSize(60, c.defaultHeight));
        EXPECT_EQ(c.expected, appearance->GetTabHeight(&control.tabs)) << c.icons << " " << c.defaultHeight;
    }
}

TEST(TabAppearance, SlantedAndTrapezoidRowsKeepRoomForTheirSlants)
{
    TabControl slanted(xtpTabAppearanceSlanted);
    const int text = slanted.paint()->GetAppearanceSet()->GetTextHeight();
    EXPECT_EQ(CRect(2 + text, 3, 6, 0), slanted.paint()->GetAppearanceSet()->GetHeaderMargin());
    TabControl trapezoid(xtpTabAppearanceTrapezoid);
    EXPECT_EQ(CRect(2 + text / 2, 3, 2 + text / 2, 0), trapezoid.paint()->GetAppearanceSet()->GetHeaderMargin());
    TabControl raised(xtpTabAppearanceRaised);
    EXPECT_EQ(CRect(4, 2, 4, 0), raised.paint()->GetAppearanceSet()->GetHeaderMargin());
}

TEST(TabAppearance, ClientFrameModesShrinkThePageAsTheirFramesNeed)
{
    for (int mode = 0; mode < 3; ++mode) {
        TabControl control(xtpTabAppearanceBoxed);
        control.paint()->m_nFrameStyle = mode;
        control.tabs.Reposition();
        const int h = control.paint()->GetAppearanceSet()->GetTabHeight(&control.tabs) + 2;
        const CRect expected[3] = {CRect(12, 11 + h, 288, 288), CRect(10, 11 + h, 290, 290),
                                   CRect(10, 9 + h, 290, 290)};
        EXPECT_EQ(expected[mode], control.tabs.m_rcClient) << mode;
    }
    // A static frame and the client margin shrink it further.
    TabControl control(xtpTabAppearanceBoxed);
    control.paint()->m_bStaticFrame = TRUE;
    control.paint()->m_rcClientMargin = CRect(1, 1, 1, 1);
    control.tabs.Reposition();
    const int h = control.paint()->GetAppearanceSet()->GetTabHeight(&control.tabs) + 2;
    EXPECT_EQ(CRect(15, 13 + h, 285, 285), control.tabs.m_rcClient);
}

TEST(TabAppearance, ClientFramesAreDrawnByModeButNeverByFlatButtons)
{
    for (int appearance : {xtpTabAppearanceBoxed, xtpTabAppearanceFlatButtons}) {
        for (int mode = 0; mode < 3; ++mode) {
            TabControl control(appearance);
            control.paint()->m_nFrameStyle = mode;
            control.set()->m_clrSelectedFace.SetCustomValue(kClient);  // the client fill
            control.Draw();
            const CRect client = control.paint()->GetAppearanceSet()->GetClientRect(CRect(10, 10, 290, 290), &control.tabs);
            const COLORREF side = control.Pixel(client.left, client.top + 30);
            const COLORREF topEdge = control.Pixel(250, client.top);
            const COLORREF inside = control.Pixel(150, client.top + 30);
            const bool frame = appearance != xtpTabAppearanceFlatButtons && mode == 0;
            const bool line = appearance != xtpTabAppearanceFlatButtons && mode <= 1;
            EXPECT_EQ(frame, side == kFrame) << appearance << " mode " << mode;
            EXPECT_EQ(line, topEdge == kFrame) << appearance << " mode " << mode;
            EXPECT_EQ(frame, inside == kClient) << appearance << " mode " << mode;
        }
    }
}

TEST(TabAppearance, EachStyleNamesTheColourSetsThatSuitIt)
{
    CXTPTabPaintManager* paint = new CXTPTabPaintManager();
    const int masks[9] = {13, 13, 7, 21, 31, 7, 7, 7, 5};
    for (int style = 0; style < 9; ++style) {
        paint->SetAppearance(style);
        EXPECT_EQ(masks[style], paint->GetAppearanceSet()->GetSupportedColorSets()) << style;
        EXPECT_TRUE(masks[style] & paint->GetColor()) << style;  // the default set is one of them
    }
    paint->InternalRelease();
}

TEST(TabAppearance, SlantedTabsAreFilledPolygonsAtEveryPosition)
{
    for (int position = 0; position < 4; ++position) {
        TabControl control(xtpTabAppearanceSlanted, position);
        control.paint()->SetColor(xtpTabColorDefault);
        control.Colour();
        control.Draw();
        const CRect rc = control.tabs.GetItem(2)->GetRect();  // the last tab: no neighbour's slant over it
        const int w = position % 2 == 0 ? rc.Width() : rc.Height();
        const int h = position % 2 == 0 ? rc.Height() : rc.Width();
        // Inside the face near the trailing side, and the outer leading corner left out by the slant.
        const CPoint inside = CXTPTabAppearance::TurnPoint(rc, w - 4, h / 2, position);
        const CPoint corner = CXTPTabAppearance::TurnPoint(rc, 1, 1, position);
        EXPECT_EQ(kFace, control.Pixel(inside.x, inside.y)) << position;
        EXPECT_EQ(kHeader, control.Pixel(corner.x, corner.y)) << position;
        // The outline runs along the trailing side.
        const CPoint outline = CXTPTabAppearance::TurnPoint(rc, w, h / 2, position);
        EXPECT_EQ(static_cast<COLORREF>(control.set()->m_clrNormalOutline), control.Pixel(outline.x, outline.y))
            << position;
    }
}

TEST(TabAppearance, RoundedTabsSmoothTheirOuterCorners)
{
    TabControl control(xtpTabAppearanceRounded);
    control.Draw();
    const CRect rc = control.tabs.GetItem(0)->GetRect();
    // The corner pixel keeps the header; its neighbours are averaged with it.
    EXPECT_EQ(kHeader, control.Pixel(rc.left, rc.top));
    const COLORREF below = control.Pixel(rc.left, rc.top + 1);
    EXPECT_NEAR(100, GetRValue(below), 1);
    EXPECT_EQ(0, GetGValue(below));
    const COLORREF inner = control.Pixel(rc.left + 1, rc.top + 1);
    EXPECT_NE(kFace, inner);
    EXPECT_NE(kFrame, inner);
    // Away from the corners the frame and the face are untouched.
    EXPECT_EQ(kFrame, control.Pixel(rc.left, rc.top + 8));
    EXPECT_EQ(kFace, control.Pixel(rc.left + 8, rc.top + 8));

    // Without smoothing an unselected tab gets a rounded outline and no square frame.
    TabControl plain(xtpTabAppearanceRounded);
    static_cast<CXTPTabAppearanceRounded*>(plain.paint()->GetAppearanceSet())->m_bCornerSmoothing = FALSE;
    plain.Draw();
    const CRect rc0 = plain.tabs.GetItem(0)->GetRect();
    EXPECT_EQ(kFrame, plain.Pixel(rc0.left + 10, rc0.top));
    EXPECT_NE(kFrame, plain.Pixel(rc0.left, rc0.top));  // the round corner leaves it out
}

TEST(TabAppearance, TrapezoidEdgesComeFromTheEdgeGroups)
{
    TabControl control(xtpTabAppearanceTrapezoid);
    CXTPTabColorSet* set = control.set();
    set->m_clrNormalEdges[0].SetCustomValue(RGB(1, 2, 3));
    set->m_clrSelectedEdges[0].SetCustomValue(RGB(4, 5, 6));
    control.Draw();
    for (int i : {0, 1}) {
        const CRect rc = control.tabs.GetItem(i)->GetRect();
        const int hb = rc.Height() - 1, s = hb / 2, u0 = -(s / 2);
        const CPoint farSide = CXTPTabAppearance::TurnPoint(rc, u0 + rc.Width() / 2, hb - 2 * s, xtpTabPositionTop);
        EXPECT_EQ(i == 1 ? RGB(4, 5, 6) : RGB(1, 2, 3), control.Pixel(farSide.x, farSide.y)) << i;
    }
}

TEST(TabAppearance, StackedBarsCarryAGripAndLeaveTheClientBelowTheSelectedBar)
{
    TabControl control(xtpTabAppearanceStacked);
    control.Draw();
    EXPECT_TRUE(control.tabs.m_rcHeaderRect.IsRectEmpty());
    const int h = control.paint()->GetAppearanceSet()->GetTabHeight(&control.tabs);
    const CRect first = control.tabs.GetItem(0)->GetRect(), selected = control.tabs.GetItem(1)->GetRect(),
                last = control.tabs.GetItem(2)->GetRect();
    EXPECT_EQ(CRect(11, 11, 289, 11 + h), first);
    EXPECT_EQ(11 + h, selected.top);
    EXPECT_EQ(289, last.bottom);  // pushed down to the bottom
    EXPECT_EQ(CRect(11, selected.bottom, 289, last.top), control.tabs.m_rcClient);

    const COLORREF grip = GetManagedColor(38);
    EXPECT_EQ(grip, control.Pixel(first.right - 7, first.top + 4));
    EXPECT_EQ(grip, control.Pixel(first.right - 5, first.top + 6));
    EXPECT_NE(grip, control.Pixel(first.right - 4, first.top + 4));
    EXPECT_NE(grip, control.Pixel(first.right - 7, first.top + 5));

    TabControl single(xtpTabAppearanceStacked, xtpTabPositionTop, {60});
    single.tabs.SetCurSel(0);
    single.tabs.Reposition();
    EXPECT_EQ(11, single.tabs.GetItem(0)->GetRect().top);
    EXPECT_EQ(CRect(11, 11 + h, 289, 289), single.tabs.m_rcClient);
}

TEST(TabAppearance, TabsAreClippedBeforeTheNavigationButtonsAndTheSelectedOneLiesOnTop)
{
    TabControl control(xtpTabAppearanceBoxed);
    control.tabs.SetItemMetrics(CSize(120, 18));  // 360 pixels of tabs in a row of 280
    control.set()->m_clrSelectedFace.SetCustomValue(kClient);
    control.Draw();
    // The arrows sit at the row's end, the left one innermost.
    const CRect left = control.tabs.FindNavigateButton(xtpTabNavigateButtonLeft)->GetRect();
    const CRect right = control.tabs.FindNavigateButton(xtpTabNavigateButtonRight)->GetRect();
    ASSERT_FALSE(left.IsRectEmpty());
    EXPECT_EQ(left.right, right.left);
    const CRect third = control.tabs.GetItem(2)->GetRect();
    ASSERT_LT(third.left, left.left - 3);
    ASSERT_GT(third.right, right.right);  // the third tab runs on under the buttons
    EXPECT_EQ(kFace, control.Pixel(left.left - 3, left.top + 1));
    EXPECT_EQ(kHeader, control.Pixel(left.left + 1, left.top + 1));
    EXPECT_EQ(kHeader, control.Pixel(right.right - 1, right.top + 1));

    // The selected tab's frame covers its neighbours' shared edge.
    const CRect selected = control.tabs.GetItem(1)->GetRect();
    EXPECT_EQ(kFrame, control.Pixel(selected.left, selected.top + 5));
    EXPECT_EQ(kClient, control.Pixel(selected.left + 5, selected.top + 5));
}

TEST(TabAppearance, WorkspacePartsFollowTheStaticFrameOption)
{
    TabControl control(xtpTabAppearanceSlanted);
    CXTPTabAppearance* appearance = control.paint()->GetAppearanceSet();
    control.set()->m_clrControlFace.SetCustomValue(kClient);
    for (BOOL staticFrame : {FALSE, TRUE}) {
        control.paint()->m_bStaticFrame = staticFrame;
        RECT rc = {10, 10, 50, 50};
        appearance->DrawWorkspacePart(&control.canvas.dc, &rc, 1);
        EXPECT_EQ(staticFrame ? CRect(10, 9, 50, 50) : CRect(8, 8, 52, 52), CRect(rc)) << staticFrame;
        RECT splitter = {100, 10, 106, 60};
        appearance->DrawWorkspacePart(&control.canvas.dc, &splitter, 2);
        EXPECT_EQ(staticFrame ? kClient : kHeader, control.Pixel(101, 20)) << staticFrame;
        EXPECT_EQ(staticFrame ? kFrame : kHeader, control.Pixel(105, 20)) << staticFrame;
    }
}

namespace {

// Paints a row of 30 captioned tabs whole and under a clip of the row's middle third; counts
// the pixels of the clipped paint that differ from the whole one inside the clip or from the
// background outside it, and whether the caller's font was left in place.
struct ClippedPaint {
    int wrongPixels = 0;
    bool fontKept = false;
};

ClippedPaint PaintUnderClip(int appearance, int position, int set, int layout, int length)
{
    const COLORREF kBackground = RGB(1, 2, 3);
    TestTabManager tabs;
    tabs.m_pPaintManager->SetAppearance(appearance);
    tabs.m_pPaintManager->SetPosition(position);
    tabs.m_pPaintManager->SetColor(set);
    tabs.m_pPaintManager->SetLayout(layout);
    for (int i = 0; i < 30; ++i)
        tabs.InsertItem(-1)->SetCaption(("Script file " + std::to_string(i) + ".d").c_str());
    tabs.SetCurSel(10);
    // Along the row is x at the top, y at the right.
    const bool top = position == xtpTabPositionTop;
    auto turn = [top](int along0, int across0, int along1, int across1) {
        return top ? CRect(along0, across0, along1, across1) : CRect(across0, along0, across1, along1);
    };
    const CRect rc = turn(0, 0, length, 28), rcCanvas = turn(0, 0, 600, 30);
    const CRect rcClip = turn(length / 3, 0, 2 * length / 3, 30);
    DibCanvas full(rcCanvas.Width(), rcCanvas.Height()), clipped(rcCanvas.Width(), rcCanvas.Height());
    HGDIOBJ callersFont = ::GetStockObject(ANSI_FIXED_FONT);
    for (DibCanvas* canvas : {&full, &clipped}) {
        canvas->dc.FillSolidRect(rcCanvas, kBackground);
        ::SelectObject(canvas->dc, callersFont);
        tabs.m_pPaintManager->RepositionTabControl(&tabs, &canvas->dc, rc);
    }
    tabs.m_pPaintManager->DrawTabControl(&tabs, &full.dc, rc);
    clipped.dc.IntersectClipRect(rcClip);
    tabs.m_pPaintManager->DrawTabControl(&tabs, &clipped.dc, rc);
    ::SelectClipRgn(clipped.dc, nullptr);

    ClippedPaint result;
    for (int y = 0; y < rcCanvas.Height(); ++y)
        for (int x = 0; x < rcCanvas.Width(); ++x) {
            const bool inside = rcClip.PtInRect(CPoint(x, y)) != FALSE;
            result.wrongPixels += clipped.dc.GetPixel(x, y) != (inside ? full.dc.GetPixel(x, y) : kBackground);
        }
    result.fontKept = ::GetCurrentObject(clipped.dc, OBJ_FONT) == callersFont;
    return result;
}

}  // namespace

TEST(TabAppearance, ARowPaintedUnderTheCallersClipMatchesTheFullPaintThereAndLeavesTheRestAlone)
{
    // Tabs out of the clip are skipped, shaped faces set and put back their own clip, and the
    // row keeps one font in place while it paints: none of it may show in the pixels or leak
    // into the caller's DC. Shapes that reach past their tabs, both directions of the row. (Not
    // the rounded style: it averages corner pixels with neighbours a clip edge leaves unpainted.)
    const int appearances[] = {xtpTabAppearanceSlanted, xtpTabAppearanceTrapezoid, xtpTabAppearanceBoxed,
                               xtpTabAppearanceClassic};
    for (int appearance : appearances)
        for (int position : {xtpTabPositionTop, xtpTabPositionRight})
            for (int set : {xtpTabColorScheme, xtpTabColorDefault})
                for (int layout : {xtpTabLayoutAutoSize, xtpTabLayoutSizeToFit})
                    for (int length : {600, 431, 300}) {
                        const ClippedPaint paint = PaintUnderClip(appearance, position, set, layout, length);
                        EXPECT_EQ(0, paint.wrongPixels)
                            << appearance << " " << position << " " << set << " " << layout << " " << length;
                        EXPECT_TRUE(paint.fontKept);
                    }
}
