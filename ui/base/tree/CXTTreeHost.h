// The host of the tree extension on a tree window class, the control or the view: it embeds the
// extension and hands it the window's messages first.
#pragma once

#include <utility>

#include "CXTTreeBase.h"

template <class Base>
class CXTTreeHost : public Base {
public:
    CXTTreeBase& GetTreeBase() { return m_treeBase; }
    const CXTTreeBase& GetTreeBase() const { return m_treeBase; }

    // The selection calls go through the extension, so they know the multiple selection.
    BOOL SelectItem(HTREEITEM hItem) { return m_treeBase.SelectItem(hItem); }
    UINT GetItemState(HTREEITEM hItem, UINT nStateMask) const { return m_treeBase.GetItemState(hItem, nStateMask); }
    BOOL SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask)
    {
        return m_treeBase.SetItemState(hItem, nState, nStateMask);
    }

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        return m_treeBase.PreTranslateMessage(pMsg) || Base::PreTranslateMessage(pMsg);
    }

    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        m_treeBase.OnNotify(wParam, lParam, pResult);
        return Base::OnNotify(wParam, lParam, pResult);
    }

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        LRESULT result = 0;
        if (m_treeBase.OnTreeMessage(message, wParam, lParam, &result)) {
            if (pResult)
                *pResult = result;
            return TRUE;
        }
        return Base::OnWndMsg(message, wParam, lParam, pResult);
    }

    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (message == WM_NOTIFY)
            m_treeBase.OnReflectedNotify(reinterpret_cast<NMHDR*>(lParam));
        return Base::OnChildNotify(message, wParam, lParam, pResult);
    }

protected:
    // The window class's own constructor arguments (the view's class name and style).
    template <class... Args>
    explicit CXTTreeHost(Args&&... args) : Base(std::forward<Args>(args)...)
    {
        m_treeBase.m_pTree = this;
    }

    ~CXTTreeHost() override { m_treeBase.RemoveAllItemData(); }

    CXTTreeBase m_treeBase;
};
