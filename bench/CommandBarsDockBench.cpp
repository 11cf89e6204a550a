// Times the layout and painting of a frame's docked command bars while the frame is resized:
// a menu bar and 8 toolbars of 30 buttons, 100 widths between 1,200 and 500 pixels, mean and
// worst; beside it a common-control rebar of 8 native toolbars under a native menu, resized
// the same way. Each resize is painted twice over: once with every window repainted, once
// with what the window system finds invalid (as a user's resize is). Both on the wall clock,
// the two windows taking turns for 5 rounds (the one whose round it is on top); each figure is the median of its rounds (the
// thread's own processor time per resize is shown beside them). Goals, with every window
// repainted: the mean and the worst resize each within twice the rebar's.
// With --show it instead leaves both windows up to be looked at.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include "AfxCommonControls.h"
#include "BenchTiming.h"
#include "CXTPCommandBars.h"
#include "CXTPControl.h"
#include "CXTPControls.h"
#include "CXTPFrameWndBase.h"
#include "CXTPMenuBar.h"
#include "CXTPToolBar.h"

namespace {

const int kToolBars = 8;
const int kButtons = 30;
const int kResizes = 100;
const int kHeight = 700;
const int kRounds = 5;
const char* const kMenus[] = {"&File", "&Edit", "&View", "&Project", "&Build", "&Tools", "&Window", "&Help"};

struct Timing {
    double mean = 0;
    double worst = 0;
    double cpu = 0;  // the thread's processor time per resize
};

// Each figure's median over the rounds.
Timing MedianOf(const std::vector<Timing>& rounds)
{
    Samples mean, worst, cpu;
    for (const Timing& timing : rounds) {
        mean.ms.push_back(timing.mean);
        worst.ms.push_back(timing.worst);
        cpu.ms.push_back(timing.cpu);
    }
    return {mean.Median(), worst.Median(), cpu.Median()};
}

// The frame width of step i: down from 1,200 to 500 and back up.
int WidthAt(int i)
{
    const int nHalf = kResizes / 2;
    const int nStep = i < nHalf ? i : kResizes - 1 - i;
    return 1200 - 700 * nStep / (nHalf - 1);
}

void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// Resizes the window 100 times, each time laid out (by its own size handling) and painted:
// with bRepaintAll every window, else what the resize left invalid.
template <class Layout>
Timing TimeResizes(HWND hWnd, Layout layout, bool bRepaintAll)
{
    Timing timing;
    const double cpuStart = ThreadProcessorMilliseconds();
    for (int i = 0; i < kResizes; i++) {
        const auto start = std::chrono::steady_clock::now();
        ::SetWindowPos(hWnd, nullptr, 0, 0, WidthAt(i), kHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        layout();
        ::RedrawWindow(hWnd, nullptr, nullptr, (bRepaintAll ? RDW_INVALIDATE : 0) | RDW_ALLCHILDREN | RDW_UPDATENOW);
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        timing.mean += ms / kResizes;
        timing.worst = std::max(timing.worst, ms);
    }
    timing.cpu = (ThreadProcessorMilliseconds() - cpuStart) / kResizes;
    return timing;
}

// The window on top, as on screen, and painted, before its round is timed: the two overlap.
void Raise(HWND hWnd)
{
    ::SetWindowPos(hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();
}

void Print(const char* lpszWhat, const Timing& timing)
{
    std::printf("  %-38s mean %7.3f  worst %7.3f  own processor time %7.3f\n", lpszWhat, timing.mean, timing.worst,
                timing.cpu);
}

CXTPFrameWnd* MakeCommandBarsFrame()
{
    auto* pFrame = new CXTPFrameWnd;
    pFrame->Create(nullptr, "Dock bars bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 1200, kHeight));
    pFrame->InitCommandBars();
    CXTPCommandBars* pCommandBars = pFrame->GetCommandBars();
    pCommandBars->EnableDocking();
    if (CXTPMenuBar* pMenuBar = pCommandBars->SetMenu("Menu Bar", 0)) {
        for (const char* lpszMenu : kMenus)
            pMenuBar->GetControls()->Add(xtpControlPopup, 0)->SetCaption(lpszMenu);
    }
    std::vector<UINT> ids(kButtons);
    for (int b = 0; b < kToolBars; b++) {
        for (int i = 0; i < kButtons; i++)
            ids[static_cast<size_t>(i)] = static_cast<UINT>(1000 + b * kButtons + i);
        char szTitle[16];
        wsprintfA(szTitle, "Bar %d", b + 1);
        if (CXTPToolBar* pBar = pCommandBars->Add(szTitle, xtpBarTop))
            pBar->SetButtons(ids.data(), kButtons);
    }
    pFrame->RecalcLayout();
    return pFrame;
}

// The native window: a menu, and a rebar with one band of 30 buttons per toolbar.
HWND MakeRebarWindow(HWND& hReBar)
{
    HMENU hMenu = ::CreateMenu();
    for (const char* lpszMenu : kMenus)
        ::AppendMenuA(hMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(::CreatePopupMenu()), lpszMenu);
    HWND hWnd = ::CreateWindowExA(0, "STATIC", "Rebar bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 0,
                                  0, 1200, kHeight, nullptr, hMenu, nullptr, nullptr);
    hReBar = ::CreateWindowExA(0, REBARCLASSNAMEA, "",
                               WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | RBS_VARHEIGHT |
                                   RBS_BANDBORDERS | CCS_NODIVIDER,
                               0, 0, 1200, 100, hWnd, nullptr, nullptr, nullptr);
    for (int b = 0; b < kToolBars; b++) {
        HWND hToolBar = ::CreateWindowExA(0, TOOLBARCLASSNAMEA, "",
                                          WS_CHILD | WS_VISIBLE | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER |
                                              TBSTYLE_FLAT,
                                          0, 0, 0, 0, hReBar, nullptr, nullptr, nullptr);
        ::SendMessageA(hToolBar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
        ::SendMessageA(hToolBar, TB_SETBITMAPSIZE, 0, MAKELONG(16, 16));
        std::vector<TBBUTTON> buttons(kButtons);
        for (int i = 0; i < kButtons; i++) {
            buttons[static_cast<size_t>(i)].iBitmap = I_IMAGENONE;
            buttons[static_cast<size_t>(i)].idCommand = 1000 + b * kButtons + i;
            buttons[static_cast<size_t>(i)].fsState = TBSTATE_ENABLED;
            buttons[static_cast<size_t>(i)].fsStyle = BTNS_BUTTON;
        }
        ::SendMessageA(hToolBar, TB_ADDBUTTONSA, kButtons, reinterpret_cast<LPARAM>(buttons.data()));
        SIZE size = {};
        ::SendMessageA(hToolBar, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&size));
        REBARBANDINFOA band = {};
        band.cbSize = sizeof(band);
        band.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_STYLE;
        band.fStyle = RBBS_GRIPPERALWAYS | RBBS_BREAK;
        band.hwndChild = hToolBar;
        band.cxMinChild = 24;
        band.cyMinChild = static_cast<UINT>(size.cy);
        band.cx = static_cast<UINT>(size.cx);
        ::SendMessageA(hReBar, RB_INSERTBANDA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band));
    }
    return hWnd;
}

}  // namespace

int main(int argc, char** argv)
{
    const bool bShow = argc > 1 && std::strcmp(argv[1], "--show") == 0;
    AfxInitCommonControls(ICC_BAR_CLASSES | ICC_COOL_CLASSES);

    CXTPFrameWnd* pFrame = MakeCommandBarsFrame();
    HWND hReBar = nullptr;
    HWND hNative = MakeRebarWindow(hReBar);
    Pump();

    if (bShow) {
        MSG msg;
        while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        return 0;
    }

    const auto rebarLayout = [hNative, hReBar] {
        RECT rc;
        ::GetClientRect(hNative, &rc);
        ::MoveWindow(hReBar, 0, 0, rc.right, 100, TRUE);
    };
    // [repaint all, as invalid][command bars, rebar]
    Timing median[2][2];
    for (int nMode = 0; nMode < 2; nMode++) {
        const bool bRepaintAll = nMode == 0;
        std::vector<Timing> rounds[2];
        Alternate(kRounds, {[&] {
                                Raise(pFrame->GetSafeHwnd());
                                rounds[0].push_back(TimeResizes(pFrame->GetSafeHwnd(), [] {}, bRepaintAll));
                                return rounds[0].back().mean;
                            },
                            [&] {
                                Raise(hNative);
                                rounds[1].push_back(TimeResizes(hNative, rebarLayout, bRepaintAll));
                                return rounds[1].back().mean;
                            }});
        median[nMode][0] = MedianOf(rounds[0]);
        median[nMode][1] = MedianOf(rounds[1]);
    }
    std::printf("%d resizes between 1200 and 500 px, laid out and painted (wall clock ms, median of %d alternated "
                "rounds)\n",
                kResizes, kRounds);
    for (int nMode = 0; nMode < 2; nMode++) {
        std::printf(nMode == 0 ? " every window repainted:\n" : " what the resize left invalid repainted:\n");
        char szBars[64];
        std::snprintf(szBars, sizeof(szBars), "menu bar + %d toolbars x %d buttons:", kToolBars, kButtons);
        Print(szBars, median[nMode][0]);
        char szReBar[64];
        std::snprintf(szReBar, sizeof(szReBar), "rebar of %d native toolbars:", kToolBars);
        Print(szReBar, median[nMode][1]);
    }
    const Timing& bars = median[0][0];
    const Timing& rebar = median[0][1];
    ReportRatio("every window repainted, mean / rebar's", bars.mean, rebar.mean, 2.0);
    ReportRatio("every window repainted, worst / rebar's", bars.worst, rebar.worst, 2.0);

    ::DestroyWindow(hNative);
    pFrame->DestroyWindow();
    return 0;
}
