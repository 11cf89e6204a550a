// Context menus of the library's plain controls (edits, headers): tracked by the tracker a
// higher layer sets (the command bars show them as their popups), else as plain menus.
#pragma once

#include <windows.h>

class CMenu;
class CWnd;

// Tracks pMenu at the screen point for pWnd, with the icons of toolbar resource nIconsID when
// it is above 0. With TPM_RETURNCMD the result is the chosen id (0 for none).
typedef int (*PFNTRACKCONTROLMENU)(CMenu* pMenu, UINT nFlags, int x, int y, CWnd* pWnd, UINT nIconsID);

// Sets the tracker; null brings back the plain menu. Returns the previous tracker.
PFNTRACKCONTROLMENU SetControlMenuTracker(PFNTRACKCONTROLMENU pfnTrack);

// Tracks the menu with the tracker set, without notifications to pWnd.
int TrackControlMenu(CMenu* pMenu, UINT nFlags, int x, int y, CWnd* pWnd, UINT nIconsID);
