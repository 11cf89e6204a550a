// Combo box controls: the list's strings and item data, the edit field's selection, the drop-down.
#pragma once

#include "CWnd.h"

// Index results are CB_ERR for an index the list does not have.
class CComboBox : public CWnd {
    DECLARE_DYNCREATE(CComboBox)

public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetCount() const;
    int AddString(const char* lpszString);
    int InsertString(int nIndex, const char* lpszString);
    int DeleteString(UINT nIndex);
    void ResetContent();
    // Item nIndex into rString, whatever its length; CB_ERR (and empty) when missing.
    int GetLBText(int nIndex, CString& rString) const;
    int GetLBTextLen(int nIndex) const;
    int FindString(int nStartAfter, const char* lpszString) const;
    int FindStringExact(int nIndexStart, const char* lpszFind) const;
    int SelectString(int nStartAfter, const char* lpszString);

    int GetCurSel() const;
    int SetCurSel(int nSelect);
    DWORD_PTR GetItemData(int nIndex) const;
    int SetItemData(int nIndex, DWORD_PTR dwItemData);
    int GetItemHeight(int nIndex) const;
    int SetItemHeight(int nIndex, UINT cyItemHeight);

    DWORD GetEditSel() const;
    BOOL SetEditSel(int nStartChar, int nEndChar);
    BOOL LimitText(int nMaxChars);
    void ShowDropDown(BOOL bShowIt = TRUE);
    BOOL GetDroppedState() const;
    void GetDroppedControlRect(LPRECT lprect) const;
    int SetDroppedWidth(UINT nWidth);
    int GetDroppedWidth() const;

    // Owner-drawn combos (CBS_OWNERDRAW...): the parent's WM_DRAWITEM and WM_MEASUREITEM come here.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
