// Property pages: dialogs shown as the tabs of a property sheet.
#pragma once

#include "CDialog.h"
#include "CString.h"

#include <prsht.h>  // after <windows.h>, which it needs

class CPropertySheet;

class CPropertyPage : public CDialog {
    DECLARE_DYNAMIC(CPropertyPage)

public:
    CPropertyPage();
    // The template is a dialog resource found in the interface language; nIDCaption, when
    // given, is the string id of the tab's text (else the template's caption).
    explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
    explicit CPropertyPage(const char* lpszTemplateName, UINT nIDCaption = 0);
    void Construct(UINT nIDTemplate, UINT nIDCaption = 0);
    void Construct(const char* lpszTemplateName, UINT nIDCaption = 0);

    // What the sheet makes the page from. A template in memory replaces the resource when
    // m_psp.dwFlags has PSP_DLGINDIRECT and m_psp.pResource points to it; it must stay valid
    // while the sheet is open.
    PROPSHEETPAGEA m_psp;

    // Notifications from the sheet. OnSetActive fills the controls again (the first time
    // OnInitDialog has); OnKillActive takes their values and keeps the page when that fails;
    // OnOK (the sheet's OK) and OnCancel do nothing more by default.
    virtual BOOL OnSetActive();
    virtual BOOL OnKillActive();
    void OnOK() override;
    void OnCancel() override;

    // The sheet the page is shown in, or null.
    CPropertySheet* GetSheet() const;

    // Keys go to the sheet, which moves between pages and controls.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    friend class CPropertySheet;
    // The page's share of the sheet's page array: m_psp with the template resolved, or FALSE
    // when the page has none.
    BOOL MakePageInfo(PROPSHEETPAGEA& psp) const;
    static INT_PTR CALLBACK PageProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    CString m_strCaption;
    BOOL m_bFirstSetActive = TRUE;
};
