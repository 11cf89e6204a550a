// The command bars of one frame: their list, the frame's message hooks, layout, command usage,
// customize mode and the managers the bars paint with.
#pragma once

#include <windows.h>

#include <vector>

#include "CCmdTarget.h"
#include "CRect.h"
#include "CXTPCustomizeDropSource.h"
#include "XTPCommandBarsTypes.h"

class CFrameWnd;
class CWnd;
class CXTPCommandBar;
class CXTPCommandBarList;
class CXTPCommandBarsOptions;
struct CXTPCommandBarsExchangeParam;
class CXTPControl;
class CXTPControls;
class CXTPMenuBar;
class CXTPDockBar;
class CXTPImageManager;
class CXTPToolBar;
class CXTPPaintManager;
class CXTPPopupBar;
class CXTPPropExchange;
class CMenu;

// Sent to the frame's MDI client, which a tab window (ui/tabs) may have subclassed; a plain
// client answers 0. After the bars' layout: the tabs follow it (wParam non-zero: the frame too).
constexpr UINT kMsgMDIClientRecalcLayout = WM_USER + 137;  // 1161
// Whether the client's tab groups take command wParam now (the workspace actions' entries).
constexpr UINT kMsgMDIClientIsGroupCommandEnabled = WM_USER + 138;  // 1162

class CXTPCommandBars : public CCmdTarget {
    DECLARE_DYNCREATE(CXTPCommandBars)

public:
    CXTPCommandBars();
    ~CXTPCommandBars() override;

    // Stores the frame and asks it whether it handles the customize command (35001).
    void SetSite(CFrameWnd* pFrame);
    CFrameWnd* GetSite() const { return m_pFrame; }

    int GetCount() const { return static_cast<int>(m_arrBars.size()); }
    CXTPCommandBar* GetAt(int nIndex) const;
    // The first bar with the id; id 0 gives null.
    CXTPCommandBar* GetToolBar(UINT nBarID) const;
    CXTPCommandBar* GetMenuBar() const { return m_pMenuBar; }
    // Makes the menu bar from menu nID (none for 0), docked at the top; null on failure.
    CXTPMenuBar* SetMenu(const char* lpszName, UINT nID);
    // A new popup listing the toolbars to show or hide (and Customize... when the frame has it).
    virtual CXTPPopupBar* GetToolbarsPopup();
    // ---- The expand popup of a toolbar (its options menu) ----
    // The buttons that found no room in the toolbar and in the other bars of its dock row, as
    // copies in the popup.
    virtual void GetHiddenControls(CXTPToolBar* pToolBar, CXTPPopupBar* pPopup);
    // One entry per bar of the toolbar's dock row (the toolbar alone when not docked) holding
    // its buttons to show or hide, then Customize... when the frame has it.
    virtual void GetExpandPopup(CXTPToolBar* pToolBar, CXTPPopupBar* pPopup);
    // The toolbars popup at a screen point, run until it closes; nothing in customize mode.
    virtual void ContextMenu(CPoint point);
    // The "Customize..." item, after a separator, at the end of a menu's controls.
    static CXTPControl* AddCustomizeButton(CXTPControls* pControls);
    void ToggleVisible(int nIndex);

    // Does nothing inside RecalcLayout; else lays the frame out now or at its next idle time.
    void RecalcFrameLayout(BOOL bDelay = FALSE);
    void RecalcLayout();

    // Runs the thread's messages while the bar tracks.
    static void PumpTrackingMessages(CXTPCommandBar* pBar);

    // Popups run modally. With TPM_RETURNCMD the result is the chosen command's id (0 when none)
    // and nothing is sent; else TRUE once the popup has run. pSite receives the commands and
    // answers the items' update queries; without it they go to the command bars' site or pOwner.
    static int TrackPopupMenu(CMenu* pMenu, UINT nFlags, int x, int y, CWnd* pOwner, LPCRECT rcExclude = nullptr,
                              CWnd* pSite = nullptr, CXTPCommandBars* pCommandBars = nullptr);
    static int TrackPopupBar(CXTPPopupBar* pPopup, UINT nFlags, int x, int y, CWnd* pOwner,
                             LPCRECT rcExclude = nullptr, CWnd* pSite = nullptr);

    // The frame's messages, before the frame: TRUE when taken.
    BOOL PreTranslateFrameMessage(MSG* pMsg);
    BOOL OnFrameWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // The frame of the foreground window (not a mini frame), or null.
    static CFrameWnd* GetForegroundFrame();

    virtual BOOL IsCommandHidden(UINT nID);
    virtual BOOL IsControlHidden(CXTPControl* pControl);
    // A value that tells the active MDI child's document template; 0 outside an MDI frame.
    virtual UINT GetActiveDocTemplate();
    void SetCommandUsed(UINT nID);
    void ResetUsageData();

    void SetCustomizeMode(BOOL bMode);
    void SetQuickCustomizeMode(BOOL bMode);
    // An Alt+drag ended with Alt still down: its release is no Alt-alone press.
    void SkipAltRelease() { m_bSkipAltRelease = TRUE; }
    BOOL IsCustomizeMode() const { return m_bCustomizeMode; }
    BOOL IsQuickCustomizeMode() const { return m_bQuickCustomizeMode; }
    BOOL IsCustomizable() const { return m_bCustomizable; }
    void SetDragControl(CXTPControl* pControl);
    CXTPControl* GetDragControl() const { return m_pDragSelected; }
    // The customize drag of controls between this host's bars.
    CXTPCustomizeDropSource* GetDropSource() { return &m_dropSource; }

    // ---- Docking: the four dock bars and the bars that dock in them or float ----
    // Makes the dock bars along the site's four edges; throws the resource exception when one
    // cannot be made.
    void EnableDocking();
    // The dock bar of a side (0 top, 1 bottom, 2 left, 3 right), or null.
    CXTPDockBar* GetDockBar(int nPosition) const;
    // A new toolbar of the class (CXTPToolBar when null) placed at the position; null when it
    // cannot be placed.
    CXTPToolBar* Add(const char* lpszName, XTPBarPosition position, CRuntimeClass* pToolbarClass = nullptr);
    // A toolbar of the user's (or torn off a popup, floating): the site may make it
    // (WM_CMDBARS_CREATEBAR); it is no built-in bar.
    CXTPToolBar* AddCustomBar(const char* lpszCaption, UINT nID, BOOL bTearOff = FALSE);
    // Hides the bar, takes it out of its dock bar and the list and releases the list's reference.
    void Remove(CXTPCommandBar* pBar);
    // Docks a toolbar in the dock bar at the screen rectangle (null: a new last row).
    BOOL DockCommandBar(CXTPCommandBar* pBar, LPCRECT lpRect, CXTPDockBar* pDockBar);
    BOOL DockCommandBar(CXTPCommandBar* pBar, XTPBarPosition position);
    BOOL FloatCommandBar(CXTPCommandBar* pBar);
    // The dock bar near the screen point (within 20 pixels, strictly), pCurrent first; null when none.
    CXTPDockBar* CanDock(CPoint point, CXTPDockBar* pCurrent = nullptr) const;
    static BOOL IsNearDockBar(const CRect& rcDockBar, CPoint point);
    // A toolbar came or went: the site's rebar (dialog item 59396), if any, takes or gives up its band.
    virtual void OnToolBarAdded(CXTPToolBar* pToolBar);
    virtual void OnToolBarRemoved(CXTPToolBar* pToolBar);

    // ---- The saved layout: bars, controls, dock state, images, shortcuts, options ----
    // Saves or loads what the block asks for (its defaults without one). A load is all or
    // nothing up to the merge: when the file's bars cannot all be made it returns FALSE with
    // the bars and rows as they were and the cause in the exchange's error text.
    BOOL DoPropExchange(CXTPPropExchange* pPX, CXTPCommandBarsExchangeParam* pParam = nullptr);
    // The commands of the customizable context menus, taken from a loaded layout (may be null).
    CXTPControls* GetContextMenus() const { return m_pContextMenus; }

    CXTPPaintManager* GetPaintManager() const;
    void SetPaintManager(CXTPPaintManager* pPaintManager);
    CXTPImageManager* GetImageManager() const;
    void SetImageManager(CXTPImageManager* pImageManager);
    CXTPCommandBarsOptions* GetOptions() const { return m_pOptions; }
    BOOL IsShowFullAfterDelay() const;

protected:
    // Appends a bar made by the bar makers; the list takes over the caller's reference.
    void AppendBar(CXTPCommandBar* pBar);
    // The layout's two directions and the merge of loaded bars into the program's.
    BOOL SaveLayout(CXTPPropExchange* pPX, const CXTPCommandBarsExchangeParam& param);
    BOOL LoadLayout(CXTPPropExchange* pPX, const CXTPCommandBarsExchangeParam& param);
    BOOL LoadBars(CXTPPropExchange* pPX, CXTPCommandBarList& loaded);
    void MergeBars(CXTPCommandBarList& loaded, const CXTPCommandBarsExchangeParam& param);
    void ExchangeDockLayout(CXTPPropExchange* pPX);
    void ExchangeImagesAndOptions(CXTPPropExchange* pPX, const CXTPCommandBarsExchangeParam& param);
    void TakeCommandList();
    // Alt with an item's mnemonic letter opens or runs that item of the menu bar.
    BOOL TranslateMenuMnemonic(MSG* pMsg);

    CXTPControls* m_pContextMenus = nullptr;
    HACCEL m_hDesignerAccels = nullptr;
    BOOL m_bIgnoreShiftMenuKey = FALSE;
    CXTPCustomizeDropSource m_dropSource{this};
    CXTPPaintManager* m_pPaintManager = nullptr;
    CXTPImageManager* m_pImageManager = nullptr;
    CXTPControl* m_pDragSelected = nullptr;
    BOOL m_bCustomizeMode = FALSE;
    BOOL m_bCustomizable = FALSE;
    UINT m_nDefaultMenuID = 0;
    BOOL m_bQuickCustomizeMode = FALSE;
    BOOL m_bSkipAltRelease = FALSE;
    CString m_strReserved;
    CXTPCommandBarsOptions* m_pOptions = nullptr;
    std::vector<CXTPCommandBar*> m_arrBars;
    CFrameWnd* m_pFrame = nullptr;
    CXTPCommandBar* m_pMenuBar = nullptr;
    BOOL m_bRecalcLayout = FALSE;
    CXTPDockBar* m_pDocks[4] = {};  // top, bottom, left, right
};
