// The auto-hide panel: the strip along one side of the frame that holds the tabs of the
// hidden tab groups, one row per group, and slides a group out when its tab is pointed at
// or clicked.
#pragma once

#include <vector>

#include "CWnd.h"
#include "CXTPDockingPaneBase.h"
#include "CXTPTabManager.h"

class COleDropTarget;
class CXTPDockingPane;
class CXTPDockingPaneAutoHidePanel;
class CXTPDockingPaneAutoHideWnd;
class CXTPDockingPaneTabbedContainer;

// Settings of the slide-out windows (fixed values).
extern double s_dAnimationSpeed;
extern BOOL s_bCloseSlideOut;
extern int s_nHoverTime;
extern int s_nCheckPeriod;

// One row of tabs: the panes of one hidden tab group.
class CXTPDockingPaneAutoHideTabGroup : public CXTPTabManager {
public:
    explicit CXTPDockingPaneAutoHideTabGroup(CXTPDockingPaneAutoHidePanel* pPanel);

    CXTPTabPaintManager* GetPaintManager() const override;
    void RedrawControl() override;
    void Reposition() override {}
    BOOL DrawIcon(CDC* pDC, CPoint pt, CXTPTabManagerItem* pItem, BOOL bDraw, CSize& szIcon) const override;
    int GetPosition() const override;

    CRect m_rcGroup;  // in the panel's client coordinates

private:
    CXTPDockingPaneAutoHidePanel* m_pPanel;
};

class CXTPDockingPaneAutoHidePanel : public CWnd, public CXTPDockingPaneBase {
public:
    explicit CXTPDockingPaneAutoHidePanel(CXTPDockingPaneOwner* pLayout);
    ~CXTPDockingPaneAutoHidePanel() override;

    // The frame's layout pass: takes the strip of its side from rc.
    virtual void RepositionPanel(CWnd* pSite, CRect& rc, AFX_SIZEPARENTPARAMS* lpLayout);
    virtual void AddGroup(CXTPDockingPaneBase* pGroup);
    virtual BOOL Create(CWnd* pParent);

    CXTPDockingPane* HitTest(CPoint pt) const;
    void SlideOut(CXTPDockingPane* pPane, BOOL bSetFocus);
    void CloseActiveWnd(BOOL bDelayed);
    // OLE data dragged over the point: its tab's pane slides out, without the focus.
    void OnDataDraggedOver(CPoint pt);
    // The open window shows pPane.
    BOOL IsShown(CXTPDockingPane* pPane) const;
    // The strip's thickness across its side.
    int GetPanelThickness() const;
    XTPDockingPaneDirection GetDirection() const { return m_nDirection; }

    // Element part.
    void OnChildContainerChanged(CXTPDockingPaneBase* pContainer) override;
    CXTPDockingPaneBase* Clone(CXTPDockingPaneOwner* pLayout, CXTPDockingPaneCloneMap* pMap,
                               DWORD dwIgnoredOptions = 0) override;
    void RemovePane(CXTPDockingPaneBase* pPane) override;
    BOOL IsEmpty() const override;
    int ContainsPane(CXTPDockingPaneBase* pPane) const override;
    void FindPane(int nType, CXTPDockingPaneBaseList* pList) override;
    HWND GetPaneHwnd() const override { return m_hWnd; }

    CXTPDockingPaneAutoHideWnd* m_pActiveWnd = nullptr;
    XTPDockingPaneDirection m_nDirection = DPD_LEFT;
    std::vector<CXTPDockingPaneBase*> m_lstGroups;
    std::vector<CXTPDockingPaneAutoHideTabGroup*> m_arrTabGroups;
    COleDropTarget* m_pDropTarget;  // registered while the panel has a window

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void LayoutRows(CDC* pDC, CRect rc);
    void DeleteTabGroups();
    void OnPaint();
    void Redraw();
};
