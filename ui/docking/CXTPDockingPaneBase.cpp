// The shared part of pane-tree elements and the client placeholder.
#include "CXTPDockingPaneBase.h"

#include "CFrameWnd.h"
#include "CXTPDockingPaneCaptionButton.h"
#include "CXTPPropExchange.h"

void XTPDockingPaneDelayRecalc(CWnd* pSite)
{
    if (!pSite || !pSite->GetSafeHwnd())
        return;
    auto* pFrame = dynamic_cast<CFrameWnd*>(pSite);
    if (!pFrame)
        pFrame = pSite->GetParentFrame();
    if (pFrame)
        pFrame->DelayRecalcLayout();
}

BOOL XTPDockingPaneMoveWindow(HWND hWnd, HWND hWndAfter, const CRect& rc, AFX_SIZEPARENTPARAMS* lpLayout)
{
    CRect rcNow;
    ::GetWindowRect(hWnd, &rcNow);
    ::MapWindowPoints(nullptr, ::GetParent(hWnd), reinterpret_cast<POINT*>(&rcNow), 2);
    // Moving it in place would still redo the z-order and the visible regions of every
    // sibling, which a layout pass per splitter step cannot afford.
    if (rcNow == rc)
        return FALSE;
    // The erasing waits for the paint that follows the layout: erased at once, every move
    // would erase the site and all its freshly moved children again.
    const UINT nFlags = SWP_NOACTIVATE | SWP_DEFERERASE;
    if (lpLayout && lpLayout->hDWP)
        lpLayout->hDWP =
            ::DeferWindowPos(lpLayout->hDWP, hWnd, hWndAfter, rc.left, rc.top, rc.Width(), rc.Height(), nFlags);
    else
        ::SetWindowPos(hWnd, hWndAfter, rc.left, rc.top, rc.Width(), rc.Height(), nFlags);
    return TRUE;
}

CXTPDockingPaneBase::CXTPDockingPaneBase(int nType, CXTPDockingPaneOwner* pLayout)
    : m_pLayout(pLayout), m_nType(nType)
{
    if (m_pLayout) {
        m_pDockingSite = m_pLayout->GetSite();
        m_pLayout->AddElement(this);
    }
}

CXTPDockingPaneBase::~CXTPDockingPaneBase()
{
    for (CXTPDockingPaneCaptionButton* pButton : m_arrCaptionButtons)
        delete pButton;
}

void CXTPDockingPaneBase::Invalidate()
{
    if (HWND hWnd = GetPaneHwnd())
        ::InvalidateRect(hWnd, nullptr, FALSE);
}

int CXTPDockingPaneBase::ContainsPane(CXTPDockingPaneBase* pPane) const
{
    return pPane == this ? 1 : 0;
}

void CXTPDockingPaneBase::FindPane(int nType, CXTPDockingPaneBaseList* pList)
{
    if (m_nType == nType)
        pList->push_back(this);
}

void CXTPDockingPaneBase::GetMinMaxInfo(LPMINMAXINFO pMinMaxInfo) const
{
    *pMinMaxInfo = MINMAXINFO{};
    pMinMaxInfo->ptMaxTrackSize = {32000, 32000};
}

void CXTPDockingPaneBase::OnSizeParent(CWnd* /*pParent*/, CRect rect, AFX_SIZEPARENTPARAMS* lpLayout)
{
    m_rcWindow = rect;
    if (lpLayout)
        lpLayout->rect = rect;
}

BOOL CXTPDockingPaneBase::DoPropExchange(CXTPPropExchange* pPX)
{
    long cx = m_szDocking.cx, cy = m_szDocking.cy;
    PX_LongDefault(pPX, "DockingCX", cx, 0);
    PX_LongDefault(pPX, "DockingCY", cy, 0);
    if (pPX->IsLoading())
        m_szDocking = {static_cast<int>(cx), static_cast<int>(cy)};
    return TRUE;
}

CXTPDockingPaneBase* CXTPDockingPaneBase::Clone(CXTPDockingPaneOwner* pLayout, CXTPDockingPaneCloneMap* pMap,
                                                DWORD /*dwIgnoredOptions*/)
{
    // Only a layout copy clones the placeholder, and it always brings a map.
    if (!pMap)
        return nullptr;
    auto* pClone = new CXTPDockingPaneBase(m_nType, pLayout);
    pClone->m_szDocking = m_szDocking;
    pClone->m_rcWindow = m_rcWindow;
    (*pMap)[this] = pClone;
    return pClone;
}

BOOL CXTPDockingPaneBase::IsEmpty() const
{
    return m_nType == DPT_CLIENT && m_pLayout && m_pLayout->IsHideClient();
}

CRect CXTPDockingPaneBase::GetScreenRect() const
{
    CRect rc = m_rcWindow;
    if (m_pDockingSite && m_pDockingSite->GetSafeHwnd())
        m_pDockingSite->ClientToScreen(&rc);
    return rc;
}

CXTPDockingPaneCaptionButton* CXTPDockingPaneBase::FindCaptionButton(int nID) const
{
    for (CXTPDockingPaneCaptionButton* pButton : m_arrCaptionButtons)
        if (pButton->GetID() == nID)
            return pButton;
    return nullptr;
}

CXTPDockingPanePaintManager* CXTPDockingPaneBase::GetPaintManager() const
{
    return m_pLayout ? m_pLayout->GetPaintManager() : nullptr;
}
