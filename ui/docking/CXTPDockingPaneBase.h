// The part every element of the pane tree shares, and the client placeholder (type 4).
#pragma once

#include <windows.h>

#include <vector>

#include "CRect.h"
#include "CWnd.h"
#include "CXTPDockingPaneOwner.h"

class CXTPDockingPaneCaptionButton;
class CXTPPropExchange;

class CXTPDockingPaneBase {
public:
    // Appends itself to the layout's element list; the layout owns it from then on.
    CXTPDockingPaneBase(int nType, CXTPDockingPaneOwner* pLayout);
    virtual ~CXTPDockingPaneBase();
    CXTPDockingPaneBase(const CXTPDockingPaneBase&) = delete;
    CXTPDockingPaneBase& operator=(const CXTPDockingPaneBase&) = delete;

    virtual void Invalidate();
    // Non-zero when the element lies in this subtree (containers: 1-based position of the child).
    virtual int ContainsPane(CXTPDockingPaneBase* pPane) const;
    virtual void FindPane(int nType, CXTPDockingPaneBaseList* pList);
    virtual void GetMinMaxInfo(LPMINMAXINFO pMinMaxInfo) const;
    virtual void OnSizeParent(CWnd* pParent, CRect rect, AFX_SIZEPARENTPARAMS* lpLayout);
    virtual void OnFocusChanged() {}
    virtual void SetDockingSite(CWnd* pFrame) { m_pDockingSite = pFrame; }
    virtual void SetParentContainer(CXTPDockingPaneBase* pContainer) { m_pParentContainer = pContainer; }
    virtual void OnChildContainerChanged(CXTPDockingPaneBase* /*pContainer*/) {}
    virtual void OnParentContainerChanged(CXTPDockingPaneBase* /*pContainer*/) {}
    virtual BOOL DoPropExchange(CXTPPropExchange* pPX);
    virtual CXTPDockingPaneBase* Clone(CXTPDockingPaneOwner* pLayout, CXTPDockingPaneCloneMap* pMap,
                                       DWORD dwIgnoredOptions = 0);
    virtual void RemovePane(CXTPDockingPaneBase* /*pPane*/) {}
    virtual BOOL IsEmpty() const;
    virtual void OnCaptionButtonChanged(CXTPDockingPaneCaptionButton* /*pButton*/) {}
    virtual BOOL IsCaptionButtonVisible(CXTPDockingPaneCaptionButton* /*pButton*/) { return TRUE; }
    virtual HWND GetPaneHwnd() const { return nullptr; }

    // The pane a tab group or auto-hide panel shows; null for other elements.
    virtual CXTPDockingPane* GetSelectedPane() const { return nullptr; }

    CRect GetScreenRect() const;
    CXTPDockingPaneCaptionButton* FindCaptionButton(int nID) const;
    CXTPDockingPaneOwner* GetDockingPaneManager() const { return m_pLayout; }
    CXTPDockingPanePaintManager* GetPaintManager() const;

    int GetType() const { return m_nType; }
    CXTPDockingPaneOwner* GetLayout() const { return m_pLayout; }
    CXTPDockingPaneBase* GetContainer() const { return m_pParentContainer; }
    CWnd* GetDockingSiteWnd() const { return m_pDockingSite; }

    SIZE m_szDocking = {0, 0};
    CXTPDockingPaneOwner* m_pLayout;
    CXTPDockingPaneBase* m_pParentContainer = nullptr;
    CWnd* m_pDockingSite = nullptr;
    int m_nType;
    CRect m_rcWindow;
    std::vector<CXTPDockingPaneCaptionButton*> m_arrCaptionButtons;
    int m_nLength = 0;
    int m_nIndex = 0;
};

// Marks the frame a window lies in (or the window itself) for a delayed layout pass.
void XTPDockingPaneDelayRecalc(CWnd* pSite);
// Moves a window to rc (its parent's client coordinates) and after hWndAfter in the z-order,
// in the layout's deferred batch when there is one; a window already there is left alone.
// TRUE when it moved.
BOOL XTPDockingPaneMoveWindow(HWND hWnd, HWND hWndAfter, const CRect& rc, AFX_SIZEPARENTPARAMS* lpLayout);
