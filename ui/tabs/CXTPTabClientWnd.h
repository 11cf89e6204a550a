// The MDI tab window: subclasses a frame's MDI client, keeps one tab per visible MDI child in one
// or more tab groups laid out side by side or stacked, and carries the commands that move tabs
// between groups.
#pragma once

#include <windows.h>

#include <vector>

#include "CWnd.h"
#include "CXTPTabManager.h"

class CDC;
class CMDIFrameWnd;
class COleDropTarget;
class CXTPCommandBars;
class CXTPTabManagerItem;
class CXTPTabPaintManager;

// Sent to an MDI child: the icon of its tab (0: the window's own).
constexpr UINT kMsgTabClientGetIcon = WM_USER + 131;  // 1155
// Sent to an MDI child: a pointer to its tab text (null or empty: the document's title).
constexpr UINT kMsgTabClientGetText = WM_USER + 133;  // 1157
// Sent to an MDI child: its tab colour (0: the automatic one).
constexpr UINT kMsgTabClientGetColor = WM_USER + 134;  // 1158
// Sent to an MDI child: a pointer to its tab's tool tip (wParam the item; null or empty: the path).
constexpr UINT kMsgTabClientGetToolTip = WM_USER + 135;  // 1159
// Sent to the frame: a mouse press in the tab area (wParam the message, lParam its point);
// non-zero means the frame handled it.
constexpr UINT kMsgTabClientMouse = WM_USER + 132;  // 1156
// Sent to the frame: a tab was made for a child (wParam the new item).
constexpr UINT kMsgTabClientItemCreated = WM_USER + 136;  // 1160

class CXTPTabClientWnd : public CWnd, public CXTPTabPaintObserver {
    DECLARE_DYNAMIC(CXTPTabClientWnd)

public:
    enum DropMode { dropNone = 0, dropPopup = 1, dropIntoGroup = 2, dropNewHorizontal = 3, dropNewVertical = 4 };

    // One tab group: a tab manager whose items carry their child's window handle.
    class CWorkspace : public CXTPTabManager {
    public:
        explicit CWorkspace(CXTPTabClientWnd* pTabClient) : m_pTabClient(pTabClient) {}
        void Reposition() override;
        COLORREF GetItemColor(const CXTPTabManagerItem* pItem) const override;
        CString GetItemTooltip(const CXTPTabManagerItem* pItem) const override;
        BOOL IsDrawStaticFrame() const override;
        BOOL IsMouseLocked() const override;
        void SetSelectedItem(CXTPTabManagerItem* pItem) override;
        CXTPTabPaintManager* GetPaintManager() const override;
        void RedrawControl() override;
        BOOL IsAllowReorder() const override;
        BOOL DrawIcon(CDC* pDC, CPoint pt, CXTPTabManagerItem* pItem, BOOL bDraw, CSize& szIcon) const override;
        void OnItemClick(CXTPTabManagerItem* pItem) override;
        void TrackClick(HWND hWnd, CPoint point, CXTPTabManagerItem* pItem) override;
        void OnNavigateButtonClick(int nId) override;
        CXTPTabManagerItem* FindItem(HWND hWnd) const;
        // The group's own window in single-strip mode; null in group mode.
        virtual CWnd* GetGroupWnd() { return nullptr; }
        // The window the group's tabs live in: its own, or the tab window.
        HWND GetOwnerHwnd();

        CXTPTabClientWnd* m_pTabClient;
        HWND m_hWndSelected = nullptr;
        double m_dWeight = 100.0;
        CRect m_rcSplitter;
    };

    CXTPTabClientWnd();
    ~CXTPTabClientWnd() override;
    CXTPTabClientWnd(const CXTPTabClientWnd&) = delete;
    CXTPTabClientWnd& operator=(const CXTPTabClientWnd&) = delete;

    // Subclasses the frame's MDI client; with bGroupMode the children lose their frames and the
    // tab window lays them out in its groups. The command bars give the automatic appearance.
    // FALSE when already attached or the MDI client cannot be subclassed.
    BOOL Attach(CMDIFrameWnd* pFrame, CXTPCommandBars* pCommandBars, BOOL bGroupMode = TRUE);
    BOOL IsAttached() const { return m_pFrame != nullptr; }
    void Refresh(BOOL bRecalcFrame = TRUE);
    int GetRefreshCount() const { return m_nRefreshCount; }

    // Takes the caller's reference; the appearance stops following the command-bar theme.
    void SetPaintManager(CXTPTabPaintManager* pPaintManager);
    CXTPTabPaintManager* GetPaintManager() const { return m_pPaintManager; }
    BOOL IsAutomaticAppearance() const { return m_bAutoTheme; }
    void EnableTabToolTips(BOOL bEnable);

    // The tab under a point of the tab window, or null.
    CXTPTabManagerItem* HitTest(CPoint point) const;
    void TabClientToScreen(CPoint* pPoint) const;
    void TabClientToClient(CPoint* pPoint) const;

    // Whether a tab-group command (9420 to 9423) applies to the active child's tab, which is
    // stored through ppItem; FALSE outside group mode or without an active tab; other ids TRUE.
    BOOL IsGroupCommandEnabled(UINT nID, CXTPTabManagerItem** ppItem = nullptr) const;
    // Moves a tab into a group (dropIntoGroup) or into a new group after it (dropNewHorizontal,
    // dropNewVertical, which halve its weight); the tab keeps its colour.
    void MoveItem(CXTPTabManagerItem* pItem, CWorkspace* pTarget, int nDropMode);

    // Brings the tabs in step with the MDI children.
    void UpdateContents();

    int GetGroupCount() const { return static_cast<int>(m_arrGroups.size()); }
    CWorkspace* GetGroup(int nIndex) const;
    CWorkspace* GetActiveGroup() const { return m_pActiveGroup; }
    BOOL IsHorizontalGroups() const { return m_bHorizSplitting; }

    // An OLE drag over a tab that is not selected activates its window.
    void OnDataDraggedOver(HWND hWnd, CPoint point);

    // The drop mode and target group for a point of the tab window while pItem is dragged out.
    int HitDropTarget(CXTPTabManagerItem* pItem, CPoint point, CWorkspace** ppTarget, CRect* pFeedback) const;

    // Shown by a drop on no target: the group commands and "C&ancel".
    virtual void ShowWorkspacePopup(CPoint ptScreen);

    void Reposition() override;
    void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = adjustBorder) override;
    INT_PTR OnToolHitTest(POINT point, TOOLINFOA_T* pTI) const override;
    // The group commands, also when the frame routes them here: enabled by IsGroupCommandEnabled.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    class CWorkspaceWnd;

    virtual void DrawBackground(CDC* pDC, CRect rc);
    virtual void UpdateAppearance();
    virtual CString GetItemText(CWnd* pChild) const;
    // Asks the child; a non-zero answer is stored in the item (0: the item's own colour).
    virtual COLORREF GetItemColor(const CXTPTabManagerItem* pItem) const;
    virtual HICON GetItemIcon(const CXTPTabManagerItem* pItem) const;
    virtual CWorkspace* CreateGroup(int nIndex);
    virtual CXTPTabManagerItem* AddItem(CWnd* pChild);
    CXTPCommandBars* GetCommandBars() const { return m_pCommandBars; }

private:
    void RunGroupCommand(UINT nID);
    void SetActiveGroup(CWorkspace* pGroup);
    CWorkspace* FindGroupOf(HWND hWnd, CXTPTabManagerItem** ppItem) const;
    int IndexOf(const CWorkspace* pGroup) const;
    void OnPaint();
    void OnNcPaint();
    // The room the appearance keeps around the groups, as offsets to add to the window rectangle.
    CRect GetNcMargin();
    void LayoutStrip(LPRECT lpClientRect);
    void TakePaintManager(CXTPTabPaintManager* pPaintManager);
    // Feedback of a tab dragged out of its row, drawn on the desktop.
    void BeginDragFeedback();
    void DrawDragFeedback(const CRect& rcScreen);
    void EndDragFeedback();
    BOOL OnMouseDown(UINT message, CPoint point);
    void TrackSplitter(int nGroup, CPoint point);
    void LayoutGroups(CRect rcClient);

    std::vector<CWorkspace*> m_arrGroups;
    CMDIFrameWnd* m_pFrame = nullptr;
    CXTPCommandBars* m_pCommandBars = nullptr;
    CXTPTabPaintManager* m_pPaintManager = nullptr;
    CWorkspace* m_pActiveGroup = nullptr;
    BOOL m_bLayoutPending = FALSE;
    BOOL m_bLockLayout = FALSE;
    BOOL m_bLockMouse = FALSE;
    BOOL m_bRefreshing = FALSE;
    BOOL m_bUpdating = FALSE;
    BOOL m_bAutoTheme = TRUE;
    BOOL m_bHorizSplitting = TRUE;
    BOOL m_bGroupMode = FALSE;
    BOOL m_bAllowReorder = TRUE;
    BOOL m_bShowTabs = TRUE;
    BOOL m_bToolTips = FALSE;
    BOOL m_bButtonPressed = FALSE;
    BOOL m_bThemedBackground = TRUE;
    DWORD m_dwNavigationFlags = 0;  // bit 0: arrows only when needed; bit 1: no close button
    HCURSOR m_hCursorHorizSplit = nullptr;
    HCURSOR m_hCursorVertSplit = nullptr;
    HCURSOR m_hCursorDrag = nullptr;
    HCURSOR m_hCursorNoDrop = nullptr;
    COleDropTarget* m_pDropTarget = nullptr;
    CRect m_rcLastDrag;
    CSize m_szLastDrag;
    CDC* m_pDesktopDC = nullptr;
    BOOL m_bDesktopLocked = FALSE;
    int m_nCachedTheme = 1;
    int m_nRefreshCount = 0;
};
