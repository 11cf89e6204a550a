// A tree view with the tree extension: multiple selection, item fonts and colours, its own label painting.
#pragma once

#include "CCtrlView.h"
#include "CXTTreeBase.h"

class CXTTreeView : public CCtrlView {
    DECLARE_DYNCREATE(CXTTreeView)

public:
    CXTTreeView();
    ~CXTTreeView() override;

    CXTTreeBase& GetTreeBase() { return m_treeBase; }
    const CXTTreeBase& GetTreeBase() const { return m_treeBase; }

    // The selection calls go through the extension, so they know the multiple selection.
    BOOL SelectItem(HTREEITEM hItem) { return m_treeBase.SelectItem(hItem); }
    UINT GetItemState(HTREEITEM hItem, UINT nStateMask) const { return m_treeBase.GetItemState(hItem, nStateMask); }
    BOOL SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask)
    {
        return m_treeBase.SetItemState(hItem, nState, nStateMask);
    }

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    CXTTreeBase m_treeBase;
};
