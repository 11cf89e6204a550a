// The system's find and replace dialog: its record, creation through the hook, and its self-deletion.
#include "CFindReplaceDialog.h"

#include <cstring>

#include "AfxResource.h"

IMPLEMENT_DYNAMIC(CFindReplaceDialog, CCommonDialog)

CFindReplaceDialog::CFindReplaceDialog()
{
    m_fr.lStructSize = sizeof(m_fr);
    m_fr.lpstrFindWhat = m_szFindWhat;
    m_fr.wFindWhatLen = sizeof(m_szFindWhat);
    m_fr.lpstrReplaceWith = m_szReplaceWith;
    m_fr.wReplaceWithLen = sizeof(m_szReplaceWith);
    m_fr.lCustData = reinterpret_cast<LPARAM>(this);
}

BOOL CFindReplaceDialog::Create(BOOL bFindDialogOnly, const char* lpszFindWhat, const char* lpszReplaceWith,
                                DWORD dwFlags, CWnd* pParentWnd)
{
    if (m_hWnd)
        return FALSE;
    m_pParentWnd = pParentWnd;
    std::strncpy(m_szFindWhat, lpszFindWhat ? lpszFindWhat : "", sizeof(m_szFindWhat) - 1);
    std::strncpy(m_szReplaceWith, lpszReplaceWith ? lpszReplaceWith : "", sizeof(m_szReplaceWith) - 1);
    m_fr.Flags |= dwFlags | FR_ENABLEHOOK;
    m_fr.lpfnHook = &CCommonDialog::CommonDialogHook;
    // The notifications go to the parent itself, also when it is a child window (a view).
    m_fr.hwndOwner = pParentWnd && pParentWnd->m_hWnd ? pParentWnd->m_hWnd : DialogOwner();
    if (!m_fr.hwndOwner)
        return FALSE;  // the system needs an owner to send its messages to
    if ((m_fr.Flags & FR_ENABLETEMPLATE) && !m_fr.hInstance)
        m_fr.hInstance = AfxGetResourceHandle();
    AfxHookWindowCreate(this);
    HWND hWnd = bFindDialogOnly ? ::FindTextA(&m_fr) : ::ReplaceTextA(&m_fr);
    AfxUnhookWindowCreate();
    return hWnd != nullptr && m_hWnd == hWnd;
}

CFindReplaceDialog* CFindReplaceDialog::GetNotifier(LPARAM lParam)
{
    auto* fr = reinterpret_cast<FINDREPLACEA*>(lParam);
    return fr ? reinterpret_cast<CFindReplaceDialog*>(fr->lCustData) : nullptr;
}

void CFindReplaceDialog::PostNcDestroy()
{
    delete this;
}
