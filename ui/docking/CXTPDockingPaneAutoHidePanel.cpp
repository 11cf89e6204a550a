// The auto-hide panel: its hidden groups, the tab rows laid out and painted, pointing and
// clicking that slide a group out, and its place in the frame's layout pass.
#include "CXTPDockingPaneAutoHidePanel.h"

#include <algorithm>

#include "CDC.h"
#include "CFrameWnd.h"
#include "CXTPBufferDC.h"
#include "CXTPColorManager.h"
#include "CXTPDockingPane.h"
#include "CXTPDockingPaneAutoHideWnd.h"
#include "CXTPDockingPaneLayout.h"
#include "CXTPDockingPanePaintManager.h"
#include "CXTPDockingPaneTabbedContainer.h"
#include "CXTPDrawHelpers.h"
#include "CXTPTabAppearance.h"
#include "CXTPTabColorSet.h"
#include "CXTPTabManagerItem.h"
#include "CXTPTabPaintManager.h"
#include "DockingPaneDropTarget.h"

double s_dAnimationSpeed = -1.0;
BOOL s_bCloseSlideOut = TRUE;
int s_nHoverTime = static_cast<int>(HOVER_DEFAULT);
int s_nCheckPeriod = 100;

// ---- One row of tabs -------------------------------------------------------------------------

CXTPDockingPaneAutoHideTabGroup::CXTPDockingPaneAutoHideTabGroup(CXTPDockingPaneAutoHidePanel* pPanel)
    : m_pPanel(pPanel)
{
    // A row is as long as its tabs: it never scrolls.
    for (int nId : {0, 1})
        if (CXTPTabManagerNavigateButton* pButton = FindNavigateButton(nId))
            pButton->SetFlags(xtpTabNavigateButtonNone);
}

CXTPTabPaintManager* CXTPDockingPaneAutoHideTabGroup::GetPaintManager() const
{
    CXTPDockingPanePaintManager* pPaint = m_pPanel->CXTPDockingPaneBase::GetPaintManager();
    return pPaint ? pPaint->GetAutoHidePanelPaintManager() : nullptr;
}

void CXTPDockingPaneAutoHideTabGroup::RedrawControl()
{
    if (m_pPanel->GetSafeHwnd())
        ::InvalidateRect(m_pPanel->GetSafeHwnd(), nullptr, FALSE);
}

BOOL CXTPDockingPaneAutoHideTabGroup::DrawIcon(CDC* pDC, CPoint pt, CXTPTabManagerItem* pItem, BOOL bDraw,
                                               CSize& szIcon) const
{
    if (!pItem)
        return TRUE;
    CXTPTabPaintManager* pTabPaint = GetPaintManager();
    if (!pTabPaint || !pTabPaint->m_bShowIcons)
        return FALSE;
    auto* pPane = reinterpret_cast<CXTPDockingPane*>(pItem->GetData());
    HICON hIcon = pPane ? pPane->GetIcon(szIcon.cx) : nullptr;
    if (!hIcon)
        return FALSE;
    if (bDraw && pDC)
        ::DrawIconEx(pDC->GetSafeHdc(), pt.x, pt.y, hIcon, szIcon.cx, szIcon.cy, 0, nullptr, DI_NORMAL);
    return TRUE;
}

int CXTPDockingPaneAutoHideTabGroup::GetPosition() const
{
    static const int kPositions[] = {3, 1, 2, 0};  // left, right, top, bottom panels
    return kPositions[m_pPanel->GetDirection() & 3];
}

// ---- The panel -------------------------------------------------------------------------------

CXTPDockingPaneAutoHidePanel::CXTPDockingPaneAutoHidePanel(CXTPDockingPaneOwner* pLayout)
    : CXTPDockingPaneBase(DPT_AUTOHIDE, pLayout),
      m_pDropTarget(new DockingPaneDropTarget<CXTPDockingPaneAutoHidePanel>(this))
{
}

CXTPDockingPaneAutoHidePanel::~CXTPDockingPaneAutoHidePanel()
{
    if (CXTPDockingPaneAutoHideWnd* pWnd = m_pActiveWnd) {
        m_pActiveWnd = nullptr;
        pWnd->m_pGroup = nullptr;
        pWnd->m_pPanel = nullptr;
        pWnd->Close();
    }
    if (m_hWnd)
        DestroyWindow();
    DeleteTabGroups();
    m_pDropTarget->InternalRelease();
}

void CXTPDockingPaneAutoHidePanel::DeleteTabGroups()
{
    for (CXTPDockingPaneAutoHideTabGroup* pGroup : m_arrTabGroups)
        delete pGroup;
    m_arrTabGroups.clear();
}

BOOL CXTPDockingPaneAutoHidePanel::Create(CWnd* pParent)
{
    const char* lpszClass = AfxRegisterWndClass(0, ::LoadCursorA(nullptr, IDC_ARROW));
    if (!CWnd::Create(lpszClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, CRect(0, 0, 0, 0),
                      pParent, 0))
        return FALSE;
    // Without the system's drag and drop started in this thread there is no target; nothing else needs it.
    m_pDropTarget->Register(this);
    return TRUE;
}

int CXTPDockingPaneAutoHidePanel::GetPanelThickness() const
{
    CXTPDockingPanePaintManager* pPaint = CXTPDockingPaneBase::GetPaintManager();
    CXTPTabPaintManager* pTabPaint = pPaint ? pPaint->GetAutoHidePanelPaintManager() : nullptr;
    CXTPTabAppearance* pAppearance = pTabPaint ? pTabPaint->GetAppearanceSet() : nullptr;
    if (!pAppearance)
        return 0;
    CXTPDockingPaneAutoHideTabGroup probe(const_cast<CXTPDockingPaneAutoHidePanel*>(this));
    const CRect rcMargin = pAppearance->GetHeaderMargin();
    return pAppearance->GetTabHeight(&probe) + rcMargin.top + rcMargin.bottom;
}

BOOL CXTPDockingPaneAutoHidePanel::IsEmpty() const
{
    return std::all_of(m_lstGroups.begin(), m_lstGroups.end(), [](CXTPDockingPaneBase* p) { return p->IsEmpty(); });
}

int CXTPDockingPaneAutoHidePanel::ContainsPane(CXTPDockingPaneBase* pPane) const
{
    if (pPane == this)
        return 1;
    for (size_t i = 0; i < m_lstGroups.size(); ++i)
        if (m_lstGroups[i]->ContainsPane(pPane))
            return static_cast<int>(i) + 1;
    return 0;
}

void CXTPDockingPaneAutoHidePanel::FindPane(int nType, CXTPDockingPaneBaseList* pList)
{
    for (CXTPDockingPaneBase* pGroup : m_lstGroups) {
        if (pGroup->IsEmpty())
            continue;
        if (pGroup->GetType() == nType)
            pList->push_back(pGroup);
        else
            pGroup->FindPane(nType, pList);
    }
}

void CXTPDockingPaneAutoHidePanel::RepositionPanel(CWnd* pSite, CRect& rc, AFX_SIZEPARENTPARAMS* lpLayout)
{
    if (IsEmpty()) {
        if (m_hWnd)
            DestroyWindow();
        return;
    }
    if (!m_hWnd)
        Create(pSite);
    CloseActiveWnd(FALSE);
    const int t = GetPanelThickness();
    CRect rcBand = rc;
    switch (m_nDirection) {
    case DPD_LEFT:
        rcBand.right = rc.left + t;
        rc.left += t;
        break;
    case DPD_RIGHT:
        rcBand.left = rc.right - t;
        rc.right -= t;
        break;
    case DPD_TOP:
        rcBand.bottom = rc.top + t;
        rc.top += t;
        break;
    default:
        rcBand.top = rc.bottom - t;
        rc.bottom -= t;
        break;
    }
    m_rcWindow = rcBand;
    if (m_hWnd) {
        HDC hDC = ::GetDC(m_hWnd);
        CDC dc;
        dc.Attach(hDC);
        LayoutRows(&dc, CRect(0, 0, rcBand.Width(), rcBand.Height()));
        dc.Detach();
        ::ReleaseDC(m_hWnd, hDC);
    }
    if (lpLayout && lpLayout->hDWP && m_hWnd) {
        XTPDockingPaneMoveWindow(m_hWnd, nullptr, rcBand, lpLayout);
        Redraw();
    }
}

void CXTPDockingPaneAutoHidePanel::LayoutRows(CDC* pDC, CRect rc)
{
    // Side panels start below a top panel that shows tabs.
    if (m_nDirection == DPD_LEFT || m_nDirection == DPD_RIGHT) {
        auto* pLayout = dynamic_cast<CXTPDockingPaneLayout*>(m_pLayout);
        CXTPDockingPaneBase* pTop = pLayout ? pLayout->m_pAutoHidePanels[DPD_TOP] : nullptr;
        if (pTop && !pTop->IsEmpty())
            rc.top += GetPanelThickness();
    }
    DeleteTabGroups();
    CXTPDockingPanePaintManager* pPaint = CXTPDockingPaneBase::GetPaintManager();
    CXTPTabPaintManager* pTabPaint = pPaint ? pPaint->GetAutoHidePanelPaintManager() : nullptr;
    if (!pTabPaint || !pTabPaint->GetAppearanceSet())
        return;
    const CRect m = pTabPaint->GetAppearanceSet()->GetHeaderMargin();
    const BOOL bAcross = m_nDirection == DPD_TOP || m_nDirection == DPD_BOTTOM;
    for (CXTPDockingPaneBase* pBase : m_lstGroups) {
        if (pBase->IsEmpty())
            continue;
        auto* pGroup = static_cast<CXTPDockingPaneTabbedContainer*>(pBase);
        auto* pRow = new CXTPDockingPaneAutoHideTabGroup(this);
        m_arrTabGroups.push_back(pRow);
        for (CXTPDockingPane* pPane : pGroup->GetPanes()) {
            CXTPTabManagerItem* pItem = pRow->InsertItem(-1);
            pItem->SetData(reinterpret_cast<DWORD_PTR>(pPane));
            pItem->SetCaption(pPane->GetTabCaption());
            pItem->SetColor(pPane->GetTabColor());
            if (pPane == pGroup->GetSelectedPane())
                pRow->SetSelectedItem(pItem);
        }
        // The four panels share one tab paint manager: the side is set before each use.
        if (pTabPaint->GetPosition() != pRow->GetPosition())
            pTabPaint->SetPosition(pRow->GetPosition());
        pTabPaint->RepositionTabControl(pRow, pDC, rc);
        pRow->m_rcGroup = rc;
        const int nStep = pRow->GetItemsLength() + m.left + m.right + 8;
        if (bAcross)
            rc.left += nStep;
        else
            rc.top += nStep;
    }
}

void CXTPDockingPaneAutoHidePanel::Redraw()
{
    if (m_hWnd)
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CXTPDockingPaneAutoHidePanel::AddGroup(CXTPDockingPaneBase* pGroup)
{
    m_lstGroups.push_back(pGroup);
    pGroup->SetParentContainer(this);
    pGroup->SetDockingSite(m_pDockingSite);
    XTPDockingPaneDelayRecalc(m_pLayout ? m_pLayout->GetSite() : nullptr);
    pGroup->OnParentContainerChanged(this);
    HWND hGroup = pGroup->GetPaneHwnd();
    HWND hFocus = ::GetFocus();
    if (hGroup && hFocus && (hFocus == hGroup || ::IsChild(hGroup, hFocus)) && m_pLayout && m_pLayout->GetSite())
        ::SetFocus(m_pLayout->GetSite()->GetSafeHwnd());
    Redraw();
}

void CXTPDockingPaneAutoHidePanel::RemovePane(CXTPDockingPaneBase* pGroup)
{
    auto it = std::find(m_lstGroups.begin(), m_lstGroups.end(), pGroup);
    if (it == m_lstGroups.end())
        return;
    m_lstGroups.erase(it);
    Redraw();
    XTPDockingPaneDelayRecalc(m_pLayout ? m_pLayout->GetSite() : nullptr);
    if (m_lstGroups.empty() && m_hWnd) {
        CloseActiveWnd(FALSE);
        DestroyWindow();
    }
    pGroup->SetParentContainer(nullptr);
}

void CXTPDockingPaneAutoHidePanel::OnChildContainerChanged(CXTPDockingPaneBase* /*pContainer*/)
{
    if (!m_pActiveWnd)
        return;
    if (!s_bCloseSlideOut) {
        XTPDockingPaneDelayRecalc(m_pLayout ? m_pLayout->GetSite() : nullptr);
        m_pActiveWnd->RecalcLayout();
    } else {
        CloseActiveWnd(m_pLayout && m_pLayout->IsAttachingPane());
    }
}

CXTPDockingPaneBase* CXTPDockingPaneAutoHidePanel::Clone(CXTPDockingPaneOwner* pLayout, CXTPDockingPaneCloneMap* pMap,
                                                         DWORD /*dwIgnoredOptions*/)
{
    if (!m_pLayout)
        return nullptr;
    auto* pClone = dynamic_cast<CXTPDockingPaneAutoHidePanel*>(m_pLayout->CreatePaneOfType(DPT_AUTOHIDE, pLayout));
    if (!pClone)
        return nullptr;
    pClone->m_nDirection = m_nDirection;
    pClone->m_pDockingSite = pLayout ? pLayout->GetSite() : nullptr;
    for (CXTPDockingPaneBase* pGroup : std::vector<CXTPDockingPaneBase*>(m_lstGroups)) {
        if (!pMap && pGroup->IsEmpty())
            continue;
        if (CXTPDockingPaneBase* pGroupClone = pGroup->Clone(pLayout, pMap, 0))
            pClone->AddGroup(pGroupClone);
    }
    if (pMap)
        (*pMap)[this] = pClone;
    return pClone;
}

CXTPDockingPane* CXTPDockingPaneAutoHidePanel::HitTest(CPoint pt) const
{
    for (CXTPDockingPaneAutoHideTabGroup* pRow : m_arrTabGroups)
        if (CXTPTabManagerItem* pItem = pRow->HitTest(pt))
            return reinterpret_cast<CXTPDockingPane*>(pItem->GetData());
    return nullptr;
}

void CXTPDockingPaneAutoHidePanel::SlideOut(CXTPDockingPane* pPane, BOOL bSetFocus)
{
    if (!pPane || !m_pLayout || m_pLayout->NotifyOwner(DPA_EXPANDING, pPane, this))
        return;
    auto* pGroup = dynamic_cast<CXTPDockingPaneTabbedContainer*>(pPane->m_pParentContainer);
    if (!pGroup)
        return;
    pGroup->SelectPane(pPane, bSetFocus);
    Redraw();
    auto* pWnd = new CXTPDockingPaneAutoHideWnd(this, pGroup);
    if (!pWnd->GetSafeHwnd()) {
        delete pWnd;
        return;
    }
    if (bSetFocus && pGroup->GetSelectedPane())
        pGroup->GetSelectedPane()->SetFocus();
    if (CFrameWnd* pSite = m_pLayout->GetSite())
        pSite->RecalcLayout(TRUE);
    m_pActiveWnd = pWnd;
}

BOOL CXTPDockingPaneAutoHidePanel::IsShown(CXTPDockingPane* pPane) const
{
    return m_pActiveWnd && m_pActiveWnd->m_pGroup && m_pActiveWnd->m_pGroup->GetSelectedPane() == pPane;
}

void CXTPDockingPaneAutoHidePanel::OnDataDraggedOver(CPoint pt)
{
    CXTPDockingPane* pPane = HitTest(pt);
    if (!pPane || IsShown(pPane))
        return;
    CloseActiveWnd(FALSE);
    SlideOut(pPane, FALSE);
}

void CXTPDockingPaneAutoHidePanel::CloseActiveWnd(BOOL bDelayed)
{
    CXTPDockingPaneAutoHideWnd* pWnd = m_pActiveWnd;
    if (!s_bCloseSlideOut || !pWnd)
        return;
    if (pWnd->m_pGroup && m_pLayout) {
        CXTPDockingPane* pSelected = pWnd->m_pGroup->GetSelectedPane();
        if (m_pLayout->NotifyOwner(DPA_COLLAPSING, pSelected, this))
            return;
        m_pLayout->NotifyOwner(DPA_COLLAPSED, pSelected, this);
    }
    m_pActiveWnd = nullptr;
    if (bDelayed) {
        pWnd->m_pGroup = nullptr;
        pWnd->SetTimer(CXTPDockingPaneAutoHideWnd::kTimerClose, 50, nullptr);
    } else {
        pWnd->Close();
    }
}

void CXTPDockingPaneAutoHidePanel::OnPaint()
{
    PAINTSTRUCT ps;
    ::BeginPaint(m_hWnd, &ps);
    CRect rcClient;
    GetClientRect(&rcClient);
    {
        CXTPBufferDC dc(ps.hdc, rcClient);
        CXTPDockingPanePaintManager* pPaint = CXTPDockingPaneBase::GetPaintManager();
        CXTPTabPaintManager* pTabPaint = pPaint ? pPaint->GetAutoHidePanelPaintManager() : nullptr;
        CXTPTabColorSet* pColors = pTabPaint ? pTabPaint->GetColorSet() : nullptr;
        if (pColors) {
            const COLORREF clrLight = pColors->m_clrAutoHideFace.clrLight;
            const COLORREF clrDark = pColors->m_clrAutoHideFace.clrDark;
            if (m_nDirection != DPD_RIGHT && clrLight != clrDark) {
                CRect rcFill = rcClient;
                rcFill.right = std::max<LONG>(rcFill.right, rcFill.left + ::GetSystemMetrics(SM_CXFULLSCREEN) / 2);
                XTPDrawHelpers()->GradientFill(&dc, rcFill, clrLight, clrDark, TRUE);
            } else {
                dc.FillSolidRect(rcClient, clrDark);
            }
        }
        if (pTabPaint)
            for (CXTPDockingPaneAutoHideTabGroup* pRow : m_arrTabGroups) {
                if (pTabPaint->GetPosition() != pRow->GetPosition())
                    pTabPaint->SetPosition(pRow->GetPosition());
                pTabPaint->DrawTabControl(pRow, &dc, pRow->m_rcGroup);
            }
    }
    ::EndPaint(m_hWnd, &ps);
}

LRESULT CXTPDockingPaneAutoHidePanel::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const CPoint pt(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return TRUE;
    case WM_DESTROY:
        // The registration goes with the window (an emptied panel loses it; the next one registers again).
        m_pDropTarget->Revoke();
        break;
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE: {
        const CPoint ptMove = message == WM_MOUSELEAVE ? CPoint(-1, -1) : pt;
        for (CXTPDockingPaneAutoHideTabGroup* pRow : m_arrTabGroups)
            pRow->OnMouseMove(m_hWnd, ptMove);
        if (message == WM_MOUSEMOVE && HitTest(pt)) {
            TRACKMOUSEEVENT tme = {sizeof(tme), TME_HOVER | TME_LEAVE, m_hWnd, static_cast<DWORD>(s_nHoverTime)};
            ::TrackMouseEvent(&tme);
        }
        break;
    }
    case WM_MOUSEHOVER: {
        CXTPDockingPane* pPane = HitTest(pt);
        CFrameWnd* pSite = m_pLayout ? m_pLayout->GetSite() : nullptr;
        // Only while the application's frame is the active window.
        HWND hActive = ::GetActiveWindow();
        const BOOL bActive = pSite && pSite->GetSafeHwnd() &&
                             (hActive == pSite->GetSafeHwnd() || ::GetAncestor(hActive, GA_ROOTOWNER) == pSite->GetSafeHwnd());
        if (!pPane || !bActive || IsShown(pPane))
            return 0;
        CloseActiveWnd(FALSE);
        SlideOut(pPane, FALSE);
        return 0;
    }
    case WM_LBUTTONDOWN: {
        CXTPDockingPane* pPane = HitTest(pt);
        if (!pPane)
            return 0;
        if (IsShown(pPane)) {
            pPane->SetFocus();
            return 0;
        }
        CloseActiveWnd(FALSE);
        SlideOut(pPane, TRUE);
        return 0;
    }
    case WM_RBUTTONDOWN:
        if (CXTPDockingPane* pPane = HitTest(pt))
            if (m_pLayout)
                m_pLayout->Notify(DPN_CONTEXTMENU, reinterpret_cast<LPARAM>(static_cast<CXTPDockingPaneBase*>(pPane)));
        return 0;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
