// The tree's multiple selection: clicks and arrow keys with Ctrl and Shift, vetoes, drags, collapsing, switching off.
#include <cstring>
#include <string>
#include <vector>

#include "CXTTreeView.h"
#include "TreeFixture.h"

namespace {

class TreeSelection : public TreeFixture {
protected:
    void FillFlat(DWORD extraStyle = 0)
    {
        MakeTree(extraStyle);
        for (int i = 0; i < 7; ++i)
            items.push_back(tree.InsertItem(("i" + std::to_string(i)).c_str()));
    }

    std::vector<HTREEITEM> items;
};

TEST_F(TreeSelection, ClicksAndArrowKeysWithCtrlAndShift)
{
    FillFlat();
    tree.SetFocus();
    enum Action { kClick, kRightClick, kDown, kUp };
    struct Row {
        Action action;
        int item;  // for clicks
        UINT flags;
        const char* selected;
        const char* caret;
        const char* anchor;
    } rows[] = {
        {kClick, 1, 0, "i1", "i1", "-"},
        {kClick, 3, MK_SHIFT, "i1,i2,i3", "i3", "i1"},
        {kClick, 5, MK_CONTROL, "i1,i2,i3,i5", "i5", "-"},
        {kClick, 2, MK_CONTROL, "i1,i3,i5", "i2", "-"},  // toggled off, still the caret
        {kClick, 4, 0, "i4", "i4", "-"},
        {kDown, 0, MK_SHIFT, "i4,i5", "i5", "i4"},
        {kUp, 0, MK_SHIFT, "i4", "i4", "i4"},
        {kUp, 0, MK_SHIFT, "i3,i4", "i3", "i4"},
        {kDown, 0, MK_CONTROL, "i3,i4", "i4", "i4"},
        {kDown, 0, MK_CONTROL, "i3,i4", "i5", "i4"},   // the caret moves on without selecting
        {kDown, 0, 0, "i6", "i6", "-"},                // several selected: all go, the caret moves
        {kUp, 0, 0, "i5", "i5", "-"},
        {kRightClick, 2, 0, "i2", "i2", "-"},
        {kClick, 4, MK_SHIFT, "i2,i3,i4", "i4", "i2"},
        {kClick, 0, MK_SHIFT | MK_CONTROL, "i0,i1,i2,i3,i4", "i0", "i2"},  // Ctrl keeps the rest
        {kRightClick, 3, MK_CONTROL, "i0,i1,i2,i3,i4", "i0", "i3"},         // only the anchor moves
        {kRightClick, 6, 0, "i6", "i6", "i3"},
    };
    int n = 0;
    for (const Row& row : rows) {
        switch (row.action) {
        case kClick:
        case kRightClick:
            Click(items[row.item], row.flags, row.action == kClick);
            break;
        case kDown:
        case kUp:
            Key(row.action == kDown ? VK_DOWN : VK_UP, (row.flags & MK_SHIFT) != 0, (row.flags & MK_CONTROL) != 0);
            break;
        }
        EXPECT_EQ(Selected(), row.selected) << "row " << n;
        EXPECT_EQ(Name(base().GetFocusedItem()), row.caret) << "row " << n;
        EXPECT_EQ(Name(base().GetAnchorItem()), row.anchor) << "row " << n;
        ++n;
    }
    EXPECT_TRUE(parent.Saw(NM_CLICK));
    EXPECT_TRUE(parent.Saw(NM_RCLICK));
}

TEST_F(TreeSelection, AVetoedChangeChangesNothing)
{
    FillFlat();
    base().SelectItem(items[1]);
    base().SetItemState(items[3], TVIS_SELECTED, TVIS_SELECTED);
    parent.vetoSelection = TRUE;
    EXPECT_FALSE(base().SetItemState(items[2], TVIS_SELECTED, TVIS_SELECTED));
    EXPECT_FALSE(base().SetItemState(items[3], 0, TVIS_SELECTED));
    EXPECT_FALSE(base().SelectItem(items[5]));
    Click(items[4], 0);
    EXPECT_EQ(Selected(), "i1,i3");
    EXPECT_EQ(base().GetFocusedItem(), items[1]);

    parent.vetoSelection = FALSE;
    parent.codes.clear();
    EXPECT_TRUE(base().SetItemState(items[2], TVIS_SELECTED, TVIS_SELECTED));
    EXPECT_TRUE(parent.Saw(TVN_SELCHANGINGA));
    EXPECT_TRUE(parent.Saw(TVN_SELCHANGEDA));
    EXPECT_EQ(Selected(), "i1,i2,i3");
}

TEST_F(TreeSelection, ADragSelectsAndBeginsADragUnlessDisabled)
{
    for (DWORD style : {DWORD(0), DWORD(TVS_DISABLEDRAGDROP)}) {
        SCOPED_TRACE(style);
        FillFlat(style);
        base().SelectItem(items[0]);
        parent.codes.clear();
        parent.dragItem = nullptr;
        CPoint at = LabelPoint(items[2]);
        tree.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(at.x + 40, at.y + 40));
        tree.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        Drain();
        EXPECT_EQ(Selected(), "i2");
        EXPECT_EQ(base().GetFocusedItem(), items[2]);
        EXPECT_EQ(parent.Saw(TVN_BEGINDRAGA), style == 0);
        EXPECT_EQ(parent.dragItem, style == 0 ? items[2] : nullptr);
        EXPECT_FALSE(parent.Saw(NM_CLICK));
        tree.DestroyWindow();
        items.clear();
    }
}

TEST_F(TreeSelection, CollapsingDropsTheBranchSelectionAndMovesCaretAndAnchor)
{
    MakeTree(0);
    HTREEITEM top = tree.InsertItem("top");
    HTREEITEM branch = tree.InsertItem("branch", top);
    HTREEITEM leaf1 = tree.InsertItem("leaf1", branch);
    HTREEITEM leaf2 = tree.InsertItem("leaf2", branch);
    HTREEITEM after = tree.InsertItem("after", top);
    tree.InsertItem("last1", top);
    tree.InsertItem("last2", top);
    tree.Expand(top, TVE_EXPAND);
    tree.Expand(branch, TVE_EXPAND);
    tree.SetFocus();

    Click(leaf1, 0);
    Click(leaf2, MK_SHIFT);
    ASSERT_EQ(Selected(), "leaf1,leaf2");
    ASSERT_EQ(base().GetAnchorItem(), leaf1);

    // A click on the branch's expand button, as a user collapses it.
    CRect row;
    tree.GetItemRect(branch, &row, FALSE);
    CPoint button(-1, -1);
    for (int x = row.left; x < row.right && button.x < 0; ++x) {
        UINT flags = 0;
        if (tree.HitTest(CPoint(x, (row.top + row.bottom) / 2), &flags) == branch && (flags & TVHT_ONITEMBUTTON))
            button = CPoint(x, (row.top + row.bottom) / 2);
    }
    ASSERT_GE(button.x, 0);
    tree.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(button.x, button.y));
    tree.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(button.x, button.y));
    Drain();
    ASSERT_FALSE(tree.GetItemState(branch, TVIS_EXPANDED) & TVIS_EXPANDED);

    EXPECT_EQ(Selected(), "");
    EXPECT_EQ(base().GetFocusedItem(), branch);
    EXPECT_EQ(base().GetAnchorItem(), branch);
    Key(VK_DOWN, true, false);
    EXPECT_EQ(Selected(), "branch,after");
    EXPECT_EQ(base().GetFocusedItem(), after);

    // Items in a collapsed branch never count, whatever their bits say.
    tree.Expand(branch, TVE_EXPAND);
    base().SetItemState(leaf2, TVIS_SELECTED, TVIS_SELECTED);
    tree.Expand(branch, TVE_COLLAPSE);
    EXPECT_EQ(base().GetSelectedCount(), 2u);

    // A deleted anchor is forgotten, not kept as a stale handle for the next Shift range.
    ASSERT_EQ(base().GetAnchorItem(), branch);
    tree.DeleteItem(branch);
    EXPECT_EQ(base().GetAnchorItem(), nullptr);
}

TEST_F(TreeSelection, ARangeWithAHiddenEndIsTheVisibleEndAlone)
{
    FillFlat();
    HTREEITEM hidden = tree.InsertItem("hidden", items[1]);  // i1 stays collapsed
    base().SelectItem(items[5]);
    base().SelectItems(hidden, items[3], TRUE);
    EXPECT_EQ(Selected(), "i3");
    base().SelectItems(items[4], hidden, TRUE);
    EXPECT_EQ(Selected(), "i4");
    base().SelectItems(items[2], items[4], TRUE);
    EXPECT_EQ(Selected(), "i2,i3,i4");
}

TEST_F(TreeSelection, SwitchingMultipleSelectionOffKeepsOnlyASelectedCaret)
{
    struct Row {
        bool caretSelected;
        const char* left;
    } rows[] = {{true, "i2"}, {false, ""}};
    for (const Row& row : rows) {
        FillFlat();
        tree.SetFocus();
        Click(items[1], 0);
        Click(items[3], MK_CONTROL);
        Click(items[2], MK_CONTROL);
        if (!row.caretSelected)
            Click(items[2], MK_CONTROL);
        EXPECT_TRUE(base().EnableMultiSelect(FALSE));
        EXPECT_EQ(Selected(), row.left);
        EXPECT_FALSE(base().EnableMultiSelect(FALSE));
        tree.DestroyWindow();
        items.clear();
    }
}

TEST_F(TreeSelection, EscapeDuringAMarqueeClearsTheSelection)
{
    FillFlat();
    tree.SetFocus();
    Click(items[1], 0);
    Click(items[2], MK_CONTROL);
    CRect client;
    tree.GetClientRect(&client);
    // From empty space right of the labels, a band over the first rows, then Esc.
    CPoint start(client.right - 10, 2);
    tree.PostMessage(WM_MOUSEMOVE, MK_LBUTTON | MK_CONTROL, MAKELPARAM(start.x - 300, 40));
    tree.PostMessage(WM_KEYDOWN, VK_ESCAPE, 1);
    tree.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, MAKELPARAM(start.x, start.y));
    Drain();
    EXPECT_EQ(Selected(), "");
    EXPECT_EQ(CWnd::GetCapture(), nullptr);

    // A band without Esc selects what it covers.
    Click(items[5], 0);
    tree.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(2, LabelPoint(items[2]).y));
    tree.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(2, LabelPoint(items[2]).y));
    tree.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(start.x, start.y));
    Drain();
    EXPECT_EQ(Selected(), "i0,i1,i2");
}

TEST_F(TreeSelection, TheViewHostRoutesClicksToTheExtension)
{
    CXTTreeView* view = new CXTTreeView;  // views delete themselves when their window goes
    ASSERT_TRUE(view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 300), &parent, 91));
    // A view draws its border as a client edge.
    EXPECT_TRUE((view->GetStyle() & WS_BORDER) || (view->GetExStyle() & WS_EX_CLIENTEDGE));
    CXTTreeBase& viewBase = view->GetTreeBase();
    viewBase.EnableMultiSelect(TRUE);
    std::vector<HTREEITEM> rows;
    for (const char* name : {"one", "two", "three"}) {
        TVINSERTSTRUCTA insert = {};
        insert.hParent = TVI_ROOT;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT;
        insert.item.pszText = const_cast<char*>(name);
        LRESULT item = view->SendMessage(TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert));
        rows.push_back(reinterpret_cast<HTREEITEM>(item));
    }
    for (int i : {0, 2}) {
        RECT rect;
        std::memcpy(&rect, &rows[i], sizeof(HTREEITEM));  // the message takes the item in the rectangle
        ASSERT_TRUE(view->SendMessage(TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rect)));
        CPoint at = CRect(rect).CenterPoint();
        view->PostMessage(WM_LBUTTONUP, MK_CONTROL, MAKELPARAM(at.x, at.y));
        view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, MAKELPARAM(at.x, at.y));
        Drain();
    }
    EXPECT_EQ(viewBase.GetSelectedCount(), 2u);
    EXPECT_EQ(viewBase.GetFirstSelectedItem(), rows[0]);
    EXPECT_EQ(viewBase.GetFocusedItem(), rows[2]);
    view->DestroyWindow();
}

}  // namespace
