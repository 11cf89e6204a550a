// The window base of every command bar: selection, popped control, tracking mode, keys and
// mnemonics, mouse dispatch to controls, idle update of command states, drawing.
#pragma once

#include <windows.h>

#include "CRect.h"
#include "CString.h"
#include "CWnd.h"
#include "CXTPCommandBarAccessible.h"
#include "CXTPWindowHookSink.h"
#include "XTPCommandBarsTypes.h"

class CDC;
class CXTPCommandBars;
class CXTPControl;
class CXTPControls;
class CXTPCustomizeDropSource;
class CXTPImageManager;
class CXTPPaintManager;
class CXTPPropExchange;

class CXTPCommandBar : public CWnd, public CXTPWindowHookSink {
    DECLARE_SERIAL(CXTPCommandBar)

public:
    CXTPCommandBar();
    ~CXTPCommandBar() override;

    virtual void DelayRedraw() { m_dwPendingFlags |= kPendingRedraw; }
    virtual BOOL SetTrackingMode(int bMode, BOOL bSelectFirst = TRUE, BOOL bKeyboard = FALSE);
    virtual BOOL SetSelected(int nItem, BOOL bKeyboard = FALSE);
    virtual BOOL Popup(CXTPControl* /*pControlPopup*/, BOOL /*bSelectFirst*/) { return FALSE; }
    virtual void SetVisible(BOOL /*bVisible*/) {}
    virtual BOOL IsVisible() const { return FALSE; }
    virtual BOOL SetPosition(XTPBarPosition /*barPosition*/) { return FALSE; }
    virtual void OnRecalcLayout() {}
    virtual CXTPCommandBar* GetParentBar() const { return nullptr; }
    // 0 not taken, 1 taken, 2 taken by a control that lets its window have the key.
    virtual BOOL OnKeyDown(UINT nChar);
    virtual CSize CalcDynamicLayout(int /*nLength*/, DWORD /*dwMode*/) { return CSize(0, 0); }
    virtual BOOL ProcessSpecialKey(int nKey);
    virtual void DrawCommandBar(CDC* pDC);
    virtual void DelayLayout();
    virtual void Copy(CXTPCommandBar* pSrc, BOOL bRecursive = FALSE);
    virtual int HitTestHook(CPoint ptScreen);
    virtual void OnIdleUpdateCmdUI(BOOL bDisableIfNoHandler, LPARAM lParam);
    virtual CXTPCommandBar* Clone(BOOL bRecursive = FALSE);
    // The bar's keys in a saved layout, then its controls (section "Controls"); loading ties
    // the bar to the host of the exchange first. Kinds add their keys after the bar's.
    virtual void DoPropExchange(CXTPPropExchange* pPX);

    // Keys of a tracking bar from the thread's keyboard hook.
    int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;

    CXTPControls* GetControls() const { return m_pControls; }
    CXTPControl* GetControl(int nIndex) const;
    int GetControlCount() const;
    CXTPCommandBars* GetCommandBars() const;
    void SetCommandBars(CXTPCommandBars* pCommandBars) { m_pCommandBars = pCommandBars; }
    BOOL IsCustomizeMode() const;
    CXTPCommandBar* GetRootParent() const;
    CWnd* GetOwnerSite() const;
    CWnd* GetSite() const;
    CFrameWnd* GetFrameSite() const;
    void SetOwner(CWnd* pOwner) { m_pOwner = pOwner; }
    void SetSiteWnd(CWnd* pSite) { m_pSite = pSite; }

    BOOL SetPopuped(int nPopuped, BOOL bKeyboard = FALSE);
    int GetSelectedIndex() const { return m_nSelected; }
    int GetPopupedIndex() const { return m_nPopuped; }
    CXTPControl* GetSelectedControl() const { return GetControl(m_nSelected); }
    int GetTrackingMode() const { return m_bTracking; }
    BOOL IsKeyboardSelection() const { return m_bKeyboardSelect; }
    // Tracking started by the mouse: the next popup opened from this bar animates.
    BOOL IsAnimateNextPopup() const { return m_bMouseStarted; }
    void SetAnimateNextPopup(BOOL bAnimate) { m_bMouseStarted = bAnimate; }
    // The control whose '&' letter (or, failing that, first letter) is ch, searched from the
    // selection on; two matches set bAmbiguous. -1 when none.
    int FindAccel(char ch, BOOL& bAmbiguous) const;
    BOOL LoadMenu(CMenu* pMenu, BOOL bRemoveControls = TRUE);

    void SetTitle(const char* lpszTitle);
    CString GetTitle() const { return m_strTitle; }
    void SetFlags(DWORD dwAdd, DWORD dwRemove = 0) { m_dwFlags = (m_dwFlags | dwAdd) & ~dwRemove; }
    DWORD GetFlags() const { return m_dwFlags; }
    DWORD GetBarStyle() const { return m_dwStyle; }
    void SetBarStyle(DWORD dwStyle) { m_dwStyle = dwStyle; }
    UINT GetBarID() const { return m_nBarID; }
    void SetBarID(UINT nID) { m_nBarID = nID; }
    int GetType() const { return m_barType; }
    XTPBarPosition GetPosition() const { return m_barPosition; }
    BOOL IsVerticalPosition() const;
    BOOL IsCustomizable() const { return m_bCustomizable; }
    void SetCustomizable(BOOL bCustomizable) { m_bCustomizable = bCustomizable; }
    BOOL IsCloseable() const { return m_bCloseable; }
    BOOL IsContextMenuPresent() const { return m_bContextMenuPresent; }
    UINT* GetReturnCmdTarget() const { return m_pReturnCmd; }
    void SetReturnCmdTarget(UINT* pReturnCmd) { m_pReturnCmd = pReturnCmd; }
    void SetRightButtonExecutes(BOOL bExecute) { m_bExecOnRButton = bExecute; }
    void SetNoUpdate(BOOL bNoUpdate) { m_bIgnoreUpdateHandler = bNoUpdate; }
    CXTPControl* GetKeyControl() const { return m_pKeyControl; }
    // The window that had the focus when tracking began; it gets it back when a field is left.
    HWND GetFocusWindow() const { return m_hwndFocus; }
    void SetFocusWindow(HWND hWnd) { m_hwndFocus = hWnd; }
    void SetKeyControl(CXTPControl* pControl) { m_pKeyControl = pControl; }
    // Where a control dragged in customize mode would go if dropped at the client point: the
    // visible movable control with the nearest centre along the bar, before or after it, and
    // the 6-pixel marker that shows it (empty when the control would stay in its place);
    // -1 on a bar without such controls.
    void FindDropIndex(CXTPControl* pControl, CPoint point, CRect& rcMarker, int& nIndex, BOOL& bBefore) const;
    CRect GetDropMarker() const { return m_rcMarker; }
    // ---- Drop target of customize drags (the host's drag context calls these) ----
    // A drag of pControl, one of this bar's controls, left the client point.
    virtual void OnCustomizeDragStart(CXTPControl* pControl, CPoint point);
    // Whether the bar takes pControl; one that does shows where it would go.
    virtual BOOL OnDragEnter(CXTPControl* pControl, CPoint point);
    virtual void OnDragOver(CXTPControl* pControl, CPoint point);
    virtual void OnDragLeave();
    // Puts a copy of pControl where the marker shows (dwEffect: 1 copy, 2 move) and makes it the
    // drag control; FALSE when nothing was inserted: the control was dropped onto its own place,
    // where a drag of 5 pixels or more sets or clears its group start.
    virtual BOOL OnDrop(CXTPControl* pControl, DWORD dwEffect, CPoint point, CPoint ptStart);
    void SetDropMarker(CRect rcMarker, BOOL bVertical)
    {
        m_rcMarker = rcMarker;
        m_bVerticalMarker = bVertical;
    }

    CXTPPaintManager* GetPaintManager() const;
    CXTPImageManager* GetImageManager() const;

    // Sizes of the bar layouts: the bar's own sizes when set, else the options' icons (16 x 16
    // without command bars) and buttons of icon size + 7 in each direction.
    CSize GetIconSize() const;
    CSize GetButtonSize() const;
    void SetIconSize(CSize szIcon) { m_szIcons = szIcon; }
    void SetButtonSize(CSize szButton) { m_szButtons = szButton; }
    int GetMRUWidth() const { return m_nMRUWidth; }
    void SetMRUWidth(int nWidth) { m_nMRUWidth = nWidth; }
    void SetPaintManager(CXTPPaintManager* pPaintManager);
    void SetImageManager(CXTPImageManager* pImageManager);

    void InvalidateParents();
    BOOL IsRTL() const;
    // Status prompt and selection notification to the owner site.
    void OnControlSelected(BOOL bSelected, CXTPControl* pControl);

    // Repaints are coalesced: while locked, redraw requests only raise the pending bit.
    void LockRedraw() { m_nLockRedraw++; }
    void UnlockRedraw();
    // Clears the redraw-pending bit and repaints unless locked.
    void RedrawNow();

    // The bar's accessibility interface (its references are the bar's).
    IAccessible* GetAccessible() { return &m_accessible; }

    // Pending work served at the next idle update.
    enum { kPendingLayout = 1, kPendingRedraw = 2 };
    DWORD GetPendingFlags() const { return m_dwPendingFlags; }
    // A layout at the next idle update, keeping the selection (DelayLayout clears it).
    void SetLayoutPending() { m_dwPendingFlags |= kPendingLayout; }

    DECLARE_MESSAGE_MAP()

protected:
    void PostNcDestroy() override;
    void OnFinalRelease() override;

    int OnCreate(LPCREATESTRUCTA lpCreateStruct);
    void OnDestroy();
    void OnMouseMove(UINT nFlags, CPoint point);
    LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    void OnNcMouseMove(UINT nHitTest, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    // A press on the control starts an Alt+drag: a movable button of a customizable toolbar,
    // Alt down, outside customize mode, on a customizable frame with the option on.
    BOOL IsAltDragStart(CXTPControl* pControl) const;
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnRButtonUp(UINT nFlags, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnTimer(UINT_PTR nIDEvent);
    void OnPaint();
    LRESULT OnPrint(WPARAM wParam, LPARAM lParam);
    LRESULT OnIdleUpdateCmdUIMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnInitialUpdate(WPARAM wParam, LPARAM lParam);
    LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    // In the frame's context-help mode the bar's items take the clicks.
    BOOL IsInHelpMode() const;
    LRESULT OnNcHitTest(CPoint point);
    void OnNcLButtonDown(UINT nHitTest, CPoint point);
    LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    BOOL OnEraseBkgnd(CDC* pDC);

    // A visible control under the client point, or null.
    CXTPControl* HitTestControl(CPoint point) const;
    void UpdateDocTemplateControls();
    void OnUpdateCmdUI(CWnd* pTarget, BOOL bDisableIfNoHandler);

    DWORD m_dwReserved = 0;
    int m_nMRUWidth = 32767;
    int m_nSelected = -1;
    int m_nPopuped = -1;
    HWND m_hwndFocus = nullptr;
    BOOL m_bRefocusField = FALSE;  // m_hwndFocus is a bar's field that the opening click took the focus from
    UINT m_nBarID = 0;
    BOOL m_bVisible = TRUE;
    int m_bTracking = 0;
    CWnd* m_pOwner = nullptr;
    DWORD m_dwPendingFlags = 0;
    DWORD m_dwFlags = 0;
    DWORD m_dwStyle = 0;
    CString m_strTitle;
    int m_barType = xtpBarTypeNormal;
    CXTPControl* m_pKeyControl = nullptr;
    CXTPControls* m_pControls = nullptr;
    XTPBarPosition m_barPosition = xtpBarNone;
    CXTPCommandBars* m_pCommandBars = nullptr;
    CWnd* m_pSite = nullptr;
    CSize m_szIcons = CSize(0, 0);
    CSize m_szButtons = CSize(0, 0);
    int m_nPopupWord = 2;
    BOOL m_bExecOnRButton = FALSE;
    BOOL m_bIgnoreUpdateHandler = FALSE;
    BOOL m_bKeyboardSelect = FALSE;
    BOOL m_bCloseable = FALSE;
    BOOL m_bCustomizable = TRUE;
    CRect m_rcMarker;
    BOOL m_bVerticalMarker = FALSE;
    DWORD m_dwReserved2 = 0;
    UINT* m_pReturnCmd = nullptr;
    BOOL m_bContextMenuPresent = TRUE;
    BOOL m_bMouseStarted = FALSE;
    int m_nLockRedraw = 0;
    CXTPPaintManager* m_pPaintManager = nullptr;
    CXTPImageManager* m_pImageManager = nullptr;
    CXTPCommandBarAccessible m_accessible{this};
    // The drag context this bar's window is registered with, while it is.
    CXTPCustomizeDropSource* m_pDropSource = nullptr;

    // The dock bars place bars, the manager hides them and a resize sets the width they keep,
    // without the bar's own calls.
    friend class CXTPCommandBars;
    friend class CXTPDockBar;
    friend class CXTPToolBarDragContext;
    friend class CXTPCustomizeDropSource;
};
