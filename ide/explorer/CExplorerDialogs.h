// The explorer's three small dialogs: the name of a new folder or script, the new name of a
// script, and how a script is removed.
#pragma once

#include "CDialog.h"
#include "CString.h"

// "New Folder" (mode 1) or "New File" (mode 0): a name, OK only while it is not empty.
class CNewFolderDlg : public CDialog {
public:
    enum { IDD = 149 };
    explicit CNewFolderDlg(int mode, CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    int m_nMode;
    CString m_strName;
};

// "Rename File": the new name, empty at start, OK only while it is not empty.
class CRenameFileDlg : public CDialog {
public:
    enum { IDD = 162 };
    explicit CRenameFileDlg(CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    CString m_strName;
};

// "Remove script file": from the project (OK only while checked) and from the disk.
class CRemoveScript : public CDialog {
public:
    enum { IDD = 221 };
    explicit CRemoveScript(CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    int m_bDeleteFromProject = 1;
    int m_bRemoveFromDisk;
};
