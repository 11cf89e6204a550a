// Where the editing control's time goes when it shows a completion list: a recorder that
// stamps the steps of one list from the windows' own messages, the phases those stamps
// give, and a bare list box filled the same way as a yardstick for the fill.
#pragma once

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace bench {

using StepClock = std::chrono::steady_clock;

inline double StepMilliseconds(StepClock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

inline double MedianOf(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

// Stamps one list's steps while it lives (one at a time, on this thread): a creation hook
// subclasses the control's popup and its list box as they are made (and its call tip, whose
// first paint counts as painted too); the subclasses pass everything on, also after the
// recorder is gone. The extra subclass costs a little on
// each message, so the fill reads somewhat slower here than without.
class ListStepRecorder {
public:
    ListStepRecorder()
    {
        s_current = this;
        m_hook = ::SetWindowsHookExA(WH_CBT, CreationHook, nullptr, ::GetCurrentThreadId());
    }
    ~ListStepRecorder()
    {
        ::UnhookWindowsHookEx(m_hook);
        s_current = nullptr;
    }
    ListStepRecorder(const ListStepRecorder&) = delete;
    ListStepRecorder& operator=(const ListStepRecorder&) = delete;

    void Mark(const char* what) { m_marks.push_back({what, StepClock::now()}); }
    bool Painted() const { return m_painted; }
    int ItemsAdded() const { return m_added; }

    // Milliseconds between the first mark of each label and the first of the next label
    // after it; -1 where a label is missing.
    std::vector<double> Between(const std::vector<const char*>& labels) const
    {
        std::vector<double> spans;
        std::size_t at = 0;
        StepClock::time_point previous{};
        for (std::size_t i = 0; i < labels.size(); ++i) {
            while (at < m_marks.size() && std::strcmp(m_marks[at].what, labels[i]) != 0)
                ++at;
            if (at == m_marks.size()) {
                spans.resize(labels.size() - 1, -1);
                return spans;
            }
            if (i > 0)
                spans.push_back(StepMilliseconds(m_marks[at].when - previous));
            previous = m_marks[at].when;
        }
        return spans;
    }

private:
    struct Stamp {
        const char* what;
        StepClock::time_point when;
    };

    static LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam)
    {
        if (code == HCBT_CREATEWND && s_current) {
            const HWND hwnd = reinterpret_cast<HWND>(wParam);
            char name[64] = {};
            ::GetClassNameA(hwnd, name, sizeof name);
            if (std::strcmp(name, "ListBoxX") == 0) {
                s_current->Mark("popup made");
                s_popupProc = Subclass(hwnd, PopupProc);
            } else if (_stricmp(name, "listbox") == 0) {
                s_listProc = Subclass(hwnd, ListProc);
            } else if (std::strcmp(name, "CallTip") == 0) {
                s_tipProc = Subclass(hwnd, TipProc);
            }
        }
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static WNDPROC Subclass(HWND hwnd, WNDPROC proc)
    {
        return reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc)));
    }

    static LRESULT CALLBACK ListProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        ListStepRecorder* r = s_current;
        if (r && message == LB_RESETCONTENT)
            r->Mark("emptied");
        else if (r && message == LB_INITSTORAGE)
            r->Mark("filling");
        else if (r && message == LB_ADDSTRING)
            ++r->m_added;
        else if (r && message == WM_PRINT)
            r->Mark("painting");
        const LRESULT result = ::CallWindowProcA(s_listProc, hwnd, message, wParam, lParam);
        if (r && message == WM_SETREDRAW && wParam)
            r->Mark("redrawn");
        if (r && message == WM_PRINT) {
            r->Mark("painted");
            r->m_painted = true;
        }
        return result;
    }

    static LRESULT CALLBACK PopupProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (s_current && message == WM_SHOWWINDOW && wParam)
            s_current->Mark("showing");
        return ::CallWindowProcA(s_popupProc, hwnd, message, wParam, lParam);
    }

    static LRESULT CALLBACK TipProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        const LRESULT result = ::CallWindowProcA(s_tipProc, hwnd, message, wParam, lParam);
        if (s_current && message == WM_PAINT) {
            s_current->Mark("painted");
            s_current->m_painted = true;
        }
        return result;
    }

    // The control's window classes keep one procedure each for the whole run.
    static inline ListStepRecorder* s_current = nullptr;
    static inline WNDPROC s_tipProc = nullptr;
    static inline WNDPROC s_popupProc = nullptr;
    static inline WNDPROC s_listProc = nullptr;
    HHOOK m_hook = nullptr;
    std::vector<Stamp> m_marks;
    int m_added = 0;
    bool m_painted = false;
};

// The phases of one list, as (label of its start, what happens up to the next label).
struct ListPhase {
    const char* from;
    const char* what;
};

// Prints each phase's median over the runs and the median whole.
inline void PrintListPhases(const char* title, const std::vector<ListPhase>& phases,
                            const std::vector<std::vector<double>>& runs)
{
    std::printf("%s, median of %d runs:\n", title, int(runs.size()));
    double total = 0;
    for (std::size_t i = 0; i < phases.size(); ++i) {
        std::vector<double> spans;
        for (const std::vector<double>& run : runs)
            if (i < run.size() && run[i] >= 0)
                spans.push_back(run[i]);
        const double median = MedianOf(spans);
        total += median;
        std::printf("  %-66s %7.2f ms\n", phases[i].what, median);
    }
    std::printf("  %-66s %7.2f ms\n", "all (the sum of the medians)", total);
}

// A bare list box of the control's kind (owner-drawn, no data) in a hidden popup, given
// `count` items one message each: plain, and behind a subclass procedure that looks up its
// owner through the parent window on every message as the control's own does; and the two
// windows made and destroyed with nothing in them.
inline void PrintBareListBox(int count, int runs)
{
    static WNDPROC s_listProc = nullptr;
    struct Owner {
        static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
        {
            volatile LONG_PTR owner = ::GetWindowLongPtrA(::GetParent(hwnd), GWLP_USERDATA);
            (void)owner;
            return ::CallWindowProcA(s_listProc, hwnd, message, wParam, lParam);
        }
    };
    std::vector<double> times[3];
    const HINSTANCE instance = ::GetModuleHandleA(nullptr);
    for (int run = 0; run < runs; ++run) {
        for (int kind = 0; kind < 3; ++kind) {
            const StepClock::time_point start = StepClock::now();
            HWND popup = ::CreateWindowExA(WS_EX_WINDOWEDGE, "STATIC", "", WS_POPUP | WS_THICKFRAME, 100, 100, 150,
                                           80, nullptr, nullptr, instance, nullptr);
            HWND list = ::CreateWindowExA(
                0, "listbox", "", WS_CHILD | WS_VSCROLL | WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_NODATA | LBS_NOINTEGRALHEIGHT,
                0, 0, 150, 80, popup, nullptr, instance, nullptr);
            if (kind == 1)
                s_listProc = reinterpret_cast<WNDPROC>(
                    ::SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Owner::Proc)));
            const StepClock::time_point filling = StepClock::now();
            if (kind < 2) {
                ::SendMessageA(list, WM_SETREDRAW, FALSE, 0);
                ::SendMessageA(list, LB_INITSTORAGE, WPARAM(count), 0);
                for (int i = 0; i < count; ++i)
                    ::SendMessageA(list, LB_ADDSTRING, 0, LPARAM(i + 1));
                ::SendMessageA(list, WM_SETREDRAW, TRUE, 0);
                times[kind].push_back(StepMilliseconds(StepClock::now() - filling));
            }
            ::DestroyWindow(popup);
            if (kind == 2)
                times[kind].push_back(StepMilliseconds(StepClock::now() - start));
        }
    }
    std::printf("a bare list box of the same kind, median of %d runs: %d items added one message each %.2f ms, "
                "the same behind a subclass looking up its owner %.2f ms; both windows made and destroyed empty "
                "%.2f ms\n",
                runs, count, MedianOf(times[0]), MedianOf(times[1]), MedianOf(times[2]));
}

}  // namespace bench
