// The docking pane: title parts, options, its window's parking and showing, tab colour.
#include "CXTPDockingPane.h"

#include "CFrameWnd.h"
#include "CMiniFrameWnd.h"

CXTPDockingPane::CXTPDockingPane(CXTPDockingPaneOwner* pLayout) : CXTPDockingPaneBase(DPT_PANE, pLayout) {}

void CXTPDockingPane::SetID(UINT nID)
{
    m_nID = nID;
    CString strTitle;
    if (strTitle.LoadString(nID))
        m_strTitle = strTitle;
}

CString CXTPDockingPane::GetTitle() const
{
    int nFeed = m_strTitle.Find('\n');
    return nFeed < 0 ? m_strTitle : m_strTitle.Left(nFeed);
}

CString CXTPDockingPane::GetTabCaption() const
{
    int nFeed = m_strTitle.Find('\n');
    return nFeed < 0 ? m_strTitle : m_strTitle.Mid(nFeed + 1);
}

void CXTPDockingPane::SetTitle(LPCTSTR lpszTitle)
{
    m_strTitle = lpszTitle;
    // A floating frame's caption is redrawn by the same pass.
    if (m_pParentContainer)
        XTPDockingPaneDelayRecalc(GetDockingSite());
}

DWORD CXTPDockingPane::GetOptions() const
{
    return m_dwOptions | (m_pLayout ? m_pLayout->GetDefaultPaneOptions() : 0);
}

void CXTPDockingPane::PlaceChild()
{
    if (!m_hwndChild || !::IsWindow(m_hwndChild))
        return;
    HWND hWndContainer = m_pParentContainer ? m_pParentContainer->GetPaneHwnd() : nullptr;
    if (hWndContainer) {
        ::SetParent(m_hwndChild, hWndContainer);
        return;
    }
    if (m_pParentContainer)
        return;
    ::ShowWindow(m_hwndChild, SW_HIDE);
    if (HWND hWndPark = m_pLayout ? m_pLayout->GetManagerHwnd() : nullptr)
        ::SetParent(m_hwndChild, hWndPark);
}

void CXTPDockingPane::Attach(CWnd* pWnd)
{
    m_hwndChild = pWnd ? pWnd->GetSafeHwnd() : nullptr;
    if (m_pLayout)
        m_pLayout->RecalcFramesLayout();
    // A closed pane keeps a newly attached window parked until it is shown again.
    PlaceChild();
}

void CXTPDockingPane::Detach()
{
    if (m_hwndChild && ::IsWindow(m_hwndChild)) {
        ::ShowWindow(m_hwndChild, SW_HIDE);
        CFrameWnd* pSite = m_pLayout ? m_pLayout->GetSite() : nullptr;
        if (pSite && pSite->GetSafeHwnd())
            ::SetParent(m_hwndChild, pSite->GetSafeHwnd());
    }
    m_hwndChild = nullptr;
    if (m_pLayout)
        m_pLayout->RecalcFramesLayout();
}

void CXTPDockingPane::SetParentContainer(CXTPDockingPaneBase* pContainer)
{
    m_pParentContainer = pContainer;
    if (!pContainer)
        m_pDockingSite = nullptr;
    PlaceChild();
}

void CXTPDockingPane::OnSizeParent(CWnd* pParent, CRect rect, AFX_SIZEPARENTPARAMS* lpLayout)
{
    SetDockingSite(pParent);
    if (lpLayout && !lpLayout->hDWP)
        return;
    m_rcWindow = rect;
    if (!m_hwndChild || !::IsWindow(m_hwndChild))
        return;
    CRect rc = rect;
    HWND hWndContainer = m_pParentContainer ? m_pParentContainer->GetPaneHwnd() : nullptr;
    HWND hWndSite = pParent ? pParent->GetSafeHwnd() : nullptr;
    if (hWndSite && hWndContainer && ::GetParent(hWndContainer) == hWndSite) {
        // The container's own move may still wait in the same deferred batch: its rectangle
        // in the site is the one it was just given, not where its window is now.
        rc.OffsetRect(-m_pParentContainer->m_rcWindow.left, -m_pParentContainer->m_rcWindow.top);
    } else if (hWndSite && hWndContainer) {
        ::MapWindowPoints(hWndSite, hWndContainer, reinterpret_cast<POINT*>(&rc), 2);
    }
    CRect rcNow;
    ::GetWindowRect(m_hwndChild, &rcNow);
    ::MapWindowPoints(nullptr, ::GetParent(m_hwndChild), reinterpret_cast<POINT*>(&rcNow), 2);
    if (rcNow != rc)
        ::SetWindowPos(m_hwndChild, nullptr, rc.left, rc.top, rc.Width(), rc.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_DEFERERASE);
}

void CXTPDockingPane::OnFocusChanged()
{
    if (m_pParentContainer)
        m_pParentContainer->OnFocusChanged();
}

void CXTPDockingPane::ShowWindow(BOOL bShow)
{
    if (bShow && m_pLayout)
        m_pLayout->Notify(DPN_NEEDWINDOW, reinterpret_cast<LPARAM>(this));
    if (m_hwndChild && ::IsWindow(m_hwndChild))
        ::ShowWindow(m_hwndChild, bShow ? SW_SHOW : SW_HIDE);
}

BOOL CXTPDockingPane::IsFocus() const
{
    HWND hWndFocus = ::GetFocus();
    return m_hwndChild && hWndFocus && (hWndFocus == m_hwndChild || ::IsChild(m_hwndChild, hWndFocus));
}

void CXTPDockingPane::SetFocus()
{
    if (m_hwndChild && ::IsWindow(m_hwndChild) && !IsFocus())
        ::SetFocus(m_hwndChild);
}

void CXTPDockingPane::Select()
{
    if (m_pLayout)
        m_pLayout->ShowPane(this);
}

void CXTPDockingPane::Close()
{
    if (m_pLayout)
        m_pLayout->ClosePane(this);
}

void CXTPDockingPane::Hide()
{
    if (m_pLayout)
        m_pLayout->ToggleAutoHide(this);
}

BOOL CXTPDockingPane::IsHidden() const
{
    // Its tab group sits in an auto-hide panel.
    const CXTPDockingPaneBase* pGroup = m_pParentContainer;
    return pGroup && (pGroup->GetType() == DPT_AUTOHIDE ||
                      (pGroup->m_pParentContainer && pGroup->m_pParentContainer->GetType() == DPT_AUTOHIDE));
}

BOOL CXTPDockingPane::IsSelected() const
{
    return m_pParentContainer && m_pParentContainer->GetSelectedPane() == this;
}

BOOL CXTPDockingPane::IsFloating() const
{
    if (!m_pParentContainer || IsHidden())
        return FALSE;
    HWND hWnd = m_pParentContainer->GetPaneHwnd();
    if (!hWnd || !::IsWindow(hWnd))
        return FALSE;
    CWnd* pWnd = CWnd::FromHandle(hWnd);
    return dynamic_cast<CMiniFrameWnd*>(pWnd->GetParentFrame()) != nullptr;
}

CWnd* CXTPDockingPane::GetDockingSite() const
{
    return m_pParentContainer ? m_pParentContainer->m_pDockingSite : nullptr;
}

HICON CXTPDockingPane::GetIcon(int cx)
{
    if (!m_pLayout)
        return nullptr;
    return m_pLayout->GetPaneIcon(m_nIconID == -1 ? static_cast<int>(m_nID) : m_nIconID, cx);
}

COLORREF CXTPDockingPane::GetTabColor() const
{
    if (m_hwndChild && ::IsWindow(m_hwndChild)) {
        LRESULT lColor = ::SendMessage(m_hwndChild, WM_PANE_GETTABCOLOR, 0, 0);
        if (lColor)
            return static_cast<COLORREF>(lColor);
    }
    return XTP_TABCOLOR_AUTOMATIC + (m_nID % 8);
}

void CXTPDockingPane::Copy(const CXTPDockingPane& pane)
{
    m_szDocking = pane.m_szDocking;
    m_strTitle = pane.m_strTitle;
    m_nIconID = pane.m_nIconID;
    m_dwOptions = pane.m_dwOptions;
    m_nID = pane.m_nID;
    m_ptMinTrackSize = pane.m_ptMinTrackSize;
    m_ptMaxTrackSize = pane.m_ptMaxTrackSize;
}

void CXTPDockingPane::GetMinMaxInfo(LPMINMAXINFO pMinMaxInfo) const
{
    *pMinMaxInfo = MINMAXINFO{};
    pMinMaxInfo->ptMinTrackSize = m_ptMinTrackSize;
    pMinMaxInfo->ptMaxTrackSize = m_ptMaxTrackSize;
}

CXTPDockingPaneBase* CXTPDockingPane::Clone(CXTPDockingPaneOwner* pLayout, CXTPDockingPaneCloneMap* pMap,
                                            DWORD /*dwIgnoredOptions*/)
{
    if (!pMap || !m_pLayout)
        return nullptr;
    auto* pClone = dynamic_cast<CXTPDockingPane*>(m_pLayout->CreatePaneOfType(DPT_PANE, pLayout));
    if (!pClone)
        return nullptr;
    pClone->Copy(*this);
    (*pMap)[this] = pClone;
    return pClone;
}
