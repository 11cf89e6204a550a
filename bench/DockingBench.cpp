// Times the start-up arrangement of panes plus two split panes in a 1,280 x 1,024 frame:
// 100 resizes down to 640 pixels, 100 live splitter moves and 100 layout passes that change
// nothing, each laid out and painted, beside a bare window whose plain child windows are
// placed the same way by hand. Both on the wall clock, the two taking turns for 3 rounds (the
// window whose round it is on top); prints the mean and the worst step of each. Goals: for every kind of step, the
// mean and the worst each within twice the bare window's.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "BenchTiming.h"
#include "DockingBenchFrame.h"
#include "CXTPDockingPane.h"
#include "CXTPDockingPaneManager.h"
#include "CXTPDockingPaneSplitterContainer.h"

namespace {

const int kSteps = 100;
const int kRounds = 3;

void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// The yardstick: a bare window with a client, a left pane, two right panes and an output pane,
// each a plain child window, placed by hand on every size change.
int g_bareLeft = 230;

void LayoutBare(HWND hWnd)
{
    RECT rc;
    ::GetClientRect(hWnd, &rc);
    const int width = rc.right, height = rc.bottom, bottom = height - 120, right = width - 200;
    const RECT places[] = {{0, 0, g_bareLeft, bottom},       {g_bareLeft + 4, 0, right - 4, bottom},
                           {right, 0, width, bottom / 2},    {right, bottom / 2 + 4, width, bottom},
                           {0, bottom + 4, width, height}};
    HDWP positions = ::BeginDeferWindowPos(5);
    int i = 0;
    for (HWND child = ::GetWindow(hWnd, GW_CHILD); child && i < 5; child = ::GetWindow(child, GW_HWNDNEXT), ++i) {
        const RECT& r = places[i];
        positions = ::DeferWindowPos(positions, child, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ::EndDeferWindowPos(positions);
}

LRESULT CALLBACK BareWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SIZE)
        LayoutBare(hWnd);
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

HWND MakeBareWindow()
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = BareWindowProc;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "DockingBenchBare";
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    ::RegisterClassA(&windowClass);
    HWND hWnd = ::CreateWindowExA(0, windowClass.lpszClassName, "Bare window", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                  0, 0, 1280, 1024, nullptr, nullptr, nullptr, nullptr);
    const char* titles[] = {"Class View", "", "Pane 1", "Pane 2", "Output"};
    for (const char* title : titles)
        ::CreateWindowExA(title[0] ? 0 : WS_EX_CLIENTEDGE, "STATIC", title, WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 0, 10,
                          10, hWnd, nullptr, nullptr, nullptr);
    LayoutBare(hWnd);
    ::ShowWindow(hWnd, SW_SHOW);
    return hWnd;
}

// The window on top, as on screen, and painted, before its steps are timed: the two windows
// overlap.
void Raise(HWND hWnd)
{
    ::SetWindowPos(hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::RedrawWindow(hWnd, nullptr, nullptr, RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();
}

// kSteps steps of ours and of the bare window, each laid out and painted (what the step made
// invalid, as on screen); the two take turns for kRounds rounds. [ours, bare], every step.
template <class Ours, class Bare>
std::vector<Samples> Time(HWND ours, HWND bare, Ours ourStep, Bare bareStep)
{
    std::vector<Samples> steps(2);
    auto side = [](HWND hWnd, Samples* samples, auto run) {
        return [hWnd, samples, run] {
            Raise(hWnd);
            for (int i = 0; i < kSteps; ++i) {
                samples->ms.push_back(WallMilliseconds([&] {
                    run(i);
                    ::RedrawWindow(hWnd, nullptr, nullptr, RDW_ALLCHILDREN | RDW_UPDATENOW);
                    Pump();
                }));
            }
            return 0.0;
        };
    };
    Alternate(kRounds, {side(ours, &steps[0], ourStep), side(bare, &steps[1], bareStep)});
    return steps;
}

bool Report(const char* what, const std::vector<Samples>& times)
{
    std::printf("  %s: mean %.2f, worst %.2f; bare window mean %.2f, worst %.2f\n", what, times[0].Mean(),
                times[0].Worst(), times[1].Mean(), times[1].Worst());
    const bool met = ReportRatio("    mean / bare window's", times[0].Mean(), times[1].Mean(), 2.0);
    return ReportRatio("    worst / bare window's", times[0].Worst(), times[1].Worst(), 2.0) && met;
}

}  // namespace

int main()
{
    DockingBenchFrame frame;
    frame.CreateBench("Docking bench");
    CXTPDockingPaneManager manager;
    manager.InstallInFrame(&frame);
    manager.SetTheme(7);
    CXTPDockingPane* pOutput = manager.CreatePane(202, CRect(0, 0, 150, 120), DPD_BOTTOM);
    CXTPDockingPane* pClassView = manager.CreatePane(201, CRect(0, 0, 230, 140), DPD_LEFT);
    CXTPDockingPane* pExplorer = manager.CreatePane(200, CRect(0, 0, 230, 140), DPD_LEFT);
    manager.AttachPane(pExplorer, pClassView);
    CXTPDockingPane* pRight = manager.CreatePane(1, CRect(0, 0, 200, 120), DPD_RIGHT, pOutput);
    manager.CreatePane(2, CRect(0, 0, 200, 120), DPD_BOTTOM, pRight);
    manager.m_bGhostSplitter = FALSE;
    frame.ShowWindow(SW_SHOW);
    frame.RecalcLayout();
    Pump();

    HWND bare = MakeBareWindow();
    Pump();
    HWND ours = frame.GetSafeHwnd();
    auto resizeTo = [](HWND hWnd) {
        return [hWnd](int i) {
            ::SetWindowPos(hWnd, nullptr, 0, 0, 1280 - i * 640 / (kSteps - 1), 1024 - i * 2,
                           SWP_NOZORDER | SWP_NOACTIVATE);
        };
    };
    const std::vector<Samples> resize = Time(ours, bare, resizeTo(ours), resizeTo(bare));
    frame.SetWindowPos(nullptr, 0, 0, 1280, 1024, SWP_NOZORDER | SWP_NOACTIVATE);
    ::SetWindowPos(bare, nullptr, 0, 0, 1280, 1024, SWP_NOZORDER | SWP_NOACTIVATE);
    // A live splitter move applies the new preferred width of the left group and lays the
    // frame out at once, as the splitter's drag does.
    CXTPDockingPaneBase* pLeft = pClassView->m_pParentContainer;
    const std::vector<Samples> move = Time(
        ours, bare,
        [&](int i) {
            pLeft->m_szDocking.cx = 150 + (i % 50) * 6;
            frame.RecalcLayout();
        },
        [&](int i) {
            g_bareLeft = 150 + (i % 50) * 6;
            LayoutBare(bare);
        });

    // A layout pass that changes nothing, as the idle step runs after a title or selection
    // change elsewhere: nothing needs to move or be painted again.
    const std::vector<Samples> still = Time(ours, bare, [&](int) { frame.RecalcLayout(); }, [&](int) { LayoutBare(bare); });

    std::printf("docking layout and paint, %d steps each, %d alternated rounds (wall clock, ms)\n", kSteps, kRounds);
    Report("resize 1280 -> 640", resize);
    Report("live splitter move", move);
    Report("unchanged layout pass", still);
    ::DestroyWindow(bare);
    return 0;  // the frame's destructor takes its window (destroyed from here it would delete itself)
}
