// Check list boxes: an owner-drawn list box with a check box in front of every item.
#pragma once

#include <vector>

#include "CListBox.h"

// The parent's WM_COMMAND code when the user changed an item's check.
#define CLBN_CHKCHANGE 40

// The list must be LBS_OWNERDRAWFIXED | LBS_HASSTRINGS. Items are added and removed through
// this class, which keeps their checks beside them.
class CCheckListBox : public CListBox {
    DECLARE_DYNCREATE(CCheckListBox)

public:
    int AddString(const char* lpszItem);
    int InsertString(int nIndex, const char* lpszItem);
    int DeleteString(UINT nIndex);
    void ResetContent();

    void SetCheck(int nIndex, int nCheck);
    int GetCheck(int nIndex) const;

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;

    DECLARE_MESSAGE_MAP()

protected:
    // The check box's square within an item's rectangle.
    static CRect CheckRect(const RECT& rcItem);
    // The user's change of the item's check: the list shows it and tells its parent.
    void ToggleCheck(int nIndex);

    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);

    std::vector<int> m_arrChecks;
};
