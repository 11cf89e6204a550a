// Times the start-up arrangement of panes plus two split panes in a 1,280 x 1,024 frame:
// 100 resizes down to 640 pixels, 100 live splitter moves and 100 layout passes that change
// nothing, each laid out and painted; prints the mean and the worst of each (goal: worst
// under 16 ms).
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "DockingBenchFrame.h"
#include "CXTPDockingPane.h"
#include "CXTPDockingPaneManager.h"
#include "CXTPDockingPaneSplitterContainer.h"

namespace {

using Clock = std::chrono::steady_clock;

const int kSteps = 100;

void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

struct Stats {
    double total = 0, worst = 0;
    void Add(double ms)
    {
        total += ms;
        worst = std::max(worst, ms);
    }
};

template <class Step>
Stats Time(DockingBenchFrame& frame, Step step)
{
    Stats stats;
    for (int i = 0; i < kSteps; ++i) {
        const auto start = Clock::now();
        step(i);
        // Painted is what the step made invalid, as on screen.
        ::RedrawWindow(frame.GetSafeHwnd(), nullptr, nullptr, RDW_ALLCHILDREN | RDW_UPDATENOW);
        Pump();
        stats.Add(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return stats;
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

    Stats resize = Time(frame, [&](int i) {
        int width = 1280 - i * 640 / (kSteps - 1);
        frame.SetWindowPos(nullptr, 0, 0, width, 1024 - i * 2, SWP_NOZORDER | SWP_NOACTIVATE);
    });
    frame.SetWindowPos(nullptr, 0, 0, 1280, 1024, SWP_NOZORDER | SWP_NOACTIVATE);
    // A live splitter move applies the new preferred width of the left group and lays the
    // frame out at once, as the splitter's drag does.
    CXTPDockingPaneBase* pLeft = pClassView->m_pParentContainer;
    Stats move = Time(frame, [&](int i) {
        pLeft->m_szDocking.cx = 150 + (i % 50) * 6;
        frame.RecalcLayout();
    });

    // A layout pass that changes nothing, as the idle step runs after a title or selection
    // change elsewhere: nothing needs to move or be painted again.
    Stats still = Time(frame, [&](int) { frame.RecalcLayout(); });

    std::printf("docking layout and paint, %d steps each (ms)\n", kSteps);
    std::printf("  resize 1280 -> 640: mean %.2f, worst %.2f\n", resize.total / kSteps, resize.worst);
    std::printf("  live splitter move: mean %.2f, worst %.2f\n", move.total / kSteps, move.worst);
    std::printf("  unchanged layout pass: mean %.2f, worst %.2f\n", still.total / kSteps, still.worst);
    return 0;  // the frame's destructor takes its window (destroyed from here it would delete itself)
}
