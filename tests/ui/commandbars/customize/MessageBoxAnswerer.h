// Answers the thread's message boxes through a CBT hook while it lives, keeping their texts.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class MessageBoxAnswerer {
public:
    explicit MessageBoxAnswerer(int nAnswer = IDOK)
    {
        s_nAnswer = nAnswer;
        s_texts.clear();
        m_hHook = ::SetWindowsHookExA(WH_CBT, Hook, nullptr, ::GetCurrentThreadId());
    }
    ~MessageBoxAnswerer() { ::UnhookWindowsHookEx(m_hHook); }
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    static const std::vector<std::string>& Texts() { return s_texts; }

private:
    static LRESULT CALLBACK Hook(int nCode, WPARAM wParam, LPARAM lParam)
    {
        HWND hWnd = reinterpret_cast<HWND>(wParam);
        // A message box is the dialog whose text control has the id 0xFFFF.
        if (nCode == HCBT_ACTIVATE && ::GetDlgItem(hWnd, 0xFFFF)) {
            char text[512] = {};
            ::GetDlgItemTextA(hWnd, 0xFFFF, text, sizeof(text));
            s_texts.push_back(text);
            ::PostMessageA(hWnd, WM_COMMAND, static_cast<WPARAM>(s_nAnswer), 0);
        }
        return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
    }

    HHOOK m_hHook = nullptr;
    static inline int s_nAnswer = IDOK;
    static inline std::vector<std::string> s_texts;
};
