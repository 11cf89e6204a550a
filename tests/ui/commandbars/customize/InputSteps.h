// Steps run one per timer tick while a modal loop holds the thread: they send real input and
// read the state between inputs.
#pragma once

#include <windows.h>

#include <functional>
#include <utility>
#include <vector>

class InputSteps {
public:
    explicit InputSteps(std::vector<std::function<void()>> steps, UINT nElapse = 60)
    {
        s_steps = std::move(steps);
        s_next = 0;
        m_nTimer = ::SetTimer(nullptr, 0, nElapse, Tick);
    }
    ~InputSteps()
    {
        ::KillTimer(nullptr, m_nTimer);
        s_steps.clear();
    }
    InputSteps(const InputSteps&) = delete;
    InputSteps& operator=(const InputSteps&) = delete;

    static bool Done() { return s_next >= s_steps.size(); }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        if (s_next < s_steps.size())
            s_steps[s_next++]();
    }

    UINT_PTR m_nTimer = 0;
    static inline std::vector<std::function<void()>> s_steps;
    static inline size_t s_next = 0;
};
