// Command update objects: the state a command's update handler sets on a menu item or window.
#pragma once

#include <windows.h>

class CCmdTarget;
class CWnd;

class CCmdUI {
public:
    CCmdUI() = default;
    virtual ~CCmdUI() = default;

    // On a menu item (m_hMenu) or, else, on the "other" window.
    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);  // 0 clear, 1 checked, 2 indeterminate
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(const char* lpszText);

    // Asks the target's update handler for the state; with bDisableIfNoHandler a command
    // nobody handles is disabled. TRUE when an update handler took it. Ids 0 and -1 are no
    // commands and are left as they are.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler);
    // An update handler calls this to let the command's state be asked further along the route.
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    UINT m_nID = 0;
    UINT m_nIndex = 0;
    UINT m_nIndexMax = 0;
    HMENU m_hMenu = nullptr;  // the menu whose item m_nIndex this is
    CWnd* m_pOther = nullptr;
    BOOL m_bEnableChanged = FALSE;
    BOOL m_bContinueRouting = FALSE;
};
