// The tab engine: items, selection, scrolling, hit testing and its mouse loops.
#include "CXTPTabManager.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "CXTPTabAppearance.h"
#include "CXTPTabPaintManager.h"
#include "CXTPTrackingLoop.h"

CXTPTabManager::CXTPTabManager()
{
    m_arrNavigateButtons.push_back(new CXTPTabManagerNavigateButtonLeft(this));
    m_arrNavigateButtons.push_back(new CXTPTabManagerNavigateButtonRight(this));
    m_arrNavigateButtons.push_back(new CXTPTabManagerNavigateButtonClose(this));
}

CXTPTabManager::~CXTPTabManager()
{
    for (CXTPTabManagerItem* pItem : m_arrItems)
        pItem->InternalRelease();
    m_arrItems.clear();
    for (CXTPTabManagerNavigateButton* pButton : m_arrNavigateButtons)
        delete pButton;
    m_themeTabButton.CloseThemeData();
}

CString CXTPTabManager::GetItemCaption(const CXTPTabManagerItem* pItem) const
{
    return pItem->GetCaptionText();
}

int CXTPTabManager::GetItemIcon(const CXTPTabManagerItem* pItem) const
{
    return pItem->GetImageIndex();
}

COLORREF CXTPTabManager::GetAutomaticColor(int nIndex)
{
    static const COLORREF colors[xtpTabColorAutomaticCount] = {0xE4A88A, 0x75DBFF, 0x9FCDBD, 0x9F9EF0,
                                                               0xE1A6BA, 0xB4BF9A, 0x83B6F7, 0xC0ABD8};
    return colors[nIndex & (xtpTabColorAutomaticCount - 1)];
}

COLORREF CXTPTabManager::GetItemColor(const CXTPTabManagerItem* pItem) const
{
    COLORREF clr = pItem->GetStoredColor();
    if (clr >= xtpTabColorAutomatic && clr < xtpTabColorAutomatic + xtpTabColorAutomaticCount)
        return GetAutomaticColor(static_cast<int>(clr - xtpTabColorAutomatic));
    return clr;
}

CString CXTPTabManager::GetItemTooltip(const CXTPTabManagerItem* pItem) const
{
    return pItem->GetTooltip();
}

void CXTPTabManager::OnItemsChanged()
{
    for (size_t i = 0; i < m_arrItems.size(); ++i)
        m_arrItems[i]->m_nIndex = static_cast<int>(i);
    Reposition();
}

void CXTPTabManager::SetSelectedItem(CXTPTabManagerItem* pItem)
{
    if (m_pSelected == pItem)
        return;
    m_pSelected = pItem;
    Reposition();
    EnsureVisible(pItem);
}

void CXTPTabManager::GetItemMetrics(CSize* pszDefault, CSize* pszMin, CSize* pszMax) const
{
    if (pszDefault)
        *pszDefault = m_szItemDefault;
    if (pszMin)
        *pszMin = m_szItemMin;
    if (pszMax)
        *pszMax = m_szItemMax;
}

void CXTPTabManager::SetItemMetrics(CSize szDefault, CSize szMin, CSize szMax)
{
    m_szItemDefault = szDefault;
    m_szItemMin = szMin;
    m_szItemMax = szMax;
}

BOOL CXTPTabManager::IsDrawStaticFrame() const
{
    return GetPaintManager()->m_bStaticFrame;
}

int CXTPTabManager::GetPosition() const
{
    return GetPaintManager()->GetPosition();
}

int CXTPTabManager::GetLayout() const
{
    return GetPaintManager()->GetLayout();
}

BOOL CXTPTabManager::IsHorizontalPosition() const
{
    int nPosition = GetPosition();
    return nPosition == xtpTabPositionTop || nPosition == xtpTabPositionBottom;
}

CXTPTabManagerItem* CXTPTabManager::InsertItem(int nItem, CXTPTabManagerItem* pItem)
{
    if (!pItem)
        pItem = new CXTPTabManagerItem();
    pItem->m_pTabManager = this;
    if (nItem < 0 || nItem > GetItemCount())
        nItem = GetItemCount();
    m_arrItems.insert(m_arrItems.begin() + nItem, pItem);
    // Tabs cycle through the automatic colours in the order they were inserted.
    pItem->m_clrItem = xtpTabColorAutomatic + (m_nInsertionCount % xtpTabColorAutomaticCount);
    ++m_nInsertionCount;
    OnItemsChanged();
    return pItem;
}

BOOL CXTPTabManager::DeleteItem(int nItem)
{
    if (nItem < 0 || nItem >= GetItemCount())
        return FALSE;
    CXTPTabManagerItem* pItem = m_arrItems[nItem];
    const BOOL bSelected = pItem == m_pSelected;
    if (pItem == m_pHighlighted)
        m_pHighlighted = nullptr;
    m_arrItems.erase(m_arrItems.begin() + nItem);
    if (bSelected)
        m_pSelected = nullptr;
    pItem->InternalRelease();
    if (bSelected)
        SetCurSel(nItem);
    OnItemsChanged();
    return TRUE;
}

void CXTPTabManager::DeleteAllItems()
{
    std::vector<CXTPTabManagerItem*> items;
    items.swap(m_arrItems);
    m_pSelected = nullptr;
    m_pHighlighted = nullptr;
    for (CXTPTabManagerItem* pItem : items)
        pItem->InternalRelease();
    OnItemsChanged();
}

CXTPTabManagerItem* CXTPTabManager::GetItem(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetItemCount() ? m_arrItems[nIndex] : nullptr;
}

void CXTPTabManager::SetCurSel(int nIndex)
{
    if (m_arrItems.empty()) {
        SetSelectedItem(nullptr);
        return;
    }
    nIndex = std::max(0, std::min(nIndex, GetItemCount() - 1));
    SetSelectedItem(m_arrItems[nIndex]);
}

void CXTPTabManager::EnsureVisible(CXTPTabManagerItem* pItem)
{
    if (pItem)
        GetPaintManager()->EnsureVisible(this, pItem);
}

CXTPTabManagerItem* CXTPTabManager::HitTest(CPoint point) const
{
    if (!m_rcControl.PtInRect(point))
        return nullptr;
    if (!m_rcHeaderRect.IsRectEmpty() && !m_rcHeaderRect.PtInRect(point))
        return nullptr;
    for (CXTPTabManagerItem* pItem : m_arrItems) {
        if (pItem->IsEnabled() && pItem->IsVisible() && pItem->GetRect().PtInRect(point))
            return pItem;
    }
    return nullptr;
}

CXTPTabManagerNavigateButton* CXTPTabManager::FindNavigateButton(int nId) const
{
    for (CXTPTabManagerNavigateButton* pButton : m_arrNavigateButtons) {
        if (pButton->GetId() == nId)
            return pButton;
    }
    return nullptr;
}

void CXTPTabManager::SetScrollOffset(int nOffset)
{
    if (nOffset > 0)
        nOffset = 0;
    if (nOffset == m_nScrollDelta)
        return;
    m_nScrollDelta = nOffset;
    Reposition();
}

int CXTPTabManager::GetItemsLength() const
{
    int nLength = 0;
    for (CXTPTabManagerItem* pItem : m_arrItems)
        nLength += pItem->GetLength();
    return nLength;
}

void CXTPTabManager::SetActive(BOOL bActive)
{
    if (m_bActive == bActive)
        return;
    m_bActive = bActive;
    Reposition();
}

BOOL CXTPTabManager::OnLButtonDown(HWND hWnd, CPoint point, BOOL bNavigateButtonsOnly)
{
    for (CXTPTabManagerNavigateButton* pButton : m_arrNavigateButtons) {
        if (pButton->GetRect().PtInRect(point)) {
            pButton->Track(hWnd, point);
            return TRUE;
        }
    }
    if (bNavigateButtonsOnly)
        return FALSE;
    CXTPTabManagerItem* pItem = HitTest(point);
    if (!pItem)
        return FALSE;
    if (!IsAllowReorder())
        OnItemClick(pItem);
    else
        TrackClick(hWnd, point, pItem);
    return TRUE;
}

void CXTPTabManager::OnMouseMove(HWND hWnd, CPoint point)
{
    if (hWnd && ::GetActiveWindow() != ::GetAncestor(hWnd, GA_ROOT))
        return;
    if (IsMouseLocked())
        return;
    if (GetPaintManager()->m_bHotTracking) {
        CXTPTabManagerItem* pItem = HitTest(point);
        if (pItem != m_pHighlighted) {
            m_pHighlighted = pItem;
            RedrawControl();
            if (pItem && hWnd) {
                TRACKMOUSEEVENT tme = {sizeof(TRACKMOUSEEVENT), TME_LEAVE, hWnd, 0};
                ::TrackMouseEvent(&tme);
            }
        }
    }
    for (CXTPTabManagerNavigateButton* pButton : m_arrNavigateButtons)
        pButton->OnMouseMove(hWnd, point);
}

namespace {

BOOL Contains(const std::vector<CXTPTabManagerItem*>& items, const CXTPTabManagerItem* pItem)
{
    return std::find(items.begin(), items.end(), pItem) != items.end();
}

}  // namespace

void CXTPTabManager::TrackClick(HWND hWnd, CPoint point, CXTPTabManagerItem* pItem)
{
    // Held while messages are dispatched: a handler may delete the tab meanwhile.
    pItem->InternalAddRef();
    CXTPTabManagerItem* pSelected = m_pSelected;
    m_pSelected = pItem;
    if (GetPaintManager()->m_bHotTracking)
        m_pHighlighted = pItem;
    Reposition();

    // Positions are found in the rectangles of the start, so swapped tabs do not flicker back.
    std::vector<CRect> rects;
    for (CXTPTabManagerItem* p : m_arrItems)
        rects.push_back(p->GetRect());

    CPoint pt = point;
    CXTPTrackingLoop().CancelOnCancelMode().HoldKeys().Run(hWnd, [&](const MSG& msg) {
        if (msg.message != WM_MOUSEMOVE)
            return CXTPTrackingLoop::kDefault;
        pt = CPoint(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
        const int nCurrent = pItem->GetIndex();
        if (!Contains(m_arrItems, pItem))
            return CXTPTrackingLoop::kStop;
        for (int i = 0; i < static_cast<int>(rects.size()) && i < GetItemCount(); ++i) {
            if (i == nCurrent || !rects[i].PtInRect(pt))
                continue;
            std::swap(m_arrItems[i], m_arrItems[nCurrent]);
            OnItemsChanged();
            break;
        }
        return CXTPTrackingLoop::kNext;
    });

    OnMouseMove(hWnd, pt);
    m_pSelected = Contains(m_arrItems, pSelected) ? pSelected : nullptr;
    if (Contains(m_arrItems, pItem))
        OnItemClick(pItem);
    pItem->InternalRelease();
}

int CXTPTabManager::OnToolHitTest(HWND hWnd, CPoint point, TOOLINFOA* pTI) const
{
    CXTPTabManagerItem* pItem = HitTest(point);
    if (!pItem)
        return -1;
    CString strTip = GetItemTooltip(pItem);
    if (strTip.IsEmpty())
        return -1;
    if (pTI && pTI->cbSize >= 40) {
        pTI->hwnd = hWnd;
        pTI->rect = pItem->GetRect();
        pTI->uId = static_cast<UINT_PTR>(pItem->GetIndex());
        // The tool-tip machinery frees the text.
        char* pszText = static_cast<char*>(std::calloc(strTip.GetLength() + 1, 1));
        if (pszText)
            std::memcpy(pszText, static_cast<const char*>(strTip), strTip.GetLength());
        pTI->lpszText = pszText;
    }
    return pItem->GetIndex();
}
