// The toolbar: a command bar docked at an edge of the frame, floating in its own small window
// or embedded in another window; buttons from toolbar resources, the expand and close buttons.
#pragma once

#include <windows.h>

#include <vector>

#include "AfxIds.h"
#include "CControlBar.h"
#include "CXTPCommandBar.h"
#include "ResourceIds.h"

class CXTPControls;
class CXTPDockBar;
struct CPrintPreviewState;
class CXTPPopupBar;
class CXTPToolBarDragContext;
struct XTPControlLayout;

// The extra layout mode of a bar that hides what does not fit instead of wrapping.
#define LM_HIDEWRAP 0x80

// Dock flags of a bar, beside the sides it may dock at.
enum XTPToolBarFlags {
    xtpFlagAlignTop = 1,
    xtpFlagAlignBottom = 2,
    xtpFlagAlignLeft = 4,
    xtpFlagAlignRight = 8,
    xtpFlagAlignAny = 15,
    xtpFlagFloating = 16,
    xtpFlagHideWrap = 32,
    xtpFlagStretched = 64
};

class CXTPToolBar : public CXTPCommandBar {
    DECLARE_SERIAL(CXTPToolBar)

public:
    CXTPToolBar();
    ~CXTPToolBar() override;

    // Keeps the bar style bits of dwStyle and makes the window (hidden styles aside).
    BOOL CreateToolBar(DWORD dwStyle, CWnd* pParentWnd, UINT nID = AFX_IDW_TOOLBAR);
    // Buttons and, with bLoadIcons, their images from toolbar resource nIDResource.
    virtual BOOL LoadToolBar(UINT nIDResource, BOOL bLoadIcons = TRUE);
    // One button per id; a 0 makes the next button begin a group.
    BOOL SetButtons(const UINT* pButtons, int nCount);
    void EnableDocking(DWORD dwFlags);
    CXTPToolBarDragContext* GetDragContext() const { return m_pDockContext; }

    BOOL SetPosition(XTPBarPosition barPosition) override;
    void SetVisible(BOOL bVisible) override;
    BOOL IsVisible() const override { return m_bVisible; }
    void OnRecalcLayout() override;
    BOOL OnKeyDown(UINT nChar) override;
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    void Copy(CXTPCommandBar* pSrc, BOOL bRecursive = FALSE) override;
    // The bar's keys, then "BuiltIn", "TearOff", "Closeable" and "ContextMenuPresent".
    void DoPropExchange(CXTPPropExchange* pPX) override;
    // A floating bar draws its frame and caption around the controls.
    void DrawCommandBar(CDC* pDC) override;
    // The tip of the control under the point: its tooltip, with its shortcut when the options
    // ask for it; -1 while menus of another bar are open or tips are off.
    INT_PTR OnToolHitTest(POINT point, TOOLINFOA_T* pTI) const override;

    // The size docked along an edge; nWidth is the row's thickness when known.
    virtual CSize CalcDockingLayout(int nLength, DWORD dwMode, int nWidth = 0);
    // Asks first; puts back the original buttons of a built-in bar.
    virtual void Reset();
    // A floating popup window (made when missing) or, with bFloating FALSE, a child of pParent.
    virtual BOOL SetFloatingWindow(CWnd* pParent, BOOL bFloating);
    // Print preview: a shown bar hides while it lasts and comes back after it.
    void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState);

    CXTPDockBar* GetDockBar() const { return m_pDockBar; }
    void SetDockBar(CXTPDockBar* pDockBar) { m_pDockBar = pDockBar; }
    BOOL IsBuiltIn() const { return m_bBuiltIn; }
    void SetBuiltIn(BOOL bBuiltIn) { m_bBuiltIn = bBuiltIn; }
    BOOL IsTearOff() const { return m_bTearOff; }
    void SetTearOff(BOOL bTearOff) { m_bTearOff = bTearOff; }
    void SetCloseable(BOOL bCloseable) { m_bCloseable = bCloseable; }

    // Copies, shown, of the buttons hidden for lack of room.
    void CopyHiddenControls(CXTPControls* pTo) const;
    // The options menu of the expand button: the buttons hidden for lack of room, then the
    // add-or-remove list when the bar may be customized.
    void FillExpandPopup(CXTPPopupBar* pPopup);
    // The add-or-remove list: one toggle per original button, then "Reset" for a built-in bar.
    void FillAddRemovePopup(CXTPPopupBar* pPopup);

    // The height of a floating bar's caption (its gripper).
    int GetCaptionHeight() const;
    // Where a toolbar resource's buttons start and how many there are: FALSE when the data is
    // too short for its header or for the count it states.
    static BOOL ReadToolBarResource(const BYTE* pData, DWORD cbData, std::vector<UINT>& arrIds, CSize& szBitmap);

    DECLARE_MESSAGE_MAP()

protected:
    // Drops one reference of pTarget when the thread next dispatches its messages.
    static void ReleaseLater(CCmdTarget* pTarget);
    // Lays the controls out in rcBorders' frame for a length along the bar; records which were
    // hidden for lack of room; with bCommit places them. Returns the size with the borders.
    CSize LayoutControls(CDC* pDC, int nLength, DWORD dwMode, CRect rcBorders, BOOL bCommit, int* pnHiddenCount = nullptr);
    // The bar's own button of the id, made (and added at the end) when missing.
    CXTPControl* FindOrCreateOwnButton(int nId);
    BOOL IsOwnButton(const CXTPControl* pControl) const;

    LRESULT OnNcHitTest(CPoint point);
    void OnNcLButtonDown(UINT nHitTest, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    LRESULT OnNcCreateMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnNcActivateMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseActivateMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
    LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    LRESULT OnCloseMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetCursorMessage(WPARAM wParam, LPARAM lParam);
    void OnSetFocus(CWnd* pOldWnd);

    CXTPDockBar* m_pDockBar = nullptr;
    CXTPToolBarDragContext* m_pDockContext = nullptr;
    BOOL m_bBuiltIn = TRUE;
    BOOL m_bTearOff = FALSE;
    BOOL m_bPreviewMode = FALSE;
    BOOL m_bPreviewVisible = FALSE;
};
