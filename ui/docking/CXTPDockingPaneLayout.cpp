// The pane layout: its elements and records, copying, purging, and its saved form.
#include "CXTPDockingPaneLayout.h"

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include "CException.h"
#include "CFrameWnd.h"
#include "CXTPDockingPane.h"
#include "CXTPDockingPaneAutoHidePanel.h"
#include "CXTPDockingPaneMiniWnd.h"
#include "CXTPDockingPaneSplitterContainer.h"
#include "CXTPDockingPaneTabbedContainer.h"
#include "CXTPPropExchange.h"
#include "DockingPaneLayoutPropExchange.h"
#include "DockingPaneLayoutRecords.h"

CXTPDockingPaneLayout::CXTPDockingPaneLayout(CXTPDockingPaneOwner* pManager) : m_pManager(pManager)
{
    m_pClient = CreatePaneOfType(DPT_CLIENT, this);
    m_pTopContainer = dynamic_cast<CXTPDockingPaneSplitterContainer*>(CreatePaneOfType(DPT_SPLITTER, this));
    if (m_pTopContainer && m_pClient)
        m_pTopContainer->Init(m_pClient, TRUE, GetSite());
}

CXTPDockingPaneLayout::~CXTPDockingPaneLayout()
{
    Free();
}

void CXTPDockingPaneLayout::DeleteElement(CXTPDockingPaneBase* pElement)
{
    if (auto* pPane = dynamic_cast<CXTPDockingPane*>(pElement))
        pPane->InternalRelease();
    else
        delete pElement;
}

void CXTPDockingPaneLayout::Free()
{
    // Containers go before the panes: a pane attached to an older group comes later in the
    // list than the group, and a group's window still reads its panes while it is destroyed.
    std::vector<CXTPDockingPaneBase*> elements;
    elements.swap(m_lstElements);
    for (auto it = elements.rbegin(); it != elements.rend(); ++it)
        if ((*it)->GetType() != DPT_PANE)
            DeleteElement(*it);
    for (auto it = elements.rbegin(); it != elements.rend(); ++it)
        if ((*it)->GetType() == DPT_PANE)
            DeleteElement(*it);
    m_lstPanes.clear();
    std::fill(std::begin(m_pAutoHidePanels), std::end(m_pAutoHidePanels), nullptr);
    m_pTopContainer = nullptr;
    m_pClient = nullptr;
}

void CXTPDockingPaneLayout::Copy(const CXTPDockingPaneLayout& from)
{
    if (&from == this)
        return;
    Free();
    CXTPDockingPaneCloneMap map;
    const std::vector<CXTPDockingPaneBase*> roots = from.m_lstElements;
    for (CXTPDockingPaneBase* pElement : roots)
        if (!pElement->m_pParentContainer)
            pElement->Clone(this, &map, 0);
    auto mapped = [&map](CXTPDockingPaneBase* pOld) -> CXTPDockingPaneBase* {
        auto it = map.find(pOld);
        return it == map.end() ? nullptr : it->second;
    };
    m_pTopContainer = dynamic_cast<CXTPDockingPaneSplitterContainer*>(mapped(from.m_pTopContainer));
    m_pClient = mapped(from.m_pClient);
    for (int i = 0; i < 4; ++i)
        m_pAutoHidePanels[i] = mapped(from.m_pAutoHidePanels[i]);
    for (const DockingPaneInfo& info : from.m_lstPanes) {
        auto* pPane = dynamic_cast<CXTPDockingPane*>(mapped(info.pPane));
        if (pPane)
            m_lstPanes.push_back({pPane, mapped(info.pFloatingHolder), mapped(info.pDockingHolder),
                                  mapped(info.pLastHolder)});
    }
}

DockingPaneInfo* CXTPDockingPaneLayout::FindPaneInfo(CXTPDockingPane* pPane)
{
    for (DockingPaneInfo& info : m_lstPanes)
        if (info.pPane == pPane)
            return &info;
    return nullptr;
}

void CXTPDockingPaneLayout::RepositionPanes(CWnd* pSite, CRect rc, AFX_SIZEPARENTPARAMS* lpLayout)
{
    for (CXTPDockingPaneBase* pPanel : m_pAutoHidePanels)
        if (pPanel)
            static_cast<CXTPDockingPaneAutoHidePanel*>(pPanel)->RepositionPanel(pSite, rc, lpLayout);
    if (m_pClient)
        m_pClient->OnSizeParent(pSite, rc, lpLayout);
    if (m_pTopContainer)
        m_pTopContainer->OnSizeParent(pSite, rc, lpLayout);
}

int CXTPDockingPaneLayout::GetAutoHideDirection(CXTPDockingPaneBase* pElement) const
{
    CXTPDockingPaneBase* pBranch = pElement;
    for (CXTPDockingPaneBase* pUp = pElement ? pElement->m_pParentContainer : nullptr; pUp;
         pBranch = pUp, pUp = pUp->m_pParentContainer) {
        if (pUp->GetType() == DPT_AUTOHIDE) {
            for (int i = 0; i < 4; ++i)
                if (m_pAutoHidePanels[i] == pUp)
                    return i;
            return DPD_LEFT;
        }
        auto* pSplitter = dynamic_cast<CXTPDockingPaneSplitterContainer*>(pUp);
        if (!pSplitter || !m_pClient || !pSplitter->ContainsPane(m_pClient))
            continue;
        const auto& children = pSplitter->GetChildren();
        auto branch = std::find(children.begin(), children.end(), pBranch);
        auto client = std::find_if(children.begin(), children.end(),
                                   [this](CXTPDockingPaneBase* pChild) { return pChild->ContainsPane(m_pClient); });
        BOOL bBefore = branch < client;
        if (pSplitter->IsHoriz())
            return bBefore ? DPD_LEFT : DPD_RIGHT;
        return bBefore ? DPD_TOP : DPD_BOTTOM;
    }
    return DPD_LEFT;
}

void CXTPDockingPaneLayout::HidePane(CXTPDockingPaneBase* pElement)
{
    if (!pElement)
        return;
    const int nDirection = GetAutoHideDirection(pElement);
    if (!m_pAutoHidePanels[nDirection]) {
        auto* pNew = dynamic_cast<CXTPDockingPaneAutoHidePanel*>(CreatePaneOfType(DPT_AUTOHIDE, this));
        if (!pNew)
            return;
        pNew->m_nDirection = static_cast<XTPDockingPaneDirection>(nDirection);
        m_pAutoHidePanels[nDirection] = pNew;
    }
    auto* pPanel = static_cast<CXTPDockingPaneAutoHidePanel*>(m_pAutoHidePanels[nDirection]);
    if (pElement->GetType() == DPT_PANE) {
        auto* pGroup = dynamic_cast<CXTPDockingPaneTabbedContainer*>(CreatePaneOfType(DPT_TABBED, this));
        if (!pGroup)
            return;
        if (pElement->m_pParentContainer)
            pElement->m_pParentContainer->RemovePane(pElement);
        pGroup->m_szDocking = pElement->m_szDocking;
        pGroup->m_rcWindow = pElement->m_rcWindow;
        pGroup->SetDockingSite(GetSite());
        pGroup->AddPane(static_cast<CXTPDockingPane*>(pElement));
        pElement = pGroup;
    } else if (pElement->GetType() == DPT_TABBED) {
        // Panes that may not hide stay in the old group.
        CXTPDockingPaneBase* pClone = pElement->Clone(this, nullptr, DPO_NOHIDE);
        if (!pClone)
            return;
        pElement = pClone;
    }
    pPanel->AddGroup(pElement);
}
void CXTPDockingPaneLayout::Purge()
{
    std::set<CXTPDockingPaneBase*> marked;
    for (const DockingPaneInfo& info : m_lstPanes) {
        marked.insert({info.pFloatingHolder, info.pDockingHolder, info.pLastHolder});
        if (info.pPane)
            marked.insert(info.pPane->m_pParentContainer);
    }
    // A pane without a record still keeps its group.
    for (CXTPDockingPaneBase* pElement : m_lstElements)
        if (pElement->GetType() == DPT_PANE && pElement->m_pParentContainer)
            marked.insert(pElement->m_pParentContainer);

    for (CXTPDockingPaneBase* pElement : m_lstElements)
        if (pElement->GetType() == DPT_TABBED && !marked.count(pElement) && pElement->m_pParentContainer)
            pElement->m_pParentContainer->RemovePane(pElement);

    // Backwards, so a splitter emptied by dropping its last child goes too.
    for (size_t i = m_lstElements.size(); i-- > 0;) {
        CXTPDockingPaneBase* pElement = m_lstElements[i];
        BOOL bDrop = FALSE;
        switch (pElement->GetType()) {
        case DPT_TABBED:
            bDrop = !marked.count(pElement);
            break;
        case DPT_SPLITTER:
            bDrop = pElement != m_pTopContainer &&
                    static_cast<CXTPDockingPaneSplitterContainer*>(pElement)->GetChildren().empty();
            break;
        case DPT_MINIWND:
            bDrop = !static_cast<CXTPDockingPaneMiniWnd*>(pElement)->GetTopContainer();
            break;
        default:
            break;
        }
        if (!bDrop)
            continue;
        if (pElement->m_pParentContainer)
            pElement->m_pParentContainer->RemovePane(pElement);
        m_lstElements.erase(m_lstElements.begin() + static_cast<std::ptrdiff_t>(i));
        DeleteElement(pElement);
    }
}

BOOL CXTPDockingPaneLayout::DoPropExchange(CXTPPropExchange* pPX)
{
    if (!pPX)
        return FALSE;
    if (!pPX->IsLoading()) {
        Save(pPX);
        return TRUE;
    }
    return Load(pPX);
}

void CXTPDockingPaneLayout::Save(CXTPPropExchange* pPX)
{
    pPX->EmptySection();
    Purge();

    std::map<CXTPDockingPaneBase*, int> index;
    for (size_t i = 0; i < m_lstElements.size(); ++i) {
        m_lstElements[i]->m_nIndex = static_cast<int>(i + 1);
        index[m_lstElements[i]] = static_cast<int>(i + 1);
    }
    auto indexOf = [&index](CXTPDockingPaneBase* pElement) {
        auto it = index.find(pElement);
        return it == index.end() ? 0 : it->second;
    };

    DockingPaneLayoutRecords records;
    for (CXTPDockingPaneBase* pElement : m_lstElements) {
        DockingPaneElementRecord r;
        r.nType = pElement->GetType();
        r.nDockingCX = pElement->m_szDocking.cx;
        r.nDockingCY = pElement->m_szDocking.cy;
        if (auto* pPane = dynamic_cast<CXTPDockingPane*>(pElement)) {
            r.strTitle = static_cast<const char*>(pPane->m_strTitle);
            r.nID = static_cast<int>(pPane->m_nID);
            r.nIconID = pPane->m_nIconID;
            r.nOptions = static_cast<int>(pPane->m_dwOptions);
            if (DockingPaneInfo* pInfo = FindPaneInfo(pPane)) {
                r.bHasHolders = true;
                r.nDockingHolder = indexOf(pInfo->pDockingHolder);
                r.nFloatingHolder = indexOf(pInfo->pFloatingHolder);
                r.nLastHolder = indexOf(pInfo->pLastHolder);
            }
            r.nMinTrackX = pPane->m_ptMinTrackSize.x;
            r.nMinTrackY = pPane->m_ptMinTrackSize.y;
            r.nMaxTrackX = pPane->m_ptMaxTrackSize.x;
            r.nMaxTrackY = pPane->m_ptMaxTrackSize.y;
        } else if (auto* pSplitter = dynamic_cast<CXTPDockingPaneSplitterContainer*>(pElement)) {
            r.bHoriz = pSplitter->IsHoriz() != FALSE;
            for (CXTPDockingPaneBase* pChild : pSplitter->GetChildren())
                r.children.push_back(indexOf(pChild));
        } else if (r.nType == DPT_TABBED) {
            CXTPDockingPaneBaseList panes;
            pElement->FindPane(DPT_PANE, &panes);
            for (CXTPDockingPaneBase* pPane : panes)
                r.children.push_back(indexOf(pPane));
            r.nSelected = indexOf(pElement->GetSelectedPane());
        } else if (auto* pFrame = dynamic_cast<CXTPDockingPaneMiniWnd*>(pElement)) {
            CRect rc = pFrame->m_rcWindow;
            if (pFrame->GetSafeHwnd())
                pFrame->GetWindowRect(&rc);
            r.nWindowTop = rc.top;
            r.nWindowBottom = rc.bottom;
            r.nWindowLeft = rc.left;
            r.nWindowRight = rc.right;
            r.bCollapsed = pFrame->m_bCollapsed != FALSE;
            r.nExpandedHeight = pFrame->m_nExpandedHeight;
            r.nTopContainer = indexOf(pFrame->GetTopContainer());
        } else if (auto* pPanel = dynamic_cast<CXTPDockingPaneAutoHidePanel*>(pElement)) {
            r.nDirection = pPanel->m_nDirection;
            for (CXTPDockingPaneBase* pGroup : pPanel->m_lstGroups)
                r.children.push_back(indexOf(pGroup));
        }
        records.elements.push_back(std::move(r));
    }
    records.nTopContainer = indexOf(m_pTopContainer);
    records.nClient = indexOf(m_pClient);

    DockingPaneLayoutPropExchange px(pPX);
    records.Exchange(px);
}

BOOL CXTPDockingPaneLayout::Load(CXTPPropExchange* pPX)
{
    Free();
    DockingPaneLayoutRecords records;
    DockingPaneLayoutPropExchange px(pPX);
    std::string reason;
    bool ok = false;
    try {
        ok = records.Exchange(px, &reason);
    } catch (CException* e) {
        e->Delete();
        reason = "the saved layout ends early";
    }
    if (!ok) {
        ::OutputDebugStringA(("Docking layout not loaded: " + reason + "\n").c_str());
        return FALSE;
    }

    // Checked records: every reference below names an element of the right type.
    std::vector<CXTPDockingPaneBase*> made(records.elements.size() + 1, nullptr);
    for (size_t i = 1; i < made.size(); ++i) {
        made[i] = CreatePaneOfType(records.elements[i - 1].nType, this);
        if (!made[i])
            return FALSE;
        made[i]->m_nIndex = static_cast<int>(i);
    }
    for (size_t i = 1; i < made.size(); ++i) {
        const DockingPaneElementRecord& r = records.elements[i - 1];
        CXTPDockingPaneBase* pElement = made[i];
        pElement->m_szDocking = {r.nDockingCX, r.nDockingCY};
        if (auto* pPane = dynamic_cast<CXTPDockingPane*>(pElement)) {
            pPane->m_strTitle = r.strTitle.c_str();
            pPane->m_nID = static_cast<UINT>(r.nID);
            pPane->m_nIconID = r.nIconID;
            pPane->m_dwOptions = static_cast<DWORD>(r.nOptions);
            pPane->m_ptMinTrackSize = {r.nMinTrackX, r.nMinTrackY};
            pPane->m_ptMaxTrackSize = {r.nMaxTrackX, r.nMaxTrackY};
            m_lstPanes.push_back({pPane, made[r.nFloatingHolder], made[r.nDockingHolder], made[r.nLastHolder]});
        } else if (auto* pSplitter = dynamic_cast<CXTPDockingPaneSplitterContainer*>(pElement)) {
            pSplitter->m_bHoriz = r.bHoriz ? TRUE : FALSE;
            for (int child : r.children)
                pSplitter->InsertPane(made[child], nullptr, TRUE);
        } else if (auto* pGroup = dynamic_cast<CXTPDockingPaneTabbedContainer*>(pElement)) {
            for (int child : r.children)
                pGroup->AddPane(static_cast<CXTPDockingPane*>(made[child]));
            for (int child : r.children)
                if (child == r.nSelected)
                    pGroup->SelectPane(static_cast<CXTPDockingPane*>(made[child]), FALSE);
        } else if (auto* pFrame = dynamic_cast<CXTPDockingPaneMiniWnd*>(pElement)) {
            // The records were checked: the index names a splitter no one else holds.
            pFrame->m_pTopContainer = static_cast<CXTPDockingPaneSplitterContainer*>(made[r.nTopContainer]);
            pFrame->m_pTopContainer->SetParentContainer(pFrame);
            pFrame->m_rcWindow = CRect(r.nWindowLeft, r.nWindowTop, r.nWindowRight, r.nWindowBottom);
            pFrame->m_bCollapsed = r.bCollapsed ? TRUE : FALSE;
            pFrame->m_nExpandedHeight = r.nExpandedHeight;
        } else if (auto* pPanel = dynamic_cast<CXTPDockingPaneAutoHidePanel*>(pElement)) {
            pPanel->m_nDirection = static_cast<XTPDockingPaneDirection>(r.nDirection);
            for (int child : r.children)
                pPanel->AddGroup(made[child]);
            m_pAutoHidePanels[r.nDirection] = pPanel;
        }
    }
    m_pTopContainer = static_cast<CXTPDockingPaneSplitterContainer*>(made[records.nTopContainer]);
    m_pClient = made[records.nClient];
    return TRUE;
}

void CXTPDockingPaneLayout::AddElement(CXTPDockingPaneBase* pElement)
{
    m_lstElements.push_back(pElement);
}

CFrameWnd* CXTPDockingPaneLayout::GetSite() const
{
    return m_pManager ? m_pManager->GetSite() : nullptr;
}

HWND CXTPDockingPaneLayout::GetManagerHwnd() const
{
    return m_pManager ? m_pManager->GetManagerHwnd() : nullptr;
}

CXTPDockingPanePaintManager* CXTPDockingPaneLayout::GetPaintManager() const
{
    return m_pManager ? m_pManager->GetPaintManager() : nullptr;
}

CXTPDockingPaneDragContext* CXTPDockingPaneLayout::GetDragContext() const
{
    return m_pManager ? m_pManager->GetDragContext() : nullptr;
}

LRESULT CXTPDockingPaneLayout::Notify(WPARAM nCode, LPARAM lParam)
{
    return m_pManager ? m_pManager->Notify(nCode, lParam) : 0;
}

BOOL CXTPDockingPaneLayout::NotifyOwner(int nAction, CXTPDockingPane* pPane, CXTPDockingPaneBase* pContainer,
                                        int nExtra)
{
    return m_pManager ? m_pManager->NotifyOwner(nAction, pPane, pContainer, nExtra) : FALSE;
}

void CXTPDockingPaneLayout::RecalcFramesLayout()
{
    if (m_pManager)
        m_pManager->RecalcFramesLayout();
}

void CXTPDockingPaneLayout::ShowPane(CXTPDockingPane* pPane)
{
    if (m_pManager)
        m_pManager->ShowPane(pPane);
}

void CXTPDockingPaneLayout::ClosePane(CXTPDockingPane* pPane)
{
    if (m_pManager)
        m_pManager->ClosePane(pPane);
}

void CXTPDockingPaneLayout::ToggleAutoHide(CXTPDockingPaneBase* pElement)
{
    if (m_pManager)
        m_pManager->ToggleAutoHide(pElement);
}

void CXTPDockingPaneLayout::ToggleDocking(CXTPDockingPaneBase* pElement)
{
    if (m_pManager)
        m_pManager->ToggleDocking(pElement);
}

void CXTPDockingPaneLayout::UpdatePanes()
{
    if (m_pManager)
        m_pManager->UpdatePanes();
}

CXTPDockingPaneBase* CXTPDockingPaneLayout::CreatePaneOfType(int nType, CXTPDockingPaneOwner* pLayout)
{
    return m_pManager ? m_pManager->CreatePaneOfType(nType, pLayout) : nullptr;
}

HICON CXTPDockingPaneLayout::GetPaneIcon(int nIconID, int cx)
{
    return m_pManager ? m_pManager->GetPaneIcon(nIconID, cx) : nullptr;
}

DWORD CXTPDockingPaneLayout::GetDefaultPaneOptions() const
{
    return m_pManager ? m_pManager->GetDefaultPaneOptions() : 0;
}

BOOL CXTPDockingPaneLayout::IsHideClient() const
{
    return m_pManager ? m_pManager->IsHideClient() : FALSE;
}

int CXTPDockingPaneLayout::GetMinTrackSize() const
{
    return m_pManager ? m_pManager->GetMinTrackSize() : 22;
}

BOOL CXTPDockingPaneLayout::IsGhostSplitter() const
{
    return m_pManager ? m_pManager->IsGhostSplitter() : TRUE;
}

BOOL CXTPDockingPaneLayout::IsLockSplitters() const
{
    return m_pManager ? m_pManager->IsLockSplitters() : FALSE;
}

BOOL CXTPDockingPaneLayout::IsCloseGroupOnButton() const
{
    return m_pManager ? m_pManager->IsCloseGroupOnButton() : FALSE;
}

BOOL CXTPDockingPaneLayout::IsHideGroupOnButton() const
{
    return m_pManager ? m_pManager->IsHideGroupOnButton() : TRUE;
}

BOOL CXTPDockingPaneLayout::IsThemedMiniFrames() const
{
    return m_pManager ? m_pManager->IsThemedMiniFrames() : FALSE;
}

CString CXTPDockingPaneLayout::GetFloatingCaption() const
{
    return m_pManager ? m_pManager->GetFloatingCaption() : CString();
}

void CXTPDockingPaneLayout::SyncPaneHolders()
{
    if (m_pManager)
        m_pManager->SyncPaneHolders();
}

BOOL CXTPDockingPaneLayout::IsAttachingPane() const
{
    return m_pManager ? m_pManager->IsAttachingPane() : FALSE;
}
