// The view host of the tree extension: it hands its messages to the extension first.
#include "CXTTreeView.h"

IMPLEMENT_DYNCREATE(CXTTreeView, CCtrlView)

CXTTreeView::CXTTreeView() : CCtrlView("SysTreeView32", WS_CHILD | WS_VISIBLE | WS_BORDER)
{
    m_treeBase.m_pTree = this;
}

CXTTreeView::~CXTTreeView()
{
    m_treeBase.RemoveAllItemData();
}

BOOL CXTTreeView::PreTranslateMessage(MSG* pMsg)
{
    return m_treeBase.PreTranslateMessage(pMsg) || CCtrlView::PreTranslateMessage(pMsg);
}

BOOL CXTTreeView::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    m_treeBase.OnNotify(wParam, lParam, pResult);
    return CCtrlView::OnNotify(wParam, lParam, pResult);
}

BOOL CXTTreeView::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT result = 0;
    if (m_treeBase.OnTreeMessage(message, wParam, lParam, &result)) {
        if (pResult)
            *pResult = result;
        return TRUE;
    }
    return CCtrlView::OnWndMsg(message, wParam, lParam, pResult);
}

BOOL CXTTreeView::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_NOTIFY)
        m_treeBase.OnReflectedNotify(reinterpret_cast<NMHDR*>(lParam));
    return CCtrlView::OnChildNotify(message, wParam, lParam, pResult);
}
