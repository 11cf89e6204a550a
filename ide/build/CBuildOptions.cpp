// The Build Options dialog.
#include "CBuildOptions.h"

#include <commctrl.h>

#include <string>

#include "CSolutionConfig.h"
#include "ResourceIds.h"

CBuildOptions::CBuildOptions(CWnd* pParent)
    : CDialog(IDD, pParent), m_nInsertSpace(g_solutionConfig.InsertSpace),
      m_nWarningReturnValue(g_solutionConfig.WarningReturnValue),
      m_nWarningUpperCase(g_solutionConfig.WarningUpperCase),
      m_nCorrectUpperCase(g_solutionConfig.CorrectUpperCase)
{
}

void CBuildOptions::DoDataExchange(CDataExchange* pDX)
{
    DDX_Check(pDX, IDC_INSERT_SPACES, m_nInsertSpace);
    DDX_Check(pDX, IDC_NO_RETURN_WARNING, m_nWarningReturnValue);
    DDX_Check(pDX, IDC_NO_UPPERCASE_WARNING, m_nWarningUpperCase);
    DDX_Check(pDX, IDC_AUTOCORRECT_UPPERCASE, m_nCorrectUpperCase);
}

BOOL CBuildOptions::OnInitDialog()
{
    CDialog::OnInitDialog();
    ::SendDlgItemMessageA(m_hWnd, IDC_MESSAGE_LEVEL, TBM_SETRANGE, TRUE, MAKELPARAM(0, 10));
    ::SendDlgItemMessageA(m_hWnd, IDC_MESSAGE_LEVEL, TBM_SETPOS, TRUE, g_solutionConfig.LevelMessage);
    ShowLevel();
    UpdateUpperCaseWarning();
    return TRUE;
}

int CBuildOptions::GetLevel() const
{
    return static_cast<int>(::SendDlgItemMessageA(m_hWnd, IDC_MESSAGE_LEVEL, TBM_GETPOS, 0, 0));
}

void CBuildOptions::ShowLevel()
{
    ::SetDlgItemTextA(m_hWnd, IDC_MESSAGE_LEVEL_VALUE, std::to_string(GetLevel()).c_str());
}

void CBuildOptions::UpdateUpperCaseWarning()
{
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_NO_UPPERCASE_WARNING), !m_nCorrectUpperCase);
}

BOOL CBuildOptions::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDC_AUTOCORRECT_UPPERCASE && HIWORD(wParam) == BN_CLICKED) {
        UpdateData(TRUE);
        UpdateUpperCaseWarning();
    }
    return CDialog::OnCommand(wParam, lParam);
}

BOOL CBuildOptions::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header && header->idFrom == IDC_MESSAGE_LEVEL && header->code == static_cast<UINT>(NM_CUSTOMDRAW))
        ShowLevel();
    return CDialog::OnNotify(wParam, lParam, pResult);
}

void CBuildOptions::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    g_solutionConfig.LevelMessage = GetLevel();
    g_solutionConfig.InsertSpace = m_nInsertSpace;
    g_solutionConfig.WarningReturnValue = m_nWarningReturnValue;
    g_solutionConfig.WarningUpperCase = m_nWarningUpperCase;
    g_solutionConfig.CorrectUpperCase = m_nCorrectUpperCase;
    EndDialog(IDOK);
}
