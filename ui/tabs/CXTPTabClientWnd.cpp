// The MDI tab window: synchronisation of tabs with the MDI children, tab groups, their layout
// with splitters, painting, mouse presses, tab drags between groups and the group commands.
#include "CXTPTabClientWnd.h"

#include <algorithm>

#include "CCmdUI.h"
#include "CImageList.h"
#include "CDocument.h"
#include "CFrameWnd.h"
#include "CMDIChildWnd.h"
#include "CMDIFrameWnd.h"
#include "COleDropTarget.h"
#include "CXTPBufferDC.h"
#include "CXTPCommandBars.h"
#include "CXTPControlExpandingList.h"
#include "CXTPControls.h"
#include "CXTPHookManager.h"
#include "CXTPImageManager.h"
#include "CXTPPaintManager.h"
#include "CXTPPopupBar.h"
#include "CXTPSplitterTracker.h"
#include "CXTPTabAppearance.h"
#include "CXTPTabManagerItem.h"
#include "CXTPTabManagerNavigateButton.h"
#include "CXTPTabPaintManager.h"
#include "CXTPTrackingLoop.h"
#include "ResourceIds.h"
#include "XTPResourceHandles.h"

IMPLEMENT_DYNAMIC(CXTPTabClientWnd, CWnd)

namespace {

constexpr int kSplitterSize = 5;
constexpr int kSplitZone = 30;  // a drop this close to a group's bottom or right edge splits it
constexpr UINT kMoveToPrevious = XTP_ID_TABGROUP_MOVE_PREVIOUS, kMoveToNext = XTP_ID_TABGROUP_MOVE_NEXT;
constexpr UINT kNewHorizontal = XTP_ID_TABGROUP_NEW_HORIZONTAL, kNewVertical = XTP_ID_TABGROUP_NEW_VERTICAL;
constexpr UINT kCancel = XTP_ID_TABGROUP_CANCEL;
constexpr UINT kIdleUpdateCmdUI = 0x0363;
constexpr UINT kIdCursorDrag = XTP_IDC_TABGROUP_DRAG, kIdCursorNoDrop = XTP_IDC_TABGROUP_NODROP;
constexpr UINT kIdCursorVertSplit = XT_IDC_SPLITH, kIdCursorHorizSplit = XT_IDC_SPLITV;
constexpr UINT kIdTabGroupImages = XTP_IDB_TAB_GROUPS;

HCURSOR LoadLibraryCursor(UINT nID, LPCSTR lpszFallback)
{
    HCURSOR hCursor = ::LoadCursorA(XTPGetResourceHandle(), MAKEINTRESOURCEA(nID));
    return hCursor ? hCursor : ::LoadCursorA(nullptr, lpszFallback);
}

// Text a child hands over by pointer for one of the tab messages; empty for none.
CString AskChildText(HWND hWnd, UINT message, WPARAM wParam)
{
    const auto* psz = reinterpret_cast<const char*>(::SendMessageA(hWnd, message, wParam, 0));
    return psz ? CString(psz) : CString();
}

// Activates the tab under an OLE drag; never takes the data.
class TabDropTarget : public COleDropTarget {
public:
    explicit TabDropTarget(CXTPTabClientWnd* pTabClient) : m_pTabClient(pTabClient) {}
    DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject*, DWORD, CPoint point) override
    {
        m_pTabClient->OnDataDraggedOver(pWnd ? pWnd->m_hWnd : nullptr, point);
        return DROPEFFECT_NONE;
    }
    DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject*, DWORD, CPoint point) override
    {
        m_pTabClient->OnDataDraggedOver(pWnd ? pWnd->m_hWnd : nullptr, point);
        return DROPEFFECT_NONE;
    }
    BOOL OnDrop(CWnd*, COleDataObject*, DROPEFFECT, CPoint) override { return FALSE; }

private:
    CXTPTabClientWnd* m_pTabClient;
};

}  // namespace

// A tab group of single-strip mode: a child window of the frame over the MDI area.
class CXTPTabClientWnd::CWorkspaceWnd : public CWnd, public CXTPTabClientWnd::CWorkspace {
public:
    explicit CWorkspaceWnd(CXTPTabClientWnd* pTabClient) : CWorkspace(pTabClient) {}
    ~CWorkspaceWnd() override
    {
        if (m_hWnd) {
            m_pTabClient->m_pDropTarget->Revoke();  // the strip's window holds the registration
            DestroyWindow();
        }
    }
    CWnd* GetGroupWnd() override { return this; }
    void Reposition() override { CWorkspace::Reposition(); }

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        // Presses go to the frame first, as those on the tab window do.
        switch (pMsg->message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
            if (pMsg->hwnd == m_hWnd && GetParent() &&
                ::SendMessageA(GetParent()->m_hWnd, kMsgTabClientMouse, pMsg->message, pMsg->lParam))
                return TRUE;
            break;
        default:
            break;
        }
        return CWnd::PreTranslateMessage(pMsg);
    }
    INT_PTR OnToolHitTest(POINT point, TOOLINFOA_T* pTI) const override
    {
        if (XTPHookManager()->GetTrackedCount() > 0)
            return -1;
        return CWorkspace::OnToolHitTest(m_hWnd, point, pTI);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        const CPoint pt(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        switch (message) {
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_ERASEBKGND:
            return TRUE;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            m_pTabClient->m_bLockMouse = TRUE;
            m_pTabClient->m_bButtonPressed = TRUE;
            CWorkspace::OnLButtonDown(m_hWnd, pt);
            return 0;
        case WM_RBUTTONDOWN:
            return 0;
        case WM_MOUSEMOVE:
            CWorkspace::OnMouseMove(m_hWnd, pt);
            break;
        case WM_MOUSELEAVE:
            CWorkspace::OnMouseMove(m_hWnd, CPoint(-1, -1));
            break;
        default:
            break;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

private:
    void OnPaint()
    {
        CPaintDC paint(this);
        CRect rcClient;
        GetClientRect(&rcClient);
        // The MDI area shows through: only the strip and the frame around it are drawn here.
        CRect rcMdi;
        ::GetWindowRect(m_pTabClient->m_hWnd, &rcMdi);
        ScreenToClient(&rcMdi);
        ::ExcludeClipRect(paint.GetSafeHdc(), rcMdi.left, rcMdi.top, rcMdi.right, rcMdi.bottom);
        CXTPBufferDC dc(paint.GetSafeHdc(), rcClient);
        GetPaintManager()->DrawTabControl(this, &dc, rcClient);
    }
};

// ---- one tab group -------------------------------------------------------------------------

void CXTPTabClientWnd::CWorkspace::Reposition() { m_pTabClient->Reposition(); }

COLORREF CXTPTabClientWnd::CWorkspace::GetItemColor(const CXTPTabManagerItem* pItem) const
{
    m_pTabClient->GetItemColor(pItem);
    return CXTPTabManager::GetItemColor(pItem);
}

CString CXTPTabClientWnd::CWorkspace::GetItemTooltip(const CXTPTabManagerItem* pItem) const
{
    CString strTip = CXTPTabManager::GetItemTooltip(pItem);
    const HWND hWnd = reinterpret_cast<HWND>(pItem->GetData());
    if (strTip.IsEmpty() && ::IsWindow(hWnd) && (::GetWindowLongA(hWnd, GWL_EXSTYLE) & WS_EX_MDICHILD)) {
        strTip = AskChildText(hWnd, kMsgTabClientGetToolTip, reinterpret_cast<WPARAM>(pItem));
        if (strTip.IsEmpty())
            if (auto* pFrame = dynamic_cast<CFrameWnd*>(CWnd::FromHandlePermanent(hWnd)))
                if (CDocument* pDoc = pFrame->GetActiveDocument())
                    strTip = pDoc->GetPathName();
    }
    return strTip.IsEmpty() ? pItem->GetCaption() : strTip;
}

BOOL CXTPTabClientWnd::CWorkspace::IsDrawStaticFrame() const
{
    return GetPaintManager()->m_bStaticFrame && !m_pTabClient->m_bGroupMode;
}

BOOL CXTPTabClientWnd::CWorkspace::IsMouseLocked() const
{
    // A menu of the command bars is open: the tabs stay still under it.
    CXTPHookManager* pHooks = XTPHookManager();
    for (int i = 0; i < pHooks->GetTrackedCount(); i++)
        if (!pHooks->GetTrackedAt(i))
            return FALSE;
    return pHooks->GetTrackedCount() > 0;
}

HWND CXTPTabClientWnd::CWorkspace::GetOwnerHwnd()
{
    CWnd* pWnd = GetGroupWnd();
    return pWnd ? pWnd->m_hWnd : m_pTabClient->m_hWnd;
}

void CXTPTabClientWnd::CWorkspace::SetSelectedItem(CXTPTabManagerItem* pItem)
{
    m_hWndSelected = pItem ? reinterpret_cast<HWND>(pItem->GetData()) : nullptr;
    CXTPTabManager::SetSelectedItem(pItem);
}

CXTPTabPaintManager* CXTPTabClientWnd::CWorkspace::GetPaintManager() const { return m_pTabClient->m_pPaintManager; }

void CXTPTabClientWnd::CWorkspace::RedrawControl()
{
    const HWND hWnd = GetOwnerHwnd();
    if (!m_pTabClient->m_bLockLayout && hWnd)
        ::InvalidateRect(hWnd, nullptr, FALSE);
}

BOOL CXTPTabClientWnd::CWorkspace::IsAllowReorder() const { return m_pTabClient->m_bAllowReorder; }

BOOL CXTPTabClientWnd::CWorkspace::DrawIcon(CDC* pDC, CPoint pt, CXTPTabManagerItem* pItem, BOOL bDraw,
                                           CSize& szIcon) const
{
    if (!GetPaintManager()->m_bShowIcons)
        return FALSE;
    if (!bDraw)
        return TRUE;
    if (HICON hIcon = m_pTabClient->GetItemIcon(pItem))
        ::DrawIconEx(pDC->GetSafeHdc(), pt.x, pt.y, hIcon, szIcon.cx, szIcon.cy, 0, nullptr, DI_NORMAL);
    return TRUE;
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
    // The pressed group is the active one from the press on; the layout follows once.
    pClient->m_bLockLayout = TRUE;
    pClient->SetActiveGroup(this);
    pClient->m_bLockLayout = FALSE;
    Reposition();
    std::vector<CRect> rects;
    for (CXTPTabManagerItem* p : m_arrItems)
        rects.push_back(p->GetRect());

    BOOL bOutside = FALSE;
    int nMode = dropNone;
    CWorkspace* pTarget = nullptr;
    CPoint pt = point;
    // Keys pressed while a tab is dragged do not reach the window with the focus.
    const BOOL bDrop = CXTPTrackingLoop().CancelOnCancelMode().HoldKeys().Run(hWnd, [&](const MSG& msg) {
        if (msg.message != WM_MOUSEMOVE)
            return CXTPTrackingLoop::kDefault;
        // The point the message was posted at, in the tab window.
        pt = msg.pt;
        ::ScreenToClient(hWnd, &pt);
        if (pClient->m_bGroupMode && !m_rcHeaderRect.IsRectEmpty() && !m_rcHeaderRect.PtInRect(pt)) {
            if (!bOutside)
                pClient->BeginDragFeedback();
            bOutside = TRUE;
            CRect rcFeedback;
            nMode = pClient->HitDropTarget(pItem, pt, &pTarget, &rcFeedback);
            ::SetCursor(nMode == dropNone ? pClient->m_hCursorNoDrop : pClient->m_hCursorDrag);
            if (nMode < dropIntoGroup)
                rcFeedback.SetRectEmpty();
            else
                ::MapWindowPoints(hWnd, nullptr, reinterpret_cast<POINT*>(&rcFeedback), 2);
            pClient->DrawDragFeedback(rcFeedback);
            return CXTPTrackingLoop::kNext;
        }
        if (bOutside) {
            pClient->EndDragFeedback();
            ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
        }
        bOutside = FALSE;
        nMode = dropNone;
        // Inside the row: the tab moves to the place under the point, found in the places of
        // the start, so that tabs of other lengths do not swap back at the next move.
        auto it = std::find(m_arrItems.begin(), m_arrItems.end(), pItem);
        if (it == m_arrItems.end() || !IsAllowReorder())
            return CXTPTrackingLoop::kNext;
        const int nCurrent = static_cast<int>(it - m_arrItems.begin());
        for (int i = 0; i < static_cast<int>(rects.size()) && i < GetItemCount(); i++) {
            if (i == nCurrent || !rects[i].PtInRect(pt))
                continue;
            m_arrItems.erase(it);
            m_arrItems.insert(m_arrItems.begin() + i, pItem);
            OnItemsChanged();
            break;
        }
        return CXTPTrackingLoop::kNext;
    }) == CXTPTrackingLoop::kReleased;
    pClient->EndDragFeedback();  // on every way out of the loop
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

CXTPTabClientWnd::CXTPTabClientWnd()
    : m_hCursorHorizSplit(LoadLibraryCursor(kIdCursorHorizSplit, IDC_SIZENS)),
      m_hCursorVertSplit(LoadLibraryCursor(kIdCursorVertSplit, IDC_SIZEWE)),
      m_hCursorDrag(LoadLibraryCursor(kIdCursorDrag, IDC_ARROW)),
      m_hCursorNoDrop(LoadLibraryCursor(kIdCursorNoDrop, IDC_NO)),
      m_pDropTarget(new TabDropTarget(this))
{
    TakePaintManager(new CXTPTabPaintManager());
    m_pPaintManager->m_bBoldSelected = TRUE;
    // The pictures of the two commands that open a new group.
    CImageList images;
    if (images.Create(kIdTabGroupImages, 16, 0, RGB(0, 255, 0))) {
        const UINT ids[] = {kNewHorizontal, kNewVertical};
        XTPImageManager()->SetIconsFromImageList(images.GetSafeHandle(), ids, 2, CSize(16, 16), 0);
    }
}

CXTPTabClientWnd::~CXTPTabClientWnd()
{
    EndDragFeedback();
    for (CWorkspace* pGroup : m_arrGroups)
        delete pGroup;
    m_arrGroups.clear();
    TakePaintManager(nullptr);
    delete m_pDropTarget;
}

void CXTPTabClientWnd::TakePaintManager(CXTPTabPaintManager* pPaintManager)
{
    if (m_pPaintManager) {
        m_pPaintManager->RemoveObserver(this);
        m_pPaintManager->InternalRelease();
    }
    m_pPaintManager = pPaintManager;
    if (m_pPaintManager)
        m_pPaintManager->AddObserver(this);
}

void CXTPTabClientWnd::EnableTabToolTips(BOOL bEnable)
{
    m_bToolTips = bEnable;
    if (m_bGroupMode && m_hWnd)
        EnableToolTips(bEnable);
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
    TakePaintManager(pPaintManager);
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
    CString strText = AskChildText(pChild->m_hWnd, kMsgTabClientGetText, 0);
    if (strText.IsEmpty())
        if (auto* pFrame = dynamic_cast<CFrameWnd*>(pChild))
        if (CDocument* pDoc = pFrame->GetActiveDocument())
                strText = pDoc->GetTitle();
    if (strText.IsEmpty())
        pChild->GetWindowText(strText);
    return strText;
}

COLORREF CXTPTabClientWnd::GetItemColor(const CXTPTabManagerItem* pItem) const
{
    const HWND hWnd = reinterpret_cast<HWND>(pItem->GetData());
    const COLORREF clr = ::IsWindow(hWnd) ? COLORREF(::SendMessageA(hWnd, kMsgTabClientGetColor, 0, 0)) : 0;
    // Stored only when it changed: storing redraws the tabs, and this runs while they paint.
    if (clr != 0 && clr != pItem->GetStoredColor())
        const_cast<CXTPTabManagerItem*>(pItem)->SetColor(clr);
    return clr;
}

HICON CXTPTabClientWnd::GetItemIcon(const CXTPTabManagerItem* pItem) const
{
    const HWND hWnd = reinterpret_cast<HWND>(pItem->GetData());
    if (!::IsWindow(hWnd))
        return ::LoadIconA(nullptr, IDI_WINLOGO);
    HICON hIcon = reinterpret_cast<HICON>(::SendMessageA(hWnd, kMsgTabClientGetIcon, 0, 0));
    if (!hIcon)
        hIcon = reinterpret_cast<HICON>(::GetClassLongPtrA(hWnd, GCLP_HICONSM));
    if (!hIcon)
        hIcon = reinterpret_cast<HICON>(::SendMessageA(hWnd, WM_GETICON, ICON_SMALL, 0));
    if (!hIcon)
        hIcon = reinterpret_cast<HICON>(::GetClassLongPtrA(hWnd, GCLP_HICON));
    if (!hIcon)
        hIcon = reinterpret_cast<HICON>(::SendMessageA(hWnd, WM_GETICON, ICON_BIG, 0));
    return hIcon ? hIcon : ::LoadIconA(nullptr, IDI_WINLOGO);
}

CXTPTabClientWnd::CWorkspace* CXTPTabClientWnd::CreateGroup(int nIndex)
{
    m_pDropTarget->Revoke();
    CWorkspace* pGroup = nullptr;
    if (m_bGroupMode) {
        pGroup = new CWorkspace(this);
        if (m_hWnd)
            m_pDropTarget->Register(this);
    } else {
        auto* pWnd = new CWorkspaceWnd(this);
        const char* lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW));
        if (m_pFrame)
            pWnd->CreateEx(0, lpszClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, CRect(),
                           m_pFrame, 0);
        if (pWnd->m_hWnd) {
            // Under the MDI client, which shows through the strip's page area.
            ::SetWindowPos(pWnd->m_hWnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            pWnd->EnableToolTips(m_bToolTips);
            m_pDropTarget->Register(pWnd);
        }
        pGroup = pWnd;
    }
    if (nIndex < 0 || nIndex > GetGroupCount())
        nIndex = GetGroupCount();
    m_arrGroups.insert(m_arrGroups.begin() + nIndex, pGroup);
    pGroup->SetActive(FALSE);
    pGroup->SetItemMetrics(CSize(70, 18), CSize(0, 0), CSize(220, 0));
    const auto nArrows = (m_dwNavigationFlags & 1) ? xtpTabNavigateButtonAutomatic : xtpTabNavigateButtonAlways;
    const auto nClose = (m_dwNavigationFlags & 2) ? xtpTabNavigateButtonNone : xtpTabNavigateButtonAlways;
    for (int nId : {xtpTabNavigateButtonLeft, xtpTabNavigateButtonRight, xtpTabNavigateButtonClose})
        if (CXTPTabManagerNavigateButton* pButton = pGroup->FindNavigateButton(nId))
            pButton->SetFlags(nId == xtpTabNavigateButtonClose ? nClose : nArrows);
    m_bLayoutPending = TRUE;
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
        const HWND hWnd = m_bGroupMode ? m_hWnd : m_arrGroups[0]->GetOwnerHwnd();
        CPoint pt;
        ::GetCursorPos(&pt);
        ::ScreenToClient(hWnd, &pt);
        if (m_bGroupMode)
            for (CWorkspace* pGroup : m_arrGroups)
                pGroup->OnMouseMove(hWnd, pt);
        else
            m_arrGroups[0]->OnMouseMove(hWnd, pt);
    }
    // A new look may keep other room around the groups: the frame is measured again first.
    if (bRecalcFrame && m_bGroupMode && m_hWnd)
        SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
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
        ::ClientToScreen(m_arrGroups[0]->GetOwnerHwnd(), pPoint);
}

void CXTPTabClientWnd::TabClientToClient(CPoint* pPoint) const
{
    if (m_hWnd && !m_arrGroups.empty())
        ::ScreenToClient(m_arrGroups[0]->GetOwnerHwnd(), pPoint);
}

INT_PTR CXTPTabClientWnd::OnToolHitTest(POINT point, TOOLINFOA_T* pTI) const
{
    if (XTPHookManager()->GetTrackedCount() > 0)
        return -1;
    for (CWorkspace* pGroup : m_arrGroups)
        if (pGroup->HitTest(point))
            return pGroup->OnToolHitTest(m_hWnd, point, pTI);
    return -1;
}

void CXTPTabClientWnd::OnDataDraggedOver(HWND hWnd, CPoint point)
{
    for (CWorkspace* pGroup : m_arrGroups) {
        if (pGroup->GetOwnerHwnd() != hWnd)
            continue;
        CXTPTabManagerItem* pItem = pGroup->HitTest(point);
        if (pItem && pGroup->GetSelectedItem() != pItem) {
            pGroup->OnItemClick(pItem);
            return;
        }
    }
}

// ---- layout and painting -------------------------------------------------------------------

void CXTPTabClientWnd::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType)
{
    if (m_arrGroups.empty() || !m_bShowTabs) {
        if (m_hWnd)
            Invalidate(FALSE);
        CWnd::CalcWindowRect(lpClientRect, nAdjustType);
        return;
    }
    if (!m_bGroupMode) {
        LayoutStrip(lpClientRect);
        CWnd::CalcWindowRect(lpClientRect, nAdjustType);
        return;
    }
    // The groups are laid out in the tab window's own client coordinates, inside the room the
    // appearance keeps around them.
    const CRect rcMargin = GetNcMargin();
    const int cx = lpClientRect->right - lpClientRect->left - rcMargin.left + rcMargin.right;
    const int cy = lpClientRect->bottom - lpClientRect->top - rcMargin.top + rcMargin.bottom;
    LayoutGroups(CRect(0, 0, std::max(0, cx), std::max(0, cy)));
    Invalidate(FALSE);
    CWnd::CalcWindowRect(lpClientRect, nAdjustType);
}

CRect CXTPTabClientWnd::GetNcMargin()
{
    CRect rcMargin(2, 2, -2, -2);
    if (CXTPTabAppearance* pAppearance = m_pPaintManager->GetAppearanceSet()) {
        CClientDC dc(this);
        pAppearance->DrawWorkspacePart(&dc, &rcMargin, 1);
    }
    return rcMargin;
}

void CXTPTabClientWnd::LayoutStrip(LPRECT lpClientRect)
{
    CWorkspace* pGroup = m_arrGroups[0];
    CWnd* pWnd = pGroup->GetGroupWnd();
    // The strip's window takes the whole area; the MDI client, which the frame places at the
    // rectangle left here, its page area.
    CRect rcMdi(*lpClientRect);
    if (pWnd && pWnd->m_hWnd && pWnd->IsWindowVisible()) {
        pWnd->SetWindowPos(nullptr, rcMdi.left, rcMdi.top, rcMdi.Width(), rcMdi.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        CClientDC dc(pWnd);
        CRect rc(0, 0, rcMdi.Width(), rcMdi.Height());
        m_pPaintManager->RepositionTabControl(pGroup, &dc, rc);
        m_pPaintManager->AdjustClientRect(pGroup, rc);
        rc.OffsetRect(rcMdi.TopLeft());
        rcMdi = rc.left < rc.right && rc.top < rc.bottom ? rc : CRect(rc.left, rc.top, rc.left, rc.top);
        pWnd->Invalidate(FALSE);
        pWnd->ShowWindow(SW_SHOWNA);
    }
    *lpClientRect = rcMdi;
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

void CXTPTabClientWnd::DrawBackground(CDC* pDC, CRect rc)
{
    if (!m_pCommandBars || !m_pCommandBars->GetPaintManager())
        pDC->FillSolidRect(rc, ::GetSysColor(COLOR_APPWORKSPACE));
    else if (m_bThemedBackground)
        pDC->FillSolidRect(rc, m_pCommandBars->GetPaintManager()->GetColor(12));
    else
        CWnd::DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(pDC->GetSafeHdc()), 0);
}

void CXTPTabClientWnd::OnPaint()
{
    CPaintDC paint(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    if (!m_bGroupMode || m_arrGroups.empty()) {
        DrawBackground(&paint, rcClient);
        return;
    }
    CXTPBufferDC dc(paint.GetSafeHdc(), rcClient);
    DrawBackground(&dc, rcClient);
    CXTPTabAppearance* pAppearance = m_pPaintManager->GetAppearanceSet();
    for (CWorkspace* pGroup : m_arrGroups) {
        m_pPaintManager->DrawTabControl(pGroup, &dc, pGroup->m_rcControl);
        if (!pGroup->m_rcSplitter.IsRectEmpty() && pAppearance) {
            CRect rc = pGroup->m_rcSplitter;
            pAppearance->DrawWorkspacePart(&dc, &rc, m_bHorizSplitting ? 3 : 2);
        }
    }
}

void CXTPTabClientWnd::OnNcPaint()
{
    CXTPTabAppearance* pAppearance = m_pPaintManager->GetAppearanceSet();
    if (!pAppearance)
        return;
    CWindowDC dc(this);
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    rcWindow.OffsetRect(-rcWindow.TopLeft());
    pAppearance->DrawWorkspacePart(&dc, &rcWindow, 0);
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
    // The tracker offsets the bar by the start point against the moves, which it takes on the
    // screen: the start point is given there too.
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    CXTPSplitterTracker tracker;
    if (!tracker.Track(this, rcAvail, rcTracker, ptScreen, !m_bHorizSplitting))
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

void CXTPTabClientWnd::BeginDragFeedback()
{
    if (m_pDesktopDC)
        return;
    // What is still to be painted is painted now, so the feedback is not drawn over stale pixels.
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
        ::DispatchMessageA(&msg);
    m_rcLastDrag.SetRectEmpty();
    m_szLastDrag = CSize(0, 0);
    const HWND hDesktop = ::GetDesktopWindow();
    m_bDesktopLocked = ::LockWindowUpdate(hDesktop);
    const HDC hDC = ::GetDCEx(hDesktop, nullptr, DCX_WINDOW | DCX_CACHE | (m_bDesktopLocked ? DCX_LOCKWINDOWUPDATE : 0));
    if (!hDC) {
        if (m_bDesktopLocked)
            ::LockWindowUpdate(nullptr);
        m_bDesktopLocked = FALSE;
        return;
    }
    m_pDesktopDC = new CDC;
    m_pDesktopDC->Attach(hDC);
}

void CXTPTabClientWnd::DrawDragFeedback(const CRect& rcScreen)
{
    if (!m_pDesktopDC || rcScreen == m_rcLastDrag)
        return;
    const CSize szFrame = rcScreen.IsRectEmpty() ? CSize(0, 0)
                                                 : CSize(::GetSystemMetrics(SM_CXFRAME), ::GetSystemMetrics(SM_CYFRAME));
    m_pDesktopDC->DrawDragRect(rcScreen, szFrame, m_rcLastDrag, m_szLastDrag);
    m_rcLastDrag = rcScreen;
    m_szLastDrag = szFrame;
}

void CXTPTabClientWnd::EndDragFeedback()
{
    if (!m_pDesktopDC)
        return;
    DrawDragFeedback(CRect());
    const HDC hDC = m_pDesktopDC->Detach();
    delete m_pDesktopDC;
    m_pDesktopDC = nullptr;
    ::ReleaseDC(::GetDesktopWindow(), hDC);
    if (m_bDesktopLocked)
        ::LockWindowUpdate(nullptr);
    m_bDesktopLocked = FALSE;
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
    case kMsgMDIClientRecalcLayout:
        Refresh(wParam != 0);
        return 0;
    case kMsgMDIClientIsGroupCommandEnabled:
        return IsGroupCommandEnabled(static_cast<UINT>(wParam));
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
        OnPaint();
        return 0;
    case WM_NCCALCSIZE:
        // The tab groups lay out the children: no edge, no scroll bars, only the room the
        // appearance keeps around the groups.
        if (m_bGroupMode) {
            auto* pRect = reinterpret_cast<LPRECT>(lParam);
            const CRect rcMargin = GetNcMargin();
            pRect->left += rcMargin.left;
            pRect->top += rcMargin.top;
            pRect->right += rcMargin.right;
            pRect->bottom += rcMargin.bottom;
            return 0;
        }
        break;
    case WM_NCPAINT:
        if (m_bGroupMode) {
            OnNcPaint();
            return 0;
        }
        break;
    case WM_NCACTIVATE:
        if (m_bGroupMode)
            return TRUE;
        break;
    case WM_ERASEBKGND:
        // Painting fills the background itself, unless the system's MDI painting does it.
        if (m_bGroupMode || !m_pCommandBars || m_bThemedBackground)
            return TRUE;
        break;
    case WM_SETCURSOR:
        if (m_bGroupMode && LOWORD(lParam) == HTCLIENT) {
            CPoint pt;
            ::GetCursorPos(&pt);
            ScreenToClient(&pt);
            for (CWorkspace* pGroup : m_arrGroups)
                if (pGroup->m_rcSplitter.PtInRect(pt)) {
                    ::SetCursor(m_bHorizSplitting ? m_hCursorHorizSplit : m_hCursorVertSplit);
                    return TRUE;
                }
        }
        break;
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE:
        if (m_bGroupMode) {
            const CPoint pt = message == WM_MOUSELEAVE ? CPoint(-1, -1)
                                                         : CPoint(static_cast<short>(LOWORD(lParam)),
                                                                  static_cast<short>(HIWORD(lParam)));
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
