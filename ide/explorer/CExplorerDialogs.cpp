// The explorer's dialogs: new folder or script, rename a script, remove a script.
#include "CExplorerDialogs.h"

#include <windows.h>

#include "CDataExchange.h"
#include "CSolutionConfig.h"
#include "CXTPPaintManager.h"
#include "LoadText.h"
#include "ResourceIds.h"

namespace {

// OK follows whether the edit holds any text.
void EnableOkForText(HWND dialog, int edit)
{
    ::EnableWindow(::GetDlgItem(dialog, IDOK), ::GetWindowTextLengthA(::GetDlgItem(dialog, edit)) > 0);
}

}  // namespace

CNameDialog::CNameDialog(UINT nIDTemplate, int nEditId, CWnd* pParent)
    : CDialog(nIDTemplate, pParent), m_nEditId(nEditId)
{
}

void CNameDialog::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, m_nEditId, m_strName);
}

BOOL CNameDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    CXTPPaintManager::SetTheme(4);
    EnableOkForText(m_hWnd, m_nEditId);
    return TRUE;
}

BOOL CNameDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == m_nEditId && HIWORD(wParam) == EN_CHANGE)
        EnableOkForText(m_hWnd, m_nEditId);
    return CDialog::OnCommand(wParam, lParam);
}

CNewFolderDlg::CNewFolderDlg(int mode, CWnd* pParent) : CNameDialog(IDD, IDC_NEW_NAME, pParent), m_nMode(mode) {}

BOOL CNewFolderDlg::OnInitDialog()
{
    CNameDialog::OnInitDialog();
    SetWindowText(LoadText(m_nMode == 1 ? IDS_NEW_FOLDER_TITLE : IDS_NEW_FILE_TITLE));
    ::SetDlgItemTextA(m_hWnd, IDC_NEW_LABEL, LoadText(m_nMode == 1 ? IDS_NEW_FOLDER_LABEL : IDS_NEW_FILE_LABEL));
    return TRUE;
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
