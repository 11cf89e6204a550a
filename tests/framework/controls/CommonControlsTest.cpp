// List views, tree views, headers, progress bars and tooltips: cells and items, family, order, texts.
#include <string>

#include "AfxResource.h"
#include "CHeaderCtrl.h"
#include "CListCtrl.h"
#include "CProgressCtrl.h"
#include "CToolTipCtrl.h"
#include "CTreeCtrl.h"
#include "ControlHost.h"

namespace {

using CommonControls = ControlHost;

TEST_F(CommonControls, ListCtrlCellsDataSortingAndSelection)
{
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_VISIBLE | LVS_REPORT | WS_BORDER, Box(10, 10, 400, 200), &host, 71));
    EXPECT_EQ(list.InsertColumn(0, "Name", LVCFMT_LEFT, 120), 0);
    EXPECT_EQ(list.InsertColumn(1, "Size", LVCFMT_RIGHT, 60), 1);
    ASSERT_NE(list.GetHeaderCtrl(), nullptr);
    EXPECT_EQ(list.GetHeaderCtrl()->GetItemCount(), 2);
    EXPECT_EQ(list.GetColumnWidth(1), 60);

    const std::string longText(1000, 'n');
    const char* names[] = {"b.d", "a.d", "c.d"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(list.InsertItem(i, names[i]), i);
        list.SetItemData(i, static_cast<DWORD_PTR>(names[i][0]));
    }
    EXPECT_TRUE(list.SetItemText(0, 1, longText.c_str()));
    EXPECT_EQ(std::string(list.GetItemText(0, 1)), longText);
    EXPECT_STREQ(list.GetItemText(1, 0), "a.d");
    EXPECT_STREQ(list.GetItemText(9, 0), "");

    ASSERT_TRUE(list.SortItems([](LPARAM a, LPARAM b, LPARAM) { return static_cast<int>(a - b); }, 0));
    EXPECT_STREQ(list.GetItemText(0, 0), "a.d");
    EXPECT_STREQ(list.GetItemText(2, 0), "c.d");
    EXPECT_EQ(list.GetItemData(1), static_cast<DWORD_PTR>('b'));

    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(list.GetSelectedCount(), 2u);
    std::string selected;
    for (POSITION pos = list.GetFirstSelectedItemPosition(); pos;)
        selected += std::to_string(list.GetNextSelectedItem(pos));
    EXPECT_EQ(selected, "02");

    EXPECT_TRUE(list.DeleteItem(1));
    EXPECT_EQ(list.GetItemCount(), 2);
}

TEST_F(CommonControls, TreeCtrlFamilyTextsAndSorting)
{
    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_VISIBLE | TVS_HASLINES | TVS_HASBUTTONS | TVS_EDITLABELS, Box(10, 10, 300, 200),
                            &host, 81));
    HTREEITEM root = tree.InsertItem("Project");
    HTREEITEM second = tree.InsertItem("zeta.d", root);
    HTREEITEM first = tree.InsertItem("alpha.d", root);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(tree.GetCount(), 3u);
    EXPECT_EQ(tree.GetRootItem(), root);
    EXPECT_EQ(tree.GetParentItem(first), root);
    EXPECT_TRUE(tree.ItemHasChildren(root));
    EXPECT_FALSE(tree.ItemHasChildren(first));

    EXPECT_EQ(tree.GetChildItem(root), second);
    ASSERT_TRUE(tree.SortChildren(root));
    EXPECT_EQ(tree.GetChildItem(root), first);
    EXPECT_EQ(tree.GetNextSiblingItem(first), second);
    EXPECT_EQ(tree.GetNextSiblingItem(second), nullptr);

    const std::string longText(700, 't');
    EXPECT_TRUE(tree.SetItemText(second, longText.c_str()));
    EXPECT_EQ(std::string(tree.GetItemText(second)), longText);
    EXPECT_STREQ(tree.GetItemText(nullptr), "");
    EXPECT_TRUE(tree.SetItemData(first, 77));
    EXPECT_EQ(tree.GetItemData(first), 77u);
    EXPECT_TRUE(tree.SetItemImage(first, 2, 3));
    int image = 0;
    int selectedImage = 0;
    EXPECT_TRUE(tree.GetItemImage(first, image, selectedImage));
    EXPECT_EQ(image, 2);
    EXPECT_EQ(selectedImage, 3);

    EXPECT_TRUE(tree.Expand(root, TVE_EXPAND));
    EXPECT_TRUE(tree.GetItemState(root, TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_TRUE(tree.SelectItem(second));
    EXPECT_EQ(tree.GetSelectedItem(), second);

    host.SetFocus();
    tree.SetFocus();
    CEdit* editor = tree.EditLabel(first);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(tree.GetEditControl(), editor);
    CString label;
    editor->GetWindowText(label);
    EXPECT_STREQ(label, "alpha.d");
    tree.SendMessage(TVM_ENDEDITLABELNOW, TRUE);

    EXPECT_FALSE(tree.DeleteItem(nullptr)) << "a null item must not empty the tree";
    EXPECT_EQ(tree.GetCount(), 3u);
    EXPECT_TRUE(tree.DeleteItem(root));
    EXPECT_EQ(tree.GetCount(), 0u);
}

TEST_F(CommonControls, HeaderItemsAndOrder)
{
    CHeaderCtrl header;
    ASSERT_TRUE(header.Create(WS_VISIBLE | HDS_BUTTONS | HDS_DRAGDROP, Box(10, 10, 300, 24), &host, 91));
    const char* texts[] = {"One", "Two", "Three"};
    for (int i = 0; i < 3; ++i) {
        HDITEMA item = {};
        item.mask = HDI_TEXT | HDI_WIDTH;
        item.cxy = 80;
        item.pszText = const_cast<char*>(texts[i]);
        EXPECT_EQ(header.InsertItem(i, &item), i);
    }
    EXPECT_EQ(header.GetItemCount(), 3);
    int order[3] = {2, 0, 1};
    ASSERT_TRUE(header.SetOrderArray(3, order));
    EXPECT_EQ(header.OrderToIndex(0), 2);
    CRect rect;
    ASSERT_TRUE(header.GetItemRect(2, &rect));
    EXPECT_EQ(rect.left, 0) << "the third item is shown first";
    char buffer[16] = {};
    HDITEMA item = {};
    item.mask = HDI_TEXT;
    item.pszText = buffer;
    item.cchTextMax = sizeof(buffer);
    ASSERT_TRUE(header.GetItem(1, &item));
    EXPECT_STREQ(buffer, "Two");
}

TEST_F(CommonControls, ProgressPositions)
{
    CProgressCtrl progress;
    ASSERT_TRUE(progress.Create(WS_VISIBLE, Box(10, 10, 200, 16), &host, 101));
    progress.SetRange32(0, 100000);
    int low = -1;
    int high = -1;
    progress.GetRange(low, high);
    EXPECT_EQ(high, 100000);
    EXPECT_EQ(progress.SetPos(500), 0);
    EXPECT_EQ(progress.SetStep(250), 10);
    EXPECT_EQ(progress.StepIt(), 500);
    EXPECT_EQ(progress.GetPos(), 750);
    EXPECT_EQ(progress.OffsetPos(-50), 750);
    EXPECT_EQ(progress.GetPos(), 700);
}

TEST_F(CommonControls, ToolTipToolsAndTexts)
{
    CToolTipCtrl tips;
    ASSERT_TRUE(tips.Create(&host));
    const CRect area(0, 0, 50, 50);
    ASSERT_TRUE(tips.AddTool(&host, "Open a file", &area, 1));
    AfxSetResourceLanguage(1031);
    ASSERT_TRUE(tips.AddTool(&host, 33198, nullptr, 2));
    AfxSetResourceLanguage(1033);
    EXPECT_EQ(tips.GetToolCount(), 2);
    CString text;
    tips.GetText(text, &host, 2);
    EXPECT_STREQ(text, "Fehler: ");
    const std::string longTip(900, 'w');
    tips.UpdateTipText(longTip.c_str(), &host, 1);
    tips.GetText(text, &host, 1);
    // Older tooltip controls hand out only the first 80 characters: a prefix, never more.
    EXPECT_GE(text.GetLength(), 80);
    EXPECT_EQ(longTip.compare(0, text.GetLength(), text), 0);
    tips.DelTool(&host, 1);
    EXPECT_EQ(tips.GetToolCount(), 1);
    tips.DestroyWindow();
}

} // namespace
