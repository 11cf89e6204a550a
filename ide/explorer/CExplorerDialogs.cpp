// The explorer's dialogs: new folder or script, rename a script, remove a script.
#include "CExplorerDialogs.h"

#include <windows.h>

#include "CDataExchange.h"
#include "CSolutionConfig.h"
#include "CXTPPaintManager.h"
#include "CXTPResourceManager.h"
#include "MessageIds.h"

namespace {

enum { IDC_NEW_NAME = 1017, IDC_NEW_LABEL = 1019, IDC_RENAME_NAME = 1045, IDC_REMOVE_FROM_PROJECT = 1076,
       IDC_REMOVE_FROM_DISK = 1077 };

// OK follows whether the edit holds any text.
void EnableOkForText(HWND dialog, int edit)
{
    ::EnableWindow(::GetDlgItem(dialog, IDOK), ::GetWindowTextLengthA(::GetDlgItem(dialog, edit)) > 0);
}

CString LoadText(UINT id)
{
    CString text;
    XTPResourceManager()->LoadString(&text, id);
    return text;
}

}  // namespace

CNewFolderDlg::CNewFolderDlg(int mode, CWnd* pParent) : CDialog(IDD, pParent), m_nMode(mode) {}

void CNewFolderDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_NEW_NAME, m_strName);
}

BOOL CNewFolderDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CXTPPaintManager::SetTheme(4);
    SetWindowText(LoadText(m_nMode == 1 ? zMsgId::kNewFolderTitle : zMsgId::kNewFileTitle));
    ::SetDlgItemTextA(m_hWnd, IDC_NEW_LABEL, LoadText(m_nMode == 1 ? zMsgId::kNewFolderLabel : zMsgId::kNewFileLabel));
    EnableOkForText(m_hWnd, IDC_NEW_NAME);
    return TRUE;
}

BOOL CNewFolderDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDC_NEW_NAME && HIWORD(wParam) == EN_CHANGE)
        EnableOkForText(m_hWnd, IDC_NEW_NAME);
    return CDialog::OnCommand(wParam, lParam);
}

CRenameFileDlg::CRenameFileDlg(CWnd* pParent) : CDialog(IDD, pParent) {}

void CRenameFileDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_RENAME_NAME, m_strName);
}

BOOL CRenameFileDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CXTPPaintManager::SetTheme(4);
    EnableOkForText(m_hWnd, IDC_RENAME_NAME);
    return TRUE;
}

BOOL CRenameFileDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDC_RENAME_NAME && HIWORD(wParam) == EN_CHANGE)
        EnableOkForText(m_hWnd, IDC_RENAME_NAME);
    return CDialog::OnCommand(wParam, lParam);
}

CRemoveScript::CRemoveScript(CWnd* pParent)
    : CDialog(IDD, pParent), m_bRemoveFromDisk(g_solutionConfig.RemoveFromDisk ? 1 : 0)
{
}

void CRemoveScript::DoDataExchange(CDataExchange* pDX)
{
    DDX_Check(pDX, IDC_REMOVE_FROM_PROJECT, m_bDeleteFromProject);
    DDX_Check(pDX, IDC_REMOVE_FROM_DISK, m_bRemoveFromDisk);
}

BOOL CRemoveScript::OnInitDialog()
{
    CDialog::OnInitDialog();
    CXTPPaintManager::SetTheme(4);
    return TRUE;
}

BOOL CRemoveScript::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDC_REMOVE_FROM_PROJECT && HIWORD(wParam) == BN_CLICKED)
        ::EnableWindow(::GetDlgItem(m_hWnd, IDOK),
                       ::IsDlgButtonChecked(m_hWnd, IDC_REMOVE_FROM_PROJECT) == BST_CHECKED);
    return CDialog::OnCommand(wParam, lParam);
}
