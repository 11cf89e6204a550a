// The main frame's autosave timer: runs while autosave is on with a period above 0 and saves
// every modified document under its own path when it fires.
#pragma once

#include <windows.h>

class CAutoSaveTimer {
public:
    enum { kTimerId = 1 };

    // The frame window the timer runs on. Attaching registers with the editor settings, so
    // every load or change of the autosave choice restarts the timer; detaching kills it.
    void Attach(HWND frame);
    void Detach();

    // Kills a running timer when autosave is off or the period is 0; else (re)starts it with
    // period × 60,000 ms.
    void Update(int autoSave, int periodMinutes);
    // For WM_TIMER: TRUE when the id was this timer's; the modified documents are then saved
    // while autosave is on.
    BOOL OnTimer(UINT_PTR id);

    UINT_PTR GetTimer() const { return m_nAutoSaveTimer; }
    UINT GetPeriod() const { return m_nPeriod; }

private:
    HWND m_hWnd = nullptr;
    UINT_PTR m_nAutoSaveTimer = 0;
    UINT m_nPeriod = 0;  // ms of the running timer
};

// The frame's one timer.
CAutoSaveTimer& GetAutoSaveTimer();
