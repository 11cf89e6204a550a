// Context menus of the library's plain controls (themed edits, combos, headers) drawn as
// command-bar popups.
#pragma once

#include <windows.h>

class CMenu;
class CWnd;

// Tracks pMenu at the screen point for pWnd, with the icons of toolbar resource nIconsID when
// it is above 0. The result is the tracking's: with TPM_RETURNCMD the chosen id (0 for none);
// 0 when the menu cannot be loaded.
int TrackCommandBarPopupMenu(CMenu* pMenu, UINT nFlags, int x, int y, CWnd* pWnd, UINT nIconsID);
