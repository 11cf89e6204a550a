// The list view host of the list extension: it hands its messages to the extension first.
#include "CXTListView.h"

IMPLEMENT_DYNCREATE(CXTListView, CCtrlView)

CXTListView::CXTListView() : CCtrlView(WC_LISTVIEWA, WS_CHILD | WS_VISIBLE | WS_BORDER)
{
    m_pList = this;
}

CXTListView::~CXTListView() = default;

void CXTListView::PreSubclassWindow()
{
    CCtrlView::PreSubclassWindow();
    PostMessage(XTWM_INITIAL_UPDATE);
}

BOOL CXTListView::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return CXTListBase::OnNotify(wParam, lParam, pResult) || CCtrlView::OnNotify(wParam, lParam, pResult);
}

BOOL CXTListView::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT result = 0;
    if (OnListMessage(message, wParam, lParam, &result)) {
        if (pResult)
            *pResult = result;
        return TRUE;
    }
    const BOOL handled = CCtrlView::OnWndMsg(message, wParam, lParam, pResult);
    if (message == WM_CREATE)
        SendMessage(XTWM_INITIAL_UPDATE);
    return handled;
}

BOOL CXTListView::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == NM_CUSTOMDRAW) {
        *pResult = OnCustomDraw(reinterpret_cast<NMLVCUSTOMDRAW*>(lParam));
        return TRUE;
    }
    return CCtrlView::OnChildNotify(message, wParam, lParam, pResult);
}
