// Times a drag with the translucent preview and the docking markers over four tab groups in
// a 1,280 x 1,024 frame: 200 posted pointer moves, each move with the markers and previews it
// changes painted; prints the mean and the worst move (goal: worst under 16 ms), and what the
// press costs before the first move (the drag's windows are made then).
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "DockingBenchFrame.h"
#include "CXTPDockingPane.h"
#include "CXTPDockingPaneDragContext.h"
#include "CXTPDockingPaneManager.h"
#include "CXTPDockingPaneStickerWnd.h"

namespace {

using Clock = std::chrono::steady_clock;

const int kMoves = 200;

// Each move is timed with the painting it causes: the markers and the preview drawn at once.
class TimedDragContext : public CXTPDockingPaneDragContext {
public:
    using CXTPDockingPaneDragContext::CXTPDockingPaneDragContext;
    void BeginTracking() override
    {
        const auto start = Clock::now();
        CXTPDockingPaneDragContext::BeginTracking();
        begin = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    }
    void Move(POINT pt) override
    {
        const auto start = Clock::now();
        CXTPDockingPaneDragContext::Move(pt);
        for (CXTPDockingPaneStickerWnd* pSticker : m_lstStickers)
            ::RedrawWindow(pSticker->GetSafeHwnd(), nullptr, nullptr, RDW_UPDATENOW);
        if (m_wndAlpha.GetSafeHwnd())
            ::RedrawWindow(m_wndAlpha.GetSafeHwnd(), nullptr, nullptr, RDW_UPDATENOW);
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        total += ms;
        if (ms > worst) {
            worst = ms;
            worstAt = count;
        }
        ++count;
    }
    double begin = 0, total = 0, worst = 0;
    int count = 0, worstAt = -1;
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

    std::printf("drag with markers over four groups, %d posted moves (ms)\n", pContext->count);
    std::printf("  per move with its painting: mean %.2f, worst %.2f at move %d (goal: worst under 16)\n",
                pContext->count ? pContext->total / pContext->count : 0.0, pContext->worst, pContext->worstAt);
    std::printf("  at the press, before the first move: %.2f\n", pContext->begin);
    return 0;
}
