// The tab paint manager: appearance and colour-set choice, oriented margins, fonts, tab
// lengths by layout, text fitting, scrolling into view and shrinking a row to fit.
#include "CXTPTabPaintManager.h"

#include <gtest/gtest.h>

#include <cstring>
#include <numeric>
#include <typeinfo>

#include "CXTPDrawHelpers.h"
#include "CXTPFontDC.h"
#include "CXTPTabAppearance.h"
#include "CXTPTabColorSet.h"
#include "TabFixture.h"

TEST(TabPaintManager, EachAppearanceInstallsItsDefaultColourSet)
{
    CXTPTabPaintManager* paint = new CXTPTabPaintManager();
    struct Case {
        int appearance;
        int colorSet;
        const std::type_info& appearanceClass;
    } cases[] = {
        {0, 1, typeid(CXTPTabAppearanceClassic)},   {1, 1, typeid(CXTPTabAppearanceHotClassic)},
        {2, 1, typeid(CXTPTabAppearanceRounded)},   {3, 4, typeid(CXTPTabAppearanceSlanted)},
        {4, 2, typeid(CXTPTabAppearanceFlatButtons)}, {5, 2, typeid(CXTPTabAppearanceRaised)},
        {6, 2, typeid(CXTPTabAppearanceBoxed)},     {7, 2, typeid(CXTPTabAppearanceTrapezoid)},
        {8, 1, typeid(CXTPTabAppearanceStacked)},   {9, 1, typeid(CXTPTabAppearanceClassic)},
        {-1, 1, typeid(CXTPTabAppearanceClassic)},
    };
    for (const Case& c : cases) {
        paint->SetAppearance(c.appearance);
        EXPECT_EQ(c.appearance, paint->GetAppearance());
        EXPECT_EQ(c.colorSet, paint->GetColor()) << c.appearance;
        EXPECT_EQ(c.appearanceClass, typeid(*paint->GetAppearanceSet())) << c.appearance;
    }
    struct ColorCase {
        int color;
        const std::type_info& colorClass;
    } colors[] = {
        {1, typeid(CXTPTabColorSetDefault)}, {2, typeid(CXTPTabColorSetSoft)},  {3, typeid(CXTPTabColorSetDefault)},
        {4, typeid(CXTPTabColorSetScheme)},  {8, typeid(CXTPTabColorSetNative)}, {16, typeid(CXTPTabColorSetLight)},
        {0, typeid(CXTPTabColorSetDefault)},
    };
    for (const ColorCase& c : colors) {
        paint->SetColor(c.color);
        EXPECT_EQ(c.colorClass, typeid(*paint->GetColorSet())) << c.color;
        EXPECT_EQ(paint, paint->GetColorSet()->GetPaintManager());
    }
    paint->InternalRelease();
}

TEST(TabPaintManager, ObserversHearOfEveryChange)
{
    TestTabManager tabs;
    tabs.repositions = 0;
    tabs.m_pPaintManager->SetPosition(xtpTabPositionLeft);
    tabs.m_pPaintManager->SetLayout(xtpTabLayoutFixed);
    tabs.m_pPaintManager->SetColor(xtpTabColorScheme);
    EXPECT_EQ(3, tabs.repositions);
    tabs.m_pPaintManager->SetAppearance(xtpTabAppearanceBoxed);  // the appearance and its colour set
    EXPECT_EQ(5, tabs.repositions);
}

TEST(TabPaintManager, MarginsAreOrientedSoThatTheSecondValueFacesTheRow)
{
    const CRect margins(1, 2, 3, 4);
    struct Case {
        int position;
        CRect expected;
    } cases[] = {
        {xtpTabPositionTop, CRect(11, 22, 97, 196)},
        {xtpTabPositionLeft, CRect(12, 21, 96, 197)},
        {xtpTabPositionBottom, CRect(11, 24, 97, 198)},
        {xtpTabPositionRight, CRect(14, 21, 98, 197)},
    };
    for (const Case& c : cases) {
        CRect rc(10, 20, 100, 200);
        CXTPTabPaintManager::DeflateOriented(rc, margins, c.position);
        EXPECT_EQ(c.expected, rc) << c.position;
    }
}

TEST(TabPaintManager, VerticalFontsAreTurnedAndNeverTiny)
{
    CXTPTabPaintManager* paint = new CXTPTabPaintManager();
    struct Case {
        int height, vertical;
    } cases[] = {{-8, -11}, {-1, -11}, {-10, -11}, {-12, -12}, {8, 8}};
    for (const Case& c : cases) {
        LOGFONTA lf = {};
        lf.lfHeight = c.height;
        std::strcpy(lf.lfFaceName, "Arial");
        paint->SetFontIndirect(&lf);
        LOGFONTA normal = {}, vertical = {}, bold = {};
        ::GetObjectA(*paint->GetFont(FALSE, FALSE), sizeof(normal), &normal);
        ::GetObjectA(*paint->GetFont(FALSE, TRUE), sizeof(vertical), &vertical);
        ::GetObjectA(*paint->GetFont(TRUE, TRUE), sizeof(bold), &bold);
        EXPECT_EQ(c.height, normal.lfHeight);
        EXPECT_EQ(FW_NORMAL, normal.lfWeight);
        EXPECT_EQ(c.vertical, vertical.lfHeight) << c.height;
        EXPECT_EQ(2700, vertical.lfEscapement);
        EXPECT_EQ(900, vertical.lfOrientation);
        EXPECT_EQ(FW_BOLD, bold.lfWeight);
        EXPECT_STREQ(CXTPDrawHelpers::GetDefaultFontName(), vertical.lfFaceName);
    }
    // A null font only records the flag.
    paint->SetFontIndirect(nullptr, TRUE);
    EXPECT_TRUE(paint->m_bUseStandardFont);
    paint->InternalRelease();
}

namespace {

int CaptionWidth(CXTPTabPaintManager* paint, CDC* dc, const char* text, UINT prefix = DT_NOPREFIX)
{
    CXTPFontDC font(dc, paint->GetFont(FALSE, FALSE));
    CRect rc(0, 0, 0, 0);
    dc->DrawText(text, -1, rc, DT_CALCRECT | DT_SINGLELINE | DT_NOCLIP | prefix);
    return rc.Width();
}

}  // namespace

TEST(TabPaintManager, TabLengthsFollowTheLayoutAndAreClampedAfterTheInset)
{
    TestTabManager tabs;
    CXTPTabPaintManager* paint = tabs.m_pPaintManager;
    paint->m_rcButtonMargin = CRect(3, 0, 5, 0);
    DibCanvas canvas(10, 10);
    CDC* dc = &canvas.dc;
    tabs.InsertItem(-1)->SetCaption("Short");
    tabs.InsertItem(-1)->SetCaption("A much longer caption");
    tabs.SetCurSel(0);
    CXTPTabManagerItem* shortTab = tabs.GetItem(0);
    CXTPTabManagerItem* longTab = tabs.GetItem(1);
    const int shortText = CaptionWidth(paint, dc, "Short"), longText = CaptionWidth(paint, dc, "A much longer caption");

    struct Case {
        int layout;
        CSize min, max;
        CXTPTabManagerItem* item;
        int expected;
    } cases[] = {
        {xtpTabLayoutAutoSize, {0, 0}, {0, 0}, shortTab, shortText + 12 + 8},
        {xtpTabLayoutAutoSize, {100, 0}, {0, 0}, shortTab, 100},
        {xtpTabLayoutAutoSize, {0, 0}, {60, 0}, longTab, 60},
        {xtpTabLayoutSizeToFit, {0, 0}, {0, 0}, longTab, longText + 12 + 8},
        {xtpTabLayoutFixed, {0, 0}, {0, 0}, longTab, 70 + 8},  // the default width
        {xtpTabLayoutFixed, {0, 0}, {50, 0}, longTab, 50},
        {xtpTabLayoutCompressed, {0, 0}, {0, 0}, longTab, 8 + 8},  // not selected: no caption
        {xtpTabLayoutCompressed, {0, 0}, {0, 0}, shortTab, longText + 12 + 8},  // selected: the widest caption
    };
    for (const Case& c : cases) {
        paint->SetLayout(c.layout);
        tabs.SetItemMetrics(CSize(70, 18), c.min, c.max);
        EXPECT_EQ(c.expected, paint->DrawTabText(dc, c.item, CRect(), FALSE))
            << c.layout << " " << c.item->GetCaption();
    }
    // An icon adds its width and two pixels.
    tabs.icons = TRUE;
    tabs.SetItemMetrics(CSize(70, 18));
    paint->SetLayout(xtpTabLayoutCompressed);
    EXPECT_EQ(16 + 2 + 8 + 8, paint->DrawTabText(dc, longTab, CRect(), FALSE));
    paint->SetLayout(xtpTabLayoutAutoSize);
    EXPECT_EQ(shortText + 16 + 2 + 12 + 8, paint->DrawTabText(dc, shortTab, CRect(), FALSE));
    EXPECT_EQ(13, paint->ClampItemLength(5, 0, 0));
    EXPECT_EQ(20, paint->ClampItemLength(5, 20, 0));
    EXPECT_EQ(10, paint->ClampItemLength(5, 0, 10));
}

TEST(TabPaintManager, CaptionsWithMnemonicsAreMeasuredAsShown)
{
    TestTabManager tabs;
    CXTPTabPaintManager* paint = tabs.m_pPaintManager;
    DibCanvas canvas(10, 10);
    tabs.InsertItem(-1)->SetCaption("Save && &Quit");
    paint->m_bDrawTextNoPrefix = FALSE;
    EXPECT_EQ(CaptionWidth(paint, &canvas.dc, "Save & Quit") + 12,
              paint->DrawTabText(&canvas.dc, tabs.GetItem(0), CRect(), FALSE));
    paint->m_bDrawTextNoPrefix = TRUE;
    EXPECT_EQ(CaptionWidth(paint, &canvas.dc, "Save && &Quit") + 12,
              paint->DrawTabText(&canvas.dc, tabs.GetItem(0), CRect(), FALSE));

    struct Case {
        const char* text;
        const char* stripped;
    } cases[] = {{"Save && &Quit", "Save & Quit"}, {"&File", "File"}, {"&&&x", "&x"}, {"x&", "x"}, {"", ""}};
    for (const Case& c : cases)
        EXPECT_STREQ(c.stripped, CXTPTabPaintManager::StripMnemonics(c.text)) << c.text;

    CXTPFontDC font(&canvas.dc, paint->GetFont(FALSE, FALSE));
    EXPECT_EQ(paint->GetTextWidth(&canvas.dc, "a&b", 0), paint->GetTextWidth(&canvas.dc, "ab", DT_NOPREFIX));
    EXPECT_GT(paint->GetTextWidth(&canvas.dc, "a&b", DT_NOPREFIX), paint->GetTextWidth(&canvas.dc, "ab", DT_NOPREFIX));
}

TEST(TabPaintManager, MiddleEllipsisKeepsBothEndsInTheRoomThereIs)
{
    CXTPTabPaintManager* paint = new CXTPTabPaintManager();
    DibCanvas canvas(10, 10);
    CDC* dc = &canvas.dc;
    CXTPFontDC font(dc, paint->GetFont(FALSE, FALSE));
    const CString text = "Beginning of a long caption end";
    const int width = paint->GetTextWidth(dc, text, DT_NOPREFIX);
    const int ellipsis = paint->GetTextWidth(dc, "...", DT_NOPREFIX);

    EXPECT_EQ(text, paint->GetMiddleEllipsisText(dc, text, width, DT_NOPREFIX));
    EXPECT_EQ(CString("..."), paint->GetMiddleEllipsisText(dc, text, ellipsis, DT_NOPREFIX));
    EXPECT_EQ(CString("..."), paint->GetMiddleEllipsisText(dc, text, 0, DT_NOPREFIX));
    for (int room : {width / 2, width - 1, ellipsis + 12}) {
        const CString shown = paint->GetMiddleEllipsisText(dc, text, room, DT_NOPREFIX);
        const int dots = shown.Find("...");
        ASSERT_GE(dots, 0) << room;
        const int kept = shown.GetLength() - 3;
        EXPECT_EQ(text.Left(kept - kept / 2), shown.Left(dots)) << room;
        EXPECT_EQ(text.Right(kept / 2), shown.Mid(dots + 3)) << room;
        EXPECT_LE(paint->GetTextWidth(dc, shown, DT_NOPREFIX), room + 1) << room;
        // One more character would not have fitted.
        const CString more = text.Left(kept + 1 - (kept + 1) / 2) + text.Right((kept + 1) / 2);
        EXPECT_GT(paint->GetTextWidth(dc, more, DT_NOPREFIX), room - ellipsis) << room;
    }
    paint->InternalRelease();
}

TEST(TabPaintManager, EnsureVisibleScrollsTheTabIntoTheHeader)
{
    TestTabManager tabs;
    const int margin = tabs.m_pPaintManager->GetAppearanceSet()->GetHeaderMargin().left;
    tabs.SetRow({50});
    tabs.m_rcHeaderRect = CRect(10, 0, 210, 24);
    struct Case {
        CRect item;
        int offset, expected;
    } cases[] = {
        {CRect(-20, 0, 30, 20), -40, margin + (-40 + 20) + 10},
        {CRect(180, 0, 260, 20), -40, -40 - 260 + 210},
        {CRect(50, 0, 100, 20), -40, -40},  // already visible
    };
    for (const Case& c : cases) {
        tabs.SetScrollOffset(c.offset);
        tabs.GetItem(0)->SetRect(c.item);
        tabs.m_pPaintManager->EnsureVisible(&tabs, tabs.GetItem(0));
        EXPECT_EQ(c.expected, tabs.GetScrollOffset()) << c.item.left;
    }
    tabs.m_rcHeaderRect.SetRectEmpty();
    tabs.GetItem(0)->SetRect(CRect(-300, 0, -250, 20));
    tabs.m_pPaintManager->EnsureVisible(&tabs, tabs.GetItem(0));
    EXPECT_EQ(-40, tabs.GetScrollOffset());  // no header yet: nothing to do
}

TEST(TabPaintManager, ShrinkToFitTakesFromTheLongestAndFillsTheRoomExactly)
{
    struct Case {
        std::vector<int> lengths;
        int available;
        std::vector<int> expected;
    } cases[] = {
        {{100, 100, 60, 40}, 250, {75, 75, 60, 40}},
        {{100, 100, 60, 40}, 200, {53, 53, 54, 40}},  // the odd pixels come off the first tabs
        {{100, 100, 100}, 200, {67, 67, 66}},
        {{40, 100, 60, 100}, 200, {40, 53, 53, 54}},
        {{100, 100}, 300, {100, 100}},  // fits already
        {{180}, 120, {120}},
        {{30, 30}, 31, {16, 15}},
    };
    for (const Case& c : cases) {
        TestTabManager tabs;
        tabs.SetRow(c.lengths);
        tabs.m_pPaintManager->ShrinkToFit(&tabs, c.available);
        EXPECT_EQ(c.expected, tabs.Lengths()) << c.available;
        if (std::accumulate(c.lengths.begin(), c.lengths.end(), 0) > c.available) {
            EXPECT_EQ(c.available, tabs.GetItemsLength());
        }
    }
}
