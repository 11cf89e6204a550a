// List box controls: strings with item data, single and multiple selection, owner drawing.
#pragma once

#include "CWnd.h"

// Index results are LB_ERR for an index the list does not have.
class CListBox : public CWnd {
    DECLARE_DYNCREATE(CListBox)

public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetCount() const;
    int AddString(const char* lpszItem);
    int InsertString(int nIndex, const char* lpszItem);
    int DeleteString(UINT nIndex);
    void ResetContent();
    // Item nIndex into rString, whatever its length; LB_ERR (and empty) when missing.
    int GetText(int nIndex, CString& rString) const;
    int GetTextLen(int nIndex) const;
    int FindString(int nStartAfter, const char* lpszItem) const;
    int FindStringExact(int nIndexStart, const char* lpszFind) const;
    int SelectString(int nStartAfter, const char* lpszItem);

    int GetCurSel() const;
    int SetCurSel(int nSelect);
    int GetSel(int nIndex) const;
    int SetSel(int nIndex, BOOL bSelect = TRUE);
    int GetSelCount() const;
    int GetSelItems(int nMaxItems, LPINT rgIndex) const;

    DWORD_PTR GetItemData(int nIndex) const;
    int SetItemData(int nIndex, DWORD_PTR dwItemData);
    int GetTopIndex() const;
    int SetTopIndex(int nIndex);
    int GetItemHeight(int nIndex) const;
    int SetItemHeight(int nIndex, UINT cyItemHeight);
    int GetItemRect(int nIndex, LPRECT lpRect) const;
    // The item nearest the point; bOutside is set when the point lies outside every item.
    UINT ItemFromPoint(CPoint pt, BOOL& bOutside) const;
    void SetHorizontalExtent(int cxExtent);

    // Owner-drawn lists (LBS_OWNERDRAW...): the parent's WM_DRAWITEM and WM_MEASUREITEM come here.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
