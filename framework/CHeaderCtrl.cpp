// Header controls: creation, items, order and layout, owner drawing.
#include "CHeaderCtrl.h"

#include "AfxOwnerDraw.h"

#include "AfxCommonControls.h"
#include "CImageList.h"

IMPLEMENT_DYNCREATE(CHeaderCtrl, CWnd)

BOOL CHeaderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return AfxInitCommonControls(ICC_LISTVIEW_CLASSES) &&
           CWnd::Create(WC_HEADERA, nullptr, dwStyle, rect, pParentWnd, nID);
}

int CHeaderCtrl::GetItemCount() const
{
    return static_cast<int>(SendMessage(HDM_GETITEMCOUNT));
}

int CHeaderCtrl::InsertItem(int nPos, HDITEMA* phdi)
{
    return static_cast<int>(SendMessage(HDM_INSERTITEMA, nPos, reinterpret_cast<LPARAM>(phdi)));
}

BOOL CHeaderCtrl::DeleteItem(int nPos)
{
    return static_cast<BOOL>(SendMessage(HDM_DELETEITEM, nPos));
}

BOOL CHeaderCtrl::GetItem(int nPos, HDITEMA* pHeaderItem) const
{
    return static_cast<BOOL>(SendMessage(HDM_GETITEMA, nPos, reinterpret_cast<LPARAM>(pHeaderItem)));
}

BOOL CHeaderCtrl::SetItem(int nPos, HDITEMA* pHeaderItem)
{
    return static_cast<BOOL>(SendMessage(HDM_SETITEMA, nPos, reinterpret_cast<LPARAM>(pHeaderItem)));
}

BOOL CHeaderCtrl::GetItemRect(int nIndex, LPRECT lpRect) const
{
    return static_cast<BOOL>(SendMessage(HDM_GETITEMRECT, nIndex, reinterpret_cast<LPARAM>(lpRect)));
}

BOOL CHeaderCtrl::Layout(HDLAYOUT* pHeaderLayout)
{
    return static_cast<BOOL>(SendMessage(HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(pHeaderLayout)));
}

int CHeaderCtrl::HitTest(LPHDHITTESTINFO pHeaderHitTestInfo)
{
    return static_cast<int>(SendMessage(HDM_HITTEST, 0, reinterpret_cast<LPARAM>(pHeaderHitTestInfo)));
}

int CHeaderCtrl::OrderToIndex(int nOrder) const
{
    return static_cast<int>(SendMessage(HDM_ORDERTOINDEX, nOrder));
}

BOOL CHeaderCtrl::GetOrderArray(LPINT piArray, int iCount) const
{
    return static_cast<BOOL>(SendMessage(HDM_GETORDERARRAY, iCount, reinterpret_cast<LPARAM>(piArray)));
}

BOOL CHeaderCtrl::SetOrderArray(int iCount, LPINT piArray)
{
    return static_cast<BOOL>(SendMessage(HDM_SETORDERARRAY, iCount, reinterpret_cast<LPARAM>(piArray)));
}

CImageList* CHeaderCtrl::SetImageList(CImageList* pImageList)
{
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(
        SendMessage(HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(pImageList ? pImageList->m_hImageList : nullptr))));
}

CImageList* CHeaderCtrl::GetImageList() const
{
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(SendMessage(HDM_GETIMAGELIST)));
}

void CHeaderCtrl::DrawItem(LPDRAWITEMSTRUCT)
{
}

BOOL CHeaderCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return AfxOwnerDrawNotify(this, message, lParam, pResult) ||
           CWnd::OnChildNotify(message, wParam, lParam, pResult);
}
