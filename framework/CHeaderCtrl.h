// Header controls: the column items of a list, their order, layout and owner drawing.
#pragma once

#include "CWnd.h"

class CImageList;

class CHeaderCtrl : public CWnd {
    DECLARE_DYNCREATE(CHeaderCtrl)

public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetItemCount() const;
    // The index given to the new item, or -1.
    int InsertItem(int nPos, HDITEMA* phdi);
    BOOL DeleteItem(int nPos);
    BOOL GetItem(int nPos, HDITEMA* pHeaderItem) const;
    BOOL SetItem(int nPos, HDITEMA* pHeaderItem);
    BOOL GetItemRect(int nIndex, LPRECT lpRect) const;
    BOOL Layout(HDLAYOUT* pHeaderLayout);
    int HitTest(LPHDHITTESTINFO pHeaderHitTestInfo);
    int OrderToIndex(int nOrder) const;
    BOOL GetOrderArray(LPINT piArray, int iCount) const;
    BOOL SetOrderArray(int iCount, LPINT piArray);
    CImageList* SetImageList(CImageList* pImageList);
    CImageList* GetImageList() const;

    // Paints HDF_OWNERDRAW items; the parent's WM_DRAWITEM comes here.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
