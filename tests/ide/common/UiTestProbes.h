// What the IDE's window tests share: one pass of the message pump, and a probe that records the
// state a command's update handler gives.
#pragma once

#include <windows.h>

#include <string>

#include "CCmdTarget.h"
#include "CCmdUI.h"
#include "CWinThread.h"

// Serves every message waiting for this thread's windows. A quit message is dropped, so that a
// test's own run of the message loop later is not ended by it.
inline void PumpMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// The same pass as the program's message loop makes it: the thread object's PreTranslateMessage
// (the frame's accelerator keys) sees each message first. A quit message is dropped as above.
inline void PumpMessagesThrough(CWinThread* pThread)
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            continue;
        if (!pThread->PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
}

// What an update handler set; -1 (and no text) where it set nothing.
struct CommandStateProbe : CCmdUI {
    BOOL handled = FALSE;  // an update handler took the command
    BOOL enabled = -1;
    int checked = -1;
    BOOL textSet = FALSE;
    std::string text;
    void Enable(BOOL bOn) override
    {
        enabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int nCheck) override { checked = nCheck; }
    void SetText(const char* lpszText) override
    {
        textSet = TRUE;
        text = lpszText ? lpszText : "";
    }
};

// The state the target's update handler gives the command.
inline CommandStateProbe CommandStateOf(CCmdTarget* pTarget, UINT nID)
{
    CommandStateProbe probe;
    probe.m_nID = nID;
    probe.handled = probe.DoUpdate(pTarget, FALSE);
    return probe;
}
