// The per-thread hook manager: tracked bars, the mouse hook, hot bar and mouse-leave watch.
#include "CXTPHookManager.h"

#include <algorithm>

#include "AfxThreadLocal.h"
#include "CXTPCommandBar.h"

namespace {

THREAD_LOCAL(CXTPHookManager, g_hookManager)

// The last position the hook saw, for swallowing repeated moves.
POINT g_ptLastMouse = {-32000, -32000};

BOOL IsMouseMove(UINT nMessage)
{
    return nMessage == WM_MOUSEMOVE || nMessage == WM_NCMOUSEMOVE;
}

}  // namespace

CXTPHookManager* XTPHookManager()
{
    return g_hookManager.GetData();
}

CXTPHookManager::CXTPHookManager()
{
    m_hHookMouse = ::SetWindowsHookExA(WH_MOUSE, MouseProc, nullptr, ::GetCurrentThreadId());
}

CXTPHookManager::~CXTPHookManager()
{
    if (m_hHookMouse)
        ::UnhookWindowsHookEx(m_hHookMouse);
}

void CXTPHookManager::AddTracked(CXTPCommandBar* pBar)
{
    if (m_arrTracked.empty() && m_pHotBar && m_pHotBar != pBar)
        m_pHotBar->SetSelected(-1);
    if (!IsTracked(pBar))
        m_arrTracked.push_back(pBar);
}

void CXTPHookManager::RemoveTracked(CXTPCommandBar* pBar)
{
    auto it = std::find(m_arrTracked.begin(), m_arrTracked.end(), pBar);
    if (it != m_arrTracked.end()) {
        m_arrTracked.erase(it);
        if (m_arrTracked.empty()) {
            // The window under the cursor gets a fresh mouse move.
            POINT pt;
            if (::GetCursorPos(&pt))
                ::SetCursorPos(pt.x, pt.y);
        }
    }
    m_bSwallowButtonUp = FALSE;
}

BOOL CXTPHookManager::IsTracked(const CXTPCommandBar* pBar) const
{
    return std::find(m_arrTracked.begin(), m_arrTracked.end(), pBar) != m_arrTracked.end();
}

BOOL CXTPHookManager::IsPopupTracked() const
{
    for (CXTPCommandBar* pBar : m_arrTracked) {
        if (pBar->GetType() == xtpBarTypePopup)
            return TRUE;
    }
    return FALSE;
}

void CXTPHookManager::CancelTracking()
{
    if (!m_arrTracked.empty())
        m_arrTracked.front()->SetTrackingMode(FALSE, TRUE, FALSE);
}

void CXTPHookManager::OnBarDestroyed(CXTPCommandBar* pBar)
{
    if (m_pHotBar == pBar)
        m_pHotBar = nullptr;
    m_arrTracked.erase(std::remove(m_arrTracked.begin(), m_arrTracked.end(), pBar), m_arrTracked.end());
}

void CXTPHookManager::TrackMouseLeave(HWND hWnd)
{
    if (hWnd == m_hwndWatched)
        return;
    if (m_hwndWatched && ::IsWindow(m_hwndWatched)) {
        ::KillTimer(m_hwndWatched, XTP_TID_MOUSELEAVE);
        ::SendMessageA(m_hwndWatched, WM_MOUSELEAVE, 0, 0);
    }
    m_hwndWatched = hWnd;
    if (hWnd)
        ::SetTimer(hWnd, XTP_TID_MOUSELEAVE, 50, WatchProc);
}

void CALLBACK CXTPHookManager::WatchProc(HWND hWnd, UINT /*nMsg*/, UINT_PTR nIDEvent, DWORD /*dwTime*/)
{
    CXTPHookManager* pThis = XTPHookManager();
    if (!::IsWindow(hWnd)) {
        if (pThis->m_hwndWatched == hWnd)
            pThis->m_hwndWatched = nullptr;
        return;
    }
    POINT pt;
    ::GetCursorPos(&pt);
    RECT rc;
    ::GetWindowRect(hWnd, &rc);
    HWND hParent = ::GetParent(hWnd);
    if (::PtInRect(&rc, pt) && (!hParent || IsTopParentActive(hWnd)))
        return;
    ::KillTimer(hWnd, nIDEvent);
    if (pThis->m_hwndWatched == hWnd)
        pThis->m_hwndWatched = nullptr;
    ::PostMessageA(hWnd, WM_MOUSELEAVE, 0, 0);
}

BOOL CXTPHookManager::IsTopParentActive(HWND hWnd)
{
    HWND hTop = hWnd;
    for (HWND hUp = hTop; hUp; hUp = (::GetWindowLongA(hUp, GWL_STYLE) & WS_CHILD) ? ::GetParent(hUp) : ::GetWindow(hUp, GW_OWNER))
        hTop = hUp;
    HWND hForeground = ::GetForegroundWindow();
    return hForeground && hForeground == ::GetLastActivePopup(hTop);
}

void CXTPHookManager::AddTrustedWindow(HWND hWnd)
{
    if (std::find(m_arrTrusted.begin(), m_arrTrusted.end(), hWnd) == m_arrTrusted.end())
        m_arrTrusted.push_back(hWnd);
}

void CXTPHookManager::RemoveTrustedWindow(HWND hWnd)
{
    m_arrTrusted.erase(std::remove(m_arrTrusted.begin(), m_arrTrusted.end(), hWnd), m_arrTrusted.end());
}

void CXTPHookManager::ProcessMouseMessage(UINT nMessage, POINT ptScreen)
{
    // A bar that leaves tracking leaves the list; the walk goes over what was tracked at its start.
    const std::vector<CXTPCommandBar*> arrTracked = m_arrTracked;
    HWND hWndUnder = ::WindowFromPoint(ptScreen);
    for (CXTPCommandBar* pBar : arrTracked) {
        if (!pBar->GetSafeHwnd())
            continue;
        int nHit = pBar->HitTestHook(CPoint(ptScreen));
        if (nHit == -2)
            continue;
        if (nHit == 1)
            return;
        if (hWndUnder && ::IsChild(pBar->GetSafeHwnd(), hWndUnder))
            return;
    }
    if (!arrTracked.empty() && arrTracked.front()->IsCustomizeMode()) {
        for (HWND hTrusted : m_arrTrusted) {
            RECT rc;
            if (::IsWindow(hTrusted) && ::GetWindowRect(hTrusted, &rc) && ::PtInRect(&rc, ptScreen))
                return;
        }
    }
    for (CXTPCommandBar* pBar : arrTracked) {
        if (!IsTracked(pBar) || !pBar->GetSafeHwnd())
            continue;
        switch (nMessage) {
        case WM_MOUSEMOVE:
        case WM_NCMOUSEMOVE: {
            POINT pt = ptScreen;
            ::ScreenToClient(pBar->GetSafeHwnd(), &pt);
            pBar->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
            break;
        }
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
        case WM_NCMBUTTONDOWN:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            pBar->SetTrackingMode(FALSE);
            break;
        case WM_LBUTTONUP:
        case WM_NCLBUTTONUP:
            if (!IsLocked())
                pBar->SetTrackingMode(FALSE);
            break;
        default:
            break;
        }
    }
}

LRESULT CALLBACK CXTPHookManager::MouseProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    CXTPHookManager* pThis = XTPHookManager();
    if (nCode != HC_ACTION)
        return ::CallNextHookEx(pThis->m_hHookMouse, nCode, wParam, lParam);
    const UINT nMessage = static_cast<UINT>(wParam);
    const MOUSEHOOKSTRUCT* pInfo = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
    if (nMessage == WM_LBUTTONDOWN)
        pThis->m_bSwallowButtonUp = FALSE;
    if (nMessage == WM_LBUTTONDOWN || nMessage == WM_RBUTTONDOWN || nMessage == WM_MBUTTONDOWN ||
        nMessage == WM_NCLBUTTONDOWN || nMessage == WM_NCRBUTTONDOWN || nMessage == WM_NCMBUTTONDOWN)
        pThis->m_hwndFocusAtPress = ::GetFocus();
    if (nMessage == WM_LBUTTONUP && pThis->m_bSwallowButtonUp) {
        pThis->m_bSwallowButtonUp = FALSE;
        return 1;
    }
    const BOOL bTracking = !pThis->m_arrTracked.empty();
    if (bTracking && IsMouseMove(nMessage) && pInfo->pt.x == g_ptLastMouse.x && pInfo->pt.y == g_ptLastMouse.y)
        return 1;
    g_ptLastMouse = pInfo->pt;
    if (bTracking)
        pThis->ProcessMouseMessage(nMessage, pInfo->pt);
    return ::CallNextHookEx(pThis->m_hHookMouse, nCode, wParam, lParam);
}
