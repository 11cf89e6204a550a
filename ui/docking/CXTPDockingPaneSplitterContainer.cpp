// The splitter container: sharing out space, laying out children and splitter windows.
#include "CXTPDockingPaneSplitterContainer.h"

#include <algorithm>

#include "CFrameWnd.h"
#include "CXTPDockingPanePaintManager.h"
#include "CXTPDockingPaneSplitterWnd.h"

CXTPDockingPaneBase* XTPDockingPaneFindClient(CXTPDockingPaneBase* pElement)
{
    if (!pElement)
        return nullptr;
    if (pElement->GetType() == DPT_CLIENT)
        return pElement;
    if (auto* pSplitter = dynamic_cast<CXTPDockingPaneSplitterContainer*>(pElement))
        for (CXTPDockingPaneBase* pChild : pSplitter->m_lstChildren)
            if (CXTPDockingPaneBase* pClient = XTPDockingPaneFindClient(pChild))
                return pClient;
    return nullptr;
}

CXTPDockingPaneSplitterContainer::CXTPDockingPaneSplitterContainer(CXTPDockingPaneOwner* pLayout)
    : CXTPDockingPaneBase(DPT_SPLITTER, pLayout)
{
}

CXTPDockingPaneSplitterContainer::~CXTPDockingPaneSplitterContainer()
{
    DeleteSplitters();
}

int CXTPDockingPaneSplitterContainer::GetSplitterSize() const
{
    CXTPDockingPanePaintManager* pPaint = GetPaintManager();
    return pPaint ? pPaint->m_nSplitterSize : 4;
}

void CXTPDockingPaneSplitterContainer::Init(CXTPDockingPaneBase* pFirst, BOOL bHoriz, CWnd* pSite)
{
    m_pDockingSite = pSite;
    m_bHoriz = bHoriz;
    m_lstChildren.push_back(pFirst);
    pFirst->SetParentContainer(this);
    pFirst->SetDockingSite(pSite);
    m_szDocking = pFirst->m_szDocking;
}

void CXTPDockingPaneSplitterContainer::InsertPane(CXTPDockingPaneBase* pElement, CXTPDockingPaneBase* pNeighbour,
                                                  BOOL bAfter)
{
    auto it = std::find(m_lstChildren.begin(), m_lstChildren.end(), pNeighbour);
    if (bAfter)
        m_lstChildren.insert(it == m_lstChildren.end() ? it : it + 1, pElement);
    else
        m_lstChildren.insert(it == m_lstChildren.end() ? m_lstChildren.begin() : it, pElement);
    pElement->SetParentContainer(this);
    pElement->SetDockingSite(m_pDockingSite);
    XTPDockingPaneDelayRecalc(m_pDockingSite);
    RebuildSplitters();
    if (m_pParentContainer)
        m_pParentContainer->OnChildContainerChanged(this);
    pElement->OnParentContainerChanged(this);
}

void CXTPDockingPaneSplitterContainer::ReplacePane(CXTPDockingPaneBase* pOld, CXTPDockingPaneBase* pNew)
{
    auto it = std::find(m_lstChildren.begin(), m_lstChildren.end(), pOld);
    if (it == m_lstChildren.end())
        return;
    *it = pNew;
    pNew->SetParentContainer(this);
    RebuildSplitters();
    if (m_pParentContainer)
        m_pParentContainer->OnChildContainerChanged(this);
}

void CXTPDockingPaneSplitterContainer::RemovePane(CXTPDockingPaneBase* pPane)
{
    auto it = std::find(m_lstChildren.begin(), m_lstChildren.end(), pPane);
    if (it == m_lstChildren.end())
        return;
    m_lstChildren.erase(it);
    RebuildSplitters();
    XTPDockingPaneDelayRecalc(m_pDockingSite);
    if (m_pParentContainer)
        m_pParentContainer->OnChildContainerChanged(this);
    if (m_lstChildren.empty() && m_pParentContainer)
        m_pParentContainer->RemovePane(this);
    pPane->SetParentContainer(nullptr);
}

void CXTPDockingPaneSplitterContainer::OnChildContainerChanged(CXTPDockingPaneBase* /*pContainer*/)
{
    if (m_pParentContainer)
        m_pParentContainer->OnChildContainerChanged(this);
    RebuildSplitters();
    XTPDockingPaneDelayRecalc(m_pDockingSite);
}

void CXTPDockingPaneSplitterContainer::OnParentContainerChanged(CXTPDockingPaneBase* pContainer)
{
    m_pDockingSite = pContainer->m_pDockingSite;
    RebuildSplitters();
    for (CXTPDockingPaneBase* pChild : m_lstChildren)
        pChild->OnParentContainerChanged(pContainer);
}

BOOL CXTPDockingPaneSplitterContainer::IsEmpty() const
{
    return std::all_of(m_lstChildren.begin(), m_lstChildren.end(),
                       [](const CXTPDockingPaneBase* p) { return p->IsEmpty(); });
}

int CXTPDockingPaneSplitterContainer::ContainsPane(CXTPDockingPaneBase* pPane) const
{
    if (pPane == this)
        return 1;
    for (size_t i = 0; i < m_lstChildren.size(); ++i)
        if (m_lstChildren[i]->ContainsPane(pPane))
            return static_cast<int>(i) + 1;
    return 0;
}

void CXTPDockingPaneSplitterContainer::FindPane(int nType, CXTPDockingPaneBaseList* pList)
{
    for (CXTPDockingPaneBase* pChild : m_lstChildren) {
        if (pChild->IsEmpty())
            continue;
        if (pChild->GetType() == nType)
            pList->push_back(pChild);
        else
            pChild->FindPane(nType, pList);
    }
}

std::vector<CXTPDockingPaneBase*> CXTPDockingPaneSplitterContainer::VisibleChildren() const
{
    std::vector<CXTPDockingPaneBase*> visible;
    for (CXTPDockingPaneBase* pChild : m_lstChildren)
        if (!pChild->IsEmpty())
            visible.push_back(pChild);
    return visible;
}

void CXTPDockingPaneSplitterContainer::GetMinMaxInfo(LPMINMAXINFO pMinMaxInfo) const
{
    CXTPDockingPaneBase::GetMinMaxInfo(pMinMaxInfo);
    std::vector<CXTPDockingPaneBase*> visible = VisibleChildren();
    if (visible.empty())
        return;
    visible.front()->GetMinMaxInfo(pMinMaxInfo);
    auto along = [this](POINT& pt) -> LONG& { return m_bHoriz ? pt.x : pt.y; };
    auto across = [this](POINT& pt) -> LONG& { return m_bHoriz ? pt.y : pt.x; };
    for (size_t i = 1; i < visible.size(); ++i) {
        MINMAXINFO mmi;
        visible[i]->GetMinMaxInfo(&mmi);
        along(pMinMaxInfo->ptMinTrackSize) += along(mmi.ptMinTrackSize);
        along(pMinMaxInfo->ptMaxTrackSize) += along(mmi.ptMaxTrackSize);
        across(pMinMaxInfo->ptMinTrackSize) = std::max(across(pMinMaxInfo->ptMinTrackSize), across(mmi.ptMinTrackSize));
        across(pMinMaxInfo->ptMaxTrackSize) = std::min(across(pMinMaxInfo->ptMaxTrackSize), across(mmi.ptMaxTrackSize));
    }
    LONG gaps = static_cast<LONG>(visible.size() - 1) * GetSplitterSize();
    along(pMinMaxInfo->ptMinTrackSize) += gaps;
    along(pMinMaxInfo->ptMaxTrackSize) += gaps;
}

CXTPDockingPaneSplitterContainer::Share CXTPDockingPaneSplitterContainer::CalcSizes(
    const std::vector<CXTPDockingPaneBase*>& lst, CRect rect, BOOL bApply)
{
    const BOOL bHideClient = m_pLayout && m_pLayout->IsHideClient();
    CXTPDockingPaneBase* pFiller = nullptr;
    std::vector<MINMAXINFO> bounds(lst.size());
    long long nTotal = 0;
    for (size_t i = 0; i < lst.size(); ++i) {
        CXTPDockingPaneBase* pChild = lst[i];
        pChild->GetMinMaxInfo(&bounds[i]);
        int nMin = m_bHoriz ? bounds[i].ptMinTrackSize.x : bounds[i].ptMinTrackSize.y;
        int nMax = m_bHoriz ? bounds[i].ptMaxTrackSize.x : bounds[i].ptMaxTrackSize.y;
        int nLength = m_bHoriz ? pChild->m_szDocking.cx : pChild->m_szDocking.cy;
        nLength = std::max(std::min(nLength, nMax), nMin);
        if (!pFiller && XTPDockingPaneFindClient(pChild) &&
            !(bHideClient && (pChild->m_szDocking.cx || pChild->m_szDocking.cy))) {
            pFiller = pChild;
            nLength = 0;
            if (bApply)
                pChild->m_szDocking = {0, 0};
        }
        pChild->m_nLength = nLength;
        nTotal += nLength;
    }

    long long nAvail = (m_bHoriz ? rect.Width() : rect.Height()) -
                       static_cast<long long>(lst.size() - 1) * GetSplitterSize();
    if (pFiller && nTotal < nAvail) {
        pFiller->m_nLength = static_cast<int>(nAvail - nTotal);
        if (bApply)
            (m_bHoriz ? pFiller->m_szDocking.cx : pFiller->m_szDocking.cy) = pFiller->m_nLength;
        nTotal = nAvail;
    }
    if (nAvail < 1)
        return {static_cast<int>(nAvail), static_cast<int>(nTotal)};

    // Each pass fixes at most one child at a bound, so the passes end.
    for (bool bFixed = true; bFixed;) {
        bFixed = false;
        for (size_t i = 0; i < lst.size() && nTotal != 0; ++i) {
            CXTPDockingPaneBase* pChild = lst[i];
            if (pChild->m_nLength < 0)
                continue;
            int nMin = m_bHoriz ? bounds[i].ptMinTrackSize.x : bounds[i].ptMinTrackSize.y;
            int nMax = m_bHoriz ? bounds[i].ptMaxTrackSize.x : bounds[i].ptMaxTrackSize.y;
            long long nShare = nAvail * pChild->m_nLength / nTotal;
            long long nBound;
            if (nShare < nMin)
                nBound = nMin;
            else if (nShare > nMax)
                nBound = nMax;
            else
                continue;
            nAvail -= nBound;
            nTotal -= pChild->m_nLength;
            if (nAvail < 0) {
                nBound += nAvail;
                nAvail = 0;
                pChild->m_nLength = static_cast<int>(-nBound);
                return {0, static_cast<int>(nTotal)};
            }
            pChild->m_nLength = static_cast<int>(-nBound);
            // A zero bound reads as unfixed; its length is 0 now, so it takes no share again.
            bFixed = nBound != 0;
            break;
        }
    }
    return {static_cast<int>(nAvail), static_cast<int>(nTotal)};
}

void CXTPDockingPaneSplitterContainer::OnSizeParent(CWnd* pParent, CRect rect, AFX_SIZEPARENTPARAMS* lpLayout)
{
    m_pDockingSite = pParent;
    m_rcWindow = rect;
    std::vector<CXTPDockingPaneBase*> visible = VisibleChildren();
    if (visible.empty())
        return;

    // A hidden client counts as empty itself, so it is looked for among all children: the
    // MDI area must vanish also when the placeholder sits right in this container.
    if (m_pLayout && m_pLayout->IsHideClient()) {
        for (CXTPDockingPaneBase* pChild : m_lstChildren)
            if (CXTPDockingPaneBase* pClient = XTPDockingPaneFindClient(pChild))
                pClient->OnSizeParent(pParent, CRect(), lpLayout);
    }
    if (visible.size() == 1) {
        visible.front()->OnSizeParent(pParent, rect, lpLayout);
        return;
    }
    if (m_bLayoutLock)
        return;
    m_bLayoutLock = TRUE;
    Share share = CalcSizes(visible, rect, TRUE);
    long long nAvail = std::max(share.nAvail, 0), nTotal = share.nTotal;
    const int nSplitter = GetSplitterSize();
    int nPos = m_bHoriz ? rect.left : rect.top;
    const int nEnd = m_bHoriz ? rect.right : rect.bottom;
    for (size_t i = 0; i < visible.size(); ++i) {
        CXTPDockingPaneBase* pChild = visible[i];
        int nLength;
        if (pChild->m_nLength < 0) {
            nLength = -pChild->m_nLength;
        } else {
            nLength = nTotal > 0 ? static_cast<int>(pChild->m_nLength * nAvail / nTotal) : 0;
            nAvail = std::max(0LL, nAvail - nLength);
            nTotal -= pChild->m_nLength;
        }
        // Without room the last child would end before it starts: it gets an empty rectangle.
        int nFar = i + 1 == visible.size() ? std::max(nEnd, nPos) : nPos + nLength;
        CRect rcChild = m_bHoriz ? CRect(nPos, rect.top, nFar, rect.bottom) : CRect(rect.left, nPos, rect.right, nFar);
        pChild->OnSizeParent(pParent, rcChild, lpLayout);
        if (i + 1 < visible.size() && i < m_lstSplitters.size() && lpLayout && lpLayout->hDWP) {
            CRect rcStrip = m_bHoriz ? CRect(nFar, rect.top, nFar + nSplitter, rect.bottom)
                                     : CRect(rect.left, nFar, rect.right, nFar + nSplitter);
            rcStrip.IntersectRect(rcStrip, rect);
            HWND hWndSplitter = m_lstSplitters[i]->GetSafeHwnd();
            if (XTPDockingPaneMoveWindow(hWndSplitter, HWND_BOTTOM, rcStrip, lpLayout))
                ::InvalidateRect(hWndSplitter, nullptr, FALSE);
        }
        nPos = nFar + nSplitter;
    }
    m_bLayoutLock = FALSE;
}

CXTPDockingPaneSplitterWnd* CXTPDockingPaneSplitterContainer::OnCreateSplitter()
{
    return new CXTPDockingPaneSplitterWnd();
}

void CXTPDockingPaneSplitterContainer::DeleteSplitters()
{
    for (CXTPDockingPaneSplitterWnd* pSplitter : m_lstSplitters) {
        pSplitter->DestroyWindow();
        delete pSplitter;
    }
    m_lstSplitters.clear();
}

void CXTPDockingPaneSplitterContainer::RebuildSplitters()
{
    if (m_bLayoutLock)
        return;
    std::vector<CXTPDockingPaneSplitterWnd*> lstOld;
    lstOld.swap(m_lstSplitters);
    std::vector<CXTPDockingPaneBase*> visible;
    if (m_lstChildren.size() >= 2)
        visible = VisibleChildren();
    const HWND hWndSite = m_pDockingSite ? m_pDockingSite->GetSafeHwnd() : nullptr;
    for (size_t i = 0; i + 1 < visible.size(); ++i) {
        // A splitter between the same neighbours in the same site is kept: switching a tab
        // or showing a pane need not remake and repaint every splitter window.
        auto it = std::find_if(lstOld.begin(), lstOld.end(), [&](CXTPDockingPaneSplitterWnd* pOld) {
            return pOld && pOld->GetFirst() == visible[i] && pOld->GetSecond() == visible[i + 1] &&
                   pOld->GetSafeHwnd() && ::GetParent(pOld->GetSafeHwnd()) == hWndSite;
        });
        if (it != lstOld.end()) {
            m_lstSplitters.push_back(*it);
            *it = nullptr;
            continue;
        }
        CXTPDockingPaneSplitterWnd* pSplitter = OnCreateSplitter();
        pSplitter->Create(this, visible[i], visible[i + 1]);
        m_lstSplitters.push_back(pSplitter);
    }
    for (CXTPDockingPaneSplitterWnd* pOld : lstOld) {
        if (!pOld)
            continue;
        pOld->DestroyWindow();
        delete pOld;
    }
}

CXTPDockingPaneBase* CXTPDockingPaneSplitterContainer::Clone(CXTPDockingPaneOwner* pLayout,
                                                             CXTPDockingPaneCloneMap* pMap, DWORD dwIgnoredOptions)
{
    if (!m_pLayout)
        return nullptr;
    auto* pClone = dynamic_cast<CXTPDockingPaneSplitterContainer*>(m_pLayout->CreatePaneOfType(DPT_SPLITTER, pLayout));
    if (!pClone)
        return nullptr;
    pClone->m_bHoriz = m_bHoriz;
    pClone->m_pDockingSite = pLayout ? pLayout->GetSite() : nullptr;
    for (CXTPDockingPaneBase* pChild : m_lstChildren) {
        if (!pMap && pChild->IsEmpty())
            continue;
        if (CXTPDockingPaneBase* pChildClone = pChild->Clone(pLayout, pMap, dwIgnoredOptions)) {
            pClone->m_lstChildren.push_back(pChildClone);
            pChildClone->SetParentContainer(pClone);
        }
    }
    pClone->m_szDocking = m_szDocking;
    pClone->m_rcWindow = m_rcWindow;
    if (pMap)
        (*pMap)[this] = pClone;
    return pClone;
}
