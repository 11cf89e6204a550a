// The modal loop under every mouse drag and press of the library: capture, messages, ending.
#pragma once

#include <windows.h>

#include <functional>
#include <utility>

// Run takes the capture for a window and hands the thread's messages to a handler until the
// left button comes up, the drag is cancelled or the capture goes elsewhere; then it lets the
// capture go. What the handler leaves to the loop (kDefault) follows the loop's rules, which
// the options below change. A quit request ends the loop and is posted again for the loop outside.
class CXTPTrackingLoop {
public:
    // How the loop ended.
    enum Result {
        kLost,       // the capture went elsewhere, or the thread is to quit
        kReleased,   // the left button came up
        kCancelled,  // Escape, or (with CancelOnCancelMode) WM_CANCELMODE or a right press
        kStopped,    // the handler said so
    };

    // What the handler made of a message.
    enum Action {
        kDefault,   // the loop's rules: left button up releases, Escape cancels, the rest is dispatched
        kNext,      // used up; on to the next message
        kDispatch,  // to its window
        kRelease,   // ends the loop as kReleased
        kCancel,    // ends the loop as kCancelled
        kStop,      // ends the loop as kStopped
    };

    using Handler = std::function<Action(const MSG& msg)>;

    // Pending paints are dispatched before each message is taken, so that what the drag moves
    // shows at once.
    CXTPTrackingLoop& PaintFirst() { return Set(m_bPaintFirst); }
    // Dispatched key messages are translated first (the window gets their characters).
    CXTPTrackingLoop& Translate() { return Set(m_bTranslate); }
    // Escape is a key like any other: it goes to its window and ends nothing.
    CXTPTrackingLoop& KeepEscape() { return Set(m_bKeepEscape); }
    // WM_CANCELMODE and a right press cancel the loop instead of going to their windows.
    CXTPTrackingLoop& CancelOnCancelMode() { return Set(m_bCancelMode); }
    // Keyboard messages reach no window while the loop runs.
    CXTPTrackingLoop& HoldKeys() { return Set(m_bHoldKeys); }
    // Called before each message is taken; false: none is to be taken yet, ask again.
    CXTPTrackingLoop& BeforeMessage(std::function<bool()> fn)
    {
        m_beforeMessage = std::move(fn);
        return *this;
    }

    // The loop for hWnd (none: kLost at once). The capture is released if hWnd still holds it.
    Result Run(HWND hWnd, const Handler& onMessage);

    // The next message of the thread; FALSE when the thread is to quit (the request is posted
    // again, so the outer loop still ends) or the queue failed.
    static BOOL NextMessage(MSG* pMsg);

private:
    CXTPTrackingLoop& Set(bool& bOption)
    {
        bOption = true;
        return *this;
    }
    BOOL Fetch(MSG* pMsg) const;
    Action Rule(const MSG& msg) const;

    bool m_bPaintFirst = false;
    bool m_bTranslate = false;
    bool m_bKeepEscape = false;
    bool m_bCancelMode = false;
    bool m_bHoldKeys = false;
    std::function<bool()> m_beforeMessage;
};
