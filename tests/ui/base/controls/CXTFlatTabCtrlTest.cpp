// The flat tab strip: selection and its veto, the scroll buttons, scrolling a tab into view, the
// gripper's limits and the scroll bar it shares with a list.
#include "CXTFlatTabCtrl.h"

#include <string>

#include "ControlHost.h"
#include "CListCtrl.h"

namespace {

class FlatTabTest : public ControlHost {
protected:
    void TearDown() override
    {
        if (tabs.GetSafeHwnd())
            tabs.DestroyWindow();
        ControlHost::TearDown();
    }
    void Make(DWORD style, int width = 400)
    {
        ASSERT_TRUE(tabs.Create(WS_CHILD | WS_VISIBLE | style, CRect(0, 0, width, 200), host, 701));
    }
    void AddTabs(int count)
    {
        for (int i = 0; i < count; ++i)
            tabs.InsertItem(i, ("Sheet " + std::to_string(i)).c_str());
    }
    CPoint TabCentre(int nItem)
    {
        CRect rc;
        tabs.GetItemRect(nItem, &rc);
        return rc.CenterPoint();
    }
    void Click(CPoint pt)
    {
        tabs.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        tabs.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    }

    CXTFlatTabCtrl tabs;
};

TEST_F(FlatTabTest, ClickSelectsUnlessTheOwnerVetoes)
{
    Make(FTS_XT_HASARROWS);
    AddTabs(3);
    tabs.SetCurSel(0);
    Click(TabCentre(1));
    EXPECT_EQ(tabs.GetCurSel(), 1);
    ASSERT_EQ(host->notifies.size(), 2u);
    EXPECT_EQ((int)host->notifies[0].code, TCN_SELCHANGING);
    EXPECT_EQ((int)host->notifies[1].code, TCN_SELCHANGE);
    EXPECT_EQ(host->notifies[0].idFrom, 701u);

    host->notifies.clear();
    host->notifyAnswer = 1;
    Click(TabCentre(2));
    EXPECT_EQ(tabs.GetCurSel(), 1);
    ASSERT_EQ(host->notifies.size(), 1u);
    EXPECT_EQ((int)host->notifies[0].code, TCN_SELCHANGING);
}

TEST_F(FlatTabTest, ItemsOutOfRangeAreRefused)
{
    Make(FTS_XT_HASARROWS);
    AddTabs(2);
    EXPECT_FALSE(tabs.SetItemText(2, "x"));
    EXPECT_FALSE(tabs.SetItemText(-1, "x"));
    EXPECT_STREQ(tabs.GetItemText(1), "Sheet 1");
    EXPECT_EQ(tabs.InsertItem(5, "far"), -1);
    EXPECT_EQ(tabs.SetCurSel(2), -1);
    EXPECT_EQ(tabs.HitTest(CPoint(2, 190)), -1);  // on the buttons
}

TEST_F(FlatTabTest, DeletingTheSelectedTabSelectsANeighbour)
{
    Make(FTS_XT_HASARROWS);
    AddTabs(4);
    struct Case {
        int select, remove, selected;
    } cases[] = {{3, 3, 2}, {0, 1, 0}, {1, 0, 0}, {0, 0, -1}};
    for (const Case& c : cases) {
        tabs.SetCurSel(c.select);
        ASSERT_TRUE(tabs.DeleteItem(c.remove));
        EXPECT_EQ(tabs.GetCurSel(), c.selected) << c.select << " " << c.remove;
    }
    EXPECT_EQ(tabs.GetItemCount(), 0);
    EXPECT_FALSE(tabs.DeleteItem(0));
}

TEST_F(FlatTabTest, ArrowsAreOffWithoutTabsAndFollowTheScrolling)
{
    Make(FTS_XT_HASHOMEEND, 200);
    EXPECT_FALSE(tabs.IsButtonEnabled(XT_IDC_BTN_LEFT));
    EXPECT_FALSE(tabs.IsButtonEnabled(XT_IDC_BTN_RIGHT));
    EXPECT_FALSE(tabs.IsButtonEnabled(XT_IDC_BTN_END));
    AddTabs(10);
    EXPECT_FALSE(tabs.IsButtonEnabled(XT_IDC_BTN_LEFT));
    EXPECT_TRUE(tabs.IsButtonEnabled(XT_IDC_BTN_RIGHT));
    tabs.SendMessage(WM_COMMAND, XT_IDC_BTN_END);
    EXPECT_TRUE(tabs.IsButtonEnabled(XT_IDC_BTN_LEFT));
    EXPECT_FALSE(tabs.IsButtonEnabled(XT_IDC_BTN_RIGHT));
    tabs.SendMessage(WM_COMMAND, XT_IDC_BTN_HOME);
    EXPECT_EQ(tabs.GetScrollOffset(), 0);
    tabs.SendMessage(WM_COMMAND, XT_IDC_BTN_RIGHT);
    EXPECT_EQ(tabs.GetScrollOffset(), tabs.GetTabWidth(0) - tabs.GetOverlap());
    tabs.SendMessage(WM_COMMAND, XT_IDC_BTN_LEFT);
    EXPECT_EQ(tabs.GetScrollOffset(), 0);
}

TEST_F(FlatTabTest, LastButtonNeverScrollsBelowZero)
{
    Make(FTS_XT_HASHOMEEND, 400);
    AddTabs(1);  // fits easily
    tabs.SendMessage(WM_COMMAND, XT_IDC_BTN_END);
    EXPECT_EQ(tabs.GetScrollOffset(), 0);
}

TEST_F(FlatTabTest, SelectingAHiddenTabScrollsItIn)
{
    Make(FTS_XT_HASARROWS, 200);
    AddTabs(12);
    tabs.SetCurSel(11);
    CRect rc;
    tabs.GetItemRect(11, &rc);
    EXPECT_GE(rc.left, tabs.GetButtonsWidth());
    EXPECT_LE(rc.right, tabs.GetButtonsWidth() + tabs.GetRoomForTabs());
    EXPECT_GT(tabs.GetScrollOffset(), 0);
    tabs.SetCurSel(0);
    EXPECT_EQ(tabs.GetScrollOffset(), 0);
}

TEST_F(FlatTabTest, GripperIsHeldBetweenZeroAndTheScrollBarsMinimum)
{
    Make(FTS_XT_HASARROWS | FTS_XT_HSCROLL, 400);
    AddTabs(3);
    const int cxButton = ::GetSystemMetrics(SM_CXHSCROLL) - 1;
    const int limit = 400 - 4 * cxButton - ::GetSystemMetrics(SM_CYHSCROLL);
    EXPECT_EQ(tabs.GetTabAreaWidth(), 400 * 60 / 100);
    const CPoint grip = tabs.GetGripperRect().CenterPoint();
    struct Case {
        int toX;
        int width;
    } cases[] = {{390, limit}, {-50, 0}, {100, 100 + (tabs.GetTabAreaWidth() - grip.x)}};
    for (const Case& c : cases) {
        tabs.SetTabsWidth(60, TRUE);
        const CPoint from = tabs.GetGripperRect().CenterPoint();
        tabs.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
        ASSERT_TRUE(tabs.IsTracking());
        tabs.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM((WORD)(short)c.toX, from.y));
        tabs.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM((WORD)(short)c.toX, from.y));
        EXPECT_FALSE(tabs.IsTracking());
        EXPECT_EQ(tabs.GetTabAreaWidth(), c.width) << c.toX;
    }
    // Too narrow for a scroll bar: the area stays at 0 rather than going negative.
    tabs.SetWindowPos(nullptr, 0, 0, 40, 200, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(tabs.GetTabAreaWidth(), 0);
    EXPECT_EQ(tabs.GetRoomForTabs(), 0);
}

TEST_F(FlatTabTest, ListScrollBarMovesIntoTheStripAndDrivesTheList)
{
    Make(FTS_XT_HASARROWS | FTS_XT_HSCROLL | FTS_XT_TOOLTIPS | FTS_XT_TOP, 400);
    CListCtrl* list = new CListCtrl;
    ASSERT_TRUE(list->Create(WS_CHILD | LVS_REPORT, CRect(0, 0, 100, 100), host, 702));
    for (int c = 0; c < 4; ++c)
        list->InsertColumn(c, "Column", LVCFMT_LEFT, 300);
    list->InsertItem(0, "row");
    tabs.InsertItem(0, "Output", list);
    EXPECT_EQ(list->GetParent(), &tabs);
    tabs.SetCurSel(0);
    EXPECT_TRUE(list->IsWindowVisible());
    EXPECT_FALSE(list->GetStyle() & WS_HSCROLL);
    CScrollBar* bar = tabs.GetScrollBarCtrl(SB_HORZ);
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->IsWindowEnabled());
    int low = 0, high = 0;
    bar->GetScrollRange(&low, &high);
    EXPECT_GE(high, 1100);

    tabs.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 120), (LPARAM)bar->GetSafeHwnd());
    EXPECT_EQ(::GetScrollPos(list->GetSafeHwnd(), SB_HORZ), 120);
    EXPECT_EQ(bar->GetScrollPos(), 120);

    tabs.DeleteAllItems();
    EXPECT_NE(::GetParent(list->GetSafeHwnd()), tabs.GetSafeHwnd());
    EXPECT_FALSE(list->IsWindowVisible());
    list->DestroyWindow();
    delete list;
}

TEST_F(FlatTabTest, TabsAndButtonsAreDrawn)
{
    Make(FTS_XT_HASARROWS, 300);
    AddTabs(2);
    tabs.SetCurSel(0);
    PrintedWindow printed(&tabs);
    const int stripTop = tabs.GetStripRect().top;
    // A raised button frame, and the selected tab's window-coloured face.
    EXPECT_EQ(printed.At(0, stripTop), GetSysColor(COLOR_BTNHIGHLIGHT));
    CRect rc;
    tabs.GetItemRect(0, &rc);
    EXPECT_EQ(printed.At(rc.CenterPoint().x, rc.top + 3), GetSysColor(COLOR_WINDOW));
    tabs.GetItemRect(1, &rc);
    EXPECT_EQ(printed.At(rc.right - rc.Height() / 2 - 4, rc.top + 3), GetSysColor(COLOR_BTNFACE));
}

}  // namespace
