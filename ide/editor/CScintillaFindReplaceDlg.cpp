// CScintillaFindReplaceDlg and the program's find state.
#include "CScintillaFindReplaceDlg.h"

IMPLEMENT_DYNAMIC(CScintillaFindReplaceDlg, CFindReplaceDialog)

BEGIN_MESSAGE_MAP(CScintillaFindReplaceDlg, CFindReplaceDialog)
    ON_CONTROL(BN_CLICKED, kRegularExpressionBox, OnRegularExpression)
END_MESSAGE_MAP()

BOOL CScintillaFindReplaceDlg::OnInitDialog()
{
    const BOOL result = CFindReplaceDialog::OnInitDialog();
    if (HWND box = ::GetDlgItem(m_hWnd, kRegularExpressionBox)) {
        CheckDlgButton(kRegularExpressionBox, m_bRegularExpression && m_bOfferRegularExpression ? BST_CHECKED
                                                                                                 : BST_UNCHECKED);
        ::EnableWindow(box, m_bOfferRegularExpression);
    }
    return result;
}

void CScintillaFindReplaceDlg::OnRegularExpression()
{
    m_bRegularExpression = IsDlgButtonChecked(kRegularExpressionBox) == BST_CHECKED;
}

CScintillaFindState g_scintillaFind;
const UINT g_findReplaceMessage = ::RegisterWindowMessageA(FINDMSGSTRINGA);
