// The Commands page: categories from a menu, "All Commands", the built-in menus and "New Menu";
// the lists in the running sheet, and a drag of a command onto a bar.
#include "CXTPCustomizeCommandsPage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CXTPControl.h"
#include "CXTPControls.h"
#include "CXTPCustomizeDropSource.h"
#include "CXTPPaintManager.h"
#include "CustomizeFixture.h"

namespace {

const UINT kMenu = 62900;

class CustomizeCommandsPage : public CustomizeFixture {
protected:
    static std::vector<int> Ids(CXTPControls* pControls)
    {
        std::vector<int> ids;
        for (int i = 0; i < pControls->GetCount(); i++)
            ids.push_back(pControls->GetAt(i)->GetID());
        return ids;
    }
    static std::vector<std::string> Names(CXTPCustomizeCommandsPage& page)
    {
        std::vector<std::string> names;
        for (int i = 0; i < page.GetCategoryCount(); i++)
            names.push_back(static_cast<const char*>(page.GetCategory(i)->m_strCategory));
        return names;
    }
    // The IDE's filling: the menus, then the three added categories at the end.
    static void Fill(CXTPCustomizeCommandsPage& page)
    {
        ASSERT_TRUE(page.InsertCategories(kMenu, TRUE));
        ASSERT_TRUE(page.InsertAllCommandsCategory(9337, -1));
        ASSERT_TRUE(page.InsertBuiltInMenus(kMenu, 9350, -1));
        ASSERT_TRUE(page.InsertNewMenuCategory(9314, -1));
    }
};

TEST_F(CustomizeCommandsPage, MenusFillCategoriesByTheirTextWithoutMnemonics)
{
    CXTPCustomizeSheet sheet(frame->Bars());
    CXTPCustomizeCommandsPage page(&sheet);
    Fill(page);
    EXPECT_EQ((std::vector<std::string>{"File", "file", "Edit", "All Commands", "Built-in Menus", "New Menu"}),
              Names(page));
    // "&File" and "F&ile" fill one category; the nested "Recent" is followed by its command.
    EXPECT_EQ((std::vector<int>{40101, 40102, 0, 40103, 40104}), Ids(page.GetCategory(0)->m_pControls));
    EXPECT_EQ(xtpControlPopup, page.GetCategory(0)->m_pControls->GetAt(2)->GetType());
    EXPECT_EQ(std::vector<int>{40105}, Ids(page.GetCategory(1)->m_pControls));
    // All Commands copies what stood before it, and nothing of the categories after it.
    EXPECT_EQ((std::vector<int>{40101, 40102, 0, 40103, 40104, 40105, 40106}), Ids(page.GetCategory(3)->m_pControls));
    EXPECT_NE(page.GetCategory(0)->m_pControls->GetAt(0), page.GetCategory(3)->m_pControls->GetAt(0));
    // One control per top-level item.
    EXPECT_EQ((std::vector<int>{0, 0, 0, 0, 40107, 0}), Ids(page.GetCategory(4)->m_pControls));
    CXTPControl* pNewMenu = page.GetCategory(5)->m_pControls->GetAt(0);
    ASSERT_NE(nullptr, pNewMenu);
    EXPECT_EQ(1, page.GetCategory(5)->m_pControls->GetCount());
    EXPECT_EQ(xtpControlPopup, pNewMenu->GetType());
    EXPECT_EQ(0, pNewMenu->GetID());
    EXPECT_STREQ("New Menu", pNewMenu->GetCaption());

    EXPECT_EQ(page.GetCategory(1), page.FindCategory("file"));
    EXPECT_EQ(nullptr, page.FindCategory("FILE"));
    EXPECT_EQ(page.GetCategory(2), page.AddCategory("Edit", 0)) << "a name that is there is not added again";
    EXPECT_EQ(page.GetCategory(0), page.AddCategory("View", 0));
    EXPECT_FALSE(page.InsertCategories(62999)) << "no such menu";
}

TEST_F(CustomizeCommandsPage, TheSheetListsTheCategoriesAndACommandDraggedFromTheListLandsOnABar)
{
    SetButtons({ID_PLAIN, ID_UNHANDLED});
    CXTPCustomizeSheet sheet(frame->Bars());
    CXTPCustomizeCommandsPage page(&sheet);
    Fill(page);
    sheet.AddPage(&page);
    sheet.SetActivePage(&page);

    CXTPCustomizeCommandsListBox& list = page.GetCommandList();
    std::vector<std::string> categories;
    int nCommands = -1, nItemHeight = -1, nAfterEdit = -1;
    CPoint ptBelowItems, ptDrop;
    BOOL bDraggedFromEmpty = FALSE;
    auto itemCentre = [&](int nItem) {
        CRect rc;
        list.GetItemRect(nItem, &rc);
        CPoint pt = rc.CenterPoint();
        list.ClientToScreen(&pt);
        return pt;
    };
    RunSheet(sheet, {[&]() {
                         for (int i = 0; i < page.GetCategoryList().GetCount(); i++) {
                             CString strText;
                             page.GetCategoryList().GetText(i, strText);
                             categories.push_back(static_cast<const char*>(strText));
                         }
                         nCommands = list.GetCount();
                         nItemHeight = list.GetItemHeight(0);
                         // Another category fills the list with its commands.
                         page.GetCategoryList().SetCurSel(2);
                         page.SendMessage(WM_COMMAND, MAKEWPARAM(9338, LBN_SELCHANGE),
                                          reinterpret_cast<LPARAM>(page.GetCategoryList().GetSafeHwnd()));
                         nAfterEdit = list.GetCount();
                         CRect rcClient;
                         list.GetClientRect(&rcClient);
                         ptBelowItems = CPoint(rcClient.CenterPoint().x, rcClient.bottom - 4);
                         list.ClientToScreen(&ptBelowItems);
                         ptDrop = bar->Centre(1, TRUE) + CSize(40, 0);
                         return true;
                     },
                     [&]() {
                         // Empty space below the only entry: nothing is dragged.
                         SendMouse(ptBelowItems, {MOUSEEVENTF_LEFTDOWN});
                         return true;
                     },
                     [&]() {
                         bDraggedFromEmpty = frame->Bars()->GetDropSource()->IsDragging();
                         SendMouse(ptDrop, {MOUSEEVENTF_LEFTUP});
                         return true;
                     },
                     Wait(100),
                     [&]() {
                         SendMouse(itemCentre(0), {MOUSEEVENTF_LEFTDOWN});
                         return true;
                     },
                     [&]() {
                         SendMouse(ptDrop, {});
                         return frame->Bars()->GetDropSource()->IsDragging();
                     },
                     [&]() {
                         SendMouse(ptDrop, {MOUSEEVENTF_LEFTUP});
                         return true;
                     },
                     [&]() { return !frame->Bars()->GetDropSource()->IsDragging(); }});

    EXPECT_EQ((std::vector<std::string>{"File", "file", "Edit", "All Commands", "Built-in Menus", "New Menu"}),
              categories);
    EXPECT_EQ(5, nCommands) << "the first category is shown";
    const CSize szMeasured = frame->Bars()->GetPaintManager()->DrawListBoxControl(nullptr, nullptr, CRect(0, 0, 0, 0),
                                                                                   FALSE, FALSE, frame->Bars());
    EXPECT_EQ(szMeasured.cy, nItemHeight) << "entries are as high as the theme measures them";
    EXPECT_EQ(1, nAfterEdit);
    EXPECT_FALSE(bDraggedFromEmpty);
    EXPECT_EQ((std::vector<int>{ID_PLAIN, ID_UNHANDLED, 40106}), Ids(bar->GetControls()))
        << "the command's copy stands at the end of the bar";
    EXPECT_EQ(1, page.GetCategory(2)->m_pControls->GetCount()) << "the category keeps its command";
}

}  // namespace
