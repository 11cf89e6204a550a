// What the pane tree asks of the layout it belongs to and of that layout's pane manager:
// element ownership, the site frame, notifications to it, and the manager's settings.
#pragma once

#include <windows.h>

#include <map>
#include <vector>

#include "CString.h"

class CFrameWnd;
class CXTPDockingPane;
class CXTPDockingPaneBase;
class CXTPDockingPaneDragContext;
class CXTPDockingPanePaintManager;

// Element types; the numbers are stored in saved layouts.
enum XTPDockingPaneType {
    DPT_PANE = 0,
    DPT_TABBED = 1,
    DPT_SPLITTER = 2,
    DPT_MINIWND = 3,
    DPT_CLIENT = 4,
    DPT_AUTOHIDE = 5
};

enum XTPDockingPaneDirection { DPD_LEFT = 0, DPD_RIGHT = 1, DPD_TOP = 2, DPD_BOTTOM = 3 };

// Pane option bits.
enum { DPO_NOCLOSE = 1, DPO_NOHIDE = 2, DPO_NOFLOAT = 4, DPO_NOCAPTION = 8 };

// The notification sent to the site frame, its codes and the actions of DPN_ACTION.
enum { WM_DOCKPANE_NOTIFY = 0x89E6 };
enum { DPN_NEEDWINDOW = 1, DPN_CONTEXTMENU = 2, DPN_CLOSEPANE = 3, DPN_ACTION = 4 };
enum XTPDockingPaneActionCode {
    DPA_FLOATING = 0,
    DPA_FLOATED = 1,
    DPA_CLOSING = 2,
    DPA_CLOSED = 3,
    DPA_DOCKING = 4,
    DPA_DOCKED = 5,
    DPA_ATTACHING = 6,
    DPA_ATTACHED = 7,
    DPA_HIDING = 8,
    DPA_HIDDEN = 9,
    DPA_COLLAPSING = 10,
    DPA_COLLAPSED = 11,
    DPA_EXPANDING = 12,
    DPA_EXPANDED = 13
};

// Asked of a pane's window for its tab colour; a non-zero answer wins.
enum { WM_PANE_GETTABCOLOR = 0x0486 };
// The first of the eight automatic tab colours.
enum { XTP_TABCOLOR_AUTOMATIC = 0x1000000 };

using CXTPDockingPaneBaseList = std::vector<CXTPDockingPaneBase*>;
// Old element to its clone, while a layout is copied.
using CXTPDockingPaneCloneMap = std::map<CXTPDockingPaneBase*, CXTPDockingPaneBase*>;

class CXTPDockingPaneOwner {
public:
    virtual ~CXTPDockingPaneOwner() = default;

    // Layout side. The layout owns every element appended to it.
    virtual void AddElement(CXTPDockingPaneBase* pElement) = 0;
    // A layout the application holds for itself: its tab groups make no windows.
    virtual BOOL IsUserLayout() const = 0;

    // Manager side.
    virtual CFrameWnd* GetSite() const = 0;
    // The manager's own hidden window, where closed panes park their windows.
    virtual HWND GetManagerHwnd() const = 0;
    virtual CXTPDockingPanePaintManager* GetPaintManager() const = 0;
    virtual CXTPDockingPaneDragContext* GetDragContext() const = 0;
    // Sends WM_DOCKPANE_NOTIFY to the site frame.
    virtual LRESULT Notify(WPARAM nCode, LPARAM lParam) = 0;
    // DPN_ACTION; TRUE when the frame vetoed.
    virtual BOOL NotifyOwner(int nAction, CXTPDockingPane* pPane, CXTPDockingPaneBase* pContainer, int nExtra = 0) = 0;
    virtual void RecalcFramesLayout() = 0;
    virtual void ShowPane(CXTPDockingPane* pPane) = 0;
    virtual void ClosePane(CXTPDockingPane* pPane) = 0;
    virtual void ToggleAutoHide(CXTPDockingPaneBase* pElement) = 0;
    virtual void ToggleDocking(CXTPDockingPaneBase* pElement) = 0;
    // Every tab group takes over the focus state of the moment.
    virtual void UpdatePanes() = 0;
    // The factory of elements: null for types it does not make.
    virtual CXTPDockingPaneBase* CreatePaneOfType(int nType, CXTPDockingPaneOwner* pLayout) = 0;
    virtual HICON GetPaneIcon(int nIconID, int cx) = 0;

    virtual DWORD GetDefaultPaneOptions() const = 0;
    virtual BOOL IsHideClient() const = 0;
    virtual int GetMinTrackSize() const = 0;
    virtual BOOL IsGhostSplitter() const = 0;
    virtual BOOL IsLockSplitters() const = 0;
    virtual BOOL IsCloseGroupOnButton() const = 0;
    virtual BOOL IsHideGroupOnButton() const = 0;
    // Floating frames draw their own caption and can roll up.
    virtual BOOL IsThemedMiniFrames() const { return FALSE; }
    // The title of a floating frame that holds more than one tab group.
    virtual CString GetFloatingCaption() const { return CString(); }
    // Every pane record takes the container the pane now sits in as a holder.
    virtual void SyncPaneHolders() {}
    // Set while a pane is put back into a holder of its own.
    virtual BOOL IsAttachingPane() const { return FALSE; }
};

// Filled by NotifyOwner; lives on the sender's stack.
struct DockingPaneAction {
    int nAction;
    BOOL bCancel;
    CXTPDockingPane* pPane;
    CXTPDockingPaneBase* pContainer;
    int nExtra;
};
