// Property pages: the page's entry in the sheet, its window from the sheet's creation, and the sheet's notifications.
#include "CPropertyPage.h"

#include <cstring>

#include "AfxResource.h"
#include "CException.h"
#include "CPropertySheet.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)

CPropertyPage::CPropertyPage()
{
    std::memset(&m_psp, 0, sizeof(m_psp));
    m_psp.dwSize = sizeof(m_psp);
}

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption) : CPropertyPage()
{
    Construct(nIDTemplate, nIDCaption);
}

CPropertyPage::CPropertyPage(const char* lpszTemplateName, UINT nIDCaption) : CPropertyPage()
{
    Construct(lpszTemplateName, nIDCaption);
}

void CPropertyPage::Construct(UINT nIDTemplate, UINT nIDCaption)
{
    Construct(MAKEINTRESOURCEA(nIDTemplate), nIDCaption);
    m_nIDHelp = nIDTemplate;
}

void CPropertyPage::Construct(const char* lpszTemplateName, UINT nIDCaption)
{
    m_lpszTemplateName = lpszTemplateName;
    m_psp.pszTemplate = lpszTemplateName;
    m_strCaption.Empty();
    if (nIDCaption)
        AfxLoadString(nIDCaption, m_strCaption);
}

BOOL CPropertyPage::MakePageInfo(PROPSHEETPAGEA& psp) const
{
    psp = m_psp;
    psp.dwSize = sizeof(psp);
    if (!(psp.dwFlags & PSP_DLGINDIRECT)) {
        // The template is looked up here, in the interface language, not by the system.
        psp.pResource = LoadTemplate();
        psp.dwFlags |= PSP_DLGINDIRECT;
    }
    if (!psp.pResource)
        return FALSE;
    psp.hInstance = AfxGetResourceHandle();
    if (!m_strCaption.IsEmpty()) {
        psp.dwFlags |= PSP_USETITLE;
        psp.pszTitle = m_strCaption;
    }
    psp.pfnDlgProc = &CPropertyPage::PageProc;
    psp.lParam = reinterpret_cast<LPARAM>(this);
    return TRUE;
}

INT_PTR CALLBACK CPropertyPage::PageProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    // The system passes the page's entry, whose lParam is the page object.
    const auto* info = reinterpret_cast<const PROPSHEETPAGEA*>(lParam);
    auto* page = info ? reinterpret_cast<CPropertyPage*>(info->lParam) : nullptr;
    if (!page || page->m_hWnd || !page->SubclassWindow(hWnd))
        return TRUE;
    page->m_bFirstSetActive = TRUE;
    try {
        return page->OnInitDialog();
    } catch (CException* e) {
        // Never across the system's sheet code: the page stays, with what it could show.
        e->Delete();
        return TRUE;
    }
}

BOOL CPropertyPage::OnSetActive()
{
    if (m_bFirstSetActive)
        m_bFirstSetActive = FALSE;  // OnInitDialog has just filled the controls
    else
        UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive()
{
    return UpdateData(TRUE);
}

void CPropertyPage::OnOK() {}

void CPropertyPage::OnCancel() {}

CPropertySheet* CPropertyPage::GetSheet() const
{
    CWnd* parent = m_hWnd ? CWnd::FromHandlePermanent(::GetParent(m_hWnd)) : nullptr;
    return parent && parent->IsKindOf(RUNTIME_CLASS(CPropertySheet)) ? static_cast<CPropertySheet*>(parent) : nullptr;
}

BOOL CPropertyPage::PreTranslateMessage(MSG* pMsg)
{
    // Not the dialog's own key handling: Tab, Enter and Escape belong to the whole sheet.
    return CWnd::PreTranslateMessage(pMsg);
}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (!header || header->hwndFrom != ::GetParent(m_hWnd))
        return CDialog::OnNotify(wParam, lParam, pResult);
    switch (header->code) {
    case PSN_SETACTIVE:
        *pResult = OnSetActive() ? 0 : -1;  // -1 refuses the page
        return TRUE;
    case PSN_KILLACTIVE:
        *pResult = OnKillActive() ? FALSE : TRUE;  // TRUE keeps this page
        return TRUE;
    case PSN_APPLY:
        if (CPropertySheet* sheet = GetSheet())
            sheet->m_bApplied = TRUE;
        OnOK();
        *pResult = PSNRET_NOERROR;
        return TRUE;
    case PSN_RESET:
        OnCancel();
        *pResult = 0;
        return TRUE;
    default:
        return CDialog::OnNotify(wParam, lParam, pResult);
    }
}
