// The plain controls' context menu tracker and its replacement by a higher layer.
#include "TrackControlMenu.h"

#include "CMenu.h"
#include "CWnd.h"

namespace {

// A plain menu has no icons.
int TrackPlainMenu(CMenu* pMenu, UINT nFlags, int x, int y, CWnd* pWnd, UINT /*nIconsID*/)
{
    return ::TrackPopupMenu(pMenu->GetSafeHmenu(), nFlags, x, y, 0, pWnd ? pWnd->GetSafeHwnd() : nullptr, nullptr);
}

// Constant-initialised: a tracker set from another library's static initialiser stays set.
PFNTRACKCONTROLMENU g_pfnTrack = nullptr;

}  // namespace

PFNTRACKCONTROLMENU SetControlMenuTracker(PFNTRACKCONTROLMENU pfnTrack)
{
    const PFNTRACKCONTROLMENU pfnPrevious = g_pfnTrack;
    g_pfnTrack = pfnTrack;
    return pfnPrevious;
}

int TrackControlMenu(CMenu* pMenu, UINT nFlags, int x, int y, CWnd* pWnd, UINT nIconsID)
{
    if (!pMenu || !pMenu->GetSafeHmenu())
        return 0;
    return (g_pfnTrack ? g_pfnTrack : TrackPlainMenu)(pMenu, nFlags | TPM_NONOTIFY, x, y, pWnd, nIconsID);
}
