// The Insert Files Options dialog: the insert switch and the two game folders.
#pragma once

#include "CDialog.h"
#include "CString.h"
#include "CXTBrowseEdit.h"
#include "ResourceIds.h"

class CInsertInGame : public CDialog {
public:
    enum { IDD = IDD_INSERT_IN_GAME };
    // The switch and the folders come from the settings record.
    explicit CInsertInGame(CWnd* pParent);

    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void DoDataExchange(CDataExchange* pDX) override;
    // OK is off while the switch is on and neither folder exists.
    void UpdateOkButton();

    CXTBrowseEdit m_editVarnok;
    CXTBrowseEdit m_editVarnok2;
    int m_bInsert;
    CString m_strVarnok;
    CString m_strVarnok2;
};
