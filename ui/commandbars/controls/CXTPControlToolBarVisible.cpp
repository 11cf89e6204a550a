// The toolbars menu's item of one bar.
#include "CXTPControlToolBarVisible.h"

#include "CXTPCommandBar.h"
#include "CXTPCommandBars.h"
#include "CXTPHookManager.h"

IMPLEMENT_DYNCREATE(CXTPControlToolBarVisible, CXTPControlButton)

CXTPControlToolBarVisible::CXTPControlToolBarVisible()
{
    m_dwFlags = xtpFlagManualUpdate;
}

void CXTPControlToolBarVisible::Execute()
{
    CXTPCommandBars* pCommandBars = m_pParent ? m_pParent->GetCommandBars() : nullptr;
    XTPHookManager()->CancelTracking();
    if (pCommandBars)
        pCommandBars->ToggleVisible(static_cast<int>(GetTag()));
}
