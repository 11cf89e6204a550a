// Check list boxes: items with their checks, drawing, and toggling by mouse and space bar.
#include "CCheckListBox.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CCheckListBox, CListBox)

BEGIN_MESSAGE_MAP(CCheckListBox, CListBox)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_CHAR()
END_MESSAGE_MAP()

int CCheckListBox::AddString(const char* lpszItem)
{
    return InsertString(-1, lpszItem);
}

int CCheckListBox::InsertString(int nIndex, const char* lpszItem)
{
    const int nAt = CListBox::InsertString(nIndex, lpszItem);
    if (nAt >= 0)
        m_arrChecks.insert(m_arrChecks.begin() + std::min<size_t>(static_cast<size_t>(nAt), m_arrChecks.size()), 0);
    return nAt;
}

int CCheckListBox::DeleteString(UINT nIndex)
{
    const int nLeft = CListBox::DeleteString(nIndex);
    if (nLeft != LB_ERR && nIndex < m_arrChecks.size())
        m_arrChecks.erase(m_arrChecks.begin() + nIndex);
    return nLeft;
}

void CCheckListBox::ResetContent()
{
    CListBox::ResetContent();
    m_arrChecks.clear();
}

void CCheckListBox::SetCheck(int nIndex, int nCheck)
{
    if (nIndex < 0 || static_cast<size_t>(nIndex) >= m_arrChecks.size())
        return;
    m_arrChecks[static_cast<size_t>(nIndex)] = nCheck;
    RECT rc;
    if (m_hWnd && GetItemRect(nIndex, &rc) != LB_ERR)
        InvalidateRect(&rc, FALSE);
}

int CCheckListBox::GetCheck(int nIndex) const
{
    return nIndex >= 0 && static_cast<size_t>(nIndex) < m_arrChecks.size() ? m_arrChecks[static_cast<size_t>(nIndex)]
                                                                           : 0;
}

CRect CCheckListBox::CheckRect(const RECT& rcItem)
{
    const int nSize = std::min<int>(13, rcItem.bottom - rcItem.top);
    const int nTop = rcItem.top + (rcItem.bottom - rcItem.top - nSize) / 2;
    return CRect(rcItem.left + 2, nTop, rcItem.left + 2 + nSize, nTop + nSize);
}

void CCheckListBox::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    lpMeasureItemStruct->itemHeight = 16;
}

void CCheckListBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (static_cast<int>(lpDrawItemStruct->itemID) < 0)
        return;
    HDC hDC = lpDrawItemStruct->hDC;
    const RECT rcItem = lpDrawItemStruct->rcItem;
    const CRect rcCheck = CheckRect(rcItem);
    RECT rcText = rcItem;
    rcText.left = rcCheck.right + 3;

    const BOOL bSelected = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
    ::FillRect(hDC, &rcItem, ::GetSysColorBrush(COLOR_WINDOW));
    ::FillRect(hDC, &rcText, ::GetSysColorBrush(bSelected ? COLOR_HIGHLIGHT : COLOR_WINDOW));

    RECT rcBox = rcCheck;
    UINT nState = DFCS_BUTTONCHECK | DFCS_FLAT;
    if (GetCheck(static_cast<int>(lpDrawItemStruct->itemID)))
        nState |= DFCS_CHECKED;
    ::DrawFrameControl(hDC, &rcBox, DFC_BUTTON, nState);

    CString strText;
    GetText(static_cast<int>(lpDrawItemStruct->itemID), strText);
    ::SetBkMode(hDC, TRANSPARENT);
    ::SetTextColor(hDC, ::GetSysColor(bSelected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    rcText.left += 2;
    ::DrawTextA(hDC, strText, -1, &rcText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (lpDrawItemStruct->itemState & ODS_FOCUS) {
        rcText.left -= 2;
        ::DrawFocusRect(hDC, &rcText);
    }
}

void CCheckListBox::ToggleCheck(int nIndex)
{
    SetCheck(nIndex, GetCheck(nIndex) ? 0 : 1);
    if (CWnd* pParent = GetParent())
        pParent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), CLBN_CHKCHANGE), reinterpret_cast<LPARAM>(m_hWnd));
}

void CCheckListBox::OnLButtonDown(UINT /*nFlags*/, CPoint point)
{
    Default();  // selects the item
    BOOL bOutside = TRUE;
    const int nIndex = static_cast<int>(ItemFromPoint(point, bOutside));
    RECT rcItem;
    if (bOutside || GetItemRect(nIndex, &rcItem) == LB_ERR)
        return;
    CRect rcCheck = CheckRect(rcItem);
    rcCheck.InflateRect(1, 1);
    if (rcCheck.PtInRect(point))
        ToggleCheck(nIndex);
}

void CCheckListBox::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    // A quick second click on a box toggles it again.
    OnLButtonDown(nFlags, point);
}

void CCheckListBox::OnChar(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    if (nChar == VK_SPACE) {
        const int nIndex = GetCurSel();
        if (nIndex >= 0)
            ToggleCheck(nIndex);
        return;
    }
    Default();
}
