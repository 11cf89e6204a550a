// List view controls: columns, items with sub-item texts, item data and states, selection, sorting.
#pragma once

#include "CHeaderCtrl.h"
#include "CWnd.h"
#include "Position.h"

class CImageList;

class CListCtrl : public CWnd {
    DECLARE_DYNCREATE(CListCtrl)

public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Columns. The index given to the new column, or -1.
    int InsertColumn(int nCol, const char* lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1,
                     int nSubItem = -1);
    int InsertColumn(int nCol, const LVCOLUMNA* pColumn);
    BOOL DeleteColumn(int nCol);
    BOOL GetColumn(int nCol, LVCOLUMNA* pColumn) const;
    BOOL SetColumn(int nCol, const LVCOLUMNA* pColumn);
    int GetColumnWidth(int nCol) const;
    BOOL SetColumnWidth(int nCol, int cx);
    CHeaderCtrl* GetHeaderCtrl() const;

    // Items. The index given to the new item, or -1.
    int GetItemCount() const;
    int InsertItem(int nItem, const char* lpszItem, int nImage = -1);
    int InsertItem(const LVITEMA* pItem);
    BOOL DeleteItem(int nItem);
    BOOL DeleteAllItems();
    BOOL GetItem(LVITEMA* pItem) const;
    BOOL SetItem(const LVITEMA* pItem);
    // The text of a cell, whatever its length; empty for a cell that does not exist.
    CString GetItemText(int nItem, int nSubItem) const;
    BOOL SetItemText(int nItem, int nSubItem, const char* lpszText);
    DWORD_PTR GetItemData(int nItem) const;
    BOOL SetItemData(int nItem, DWORD_PTR dwData);
    UINT GetItemState(int nItem, UINT nMask) const;
    BOOL SetItemState(int nItem, UINT nState, UINT nMask);
    BOOL GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const;
    BOOL GetSubItemRect(int nItem, int nSubItem, int nArea, CRect& rect) const;
    BOOL SetItemCount(int nItems);

    // Selection and search.
    UINT GetSelectedCount() const;
    int GetNextItem(int nItem, int nFlags) const;
    POSITION GetFirstSelectedItemPosition() const;
    int GetNextSelectedItem(POSITION& pos) const;
    int FindItem(LVFINDINFOA* pFindInfo, int nStart = -1) const;
    int HitTest(CPoint pt, UINT* pFlags = nullptr) const;
    int SubItemHitTest(LPLVHITTESTINFO pInfo);

    // View.
    BOOL EnsureVisible(int nItem, BOOL bPartialOK);
    int GetTopIndex() const;
    int GetCountPerPage() const;
    BOOL Scroll(CSize size);
    BOOL RedrawItems(int nFirst, int nLast);
    CImageList* SetImageList(CImageList* pImageList, int nImageListType);
    CImageList* GetImageList(int nImageList) const;
    DWORD SetExtendedStyle(DWORD dwNewStyle);
    DWORD GetExtendedStyle() const;
    BOOL SetBkColor(COLORREF cr);
    BOOL SetTextColor(COLORREF cr);
    BOOL SetTextBkColor(COLORREF cr);

    // Orders the items by their item data: pfnCompare(data1, data2, dwData) as qsort would.
    BOOL SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData);

private:
    // Stands for the list's header while nobody has subclassed it; never attached, so it
    // neither owns nor destroys the window.
    mutable CHeaderCtrl m_header;
};
