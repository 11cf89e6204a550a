// The floating mini frame: creation and content, caption and title, its own caption look,
// dragging and docking back from the caption, closing, rolling up and unrolling.
#include "CXTPDockingPaneMiniWnd.h"

#include <algorithm>

#include "CDC.h"
#include "CXTPDockingPane.h"
#include "CXTPDockingPaneDragContext.h"
#include "CXTPDockingPanePaintManager.h"
#include "CXTPDockingPaneSplitterContainer.h"
#include "CXTPDockingPaneTabbedContainer.h"
#include "CXTPDrawHelpers.h"
#include "CXTPResourceManager.h"

int s_nAnimationDelay = 16;
int s_nAnimationDuration = 128;
BOOL s_bShowCollapseButton = TRUE;

namespace {

// The system menu's text for Close, when the application has one.
const UINT kIdsClose = 61457;
const DWORD kFrameStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | MFS_BLOCKSYSMENU | MFS_SYNCACTIVE;

class FrameCaptionButton : public CXTPDockingPaneCaptionButton {
public:
    FrameCaptionButton(int nID, CXTPDockingPaneMiniWnd* pFrame) : CXTPDockingPaneCaptionButton(nID, pFrame), m_pFrame(pFrame)
    {
    }
    BOOL IsVisible() override { return m_pFrame->IsCaptionButtonVisible(this); }

private:
    CXTPDockingPaneMiniWnd* m_pFrame;
};

}  // namespace

IMPLEMENT_DYNAMIC(CXTPDockingPaneMiniWnd, CMiniFrameWnd)

CXTPDockingPaneMiniWnd::CXTPDockingPaneMiniWnd(CXTPDockingPaneOwner* pLayout)
    : CXTPDockingPaneBase(DPT_MINIWND, pLayout)
{
    m_arrCaptionButtons.push_back(new FrameCaptionButton(XTP_IDS_DOCKINGPANE_CLOSE, this));
    m_arrCaptionButtons.push_back(new FrameCaptionButton(XTP_IDS_DOCKINGPANE_AUTOHIDE, this));
    m_nStepCount = s_nAnimationDuration / s_nAnimationDelay;
}

CXTPDockingPaneMiniWnd::~CXTPDockingPaneMiniWnd()
{
    if (m_hWnd)
        DestroyWindow();
}

BOOL CXTPDockingPaneMiniWnd::UsesThemedCaption() const
{
    return m_pLayout && m_pLayout->IsThemedMiniFrames();
}

int CXTPDockingPaneMiniWnd::CaptionHeight() const
{
    CXTPDockingPanePaintManager* pPaint = CXTPDockingPaneBase::GetPaintManager();
    return pPaint ? pPaint->GetCaptionHeight() : 0;
}

void CXTPDockingPaneMiniWnd::Init(CXTPDockingPaneBase* pElement, CRect rcScreen)
{
    Create(rcScreen);
    if (pElement->GetType() == DPT_PANE) {
        auto* pGroup = dynamic_cast<CXTPDockingPaneTabbedContainer*>(m_pLayout->CreatePaneOfType(DPT_TABBED, m_pLayout));
        if (!pGroup)
            return;
        pGroup->m_szDocking = pElement->m_szDocking;
        pGroup->SetDockingSite(this);
        pGroup->AddPane(static_cast<CXTPDockingPane*>(pElement));
        pElement = pGroup;
    }
    m_pTopContainer =
        dynamic_cast<CXTPDockingPaneSplitterContainer*>(m_pLayout->CreatePaneOfType(DPT_SPLITTER, m_pLayout));
    if (!m_pTopContainer)
        return;
    m_pTopContainer->SetParentContainer(this);
    m_pTopContainer->Init(pElement, TRUE, this);
    OnChildContainerChanged(m_pTopContainer);
    DelayRecalcLayout(TRUE);
}

BOOL CXTPDockingPaneMiniWnd::Create(CRect rc)
{
    CFrameWnd* pSite = m_pLayout ? m_pLayout->GetSite() : nullptr;
    const DWORD dwExStyle = pSite && pSite->GetSafeHwnd() && (pSite->GetExStyle() & WS_EX_LAYOUTRTL) ? WS_EX_LAYOUTRTL : 0;
    const CRect rcWork = CXTPDrawHelpers::GetWorkAreaFromRect(rc);
    CRect rcMeet;
    if (!rcMeet.IntersectRect(&rc, &rcWork)) {
        const int dx = rc.right <= rcWork.left ? rcWork.left - rc.left : rc.left >= rcWork.right ? rcWork.right - rc.right : 0;
        const int dy = rc.bottom <= rcWork.top ? rcWork.top - rc.top : rc.top >= rcWork.bottom ? rcWork.bottom - rc.bottom : 0;
        rc.OffsetRect(dx, dy);
    }
    m_pDockingSite = this;
    if (!CMiniFrameWnd::CreateEx(dwExStyle, nullptr, "", kFrameStyle, rc, pSite, 0))
        return FALSE;
    if (HMENU hMenu = ::GetSystemMenu(m_hWnd, FALSE)) {
        ::DeleteMenu(hMenu, SC_MINIMIZE, MF_BYCOMMAND);
        ::DeleteMenu(hMenu, SC_MAXIMIZE, MF_BYCOMMAND);
        ::DeleteMenu(hMenu, SC_RESTORE, MF_BYCOMMAND);
        CString strClose;
        if (XTPResourceManager()->LoadString(&strClose, kIdsClose) && !strClose.IsEmpty()) {
            ::DeleteMenu(hMenu, SC_CLOSE, MF_BYCOMMAND);
            ::AppendMenuA(hMenu, MF_STRING, SC_CLOSE, strClose);
        }
    }
    m_bCloseEnabled = TRUE;
    if (UsesThemedCaption())
        SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return TRUE;
}

void CXTPDockingPaneMiniWnd::OnChildContainerChanged(CXTPDockingPaneBase* /*pContainer*/)
{
    if (!m_hWnd)
        return;
    CXTPDockingPaneBaseList groups;
    if (m_pTopContainer)
        m_pTopContainer->FindPane(DPT_TABBED, &groups);
    for (CXTPDockingPaneBase* pGroup : groups)
        static_cast<CXTPDockingPaneTabbedContainer*>(pGroup)->SetCaptionVisible(groups.size() != 1);
    if (!groups.empty()) {
        CString strTitle = groups.size() == 1
                               ? static_cast<CXTPDockingPaneTabbedContainer*>(groups[0])->GetCaptionTitle()
                               : m_pLayout->GetFloatingCaption();
        CString strOld;
        GetWindowText(strOld);
        if (strOld != strTitle)
            SetWindowText(strTitle);
        if (!IsWindowVisible())
            ShowWindow(SW_SHOW);

        CXTPDockingPaneBaseList panes;
        m_pTopContainer->FindPane(DPT_PANE, &panes);
        BOOL bClose = FALSE;
        for (CXTPDockingPaneBase* pPane : panes)
            bClose |= !(static_cast<CXTPDockingPane*>(pPane)->GetOptions() & DPO_NOCLOSE);
        if (!bClose || bClose != m_bCloseEnabled) {
            if (HMENU hMenu = ::GetSystemMenu(m_hWnd, FALSE))
                ::EnableMenuItem(hMenu, SC_CLOSE, MF_BYCOMMAND | (bClose ? MF_ENABLED : MF_GRAYED));
            m_bCloseEnabled = bClose;
        }
        CRect rcWindow;
        GetWindowRect(&rcWindow);
        MoveWindow(rcWindow, TRUE);
    }
    SendMessage(WM_NCPAINT, 0, 0);
}

void CXTPDockingPaneMiniWnd::RecalcLayout(BOOL /*bNotify*/)
{
    m_nIdleFlags &= ~(idleLayout | idleNotify);
    if (!m_pTopContainer || !m_hWnd)
        return;
    if (m_pTopContainer->IsEmpty()) {
        ShowWindow(SW_HIDE);
        if (m_bCollapsed)
            ToggleCollapse();
    } else {
        CRect rcClient;
        GetClientRect(&rcClient);
        AFX_SIZEPARENTPARAMS layout = {};
        layout.hDWP = ::BeginDeferWindowPos(8);
        layout.rect = rcClient;
        m_pTopContainer->OnSizeParent(this, rcClient, &layout);
        if (layout.hDWP)
            ::EndDeferWindowPos(layout.hDWP);
        m_pTopContainer->m_rcWindow = rcClient;
    }
    if (m_pLayout)
        m_pLayout->SyncPaneHolders();
}

void CXTPDockingPaneMiniWnd::Invalidate()
{
    if (!m_hWnd || !UsesThemedCaption())
        return;
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
    SendMessage(WM_NCPAINT, 0, 0);
}

CXTPDockingPaneBase* CXTPDockingPaneMiniWnd::Clone(CXTPDockingPaneOwner* pLayout, CXTPDockingPaneCloneMap* pMap,
                                                   DWORD /*dwIgnoredOptions*/)
{
    if (!m_pLayout)
        return nullptr;
    auto* pClone = dynamic_cast<CXTPDockingPaneMiniWnd*>(m_pLayout->CreatePaneOfType(DPT_MINIWND, pLayout));
    if (!pClone)
        return nullptr;
    pClone->Copy(this, pMap);
    if (pMap)
        (*pMap)[this] = pClone;
    return pClone;
}

void CXTPDockingPaneMiniWnd::Copy(CXTPDockingPaneMiniWnd* pSource, CXTPDockingPaneCloneMap* pMap)
{
    if (pSource->m_pTopContainer)
        m_pTopContainer =
            dynamic_cast<CXTPDockingPaneSplitterContainer*>(pSource->m_pTopContainer->Clone(m_pLayout, pMap, 0));
    if (m_pTopContainer) {
        m_pTopContainer->SetParentContainer(this);
        m_pTopContainer->SetDockingSite(this);
    }
    m_rcWindow = pSource->m_rcWindow;
    if (pSource->m_hWnd)
        pSource->GetWindowRect(&m_rcWindow);
    m_bCollapsed = pSource->m_bCollapsed;
    m_nExpandedHeight = pSource->m_nExpandedHeight;
    if (m_bCollapsed)
        m_rcWindow.bottom = m_rcWindow.top + CaptionHeight() + 8;
    if (m_pLayout && !m_pLayout->IsUserLayout() && m_pTopContainer) {
        Create(m_rcWindow);
        m_pTopContainer->OnParentContainerChanged(this);
        OnChildContainerChanged(m_pTopContainer);
    }
}

void CXTPDockingPaneMiniWnd::RemovePane(CXTPDockingPaneBase* pPane)
{
    pPane->SetParentContainer(nullptr);
    m_pTopContainer = nullptr;
    if (m_hWnd)
        ShowWindow(SW_HIDE);
    if (m_bCollapsed)
        ToggleCollapse();
}

BOOL CXTPDockingPaneMiniWnd::IsCaptionButtonVisible(CXTPDockingPaneCaptionButton* pButton)
{
    if (pButton->GetID() == XTP_IDS_DOCKINGPANE_CLOSE)
        return m_bCloseEnabled;
    if (pButton->GetID() == XTP_IDS_DOCKINGPANE_AUTOHIDE) {
        pButton->m_dwState = m_bCollapsed ? xtpPaneStateAutoHidden : 0;
        return s_bShowCollapseButton;
    }
    return TRUE;
}

CString CXTPDockingPaneMiniWnd::GetCaptionTitle() const
{
    CString strTitle;
    if (m_hWnd)
        GetWindowText(strTitle);
    return strTitle;
}

void CXTPDockingPaneMiniWnd::OnCaptionButtonClick(CXTPDockingPaneCaptionButton* pButton)
{
    if (pButton->GetID() == XTP_IDS_DOCKINGPANE_CLOSE)
        CloseFrame();
    else if (pButton->GetID() == XTP_IDS_DOCKINGPANE_AUTOHIDE)
        ToggleCollapse();
}

void CXTPDockingPaneMiniWnd::CloseFrame()
{
    if (!m_pTopContainer || !m_pLayout)
        return;
    CXTPDockingPaneBaseList panes;
    m_pTopContainer->FindPane(DPT_PANE, &panes);
    CXTPDockingPaneOwner* pOwner = m_pLayout;
    for (CXTPDockingPaneBase* pBase : panes) {
        auto* pPane = static_cast<CXTPDockingPane*>(pBase);
        if (pPane->GetOptions() & DPO_NOCLOSE)
            continue;
        if (pOwner->NotifyOwner(DPA_CLOSING, pPane, nullptr))
            continue;
        pPane->Close();
        pOwner->NotifyOwner(DPA_CLOSED, pPane, nullptr);
    }
}

void CXTPDockingPaneMiniWnd::ToggleCollapse()
{
    if (!m_hWnd)
        return;
    if (m_bCollapsed) {
        if (m_nStep != m_nStepCount) {
            CRect rc;
            GetWindowRect(&rc);
            SetWindowPos(nullptr, 0, 0, rc.Width(), m_nExpandedHeight, SWP_NOMOVE | SWP_NOZORDER);
        }
        m_bCollapsed = FALSE;
        KillTimer(kTimerCollapse);
        KillTimer(kTimerAnimate);
    } else {
        Collapse();
    }
    SendMessage(WM_NCPAINT, 0, 0);
}

void CXTPDockingPaneMiniWnd::Collapse()
{
    m_nStepCount = m_nStep = s_nAnimationDuration / s_nAnimationDelay;
    GetWindowRect(&m_rcWindow);
    m_nExpandedHeight = m_rcWindow.Height();
    m_bCollapsed = TRUE;
    m_bAnimating = FALSE;
    m_nCollapseDelay = 6;
    SetTimer(kTimerCollapse, 100, nullptr);
}

void CXTPDockingPaneMiniWnd::Expand()
{
    if (!m_bCollapsed || m_nStep > 0)
        return;
    m_nStep = m_nStepCount;
    SetAnimatedHeight(TRUE);
    m_nCollapseDelay = 8;
    SetTimer(kTimerCollapse, 100, nullptr);
}

void CXTPDockingPaneMiniWnd::SetAnimatedHeight(BOOL bToTop)
{
    if (!m_hWnd || m_nStepCount <= 0)
        return;
    const int nHeight = std::max(m_nStep * m_nExpandedHeight / m_nStepCount, CaptionHeight() + 8);
    CRect rc;
    GetWindowRect(&rc);
    ::SetWindowPos(m_hWnd, bToTop ? HWND_TOP : nullptr, rc.left, rc.top, rc.Width(), nHeight,
                 bToTop ? SWP_NOACTIVATE : SWP_NOZORDER | SWP_NOACTIVATE);
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

BOOL CXTPDockingPaneMiniWnd::HasFocusInside() const
{
    HWND hFocus = ::GetFocus();
    return hFocus && (hFocus == m_hWnd || ::IsChild(m_hWnd, hFocus));
}

void CXTPDockingPaneMiniWnd::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kTimerCollapse) {
        CRect rc;
        GetWindowRect(&rc);
        POINT pt;
        ::GetCursorPos(&pt);
        if (HasFocusInside() || rc.PtInRect(pt) || ::GetCapture() || m_bAnimating)
            return;
        if (--m_nCollapseDelay > 0)
            return;
        if (m_nStep == m_nStepCount)
            m_nExpandedHeight = rc.Height();
        m_bAnimating = TRUE;
        SetTimer(kTimerAnimate, static_cast<UINT>(s_nAnimationDelay), nullptr);
        KillTimer(kTimerCollapse);
    } else if (nIDEvent == kTimerAnimate) {
        if (--m_nStep >= 0) {
            SetAnimatedHeight(FALSE);
        } else {
            m_bAnimating = FALSE;
            KillTimer(kTimerAnimate);
        }
    } else if (nIDEvent == kTimerHot) {
        POINT pt;
        ::GetCursorPos(&pt);
        if (::WindowFromPoint(pt) != m_hWnd) {
            PostMessage(WM_NCMOUSEMOVE, HTNOWHERE, 0);
            KillTimer(kTimerHot);
        }
    } else {
        Default();
    }
}

void CXTPDockingPaneMiniWnd::OnThemeChanged()
{
    if (!m_hWnd)
        return;
    if (!UsesThemedCaption() && m_bCollapsed)
        ToggleCollapse();
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    if (UsesThemedCaption() && m_bCollapsed)
        SetAnimatedHeight(FALSE);
}

CPoint CXTPDockingPaneMiniWnd::WindowPoint(LPARAM lParam) const
{
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    return CPoint(static_cast<short>(LOWORD(lParam)) - rcWindow.left, static_cast<short>(HIWORD(lParam)) - rcWindow.top);
}

BOOL CXTPDockingPaneMiniWnd::CheckHotButtons(CPoint pt)
{
    BOOL bBecameHot = FALSE;
    for (CXTPDockingPaneCaptionButton* pButton : m_arrCaptionButtons) {
        const BOOL bHot = pButton->IsVisible() && pButton->GetRect().PtInRect(pt);
        if (bHot == pButton->m_bSelected)
            continue;
        pButton->m_bSelected = bHot;
        bBecameHot |= bHot;
        SendMessage(WM_NCPAINT, 0, 0);
    }
    return bBecameHot;
}

BOOL CXTPDockingPaneMiniWnd::ClickButton(CXTPDockingPaneCaptionButton* pButton, CPoint pt)
{
    if (::GetCapture())
        return FALSE;
    const HWND hWnd = m_hWnd;
    pButton->m_bPressed = TRUE;
    SendMessage(WM_NCPAINT, 0, 0);
    const BOOL bClick = pButton->TrackPress(
        hWnd, pt,
        [hWnd](const MSG& msg) {
            CRect rcWindow;
            ::GetWindowRect(hWnd, &rcWindow);
            return CPoint(msg.pt.x - rcWindow.left, msg.pt.y - rcWindow.top);
        },
        [this] { SendMessage(WM_NCPAINT, 0, 0); });
    if (!::IsWindow(hWnd))
        return bClick;
    pButton->m_bPressed = FALSE;
    SendMessage(WM_NCPAINT, 0, 0);
    return bClick;
}

LRESULT CXTPDockingPaneMiniWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const BOOL bThemed = UsesThemedCaption();
    switch (message) {
    case WM_NCLBUTTONDOWN: {
        if (bThemed) {
            const CPoint pt = WindowPoint(lParam);
            for (CXTPDockingPaneCaptionButton* pButton : m_arrCaptionButtons) {
                if (!pButton->IsVisible() || !pButton->GetRect().PtInRect(pt))
                    continue;
                if (ClickButton(pButton, pt) && ::IsWindow(m_hWnd)) {
                    CheckHotButtons(pt);
                    OnCaptionButtonClick(pButton);
                }
                return 0;
            }
        }
        if (wParam == HTCAPTION) {
            if (HWND hTop = ::GetAncestor(::GetWindow(m_hWnd, GW_OWNER), GA_ROOT))
                ::SetActiveWindow(hTop);
            ::BringWindowToTop(m_hWnd);
            if (m_pLayout && m_pLayout->GetDragContext() && m_pTopContainer)
                m_pLayout->GetDragContext()->Drag(m_pTopContainer, static_cast<short>(LOWORD(lParam)),
                                                  static_cast<short>(HIWORD(lParam)));
            return 0;
        }
        break;
    }
    case WM_NCLBUTTONDBLCLK:
        if (wParam != HTCAPTION)
            break;
        if (m_bCollapsed)
            ToggleCollapse();
        else if (m_pLayout && m_pTopContainer)
            m_pLayout->ToggleDocking(m_pTopContainer);
        return 0;
    case WM_NCHITTEST: {
        LRESULT nHit = CMiniFrameWnd::WindowProc(message, wParam, lParam);
        if (bThemed && nHit == HTNOWHERE) {
            CRect rcWindow;
            GetWindowRect(&rcWindow);
            if (static_cast<short>(HIWORD(lParam)) - rcWindow.top < CaptionHeight() + 4)
                nHit = HTCAPTION;
        }
        return nHit;
    }
    case WM_NCCALCSIZE:
        if (bThemed) {
            auto* pRect = reinterpret_cast<RECT*>(lParam);
            ::InflateRect(pRect, 1, 1);
            pRect->top += CaptionHeight() + 2;
        }
        break;
    case WM_NCPAINT:
        if (bThemed) {
            HDC hDC = ::GetWindowDC(m_hWnd);
            CRect rcWindow;
            GetWindowRect(&rcWindow);
            rcWindow.OffsetRect(-rcWindow.left, -rcWindow.top);
            {
                CDC dc;
                dc.Attach(hDC);
                ::SetBkMode(hDC, TRANSPARENT);
                if (CXTPDockingPanePaintManager* pPaint = CXTPDockingPaneBase::GetPaintManager())
                    pPaint->DrawFloatingFrame(&dc, this, rcWindow);
                dc.Detach();
            }
            ::ReleaseDC(m_hWnd, hDC);
            return 0;
        }
        break;
    case WM_NCMOUSEMOVE: {
        LRESULT lResult = CMiniFrameWnd::WindowProc(message, wParam, lParam);
        if (bThemed && CheckHotButtons(WindowPoint(lParam)))
            SetTimer(kTimerHot, 100, nullptr);
        Expand();
        return lResult;
    }
    case WM_IDLEUPDATECMDUI:
        if (bThemed) {
            const BOOL bActive = HasFocusInside();
            if (bActive != m_bActive) {
                m_bActive = bActive;
                SendMessage(WM_NCPAINT, 0, 0);
            }
        }
        break;
    case WM_GETMINMAXINFO: {
        LRESULT lResult = CMiniFrameWnd::WindowProc(message, wParam, lParam);
        auto* pInfo = reinterpret_cast<MINMAXINFO*>(lParam);
        if (m_pTopContainer && !m_bCollapsed && !m_bAnimating) {
            MINMAXINFO mmi;
            m_pTopContainer->GetMinMaxInfo(&mmi);
            CRect rcWindow, rcClient;
            GetWindowRect(&rcWindow);
            GetClientRect(&rcClient);
            const int cx = rcWindow.Width() - rcClient.Width(), cy = rcWindow.Height() - rcClient.Height();
            pInfo->ptMinTrackSize.x = std::max(pInfo->ptMinTrackSize.x, mmi.ptMinTrackSize.x + cx);
            pInfo->ptMinTrackSize.y = std::max(pInfo->ptMinTrackSize.y, mmi.ptMinTrackSize.y + cy);
            pInfo->ptMaxTrackSize.x = std::min(pInfo->ptMaxTrackSize.x, mmi.ptMaxTrackSize.x + cx);
            pInfo->ptMaxTrackSize.y = std::min(pInfo->ptMaxTrackSize.y, mmi.ptMaxTrackSize.y + cy);
        }
        // Rolled up, only the caption band is left: the system's own least height is too tall.
        if (m_bCollapsed || m_bAnimating)
            pInfo->ptMinTrackSize.y = std::min<LONG>(pInfo->ptMinTrackSize.y, CaptionHeight() + 8);
        return lResult;
    }
    case WM_DESTROY:
        GetWindowRect(&m_rcWindow);
        break;
    case WM_TIMER:
        OnTimer(static_cast<UINT_PTR>(wParam));
        return 0;
    case WM_CLOSE:
        // The system menu's Close closes the panes; the frame itself belongs to the layout.
        CloseFrame();
        return 0;
    default:
        break;
    }
    return CMiniFrameWnd::WindowProc(message, wParam, lParam);
}
