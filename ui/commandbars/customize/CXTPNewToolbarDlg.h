// The dialog that names a new toolbar or renames one of the user's, and checks the name.
#pragma once

#include "CDialog.h"
#include "CString.h"
#include "ResourceIds.h"

class CXTPCommandBars;
class CXTPToolBar;

class CXTPNewToolbarDlg : public CDialog {
public:
    // pRename null: a new toolbar, proposed as the first free "Custom N".
    CXTPNewToolbarDlg(CXTPCommandBars* pCommandBars, CXTPToolBar* pRename = nullptr, CWnd* pParent = nullptr);

    // The template comes through the resource manager in the interface language.
    INT_PTR DoModal() override;
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    // Keeps the dialog open on an empty name or one another bar has; a new toolbar gets the
    // first free id from 59392, and there being none left cancels.
    void OnOK() override;

    // After IDOK: the name and, for a new toolbar, its id.
    CString m_strToolBar;
    CXTPToolBar* m_pToolBar = nullptr;
    CXTPCommandBars* m_pCommandBars = nullptr;
    UINT m_nNewID = 0;

    // The ids new toolbars take, the first and one past the last.
    enum { kFirstID = AFX_IDW_CONTROLBAR_FIRST, kEndID = AFX_IDW_CONTROLBAR_LAST };

private:
    CString ProposeName() const;
    BOOL IsTitleUsed(const CString& strTitle, const CXTPToolBar* pExcept) const;
};
