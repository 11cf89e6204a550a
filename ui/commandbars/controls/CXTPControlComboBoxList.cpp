// The combo box's list: opening under the combo, keys and mouse, its frame, its saved items.
#include "CArchive.h"
#include "CXTPControlComboBoxList.h"

#include <algorithm>

#include "CDC.h"
#include "CXTPBufferDC.h"
#include "CXTPControlComboBox.h"
#include "CXTPHoldRef.h"
#include "CXTPHookManager.h"
#include "CXTPPaintManager.h"
#include "CXTPPropExchange.h"

IMPLEMENT_SERIAL(CXTPControlComboBoxList, CXTPPopupBar, VERSIONABLE_SCHEMA | 0x11)

namespace {

// The outer frame of the list: the colour table's index 43.
const int kListFrameColor = 43;

}  // namespace

BEGIN_MESSAGE_MAP(CXTPControlComboBoxList, CXTPPopupBar)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_MESSAGE(WM_MOUSEWHEEL, OnMouseWheel)
    ON_WM_NCPAINT()
    ON_WM_PAINT()
END_MESSAGE_MAP()

CXTPControlComboBoxList::CXTPControlComboBoxList()
{
    m_barPosition = xtpBarListBox;
}

CXTPControlComboBoxList::~CXTPControlComboBoxList()
{
    // A list released while open lowers the lock it holds; its combo is not asked any more.
    if (m_bTracking) {
        m_pComboBox = nullptr;
        m_pControlPopup = nullptr;
        SetTrackingMode(FALSE);
    }
}

BOOL CXTPControlComboBoxList::CreateListBox()
{
    if (m_hWnd)
        return TRUE;
    if (!CreateEx(WS_EX_STATICEDGE | WS_EX_TOOLWINDOW, "LISTBOX", "",
                  WS_POPUP | WS_CLIPCHILDREN | WS_BORDER | WS_VSCROLL, 0, 0, 0, 0, nullptr, nullptr))
        return FALSE;
    if (m_hWndOwnerSite)
        ::SetWindowLongPtrA(m_hWnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(m_hWndOwnerSite));
    return TRUE;
}

void CXTPControlComboBoxList::SetOwnerSite(HWND hWndOwner)
{
    m_hWndOwnerSite = hWndOwner;
    if (m_hWnd)
        ::SetWindowLongPtrA(m_hWnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(hWndOwner));
}

int CXTPControlComboBoxList::GetCount() const
{
    return m_hWnd ? static_cast<int>(SendMessage(LB_GETCOUNT)) : 0;
}

int CXTPControlComboBoxList::GetCurSel() const
{
    return m_hWnd ? static_cast<int>(SendMessage(LB_GETCURSEL)) : -1;
}

CString CXTPControlComboBoxList::GetText(int nIndex) const
{
    CString strText;
    const int nLength = m_hWnd ? static_cast<int>(SendMessage(LB_GETTEXTLEN, nIndex)) : LB_ERR;
    if (nLength == LB_ERR)
        return strText;
    SendMessage(LB_GETTEXT, nIndex, reinterpret_cast<LPARAM>(strText.GetBuffer(nLength + 1)));
    strText.ReleaseBuffer(nLength);
    return strText;
}

int CXTPControlComboBoxList::AddString(const char* lpszItem)
{
    if (!CreateListBox())
        return LB_ERR;
    return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszItem ? lpszItem : "")));
}

void CXTPControlComboBoxList::ResetContent()
{
    if (m_hWnd)
        SendMessage(LB_RESETCONTENT);
}

BOOL CXTPControlComboBoxList::Popup(CXTPControl* pControlPopup, BOOL /*bSelectFirst*/)
{
    auto* pComboBox = dynamic_cast<CXTPControlComboBox*>(pControlPopup);
    if (!pComboBox || !CreateListBox())
        return FALSE;
    CHoldRef hold(this);
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(static_cast<HFONT>(GetPaintManager()->m_fontIconTitle)));
    m_pControlPopup = pComboBox;
    m_pComboBox = pComboBox;
    // The application may fill the list now.
    CWnd* pSite = GetOwnerSite();
    if (pSite && pSite->GetSafeHwnd())
        pSite->SendMessage(WM_CMDBARS_INITPOPUP, 0, reinterpret_cast<LPARAM>(this));
    SetTrackingMode(TRUE, FALSE, FALSE);

    const int nRows = std::min(std::max(GetCount(), 1), static_cast<int>(kMaxRows));
    const int nItemHeight = static_cast<int>(SendMessage(LB_GETITEMHEIGHT, 0));
    const int nWidth = m_nListWidth >= 1 ? m_nListWidth : pComboBox->GetRect().Width();
    UpdateFlags();
    UpdateLocation(CSize(nWidth, nRows * nItemHeight + 4));
    EnableWindow(TRUE);
    return TRUE;
}

BOOL CXTPControlComboBoxList::SetTrackingMode(int bMode, BOOL bSelectFirst, BOOL bKeyboard)
{
    // Not the popup bar's: the list's window stays for the next opening.
    if (!CXTPCommandBar::SetTrackingMode(bMode, bSelectFirst, bKeyboard))
        return FALSE;
    CXTPHookManager* pHookManager = XTPHookManager();
    if (bMode) {
        pHookManager->Lock();
        return TRUE;
    }
    pHookManager->Unlock();
    CHoldRef hold(this);
    if (m_hWnd)
        ShowWindow(SW_HIDE);
    CXTPControlComboBox* pComboBox = m_pComboBox;
    m_pComboBox = nullptr;
    m_pControlPopup = nullptr;
    if (pComboBox && pComboBox->GetParent() && pComboBox->GetParent()->GetPopupedIndex() == pComboBox->GetIndex())
        pComboBox->GetParent()->SetPopuped(-1);
    return TRUE;
}

BOOL CXTPControlComboBoxList::OnKeyDown(UINT nChar)
{
    if (nChar == VK_ESCAPE)
        return CXTPPopupBar::OnKeyDown(nChar);
    if (nChar == VK_TAB)
        return FALSE;
    CXTPControlComboBox* pComboBox = m_pComboBox;
    if (!pComboBox)
        return FALSE;
    if (nChar == VK_RETURN) {
        pComboBox->Execute();
        return TRUE;
    }
    const int nBefore = GetCurSel();
    SendMessage(WM_KEYDOWN, nChar, 0);
    if (GetCurSel() != nBefore)
        pComboBox->OnSelChanged();
    return TRUE;
}

int CXTPControlComboBoxList::ItemFromPoint(CPoint point) const
{
    const LRESULT nAnswer = SendMessage(LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
    return HIWORD(nAnswer) ? -1 : static_cast<int>(LOWORD(nAnswer));
}

void CXTPControlComboBoxList::OnMouseMove(UINT nFlags, CPoint point)
{
    const int nItem = ItemFromPoint(point);
    if (nItem != -1 && nItem != GetCurSel())
        SendMessage(LB_SETCURSEL, nItem);
    CXTPPopupBar::OnMouseMove(nFlags, point);
}

void CXTPControlComboBoxList::OnLButtonDown(UINT /*nFlags*/, CPoint point)
{
    // The list box's own handling would take the focus from the field and the frame.
    const int nItem = ItemFromPoint(point);
    if (nItem != -1 && nItem != GetCurSel())
        SendMessage(LB_SETCURSEL, nItem);
}

void CXTPControlComboBoxList::OnLButtonUp(UINT /*nFlags*/, CPoint /*point*/)
{
    if (CXTPControlComboBox* pComboBox = m_pComboBox) {
        CHoldRef hold(pComboBox);
        pComboBox->OnSelChanged();
        pComboBox->Execute();
    }
}

LRESULT CXTPControlComboBoxList::OnMouseWheel(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    Default();
    return TRUE;
}

void CXTPControlComboBoxList::OnNcPaint()
{
    Default();
    CWindowDC dc(this);
    CRect rc;
    GetWindowRect(&rc);
    rc.OffsetRect(-rc.left, -rc.top);
    CXTPPaintManager* pPaintManager = GetPaintManager();
    pPaintManager->Draw3dRect(&dc, rc, kListFrameColor, kListFrameColor);
    rc.DeflateRect(1, 1);
    pPaintManager->Draw3dRect(&dc, rc, COLOR_WINDOW, COLOR_WINDOW);
}

void CXTPControlComboBoxList::OnPaint()
{
    CPaintDC paintDC(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    CXTPBufferDC dc(paintDC.GetSafeHdc(), rcClient);
    dc.FillSolidRect(rcClient, GetPaintManager()->GetColor(COLOR_WINDOW));
    DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
}

void CXTPControlComboBoxList::Copy(CXTPCommandBar* pSrc, BOOL bRecursive)
{
    CXTPPopupBar::Copy(pSrc, bRecursive);
    auto* pList = dynamic_cast<CXTPControlComboBoxList*>(pSrc);
    if (!pList || pList->GetCount() == 0 || !CreateListBox())
        return;
    const int nCount = pList->GetCount();
    for (int i = 0; i < nCount; i++)
        AddString(pList->GetText(i));
}

void CXTPControlComboBoxList::DoPropExchange(CXTPPropExchange* pPX)
{
    CXTPPopupBar::DoPropExchange(pPX);
    ExchangeItems(pPX);
}

void CXTPControlComboBoxList::ExchangeItems(CXTPPropExchange* pPX)
{
    CXTPPropExchangeSection section(pPX->GetSection("Items"));
    if (!section.Get())
        return;
    if (!pPX->IsLoading()) {
        const DWORD nCount = m_hWnd ? static_cast<DWORD>(GetCount()) : 0;
        section->WriteCount(nCount);
        for (DWORD i = 0; i < nCount; i++) {
            CString strName;
            strName.Format("Item%i", static_cast<int>(i));
            CString strItem = GetText(static_cast<int>(i));
            PX_String(section, strName, strItem);
        }
        return;
    }
    // A damaged count is not trusted: the items stop at the limit or where the data ends.
    const DWORD nCount = std::min<DWORD>(section->ReadCount(), kMaxLoadedItems);
    for (DWORD i = 0; i < nCount; i++) {
        CString strName;
        strName.Format("Item%i", static_cast<int>(i));
        CString strItem;
        if (!PX_String(section, strName, strItem))
            break;
        AddString(strItem);
    }
}
