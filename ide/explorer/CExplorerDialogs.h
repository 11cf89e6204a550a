// The explorer's three small dialogs: the name of a new folder or script, the new name of a
// script, and how a script is removed.
#pragma once

#include "CDialog.h"
#include "CString.h"
#include "ResourceIds.h"

// A dialog around one name edit: OK only while the edit is not empty.
class CNameDialog : public CDialog {
public:
    CNameDialog(UINT nIDTemplate, int nEditId, CWnd* pParent);

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    CString m_strName;

private:
    int m_nEditId;
};

// "New Folder" (mode 1) or "New File" (mode 0): the name of what is made.
class CNewFolderDlg : public CNameDialog {
public:
    enum { IDD = IDD_NEW_NAME };
    explicit CNewFolderDlg(int mode, CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;

    int m_nMode;
};

// "Rename File": the new name, empty at start.
class CRenameFileDlg : public CNameDialog {
public:
    enum { IDD = IDD_RENAME_FILE };
    explicit CRenameFileDlg(CWnd* pParent = nullptr) : CNameDialog(IDD, IDC_RENAME_NAME, pParent) {}
};

// "Remove script file": from the project (OK only while checked) and from the disk.
class CRemoveScript : public CDialog {
public:
    enum { IDD = IDD_REMOVE_SCRIPT };
    explicit CRemoveScript(CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    int m_bDeleteFromProject = 1;
    int m_bRemoveFromDisk;
};
