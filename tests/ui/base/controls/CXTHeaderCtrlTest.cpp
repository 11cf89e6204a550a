// Header controls on a real report list: the context menu and its commands, fixed columns, fitting widths, themes.
#include "ListFixture.h"

#include "../drawing/DibCanvas.h"
#include "CMenu.h"
#include "CXTPColorManager.h"
#include "CXTPDrawHelpers.h"
#include "TrackControlMenu.h"

namespace {

// What a popup menu showed when it was tracked.
struct MenuSeen {
    bool shown = false;
    int found = 0;        // of the five commands
    UINT states[5] = {};  // 9158 to 9162
};
MenuSeen g_seen;

// Stands in for the tracker: reads the checks of the menu handed over and chooses nothing.
int ReadMenu(CMenu* pMenu, UINT, int, int, CWnd*, UINT)
{
    g_seen.shown = true;
    for (UINT i = 0; i < 5; ++i) {
        const UINT state = ::GetMenuState(pMenu->GetSafeHmenu(), 9158 + i, MF_BYCOMMAND);
        g_seen.found += state != static_cast<UINT>(-1) ? 1 : 0;
        g_seen.states[i] = (state != static_cast<UINT>(-1) && (state & MF_CHECKED)) ? MF_CHECKED : MF_UNCHECKED;
    }
    return 0;
}

class HeaderTest : public ListFixture {
protected:
    CXTFlatHeaderCtrl& flat() { return base().GetFlatHeader(); }

    // Right-clicks a column's header and reports the menu that opened, if any.
    MenuSeen RightClick(int column)
    {
        g_seen = MenuSeen();
        const PFNTRACKCONTROLMENU previous = SetControlMenuTracker(ReadMenu);
        Mouse(WM_RBUTTONDOWN, Middle(column), MK_RBUTTON);
        Mouse(WM_RBUTTONUP, Middle(column));
        SetControlMenuTracker(previous);
        return g_seen;
    }

    std::vector<int> Widths()
    {
        return {list.GetColumnWidth(0), list.GetColumnWidth(1), list.GetColumnWidth(2)};
    }

    void Print(DibCanvas& canvas)
    {
        ::SendMessageA(header(), WM_PRINT, reinterpret_cast<WPARAM>(canvas.dc.GetSafeHdc()), PRF_CLIENT);
    }
};

TEST_F(HeaderTest, ContextMenuChecksTheSortAndAlignmentAndItsCommandsResort)
{
    MakeList();
    ASSERT_TRUE(base().AttachFlatHeader());
    base().SetSortColumn(1, TRUE);
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT;
    column.fmt = LVCFMT_CENTER;
    list.SetColumn(1, &column);

    MenuSeen seen = RightClick(1);
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.found, 5);
    EXPECT_TRUE(seen.states[0] & MF_CHECKED);    // Sort Ascending
    EXPECT_FALSE(seen.states[1] & MF_CHECKED);   // Sort Descending
    EXPECT_FALSE(seen.states[2] & MF_CHECKED);   // Align Left
    EXPECT_TRUE(seen.states[3] & MF_CHECKED);    // Align Center
    seen = RightClick(2);                         // not the sorted column
    ASSERT_TRUE(seen.shown);
    EXPECT_FALSE(seen.states[0] & MF_CHECKED);
    EXPECT_TRUE(seen.states[2] & MF_CHECKED);

    // The commands act on the column last right-clicked.
    flat().m_ptPopup = Middle(1);
    ::SendMessageA(header(), WM_COMMAND, XT_IDC_SORTASC, 0);
    EXPECT_TRUE(list.sorts.empty());  // already sorted that way: nothing is announced
    ::SendMessageA(header(), WM_COMMAND, XT_IDC_SORTDSC, 0);
    ASSERT_EQ(list.sorts.size(), 1u);
    EXPECT_EQ(list.sorts[0].column, 1);
    EXPECT_FALSE(list.sorts[0].ascending);

    const struct {
        UINT command;
        int format;
    } alignments[] = {{XT_IDC_ALIGNRIGHT, LVCFMT_RIGHT}, {XT_IDC_ALIGNLEFT, LVCFMT_LEFT},
                      {XT_IDC_ALIGNCENTER, LVCFMT_CENTER}};
    for (const auto& a : alignments) {
        ::SendMessageA(header(), WM_COMMAND, a.command, 0);
        list.GetColumn(1, &column);
        EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, a.format) << a.command;
    }
}

TEST_F(HeaderTest, NoMenuWithoutSortHeaderOrWithMenusOff)
{
    MakeList(LVS_NOSORTHEADER);
    ASSERT_TRUE(base().AttachFlatHeader());
    EXPECT_FALSE(RightClick(0).shown);
    list.DestroyWindow();
    MakeList();
    ASSERT_TRUE(base().AttachFlatHeader());
    flat().EnableMenus(FALSE);
    EXPECT_FALSE(RightClick(0).shown);
    flat().EnableMenus(TRUE);
    EXPECT_TRUE(RightClick(0).shown);
}

TEST_F(HeaderTest, FixedColumnRefusesItsDividerAndKeepsTheArrowCursor)
{
    MakeList();
    ASSERT_TRUE(base().AttachFlatHeader());
    flat().FreezeColumn(0);
    EXPECT_EQ(DragDivider(0, 40), 120);
    EXPECT_EQ(DragDivider(1, 20), 100);
    list.SetColumnWidth(0, 50);
    EXPECT_EQ(list.GetColumnWidth(0), 120);

    HCURSOR arrow = ::LoadCursor(nullptr, IDC_ARROW);
    auto cursorAt = [&](CPoint client) {
        CPoint screen = client;
        ::ClientToScreen(header(), &screen);
        ::SetCursorPos(screen.x, screen.y);
        ::SetCursor(nullptr);
        ::SendMessageA(header(), WM_SETCURSOR, reinterpret_cast<WPARAM>(header()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return ::GetCursor();
    };
    EXPECT_EQ(cursorAt(Divider(0)), arrow);
    RECT second = {};
    Header_GetItemRect(header(), 1, &second);
    EXPECT_EQ(cursorAt(CPoint(second.left + 1, 5)), arrow);  // the neighbour's half at the fixed divider
    EXPECT_NE(cursorAt(Divider(1)), arrow);                  // a free divider sizes
}

// Fixed columns keep their widths; the others share what is left. With every column fixed
// there is nobody to share with, and nothing changes.
TEST_F(HeaderTest, DistributingWidthsSkipsFixedColumns)
{
    const struct {
        std::vector<int> fixed;
        int total, minWidth;
        std::vector<int> widths;
    } cases[] = {
        {{}, 300, 0, {100, 100, 100}},
        {{0}, 300, 0, {120, 150, 150}},
        {{0, 1, 2}, 300, 0, {120, 80, 200}},
        {{}, 300, 100, {120, 80, 200}},  // a share not above the minimum is not applied
        {{}, 303, 100, {101, 101, 101}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.total);
        MakeList();
        ASSERT_TRUE(base().AttachFlatHeader());
        for (int col : c.fixed)
            flat().FreezeColumn(col);
        flat().SetMinWidth(c.minWidth);
        flat().DistributeColumnWidths(c.total);
        EXPECT_EQ(Widths(), c.widths);
        for (int col : c.fixed)
            flat().ThawColumn(col);
        list.DestroyWindow();
    }
}

TEST_F(HeaderTest, ResizeToFitTakesOffFixedColumnsAndAutoSizeFollowsTheWidth)
{
    MakeList();
    ASSERT_TRUE(base().AttachFlatHeader());
    flat().FreezeColumn(0);
    flat().ResizeColumnsToFit();
    EXPECT_EQ(Widths(), (std::vector<int>{120, 180, 180}));
    flat().EnableAutoSize(TRUE);
    ::SetWindowPos(header(), nullptr, 0, 0, 320, 20, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    EXPECT_EQ(Widths(), (std::vector<int>{120, 100, 100}));
}

// Each theme's divider, probed at the right edge of the first column, half way down.
TEST_F(HeaderTest, ThemesDrawTheirDividers)
{
    MakeList();
    ASSERT_TRUE(base().AttachFlatHeader());
    RECT item = {};
    Header_GetItemRect(header(), 0, &item);
    const int mid = (item.top + item.bottom) / 2;
    const COLORREF shadow = GetManagedColor(COLOR_BTNSHADOW), dark = GetManagedColor(COLOR_3DDKSHADOW),
                   light = GetManagedColor(COLOR_3DHIGHLIGHT), face = GetManagedColor(COLOR_BTNFACE);
    const struct {
        int theme;
        int dx, y;
        COLORREF color;
    } probes[] = {
        {0, -2, mid, shadow}, {0, -1, mid, dark}, {0, 0, mid, light},
        {1, -2, mid, shadow}, {1, -1, mid, light}, {1, -3, mid, face},
        {2, -2, mid, shadow}, {2, -1, mid, light},
        {2, -2, static_cast<int>(item.bottom) - 3, CXTPDrawHelpers::BlendColors(shadow, face, 0.25)},
    };
    CXTHeaderThemeFactory factory;
    int theme = -1;
    DibCanvas canvas(480, 40);
    for (const auto& p : probes) {
        if (p.theme != theme) {
            theme = p.theme;
            flat().SetTheme(factory.CreateTheme(theme));
            ASSERT_EQ(flat().GetTheme()->m_nTheme, theme);
            Print(canvas);
        }
        EXPECT_EQ(::GetPixel(canvas.dc, item.right + p.dx, p.y), p.color) << p.theme << " at " << p.dx;
    }
}

TEST_F(HeaderTest, SortArrowIsLeftOutWhereTheColumnIsTooNarrow)
{
    MakeList();
    ASSERT_TRUE(base().AttachFlatHeader());
    HDITEMA blank = {};
    blank.mask = HDI_TEXT;
    blank.pszText = const_cast<char*>("");
    Header_SetItem(header(), 0, &blank);
    auto arrowDrawn = [&](int width) {
        list.SetColumnWidth(0, width);
        RECT item = {};
        Header_GetItemRect(header(), 0, &item);
        DibCanvas unsorted(480, 40), sorted(480, 40);
        flat().SetSortColumn(-1, TRUE);
        Print(unsorted);
        flat().SetSortColumn(0, TRUE);
        Print(sorted);
        for (int y = item.top; y < item.bottom; ++y)
            for (int x = item.left; x < item.right; ++x)
                if (::GetPixel(unsorted.dc, x, y) != ::GetPixel(sorted.dc, x, y))
                    return true;
        return false;
    };
    EXPECT_TRUE(arrowDrawn(120));
    EXPECT_FALSE(arrowDrawn(20));
    EXPECT_TRUE(flat().IsSortArrowShown());
    flat().EnableSortArrow(FALSE);
    EXPECT_FALSE(arrowDrawn(120));
}

TEST_F(HeaderTest, ColumnBitmapsAreDrawnBeforeTheTextAndRemoved)
{
    MakeList();
    ASSERT_TRUE(base().AttachFlatHeader());
    RECT item = {};
    Header_GetItemRect(header(), 2, &item);
    auto probeStrip = [&]() {  // the strip where the image goes: left of the column plus the margin
        DibCanvas canvas(480, 40);
        Print(canvas);
        int painted = 0;
        for (int x = item.left + 8; x < item.left + 80; ++x)
            painted += ::GetPixel(canvas.dc, x, (item.top + item.bottom) / 2) == RGB(0, 0, 0) ? 1 : 0;
        return painted;
    };
    HDITEMA blank = {};
    blank.mask = HDI_TEXT;
    blank.pszText = const_cast<char*>("");
    Header_SetItem(header(), 2, &blank);
    EXPECT_EQ(probeStrip(), 0);
    ASSERT_TRUE(flat().SetBitmap(2, XT_IDR_HEADER_ICONS, FALSE, RGB(255, 0, 255)));
    HDITEMA stored = {};
    stored.mask = HDI_FORMAT | HDI_BITMAP;
    Header_GetItem(header(), 2, &stored);
    EXPECT_TRUE(stored.fmt & HDF_BITMAP);
    EXPECT_EQ(::ImageList_GetImageCount(reinterpret_cast<HIMAGELIST>(stored.hbm)), 1);
    EXPECT_GT(probeStrip(), 0);  // the icons' black lines
    EXPECT_TRUE(flat().SetBitmap(2, 0, TRUE));
    Header_GetItem(header(), 2, &stored);
    EXPECT_FALSE(stored.fmt & HDF_BITMAP);
    EXPECT_EQ(probeStrip(), 0);
    EXPECT_FALSE(flat().SetBitmap(2, 4242));  // no such bitmap
}

}  // namespace
