// The Commands page of the customize sheet: commands grouped in categories, shown as they look in
// a menu, from which the user drags copies onto the bars. With it: the category record and the
// owner-drawn command list.
#pragma once

#include <vector>

#include "CListBox.h"
#include "CPropertyPage.h"
#include "CString.h"
#include "ResourceIds.h"

class CMenu;
class CXTPCommandBars;
class CXTPControls;
class CXTPCustomizeSheet;

// A named group of commands; it holds one reference on its collection, whose owner is the host.
class CXTPCustomizeCategory {
public:
    CXTPCustomizeCategory(const char* lpszName, CXTPCommandBars* pCommandBars);
    ~CXTPCustomizeCategory();
    CXTPCustomizeCategory(const CXTPCustomizeCategory&) = delete;
    CXTPCustomizeCategory& operator=(const CXTPCustomizeCategory&) = delete;

    CString m_strCategory;
    CXTPControls* m_pControls = nullptr;
};

// The command list: each entry drawn by the host's paint manager as in a popup; a press on an
// entry drags a copy of its control.
class CXTPCustomizeCommandsListBox : public CListBox {
public:
    void SetCommandBars(CXTPCommandBars* pCommandBars) { m_pCommandBars = pCommandBars; }

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;

    DECLARE_MESSAGE_MAP()

protected:
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnPaint();
    void OnLButtonDown(UINT nFlags, CPoint point);

    CXTPCommandBars* m_pCommandBars = nullptr;
};

class CXTPCustomizeCommandsPage : public CPropertyPage {
    DECLARE_DYNCREATE(CXTPCustomizeCommandsPage)

public:
    explicit CXTPCustomizeCommandsPage(CXTPCustomizeSheet* pSheet = nullptr);
    ~CXTPCustomizeCommandsPage() override;

    // One category per top-level item of the menu that has a text and a submenu, named by the
    // text without its mnemonic, holding the submenu's commands (with bListSubItems also the
    // commands of nested submenus). FALSE when the menu cannot be loaded.
    BOOL InsertCategories(UINT nIDResource, BOOL bListSubItems = FALSE);
    // A category of copies of every command in the categories there are now.
    BOOL InsertAllCommandsCategory(UINT nIDName = IDS_CATEGORY_ALL_COMMANDS, int nIndex = -1);
    // A category of the menu's top-level items.
    BOOL InsertBuiltInMenus(UINT nIDResource, UINT nIDName = IDS_CATEGORY_BUILT_IN_MENUS, int nIndex = -1);
    // A category holding one empty popup named after it.
    BOOL InsertNewMenuCategory(UINT nIDName = IDS_CATEGORY_NEW_MENU, int nIndex = -1);

    int GetCategoryCount() const { return static_cast<int>(m_arrCategories.size()); }
    // Null out of range.
    CXTPCustomizeCategory* GetCategory(int nIndex) const;
    // The first category of exactly this name (letter case counts), or null.
    CXTPCustomizeCategory* FindCategory(const char* lpszName) const;
    // The category of the name, made empty at the index (-1: at the end) when there is none.
    CXTPCustomizeCategory* AddCategory(const char* lpszName, int nIndex = -1);

    BOOL OnInitDialog() override;
    CListBox& GetCategoryList() { return m_lstCategories; }
    CXTPCustomizeCommandsListBox& GetCommandList() { return m_lstCommands; }

    enum {
        IDD = XTP_IDD_CUSTOMIZE_COMMANDS,
        IDC_COMMANDS_LIST = XTP_IDC_COMMANDS_LIST,
        IDC_CATEGORIES_LIST = XTP_IDC_CATEGORIES_LIST
    };

    DECLARE_MESSAGE_MAP()

protected:
    CXTPCommandBars* GetCommandBars() const;
    // A new category at the index (-1: at the end), even when the name is there already.
    CXTPCustomizeCategory* InsertNewCategory(const char* lpszName, int nIndex);
    // A category that always goes in new, named by a string of the library.
    CXTPCustomizeCategory* InsertNamedCategory(UINT nIDName, int nIndex);
    void AddSubmenuCommands(CXTPCustomizeCategory* pCategory, CMenu* pSubMenu, BOOL bListSubItems);
    void OnCategoryChanged();

    CXTPCustomizeCommandsListBox m_lstCommands;
    CListBox m_lstCategories;
    CXTPCustomizeSheet* m_pSheet = nullptr;
    std::vector<CXTPCustomizeCategory*> m_arrCategories;
};
