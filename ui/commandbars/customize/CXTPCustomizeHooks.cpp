// The customize sheet's record of the running sheet, its mouse and keyboard hooks and their filters.
#include "CXTPCustomizeHooks.h"

#include "CFrameWnd.h"
#include "CXTPCommandBar.h"
#include "CXTPCommandBars.h"
#include "CXTPCustomizeSheet.h"
#include "CXTPHookManager.h"

namespace {

// The one record of the process while a sheet runs.
struct HookRecord {
    HHOOK hMouse = nullptr;
    HHOOK hKeyboard = nullptr;
    CXTPCustomizeSheet* pSheet = nullptr;
    CXTPCommandBars* pCommandBars = nullptr;
};
HookRecord* g_pRecord = nullptr;

BOOL IsInside(HWND hWndOuter, HWND hWnd)
{
    return hWndOuter && hWnd && (hWndOuter == hWnd || ::IsChild(hWndOuter, hWnd));
}

// The command bar of the window or of its parent, or null.
CXTPCommandBar* CommandBarOf(HWND hWnd)
{
    for (int i = 0; i < 2 && hWnd; i++, hWnd = ::GetParent(hWnd)) {
        if (auto* pBar = dynamic_cast<CXTPCommandBar*>(CWnd::FromHandlePermanent(hWnd)))
            return pBar;
    }
    return nullptr;
}

} // namespace

BOOL CXTPCustomizeHooks::Install(CXTPCustomizeSheet* pSheet, CXTPCommandBars* pCommandBars)
{
    if (g_pRecord)
        return FALSE;
    g_pRecord = new HookRecord;
    g_pRecord->pSheet = pSheet;
    g_pRecord->pCommandBars = pCommandBars;
    CFrameWnd* pFrame = pCommandBars ? pCommandBars->GetSite() : nullptr;
    if (pFrame && pFrame->GetSafeHwnd()) {
        const DWORD dwThread = ::GetCurrentThreadId();
        g_pRecord->hMouse = ::SetWindowsHookExA(WH_MOUSE, MouseProc, nullptr, dwThread);
        g_pRecord->hKeyboard = ::SetWindowsHookExA(WH_KEYBOARD, KeyboardProc, nullptr, dwThread);
    }
    return TRUE;
}

void CXTPCustomizeHooks::Remove()
{
    if (!g_pRecord)
        return;
    if (g_pRecord->hMouse)
        ::UnhookWindowsHookEx(g_pRecord->hMouse);
    if (g_pRecord->hKeyboard)
        ::UnhookWindowsHookEx(g_pRecord->hKeyboard);
    delete g_pRecord;
    g_pRecord = nullptr;
}

CXTPCustomizeSheet* CXTPCustomizeHooks::GetRunningSheet()
{
    return g_pRecord ? g_pRecord->pSheet : nullptr;
}

BOOL CXTPCustomizeHooks::FilterMouse(UINT nMessage, HWND hWndTarget, POINT ptScreen)
{
    if (nMessage == WM_MOUSEMOVE || nMessage == WM_NCMOUSEMOVE || !g_pRecord)
        return TRUE;

    // Popups of no host (the sheet's context menu) take the mouse while they are tracked.
    CXTPHookManager* pHookManager = XTPHookManager();
    const int nTracked = pHookManager->GetTrackedCount();
    BOOL bHostless = FALSE, bEmptySlot = FALSE;
    for (int i = 0; i < nTracked; i++) {
        CXTPCommandBar* pTracked = pHookManager->GetTrackedAt(i);
        if (!pTracked)
            bEmptySlot = TRUE;
        else if (!pTracked->GetCommandBars())
            bHostless = TRUE;
    }
    if (nTracked > 0 && !bEmptySlot) {
        CXTPCommandBar* pBar = CommandBarOf(hWndTarget);
        if (pBar && !pBar->GetCommandBars())
            return TRUE;
        // Our hook runs before the hook manager's and may swallow the message: the popups
        // hear of it here, so that a click elsewhere still closes them.
        if (bHostless)
            pHookManager->ProcessMouseMessage(nMessage, ptScreen);
    }

    CFrameWnd* pFrame = g_pRecord->pCommandBars->GetSite();
    HWND hWndFrame = pFrame ? pFrame->GetSafeHwnd() : nullptr;
    if (!IsInside(hWndFrame, hWndTarget))
        return TRUE;
    if (IsInside(g_pRecord->pSheet->GetSafeHwnd(), hWndTarget))
        return TRUE;
    // The foreground window lets its own clicks through, but never those of the frame the
    // sheet customizes: that is what the hooks keep shut.
    HWND hWndForeground = ::GetForegroundWindow();
    if (IsInside(hWndForeground, hWndTarget) && !IsInside(hWndForeground, hWndFrame))
        return TRUE;

    CXTPCommandBar* pBar = CommandBarOf(hWndTarget);
    return pBar && pBar->GetCommandBars() == g_pRecord->pCommandBars;
}

BOOL CXTPCustomizeHooks::FilterKeyboard()
{
    if (!g_pRecord)
        return TRUE;
    HWND hWndFocus = ::GetFocus();
    if (IsInside(g_pRecord->pSheet->GetSafeHwnd(), hWndFocus))
        return TRUE;
    // An edit field of a bar.
    HWND hWndParent = hWndFocus ? ::GetParent(hWndFocus) : nullptr;
    if (hWndParent && dynamic_cast<CXTPCommandBar*>(CWnd::FromHandlePermanent(hWndParent)))
        return TRUE;
    if (IsInside(::GetForegroundWindow(), hWndFocus))
        return TRUE;
    return ::GetCapture() != nullptr;
}

LRESULT CALLBACK CXTPCustomizeHooks::MouseProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    HHOOK hHook = g_pRecord ? g_pRecord->hMouse : nullptr;
    if (nCode < 0 || !g_pRecord)
        return ::CallNextHookEx(hHook, nCode, wParam, lParam);
    const auto* pInfo = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
    if (!FilterMouse(static_cast<UINT>(wParam), pInfo->hwnd, pInfo->pt))
        return 1;
    return ::CallNextHookEx(hHook, nCode, wParam, lParam);
}

LRESULT CALLBACK CXTPCustomizeHooks::KeyboardProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    HHOOK hHook = g_pRecord ? g_pRecord->hKeyboard : nullptr;
    if (nCode < 0 || !g_pRecord)
        return ::CallNextHookEx(hHook, nCode, wParam, lParam);
    if (!FilterKeyboard())
        return 1;
    return ::CallNextHookEx(hHook, nCode, wParam, lParam);
}
