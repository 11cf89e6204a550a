// The drop-down menu, submenu and context menu bar (CXTPPopupBar) and its toolbar-style kind
// (CXTPPopupToolBar): placement beside the owning control, one-column layout, rarely used
// commands behind an expand button, scrolling of menus taller than the screen.
#pragma once

#include <windows.h>

#include <vector>

#include "CRect.h"
#include "CXTPCommandBar.h"
#include "ResourceIds.h"

class CXTPControl;
class CXTPControlPopup;
class CXTPToolBar;

// Popup flags: where the popup opens relative to its owner.
enum { xtpPopupLeft = 1, xtpPopupDown = 2 };

// The placement of a popup on the screen: in the point, owner rectangle, size and flags; out
// the point, size, flags and whether it must scroll.
struct XTPPopupPlacement {
    CRect rcWork;     // the work area of the owner's monitor
    CRect rcExclude;  // the owner's rectangle (screen), empty for a point
    CPoint pt;
    CSize size;
    DWORD dwFlags = 0;
    BOOL bScroll = FALSE;
};

// One control of a popup menu's column layout: in its size and state, out its rectangle.
struct XTPPopupItemLayout {
    CSize size;
    BOOL bVisible = TRUE;
    BOOL bBeginGroup = FALSE;
    CRect rc;
};

class CXTPPopupBar : public CXTPCommandBar {
    DECLARE_SERIAL(CXTPPopupBar)

public:
    CXTPPopupBar();
    ~CXTPPopupBar() override;

    // A popup of the command bars' popup class, tied to them.
    static CXTPPopupBar* CreatePopupBar(CXTPCommandBars* pCommandBars);

    BOOL Popup(CXTPControl* pControlPopup, BOOL bSelectFirst) override;
    // Opens at a screen point, keeping clear of rcExclude when given.
    BOOL Popup(int x, int y, LPCRECT rcExclude);
    BOOL DestroyWindow() override;
    BOOL SetTrackingMode(int bMode, BOOL bSelectFirst = TRUE, BOOL bKeyboard = FALSE) override;
    BOOL SetSelected(int nItem, BOOL bKeyboard = FALSE) override;
    BOOL IsVisible() const override { return m_hWnd && IsWindowVisible(); }
    void OnRecalcLayout() override { DelayLayout(); }
    CXTPCommandBar* GetParentBar() const override;
    BOOL OnKeyDown(UINT nChar) override;
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    void DrawCommandBar(CDC* pDC) override;
    void DelayLayout() override;
    void Copy(CXTPCommandBar* pSrc, BOOL bRecursive = FALSE) override;
    // The bar's keys, then the tear-off keys, "Borders" and "ShowShadow".
    void DoPropExchange(CXTPPropExchange* pPX) override;

    virtual void UpdateShortcuts();
    virtual void UpdateFlags();
    // The one-argument notification of every control before the popup shows.
    void NotifyControlsBeforeShow();
    // The controls' states from the site's update handlers, as the popup opens.
    void UpdateCommandStates();

    // Shows the rarely used commands.
    void ExpandBar();
    BOOL IsExpanded() const { return m_bExpanded; }
    BOOL HasHiddenCommands() const { return m_bHasHiddenCommands; }
    // The first control neither hidden nor disabled: its index with bIndex, else its id; -1 when none.
    int GetFirstEnabledControl(BOOL bIndex) const;
    CXTPControlPopup* GetControlPopup() const { return m_pControlPopup; }

    DWORD GetPopupFlags() const { return m_popupFlags; }
    void SetPopupFlags(DWORD dwFlags) { m_popupFlags = dwFlags; }
    CRect GetExcludeRect() const { return m_rcExclude; }
    BOOL IsScrolling() const { return m_bScroll; }
    int GetFirstVisibleIndex() const { return m_nScrollFirst; }
    int GetLastVisibleIndex() const { return m_nScrollLast; }
    CRect GetScrollUpRect() const { return m_rcScrollUp; }
    CRect GetScrollDownRect() const { return m_rcScrollDown; }
    // Tear-off settings, kept by the layout and by copies.
    void SetTearOffPopup(const char* lpszCaption, UINT nID, BOOL bTearOffable = TRUE, int nWidth = 400)
    {
        m_bTearOffable = bTearOffable;
        m_strTearOffCaption = lpszCaption ? lpszCaption : "";
        m_nTearOffID = nID;
        m_nTearOffWidth = nWidth;
    }
    BOOL IsTearOffPopup() const { return m_bTearOffable; }
    // The grip at the top of a tear-off popup (client coordinates), empty without one.
    CRect GetTearOffGripRect() const { return m_rcTearOffGrip; }
    BOOL IsTearOffGripHot() const { return m_bTearOffSelected; }
    // Drags the popup's controls off as a floating toolbar until the left button is released
    // or Escape pressed: leaving the grip's surroundings shows the toolbar at the cursor, coming
    // back hides it. A toolbar still shown at the end stays, and the menus close.
    void TrackTearOff();
    CString GetTearOffCaption() const { return m_strTearOffCaption; }
    UINT GetTearOffID() const { return m_nTearOffID; }
    int GetTearOffWidth() const { return m_nTearOffWidth; }
    BOOL IsShowShadow() const { return m_bShowShadow; }
    void SetShowShadow(BOOL bShow) { m_bShowShadow = bShow; }
    CRect GetBorders() const { return m_rcBorders; }
    void SetBorders(CRect rcBorders) { m_rcBorders = rcBorders; }
    // TPM_NONOTIFY of a tracked context menu: the site hears nothing of its opening and closing.
    void SetNoNotify(BOOL bNoNotify) { m_bNoNotify = bNoNotify; }
    // The popup leaves other open popups open when tracked on its own.
    BOOL IsContextMenuOverOthers() const { return m_bKeepOthers; }
    void SetContextMenuOverOthers(BOOL bKeep) { m_bKeepOthers = bKeep; }

    // The animation kind a popup opens with: 2 unfold, 3 slide, 4 fade, 5 none.
    int GetAnimationType() const;

    // Placement on the screen; pure, for the window and for tests.
    static void CalcPlacement(XTPPopupPlacement& placement);
    // The one-column layout of a popup menu: the size with the borders; nExpandHeight reserves
    // room for the expand button below the controls (0: none), placed in rcExpand.
    static CSize CalcMenuLayout(std::vector<XTPPopupItemLayout>& items, CRect rcBorders, int nGap, int nMaxWidth,
                                int nExpandHeight, CRect& rcExpand);
    // Which controls a window nHeight high shows from nFirst on (or, with bUp, ending before
    // nFirst): their tops, -1 for the scrolled-away ones; the scroll areas and the new range.
    static void CalcScrollLayout(const std::vector<XTPPopupItemLayout>& items, int nHeight, CRect rcBorders,
                                 int nGap, int& nFirst, int& nLast, BOOL bUp, std::vector<int>& tops);

    // The height of the scroll areas and the room kept free above the work-area bottom.
    enum { kScrollAreaHeight = 16, kBottomMargin = 5, kEmptySize = 22 };
    // The expand button of the rarely used commands.
    enum { kExpandButtonId = XTP_ID_POPUPBAR_EXPAND };

    // The process-wide width limit of one control, as a fraction of the work-area width.
    static double m_dMaxWidthDivisor;

    DECLARE_MESSAGE_MAP()

protected:
    // Places the window for the size (UpdateLocation).
    void UpdateLocation(CSize size);
    void UpdateHiddenCommands();
    // Brings the popup's picture onto the screen with the animation kind (2 to 4).
    void Animate(int nAnimation);
    // Lays the controls out from the first visible one (or up to the last, with bUp).
    void ScrollLayout(BOOL bUp);
    void ShowScrolled(int nIndex);
    void CreatePopupWindow();
    // The room a separator takes between two groups of the menu.
    int GetSeparatorGap(CDC* pDC);
    // The bar borders and, for a tear-off popup, its grip above the controls.
    CRect GetPopupBorders(CRect rcBorders, CDC* pDC);
    // The grip from the top border down, across the popup of width cx.
    void PlaceTearOffGrip(CRect rcBorders, int cx);
    // One step of the tear-off drag: the cursor at a screen point, rcStay around the grip.
    void MoveTearOff(CPoint ptScreen, const CRect& rcStay);
    // The toolbar that holds the torn-off controls: the bar of the tear-off id, else a new one.
    CXTPToolBar* ShowTearOffBar();

    void OnMouseMove(UINT nFlags, CPoint point);
    void OnDestroy();
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnTimer(UINT_PTR nIDEvent);

    CPoint m_ptPopup;
    CRect m_rcExclude;
    DWORD m_popupFlags = 0;
    BOOL m_bInLayout = FALSE;
    BOOL m_bHasHiddenCommands = FALSE;
    BOOL m_bExpanded = FALSE;
    BOOL m_bExpanding = FALSE;
    BOOL m_bTearOffable = FALSE;
    CString m_strTearOffCaption;
    UINT m_nTearOffID = 0;
    int m_nTearOffWidth = 400;
    CRect m_rcTearOffGrip;
    BOOL m_bTearOffSelected = FALSE;  // the grip is hot
    UINT_PTR m_nTearOffTimer = 0;
    BOOL m_bTearOffTracking = FALSE;
    CSize m_szTearOffBar;
    CXTPToolBar* m_pTearOffBar = nullptr;  // shown while the drag is outside the grip's surroundings
    BOOL m_bShowShadow = TRUE;
    CRect m_rcBorders = CRect(2, 4, 2, 4);
    BOOL m_bScroll = FALSE;
    int m_nScrollFirst = 0;
    int m_nScrollLast = 0;
    CRect m_rcScrollUp;
    CRect m_rcScrollDown;
    UINT_PTR m_nScrollTimer = 0;
    BOOL m_bNoNotify = FALSE;
    BOOL m_bKeepOthers = FALSE;
    BOOL m_bInDestroy = FALSE;  // the window is going: closing must not destroy it again
    CXTPControlPopup* m_pControlPopup = nullptr;
};

class CXTPPopupToolBar : public CXTPPopupBar {
    DECLARE_SERIAL(CXTPPopupToolBar)

public:
    CXTPPopupToolBar();
    static CXTPPopupToolBar* CreatePopupToolBar(CXTPCommandBars* pCommandBars);
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
};
