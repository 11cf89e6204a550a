// The items' states of a popup while it is tracked modally: read by a timer, which then closes it.
#pragma once

#include <windows.h>

#include <vector>

#include "CXTPCommandBar.h"
#include "CXTPControl.h"
#include "CXTPHookManager.h"

inline std::vector<BOOL>& TrackedPopupStates()
{
    static std::vector<BOOL> states;
    return states;
}

inline void CALLBACK ReadTrackedPopupStates(HWND, UINT, UINT_PTR nIdEvent, DWORD)
{
    ::KillTimer(nullptr, nIdEvent);
    if (XTPHookManager()->GetTrackedCount() > 0) {
        CXTPCommandBar* pPopup = XTPHookManager()->GetTrackedAt(0);
        for (int i = 0; i < pPopup->GetControlCount(); i++)
            TrackedPopupStates().push_back(pPopup->GetControl(i)->GetEnabled());
    }
    XTPHookManager()->CancelTracking();
}

// Runs track, which tracks a popup modally; the enabled state of each of its items as it was
// open, none when no popup opened.
template <class F>
std::vector<BOOL> EnabledWhileTracked(F&& track)
{
    TrackedPopupStates().clear();
    const UINT_PTR nTimer = ::SetTimer(nullptr, 0, 50, ReadTrackedPopupStates);
    track();
    ::KillTimer(nullptr, nTimer);
    return TrackedPopupStates();
}
