// The new-toolbar and rename-toolbar dialog: the proposed name, the checks, the new bar's id.
#include "CXTPNewToolbarDlg.h"

#include "CDataExchange.h"
#include "CWinApp.h"
#include "CXTPCommandBar.h"
#include "CXTPCommandBars.h"
#include "CXTPResourceManager.h"
#include "CXTPToolBar.h"
#include "ResourceIds.h"

namespace {

const UINT kTemplateID = XTP_IDD_NEW_TOOLBAR;
const int kNameEdit = XTP_IDC_TOOLBAR_NAME;

}  // namespace

CXTPNewToolbarDlg::CXTPNewToolbarDlg(CXTPCommandBars* pCommandBars, CXTPToolBar* pRename, CWnd* pParent)
    : CDialog(kTemplateID, pParent), m_pToolBar(pRename), m_pCommandBars(pCommandBars)
{
}

INT_PTR CXTPNewToolbarDlg::DoModal()
{
    LPCDLGTEMPLATE lpTemplate = XTPResourceManager()->LoadDialogTemplate(MAKEINTRESOURCEA(kTemplateID));
    if (!lpTemplate || !InitModalIndirect(lpTemplate, m_pParentWnd))
        return -1;
    return CDialog::DoModal();
}

BOOL CXTPNewToolbarDlg::OnInitDialog()
{
    if (m_pToolBar) {
        m_strToolBar = m_pToolBar->GetTitle();
        CString strCaption;
        if (XTPResourceManager()->LoadString(&strCaption, IDS_TOOLBAR_RENAME_CAPTION))
            SetWindowText(strCaption);
    } else {
        m_strToolBar = ProposeName();
    }
    return CDialog::OnInitDialog();
}

void CXTPNewToolbarDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, kNameEdit, m_strToolBar);
}

CString CXTPNewToolbarDlg::ProposeName() const
{
    CString strFormat = "Custom %d";
    XTPResourceManager()->LoadString(&strFormat, IDS_TOOLBAR_NAME_PROPOSED);
    CString strName;
    for (int n = 1;; n++) {
        strName.Format(strFormat, n);
        if (!IsTitleUsed(strName, nullptr))
            return strName;
    }
}

BOOL CXTPNewToolbarDlg::IsTitleUsed(const CString& strTitle, const CXTPToolBar* pExcept) const
{
    if (!m_pCommandBars)
        return FALSE;
    for (int i = 0; i < m_pCommandBars->GetCount(); i++) {
        CXTPCommandBar* pBar = m_pCommandBars->GetAt(i);
        // Byte for byte: "Tools" and "tools" are two names.
        if (pBar != pExcept && pBar->GetTitle().Compare(strTitle) == 0)
            return TRUE;
    }
    return FALSE;
}

void CXTPNewToolbarDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (m_strToolBar.IsEmpty()) {
        XTPResourceManager()->ShowMessageBox(IDS_TOOLBAR_NAME_BLANK, MB_OK | MB_ICONERROR);
        return;
    }
    if (!m_pToolBar) {
        UINT nID = kFirstID;
        for (int i = 0; m_pCommandBars && i < m_pCommandBars->GetCount(); i++) {
            if (m_pCommandBars->GetAt(i)->GetBarID() == nID) {
                nID++;
                i = -1;  // every bar again with the next id
            }
        }
        if (nID >= kEndID) {
            XTPResourceManager()->ShowMessageBox(IDS_TOOLBAR_LIMIT_REACHED, MB_OK | MB_ICONERROR);
            EndDialog(IDCANCEL);
            return;
        }
        m_nNewID = nID;
    }
    if (IsTitleUsed(m_strToolBar, m_pToolBar)) {
        CString strFormat, strMessage;
        XTPResourceManager()->LoadString(&strFormat, IDS_TOOLBAR_NAME_TAKEN);
        strMessage.Format(strFormat, static_cast<const char*>(m_strToolBar));
        AfxMessageBox(strMessage, MB_OK | MB_ICONERROR);
        return;
    }
    EndDialog(IDOK);
}
