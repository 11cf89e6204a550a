// The focus of a text field in a bar: tracking, key control and the paired hook-manager lock.
#include "CXTPControlFieldFocus.h"

#include "CXTPCommandBar.h"
#include "CXTPControl.h"
#include "CXTPHookManager.h"
#include "CXTPKeyboardHook.h"

void CXTPControlFieldFocus::Enter(CXTPControl* pControl, CWnd* pOldWnd)
{
    CXTPCommandBar* pBar = pControl ? pControl->GetParent() : nullptr;
    if (!pBar)
        return;
    HWND hWndSaved = pBar->GetFocusWindow();
    if (!hWndSaved) {
        CWnd* pSite = pBar->GetSite();
        hWndSaved = pOldWnd ? pOldWnd->GetSafeHwnd() : (pSite ? pSite->GetSafeHwnd() : nullptr);
    }
    pBar->SetPopuped(-1);
    pBar->SetTrackingMode(TRUE, FALSE, FALSE);
    // Entering tracking saves the focus window, which by now is the field itself.
    pBar->SetFocusWindow(hWndSaved);
    pBar->SetSelected(pControl->GetIndex());
    if (m_pControl != pControl) {
        Leave();
        XTPHookManager()->Lock();
        m_pControl = pControl;
    }
    pBar->SetKeyControl(pControl);
    XTPKeyboardHook()->Register(pBar);
}

void CXTPControlFieldFocus::Leave()
{
    if (!m_pControl)
        return;
    XTPHookManager()->Unlock();
    CXTPCommandBar* pBar = m_pControl->GetParent();
    if (pBar && pBar->GetKeyControl() == m_pControl)
        pBar->SetKeyControl(nullptr);
    m_pControl = nullptr;
}

BOOL CXTPControlFieldFocus::ReturnFocus(CXTPControl* pControl, HWND hWndField)
{
    CXTPCommandBar* pBar = pControl->GetParent();
    if (!pBar || !hWndField || ::GetFocus() != hWndField)
        return FALSE;
    HWND hWndSaved = pBar->GetFocusWindow();
    ::SetFocus(hWndSaved && ::IsWindow(hWndSaved) ? hWndSaved : nullptr);
    if (pBar->GetSafeHwnd())
        pBar->Invalidate(FALSE);
    return TRUE;
}
