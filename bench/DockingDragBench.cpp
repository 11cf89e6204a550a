// Times a drag with the translucent preview and the docking markers over four tab groups in
// a 1,280 x 1,024 frame: 200 posted pointer moves, each move with the markers and previews it
// changes painted, beside a bare translucent window of the platform moved to the preview's
// place and painted, move by move in turns (the first alternating), both on the wall clock.
// Prints the mean and the worst move of each (goals: each within twice the bare window's), and
// what the press costs before the first move (the drag's windows are made then).
#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "BenchTiming.h"
#include "DockingBenchFrame.h"
#include "CXTPDockingPane.h"
#include "CXTPDockingPaneDragContext.h"
#include "CXTPDockingPaneManager.h"
#include "CXTPDockingPaneStickerWnd.h"

namespace {

const int kMoves = 200;

// Each move is timed with the painting it causes: the markers and the preview drawn at once.
// Beside it the bare window is moved to where the preview went and painted.
class TimedDragContext : public CXTPDockingPaneDragContext {
public:
    using CXTPDockingPaneDragContext::CXTPDockingPaneDragContext;
    void BeginTracking() override
    {
        begin = WallMilliseconds([&] { CXTPDockingPaneDragContext::BeginTracking(); });
    }
    void Move(POINT pt) override
    {
        auto ours = [&] {
            return WallMilliseconds([&] {
                CXTPDockingPaneDragContext::Move(pt);
                for (CXTPDockingPaneStickerWnd* pSticker : m_lstStickers)
                    ::RedrawWindow(pSticker->GetSafeHwnd(), nullptr, nullptr, RDW_UPDATENOW);
                if (m_wndAlpha.GetSafeHwnd())
                    ::RedrawWindow(m_wndAlpha.GetSafeHwnd(), nullptr, nullptr, RDW_UPDATENOW);
            });
        };
        auto bare = [&] {
            return WallMilliseconds([&] {
                const bool shown = m_wndAlpha.GetSafeHwnd() && m_wndAlpha.IsWindowVisible();
                CRect rc;
                if (shown)
                    m_wndAlpha.GetWindowRect(&rc);
                ::SetWindowPos(bareWindow, nullptr, rc.left, rc.top, rc.Width(), rc.Height(),
                               SWP_NOZORDER | SWP_NOACTIVATE | (shown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
                ::RedrawWindow(bareWindow, nullptr, nullptr, RDW_UPDATENOW);
            });
        };
        // The first of the two takes turns; going first, the bare window takes the last place.
        if (count++ % 2 == 0) {
            oursTimes.ms.push_back(ours());
            bareTimes.ms.push_back(bare());
        } else {
            bareTimes.ms.push_back(bare());
            oursTimes.ms.push_back(ours());
        }
    }
    HWND bareWindow = nullptr;
    double begin = 0;
    Samples oursTimes, bareTimes;
    int count = 0;
};

}  // namespace

int main()
{
    DockingBenchFrame frame;
    frame.CreateBench("Docking drag bench");
    CXTPDockingPaneManager manager;
    manager.InstallInFrame(&frame);
    manager.SetTheme(7);
    manager.m_bAlphaDragPreview = manager.m_bDragStickers = TRUE;
    auto* pContext = new TimedDragContext(&manager);
    pContext->bareWindow = ::CreateWindowExA(WS_EX_LAYERED | WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP,
                                             0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ::SetLayeredWindowAttributes(pContext->bareWindow, 0, 100, LWA_ALPHA);
    delete manager.m_pDragContext;
    manager.m_pDragContext = pContext;

    CXTPDockingPane* pOutput = manager.CreatePane(202, CRect(0, 0, 150, 120), DPD_BOTTOM);
    CXTPDockingPane* pClassView = manager.CreatePane(201, CRect(0, 0, 230, 140), DPD_LEFT);
    CXTPDockingPane* pRight = manager.CreatePane(1, CRect(0, 0, 200, 120), DPD_RIGHT, pOutput);
    CXTPDockingPane* pBelow = manager.CreatePane(2, CRect(0, 0, 200, 120), DPD_BOTTOM, pRight);
    frame.ShowWindow(SW_SHOW);
    frame.RecalcLayout();
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageA(&msg);

    // The pointer walks over each group in turn, 50 moves per group, crossing its markers.
    CXTPDockingPane* panes[] = {pClassView, pOutput, pRight, pBelow};
    CXTPDockingPaneBase* pDragged = pBelow->m_pParentContainer;
    const CRect rcStart = pDragged->GetScreenRect();
    for (int i = 0; i < kMoves; ++i) {
        const CRect rc = panes[i / 50]->m_pParentContainer->GetScreenRect();
        const int k = i % 50;
        ::SetCursorPos(rc.left + rc.Width() * (k + 1) / 52, rc.top + rc.Height() * (k + 1) / 52);
        ::PostMessageA(frame.GetSafeHwnd(), WM_MOUSEMOVE, MK_LBUTTON, 0);
    }
    ::PostMessageA(frame.GetSafeHwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
    pContext->Drag(pDragged, rcStart.CenterPoint().x, rcStart.CenterPoint().y);

    std::printf("drag with markers over four groups, %d posted moves (wall clock, ms)\n", pContext->count);
    std::printf("  per move with its painting: mean %.2f, worst %.2f; bare translucent window mean %.2f, worst %.2f\n",
                pContext->oursTimes.Mean(), pContext->oursTimes.Worst(), pContext->bareTimes.Mean(),
                pContext->bareTimes.Worst());
    ReportRatio("mean move / bare window's", pContext->oursTimes.Mean(), pContext->bareTimes.Mean(), 2.0);
    ReportRatio("worst move / bare window's", pContext->oursTimes.Worst(), pContext->bareTimes.Worst(), 2.0);
    std::printf("  at the press, before the first move: %.2f\n", pContext->begin);
    ::DestroyWindow(pContext->bareWindow);
    return 0;
}
