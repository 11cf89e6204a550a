// The per-thread keyboard hook: keys to tracking bars, Alt closes menus, deactivation closes popups.
#include "CXTPKeyboardHook.h"

#include <algorithm>

#include "AfxThreadLocal.h"
#include "CXTPHookManager.h"

namespace {

THREAD_LOCAL(CXTPKeyboardHook, g_keyboardHook)

const LPARAM kAltContext = 1 << 29;
const LPARAM kPreviousDown = 1 << 30;
const LPARAM kKeyUp = static_cast<LPARAM>(1u << 31);

}  // namespace

CXTPKeyboardHook* XTPKeyboardHook()
{
    return g_keyboardHook.GetData();
}

CXTPKeyboardHook::~CXTPKeyboardHook()
{
    if (m_hHookKeyboard)
        ::UnhookWindowsHookEx(m_hHookKeyboard);
    if (m_hHookCallWnd)
        ::UnhookWindowsHookEx(m_hHookCallWnd);
}

void CXTPKeyboardHook::Register(CXTPWindowHookSink* pSink)
{
    if (!m_hHookKeyboard)
        m_hHookKeyboard = ::SetWindowsHookExA(WH_KEYBOARD, KeyboardProc, nullptr, ::GetCurrentThreadId());
    if (!m_hHookCallWnd)
        m_hHookCallWnd = ::SetWindowsHookExA(WH_CALLWNDPROC, CallWndProc, nullptr, ::GetCurrentThreadId());
    if (!IsRegistered(pSink))
        m_arrSinks.push_back(pSink);
}

void CXTPKeyboardHook::Unregister(CXTPWindowHookSink* pSink)
{
    m_arrSinks.erase(std::remove(m_arrSinks.begin(), m_arrSinks.end(), pSink), m_arrSinks.end());
    if (m_arrSinks.empty()) {
        if (m_hHookKeyboard)
            ::UnhookWindowsHookEx(m_hHookKeyboard);
        if (m_hHookCallWnd)
            ::UnhookWindowsHookEx(m_hHookCallWnd);
        m_hHookKeyboard = nullptr;
        m_hHookCallWnd = nullptr;
    }
}

BOOL CXTPKeyboardHook::IsRegistered(const CXTPWindowHookSink* pSink) const
{
    return std::find(m_arrSinks.begin(), m_arrSinks.end(), pSink) != m_arrSinks.end();
}

int CXTPKeyboardHook::OfferMessage(UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    // A sink may leave while it handles the message: ask the ones registered now, while they stay.
    const std::vector<CXTPWindowHookSink*> arrSinks = m_arrSinks;
    for (CXTPWindowHookSink* pSink : arrSinks) {
        if (!IsRegistered(pSink))
            continue;
        LRESULT lResult = 0;
        WPARAM wp = wParam;
        LPARAM lp = lParam;
        if (int nAnswer = pSink->OnHookMessage(nullptr, nMessage, wp, lp, lResult))
            return nAnswer;
    }
    return 0;
}

LRESULT CALLBACK CXTPKeyboardHook::KeyboardProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    CXTPKeyboardHook* pThis = XTPKeyboardHook();
    HHOOK hHook = pThis->m_hHookKeyboard;
    if (nCode == HC_ACTION && !pThis->m_arrSinks.empty() && !(lParam & kKeyUp)) {
        if (!(lParam & kAltContext)) {
            int nAnswer = pThis->OfferMessage(WM_KEYDOWN, wParam, lParam);
            if (nAnswer != 0 && nAnswer != 2)
                return 1;
        } else if (!XTPHookManager()->IsPopupTracked()) {
            if (wParam == VK_MENU) {
                if (!(lParam & kPreviousDown)) {
                    XTPHookManager()->CancelTracking();
                    return 1;
                }
            } else {
                int nAnswer = pThis->OfferMessage(WM_KEYDOWN, wParam, lParam);
                if (nAnswer != 0 && nAnswer != 2)
                    return 1;
            }
        }
    }
    return ::CallNextHookEx(hHook, nCode, wParam, lParam);
}

LRESULT CALLBACK CXTPKeyboardHook::CallWndProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    CXTPKeyboardHook* pThis = XTPKeyboardHook();
    HHOOK hHook = pThis->m_hHookCallWnd;
    const CWPSTRUCT* pMsg = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (nCode == HC_ACTION && pMsg->message == WM_ACTIVATEAPP && !pMsg->wParam)
        XTPHookManager()->CancelTracking();
    return ::CallNextHookEx(hHook, nCode, wParam, lParam);
}
