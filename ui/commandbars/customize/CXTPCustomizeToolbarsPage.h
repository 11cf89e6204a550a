// The Toolbars page of the customize sheet: the host's bars with a check each for showing them,
// and the buttons that make, rename, delete and reset toolbars.
#pragma once

#include "CCheckListBox.h"
#include "CPropertyPage.h"
#include "ResourceIds.h"

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
        IDD = XTP_IDD_CUSTOMIZE_TOOLBARS,
        IDC_TOOLBARS_LIST = XTP_IDC_TOOLBARS_LIST,
        IDC_TOOLBARS_NEW = XTP_IDC_TOOLBARS_NEW,
        IDC_TOOLBARS_RENAME = XTP_IDC_TOOLBARS_RENAME,
        IDC_TOOLBARS_DELETE = XTP_IDC_TOOLBARS_DELETE,
        IDC_TOOLBARS_RESET = XTP_IDC_TOOLBARS_RESET
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
