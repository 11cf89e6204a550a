// The in-place item edit: Enter keeps the text, Escape cancels, losing the focus ends the edit
// unless it went to the edit's own browse button.
#include "CXTItemEdit.h"

CXTItemEdit::CXTItemEdit(CWnd* pParent, const CRect& rect, CString& strText, DWORD dwBStyle, bool bAutoDelete)
    : m_bAutoDelete(bAutoDelete), m_strWindowText(strText)
{
    if (!Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, rect, pParent, XT_IDC_LBOX_EDIT))
        return;
    Initialize(pParent, dwBStyle);
    SetWindowText(strText);
    SetSel(0, -1);
    SendMessage(EM_SCROLLCARET);
    SetFocus();
}

CXTItemEdit::~CXTItemEdit() = default;

void CXTItemEdit::EndLabelEdit()
{
    if (m_bEnded || !m_hWnd)
        return;
    m_bEnded = true;
    if (!m_bClosePosted) {
        m_bClosePosted = true;
        if (m_btnBrowse.GetSafeHwnd())
            m_btnBrowse.PostMessage(WM_CLOSE);
        PostMessage(WM_CLOSE);
    }
    if (!m_bEscapeKey)
        GetWindowText(m_strWindowText);
    CWnd* target = GetOwner();
    if (!target)
        target = GetParent();
    if (target)
        target->SendMessage(WM_COMMAND, MAKEWPARAM(XT_IDC_LBOX_EDIT, m_bEscapeKey ? XTN_LBOX_CANCELLED : XTN_LBOX_EDITED),
                            reinterpret_cast<LPARAM>(m_hWnd));
}

BOOL CXTItemEdit::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT ignored = 0;
    LRESULT& result = pResult ? *pResult : ignored;
    switch (message) {
    case WM_GETDLGCODE:
        result = DLGC_WANTALLKEYS | Default();
        return TRUE;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
        if (wParam == VK_RETURN) {
            EndLabelEdit();
            result = 0;
            return TRUE;
        }
        if (wParam == VK_ESCAPE) {
            if (!m_bEnded)
                m_bEscapeKey = true;
            EndLabelEdit();
            result = 0;
            return TRUE;
        }
        break;
    case WM_KILLFOCUS:
        Default();
        if (!m_btnBrowse.GetSafeHwnd() || reinterpret_cast<HWND>(wParam) != m_btnBrowse.m_hWnd)
            EndLabelEdit();
        result = 0;
        return TRUE;
    default:
        break;
    }
    return CXTBrowseEdit::OnWndMsg(message, wParam, lParam, &result);
}

void CXTItemEdit::PostNcDestroy()
{
    // The button is a child of the edit's parent: it goes with the edit, however the edit was closed.
    if (m_btnBrowse.GetSafeHwnd())
        m_btnBrowse.DestroyWindow();
    if (m_bAutoDelete)
        delete this;
}
