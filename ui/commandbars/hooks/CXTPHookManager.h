// The per-thread tracking state of command bars: the tracked bars, the mouse hook that closes
// them on outside clicks, the hot bar and the mouse-leave watch.
#pragma once

#include <windows.h>

#include <vector>

class CXTPCommandBar;

class CXTPHookManager {
public:
    CXTPHookManager();
    ~CXTPHookManager();
    CXTPHookManager(const CXTPHookManager&) = delete;
    CXTPHookManager& operator=(const CXTPHookManager&) = delete;

    void AddTracked(CXTPCommandBar* pBar);
    void RemoveTracked(CXTPCommandBar* pBar);
    BOOL IsTracked(const CXTPCommandBar* pBar) const;
    int GetTrackedCount() const { return static_cast<int>(m_arrTracked.size()); }
    CXTPCommandBar* GetTrackedAt(int nIndex) const { return m_arrTracked[static_cast<size_t>(nIndex)]; }
    // TRUE when a popup bar is among the tracked ones.
    BOOL IsPopupTracked() const;
    // The root of the tracked chain leaves tracking mode, closing the chain.
    void CancelTracking();

    void SetHotBar(CXTPCommandBar* pBar) { m_pHotBar = pBar; }
    CXTPCommandBar* GetHotBar() const { return m_pHotBar; }
    // A bar going away must not stay hot or tracked.
    void OnBarDestroyed(CXTPCommandBar* pBar);

    // WM_MOUSELEAVE reaches hWnd once the cursor leaves it (checked every 50 ms).
    void TrackMouseLeave(HWND hWnd);
    HWND GetWatchedWindow() const { return m_hwndWatched; }
    // The foreground window is the last active popup of hWnd's top-most parent or owner.
    static BOOL IsTopParentActive(HWND hWnd);

    void AddTrustedWindow(HWND hWnd);
    void RemoveTrustedWindow(HWND hWnd);

    // While locked, hot tracking, mouse-leave handling and closing on button-up are suspended.
    void Lock() { m_nLock++; }
    void Unlock() { m_nLock--; }
    BOOL IsLocked() const { return m_nLock > 0; }
    // The button-up of the click that opened a popup is not a click into it.
    void SetSwallowButtonUp(BOOL bSwallow) { m_bSwallowButtonUp = bSwallow; }
    BOOL IsKeyboardMode() const { return m_bKeyboardMode; }
    void SetKeyboardMode(BOOL bKeyboard) { m_bKeyboardMode = bKeyboard; }
    BOOL IsHookInstalled() const { return m_hHookMouse != nullptr; }
    // The focus window when a mouse button last went down, before the press closed anything.
    HWND GetFocusAtPress() const { return m_hwndFocusAtPress; }

    // What the mouse hook does with one message at a screen point (also for tests).
    void ProcessMouseMessage(UINT nMessage, POINT ptScreen);

private:
    static LRESULT CALLBACK MouseProc(int nCode, WPARAM wParam, LPARAM lParam);
    static void CALLBACK WatchProc(HWND hWnd, UINT nMsg, UINT_PTR nIDEvent, DWORD dwTime);

    int m_nLock = 0;
    std::vector<CXTPCommandBar*> m_arrTracked;
    HHOOK m_hHookMouse = nullptr;
    CXTPCommandBar* m_pHotBar = nullptr;
    HWND m_hwndWatched = nullptr;
    BOOL m_bKeyboardMode = FALSE;
    std::vector<HWND> m_arrTrusted;
    BOOL m_bSwallowButtonUp = FALSE;
    HWND m_hwndFocusAtPress = nullptr;
};

// The calling thread's hook manager, made on first use.
CXTPHookManager* XTPHookManager();

// Holds the hook manager's lock for a scope.
class CXTPHookManagerLock {
public:
    CXTPHookManagerLock() { XTPHookManager()->Lock(); }
    ~CXTPHookManagerLock() { XTPHookManager()->Unlock(); }
    CXTPHookManagerLock(const CXTPHookManagerLock&) = delete;
    CXTPHookManagerLock& operator=(const CXTPHookManagerLock&) = delete;
};
