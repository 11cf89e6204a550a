// "SRC Manager": asks where a new file goes in the source list and inserts it there.
#pragma once

#include "CDialog.h"
#include "CString.h"
#include "ResourceIds.h"

class CSrcDialog : public CDialog {
public:
    enum { IDD = IDD_SRC_MANAGER };
    // mode 1 inserts; the only one there is.
    CSrcDialog(const CString& name, int mode, CWnd* pParent);

    BOOL OnInitDialog() override;
    void OnOK() override;
    // Enter and Escape do not end the dialog: only OK or the close box do.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void DoDataExchange(CDataExchange* pDX) override;

    int m_bInsertBefore = 0;  // "Insert before cursor"
    int m_nMode;
    CString m_strName;
};
