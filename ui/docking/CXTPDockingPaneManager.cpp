// The docking pane manager: creating, docking, attaching, showing and closing panes, the
// current layout and its exchange with saved ones, the theme, and the frame's layout pass.
#include "CXTPDockingPaneManager.h"

#include <ole2.h>

#include <algorithm>

#include "CFrameWnd.h"
#include "CMiniFrameWnd.h"
#include "CXTPColorManager.h"
#include "CXTPDockingPane.h"
#include "CXTPDockingPaneAutoHidePanel.h"
#include "CXTPDockingPaneDragContext.h"
#include "CXTPDockingPaneMiniWnd.h"
#include "CXTPDockingPanePaintManager.h"
#include "CXTPDockingPaneSplitterContainer.h"
#include "CXTPDockingPaneSplitterWnd.h"
#include "CXTPDockingPaneTabbedContainer.h"
#include "CXTPImageManager.h"
#include "CXTPImageManagerIcon.h"

namespace {

BOOL IsHorizDirection(int nDirection)
{
    return nDirection == DPD_LEFT || nDirection == DPD_RIGHT;
}

BOOL IsAfterDirection(int nDirection)
{
    return nDirection == DPD_RIGHT || nDirection == DPD_BOTTOM;
}

// The tab group a pane sits in, or the element itself when it is one.
CXTPDockingPaneTabbedContainer* GroupOf(CXTPDockingPaneBase* pElement)
{
    if (!pElement)
        return nullptr;
    if (pElement->GetType() == DPT_PANE)
        pElement = pElement->m_pParentContainer;
    return pElement && pElement->GetType() == DPT_TABBED ? static_cast<CXTPDockingPaneTabbedContainer*>(pElement)
                                                         : nullptr;
}

BOOL IsFloatingSite(CWnd* pSite)
{
    return dynamic_cast<CMiniFrameWnd*>(pSite) != nullptr;
}

// Floating frames and auto-hide slide-out windows both count: docking toggles them back.
BOOL IsFloatingPane(CXTPDockingPane* pPane)
{
    CXTPDockingPaneBase* pGroup = pPane->m_pParentContainer;
    return pGroup && (IsFloatingSite(pGroup->GetDockingSiteWnd()) || pPane->IsFloating());
}

}  // namespace

BEGIN_MESSAGE_MAP(CXTPDockingPaneManager, CWnd)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_WM_SYSCOLORCHANGE()
    ON_WM_SETTINGCHANGE()
END_MESSAGE_MAP()

CXTPDockingPaneManager::CXTPDockingPaneManager()
{
    m_pImageManager = new CXTPImageManager();
    m_pDragContext = new CXTPDockingPaneDragContext(this);
    ::OleInitialize(nullptr);
}

CXTPDockingPaneManager::~CXTPDockingPaneManager()
{
    delete m_pLayout;
    m_pLayout = nullptr;
    if (m_pPaintManager)
        m_pPaintManager->InternalRelease();
    delete m_pDragContext;
    if (m_pImageManager) {
        m_pImageManager->RemoveAll();
        m_pImageManager->InternalRelease();
    }
    ::OleUninitialize();
}

void CXTPDockingPaneManager::InstallInFrame(CFrameWnd* pFrame)
{
    if (m_pSite || !pFrame)
        return;
    m_pSite = pFrame;
    CreateEx(0, "STATIC", "", WS_CHILD, CRect(0, 0, 0, 0), pFrame, 0);
    m_pLayout = CreateLayout();
    m_pLayout->m_bUserLayout = FALSE;
}

CXTPDockingPaneLayout* CXTPDockingPaneManager::CreateLayout()
{
    return new CXTPDockingPaneLayout(this);
}

CXTPDockingPaneBase* CXTPDockingPaneManager::CreatePaneOfType(int nType, CXTPDockingPaneOwner* pLayout)
{
    return DefaultPaneOfType(nType, pLayout);
}

CXTPDockingPaneBase* CXTPDockingPaneManager::DefaultPaneOfType(int nType, CXTPDockingPaneOwner* pLayout)
{
    switch (nType) {
    case DPT_PANE:
        return new CXTPDockingPane(pLayout);
    case DPT_TABBED:
        return new CXTPDockingPaneTabbedContainer(pLayout);
    case DPT_SPLITTER:
        return new CXTPDockingPaneSplitterContainer(pLayout);
    case DPT_MINIWND:
        return new CXTPDockingPaneMiniWnd(pLayout);
    case DPT_CLIENT:
        return new CXTPDockingPaneBase(DPT_CLIENT, pLayout);
    case DPT_AUTOHIDE:
        return new CXTPDockingPaneAutoHidePanel(pLayout);
    default:
        return nullptr;
    }
}

void CXTPDockingPaneManager::SetImageManager(CXTPImageManager* pImageManager)
{
    if (!pImageManager)
        return;
    if (m_pImageManager)
        m_pImageManager->InternalRelease();
    m_pImageManager = pImageManager;
}

HICON CXTPDockingPaneManager::GetPaneIcon(int nIconID, int cx)
{
    CXTPImageManagerIcon* pIcon = m_pImageManager ? m_pImageManager->GetImage(static_cast<UINT>(nIconID), cx) : nullptr;
    return pIcon ? pIcon->GetIcon().GetIcon() : nullptr;
}

CXTPDockingPane* CXTPDockingPaneManager::CreatePane(UINT nID, CRect rc, XTPDockingPaneDirection dir,
                                                    CXTPDockingPaneBase* pNeighbour)
{
    if (!m_pLayout)
        return nullptr;
    auto* pPane = dynamic_cast<CXTPDockingPane*>(CreatePaneOfType(DPT_PANE, m_pLayout));
    if (!pPane)
        return nullptr;
    pPane->SetID(nID);
    pPane->m_rcWindow = rc;
    pPane->m_szDocking = {rc.Width(), rc.Height()};
    m_pLayout->m_lstPanes.push_back({pPane, nullptr, nullptr, nullptr});
    InsertDocked(pPane, dir, pNeighbour);
    SyncPaneHolders();
    return pPane;
}

CXTPDockingPaneBase* CXTPDockingPaneManager::Detach(CXTPDockingPaneBase* pElement)
{
    if (pElement->GetType() == DPT_PANE) {
        if (pElement->m_pParentContainer)
            pElement->m_pParentContainer->RemovePane(pElement);
        return pElement;
    }
    if (pElement->GetType() == DPT_TABBED || pElement->GetType() == DPT_SPLITTER) {
        CXTPDockingPaneBase* pClone = pElement->Clone(m_pLayout, nullptr, 0);
        return pClone ? pClone : pElement;
    }
    return pElement;
}

void CXTPDockingPaneManager::DockPane(CXTPDockingPaneBase* pElement, XTPDockingPaneDirection dir,
                                      CXTPDockingPaneBase* pNeighbour)
{
    if (!pElement || !m_pLayout)
        return;
    InsertDocked(Detach(pElement), dir, pNeighbour);
}

void CXTPDockingPaneManager::InsertDocked(CXTPDockingPaneBase* pElement, XTPDockingPaneDirection dir,
                                          CXTPDockingPaneBase* pNeighbour)
{
    CXTPDockingPaneSplitterContainer* pTop = m_pLayout->m_pTopContainer;
    if (!pNeighbour)
        pNeighbour = pTop;
    const BOOL bHoriz = IsHorizDirection(dir);
    const BOOL bAfter = IsAfterDirection(dir);

    if (pElement->GetType() == DPT_PANE) {
        auto* pGroup = dynamic_cast<CXTPDockingPaneTabbedContainer*>(CreatePaneOfType(DPT_TABBED, m_pLayout));
        if (!pGroup)
            return;
        pGroup->m_szDocking = pElement->m_szDocking;
        pGroup->m_rcWindow = pElement->m_rcWindow;
        pGroup->AddPane(static_cast<CXTPDockingPane*>(pElement));
        pElement = pGroup;
    }
    if (CXTPDockingPaneTabbedContainer* pGroup = pNeighbour->GetType() == DPT_PANE ? GroupOf(pNeighbour) : nullptr)
        pNeighbour = pGroup;
    auto* pParent = dynamic_cast<CXTPDockingPaneSplitterContainer*>(pNeighbour->m_pParentContainer);
    // A neighbour outside the docked tree (a closed group) docks against the top container.
    if (pNeighbour != pTop && !pParent)
        pNeighbour = pTop;

    auto newSplitter = [&](CXTPDockingPaneBase* pFirst) {
        auto* pSplitter = static_cast<CXTPDockingPaneSplitterContainer*>(CreatePaneOfType(DPT_SPLITTER, m_pLayout));
        pSplitter->Init(pFirst, bHoriz, pFirst->GetDockingSiteWnd() ? pFirst->GetDockingSiteWnd() : m_pSite);
        pSplitter->InsertPane(pElement, pFirst, bAfter);
        return pSplitter;
    };
    if (pNeighbour == pTop) {
        if (pTop->IsHoriz() == bHoriz)
            pTop->InsertPane(pElement, nullptr, bAfter);
        else
            m_pLayout->m_pTopContainer = newSplitter(pTop);
    } else if (pParent->IsHoriz() == bHoriz) {
        pParent->InsertPane(pElement, pNeighbour, bAfter);
    } else {
        auto* pSplitter = static_cast<CXTPDockingPaneSplitterContainer*>(CreatePaneOfType(DPT_SPLITTER, m_pLayout));
        pParent->ReplacePane(pNeighbour, pSplitter);
        pSplitter->Init(pNeighbour, bHoriz, pParent->GetDockingSiteWnd());
        pSplitter->InsertPane(pElement, pNeighbour, bAfter);
    }
    pElement->SetDockingSite(pNeighbour->GetDockingSiteWnd());
    XTPDockingPaneDelayRecalc(m_pSite);
}

void CXTPDockingPaneManager::AttachPane(CXTPDockingPaneBase* pElement, CXTPDockingPaneBase* pNeighbour)
{
    CXTPDockingPaneTabbedContainer* pGroup = GroupOf(pNeighbour);
    if (!pElement || !pGroup)
        return;
    CXTPDockingPaneBaseList panes;
    if (pElement->GetType() == DPT_PANE)
        panes.push_back(pElement);
    else
        pElement->FindPane(DPT_PANE, &panes);
    for (CXTPDockingPaneBase* pPane : panes) {
        if (pPane->m_pParentContainer)
            pPane->m_pParentContainer->RemovePane(pPane);
        pGroup->AddPane(static_cast<CXTPDockingPane*>(pPane));
    }
    SyncPaneHolders();
}

void CXTPDockingPaneManager::FloatPane(CXTPDockingPaneBase* pElement, CRect rcScreen)
{
    if (!pElement || !m_pLayout)
        return;
    pElement = Detach(pElement);
    auto* pFrame = dynamic_cast<CXTPDockingPaneMiniWnd*>(CreatePaneOfType(DPT_MINIWND, m_pLayout));
    if (pFrame)
        pFrame->Init(pElement, rcScreen);
}

void CXTPDockingPaneManager::SetThemedMiniFrames(BOOL bThemed)
{
    m_bThemedMiniFrames = bThemed;
    RecalcFramesLayout();
}

void CXTPDockingPaneManager::ShowPane(CXTPDockingPane* pPane)
{
    if (!pPane || !m_pLayout)
        return;
    CXTPDockingPaneTabbedContainer* pGroup = GroupOf(pPane->m_pParentContainer);
    CXTPDockingPaneBase* pHolder = pGroup ? pGroup->m_pParentContainer : nullptr;
    if (pHolder && pHolder->GetType() == DPT_AUTOHIDE) {
        // Sliding out selects the pane in its hidden group.
        auto* pPanel = static_cast<CXTPDockingPaneAutoHidePanel*>(pHolder);
        if (!pPanel->IsShown(pPane)) {
            pPanel->CloseActiveWnd(FALSE);
            pPanel->SlideOut(pPane, TRUE);
        }
    } else if (pGroup) {
        pGroup->SelectPane(pPane, TRUE);
        pGroup->ShowSelected();
    } else if (!pPane->m_pParentContainer) {
        for (DockingPaneInfo& info : m_pLayout->m_lstPanes) {
            CXTPDockingPaneTabbedContainer* pLast = GroupOf(info.pLastHolder);
            if (info.pPane == pPane && pLast && !pPane->m_pParentContainer)
                pLast->AddPane(pPane);
        }
    }
    pPane->SetFocus();
}

void CXTPDockingPaneManager::ClosePane(CXTPDockingPane* pPane)
{
    if (!pPane)
        return;
    if (Notify(DPN_CLOSEPANE, reinterpret_cast<LPARAM>(pPane)) == -1)
        return;
    if (pPane->m_pParentContainer)
        pPane->m_pParentContainer->RemovePane(pPane);
}

void CXTPDockingPaneManager::ToggleAutoHide(CXTPDockingPaneBase* pElement)
{
    if (!pElement || !m_pLayout)
        return;
    CXTPDockingPaneBase* pTarget = pElement;
    if (pElement->GetType() == DPT_PANE && m_bHideGroupOnButton)
        pTarget = pElement->m_pParentContainer;
    if (!pTarget || !pTarget->m_pParentContainer)
        return;
    if (pTarget->m_pParentContainer->GetType() == DPT_AUTOHIDE) {
        static_cast<CXTPDockingPaneAutoHidePanel*>(pTarget->m_pParentContainer)->CloseActiveWnd(FALSE);
        return;
    }
    m_pLayout->HidePane(pTarget);
    XTPDockingPaneDelayRecalc(m_pSite);
}

void CXTPDockingPaneManager::ToggleDocking(CXTPDockingPaneBase* pElement)
{
    if (!pElement)
        return;
    if (pElement->GetType() == DPT_PANE) {
        auto* pPane = static_cast<CXTPDockingPane*>(pElement);
        TogglePaneDocking(pPane, GetPaneHolder(pPane, !IsFloatingPane(pPane)));
        return;
    }
    if (pElement->GetType() != DPT_TABBED && pElement->GetType() != DPT_SPLITTER)
        return;
    CXTPDockingPaneBaseList panes;
    pElement->FindPane(DPT_PANE, &panes);
    int nFocused = 0, nSelected = 0;
    for (CXTPDockingPaneBase* pBase : panes) {
        auto* pPane = static_cast<CXTPDockingPane*>(pBase);
        if (pPane->IsFocus())
            nFocused = static_cast<int>(pPane->GetID());
        if (pPane->IsSelected())
            nSelected = static_cast<int>(pPane->GetID());
    }
    CXTPDockingPaneBase* pPreviousOwn = nullptr;
    for (CXTPDockingPaneBase* pBase : panes) {
        auto* pPane = static_cast<CXTPDockingPane*>(pBase);
        CXTPDockingPaneBase* pOwn = GetPaneHolder(pPane, !IsFloatingPane(pPane));
        // A pane without a holder of its own follows the previous one, so a group stays together.
        CXTPDockingPaneBase* pHolder = pOwn ? pOwn : pPreviousOwn;
        pPreviousOwn = pOwn;
        if (!TogglePaneDocking(pPane, pHolder)) {
            if (nFocused == static_cast<int>(pPane->GetID()))
                nFocused = 0;
            if (nSelected == static_cast<int>(pPane->GetID()))
                nSelected = 0;
        }
    }
    if (nFocused >= 1)
        ShowPane(FindPane(static_cast<UINT>(nFocused)));
    else if (nSelected >= 1)
        ShowPane(FindPane(static_cast<UINT>(nSelected)));
}

BOOL CXTPDockingPaneManager::TogglePaneDocking(CXTPDockingPane* pPane, CXTPDockingPaneBase* pHolder)
{
    if (!pPane)
        return FALSE;
    const BOOL bFloating = IsFloatingPane(pPane);
    if (!bFloating && (pPane->GetOptions() & DPO_NOFLOAT))
        return FALSE;
    if (NotifyOwner(bFloating ? DPA_DOCKING : DPA_FLOATING, pPane, pHolder))
        return FALSE;
    if (pHolder) {
        m_bAttachingPane = TRUE;
        AttachPane(pPane, pHolder);
        m_bAttachingPane = FALSE;
    } else {
        CXTPDockingPaneBase* pGroup = pPane->m_pParentContainer;
        FloatPane(pPane, pGroup ? pGroup->GetScreenRect() : pPane->GetScreenRect());
    }
    NotifyOwner(bFloating ? DPA_DOCKED : DPA_FLOATED, pPane, pHolder);
    return TRUE;
}

CXTPDockingPaneBase* CXTPDockingPaneManager::GetPaneHolder(CXTPDockingPane* pPane, BOOL bFloating)
{
    DockingPaneInfo* pInfo = m_pLayout ? m_pLayout->FindPaneInfo(pPane) : nullptr;
    if (!pInfo)
        return nullptr;
    return bFloating ? pInfo->pFloatingHolder : pInfo->pDockingHolder;
}

void CXTPDockingPaneManager::SyncPaneHolders()
{
    if (!m_pLayout)
        return;
    for (DockingPaneInfo& info : m_pLayout->m_lstPanes) {
        CXTPDockingPaneBase* pContainer = info.pPane ? info.pPane->m_pParentContainer : nullptr;
        if (!pContainer || pContainer->GetType() == DPT_AUTOHIDE)
            continue;
        if (IsFloatingSite(pContainer->GetDockingSiteWnd()))
            info.pFloatingHolder = pContainer;
        else
            info.pDockingHolder = pContainer;
        info.pLastHolder = pContainer;
    }
}

CXTPDockingPane* CXTPDockingPaneManager::FindPane(UINT nID) const
{
    if (!m_pLayout)
        return nullptr;
    for (const DockingPaneInfo& info : m_pLayout->m_lstPanes)
        if (info.pPane && info.pPane->GetID() == nID)
            return info.pPane;
    return nullptr;
}

std::vector<DockingPaneInfo>* CXTPDockingPaneManager::GetPaneList() const
{
    return m_pLayout ? &m_pLayout->m_lstPanes : nullptr;
}

CXTPDockingPaneSplitterContainer* CXTPDockingPaneManager::GetTopContainer() const
{
    return m_pLayout ? m_pLayout->m_pTopContainer : nullptr;
}

CXTPDockingPaneBase* CXTPDockingPaneManager::GetClientPane() const
{
    return m_pLayout ? m_pLayout->m_pClient : nullptr;
}

void CXTPDockingPaneManager::GetDockingRect(CRect& rc, CXTPDockingPaneBase* pElement, XTPDockingPaneDirection dir,
                                            CXTPDockingPaneBase* pNeighbour)
{
    rc.SetRectEmpty();
    if (!m_pLayout || !pElement)
        return;
    if (!pNeighbour)
        pNeighbour = m_pLayout->m_pTopContainer;
    if (CXTPDockingPaneTabbedContainer* pGroup = pNeighbour && pNeighbour->GetType() == DPT_PANE ? GroupOf(pNeighbour)
                                                                                                 : nullptr)
        pNeighbour = pGroup;
    if (!pNeighbour)
        return;
    const BOOL bHoriz = IsHorizDirection(dir);

    // A splitter of the wanted orientation that belongs to no layout measures the shares.
    CXTPDockingPaneSplitterContainer measure(nullptr);
    measure.m_pLayout = m_pLayout;
    measure.m_bHoriz = bHoriz;
    std::vector<CXTPDockingPaneBase*> lst;
    CRect rcArea;
    auto* pParent = dynamic_cast<CXTPDockingPaneSplitterContainer*>(pNeighbour->m_pParentContainer);
    if (pParent && pParent->IsHoriz() == bHoriz) {
        for (CXTPDockingPaneBase* pChild : pParent->GetChildren())
            if (pChild != pElement && !pChild->IsEmpty())
                lst.push_back(pChild);
        rcArea = pParent->GetScreenRect();
    } else {
        lst.push_back(pNeighbour);
        rcArea = pNeighbour->GetScreenRect();
    }
    auto it = std::find(lst.begin(), lst.end(), pNeighbour);
    if (it == lst.end())
        it = IsAfterDirection(dir) ? lst.end() : lst.begin();
    else if (IsAfterDirection(dir))
        ++it;
    lst.insert(it, pElement);

    // Shared out as the splitter lays out its children.
    CXTPDockingPaneSplitterContainer::Share share = measure.CalcSizes(lst, rcArea, FALSE);
    long long nAvail = std::max(share.nAvail, 0), nTotal = share.nTotal;
    int nPos = bHoriz ? rcArea.left : rcArea.top;
    const int nEnd = bHoriz ? rcArea.right : rcArea.bottom;
    for (size_t i = 0; i < lst.size(); ++i) {
        int nLength;
        if (lst[i]->m_nLength < 0) {
            nLength = -lst[i]->m_nLength;
        } else {
            nLength = nTotal > 0 ? static_cast<int>(lst[i]->m_nLength * nAvail / nTotal) : 0;
            nAvail = std::max(0LL, nAvail - nLength);
            nTotal -= lst[i]->m_nLength;
        }
        int nFar = i + 1 == lst.size() ? std::max(nEnd, nPos) : nPos + nLength;
        if (lst[i] == pElement) {
            rc = bHoriz ? CRect(nPos, rcArea.top, nFar, rcArea.bottom) : CRect(rcArea.left, nPos, rcArea.right, nFar);
            return;
        }
        nPos = nFar + measure.GetSplitterSize();
    }
}

void CXTPDockingPaneManager::GetLayout(CXTPDockingPaneLayout* pLayout) const
{
    if (pLayout && m_pLayout)
        pLayout->Copy(*m_pLayout);
}

void CXTPDockingPaneManager::SetLayout(CXTPDockingPaneLayout* pLayout)
{
    if (!pLayout || !m_pLayout || pLayout == m_pLayout)
        return;
    for (CXTPDockingPaneBase* pElement : m_pLayout->m_lstElements)
        if (pElement->GetType() == DPT_PANE)
            static_cast<CXTPDockingPane*>(pElement)->Detach();
    m_pLayout->Copy(*pLayout);
    RecalcFramesLayout();
}

CXTPDockingPanePaintManager* CXTPDockingPaneManager::GetPaintManager() const
{
    if (!m_pPaintManager)
        m_pPaintManager = CXTPDockingPanePaintManager::CreateTheme(0);
    return m_pPaintManager;
}

void CXTPDockingPaneManager::SetTheme(int nTheme)
{
    if (m_pPaintManager)
        m_pPaintManager->InternalRelease();
    m_pPaintManager = CXTPDockingPanePaintManager::CreateTheme(nTheme);
    RecalcFramesLayout();
}

void CXTPDockingPaneManager::RecalcFramesLayout()
{
    if (!GetSafeHwnd() || !m_pLayout)
        return;
    // The layout pass repaints only what it moves; asked for here, the look may have changed.
    RedrawPanes();
    XTPDockingPaneDelayRecalc(m_pSite);
    for (DockingPaneInfo& info : m_pLayout->m_lstPanes)
        if (info.pPane && info.pPane->m_pParentContainer)
            XTPDockingPaneDelayRecalc(info.pPane->m_pParentContainer->GetDockingSiteWnd());
    for (CXTPDockingPaneBase* pElement : m_pLayout->m_lstElements)
        if (pElement->GetType() == DPT_MINIWND)
            static_cast<CXTPDockingPaneMiniWnd*>(pElement)->OnThemeChanged();
}

LRESULT CXTPDockingPaneManager::Notify(WPARAM nCode, LPARAM lParam)
{
    if (!m_pSite || !m_pSite->GetSafeHwnd())
        return 0;
    return ::SendMessageA(m_pSite->GetSafeHwnd(), WM_DOCKPANE_NOTIFY, nCode, lParam);
}

BOOL CXTPDockingPaneManager::NotifyOwner(int nAction, CXTPDockingPane* pPane, CXTPDockingPaneBase* pContainer,
                                         int nExtra)
{
    DockingPaneAction action = {nAction, FALSE, pPane, pContainer, nExtra};
    Notify(DPN_ACTION, reinterpret_cast<LPARAM>(&action));
    return action.bCancel;
}

void CXTPDockingPaneManager::UpdatePanes()
{
    if (!m_pLayout)
        return;
    for (CXTPDockingPaneBase* pElement : m_pLayout->m_lstElements)
        if (pElement->GetType() == DPT_TABBED)
            pElement->OnFocusChanged();
}

void CXTPDockingPaneManager::AddElement(CXTPDockingPaneBase* pElement)
{
    if (m_pLayout)
        m_pLayout->AddElement(pElement);
}

BOOL CXTPDockingPaneManager::IsLayoutRTL() const
{
    return m_pSite && m_pSite->GetSafeHwnd() && (m_pSite->GetExStyle() & WS_EX_LAYOUTRTL) != 0;
}

int CXTPDockingPaneManager::MirrorDirection(int nDirection) const
{
    if (!IsLayoutRTL())
        return nDirection;
    if (nDirection == DPD_LEFT)
        return DPD_RIGHT;
    if (nDirection == DPD_RIGHT)
        return DPD_LEFT;
    return nDirection;
}

void CXTPDockingPaneManager::RedrawPanes()
{
    if (!m_pLayout)
        return;
    for (CXTPDockingPaneBase* pElement : m_pLayout->m_lstElements) {
        if (pElement->GetType() == DPT_TABBED)
            pElement->Invalidate();
        else if (pElement->GetType() == DPT_SPLITTER)
            for (CXTPDockingPaneSplitterWnd* pSplitter :
                 static_cast<CXTPDockingPaneSplitterContainer*>(pElement)->GetSplitters())
                ::InvalidateRect(pSplitter->GetSafeHwnd(), nullptr, FALSE);
    }
}

LRESULT CXTPDockingPaneManager::OnSizeParent(WPARAM /*wParam*/, LPARAM lParam)
{
    auto* lpLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    // The shaded themes draw across the whole frame: a new frame size repaints them all.
    if (lpLayout && lpLayout->hDWP && m_pSite && m_pSite->GetSafeHwnd()) {
        CRect rcSite;
        m_pSite->GetClientRect(&rcSite);
        if (rcSite.Size() != m_szSiteLaidOut) {
            m_szSiteLaidOut = rcSite.Size();
            RedrawPanes();
        }
    }
    if (m_pLayout && m_pLayout->m_pTopContainer && lpLayout) {
        m_pLayout->RepositionPanes(m_pSite, lpLayout->rect, lpLayout);
        SyncPaneHolders();
    }
    return 0;
}

LRESULT CXTPDockingPaneManager::OnIdleUpdateCmdUI(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    UpdatePanes();
    return 0;
}

void CXTPDockingPaneManager::OnSysColorChange()
{
    GetColorManager()->RefreshColors();
    RecalcFramesLayout();
}

void CXTPDockingPaneManager::OnSettingChange(UINT /*uFlags*/, LPCTSTR /*lpszSection*/)
{
    if (m_pPaintManager)
        m_pPaintManager->RefreshMetrics();
    RecalcFramesLayout();
}
