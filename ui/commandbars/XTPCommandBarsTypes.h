// The command bars' shared vocabulary: bar positions, control kinds and flags, the messages
// they send to the site window and the records those messages carry.
#pragma once

#include <windows.h>

#include "CString.h"

class CXTPControl;
class CXTPCommandBar;
class CMenu;

enum XTPBarPosition {
    xtpBarTop = 0,
    xtpBarBottom = 1,
    xtpBarLeft = 2,
    xtpBarRight = 3,
    xtpBarFloating = 4,
    xtpBarPopup = 5,
    xtpBarListBox = 6,  // never a customize drop target
    xtpBarNone = 7
};

enum XTPBarType { xtpBarTypeMenuBar = 0, xtpBarTypeNormal = 1, xtpBarTypePopup = 2 };

enum XTPControlType {
    xtpControlError = 0,
    xtpControlButton = 1,
    xtpControlPopup = 2,
    xtpControlButtonPopup = 3,
    xtpControlSplitButtonPopup = 4,
    xtpControlComboBox = 5,
    xtpControlEdit = 6,
    xtpControlCustom = 7,
    xtpControlLabel = 8
};

// Control flags.
enum XTPControlFlags {
    xtpFlagRightAlign = 1,
    xtpFlagSkipFocus = 2,
    xtpFlagManualUpdate = 8,
    xtpFlagNoMovable = 16,
    xtpFlagControlStretched = 32
};

// Why a control is hidden; 0 is visible.
enum XTPControlHideFlags {
    xtpHideGeneric = 1,  // hidden by its bar (the bar's own buttons while they have no place)
    xtpHideWrap = 2,
    xtpHideDockingPosition = 4,
    xtpHideScroll = 8,  // hidden but reachable by keyboard
    xtpHideCustomize = 16,
    xtpHideExpand = 32,
    xtpHideDocTemplate = 64
};

// Selected state of a control.
enum { xtpNotSelected = 0, xtpSelectedByMouse = 1, xtpSelectedByKeyboard = 2 };

// Keys of ProcessSpecialKey.
enum XTPSpecialKey {
    xtpKeyNext = 0,
    xtpKeyBack = 1,
    xtpKeyPopup = 2,
    xtpKeyUp = 2,
    xtpKeyDown = 3,
    xtpKeyEscape = 4,
    xtpKeyReturn = 5,
    xtpKeyHome = 6,
    xtpKeyEnd = 7
};

// Messages to the site window.
#define WM_CMDBARS_EXECUTE 0x052D
#define WM_CMDBARS_CREATECONTROL 0x052F
#define WM_CMDBARS_CREATEBAR 0x0530
#define WM_CMDBARS_CONTROLSELECTED 0x0531
#define WM_CMDBARS_DRAGCONTROLCHANGED 0x0532
#define WM_CMDBARS_INITPOPUP 0x0533
#define WM_CMDBARS_TRACKINGSTARTED 0x0534
#define WM_CMDBARS_UNINITPOPUP 0x0535

// The notification code of an executed control.
#define CBN_XTP_EXECUTE 100

// Timers of the bars and of the hook manager's mouse-leave watch.
#define XTP_TID_HOVER 112223
#define XTP_TID_EXPANDED_POPUP 112224
#define XTP_TID_MOUSELEAVE 113341

// The record of WM_CMDBARS_EXECUTE: {0, id, code 100} and the control.
struct NMXTPCONTROL {
    NMHDR hdr;
    CXTPControl* pControl;
};

// The request of WM_CMDBARS_CREATECONTROL: the site may change the id, the type and the
// flags, or supply a ready control.
struct XTP_CREATECONTROL {
    UINT nID;
    CXTPControl* pControl;
    BOOL bToolBar;
    int nIndex;
    CString strCaption;
    CXTPCommandBar* pCommandBar;
    XTPControlType controlType;
    DWORD dwFlags;
    CMenu* pMenu;   // the menu of a menu item, else null
    BOOL bPopup;    // the menu item opens a submenu
};

// The request of WM_CMDBARS_CREATEBAR: the site may supply the bar to use.
struct XTP_CREATEBAR {
    CXTPCommandBar* pCommandBar;  // out: the bar, or null
    BOOL bPopup;                  // a popup bar is asked for
    BOOL bExpandBar;
    BOOL bCustomBar;
    BOOL bTearOffBar;
    CString strCaption;
    UINT nID;
};
