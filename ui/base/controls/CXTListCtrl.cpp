// The list control host of the list extension: it hands its messages to the extension first.
#include "CXTListCtrl.h"

IMPLEMENT_DYNCREATE(CXTListCtrl, CListCtrl)

CXTListCtrl::CXTListCtrl()
{
    m_pList = this;
}

CXTListCtrl::~CXTListCtrl() = default;

void CXTListCtrl::PreSubclassWindow()
{
    CListCtrl::PreSubclassWindow();
    PostMessage(XTWM_INITIAL_UPDATE);
}

BOOL CXTListCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return CXTListBase::OnNotify(wParam, lParam, pResult) || CListCtrl::OnNotify(wParam, lParam, pResult);
}

BOOL CXTListCtrl::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT result = 0;
    if (OnListMessage(message, wParam, lParam, &result)) {
        if (pResult)
            *pResult = result;
        return TRUE;
    }
    const BOOL handled = CListCtrl::OnWndMsg(message, wParam, lParam, pResult);
    if (message == WM_CREATE)
        SendMessage(XTWM_INITIAL_UPDATE);
    return handled;
}

BOOL CXTListCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == NM_CUSTOMDRAW) {
        *pResult = OnCustomDraw(reinterpret_cast<NMLVCUSTOMDRAW*>(lParam));
        return TRUE;
    }
    return CListCtrl::OnChildNotify(message, wParam, lParam, pResult);
}
