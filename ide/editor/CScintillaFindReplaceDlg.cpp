// CScintillaFindReplaceDlg and the program's find state.
#include "CScintillaFindReplaceDlg.h"

IMPLEMENT_DYNAMIC(CScintillaFindReplaceDlg, CFindReplaceDialog)

BEGIN_MESSAGE_MAP(CScintillaFindReplaceDlg, CFindReplaceDialog)
    ON_CONTROL(BN_CLICKED, IDC_REGULAR_EXPRESSION, OnRegularExpression)
END_MESSAGE_MAP()

BOOL CScintillaFindReplaceDlg::OnInitDialog()
{
    const BOOL result = CFindReplaceDialog::OnInitDialog();
    if (HWND box = ::GetDlgItem(m_hWnd, IDC_REGULAR_EXPRESSION)) {
        CheckDlgButton(IDC_REGULAR_EXPRESSION, m_bRegularExpression && m_bOfferRegularExpression ? BST_CHECKED
                                                                                                 : BST_UNCHECKED);
        ::EnableWindow(box, m_bOfferRegularExpression);
    }
    return result;
}

void CScintillaFindReplaceDlg::OnRegularExpression()
{
    m_bRegularExpression = IsDlgButtonChecked(IDC_REGULAR_EXPRESSION) == BST_CHECKED;
}

CScintillaFindState g_scintillaFind;
const UINT g_findReplaceMessage = ::RegisterWindowMessageA(FINDMSGSTRINGA);
