// The source list's insert dialog.
#include "CSrcDialog.h"

#include <mbstring.h>

#include "CSrcManager.h"
#include "CXTPResourceManager.h"
#include "ResourceIds.h"

CSrcDialog::CSrcDialog(const CString& name, int mode, CWnd* pParent)
    : CDialog(IDD, pParent), m_nMode(mode), m_strName(name)
{
}

void CSrcDialog::DoDataExchange(CDataExchange* pDX)
{
    DDX_Check(pDX, IDC_SRC_BEFORE, m_bInsertBefore);
}

BOOL CSrcDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    CString format, prompt;
    XTPResourceManager()->LoadString(&format, IDS_SRC_INSERT_POSITION);
    prompt.Format(format, static_cast<const char*>(m_strName));
    ::SetDlgItemTextA(m_hWnd, IDC_SRC_PROMPT, prompt);

    // The row preselected is the last entry that sorts before the new name, else the first.
    CSrcManager* src = GetSrcManager();
    const HWND list = ::GetDlgItem(m_hWnd, IDC_SRC_LIST);
    int selected = 0;
    for (int i = 0; i < src->GetCount(); ++i) {
        ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(static_cast<const char*>(src->GetAt(i))));
        if (_mbsicmp(reinterpret_cast<const unsigned char*>(static_cast<const char*>(src->GetAt(i))),
                     reinterpret_cast<const unsigned char*>(static_cast<const char*>(m_strName))) < 0)
            selected = i;
    }
    ::SendMessageA(list, LB_SETCURSEL, selected, 0);
    return TRUE;
}

void CSrcDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    CSrcManager* src = GetSrcManager();
    const int row = static_cast<int>(::SendDlgItemMessageA(m_hWnd, IDC_SRC_LIST, LB_GETCURSEL, 0, 0));
    int index = m_bInsertBefore ? row : row + 1;
    // An empty list has no row: the name becomes its first entry.
    if (row < 0 || index > src->GetCount())
        index = row < 0 ? 0 : src->GetCount();
    src->InsertAt(index, m_strName);
    EndDialog(IDOK);
}

BOOL CSrcDialog::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE))
        return FALSE;
    return CDialog::PreTranslateMessage(pMsg);
}
