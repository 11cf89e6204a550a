// The MDI tab window: synchronisation of tabs with the MDI children, tab groups, their layout
// with splitters, painting, mouse presses, tab drags between groups and the group commands.
#include "CXTPTabClientWnd.h"

#include <algorithm>

#include "CCmdUI.h"
#include "CDocument.h"
#include "CFrameWnd.h"
#include "CMDIChildWnd.h"
#include "CMDIFrameWnd.h"
#include "CXTPBufferDC.h"
#include "CXTPCommandBars.h"
#include "CXTPControlExpandingList.h"
#include "CXTPControls.h"
#include "CXTPPaintManager.h"
#include "CXTPPopupBar.h"
#include "CXTPSplitterTracker.h"
#include "CXTPTabAppearance.h"
#include "CXTPTabManagerItem.h"
#include "CXTPTabPaintManager.h"

IMPLEMENT_DYNAMIC(CXTPTabClientWnd, CWnd)

namespace {

constexpr int kSplitterSize = 5;
constexpr int kSplitZone = 30;  // a drop this close to a group's bottom or right edge splits it
constexpr UINT kMoveToPrevious = 9420, kMoveToNext = 9421, kNewHorizontal = 9422, kNewVertical = 9423;
constexpr UINT kCancel = 9424;
constexpr UINT kIdleUpdateCmdUI = 0x0363;

}  // namespace

// ---- one tab group -------------------------------------------------------------------------

void CXTPTabClientWnd::CWorkspace::Reposition() { m_pTabClient->Reposition(); }

COLORREF CXTPTabClientWnd::CWorkspace::GetItemColor(const CXTPTabManagerItem* pItem) const
{
    // The child names its colour; a child that does not keeps the automatic one of its tab.
    const HWND hWnd = reinterpret_cast<HWND>(pItem->GetData());
    const COLORREF clr = ::IsWindow(hWnd) ? COLORREF(::SendMessageA(hWnd, kMsgTabClientGetColor, 0, 0)) : 0;
    // Stored only when it changed: storing redraws the tabs, and this runs while they paint.
    if (clr != 0 && clr != pItem->GetStoredColor())
        const_cast<CXTPTabManagerItem*>(pItem)->SetColor(clr);
    return CXTPTabManager::GetItemColor(pItem);
}

void CXTPTabClientWnd::CWorkspace::SetSelectedItem(CXTPTabManagerItem* pItem)
{
    m_hWndSelected = pItem ? reinterpret_cast<HWND>(pItem->GetData()) : nullptr;
    CXTPTabManager::SetSelectedItem(pItem);
}

CXTPTabPaintManager* CXTPTabClientWnd::CWorkspace::GetPaintManager() const { return m_pTabClient->m_pPaintManager; }

void CXTPTabClientWnd::CWorkspace::RedrawControl()
{
    if (!m_pTabClient->m_bLockLayout && m_pTabClient->m_hWnd)
        ::InvalidateRect(m_pTabClient->m_hWnd, nullptr, FALSE);
}

BOOL CXTPTabClientWnd::CWorkspace::IsAllowReorder() const { return m_pTabClient->m_bAllowReorder; }

BOOL CXTPTabClientWnd::CWorkspace::DrawIcon(CDC*, CPoint, CXTPTabManagerItem*, BOOL, CSize&) const
{
    return FALSE;  // the tabs show no icons
}

void CXTPTabClientWnd::CWorkspace::OnItemClick(CXTPTabManagerItem* pItem)
{
    const HWND hWnd = reinterpret_cast<HWND>(pItem->GetData());
    if (m_pTabClient->m_hWnd && ::IsWindow(hWnd))
        ::SendMessageA(m_pTabClient->m_hWnd, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(hWnd), 0);
}

void CXTPTabClientWnd::CWorkspace::OnNavigateButtonClick(int)
{
    if (!m_pSelected)
        return;
    ::PostMessageA(m_pTabClient->m_hWnd, kIdleUpdateCmdUI, 0, 0);
    ::SendMessageA(reinterpret_cast<HWND>(m_pSelected->GetData()), WM_CLOSE, 0, 0);
}

CXTPTabManagerItem* CXTPTabClientWnd::CWorkspace::FindItem(HWND hWnd) const
{
    for (CXTPTabManagerItem* pItem : m_arrItems)
        if (reinterpret_cast<HWND>(pItem->GetData()) == hWnd)
            return pItem;
    return nullptr;
}

void CXTPTabClientWnd::CWorkspace::TrackClick(HWND hWnd, CPoint point, CXTPTabManagerItem* pItem)
{
    CXTPTabClientWnd* pClient = m_pTabClient;
    // A lone tab has nowhere to go.
    if (pClient->GetGroupCount() == 1 && GetItemCount() == 1)
        return;
    pItem->InternalAddRef();  // a handler may delete the tab while messages are dispatched
    m_pSelected = pItem;
    m_hWndSelected = reinterpret_cast<HWND>(pItem->GetData());
    if (pClient->m_bLockLayout)
        pClient->SetActiveGroup(this);
    Reposition();

    ::SetCapture(hWnd);
    BOOL bOutside = FALSE, bDrop = FALSE;
    int nMode = dropNone;
    CWorkspace* pTarget = nullptr;
    CPoint pt = point;
    MSG msg;
    for (;;) {
        if (!::GetMessageA(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (::GetCapture() != hWnd) {
            ::DispatchMessageA(&msg);
            break;
        }
        if (msg.message == WM_LBUTTONUP) {
            bDrop = TRUE;
            break;
        }
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)
            break;
        if (msg.message != WM_MOUSEMOVE) {
            ::DispatchMessageA(&msg);
            continue;
        }
        // The point the message was posted at, in the tab window.
        pt = msg.pt;
        ::ScreenToClient(hWnd, &pt);
        if (pClient->m_bGroupMode && !m_rcHeaderRect.IsRectEmpty() && !m_rcHeaderRect.PtInRect(pt)) {
            bOutside = TRUE;
            nMode = pClient->HitDropTarget(pItem, pt, &pTarget, nullptr);
            ::SetCursor(::LoadCursor(nullptr, nMode == dropNone ? IDC_NO : IDC_ARROW));
            continue;
        }
        bOutside = FALSE;
        nMode = dropNone;
        // Inside the row: the tab moves to the place of the tab under the point.
        CXTPTabManagerItem* pOver = HitTest(pt);
        if (pOver && pOver != pItem && IsAllowReorder()) {
            const int nTo = pOver->GetIndex();
            auto it = std::find(m_arrItems.begin(), m_arrItems.end(), pItem);
            if (it != m_arrItems.end()) {
                m_arrItems.erase(it);
                m_arrItems.insert(m_arrItems.begin() + nTo, pItem);
                OnItemsChanged();
            }
        }
    }
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
    const BOOL bAlive = pItem->GetTabManager() == this && FindItem(reinterpret_cast<HWND>(pItem->GetData()));
    if (bAlive)
        OnItemClick(pItem);
    if (bAlive && bDrop && bOutside) {
        if (nMode == dropPopup) {
            CPoint ptScreen = pt;
            ::ClientToScreen(hWnd, &ptScreen);
            pClient->ShowWorkspacePopup(ptScreen);
        } else if (nMode >= dropIntoGroup && pTarget) {
            pClient->MoveItem(pItem, pTarget, nMode);
        }
    }
    if (CXTPTabManager* pGroup = pItem->GetTabManager())
        if (pGroup->GetItemCount() && pItem->GetIndex() >= 0)
            pGroup->EnsureVisible(pItem);
    pItem->InternalRelease();
}

// ---- the tab window ------------------------------------------------------------------------

CXTPTabClientWnd::CXTPTabClientWnd() : m_pPaintManager(new CXTPTabPaintManager())
{
    m_pPaintManager->m_bBoldSelected = TRUE;
}

CXTPTabClientWnd::~CXTPTabClientWnd()
{
    for (CWorkspace* pGroup : m_arrGroups)
        delete pGroup;
    m_arrGroups.clear();
    if (m_pPaintManager)
        m_pPaintManager->InternalRelease();
}

BOOL CXTPTabClientWnd::Attach(CMDIFrameWnd* pFrame, CXTPCommandBars* pCommandBars, BOOL bGroupMode)
{
    m_bGroupMode = bGroupMode;
    if (m_pFrame || !pFrame || !pFrame->m_hWndMDIClient || !SubclassWindow(pFrame->m_hWndMDIClient))
        return FALSE;
    m_pFrame = pFrame;
    m_pCommandBars = pCommandBars;
    UpdateAppearance();
    m_pPaintManager->RefreshMetrics();
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_FRAMECHANGED);
    m_pFrame->RecalcLayout(TRUE);
    UpdateContents();
    return TRUE;
}

void CXTPTabClientWnd::SetPaintManager(CXTPTabPaintManager* pPaintManager)
{
    if (!pPaintManager)
        return;
    if (m_pPaintManager)
        m_pPaintManager->InternalRelease();
    m_pPaintManager = pPaintManager;
    m_pPaintManager->RefreshMetrics();
    m_nCachedTheme = 5;
    m_bAutoTheme = FALSE;
    Refresh(TRUE);
}

void CXTPTabClientWnd::UpdateAppearance()
{
    if (!m_bAutoTheme || !m_pCommandBars || !m_pCommandBars->GetPaintManager())
        return;
    const int nTheme = m_pCommandBars->GetPaintManager()->GetCurrentTheme();
    if (nTheme == m_nCachedTheme)
        return;
    CXTPTabPaintManager* pm = m_pPaintManager;
    pm->m_bStaticFrame = FALSE;
    pm->m_nFrameStyle = xtpTabFrameBorder;
    pm->m_bPerTabColors = FALSE;
    pm->m_bHotTracking = FALSE;
    switch (nTheme) {
    case 0:
        pm->SetAppearance(5);
        pm->m_bStaticFrame = TRUE;
        pm->m_nFrameStyle = xtpTabFrameSingleLine;
        break;
    case 2:
        pm->m_bDisableLunaColors = FALSE;
        pm->m_bPerTabColors = TRUE;
        pm->m_bHotTracking = TRUE;
        pm->SetAppearance(3);
        break;
    case 3:
        pm->SetAppearance(0);
        pm->SetColor(8);
        pm->m_bHotTracking = TRUE;
        break;
    case 4:
        pm->m_bStaticFrame = TRUE;
        pm->m_nFrameStyle = xtpTabFrameSingleLine;
        pm->m_bDisableLunaColors = TRUE;
        pm->SetAppearance(3);
        pm->SetColor(16);
        break;
    default:
        pm->SetAppearance(0);
        break;
    }
    m_nCachedTheme = nTheme;
    Refresh(TRUE);
}

CString CXTPTabClientWnd::GetItemText(CWnd* pChild) const
{
    CString strText;
    if (auto* pFrame = dynamic_cast<CFrameWnd*>(pChild))
        if (CDocument* pDoc = pFrame->GetActiveDocument())
            strText = pDoc->GetTitle();
    if (strText.IsEmpty())
        pChild->GetWindowText(strText);
    return strText;
}

CXTPTabClientWnd::CWorkspace* CXTPTabClientWnd::CreateGroup(int nIndex)
{
    auto* pGroup = new CWorkspace(this);
    if (nIndex < 0 || nIndex > GetGroupCount())
        nIndex = GetGroupCount();
    m_arrGroups.insert(m_arrGroups.begin() + nIndex, pGroup);
    pGroup->SetActive(FALSE);
    pGroup->SetItemMetrics(CSize(70, 18), CSize(0, 0), CSize(220, 0));
    m_bLayoutPending = TRUE;
    if (GetGroupCount() == 1 && m_hWnd)  // the window loses its edge and scroll bars
        SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return pGroup;
}

CXTPTabManagerItem* CXTPTabClientWnd::AddItem(CWnd* pChild)
{
    if (!(pChild->GetExStyle() & WS_EX_MDICHILD))
        return nullptr;
    if (m_arrGroups.empty())
        CreateGroup(-1);
    CWorkspace* pGroup = m_pActiveGroup ? m_pActiveGroup : m_arrGroups.back();
    CXTPTabManagerItem* pItem = pGroup->InsertItem(pGroup->GetItemCount());
    pItem->SetCaption(GetItemText(pChild));
    pGroup->SetSelectedItem(pItem);
    return pItem;
}

CXTPTabClientWnd::CWorkspace* CXTPTabClientWnd::GetGroup(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetGroupCount() ? m_arrGroups[nIndex] : nullptr;
}

int CXTPTabClientWnd::IndexOf(const CWorkspace* pGroup) const
{
    auto it = std::find(m_arrGroups.begin(), m_arrGroups.end(), pGroup);
    return it == m_arrGroups.end() ? -1 : static_cast<int>(it - m_arrGroups.begin());
}

CXTPTabClientWnd::CWorkspace* CXTPTabClientWnd::FindGroupOf(HWND hWnd, CXTPTabManagerItem** ppItem) const
{
    for (CWorkspace* pGroup : m_arrGroups)
        if (CXTPTabManagerItem* pItem = pGroup->FindItem(hWnd)) {
            if (ppItem)
                *ppItem = pItem;
            return pGroup;
        }
    if (ppItem)
        *ppItem = nullptr;
    return nullptr;
}

void CXTPTabClientWnd::SetActiveGroup(CWorkspace* pGroup)
{
    if (m_pActiveGroup == pGroup)
        return;
    if (m_pActiveGroup)
        m_pActiveGroup->SetActive(FALSE);
    m_pActiveGroup = pGroup;
    if (pGroup)
        pGroup->SetActive(TRUE);
}

void CXTPTabClientWnd::UpdateContents()
{
    if (!m_hWnd || !IsWindowVisible() || !m_bShowTabs || m_bLockMouse || !m_pFrame || m_bUpdating)
        return;
    UpdateAppearance();
    m_bUpdating = TRUE;
    m_bLockLayout = TRUE;

    CWnd* pActive = m_pFrame->MDIGetActive();
    const HWND hActive = pActive ? pActive->m_hWnd : nullptr;
    for (CWorkspace* pGroup : m_arrGroups)
        for (int i = 0; i < pGroup->GetItemCount(); i++)
            pGroup->GetItem(i)->m_bFound = FALSE;

    CXTPTabManagerItem* pActiveItem = nullptr;
    CXTPTabManagerItem* pNewItem = nullptr;
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        CXTPTabManagerItem* pItem = nullptr;
        CWorkspace* pGroup = FindGroupOf(hChild, &pItem);
        const BOOL bVisible = (::GetWindowLongA(hChild, GWL_STYLE) & WS_VISIBLE) != 0;
        if (pItem && !bVisible) {
            pGroup->DeleteItem(pItem->GetIndex());
            continue;
        }
        if (pItem) {
            pItem->SetCaption(GetItemText(CWnd::FromHandle(hChild)));
        } else if (bVisible) {
            pItem = AddItem(CWnd::FromHandle(hChild));
            if (pItem) {
                pItem->SetData(reinterpret_cast<DWORD_PTR>(hChild));
                pNewItem = pItem;
                ::SendMessageA(m_pFrame->m_hWnd, kMsgTabClientItemCreated, reinterpret_cast<WPARAM>(pItem), 0);
            }
        }
        if (pItem) {
            pItem->m_bFound = TRUE;
            if (hChild == hActive)
                pActiveItem = pItem;
        }
    }

    for (int g = GetGroupCount() - 1; g >= 0; g--) {
        CWorkspace* pGroup = m_arrGroups[g];
        for (int i = pGroup->GetItemCount() - 1; i >= 0; i--)
            if (!pGroup->GetItem(i)->m_bFound)
                pGroup->DeleteItem(i);
        if (pGroup->GetItemCount() > 0)
            continue;
        // An empty group goes; its share of the area goes to its neighbour.
        if (m_pActiveGroup == pGroup)
            m_pActiveGroup = nullptr;
        if (g > 0)
            m_arrGroups[g - 1]->m_dWeight += pGroup->m_dWeight;
        else if (GetGroupCount() >= 2)
            m_arrGroups[1]->m_dWeight += pGroup->m_dWeight;
        m_arrGroups.erase(m_arrGroups.begin() + g);
        delete pGroup;
        m_bLayoutPending = TRUE;
        if (m_arrGroups.empty())
            SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }

    if (pActiveItem) {
        auto* pGroup = static_cast<CWorkspace*>(pActiveItem->GetTabManager());
        if (pGroup->GetSelectedItem() != pActiveItem)
            pGroup->SetSelectedItem(pActiveItem);
        SetActiveGroup(pGroup);
    }

    m_bLockLayout = FALSE;
    if (m_bLayoutPending) {
        if (::IsWindow(m_pFrame->m_hWnd))
            m_pFrame->RecalcLayout(TRUE);
        if (pNewItem && pNewItem->GetTabManager())
            pNewItem->GetTabManager()->EnsureVisible(pNewItem);
        m_bLayoutPending = FALSE;
    }
    m_bUpdating = FALSE;
}

void CXTPTabClientWnd::Reposition()
{
    if (m_bLockLayout) {
        m_bLayoutPending = TRUE;
        return;
    }
    m_bLayoutPending = FALSE;
    if (m_pFrame && ::IsWindow(m_pFrame->m_hWnd))
        m_pFrame->RecalcLayout(TRUE);
}

void CXTPTabClientWnd::Refresh(BOOL bRecalcFrame)
{
    if (!m_pFrame || m_bRefreshing)
        return;
    m_bRefreshing = TRUE;
    m_nRefreshCount++;
    UpdateContents();
    if (!m_arrGroups.empty() && m_hWnd) {
        CPoint pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        for (CWorkspace* pGroup : m_arrGroups)
            pGroup->OnMouseMove(m_hWnd, pt);
    }
    if (bRecalcFrame && m_pCommandBars)
        m_pCommandBars->RecalcFrameLayout(FALSE);
    else if (bRecalcFrame && ::IsWindow(m_pFrame->m_hWnd))
        m_pFrame->RecalcLayout(TRUE);
    m_bRefreshing = FALSE;
}

CXTPTabManagerItem* CXTPTabClientWnd::HitTest(CPoint point) const
{
    if (!m_bShowTabs)
        return nullptr;
    for (CWorkspace* pGroup : m_arrGroups)
        if (CXTPTabManagerItem* pItem = pGroup->HitTest(point))
            return pItem;
    return nullptr;
}

void CXTPTabClientWnd::TabClientToScreen(CPoint* pPoint) const
{
    if (m_hWnd && !m_arrGroups.empty())
        ::ClientToScreen(m_hWnd, pPoint);
}

void CXTPTabClientWnd::TabClientToClient(CPoint* pPoint) const
{
    if (m_hWnd && !m_arrGroups.empty())
        ::ScreenToClient(m_hWnd, pPoint);
}

// ---- layout and painting -------------------------------------------------------------------

void CXTPTabClientWnd::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType)
{
    if (m_arrGroups.empty() || !m_bShowTabs || !m_bGroupMode) {
        if (m_hWnd)
            Invalidate(FALSE);
        CWnd::CalcWindowRect(lpClientRect, nAdjustType);
        return;
    }
    // The groups are laid out in the tab window's own client coordinates.
    LayoutGroups(CRect(0, 0, lpClientRect->right - lpClientRect->left, lpClientRect->bottom - lpClientRect->top));
    Invalidate(FALSE);
    CWnd::CalcWindowRect(lpClientRect, nAdjustType);
}

void CXTPTabClientWnd::LayoutGroups(CRect rcClient)
{
    double dTotal = 0;
    for (CWorkspace* pGroup : m_arrGroups)
        dTotal += pGroup->m_dWeight;
    if (dTotal <= 0)
        dTotal = 1;
    const int nAvail = m_bHorizSplitting ? rcClient.Height() : rcClient.Width();
    const int nStart = m_bHorizSplitting ? rcClient.top : rcClient.left;
    CClientDC dc(this);
    double dSum = 0;
    int nPos = nStart;
    for (int g = 0; g < GetGroupCount(); g++) {
        CWorkspace* pGroup = m_arrGroups[g];
        dSum += pGroup->m_dWeight;
        CRect rc = rcClient;
        const BOOL bLast = g == GetGroupCount() - 1;
        const int nEnd = bLast ? nStart + nAvail : nStart + static_cast<int>(nAvail * dSum / dTotal);
        const int nAreaEnd = bLast ? nEnd : nEnd - kSplitterSize;
        if (m_bHorizSplitting) {
            rc.top = nPos;
            rc.bottom = nAreaEnd;
            pGroup->m_rcSplitter = bLast ? CRect() : CRect(rcClient.left, nAreaEnd, rcClient.right, nEnd);
        } else {
            rc.left = nPos;
            rc.right = nAreaEnd;
            pGroup->m_rcSplitter = bLast ? CRect() : CRect(nAreaEnd, rcClient.top, nEnd, rcClient.bottom);
        }
        nPos = nEnd;
        m_pPaintManager->RepositionTabControl(pGroup, &dc, rc);
        CRect rcPage = rc;
        m_pPaintManager->AdjustClientRect(pGroup, rcPage);
        for (int i = 0; i < pGroup->GetItemCount(); i++) {
            const HWND hChild = reinterpret_cast<HWND>(pGroup->GetItem(i)->GetData());
            if (::IsWindow(hChild))
                ::MoveWindow(hChild, rcPage.left, rcPage.top, std::max(0, rcPage.Width()),
                             std::max(0, rcPage.Height()), TRUE);
        }
    }
}

void CXTPTabClientWnd::OnPaint()
{
    CPaintDC paint(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    CXTPBufferDC dc(paint.GetSafeHdc(), rcClient);
    COLORREF clrBack = ::GetSysColor(COLOR_APPWORKSPACE);
    if (m_pCommandBars && m_pCommandBars->GetPaintManager())
        clrBack = m_pCommandBars->GetPaintManager()->GetColor(12);
    dc.FillSolidRect(rcClient, clrBack);
    CXTPTabAppearance* pAppearance = m_pPaintManager->GetAppearanceSet();
    for (CWorkspace* pGroup : m_arrGroups) {
        m_pPaintManager->DrawTabControl(pGroup, &dc, pGroup->m_rcControl);
        if (!pGroup->m_rcSplitter.IsRectEmpty() && pAppearance) {
            CRect rc = pGroup->m_rcSplitter;
            pAppearance->DrawWorkspacePart(&dc, &rc, m_bHorizSplitting ? 3 : 2);
        }
    }
}

// ---- mouse ---------------------------------------------------------------------------------

BOOL CXTPTabClientWnd::PreTranslateMessage(MSG* pMsg)
{
    if (m_bGroupMode && pMsg->hwnd == m_hWnd && m_pFrame) {
        switch (pMsg->message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
            if (::SendMessageA(m_pFrame->m_hWnd, kMsgTabClientMouse, pMsg->message, pMsg->lParam))
                return TRUE;
            break;
        default:
            break;
        }
    }
    return CWnd::PreTranslateMessage(pMsg);
}

BOOL CXTPTabClientWnd::OnMouseDown(UINT, CPoint point)
{
    m_bLockMouse = TRUE;
    m_bButtonPressed = TRUE;
    for (int g = 0; g < GetGroupCount(); g++) {
        CWorkspace* pGroup = m_arrGroups[g];
        if (g < GetGroupCount() - 1 && pGroup->m_rcSplitter.PtInRect(point)) {
            TrackSplitter(g, point);
            return TRUE;
        }
        if (pGroup->m_rcControl.PtInRect(point)) {
            pGroup->OnLButtonDown(m_hWnd, point);
            return TRUE;
        }
    }
    return FALSE;
}

void CXTPTabClientWnd::TrackSplitter(int nGroup, CPoint point)
{
    CWorkspace* pFirst = m_arrGroups[nGroup];
    CWorkspace* pSecond = m_arrGroups[nGroup + 1];
    CRect rcUnion;
    rcUnion.UnionRect(&pFirst->m_rcControl, &pSecond->m_rcControl);
    CRect rcAvail = rcUnion, rcTracker = pFirst->m_rcSplitter;
    ClientToScreen(&rcAvail);
    ClientToScreen(&rcTracker);
    CXTPSplitterTracker tracker;
    if (!tracker.Track(this, rcAvail, rcTracker, point, !m_bHorizSplitting))
        return;
    ScreenToClient(&rcTracker);
    const double dTotal = pFirst->m_dWeight + pSecond->m_dWeight;
    const int nStart = m_bHorizSplitting ? rcUnion.top : rcUnion.left;
    const int nExtent = m_bHorizSplitting ? rcUnion.Height() : rcUnion.Width();
    const int nSplitter = m_bHorizSplitting ? rcTracker.top : rcTracker.left;
    if (nExtent <= 0)
        return;
    pFirst->m_dWeight = double(nSplitter - nStart + 2) / nExtent * dTotal;
    pSecond->m_dWeight = dTotal - pFirst->m_dWeight;
    m_pFrame->RecalcLayout(TRUE);
}

// ---- drags and moves -----------------------------------------------------------------------

int CXTPTabClientWnd::HitDropTarget(CXTPTabManagerItem* pItem, CPoint point, CWorkspace** ppTarget,
                                    CRect* pFeedback) const
{
    *ppTarget = nullptr;
    CRect rcClient;
    GetClientRect(&rcClient);
    if (!rcClient.PtInRect(point))
        return dropNone;
    const BOOL bOne = GetGroupCount() == 1;
    for (CWorkspace* pGroup : m_arrGroups) {
        const BOOL bSplittable = !(pItem->GetTabManager() == pGroup && pGroup->GetItemCount() < 2);
        const CRect& rc = pGroup->m_rcControl;
        CRect rcFeedback;
        int nMode = dropNone;
        if (pGroup->m_rcHeaderRect.PtInRect(point)) {
            nMode = dropIntoGroup;
            rcFeedback = pGroup->m_rcClient;
        } else if ((bOne || m_bHorizSplitting) && bSplittable && rc.bottom - point.y > 0 && rc.bottom - point.y < kSplitZone &&
                   rc.left <= point.x && point.x < rc.right) {
            nMode = dropNewHorizontal;
            rcFeedback = CRect(rc.left, rc.CenterPoint().y, rc.right, rc.bottom);
        } else if ((bOne || !m_bHorizSplitting) && bSplittable && rc.right - point.x > 0 && rc.right - point.x < kSplitZone &&
                   rc.top <= point.y && point.y < rc.bottom) {
            nMode = dropNewVertical;
            rcFeedback = CRect(rc.CenterPoint().x, rc.top, rc.right, rc.bottom);
        }
        if (nMode != dropNone) {
            *ppTarget = pGroup;
            if (pFeedback)
                *pFeedback = rcFeedback;
            return nMode;
        }
    }
    return dropPopup;
}

void CXTPTabClientWnd::MoveItem(CXTPTabManagerItem* pItem, CWorkspace* pTarget, int nDropMode)
{
    auto* pSource = pItem ? static_cast<CWorkspace*>(pItem->GetTabManager()) : nullptr;
    if (!pSource || IndexOf(pTarget) < 0 || nDropMode < dropIntoGroup || nDropMode > dropNewVertical)
        return;
    m_bLockLayout = TRUE;
    m_bLockMouse = TRUE;
    if (nDropMode != dropIntoGroup) {
        CWorkspace* pNew = CreateGroup(IndexOf(pTarget) + 1);
        pTarget->m_dWeight /= 2;
        pNew->m_dWeight = pTarget->m_dWeight;
        m_bHorizSplitting = nDropMode == dropNewHorizontal;
        pTarget = pNew;
    }
    const COLORREF clr = pItem->GetStoredColor();
    pItem->InternalAddRef();
    pSource->DeleteItem(pItem->GetIndex());
    pTarget->InsertItem(pTarget->GetItemCount(), pItem);
    pItem->SetColor(clr);
    pTarget->SetSelectedItem(pItem);
    m_bLockLayout = FALSE;
    m_bLockMouse = FALSE;
    m_bLayoutPending = TRUE;
    UpdateContents();
}

void CXTPTabClientWnd::ShowWorkspacePopup(CPoint ptScreen)
{
    if (!m_pCommandBars)
        return;
    CXTPPopupBar* pPopup = CXTPPopupBar::CreatePopupBar(m_pCommandBars);
    pPopup->GetControls()->AddControl(new CXTPControlWorkspaceActions(), XTP_ID_WORKSPACE_ACTIONS);
    CXTPControl* pCancel = pPopup->GetControls()->Add(xtpControlButton, kCancel);
    pCancel->SetBeginGroup(TRUE);
    pCancel->SetFlags(pCancel->GetFlags() | 8);
    CXTPCommandBars::TrackPopupBar(pPopup, 0, ptScreen.x, ptScreen.y, m_pFrame);
    pPopup->InternalRelease();
}

// ---- group commands ------------------------------------------------------------------------

BOOL CXTPTabClientWnd::IsGroupCommandEnabled(UINT nID, CXTPTabManagerItem** ppItem) const
{
    if (ppItem)
        *ppItem = nullptr;
    CWnd* pActive = m_bGroupMode && m_pFrame ? m_pFrame->MDIGetActive() : nullptr;
    if (!pActive)
        return FALSE;
    CXTPTabManagerItem* pItem = nullptr;
    CWorkspace* pGroup = FindGroupOf(pActive->m_hWnd, &pItem);
    if (!pGroup)
        return FALSE;
    if (ppItem)
        *ppItem = pItem;
    const int nIndex = IndexOf(pGroup);
    const BOOL bOne = GetGroupCount() == 1;
    switch (nID) {
    case kMoveToPrevious:
        return nIndex > 0;
    case kMoveToNext:
        return nIndex < GetGroupCount() - 1;
    case kNewHorizontal:
        return (bOne || m_bHorizSplitting) && pGroup->GetItemCount() > 1;
    case kNewVertical:
        return (bOne || !m_bHorizSplitting) && pGroup->GetItemCount() > 1;
    default:
        return TRUE;
    }
}

BOOL CXTPTabClientWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (nID < kMoveToPrevious || nID > kNewVertical)
        return CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    if (nCode == CN_UPDATE_COMMAND_UI) {
        if (auto* pCmdUI = static_cast<CCmdUI*>(pExtra))
            pCmdUI->Enable(IsGroupCommandEnabled(nID));
        return TRUE;
    }
    if (nCode != CN_COMMAND)
        return FALSE;
    if (!pHandlerInfo)
        RunGroupCommand(nID);
    return TRUE;
}

BOOL CXTPTabClientWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT nID = LOWORD(wParam);
    if (nID < kMoveToPrevious || nID > kNewVertical)
        return CWnd::OnCommand(wParam, lParam);
    RunGroupCommand(nID);
    return TRUE;
}

void CXTPTabClientWnd::RunGroupCommand(UINT nID)
{
    CXTPTabManagerItem* pItem = nullptr;
    if (!IsGroupCommandEnabled(nID, &pItem) || !pItem)
        return;
    const int nIndex = IndexOf(static_cast<CWorkspace*>(pItem->GetTabManager()));
    switch (nID) {
    case kMoveToPrevious:
        MoveItem(pItem, GetGroup(nIndex - 1), dropIntoGroup);
        break;
    case kMoveToNext:
        MoveItem(pItem, GetGroup(nIndex + 1), dropIntoGroup);
        break;
    case kNewHorizontal:
        MoveItem(pItem, GetGroup(nIndex), dropNewHorizontal);
        break;
    default:
        MoveItem(pItem, GetGroup(nIndex), dropNewVertical);
        break;
    }
}

// ---- messages of the MDI client ------------------------------------------------------------

LRESULT CXTPTabClientWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MDIACTIVATE:
    case WM_MDIDESTROY: {
        const LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
        UpdateContents();
        return lResult;
    }
    case WM_MDICREATE: {
        const LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
        const HWND hChild = reinterpret_cast<HWND>(lResult);
        if (m_bGroupMode && ::IsWindow(hChild)) {
            // The tab row stands in for the child's caption and frame.
            ::SetWindowLongA(hChild, GWL_STYLE,
                             ::GetWindowLongA(hChild, GWL_STYLE) & ~(WS_CAPTION | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
            ::SetWindowLongA(hChild, GWL_EXSTYLE, ::GetWindowLongA(hChild, GWL_EXSTYLE) & ~WS_EX_CLIENTEDGE);
            ::SetWindowPos(hChild, nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        }
        UpdateContents();
        return lResult;
    }
    case WM_SIZE: {
        const LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
        m_bLayoutPending = TRUE;
        UpdateContents();
        return lResult;
    }
    case kIdleUpdateCmdUI:
        if (m_bButtonPressed) {
            m_bButtonPressed = FALSE;
            m_bLockMouse = FALSE;
        }
        UpdateContents();
        return 0;
    case WM_SYSCOLORCHANGE: {
        const LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
        m_pPaintManager->RefreshMetrics();
        Refresh(TRUE);
        return lResult;
    }
    case WM_PAINT:
        if (m_bGroupMode && !m_arrGroups.empty()) {
            OnPaint();
            return 0;
        }
        break;
    case WM_NCCALCSIZE:
        // The tab groups draw the whole window: no edge, no scroll bars take room.
        if (m_bGroupMode && !m_arrGroups.empty())
            return 0;
        break;
    case WM_NCPAINT:
        if (m_bGroupMode && !m_arrGroups.empty())
            return 0;
        break;
    case WM_ERASEBKGND:
        if (m_bGroupMode && !m_arrGroups.empty())
            return TRUE;
        break;
    case WM_SETCURSOR:
        if (m_bGroupMode && LOWORD(lParam) == HTCLIENT) {
            CPoint pt;
            ::GetCursorPos(&pt);
            ScreenToClient(&pt);
            for (CWorkspace* pGroup : m_arrGroups)
                if (pGroup->m_rcSplitter.PtInRect(pt)) {
                    ::SetCursor(::LoadCursor(nullptr, m_bHorizSplitting ? IDC_SIZENS : IDC_SIZEWE));
                    return TRUE;
                }
        }
        break;
    case WM_MOUSEMOVE:
        if (m_bGroupMode) {
            const CPoint pt(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
            for (CWorkspace* pGroup : m_arrGroups)
                pGroup->OnMouseMove(m_hWnd, pt);
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (m_bGroupMode &&
            OnMouseDown(message, CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)))))
            return 0;
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
