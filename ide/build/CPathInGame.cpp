// The missing game folder's question.
#include "CPathInGame.h"

#include "CInsertManager.h"
#include "CXTPPaintManager.h"
#include "JobGlobals.h"
#include "ResourceIds.h"

CPathInGame::CPathInGame(int game, CString oldFolder, CWnd* pParent)
    : CDialog(IDD, pParent), m_nGame(game), m_strOldFolder(oldFolder)
{
}

void CPathInGame::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_PATH_FOLDER, m_strNewFolder);
}

BOOL CPathInGame::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_editFolder.SubclassDlgItem(IDC_PATH_FOLDER, this);
    m_editFolder.Initialize(this, BES_XT_CHOOSEDIR);
    if (m_nGame == zPLATFORM_SECOND_GAME) {
        char title[256] = {};
        ::GetWindowTextA(m_hWnd, title, sizeof title - 1);
        ::SetWindowTextA(m_hWnd, (CString(title) + "2"));
    }
    char format[512] = {};
    ::GetDlgItemTextA(m_hWnd, IDC_PATH_MESSAGE, format, sizeof format);
    CString shown = CInsertManager::AbbreviatePath(m_strOldFolder, 80 - CString(format).GetLength());
    CString message;
    message.Format(format, static_cast<const char*>(shown));
    ::SetDlgItemTextA(m_hWnd, IDC_PATH_MESSAGE, message);
    UpdateOkButton();
    CXTPPaintManager::SetTheme(4);
    ::SetFocus(::GetDlgItem(m_hWnd, IDC_PATH_FOLDER));
    return FALSE;
}

void CPathInGame::UpdateOkButton()
{
    char text[MAX_PATH * 2] = {};
    ::GetDlgItemTextA(m_hWnd, IDC_PATH_FOLDER, text, sizeof text);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDOK), text[0] && ::GetFileAttributesA(text) != INVALID_FILE_ATTRIBUTES);
}

BOOL CPathInGame::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDC_PATH_FOLDER && HIWORD(wParam) == EN_CHANGE)
        UpdateOkButton();
    return CDialog::OnCommand(wParam, lParam);
}

void CPathInGame::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    m_strNewFolder = CInsertManager::NormaliseGameFolder(m_strNewFolder);
    EndDialog(IDOK);
}
