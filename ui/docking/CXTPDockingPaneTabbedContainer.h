// The tab group: a window showing the selected one of its panes under a caption with close
// and auto-hide buttons, above a row of tabs; it starts drags and reorders its tabs.
#pragma once

#include <vector>

#include "CWnd.h"
#include "CXTPDockingPaneBase.h"
#include "CXTPDockingPaneCaptionButton.h"
#include "CXTPTabManager.h"

class COleDropTarget;
class CXTPDockingPane;

class CXTPDockingPaneTabbedContainer : public CWnd,
                                       public CXTPDockingPaneBase,
                                       public CXTPTabManager,
                                       public CXTPDockingPaneCaptionHost {
public:
    explicit CXTPDockingPaneTabbedContainer(CXTPDockingPaneOwner* pLayout);
    ~CXTPDockingPaneTabbedContainer() override;

    void AddPane(CXTPDockingPane* pPane);
    void SelectPane(CXTPDockingPane* pPane, BOOL bSetFocus = TRUE);
    void UpdateTabs();
    // -2 on the caption, the index of the tab under the point, else -1 (client coordinates).
    int HitTest(CPoint pt) const;
    // Whether a pane dropped at pt (screen) joins this group; rc gets the strip tested.
    BOOL IsAttachPoint(CRect& rc, CPoint pt) const;
    void SetCaptionVisible(BOOL bShow);
    // Shows the selected pane where the group lives: slid out of its auto-hide panel, or its
    // floating frame shown and unrolled.
    void ShowSelected();
    void Copy(CXTPDockingPaneTabbedContainer* pFrom, CXTPDockingPaneCloneMap* pMap, DWORD dwIgnoredOptions);

    const std::vector<CXTPDockingPane*>& GetPanes() const { return m_lstPanes; }
    BOOL IsActiveCaption() const { return m_bActive; }

    // Element part.
    void Invalidate() override;
    int ContainsPane(CXTPDockingPaneBase* pPane) const override;
    void FindPane(int nType, CXTPDockingPaneBaseList* pList) override;
    void GetMinMaxInfo(LPMINMAXINFO pMinMaxInfo) const override;
    void OnSizeParent(CWnd* pParent, CRect rect, AFX_SIZEPARENTPARAMS* lpLayout) override;
    void OnFocusChanged() override;
    void OnParentContainerChanged(CXTPDockingPaneBase* pContainer) override;
    CXTPDockingPaneBase* Clone(CXTPDockingPaneOwner* pLayout, CXTPDockingPaneCloneMap* pMap,
                               DWORD dwIgnoredOptions = 0) override;
    void RemovePane(CXTPDockingPaneBase* pPane) override;
    BOOL IsEmpty() const override { return m_lstPanes.empty(); }
    BOOL IsCaptionButtonVisible(CXTPDockingPaneCaptionButton* pButton) override;
    HWND GetPaneHwnd() const override { return m_hWnd; }
    CXTPDockingPane* GetSelectedPane() const override { return m_pSelectedPane; }

    // What the painters read.
    CString GetCaptionTitle() const override;
    BOOL IsCaptionActive() const override { return m_bActive; }
    BOOL IsCaptionVisible() const override;
    BOOL IsTabsVisible() const override;
    CXTPTabManager* GetTabManager() const override { return const_cast<CXTPDockingPaneTabbedContainer*>(this); }
    std::vector<CXTPDockingPaneCaptionButton*>& GetCaptionButtons() override { return m_arrCaptionButtons; }
    HWND GetCaptionWindow() const override { return m_hWnd; }
    HWND GetReferenceWindow() const override;

    // Tab-manager part.
    CXTPTabPaintManager* GetPaintManager() const override;
    void RedrawControl() override;
    void Reposition() override;
    BOOL DrawIcon(CDC* pDC, CPoint pt, CXTPTabManagerItem* pItem, BOOL bDraw, CSize& szIcon) const override;

    // The press loop of a caption button: TRUE when released over it.
    BOOL ClickButton(CXTPDockingPaneCaptionButton* pButton, CPoint pt);

    // Caption buttons show their string as a tip; elsewhere the tabs' tips.
    INT_PTR OnToolHitTest(POINT point, TOOLINFOA_T* pTI) const override;

    // Window messages.
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnCaptureChanged(CWnd* pWnd);
    void OnDestroy();
    LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);

    BOOL m_bActive = FALSE;
    BOOL m_bShowCaption = TRUE;
    int m_nLockUpdate = 0;
    CXTPDockingPane* m_pSelectedPane = nullptr;
    CXTPDockingPane* m_pTrackingPane = nullptr;
    std::vector<CRect> m_arrTabRects;
    std::vector<CXTPDockingPane*> m_lstPanes;
    COleDropTarget* m_pDropTarget = nullptr;

    // OLE data dragged over the window selects the tab under it (client coordinates).
    void OnDataDraggedOver(CPoint point);

protected:
    DECLARE_MESSAGE_MAP()

private:
    BOOL CreateGroupWindow();
    void OnCaptionButtonAction(int nID);
    void CheckHotButtons(CPoint pt);
    void EndTracking();
    void FocusSelected();
    // The site frame lays out at once.
    void RecalcSiteNow();
    CXTPDockingPaneCaptionButton* ButtonAt(CPoint pt) const;
    // What caption and tabs take of a rectangle, horizontally and vertically.
    CSize MeasureInsets() const;
};
