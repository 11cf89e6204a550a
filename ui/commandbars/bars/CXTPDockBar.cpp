// Dock bars: rows of docked toolbars, the row a dropped bar goes into, row layout with wrapping
// and the strip the dock takes in the frame's layout.
#include "CXTPDockBar.h"

#include <algorithm>

#include "CDC.h"
#include "CFrameWnd.h"
#include "CXTPCommandBars.h"
#include "CXTPDockRowLayout.h"
#include "CXTPPaintManager.h"
#include "CXTPToolBar.h"
#include "CXTPToolBarDragContext.h"

IMPLEMENT_DYNAMIC(CXTPDockBar, CWnd)

BEGIN_MESSAGE_MAP(CXTPDockBar, CWnd)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINT, OnPrint)
END_MESSAGE_MAP()

namespace {

// Mode bit of a bar that may shrink by hiding the controls it has no room for.
constexpr DWORD kModeHideWrap = 128;

}  // namespace

CXTPDockBar::CXTPDockBar(CXTPCommandBars* pCommandBars) : m_pCommandBars(pCommandBars)
{
    m_arrBars.push_back(nullptr);
}

CXTPDockBar::~CXTPDockBar()
{
    for (CXTPToolBar* pBar : m_arrBars) {
        if (pBar && pBar->GetDockBar() == this)
            pBar->SetDockBar(nullptr);
    }
}

BOOL CXTPDockBar::Create(CWnd* pParent, DWORD dwStyle, UINT nID)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    const char* lpszClass = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW));
    return CWnd::Create(lpszClass, "", dwStyle & ~CBRS_ALL, CRect(0, 0, 0, 0), pParent, nID);
}

BOOL CXTPDockBar::PreCreateWindow(CREATESTRUCTA& cs)
{
    cs.style |= WS_CLIPSIBLINGS;
    return CWnd::PreCreateWindow(cs);
}

XTPBarPosition CXTPDockBar::DockStyleToBarPosition(DWORD dwStyle)
{
    if (dwStyle & CBRS_ALIGN_TOP)
        return xtpBarTop;
    if (dwStyle & CBRS_ALIGN_BOTTOM)
        return xtpBarBottom;
    if (dwStyle & CBRS_ALIGN_LEFT)
        return xtpBarLeft;
    if (dwStyle & CBRS_ALIGN_RIGHT)
        return xtpBarRight;
    return xtpBarNone;
}

CXTPToolBar* CXTPDockBar::GetAt(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_arrBars[static_cast<size_t>(nIndex)] : nullptr;
}

int CXTPDockBar::FindBar(CXTPToolBar* pBar, int nIndexExcept) const
{
    for (int i = 0; i < GetCount(); i++) {
        if (i != nIndexExcept && m_arrBars[static_cast<size_t>(i)] == pBar)
            return i;
    }
    return -1;
}

std::vector<CXTPToolBar*> CXTPDockBar::GetRowBars(CXTPToolBar* pBar) const
{
    std::vector<CXTPToolBar*> arrRow;
    const int nIndex = pBar ? FindBar(pBar) : -1;
    if (nIndex < 0)
        return arrRow;
    int nFirst = nIndex;
    while (nFirst > 0 && m_arrBars[static_cast<size_t>(nFirst - 1)])
        nFirst--;
    for (int i = nFirst; i < GetCount() && m_arrBars[static_cast<size_t>(i)]; i++)
        arrRow.push_back(m_arrBars[static_cast<size_t>(i)]);
    return arrRow;
}

void CXTPDockBar::DelayFrameLayout()
{
    if (CFrameWnd* pFrame = m_hWnd ? GetParentFrame() : nullptr)
        pFrame->DelayRecalcLayout();
    else if (m_pCommandBars && m_pCommandBars->GetSite())
        m_pCommandBars->GetSite()->DelayRecalcLayout();
}

BOOL CXTPDockBar::RemoveCommandBar(CXTPToolBar* pBar, int nIndexExcept)
{
    const int nIndex = FindBar(pBar, nIndexExcept);
    if (nIndex <= 0)
        return FALSE;
    m_arrBars.erase(m_arrBars.begin() + nIndex);
    // The entry before is a separator or a bar; two separators in a row would be an empty row.
    if (!m_arrBars[static_cast<size_t>(nIndex - 1)] && nIndex < GetCount() && !m_arrBars[static_cast<size_t>(nIndex)])
        m_arrBars.erase(m_arrBars.begin() + nIndex);
    if (pBar->GetDockBar() == this)
        pBar->SetDockBar(nullptr);
    DelayFrameLayout();
    return TRUE;
}

void CXTPDockBar::DockCommandBar(CXTPToolBar* pBar, LPCRECT lpRect)
{
    const int nOld = FindBar(pBar);
    if (nOld > 0) {
        if (!lpRect)
            return;
        CRect rcWindow;
        pBar->GetWindowRect(&rcWindow);
        if (rcWindow == *lpRect)
            return;
    }
    CXTPToolBarDragContext* pContext = pBar->GetDragContext();
    int nNew;
    if (lpRect) {
        CRect rcClient(*lpRect);
        if (m_hWnd)
            ScreenToClient(&rcClient);
        const BOOL bHorz = IsHorz();
        const int c = bHorz ? rcClient.CenterPoint().y : rcClient.CenterPoint().x;
        // Each row's far edge and the index of its separator.
        std::vector<int> arrFarEdges;
        std::vector<int> arrRowStarts;
        int nFar = 0;
        for (int i = 0; i < GetCount(); i++) {
            CXTPToolBar* pEntry = m_arrBars[static_cast<size_t>(i)];
            if (!pEntry) {
                if (i + 1 < GetCount() && m_arrBars[static_cast<size_t>(i + 1)]) {
                    arrRowStarts.push_back(i);
                    arrFarEdges.push_back(nFar);
                }
                continue;
            }
            if (pEntry->IsVisible() && pEntry->GetSafeHwnd()) {
                CRect rcBar;
                pEntry->GetWindowRect(&rcBar);
                if (m_hWnd)
                    ScreenToClient(&rcBar);
                nFar = std::max(nFar, static_cast<int>(bHorz ? rcBar.bottom : rcBar.right));
            }
            arrFarEdges.back() = std::max(arrFarEdges.back(), nFar);
        }
        const CXTPDockRowLayout::InsertPlace place = CXTPDockRowLayout::FindInsertPlace(arrFarEdges, c);
        if (place.nRow >= static_cast<int>(arrRowStarts.size())) {
            if (m_arrBars.back())
                m_arrBars.push_back(nullptr);
            nNew = GetCount();
            m_arrBars.push_back(pBar);
            m_arrBars.push_back(nullptr);
        } else {
            nNew = arrRowStarts[static_cast<size_t>(place.nRow)] + 1;
            m_arrBars.insert(m_arrBars.begin() + nNew, pBar);
            if (place.bNewRow)
                m_arrBars.insert(m_arrBars.begin() + nNew + 1, nullptr);
        }
        if (pContext)
            pContext->m_rcMRUDockPos = rcClient;
    } else {
        if (m_arrBars.back())
            m_arrBars.push_back(nullptr);
        nNew = GetCount();
        m_arrBars.push_back(pBar);
        m_arrBars.push_back(nullptr);
        if (pContext)
            pContext->m_rcMRUDockPos.SetRectEmpty();
    }

    if (m_hWnd && pBar->GetSafeHwnd() && pBar->GetParent() != this)
        pBar->SetParent(this);
    CXTPDockBar* pOldDock = pBar->GetDockBar();
    if (pOldDock && pOldDock != this)
        pOldDock->RemoveCommandBar(pBar);
    else
        RemoveCommandBar(pBar, nNew);
    pBar->SetDockBar(this);
    NormalizeRows();
    DelayFrameLayout();
}

void CXTPDockBar::NormalizeRows()
{
    for (int i = 1; i < GetCount(); i++) {
        CXTPToolBar* pBar = m_arrBars[static_cast<size_t>(i)];
        if (!pBar || !(pBar->GetFlags() & xtpFlagStretched))
            continue;
        if (m_arrBars[static_cast<size_t>(i - 1)]) {
            m_arrBars.insert(m_arrBars.begin() + i, nullptr);
            i++;
        }
        if (i + 1 >= GetCount() || m_arrBars[static_cast<size_t>(i + 1)])
            m_arrBars.insert(m_arrBars.begin() + i + 1, nullptr);
    }
}

DWORD CXTPDockBar::GetDockMode(CXTPToolBar* pBar) const
{
    DWORD dwMode = IsHorz() ? LM_HORZ | LM_HORZDOCK : LM_VERTDOCK;
    if (pBar->GetFlags() & xtpFlagStretched)
        dwMode |= LM_STRETCH;
    if (pBar->GetFlags() & xtpFlagHideWrap) {
        const BOOL bCustomizing =
            m_pCommandBars && m_pCommandBars->IsCustomizeMode() && !m_pCommandBars->IsQuickCustomizeMode();
        if (!bCustomizing)
            dwMode |= kModeHideWrap;
    }
    return dwMode;
}

int CXTPDockBar::LayoutRow(int nFirst, int nLength, int nOffset, AFX_SIZEPARENTPARAMS* pBarLayout, int& nRowLength)
{
    const BOOL bHorz = IsHorz();
    for (;;) {
        std::vector<XTPDockRowItem> items;
        std::vector<CSize> sizes(static_cast<size_t>(GetCount()));
        for (int i = nFirst; i < GetCount() && m_arrBars[static_cast<size_t>(i)]; i++) {
            CXTPToolBar* pBar = m_arrBars[static_cast<size_t>(i)];
            if (!pBar->IsVisible())
                continue;
            CSize sz = pBar->CalcDockingLayout(nLength, GetDockMode(pBar));
            if (!bHorz)
                sz = CSize(sz.cy, sz.cx);
            sizes[static_cast<size_t>(i)] = sz;
            XTPDockRowItem item;
            item.nOrder = i;
            const CXTPToolBarDragContext* pContext = pBar->GetDragContext();
            item.nMRULeft = pContext ? (bHorz ? pContext->m_rcMRUDockPos.left : pContext->m_rcMRUDockPos.top) : 0;
            item.nWidth = sz.cx;
            items.push_back(item);
        }
        const int nWrap = CXTPDockRowLayout::LayoutRow(items, nLength, [this](const XTPDockRowItem& item) {
            CXTPToolBar* pBar = m_arrBars[static_cast<size_t>(item.nOrder)];
            const DWORD dwMode = GetDockMode(pBar);
            if (!(dwMode & kModeHideWrap))
                return -1;
            CSize sz = pBar->CalcDockingLayout(1, dwMode);
            return static_cast<int>(IsHorz() ? sz.cx : sz.cy);
        });
        if (nWrap >= 0) {
            // The bar goes into a new row after this one, which is laid out again without it.
            CXTPToolBar* pBar = m_arrBars[static_cast<size_t>(nWrap)];
            m_arrBars.erase(m_arrBars.begin() + nWrap);
            int nEnd = nFirst;
            while (nEnd < GetCount() && m_arrBars[static_cast<size_t>(nEnd)])
                nEnd++;
            if (nEnd == GetCount())
                m_arrBars.push_back(nullptr);
            m_arrBars.insert(m_arrBars.begin() + nEnd + 1, pBar);
            if (nEnd + 2 >= GetCount() || m_arrBars[static_cast<size_t>(nEnd + 2)])
                m_arrBars.insert(m_arrBars.begin() + nEnd + 2, nullptr);
            continue;
        }

        int nThickness = 0;
        nRowLength = items.empty() ? 0 : items.back().nRight;
        for (const XTPDockRowItem& item : items)
            nThickness = std::max(nThickness, static_cast<int>(sizes[static_cast<size_t>(item.nOrder)].cy));
        if (!pBarLayout || !pBarLayout->hDWP)
            return nThickness;
        for (const XTPDockRowItem& item : items) {
            CXTPToolBar* pBar = m_arrBars[static_cast<size_t>(item.nOrder)];
            CRect rc(item.nLeft, nOffset, item.nRight, nOffset + sizes[static_cast<size_t>(item.nOrder)].cy);
            if (!bHorz)
                rc = CRect(rc.top, rc.left, rc.bottom, rc.right);
            pBar->CalcDockingLayout(item.nRight - item.nLeft, GetDockMode(pBar) | LM_COMMIT);
            AfxRepositionWindow(pBarLayout, pBar->GetSafeHwnd(), &rc);
            pBar->m_barPosition = GetPosition();
            if (CXTPToolBarDragContext* pContext = pBar->GetDragContext()) {
                pContext->m_nMRUDockPosition = GetPosition();
                pContext->m_rcMRUDockPos = rc;
            }
            pBar->Invalidate(FALSE);
        }
        return nThickness;
    }
}

CSize CXTPDockBar::CalcDockBarLayout(int nLength, DWORD dwMode, AFX_SIZEPARENTPARAMS* pLayout)
{
    const BOOL bHorz = IsHorz();
    CSize size(0, 0);
    if (dwMode & LM_STRETCH)
        size = bHorz ? CSize(32767, 0) : CSize(0, 32767);
    // The bars are the dock's children: they move in a batch of their own.
    AFX_SIZEPARENTPARAMS barLayout{};
    if (pLayout && pLayout->hDWP)
        barLayout.hDWP = ::BeginDeferWindowPos(GetCount());
    int nOffset = 0;
    int nLongest = 0;
    for (int i = 0; i < GetCount(); i++) {
        if (m_arrBars[static_cast<size_t>(i)] || i + 1 >= GetCount() || !m_arrBars[static_cast<size_t>(i + 1)])
            continue;
        int nRowLength = 0;
        nOffset += LayoutRow(i + 1, nLength, nOffset, &barLayout, nRowLength);
        nLongest = std::max(nLongest, nRowLength);
    }
    if (barLayout.hDWP)
        ::EndDeferWindowPos(barLayout.hDWP);
    if (bHorz) {
        size.cy = nOffset;
        size.cx = std::max(static_cast<int>(size.cx), nLongest);
    } else {
        size.cx = nOffset;
        size.cy = std::max(static_cast<int>(size.cy), nLongest);
    }
    return size;
}

LRESULT CXTPDockBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    auto* pLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    if (!(GetStyle() & WS_VISIBLE))
        return 0;
    const BOOL bHorz = IsHorz();
    DWORD dwMode = pLayout->bStretch ? LM_STRETCH : 0;
    if ((m_dwStyle & 4) && (m_dwStyle & 1))
        dwMode |= LM_HORZ | LM_MRUWIDTH;
    else
        dwMode |= bHorz ? LM_HORZ | LM_HORZDOCK : LM_VERTDOCK;

    CRect rect(pLayout->rect);
    CSize size = CalcDockBarLayout(bHorz ? rect.Width() : rect.Height(), dwMode, pLayout);
    size.cx = std::min(static_cast<int>(size.cx), rect.Width());
    size.cy = std::min(static_cast<int>(size.cy), rect.Height());
    if (bHorz) {
        pLayout->sizeTotal.cy += size.cy;
        pLayout->sizeTotal.cx = std::max(pLayout->sizeTotal.cx, size.cx);
        if (m_dwStyle & CBRS_ALIGN_TOP) {
            rect.bottom = rect.top + size.cy;
            pLayout->rect.top += size.cy;
        } else {
            rect.top = rect.bottom - size.cy;
            pLayout->rect.bottom -= size.cy;
        }
    } else {
        pLayout->sizeTotal.cx += size.cx;
        pLayout->sizeTotal.cy = std::max(pLayout->sizeTotal.cy, size.cy);
        if (m_dwStyle & CBRS_ALIGN_LEFT) {
            rect.right = rect.left + size.cx;
            pLayout->rect.left += size.cx;
        } else {
            rect.left = rect.right - size.cx;
            pLayout->rect.right -= size.cx;
        }
    }
    if (pLayout->hDWP) {
        AfxRepositionWindow(pLayout, m_hWnd, &rect);
        Invalidate(FALSE);
    }
    return 0;
}

void CXTPDockBar::OnPaint()
{
    CPaintDC dc(this);
    CXTPPaintManager* pPaintManager = m_pCommandBars ? m_pCommandBars->GetPaintManager() : CXTPPaintManager::Current();
    pPaintManager->FillCommandBarEntry(&dc, this);
}

LRESULT CXTPDockBar::OnPrint(WPARAM wParam, LPARAM lParam)
{
    HDC hDC = reinterpret_cast<HDC>(wParam);
    CXTPPaintManager* pPaintManager = m_pCommandBars ? m_pCommandBars->GetPaintManager() : CXTPPaintManager::Current();
    pPaintManager->FillCommandBarEntry(CDC::FromHandle(hDC), this);
    if (lParam & PRF_CHILDREN) {
        for (HWND hChild = ::GetTopWindow(m_hWnd); hChild; hChild = ::GetNextWindow(hChild, GW_HWNDNEXT)) {
            if (!::IsWindowVisible(hChild))
                continue;
            CRect rcChild;
            ::GetWindowRect(hChild, &rcChild);
            ScreenToClient(&rcChild);
            POINT ptOld;
            ::OffsetViewportOrgEx(hDC, rcChild.left, rcChild.top, &ptOld);
            ::SendMessageA(hChild, WM_PRINT, wParam, lParam);
            ::SetViewportOrgEx(hDC, ptOld.x, ptOld.y, nullptr);
        }
    }
    return 1;
}

