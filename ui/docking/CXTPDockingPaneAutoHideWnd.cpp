// The slide-out window: its full rectangle, the slide steps out and back on timers, the
// pointer check that closes it, its painting, and resizing at its open edge.
#include "CXTPDockingPaneAutoHideWnd.h"

#include <algorithm>

#include "CDC.h"
#include "CXTPDockingPane.h"
#include "CXTPDockingPaneAutoHidePanel.h"
#include "CXTPDockingPaneLayout.h"
#include "CXTPDockingPaneMiniWnd.h"
#include "CXTPDockingPanePaintManager.h"
#include "CXTPDockingPaneSplitterContainer.h"
#include "CXTPDockingPaneTabbedContainer.h"
#include "CXTPSplitterTracker.h"
#include "CXTPTrackingLoop.h"
#include "ResourceIds.h"

namespace {
// The open edge's width, where the window is resized.
const int kEdge = 4;
}  // namespace

IMPLEMENT_DYNAMIC(CXTPDockingPaneAutoHideWnd, CMiniFrameWnd)

CXTPDockingPaneAutoHideWnd::CXTPDockingPaneAutoHideWnd(CXTPDockingPaneAutoHidePanel* pPanel,
                                                       CXTPDockingPaneTabbedContainer* pGroup)
    : m_pGroup(pGroup), m_pPanel(pPanel)
{
    m_nDirection = pPanel->GetDirection();
    m_bHoriz = m_nDirection == DPD_TOP || m_nDirection == DPD_BOTTOM;

    CRect T = TopContainerRect();
    MINMAXINFO mmi;
    GetMinMaxInfo(&mmi, TRUE);
    CXTPDockingPane* pSelected = pGroup->GetSelectedPane();
    const SIZE szDocking = pSelected ? pSelected->m_szDocking : SIZE{0, 0};
    const int W = std::max<int>(mmi.ptMinTrackSize.x, std::min<int>(mmi.ptMaxTrackSize.x, szDocking.cx));
    const int H = std::max<int>(mmi.ptMinTrackSize.y, std::min<int>(mmi.ptMaxTrackSize.y, szDocking.cy));
    switch (MirroredDirection()) {
    case DPD_LEFT:
        T.right = T.left + W;
        break;
    case DPD_RIGHT:
        T.left = T.right - W;
        break;
    case DPD_TOP:
        T.bottom = T.top + H;
        break;
    default:
        T.top = T.bottom - H;
        break;
    }
    CFrameWnd* pSite = Owner() ? Owner()->GetSite() : nullptr;
    if (!pSite || !pSite->GetSafeHwnd())
        return;
    pSite->ScreenToClient(&T);
    m_rcFull = T;

    CRect rcLimit, rcEdge;
    HCURSOR hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    if (GetResizeRects(rcLimit, rcEdge) && !Owner()->IsLockSplitters())
        hCursor =
            ::LoadCursorA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_bHoriz ? XT_IDC_SPLITV : XT_IDC_SPLITH));

    pSite->UpdateWindow();
    pSite->SendMessage(WM_SETREDRAW, FALSE, 0);
    const char* lpszClass = AfxRegisterWndClass(0, hCursor);
    CWnd::CreateEx(pSite->GetExStyle() & WS_EX_LAYOUTRTL, lpszClass, "", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                   m_rcFull, pSite, 0);
    pSite->SendMessage(WM_SETREDRAW, TRUE, 0);
    if (!m_hWnd)
        return;

    m_nStep = 0;
    m_nStepCount = s_nAnimationDelay ? s_nAnimationDuration / s_nAnimationDelay : 1;
    if (s_dAnimationSpeed > 0 && s_nAnimationDelay)
        m_nStepCount = static_cast<int>((m_bHoriz ? m_rcFull.Width() : m_rcFull.Height()) * s_dAnimationSpeed * 50 /
                                        s_nAnimationDelay);
    m_nStepCount = std::max(m_nStepCount, 1);
    if (m_nStepCount > 1) {
        SetTimer(kTimerSlideOut, static_cast<UINT>(s_nAnimationDelay), nullptr);
    } else {
        m_nStep = 0;
        SlideStep();
    }
    SetTimer(kTimerCheck, static_cast<UINT>(s_nCheckPeriod), nullptr);
    m_nCloseDelay = 0;
}

CXTPDockingPaneOwner* CXTPDockingPaneAutoHideWnd::Owner() const
{
    return m_pPanel ? m_pPanel->m_pLayout : nullptr;
}

CRect CXTPDockingPaneAutoHideWnd::TopContainerRect() const
{
    auto* pLayout = m_pPanel ? dynamic_cast<CXTPDockingPaneLayout*>(m_pPanel->m_pLayout) : nullptr;
    CXTPDockingPaneSplitterContainer* pTop = pLayout ? pLayout->GetTopContainer() : nullptr;
    return pTop ? pTop->GetScreenRect() : CRect();
}

int CXTPDockingPaneAutoHideWnd::MirroredDirection() const
{
    CFrameWnd* pSite = Owner() ? Owner()->GetSite() : nullptr;
    const BOOL bRTL = pSite && pSite->GetSafeHwnd() && (pSite->GetExStyle() & WS_EX_LAYOUTRTL);
    if (bRTL && (m_nDirection == DPD_LEFT || m_nDirection == DPD_RIGHT))
        return m_nDirection == DPD_LEFT ? DPD_RIGHT : DPD_LEFT;
    return m_nDirection;
}

void CXTPDockingPaneAutoHideWnd::GetMinMaxInfo(MINMAXINFO* pInfo, BOOL bWithEdge) const
{
    *pInfo = MINMAXINFO{};
    pInfo->ptMaxTrackSize = {32000, 32000};
    if (m_pGroup && m_pGroup->GetSelectedPane())
        m_pGroup->GetMinMaxInfo(pInfo);
    if (bWithEdge) {
        LONG& nMin = m_bHoriz ? pInfo->ptMinTrackSize.y : pInfo->ptMinTrackSize.x;
        LONG& nMax = m_bHoriz ? pInfo->ptMaxTrackSize.y : pInfo->ptMaxTrackSize.x;
        nMin += kEdge;
        nMax += kEdge;
    }
}

BOOL CXTPDockingPaneAutoHideWnd::GetResizeRects(CRect& rcLimit, CRect& rcEdge) const
{
    CXTPDockingPaneOwner* pOwner = Owner();
    if (!pOwner)
        return FALSE;
    const CRect T = TopContainerRect();
    const int nMargin = pOwner->GetMinTrackSize() + kEdge;
    const int nDirection = MirroredDirection();
    MINMAXINFO mmi;
    GetMinMaxInfo(&mmi, nDirection == DPD_RIGHT || nDirection == DPD_BOTTOM);
    CRect rcWindow = m_rcFull;
    if (m_hWnd)
        GetWindowRect(&rcWindow);
    else if (pOwner->GetSite() && pOwner->GetSite()->GetSafeHwnd())
        pOwner->GetSite()->ClientToScreen(&rcWindow);
    rcLimit = T;
    rcEdge = rcWindow;
    switch (nDirection) {
    case DPD_LEFT:
        rcLimit.left += std::max<int>(mmi.ptMinTrackSize.x, nMargin);
        rcLimit.right -= nMargin;
        rcLimit.right = std::min<int>(rcLimit.right, T.left + mmi.ptMaxTrackSize.x);
        rcEdge.left = rcEdge.right - kEdge;
        break;
    case DPD_RIGHT:
        rcLimit.left += nMargin;
        rcLimit.right -= std::max<int>(mmi.ptMinTrackSize.x, nMargin);
        rcLimit.left = std::max<int>(rcLimit.left, T.right - mmi.ptMaxTrackSize.x);
        rcEdge.right = rcEdge.left + kEdge;
        break;
    case DPD_TOP:
        rcLimit.top += std::max<int>(mmi.ptMinTrackSize.y, nMargin);
        rcLimit.bottom -= nMargin;
        rcLimit.bottom = std::min<int>(rcLimit.bottom, T.top + mmi.ptMaxTrackSize.y);
        rcEdge.top = rcEdge.bottom - kEdge;
        break;
    default:
        rcLimit.top += nMargin;
        rcLimit.bottom -= std::max<int>(mmi.ptMinTrackSize.y, nMargin);
        rcLimit.top = std::max<int>(rcLimit.top, T.bottom - mmi.ptMaxTrackSize.y);
        rcEdge.bottom = rcEdge.top + kEdge;
        break;
    }
    return rcLimit.left < rcLimit.right && rcLimit.top < rcLimit.bottom;
}

void CXTPDockingPaneAutoHideWnd::SlideStep()
{
    CRect rc = m_rcFull;
    const int k = m_nStep + 1, n = m_nStepCount;
    switch (MirroredDirection()) {
    case DPD_LEFT:
        rc.right = rc.left + (m_rcFull.right - m_rcFull.left) * k / n;
        break;
    case DPD_RIGHT:
        rc.left = rc.right - (m_rcFull.right - m_rcFull.left) * k / n;
        break;
    case DPD_TOP:
        rc.bottom = rc.top + (m_rcFull.bottom - m_rcFull.top) * k / n;
        break;
    default:
        rc.top = rc.bottom - (m_rcFull.bottom - m_rcFull.top) * k / n;
        break;
    }
    ::SetWindowPos(m_hWnd, HWND_TOP, rc.left, rc.top, rc.Width(), rc.Height(), SWP_SHOWWINDOW);
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CXTPDockingPaneAutoHideWnd::RecalcLayout(BOOL /*bNotify*/)
{
    m_nIdleFlags &= ~(idleLayout | idleNotify);
    if (!m_pGroup || !m_pGroup->GetPaneHwnd() || !m_hWnd)
        return;
    ::ShowWindow(m_pGroup->GetPaneHwnd(), SW_SHOWNA);
    CRect rcClient;
    GetClientRect(&rcClient);
    CRect rc(0, 0, m_rcFull.Width(), m_rcFull.Height());
    switch (MirroredDirection()) {
    case DPD_LEFT:
        rc.OffsetRect(rcClient.Width() - m_rcFull.Width(), 0);
        rc.right -= kEdge;
        break;
    case DPD_RIGHT:
        rc.left = kEdge;
        break;
    case DPD_TOP:
        rc.OffsetRect(0, rcClient.Height() - m_rcFull.Height());
        rc.bottom -= kEdge;
        break;
    default:
        rc.top = kEdge;
        break;
    }
    AFX_SIZEPARENTPARAMS layout = {};
    layout.hDWP = ::BeginDeferWindowPos(8);
    layout.rect = rc;
    m_pGroup->OnSizeParent(this, rc, &layout);
    if (layout.hDWP)
        ::EndDeferWindowPos(layout.hDWP);
}

void CXTPDockingPaneAutoHideWnd::Close()
{
    if (!m_hWnd)
        return;
    ShowWindow(SW_HIDE);
    if (m_pGroup && m_pGroup->GetPaneHwnd() && ::GetParent(m_pGroup->GetPaneHwnd()) == m_hWnd) {
        ::ShowWindow(m_pGroup->GetPaneHwnd(), SW_HIDE);
        CFrameWnd* pSite = Owner() ? Owner()->GetSite() : nullptr;
        m_pGroup->SetDockingSite(pSite);
        if (pSite)
            ::SetParent(m_pGroup->GetPaneHwnd(), pSite->GetSafeHwnd());
    }
    m_pGroup = nullptr;
    if (m_pPanel && m_pPanel->m_pActiveWnd == this)
        m_pPanel->m_pActiveWnd = nullptr;
    PostMessage(WM_CLOSE, 0, 0);
}

void CXTPDockingPaneAutoHideWnd::PostNcDestroy()
{
    if (m_pPanel && m_pPanel->m_pActiveWnd == this)
        m_pPanel->m_pActiveWnd = nullptr;
    delete this;
}

void CXTPDockingPaneAutoHideWnd::CheckPointer()
{
    if (m_bResizing || !m_pGroup)
        return;
    POINT pt;
    ::GetCursorPos(&pt);
    CRect rcWindow, rcPanel;
    GetWindowRect(&rcWindow);
    if (m_pPanel && m_pPanel->GetSafeHwnd())
        m_pPanel->GetWindowRect(&rcPanel);
    m_pGroup->OnFocusChanged();
    const BOOL bInside = rcWindow.PtInRect(pt) || rcPanel.PtInRect(pt);
    if (m_pGroup->IsActiveCaption() || bInside) {
        m_nCloseDelay = 6;
        if (m_bSlidingBack) {
            KillTimer(kTimerSlideBack);
            m_bSlidingBack = FALSE;
            SetTimer(kTimerSlideOut, static_cast<UINT>(s_nAnimationDelay), nullptr);
        }
        return;
    }
    if (m_bSlidingBack)
        return;
    if (--m_nCloseDelay > 0)
        return;
    m_nCloseDelay = 0;
    CXTPDockingPaneOwner* pOwner = Owner();
    if (s_bCloseSlideOut && pOwner && !pOwner->NotifyOwner(DPA_COLLAPSING, m_pGroup->GetSelectedPane(), m_pPanel)) {
        m_bSlidingBack = TRUE;
        SetTimer(kTimerSlideBack, static_cast<UINT>(s_nAnimationDelay), nullptr);
    } else {
        m_nCloseDelay = 6;
    }
}

void CXTPDockingPaneAutoHideWnd::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kTimerClose) {
        KillTimer(kTimerClose);
        Close();
        return;
    }
    if (!m_pGroup)
        return;
    CXTPDockingPaneOwner* pOwner = Owner();
    switch (nIDEvent) {
    case kTimerCheck:
        CheckPointer();
        break;
    case kTimerSlideOut:
        if (m_bSlidingBack)
            break;
        if (++m_nStep < m_nStepCount) {
            SlideStep();
        } else {
            m_nStep = m_nStepCount - 1;
            KillTimer(kTimerSlideOut);
            if (pOwner)
                pOwner->NotifyOwner(DPA_EXPANDED, m_pGroup->GetSelectedPane(), m_pPanel);
        }
        break;
    case kTimerSlideBack:
        if (!m_bSlidingBack)
            break;
        if (--m_nStep >= 0) {
            SlideStep();
        } else {
            m_bSlidingBack = FALSE;
            KillTimer(kTimerSlideBack);
            if (pOwner)
                pOwner->NotifyOwner(DPA_COLLAPSED, m_pGroup->GetSelectedPane(), m_pPanel);
            Close();
        }
        break;
    default:
        break;
    }
}

void CXTPDockingPaneAutoHideWnd::OnPaint()
{
    PAINTSTRUCT ps;
    HDC hDC = ::BeginPaint(m_hWnd, &ps);
    CRect rc;
    GetClientRect(&rc);
    CXTPDockingPanePaintManager* pPaint = Owner() ? Owner()->GetPaintManager() : nullptr;
    if (pPaint) {
        auto fill = [&](const CRect& r, int nColor) {
            HBRUSH hBrush = ::CreateSolidBrush(pPaint->GetColor(nColor));
            ::FillRect(hDC, &r, hBrush);
            ::DeleteObject(hBrush);
        };
        fill(rc, 51);
        switch (MirroredDirection()) {
        case DPD_LEFT:
            fill(CRect(rc.right - 1, rc.top, rc.right, rc.bottom), 18);
            fill(CRect(rc.right - 2, rc.top, rc.right - 1, rc.bottom), 16);
            break;
        case DPD_RIGHT:
            fill(CRect(rc.left + 1, rc.top, rc.left + 2, rc.bottom), 20);
            break;
        case DPD_TOP:
            fill(CRect(rc.left, rc.bottom - 1, rc.right, rc.bottom), 18);
            fill(CRect(rc.left, rc.bottom - 2, rc.right, rc.bottom - 1), 16);
            break;
        default:
            fill(CRect(rc.left, rc.top + 1, rc.right, rc.top + 2), 20);
            break;
        }
    }
    ::EndPaint(m_hWnd, &ps);
}

void CXTPDockingPaneAutoHideWnd::ApplyResize(CRect rcEdge)
{
    const CRect T = TopContainerRect();
    CRect rc = rcEdge;
    switch (MirroredDirection()) {
    case DPD_LEFT:
        rc.left = T.left;
        break;
    case DPD_RIGHT:
        rc.right = T.right;
        break;
    case DPD_TOP:
        rc.top = T.top;
        break;
    default:
        rc.bottom = T.bottom;
        break;
    }
    if (m_pGroup)
        if (CXTPDockingPane* pPane = m_pGroup->GetSelectedPane()) {
            if (m_bHoriz)
                pPane->m_szDocking.cy = rc.Height();
            else
                pPane->m_szDocking.cx = rc.Width();
        }
    if (CFrameWnd* pSite = Owner() ? Owner()->GetSite() : nullptr)
        pSite->ScreenToClient(&rc);
    m_rcFull = rc;
    MoveWindow(rc, TRUE);
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
    RecalcLayout();
}

void CXTPDockingPaneAutoHideWnd::BeginResize(CPoint ptScreen)
{
    CXTPDockingPaneOwner* pOwner = Owner();
    if (!pOwner || pOwner->IsLockSplitters())
        return;
    CRect rcLimit, rcEdge;
    if (!GetResizeRects(rcLimit, rcEdge))
        return;
    m_bResizing = TRUE;
    const BOOL bAlongX = !m_bHoriz;
    if (pOwner->IsGhostSplitter()) {
        CXTPSplitterTracker tracker;
        CPoint ptStart = ptScreen;
        if (GetExStyle() & WS_EX_LAYOUTRTL)
            ptStart = rcEdge.TopLeft();
        if (tracker.Track(this, rcLimit, rcEdge, ptStart, bAlongX))
            ApplyResize(rcEdge);
        m_bResizing = FALSE;
        return;
    }
    const HWND hWnd = m_hWnd;
    const CPoint ptGrab(ptScreen.x - rcEdge.left, ptScreen.y - rcEdge.top);
    CXTPTrackingLoop().PaintFirst().HoldKeys().Run(hWnd, [&](const MSG& msg) {
        if (msg.message != WM_MOUSEMOVE)
            return CXTPTrackingLoop::kDefault;
        CPoint pt(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
        ::ClientToScreen(msg.hwnd, &pt);
        pt.x = std::max(rcLimit.left, std::min(rcLimit.right, pt.x));
        pt.y = std::max(rcLimit.top, std::min(rcLimit.bottom, pt.y));
        CRect rcMoved = rcEdge;
        if (bAlongX)
            rcMoved.OffsetRect(pt.x - ptGrab.x - rcEdge.left, 0);
        else
            rcMoved.OffsetRect(0, pt.y - ptGrab.y - rcEdge.top);
        if (rcMoved != rcEdge) {
            rcEdge = rcMoved;
            ApplyResize(rcEdge);
        }
        return CXTPTrackingLoop::kNext;
    });
    if (::IsWindow(hWnd))
        m_bResizing = FALSE;
}

LRESULT CXTPDockingPaneAutoHideWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_TIMER:
        OnTimer(static_cast<UINT_PTR>(wParam));
        return 0;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return TRUE;
    case WM_MOUSEMOVE:
        if (m_bSlidingBack)
            CheckPointer();
        break;
    case WM_LBUTTONDOWN: {
        CPoint pt(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        ClientToScreen(&pt);
        BeginResize(pt);
        return 0;
    }
    case WM_SIZE: {
        LRESULT lResult = CMiniFrameWnd::WindowProc(message, wParam, lParam);
        RecalcLayout();
        return lResult;
    }
    default:
        break;
    }
    return CMiniFrameWnd::WindowProc(message, wParam, lParam);
}
