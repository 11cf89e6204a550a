// The tab group: panes and their tabs, layout of the shown pane, caption buttons, and the
// mouse: focus, button presses, drags from the caption, tab reordering and tearing out.
#include "CXTPDockingPaneTabbedContainer.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "CFrameWnd.h"
#include "CMiniFrameWnd.h"
#include "CXTPBufferDC.h"
#include "CXTPDockingPane.h"
#include "CXTPDockingPaneAutoHidePanel.h"
#include "CXTPDockingPaneAutoHideWnd.h"
#include "CXTPDockingPaneDragContext.h"
#include "CXTPDockingPaneMiniWnd.h"
#include "CXTPDockingPanePaintManager.h"
#include "CXTPResourceManager.h"
#include "CXTPTabManagerItem.h"
#include "CXTPTabManagerNavigateButton.h"
#include "CXTPTabPaintManager.h"
#include "DockingPaneDropTarget.h"

namespace {

// A caption button whose visibility the group decides.
class GroupCaptionButton : public CXTPDockingPaneCaptionButton {
public:
    GroupCaptionButton(int nID, CXTPDockingPaneTabbedContainer* pGroup)
        : CXTPDockingPaneCaptionButton(nID, pGroup), m_pGroup(pGroup)
    {
    }
    BOOL IsVisible() override { return m_pGroup->IsCaptionButtonVisible(this); }

private:
    CXTPDockingPaneTabbedContainer* m_pGroup;
};

// The auto-hide button's state word: bit 1 while docked.
enum { kPinDocked = 1, kPinFloating = 0 };

}  // namespace

BEGIN_MESSAGE_MAP(CXTPDockingPaneTabbedContainer, CWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDBLCLK()
ON_WM_RBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_CAPTURECHANGED()
ON_WM_DESTROY()
ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
END_MESSAGE_MAP()

CXTPDockingPaneTabbedContainer::CXTPDockingPaneTabbedContainer(CXTPDockingPaneOwner* pLayout)
    : CXTPDockingPaneBase(DPT_TABBED, pLayout),
      m_pDropTarget(new DockingPaneDropTarget<CXTPDockingPaneTabbedContainer>(this))
{
    m_arrCaptionButtons.push_back(new GroupCaptionButton(XTP_IDS_DOCKINGPANE_CLOSE, this));
    m_arrCaptionButtons.push_back(new GroupCaptionButton(XTP_IDS_DOCKINGPANE_AUTOHIDE, this));
    FindCaptionButton(XTP_IDS_DOCKINGPANE_AUTOHIDE)->m_dwState = kPinDocked;
}

CXTPDockingPaneTabbedContainer::~CXTPDockingPaneTabbedContainer()
{
    if (m_hWnd)
        DestroyWindow();
    m_pDropTarget->InternalRelease();
}

BOOL CXTPDockingPaneTabbedContainer::CreateGroupWindow()
{
    if (!m_pDockingSite || !m_pDockingSite->GetSafeHwnd())
        return FALSE;
    const char* lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW));
    if (!CWnd::Create(lpszClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, CRect(0, 0, 0, 0),
                      m_pDockingSite, 0))
        return FALSE;
    EnableToolTips();
    // Without the system's drag and drop started in this thread there is no target; nothing else needs it.
    m_pDropTarget->Register(this);
    return TRUE;
}

void CXTPDockingPaneTabbedContainer::ShowSelected()
{
    if (!m_pSelectedPane)
        return;
    if (m_pParentContainer && m_pParentContainer->GetType() == DPT_AUTOHIDE) {
        auto* pPanel = static_cast<CXTPDockingPaneAutoHidePanel*>(m_pParentContainer);
        if (!pPanel->IsShown(m_pSelectedPane)) {
            pPanel->CloseActiveWnd(FALSE);
            pPanel->SlideOut(m_pSelectedPane, TRUE);
        }
        return;
    }
    auto* pFrame = dynamic_cast<CXTPDockingPaneMiniWnd*>(m_pDockingSite);
    if (!pFrame || !pFrame->GetSafeHwnd())
        return;
    if (!pFrame->IsWindowVisible())
        pFrame->ShowWindow(SW_SHOWNA);
    pFrame->Expand();
}

INT_PTR CXTPDockingPaneTabbedContainer::OnToolHitTest(POINT point, TOOLINFOA_T* pTI) const
{
    CXTPDockingPaneCaptionButton* pButton = ButtonAt(point);
    if (!pButton)
        return CXTPTabManager::OnToolHitTest(m_hWnd, point, pTI);
    CString strTip;
    XTPResourceManager()->LoadString(&strTip, static_cast<UINT>(pButton->GetID()));
    if (pTI && pTI->cbSize >= 40) {
        pTI->hwnd = m_hWnd;
        pTI->rect = pButton->GetRect();
        pTI->uId = static_cast<UINT_PTR>(pButton->GetID());
        // The tool-tip machinery frees the text.
        char* pszText = static_cast<char*>(std::calloc(strTip.GetLength() + 1, 1));
        if (pszText)
            std::memcpy(pszText, static_cast<const char*>(strTip), strTip.GetLength());
        pTI->lpszText = pszText;
    }
    return pButton->GetID();
}

void CXTPDockingPaneTabbedContainer::AddPane(CXTPDockingPane* pPane)
{
    if (!m_hWnd && m_pLayout && !m_pLayout->IsUserLayout())
        CreateGroupWindow();
    m_lstPanes.push_back(pPane);
    pPane->SetParentContainer(this);
    pPane->SetDockingSite(m_pDockingSite);
    XTPDockingPaneDelayRecalc(m_pDockingSite);
    SelectPane(pPane, TRUE);
    UpdateTabs();
    if (m_pParentContainer)
        m_pParentContainer->OnChildContainerChanged(this);
}

void CXTPDockingPaneTabbedContainer::RemovePane(CXTPDockingPaneBase* pElement)
{
    auto it = std::find(m_lstPanes.begin(), m_lstPanes.end(), pElement);
    if (it == m_lstPanes.end())
        return;
    auto* pPane = *it;
    m_lstPanes.erase(it);
    if (m_pTrackingPane == pPane)
        EndTracking();
    const bool bWasSelected = m_pSelectedPane == pPane;
    if (bWasSelected)
        m_pSelectedPane = nullptr;
    UpdateTabs();
    pPane->SetParentContainer(nullptr);
    if (m_pParentContainer)
        m_pParentContainer->OnChildContainerChanged(this);
    if (m_lstPanes.empty() && m_hWnd)
        DestroyWindow();
    XTPDockingPaneDelayRecalc(m_pDockingSite);
    // The last pane, not the neighbour tab, takes over.
    if (bWasSelected)
        SelectPane(m_lstPanes.empty() ? nullptr : m_lstPanes.back(), TRUE);
}

void CXTPDockingPaneTabbedContainer::SelectPane(CXTPDockingPane* pPane, BOOL bSetFocus)
{
    if (m_pSelectedPane == pPane)
        return;
    m_pSelectedPane = pPane;
    UpdateTabs();
    XTPDockingPaneDelayRecalc(m_pDockingSite);
    if (m_pParentContainer)
        m_pParentContainer->OnChildContainerChanged(this);
    if (bSetFocus && pPane)
        pPane->SetFocus();
}

void CXTPDockingPaneTabbedContainer::UpdateTabs()
{
    if (!m_hWnd)
        return;
    // What the tabs and the caption show: repainted only when it changes.
    BOOL bChanged = GetItemCount() != static_cast<int>(m_lstPanes.size());
    for (int i = 0; i < GetItemCount() && !bChanged; ++i) {
        const CXTPTabManagerItem* pItem = GetItem(i);
        const CXTPDockingPane* pPane = m_lstPanes[i];
        bChanged = pItem->GetData() != reinterpret_cast<DWORD_PTR>(pPane) ||
                   pItem->GetCaptionText() != pPane->GetTabCaption() || pItem->GetTooltip() != pPane->GetTitle() ||
                   pItem->GetStoredColor() != pPane->GetTabColor() ||
                   (pItem == GetSelectedItem()) != (pPane == m_pSelectedPane);
    }
    for (CXTPDockingPaneCaptionButton* pButton : m_arrCaptionButtons)
        bChanged |= pButton->m_bSelected;
    if (bChanged)
        Invalidate();

    ++m_nLockUpdate;
    DeleteAllItems();
    for (CXTPDockingPane* pPane : m_lstPanes) {
        CXTPTabManagerItem* pItem = InsertItem(-1);
        pItem->SetCaption(pPane->GetTabCaption());
        pItem->SetColor(pPane->GetTabColor());
        pItem->SetTooltip(pPane->GetTitle());
        pItem->SetData(reinterpret_cast<DWORD_PTR>(pPane));
        if (pPane == m_pSelectedPane)
            SetSelectedItem(pItem);
    }
    for (CXTPDockingPaneCaptionButton* pButton : m_arrCaptionButtons)
        pButton->m_bSelected = FALSE;
    --m_nLockUpdate;
}

void CXTPDockingPaneTabbedContainer::Invalidate()
{
    if (m_hWnd)
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

int CXTPDockingPaneTabbedContainer::ContainsPane(CXTPDockingPaneBase* pPane) const
{
    if (pPane == this)
        return 1;
    auto it = std::find(m_lstPanes.begin(), m_lstPanes.end(), pPane);
    return it == m_lstPanes.end() ? 0 : static_cast<int>(it - m_lstPanes.begin()) + 1;
}

void CXTPDockingPaneTabbedContainer::FindPane(int nType, CXTPDockingPaneBaseList* pList)
{
    for (CXTPDockingPane* pPane : m_lstPanes)
        if (pPane->GetType() == nType)
            pList->push_back(pPane);
}

CSize CXTPDockingPaneTabbedContainer::MeasureInsets() const
{
    CXTPDockingPanePaintManager* pPaint = CXTPDockingPaneBase::GetPaintManager();
    if (!pPaint)
        return CSize(0, 0);
    CRect rc(0, 0, 1000, 1000);
    pPaint->AdjustClientRect(const_cast<CXTPDockingPaneTabbedContainer*>(this), rc, FALSE);
    return CSize(1000 - rc.Width(), 1000 - rc.Height());
}

void CXTPDockingPaneTabbedContainer::GetMinMaxInfo(LPMINMAXINFO pMinMaxInfo) const
{
    CXTPDockingPaneBase::GetMinMaxInfo(pMinMaxInfo);
    const CSize szInsets = MeasureInsets();
    if (m_lstPanes.empty()) {
        pMinMaxInfo->ptMinTrackSize = {szInsets.cx, szInsets.cy};
        return;
    }
    for (size_t i = 0; i < m_lstPanes.size(); ++i) {
        MINMAXINFO mmi;
        m_lstPanes[i]->GetMinMaxInfo(&mmi);
        if (i == 0) {
            pMinMaxInfo->ptMinTrackSize = mmi.ptMinTrackSize;
            pMinMaxInfo->ptMaxTrackSize = mmi.ptMaxTrackSize;
            continue;
        }
        pMinMaxInfo->ptMinTrackSize.x = std::max(pMinMaxInfo->ptMinTrackSize.x, mmi.ptMinTrackSize.x);
        pMinMaxInfo->ptMinTrackSize.y = std::max(pMinMaxInfo->ptMinTrackSize.y, mmi.ptMinTrackSize.y);
        pMinMaxInfo->ptMaxTrackSize.x = std::min(pMinMaxInfo->ptMaxTrackSize.x, mmi.ptMaxTrackSize.x);
        pMinMaxInfo->ptMaxTrackSize.y = std::min(pMinMaxInfo->ptMaxTrackSize.y, mmi.ptMaxTrackSize.y);
    }
    pMinMaxInfo->ptMinTrackSize.x += szInsets.cx;
    pMinMaxInfo->ptMinTrackSize.y += szInsets.cy;
    pMinMaxInfo->ptMaxTrackSize.x += szInsets.cx;
    pMinMaxInfo->ptMaxTrackSize.y += szInsets.cy;
}

void CXTPDockingPaneTabbedContainer::OnSizeParent(CWnd* pParent, CRect rect, AFX_SIZEPARENTPARAMS* lpLayout)
{
    // The window follows the group into another frame (floated, docked back).
    if (m_hWnd && pParent && pParent->GetSafeHwnd() && ::GetParent(m_hWnd) != pParent->GetSafeHwnd())
        ::SetParent(m_hWnd, pParent->GetSafeHwnd());
    m_pDockingSite = pParent;
    m_rcWindow = rect;
    if ((lpLayout && !lpLayout->hDWP) || !m_hWnd)
        return;

    // A group left where it was keeps its picture: what else changes its look (tabs, titles,
    // selection, focus, buttons, theme) repaints it by itself.
    if (XTPDockingPaneMoveWindow(m_hWnd, HWND_BOTTOM, rect, lpLayout))
        Invalidate();

    ++m_nLockUpdate;
    UpdateTabs();
    CWnd* pFrame = GetParentFrame();
    // Slid out of its panel the pin shows, lying on its side; in a floating frame it does not.
    const DWORD dwPin = dynamic_cast<CXTPDockingPaneAutoHideWnd*>(pFrame) ? kPinDocked | xtpPaneStateAutoHidden
                        : dynamic_cast<CMiniFrameWnd*>(pFrame)            ? kPinFloating
                                                                          : kPinDocked;
    CXTPDockingPaneCaptionButton* pPin = FindCaptionButton(XTP_IDS_DOCKINGPANE_AUTOHIDE);
    if (pPin->m_dwState != dwPin) {
        pPin->m_dwState = dwPin;
        Invalidate();
    }
    CRect rcPanes(0, 0, rect.Width(), rect.Height());
    if (CXTPDockingPanePaintManager* pPaint = CXTPDockingPaneBase::GetPaintManager())
        pPaint->AdjustClientRect(this, rcPanes, TRUE);
    rcPanes.OffsetRect(rect.TopLeft());
    for (CXTPDockingPane* pPane : m_lstPanes) {
        if (pPane == m_pSelectedPane) {
            pPane->ShowWindow(TRUE);
            pPane->OnSizeParent(pParent, rcPanes, lpLayout);
        } else {
            pPane->ShowWindow(FALSE);
        }
    }
    --m_nLockUpdate;
}

void CXTPDockingPaneTabbedContainer::OnFocusChanged()
{
    HWND hFocus = ::GetFocus();
    BOOL bActive = FALSE;
    if (m_hWnd && hFocus) {
        bActive = hFocus == m_hWnd || ::IsChild(m_hWnd, hFocus);
        for (HWND h = hFocus; h && !bActive; h = ::GetWindow(h, GW_OWNER))
            bActive = ::IsChild(m_hWnd, h);
    }
    if (bActive != m_bActive) {
        m_bActive = bActive;
        Invalidate();
    }
    if (m_pSelectedPane && m_pSelectedPane->GetChild())
        ::SendMessageA(m_pSelectedPane->GetChild(), WM_IDLEUPDATECMDUI, 0, 0);
}

void CXTPDockingPaneTabbedContainer::OnParentContainerChanged(CXTPDockingPaneBase* pContainer)
{
    m_pDockingSite = pContainer->m_pDockingSite;
    if (pContainer->GetType() == DPT_AUTOHIDE) {
        m_bShowCaption = TRUE;
        if (m_hWnd)
            ShowWindow(SW_HIDE);
    }
}

BOOL CXTPDockingPaneTabbedContainer::IsCaptionButtonVisible(CXTPDockingPaneCaptionButton* pButton)
{
    if (!m_pSelectedPane)
        return FALSE;
    const DWORD dwOptions = m_pSelectedPane->GetOptions();
    if (pButton->GetID() == XTP_IDS_DOCKINGPANE_CLOSE)
        return !(dwOptions & DPO_NOCLOSE);
    if (pButton->GetID() == XTP_IDS_DOCKINGPANE_AUTOHIDE)
        return !(dwOptions & DPO_NOHIDE) && (pButton->m_dwState & kPinDocked);
    return TRUE;
}

CString CXTPDockingPaneTabbedContainer::GetCaptionTitle() const
{
    return m_pSelectedPane ? m_pSelectedPane->GetTitle() : CString();
}

BOOL CXTPDockingPaneTabbedContainer::IsCaptionVisible() const
{
    return m_bShowCaption && m_pSelectedPane && !(m_pSelectedPane->GetOptions() & DPO_NOCAPTION);
}

BOOL CXTPDockingPaneTabbedContainer::IsTabsVisible() const
{
    if (!m_hWnd)
        return FALSE;
    CXTPDockingPanePaintManager* pPaint = CXTPDockingPaneBase::GetPaintManager();
    return GetItemCount() >= 2 || (pPaint && pPaint->m_bShowTabsAlways);
}

void CXTPDockingPaneTabbedContainer::SetCaptionVisible(BOOL bShow)
{
    m_bShowCaption = bShow;
    XTPDockingPaneDelayRecalc(m_pDockingSite);
}

HWND CXTPDockingPaneTabbedContainer::GetReferenceWindow() const
{
    CFrameWnd* pFrame = m_hWnd ? GetParentFrame() : nullptr;
    return pFrame ? pFrame->GetSafeHwnd() : (m_pDockingSite ? m_pDockingSite->GetSafeHwnd() : nullptr);
}

int CXTPDockingPaneTabbedContainer::HitTest(CPoint pt) const
{
    if (!m_hWnd)
        return -1;
    CRect rcClient;
    GetClientRect(&rcClient);
    if (IsCaptionVisible()) {
        CRect rcBelow = rcClient;
        if (CXTPDockingPanePaintManager* pPaint = CXTPDockingPaneBase::GetPaintManager())
            pPaint->AdjustCaptionRect(const_cast<CXTPDockingPaneTabbedContainer*>(this), rcBelow);
        CRect rcCaption(rcClient.left, rcClient.top, rcClient.right, rcBelow.top);
        if (rcCaption.PtInRect(pt))
            return -2;
    }
    if (IsTabsVisible())
        if (CXTPTabManagerItem* pItem = CXTPTabManager::HitTest(pt))
            return pItem->GetIndex();
    return -1;
}

BOOL CXTPDockingPaneTabbedContainer::IsAttachPoint(CRect& rc, CPoint pt) const
{
    if (!m_hWnd)
        return FALSE;
    CXTPDockingPanePaintManager* pPaint = CXTPDockingPaneBase::GetPaintManager();
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    if (m_bShowCaption) {
        rc = rcWindow;
        rc.bottom = rc.top + (pPaint ? pPaint->GetCaptionHeight() : 0) + 3;
    } else if (m_pDockingSite && m_pDockingSite->GetSafeHwnd()) {
        m_pDockingSite->GetWindowRect(&rc);
    }
    if (rc.PtInRect(pt))
        return TRUE;
    if (IsTabsVisible() && pPaint) {
        rc = rcWindow;
        rc.top = rc.bottom - pPaint->GetTabsHeight();
        return rc.PtInRect(pt);
    }
    return FALSE;
}

void CXTPDockingPaneTabbedContainer::Copy(CXTPDockingPaneTabbedContainer* pFrom, CXTPDockingPaneCloneMap* pMap,
                                          DWORD dwIgnoredOptions)
{
    m_szDocking = pFrom->m_szDocking;
    m_rcWindow = pFrom->m_rcWindow;
    m_bShowCaption = TRUE;
    m_pSelectedPane = nullptr;
    CXTPDockingPane* pSelect = nullptr;
    std::vector<CXTPDockingPane*> panes = pFrom->m_lstPanes;
    for (CXTPDockingPane* pPane : panes) {
        CXTPDockingPane* pTaken = nullptr;
        const bool bWasSelected = pPane == pFrom->m_pSelectedPane;
        if (pMap) {
            pTaken = dynamic_cast<CXTPDockingPane*>(pPane->Clone(m_pLayout, pMap, dwIgnoredOptions));
        } else if (!(pPane->GetOptions() & dwIgnoredOptions)) {
            pFrom->RemovePane(pPane);
            pTaken = pPane;
        }
        if (!pTaken)
            continue;
        if (!pSelect && bWasSelected)
            pSelect = pTaken;
        if (!m_hWnd && m_pLayout && !m_pLayout->IsUserLayout())
            CreateGroupWindow();
        m_lstPanes.push_back(pTaken);
        pTaken->SetParentContainer(this);
        pTaken->SetDockingSite(m_pDockingSite);
    }
    SelectPane(pSelect, FALSE);
    UpdateTabs();
}

CXTPDockingPaneBase* CXTPDockingPaneTabbedContainer::Clone(CXTPDockingPaneOwner* pLayout,
                                                           CXTPDockingPaneCloneMap* pMap, DWORD dwIgnoredOptions)
{
    if (!m_pLayout)
        return nullptr;
    auto* pClone = dynamic_cast<CXTPDockingPaneTabbedContainer*>(m_pLayout->CreatePaneOfType(DPT_TABBED, pLayout));
    if (!pClone)
        return nullptr;
    pClone->Copy(this, pMap, dwIgnoredOptions);
    if (pMap)
        (*pMap)[this] = pClone;
    return pClone;
}

CXTPTabPaintManager* CXTPDockingPaneTabbedContainer::GetPaintManager() const
{
    CXTPDockingPanePaintManager* pPaint = CXTPDockingPaneBase::GetPaintManager();
    return pPaint ? pPaint->GetTabPaintManager() : nullptr;
}

void CXTPDockingPaneTabbedContainer::RedrawControl()
{
    if (!m_nLockUpdate)
        Invalidate();
}

void CXTPDockingPaneTabbedContainer::Reposition()
{
    if (!m_nLockUpdate && m_pLayout)
        m_pLayout->RecalcFramesLayout();
}

BOOL CXTPDockingPaneTabbedContainer::DrawIcon(CDC* pDC, CPoint pt, CXTPTabManagerItem* pItem, BOOL bDraw,
                                              CSize& szIcon) const
{
    CXTPTabPaintManager* pTabPaint = GetPaintManager();
    if (!pTabPaint || !pTabPaint->m_bShowIcons || !pItem)
        return FALSE;
    auto* pPane = reinterpret_cast<CXTPDockingPane*>(pItem->GetData());
    szIcon = pTabPaint->m_szIcon;
    HICON hIcon = pPane ? pPane->GetIcon(szIcon.cx) : nullptr;
    if (!hIcon)
        return FALSE;
    if (bDraw && pDC)
        ::DrawIconEx(pDC->GetSafeHdc(), pt.x, pt.y, hIcon, szIcon.cx, szIcon.cy, 0, nullptr, DI_NORMAL);
    return TRUE;
}

void CXTPDockingPaneTabbedContainer::OnPaint()
{
    PAINTSTRUCT ps;
    ::BeginPaint(m_hWnd, &ps);
    CRect rcClient;
    GetClientRect(&rcClient);
    if (CXTPDockingPanePaintManager* pPaint = CXTPDockingPaneBase::GetPaintManager()) {
        CXTPBufferDC dc(ps.hdc, rcClient);
        pPaint->DrawPane(&dc, this, rcClient);
    }
    ::EndPaint(m_hWnd, &ps);
}

BOOL CXTPDockingPaneTabbedContainer::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;
}

CXTPDockingPaneCaptionButton* CXTPDockingPaneTabbedContainer::ButtonAt(CPoint pt) const
{
    for (CXTPDockingPaneCaptionButton* pButton : m_arrCaptionButtons)
        if (pButton->IsVisible() && pButton->GetRect().PtInRect(pt))
            return pButton;
    return nullptr;
}

void CXTPDockingPaneTabbedContainer::CheckHotButtons(CPoint pt)
{
    for (CXTPDockingPaneCaptionButton* pButton : m_arrCaptionButtons) {
        const BOOL bHot = pButton->IsVisible() && pButton->GetRect().PtInRect(pt);
        if (bHot == pButton->m_bSelected)
            continue;
        pButton->m_bSelected = bHot;
        if (bHot) {
            TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, m_hWnd, 0};
            ::TrackMouseEvent(&tme);
        }
        Invalidate();
    }
}

BOOL CXTPDockingPaneTabbedContainer::ClickButton(CXTPDockingPaneCaptionButton* pButton, CPoint pt)
{
    if (::GetCapture())
        return FALSE;
    const HWND hWnd = m_hWnd;
    pButton->m_bPressed = pButton->GetRect().PtInRect(pt);
    Invalidate();
    const BOOL bClick = pButton->TrackPress(
        hWnd, pt,
        [hWnd](const MSG& msg) {
            CPoint ptClient(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
            if (msg.hwnd != hWnd)
                ::MapWindowPoints(msg.hwnd, hWnd, &ptClient, 1);
            return ptClient;
        },
        [this] { Invalidate(); });
    if (!::IsWindow(hWnd))
        return bClick;
    pButton->m_bPressed = FALSE;
    CheckHotButtons(pt);
    Invalidate();
    return bClick;
}

void CXTPDockingPaneTabbedContainer::OnCaptionButtonAction(int nID)
{
    CXTPDockingPaneOwner* pOwner = m_pLayout;
    if (!pOwner || !m_pSelectedPane)
        return;
    if (nID == XTP_IDS_DOCKINGPANE_CLOSE) {
        std::vector<CXTPDockingPane*> panes;
        if (pOwner->IsCloseGroupOnButton())
            panes.assign(m_lstPanes.rbegin(), m_lstPanes.rend());
        else
            panes.push_back(m_pSelectedPane);
        for (CXTPDockingPane* pPane : panes) {
            if (pOwner->IsCloseGroupOnButton() && (pPane->GetOptions() & DPO_NOCLOSE))
                continue;
            if (pOwner->NotifyOwner(DPA_CLOSING, pPane, this))
                continue;
            pOwner->ClosePane(pPane);
            pOwner->NotifyOwner(DPA_CLOSED, pPane, this);
        }
    } else if (nID == XTP_IDS_DOCKINGPANE_AUTOHIDE) {
        if (m_hWnd && dynamic_cast<CXTPDockingPaneAutoHideWnd*>(GetParentFrame())) {
            pOwner->ToggleDocking(this);
            return;
        }
        CXTPDockingPane* pPane = m_pSelectedPane;
        if (pOwner->NotifyOwner(DPA_HIDING, pPane, this))
            return;
        pOwner->ToggleAutoHide(pOwner->IsHideGroupOnButton() ? static_cast<CXTPDockingPaneBase*>(this) : pPane);
        pOwner->NotifyOwner(DPA_HIDDEN, pPane, this);
    }
}

void CXTPDockingPaneTabbedContainer::FocusSelected()
{
    if (m_pSelectedPane && m_pSelectedPane->GetChild())
        m_pSelectedPane->SetFocus();
    else if (m_hWnd)
        ::SetFocus(m_hWnd);
    if (m_pLayout)
        m_pLayout->UpdatePanes();
}

void CXTPDockingPaneTabbedContainer::RecalcSiteNow()
{
    CWnd* pSite = m_pDockingSite;
    auto* pFrame = dynamic_cast<CFrameWnd*>(pSite);
    if (!pFrame && pSite && pSite->GetSafeHwnd())
        pFrame = pSite->GetParentFrame();
    if (pFrame && pFrame->GetSafeHwnd())
        pFrame->RecalcLayout();
}

void CXTPDockingPaneTabbedContainer::EndTracking()
{
    m_pTrackingPane = nullptr;
    if (m_hWnd && ::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

void CXTPDockingPaneTabbedContainer::OnLButtonDown(UINT /*nFlags*/, CPoint point)
{
    const HWND hWnd = m_hWnd;
    FocusSelected();
    if (CXTPDockingPaneCaptionButton* pButton = ButtonAt(point)) {
        const int nID = pButton->GetID();
        if (ClickButton(pButton, point) && ::IsWindow(hWnd) && m_pSelectedPane)
            OnCaptionButtonAction(nID);
        return;
    }
    if (CXTPTabManager::OnLButtonDown(hWnd, point, TRUE))
        return;
    const int nHit = HitTest(point);
    if (nHit == -2) {
        CPoint ptScreen = point;
        ClientToScreen(&ptScreen);
        if (m_pLayout && m_pLayout->GetDragContext())
            m_pLayout->GetDragContext()->Drag(this, ptScreen.x, ptScreen.y);
    } else if (nHit >= 0 && nHit < static_cast<int>(m_lstPanes.size())) {
        m_arrTabRects.clear();
        for (int i = 0; i < GetItemCount(); ++i)
            m_arrTabRects.push_back(GetItem(i)->GetRect());
        m_pTrackingPane = m_lstPanes[nHit];
        SelectPane(m_pTrackingPane, TRUE);
        RecalcSiteNow();
        ::SetCapture(hWnd);
        Invalidate();
    }
}

void CXTPDockingPaneTabbedContainer::OnMouseMove(UINT /*nFlags*/, CPoint point)
{
    CXTPTabManager::OnMouseMove(m_hWnd, point);
    if (!m_pTrackingPane) {
        CheckHotButtons(point);
        return;
    }
    auto itTrack = std::find(m_lstPanes.begin(), m_lstPanes.end(), m_pTrackingPane);
    if (itTrack == m_lstPanes.end()) {
        EndTracking();
        return;
    }
    const size_t nTrack = static_cast<size_t>(itTrack - m_lstPanes.begin());
    for (size_t i = 0; i < m_arrTabRects.size(); ++i) {
        if (!m_arrTabRects[i].PtInRect(point))
            continue;
        if (i != nTrack && i < m_lstPanes.size()) {
            std::swap(m_lstPanes[i], m_lstPanes[nTrack]);
            UpdateTabs();
            RecalcSiteNow();
        }
        return;
    }
    // Off the tab row: the pane tears out of the group.
    EndTracking();
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    if (m_pLayout && m_pLayout->GetDragContext() && m_pSelectedPane)
        m_pLayout->GetDragContext()->Drag(m_pSelectedPane, ptScreen.x, ptScreen.y);
}

LRESULT CXTPDockingPaneTabbedContainer::OnMouseLeave(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    OnMouseMove(0, CPoint(-1, -1));
    return 0;
}

void CXTPDockingPaneTabbedContainer::OnLButtonUp(UINT /*nFlags*/, CPoint /*point*/)
{
    EndTracking();
}

void CXTPDockingPaneTabbedContainer::OnCaptureChanged(CWnd* /*pWnd*/)
{
    m_pTrackingPane = nullptr;
}

// The registration goes with the window: a group emptied and filled again registers its new one.
void CXTPDockingPaneTabbedContainer::OnDestroy()
{
    m_pDropTarget->Revoke();
    CWnd::OnDestroy();
}

void CXTPDockingPaneTabbedContainer::OnLButtonDblClk(UINT /*nFlags*/, CPoint point)
{
    for (int i = 0; i < GetNavigateButtonCount(); ++i)
        if (GetNavigateButton(i)->GetRect().PtInRect(point))
            return;
    if (ButtonAt(point) || !m_pLayout)
        return;
    const int nHit = HitTest(point);
    if (nHit == -2)
        m_pLayout->ToggleDocking(this);
    else if (nHit >= 0 && nHit < static_cast<int>(m_lstPanes.size()))
        m_pLayout->ToggleDocking(m_lstPanes[nHit]);
}

void CXTPDockingPaneTabbedContainer::OnDataDraggedOver(CPoint point)
{
    const int nHit = IsTabsVisible() ? HitTest(point) : -1;
    if (nHit < 0 || nHit >= static_cast<int>(m_lstPanes.size()) || m_lstPanes[nHit] == m_pSelectedPane)
        return;
    SelectPane(m_lstPanes[nHit], FALSE);
    RecalcSiteNow();
}

void CXTPDockingPaneTabbedContainer::OnRButtonDown(UINT /*nFlags*/, CPoint point)
{
    const int nHit = IsTabsVisible() ? HitTest(point) : -1;
    if (nHit >= 0 && nHit < static_cast<int>(m_lstPanes.size())) {
        SelectPane(m_lstPanes[nHit], TRUE);
        RecalcSiteNow();
    }
    FocusSelected();
    if (m_pLayout)
        m_pLayout->Notify(DPN_CONTEXTMENU, reinterpret_cast<LPARAM>(static_cast<CXTPDockingPaneBase*>(this)));
}
