// The Insert Files Options dialog.
#include "CInsertInGame.h"

#include "CInsertManager.h"
#include "CSolutionConfig.h"
#include "CXTPPaintManager.h"
#include "ResourceIds.h"

namespace {
bool Exists(const CString& folder)
{
    return !folder.IsEmpty() && ::GetFileAttributesA(folder) != INVALID_FILE_ATTRIBUTES;
}
}  // namespace

CInsertInGame::CInsertInGame(CWnd* pParent)
    : CDialog(IDD, pParent), m_bInsert(g_solutionConfig.InsertInGame),
      m_strVarnok(g_solutionConfig.PathVarnok), m_strVarnok2(g_solutionConfig.PathVarnok2)
{
}

void CInsertInGame::DoDataExchange(CDataExchange* pDX)
{
    DDX_Check(pDX, IDC_INSERT_SWITCH, m_bInsert);
    DDX_Text(pDX, IDC_INSERT_VARNOK, m_strVarnok);
    DDX_Text(pDX, IDC_INSERT_VARNOK2, m_strVarnok2);
}

BOOL CInsertInGame::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_editVarnok.SubclassDlgItem(IDC_INSERT_VARNOK, this);
    m_editVarnok.Initialize(this, BES_XT_CHOOSEDIR);
    m_editVarnok2.SubclassDlgItem(IDC_INSERT_VARNOK2, this);
    m_editVarnok2.Initialize(this, BES_XT_CHOOSEDIR);
    UpdateOkButton();
    CXTPPaintManager::SetTheme(4);
    ::SetFocus(::GetDlgItem(m_hWnd, IDC_INSERT_SWITCH));
    return FALSE;
}

void CInsertInGame::UpdateOkButton()
{
    UpdateData(TRUE);
    const bool enable = !m_bInsert || Exists(m_strVarnok) || Exists(m_strVarnok2);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDOK), enable);
}

BOOL CInsertInGame::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam), code = HIWORD(wParam);
    if ((id == IDC_INSERT_SWITCH && code == BN_CLICKED) ||
        ((id == IDC_INSERT_VARNOK || id == IDC_INSERT_VARNOK2) && code == EN_CHANGE))
        UpdateOkButton();
    return CDialog::OnCommand(wParam, lParam);
}

void CInsertInGame::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    m_strVarnok = CInsertManager::NormaliseGameFolder(m_strVarnok);
    m_strVarnok2 = CInsertManager::NormaliseGameFolder(m_strVarnok2);
    EndDialog(IDOK);
}
