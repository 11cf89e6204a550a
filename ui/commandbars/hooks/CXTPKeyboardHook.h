// The per-thread keyboard and call-window hooks that feed keys to tracking command bars and
// close their popups when the application loses activation.
#pragma once

#include <windows.h>

#include <vector>

#include "CXTPWindowHookSink.h"

class CXTPKeyboardHook {
public:
    CXTPKeyboardHook() = default;
    ~CXTPKeyboardHook();
    CXTPKeyboardHook(const CXTPKeyboardHook&) = delete;
    CXTPKeyboardHook& operator=(const CXTPKeyboardHook&) = delete;

    // Installs both hooks on the first sink.
    void Register(CXTPWindowHookSink* pSink);
    // Removes both hooks with the last sink.
    void Unregister(CXTPWindowHookSink* pSink);
    BOOL IsRegistered(const CXTPWindowHookSink* pSink) const;
    int GetSinkCount() const { return static_cast<int>(m_arrSinks.size()); }
    BOOL IsInstalled() const { return m_hHookKeyboard != nullptr && m_hHookCallWnd != nullptr; }

    // Offers a message to the sinks in registration order; the first nonzero answer, else 0.
    int OfferMessage(UINT nMessage, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK KeyboardProc(int nCode, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK CallWndProc(int nCode, WPARAM wParam, LPARAM lParam);

    HHOOK m_hHookKeyboard = nullptr;
    HHOOK m_hHookCallWnd = nullptr;
    std::vector<CXTPWindowHookSink*> m_arrSinks;
};

// The calling thread's keyboard hook object, made on first use.
CXTPKeyboardHook* XTPKeyboardHook();
