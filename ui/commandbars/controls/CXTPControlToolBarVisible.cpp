// The toolbars menu's item of one bar.
#include "CArchive.h"
#include "CXTPControlToolBarVisible.h"

#include "CXTPCommandBar.h"
#include "CXTPCommandBars.h"
#include "CXTPHookManager.h"

IMPLEMENT_SERIAL(CXTPControlToolBarVisible, CXTPControlButton, VERSIONABLE_SCHEMA | 0x11)

CXTPControlToolBarVisible::CXTPControlToolBarVisible()
{
    m_dwFlags = xtpFlagManualUpdate;
}

void CXTPControlToolBarVisible::Execute()
{
    CXTPCommandBars* pCommandBars = m_pParent ? m_pParent->GetCommandBars() : nullptr;
    XTPHookManager()->CancelTracking();
    // The list may have changed since the menu was made: only a toolbar at that place toggles.
    CXTPCommandBar* pBar = pCommandBars ? pCommandBars->GetAt(static_cast<int>(GetTag())) : nullptr;
    if (pBar && pBar->GetType() == xtpBarTypeNormal)
        pCommandBars->ToggleVisible(static_cast<int>(GetTag()));
}
