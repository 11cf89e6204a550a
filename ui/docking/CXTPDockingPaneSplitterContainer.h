// The splitter container: children side by side or stacked, space shared by their
// preferred sizes within their tracking bounds, a splitter window between neighbours.
#pragma once

#include <vector>

#include "CXTPDockingPaneBase.h"

class CXTPDockingPaneSplitterWnd;

class CXTPDockingPaneSplitterContainer : public CXTPDockingPaneBase {
public:
    explicit CXTPDockingPaneSplitterContainer(CXTPDockingPaneOwner* pLayout);
    ~CXTPDockingPaneSplitterContainer() override;

    void Init(CXTPDockingPaneBase* pFirst, BOOL bHoriz, CWnd* pSite);
    void InsertPane(CXTPDockingPaneBase* pElement, CXTPDockingPaneBase* pNeighbour = nullptr, BOOL bAfter = TRUE);
    void ReplacePane(CXTPDockingPaneBase* pOld, CXTPDockingPaneBase* pNew);
    void RebuildSplitters();

    int ContainsPane(CXTPDockingPaneBase* pPane) const override;
    void FindPane(int nType, CXTPDockingPaneBaseList* pList) override;
    void GetMinMaxInfo(LPMINMAXINFO pMinMaxInfo) const override;
    void OnSizeParent(CWnd* pParent, CRect rect, AFX_SIZEPARENTPARAMS* lpLayout) override;
    void OnChildContainerChanged(CXTPDockingPaneBase* pContainer) override;
    void OnParentContainerChanged(CXTPDockingPaneBase* pContainer) override;
    CXTPDockingPaneBase* Clone(CXTPDockingPaneOwner* pLayout, CXTPDockingPaneCloneMap* pMap,
                               DWORD dwIgnoredOptions = 0) override;
    void RemovePane(CXTPDockingPaneBase* pPane) override;
    BOOL IsEmpty() const override;

    // What the sharing leaves for the children not fixed at a bound.
    struct Share {
        int nAvail;
        int nTotal;
    };
    // Sets each element's working length (m_nLength; negative when fixed at a bound).
    Share CalcSizes(const std::vector<CXTPDockingPaneBase*>& lst, CRect rect, BOOL bApply);

    BOOL IsHoriz() const { return m_bHoriz; }
    const std::vector<CXTPDockingPaneBase*>& GetChildren() const { return m_lstChildren; }
    const std::vector<CXTPDockingPaneSplitterWnd*>& GetSplitters() const { return m_lstSplitters; }
    int GetSplitterSize() const;

    std::vector<CXTPDockingPaneBase*> m_lstChildren;
    std::vector<CXTPDockingPaneSplitterWnd*> m_lstSplitters;
    BOOL m_bHoriz = FALSE;
    BOOL m_bLayoutLock = FALSE;

protected:
    virtual CXTPDockingPaneSplitterWnd* OnCreateSplitter();

private:
    void DeleteSplitters();
    std::vector<CXTPDockingPaneBase*> VisibleChildren() const;
};

// The element, or one inside it, that is the client placeholder; null when none.
CXTPDockingPaneBase* XTPDockingPaneFindClient(CXTPDockingPaneBase* pElement);
