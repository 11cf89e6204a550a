// Property sheets: a window of tabbed pages on the system's property sheet, modal or modeless.
#pragma once

#include <vector>

#include "CPropertyPage.h"

class CPropertySheet : public CWnd {
    DECLARE_DYNAMIC(CPropertySheet)

public:
    CPropertySheet();
    explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    explicit CPropertySheet(const char* pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    ~CPropertySheet() override;

    // The header the sheet is made from. It starts with PSH_NOAPPLYNOW: the sheet has OK and
    // Cancel but no Apply button.
    PROPSHEETHEADERA m_psh;
    CWnd* m_pParentWnd = nullptr;

    // Pages are the caller's; the sheet only shows them. A page added while the sheet is
    // open gets its tab at once.
    void AddPage(CPropertyPage* pPage);
    void RemovePage(CPropertyPage* pPage);
    void RemovePage(int nPage);
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    CPropertyPage* GetPage(int nPage) const;
    int GetPageIndex(const CPropertyPage* pPage) const;

    // The page shown (before the sheet opens: the one it will open on).
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const;
    BOOL SetActivePage(int nPage);
    BOOL SetActivePage(CPropertyPage* pPage);
    void SetTitle(const char* lpszText);
    // The tab control of the open sheet, or null.
    CWnd* GetTabControl() const;

    // Runs the sheet until OK or Cancel: IDOK after the pages took the values, else IDCANCEL;
    // -1 when the sheet could not be made (no pages, a page without template).
    virtual INT_PTR DoModal();
    // A modeless sheet: it destroys its window when OK or Cancel closes it.
    virtual BOOL Create(CWnd* pParentWnd = nullptr);
    // After the system has made the sheet and its first page.
    virtual BOOL OnInitDialog();

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL ContinueModal() override;

    DECLARE_MESSAGE_MAP()

protected:
    friend class CPropertyPage;
    // The page array of the header; FALSE when a page has no template.
    BOOL BuildPropPageArray();
    // Makes the window of the sheet described by m_psh (modeless).
    BOOL CreateSheetWindow(HWND hWndParent);
    // The system closed the sheet (its current page is gone): the modal loop ends, or a
    // modeless sheet destroys itself.
    BOOL HasEnded() const;
    void EndSheet();
    void CommonConstruct(CWnd* pParentWnd, UINT iSelectPage);

    LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    std::vector<CPropertyPage*> m_pages;
    std::vector<PROPSHEETPAGEA> m_pageInfo;
    CString m_strCaption;
    BOOL m_bModeless = FALSE;
    BOOL m_bApplied = FALSE;  // the pages were told of OK
};
