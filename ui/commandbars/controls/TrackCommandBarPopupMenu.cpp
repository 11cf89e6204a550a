// A menu tracked as a command-bar popup, with its own icons.
#include "TrackCommandBarPopupMenu.h"

#include "CMenu.h"
#include "CXTPCommandBars.h"
#include "CXTPImageManager.h"
#include "CXTPPopupBar.h"

int TrackCommandBarPopupMenu(CMenu* pMenu, UINT nFlags, int x, int y, CWnd* pWnd, UINT nIconsID)
{
    // The global paint manager is made on first use: the popup always has one to draw with.
    CXTPPopupBar* pPopup = CXTPPopupBar::CreatePopupBar(nullptr);
    if (nIconsID > 0) {
        auto* pImageManager = new CXTPImageManager;
        pImageManager->SetIcons(nIconsID);
        // The popup takes over this reference and lets it go with itself.
        pPopup->SetImageManager(pImageManager);
    }
    int nResult = 0;
    if (pPopup->LoadMenu(pMenu))
        nResult = CXTPCommandBars::TrackPopupBar(pPopup, nFlags | TPM_NONOTIFY, x, y, pWnd);
    pPopup->InternalRelease();
    return nResult;
}
