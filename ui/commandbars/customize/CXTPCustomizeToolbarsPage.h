// The Toolbars page of the customize sheet: the host's bars with a check each for showing them,
// and the buttons that make, rename, delete and reset toolbars.
#pragma once

#include "CCheckListBox.h"
#include "CPropertyPage.h"

class CXTPCommandBars;
class CXTPCustomizeSheet;
class CXTPToolBar;

class CXTPCustomizeToolbarsPage : public CPropertyPage {
    DECLARE_DYNCREATE(CXTPCustomizeToolbarsPage)

public:
    explicit CXTPCustomizeToolbarsPage(CXTPCustomizeSheet* pSheet = nullptr);

    BOOL OnInitDialog() override;

    // Lists the bars again, keeping the selected bar and the scroll position, and sets the buttons.
    void RefreshList();
    CCheckListBox& GetList() { return m_listToolbars; }

    enum {
        IDD = 9304,
        IDC_TOOLBARS_LIST = 9305,
        IDC_TOOLBARS_NEW = 9308,
        IDC_TOOLBARS_RENAME = 9309,
        IDC_TOOLBARS_DELETE = 9310,
        IDC_TOOLBARS_RESET = 9311
    };

    DECLARE_MESSAGE_MAP()

protected:
    CXTPCommandBars* GetCommandBars() const;
    // The toolbar of the selected entry, or null.
    CXTPToolBar* GetSelectedToolBar() const;

    void OnCheckChange();
    void OnSelectionChange();
    void OnNew();
    void OnRename();
    void OnDelete();
    void OnReset();
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    // The buttons for the selected entry.
    void UpdateButtons();
    // The list shows the host's bars as they are.
    BOOL IsListCurrent() const;

    CXTPCustomizeSheet* m_pSheet = nullptr;
    CCheckListBox m_listToolbars;
};
