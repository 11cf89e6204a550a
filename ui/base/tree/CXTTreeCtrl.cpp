// The tree control host of the tree extension: it hands its messages to the extension first.
#include "CXTTreeCtrl.h"

IMPLEMENT_DYNCREATE(CXTTreeCtrl, CTreeCtrl)

CXTTreeCtrl::CXTTreeCtrl()
{
    m_treeBase.m_pTree = this;
}

CXTTreeCtrl::~CXTTreeCtrl()
{
    m_treeBase.RemoveAllItemData();
}

BOOL CXTTreeCtrl::PreTranslateMessage(MSG* pMsg)
{
    return m_treeBase.PreTranslateMessage(pMsg) || CTreeCtrl::PreTranslateMessage(pMsg);
}

BOOL CXTTreeCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    m_treeBase.OnNotify(wParam, lParam, pResult);
    return CTreeCtrl::OnNotify(wParam, lParam, pResult);
}

BOOL CXTTreeCtrl::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT result = 0;
    if (m_treeBase.OnTreeMessage(message, wParam, lParam, &result)) {
        if (pResult)
            *pResult = result;
        return TRUE;
    }
    return CTreeCtrl::OnWndMsg(message, wParam, lParam, pResult);
}

BOOL CXTTreeCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_NOTIFY)
        m_treeBase.OnReflectedNotify(reinterpret_cast<NMHDR*>(lParam));
    return CTreeCtrl::OnChildNotify(message, wParam, lParam, pResult);
}
