// Command update objects: the state calls on menu items and windows, DoUpdate, and a window's controls.
#include "CCmdUI.h"

#include "CCmdTarget.h"
#include "CWnd.h"

void CCmdUI::Enable(BOOL bOn)
{
    if (m_hMenu) {
        ::EnableMenuItem(m_hMenu, m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : MF_DISABLED | MF_GRAYED));
    } else if (m_pOther) {
        // Focus must not stay on a control that is being disabled.
        if (!bOn && ::GetFocus() == m_pOther->m_hWnd)
            ::SendMessageA(::GetParent(m_pOther->m_hWnd), WM_NEXTDLGCTL, 0, FALSE);
        m_pOther->EnableWindow(bOn);
    }
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck)
{
    if (m_hMenu) {
        ::CheckMenuItem(m_hMenu, m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
    } else if (m_pOther && (m_pOther->SendMessage(WM_GETDLGCODE) & DLGC_BUTTON)) {
        m_pOther->SendMessage(BM_SETCHECK, static_cast<WPARAM>(nCheck));
    }
}

void CCmdUI::SetRadio(BOOL bOn)
{
    SetCheck(bOn ? 1 : 0);
}

void CCmdUI::SetText(const char* lpszText)
{
    if (!lpszText)
        lpszText = "";
    if (m_hMenu) {
        UINT state = ::GetMenuState(m_hMenu, m_nIndex, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED | MF_CHECKED);
        UINT id = ::GetMenuItemID(m_hMenu, static_cast<int>(m_nIndex));
        ::ModifyMenuA(m_hMenu, m_nIndex, MF_BYPOSITION | MF_STRING | state, id, lpszText);
    } else if (m_pOther) {
        CString current;
        m_pOther->GetWindowText(current);
        if (current != lpszText)  // unchanged text is not set again, so it does not flicker
            m_pOther->SetWindowText(lpszText);
    }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler)
{
    m_bEnableChanged = FALSE;
    // Id 0 (a popup, a separator) and -1 name no command: nobody is asked and nothing is disabled.
    if (m_nID == 0 || LOWORD(m_nID) == 0xFFFF)
        return FALSE;
    BOOL handled = pTarget->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this, nullptr);
    if (bDisableIfNoHandler && !m_bEnableChanged) {
        AFX_CMDHANDLERINFO info{};
        Enable(pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info));
    }
    return handled;
}

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHandler)
{
    CCmdUI state;
    CWnd control;  // wraps each child in turn without entering the handle maps
    for (HWND child = ::GetTopWindow(m_hWnd); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        CWnd* permanent = CWnd::FromHandlePermanent(child);
        control.m_hWnd = child;
        state.m_pOther = permanent ? permanent : &control;
        state.m_nID = static_cast<UINT>(::GetDlgCtrlID(child));
        if (state.m_nID == 0 || state.m_nID == 0xFFFF)
            continue;  // static texts and unnamed children have no command
        // A control that updates itself (a reflected update handler) is left to it.
        if (permanent && permanent->OnCmdMsg(0, MAKELONG(static_cast<WORD>(CN_UPDATE_COMMAND_UI),
                                                         WM_COMMAND + WM_REFLECT_BASE), &state, nullptr))
            continue;
        // Buttons without a handler are disabled only when they are plain push buttons.
        BOOL disable = bDisableIfNoHandler;
        if (disable) {
            UINT code = static_cast<UINT>(::SendMessageA(child, WM_GETDLGCODE, 0, 0));
            disable = (code & DLGC_BUTTON) != 0 &&
                      (::GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK) <= BS_DEFPUSHBUTTON;
        }
        state.DoUpdate(pTarget, disable);
    }
    control.m_hWnd = nullptr;
}
