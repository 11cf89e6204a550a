// A browse edit made in place over a list item to change its text; it reports the end of editing to its parent.
#pragma once

#include "CString.h"
#include "CXTBrowseEdit.h"
#include "ResourceIds.h"

// The codes the item edit ends with (high word of WM_COMMAND's wParam).
enum { XTN_LBOX_EDITED = 0x0DCA, XTN_LBOX_CANCELLED = 0x0DCB };

class CXTItemEdit : public CXTBrowseEdit {
public:
    // Creates the edit over rect with a browse button for dwBStyle (none without an action bit),
    // shows strText selected and takes the focus. On the end of editing strText receives the text
    // (not on Escape). With bAutoDelete the object deletes itself once its window is gone.
    CXTItemEdit(CWnd* pParent, const CRect& rect, CString& strText, DWORD dwBStyle = 0, bool bAutoDelete = true);
    ~CXTItemEdit() override;

    // Ends editing once: the parent (owner, else parent window) hears XTN_LBOX_EDITED or
    // XTN_LBOX_CANCELLED, and the edit and its button close themselves.
    virtual void EndLabelEdit();

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void PostNcDestroy() override;

    bool m_bClosePosted = false;
    bool m_bAutoDelete = true;
    bool m_bEscapeKey = false;
    CString& m_strWindowText;
    bool m_bEnded = false;
};
