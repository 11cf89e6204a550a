// The list extension on a real report list: stored widths, header rules, sorting clicks, row copies, cell colours.
#include "ListFixture.h"

#include <cstring>

#include "CXTRegistryProfile.h"
#include "CXTSystemData.h"
#include "../drawing/DibCanvas.h"

namespace {

const char* const kKeyPath = "Software\\Tavrelin list tests";

class ListTest : public ListFixture {
protected:
    CWinApp app{"ListTests"};

    void SetUp() override
    {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kKeyPath);
        app.SetRegistryKey("Tavrelin list tests");
    }
    void TearDown() override
    {
        ListFixture::TearDown();
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kKeyPath);
    }

    CString Stored()
    {
        return CXTRegistryProfile(HKEY_CURRENT_USER).GetProfileString("Settings", "Column Info", "");
    }
    void Store(const char* widths)
    {
        CXTRegistryProfile(HKEY_CURRENT_USER).WriteProfileString("Settings", "Column Info", widths);
    }
    std::vector<int> Widths()
    {
        return {list.GetColumnWidth(0), list.GetColumnWidth(1), list.GetColumnWidth(2)};
    }
};

TEST_F(ListTest, WidthsAreSavedWithTheWindowAsOneString)
{
    MakeList();
    base().EnableColumnPersistence();
    EXPECT_EQ(base().m_strSection, "Settings");
    EXPECT_EQ(base().m_strEntry, "Column Info");
    list.DestroyWindow();
    EXPECT_EQ(Stored(), "120,80,200,");
}

// Missing, empty or unreadable fields leave their columns as they are: a first run has no
// stored widths and must not collapse the list's columns.
TEST_F(ListTest, StoredWidthsAreRestoredAndMissingFieldsKeepTheColumn)
{
    const struct {
        const char* stored;
        std::vector<int> widths;
    } cases[] = {
        {"50,60,70,", {50, 60, 70}},
        {"", {120, 80, 200}},
        {"50,", {50, 80, 200}},
        {"50,,70", {50, 80, 70}},
        {"x,0,90", {120, 0, 90}},
        {"99999999999999999999,70000,40", {120, 80, 40}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        MakeList();
        Store(c.stored);
        base().EnableColumnPersistence();
        EXPECT_EQ(Widths(), c.widths);
        base().m_bAutoSaveCols = 0;
        list.DestroyWindow();
    }
}

TEST_F(ListTest, HeaderClicksSetTheSortColumnAndDirection)
{
    MakeList();
    ASSERT_TRUE(base().AttachFlatHeader());
    EXPECT_FALSE(base().AttachFlatHeader());  // once only
    // A left click on the sorted column flips it; on another column it starts ascending.
    // The header's sort commands stand for the right button: they take the header's direction.
    const struct {
        int column;
        UINT command;  // 0: a left click
        int sortedAfter;
        BOOL ascendingAfter;
    } steps[] = {
        {1, 0, 1, TRUE}, {1, 0, 1, FALSE}, {1, 0, 1, TRUE}, {1, 0, 1, FALSE}, {2, 0, 2, TRUE},
        {0, XT_IDC_SORTDSC, 0, FALSE}, {0, XT_IDC_SORTASC, 0, TRUE}, {0, 0, 0, FALSE},
    };
    int step = 0;
    for (const auto& s : steps) {
        SCOPED_TRACE(step++);
        if (s.command) {
            base().GetFlatHeader().m_ptPopup = Middle(s.column);
            ::SendMessageA(header(), WM_COMMAND, s.command, 0);
        } else {
            Mouse(WM_LBUTTONDOWN, Middle(s.column), MK_LBUTTON);
            Mouse(WM_LBUTTONUP, Middle(s.column));
        }
        ASSERT_FALSE(list.sorts.empty());
        EXPECT_EQ(list.sorts.back().column, s.sortedAfter);
        EXPECT_EQ(list.sorts.back().ascending, s.ascendingAfter);
        EXPECT_EQ(base().m_nSortedCol, s.sortedAfter);
        BOOL ascending = FALSE;
        EXPECT_EQ(base().GetFlatHeader().GetSortColumn(&ascending), s.sortedAfter);
        EXPECT_EQ(ascending, s.ascendingAfter);
    }
    EXPECT_EQ(list.sorts.size(), std::size(steps));
}

TEST_F(ListTest, LockedSizingRefusesDraggingAndDoubleClickingDividers)
{
    MakeList();
    EXPECT_EQ(DragDivider(0, 40), 160);  // unlocked, the drag takes
    base().LockColumnSizing(TRUE);
    EXPECT_EQ(DragDivider(1, 30), 80);
    list.SetItemText(0, 1, "a much longer text than the column shows");
    Mouse(WM_LBUTTONDBLCLK, Divider(1), MK_LBUTTON);
    Mouse(WM_LBUTTONUP, Divider(1));
    EXPECT_EQ(list.GetColumnWidth(1), 80);
}

TEST_F(ListTest, NarrowColumnsStopAtTheMinimumWidth)
{
    MakeList();
    base().m_nMinColWidth = 150;
    base().AutoSizeColumn(1);  // "Kind" and "k0" want far less
    EXPECT_EQ(list.GetColumnWidth(1), 150);
    EXPECT_EQ(DragDivider(1, -120), 150);
    base().m_nMaxColWidth = 170;
    base().AutoSizeColumn(-1);  // the last column fills the list, up to the maximum
    EXPECT_EQ(Widths(), (std::vector<int>{150, 150, 170}));
    list.SetColumnWidth(0, 20);
    EXPECT_EQ(list.GetColumnWidth(0), 150);
}

TEST_F(ListTest, CopyRowCopiesWholeRowsAndRefusesBadIndexes)
{
    const struct {
        int from, to, result;
    } cases[] = {
        {5, 2, 6}, {2, 5, 2}, {0, 10, 0}, {3, 3, -1}, {-1, 2, -1}, {2, -1, -1}, {10, 2, -1}, {11, 0, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << " -> " << c.to);
        MakeList();
        const int result = base().CopyRow(c.from, c.to);
        EXPECT_EQ(result, c.result);
        if (result >= 0) {
            EXPECT_EQ(list.GetItemCount(), 11);
            const int copy = c.to;
            for (int col = 0; col < 3; ++col)
                EXPECT_EQ(list.GetItemText(copy, col), list.GetItemText(result, col));
            EXPECT_EQ(list.GetItemData(copy), static_cast<DWORD_PTR>(100 + c.from));
        } else {
            EXPECT_EQ(list.GetItemCount(), 10);
        }
        list.DestroyWindow();
    }
}

TEST_F(ListTest, CopyRowKeepsLongTextsAndMoveRowMoves)
{
    MakeList(0, 4);
    const std::string longText(700, 'w');
    list.SetItemText(3, 0, longText.c_str());
    list.SetItemText(3, 2, (longText + "x").c_str());
    EXPECT_EQ(base().CopyRow(3, 0), 4);
    EXPECT_EQ(std::string(list.GetItemText(0, 0)), longText);
    EXPECT_EQ(std::string(list.GetItemText(0, 2)), longText + "x");

    EXPECT_TRUE(base().MoveRow(1, 4));  // "r0" goes to the end
    EXPECT_EQ(list.GetItemCount(), 5);
    EXPECT_EQ(list.GetItemText(3, 0), "r0");
    EXPECT_EQ(list.GetItemText(1, 0), "r1");
    EXPECT_FALSE(base().MoveRow(7, 0));
    EXPECT_EQ(list.GetItemCount(), 5);
}

TEST_F(ListTest, HitTestColumnFindsRowAndColumn)
{
    MakeList();
    RECT row = {};
    ListView_GetItemRect(list.m_hWnd, 3, &row, LVIR_BOUNDS);
    const int y = (row.top + row.bottom) / 2;
    int column = -1;
    EXPECT_EQ(base().HitTestColumn(CPoint(row.left + 130, y), &column), 3);
    EXPECT_EQ(column, 1);
    EXPECT_EQ(base().HitTestColumn(CPoint(row.left + 250, y), &column), 3);
    EXPECT_EQ(column, 2);
    EXPECT_EQ(base().HitTestColumn(CPoint(row.left + 450, y), &column), -1);  // right of the columns
    EXPECT_EQ(base().HitTestColumn(CPoint(10, 340), &column), -1);            // below the rows
    EXPECT_EQ(base().GetColumnCount(), 3);
}

TEST_F(ListTest, CellColoursFollowRowRecordsSelectionAndState)
{
    MakeList(LVS_SHOWSELALWAYS);
    list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    const COLORREF rowBack = RGB(200, 30, 40), listBack = RGB(10, 120, 200);
    base().m_bRowColors = 1;
    base().SetRowColor(1, RGB(255, 255, 0), rowBack);
    base().SetRowColor(3, RGB(0, 0, 0), rowBack);
    ASSERT_NE(base().FindRowColor(1), nullptr);
    EXPECT_EQ(base().FindRowColor(2), nullptr);
    list.SetItemState(3, LVIS_SELECTED, LVIS_SELECTED);

    auto probe = [&](int row) {
        CRect cell;
        list.GetSubItemRect(row, 2, LVIR_BOUNDS, cell);
        DibCanvas canvas(480, 360);
        list.SendMessage(WM_PRINT, reinterpret_cast<WPARAM>(canvas.dc.GetSafeHdc()), PRF_CLIENT | PRF_ERASEBKGND);
        return ::GetPixel(canvas.dc, cell.right - 8, (cell.top + cell.bottom) / 2);
    };
    EXPECT_EQ(probe(1), rowBack);
    EXPECT_EQ(probe(2), ::GetSysColor(COLOR_WINDOW));
    // A selected row shows the selection, not its colours.
    list.SetFocus();
    EXPECT_EQ(probe(3), ::GetSysColor(::GetFocus() == list.m_hWnd ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
    base().SetListColors(RGB(0, 0, 0), listBack);
    EXPECT_EQ(probe(2), listBack);
    EXPECT_EQ(probe(1), rowBack);
    base().m_bRowColors = 0;
    EXPECT_EQ(probe(1), listBack);
    base().m_bRowColors = 1;
    list.EnableWindow(FALSE);
    EXPECT_EQ(probe(1), ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(probe(2), ::GetSysColor(COLOR_BTNFACE));
    base().RemoveAllRowColors();
    EXPECT_EQ(base().FindRowColor(1), nullptr);
}

TEST_F(ListTest, TheDeferredSetUpGivesTheLibraryFont)
{
    MakeList();
    EXPECT_EQ(base().m_bInitPending, 0);
    EXPECT_EQ(reinterpret_cast<HFONT>(list.SendMessage(WM_GETFONT)),
              static_cast<HFONT>(XTSystemData()->font.m_hObject));
}

}  // namespace
