// Times 10,000 warnings of a build worker through the output pane against the same through the
// headless host; with --show it instead shows a pane with a build's lines for a look.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "COutputPane.h"
#include "CWnd.h"
#include "IdeServices.h"

namespace {

int kWarnings = 10000;
constexpr int kRuns = 3;

void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// One job's output from a worker thread, as the compiler reports it; the caller's thread serves
// the pane meanwhile. Milliseconds on the wall clock from the first line to the summary.
template <class Sink>
double RunJob(Sink& sink)
{
    std::atomic<bool> done{false};
    const auto start = std::chrono::steady_clock::now();
    std::thread worker([&] {
        for (int i = 1; i <= kWarnings; ++i)
            sink.Warning(i);
        sink.Summary();
        done = true;
    });
    while (!done) {
        Pump();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
    worker.join();
    while (!sink.Finished()) {
        Pump();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

struct HeadlessSink {
    zCHeadlessIde host;
    void Warning(int line) { host.AddBuildMessage(1, "C:\\Mod\\Scripts\\Story\\Dialogs.d", zSTRING("Warning: unused variable"), line, false); }
    void Summary() { host.ReportBuildSummary(0); }
    bool Finished() { return true; }
};

struct PaneSink {
    COutputPane* pane;
    void Warning(int line) { pane->AddBuildMessage(1, "C:\\Mod\\Scripts\\Story\\Dialogs.d", "Warning: unused variable", line, 0); }
    void Summary() { pane->ReportBuildSummary(0); }
    // The summary row is there once the pane's thread has carried out every queued line.
    bool Finished() { return pane->GetBuildList().GetItemCount() == kWarnings + 1; }
};

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// A shown top-level window filled by the pane.
void ShowPane(CWnd& frame, COutputPane& pane, const char* title, const CRect& at)
{
    frame.CreateEx(0, CWnd::DefaultClassName(), title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, at.left, at.top, at.Width(),
                   at.Height(), nullptr, nullptr);
    pane.Create(&frame, 202);
    CRect client;
    frame.GetClientRect(&client);
    pane.SetWindowPos(nullptr, 0, 0, client.Width(), client.Height(), SWP_NOZORDER);
    Pump();
}

int Bench()
{
    CWnd frame;
    COutputPane pane;
    ShowPane(frame, pane, "OutputPaneBench", CRect(0, 0, 900, 300));

    std::vector<double> headless, through;
    for (int run = 0; run < kRuns; ++run) {
        HeadlessSink h;
        headless.push_back(RunJob(h));
        pane.ClearBuild();
        Pump();
        PaneSink p{&pane};
        through.push_back(RunJob(p));
    }
    const double h = Median(headless), p = Median(through);
    std::printf("%d warnings, median of %d runs: headless host %.0f ms, output pane %.0f ms, %.0f ms above (goal: under 1000)\n",
                kWarnings, kRuns, h, p, p - h);
    const bool ok = pane.GetBuildList().GetItemCount() == kWarnings + 1;
    pane.DestroyWindow();
    frame.DestroyWindow();
    return ok && p - h < 1000 ? 0 : 1;
}

// A pane after a build with warnings and errors, one error highlighted, the summary last.
int Show(int seconds)
{
    CWnd frame;
    COutputPane pane;
    ShowPane(frame, pane, "Output", CRect(20, 20, 780, 280));
    pane.ClearBuild();
    pane.AddBuildMessage(0, nullptr, "Compiling...", -1, 0);
    pane.AddBuildMessage(0, nullptr, "Story\\Dialogs.d", -1, 0);
    pane.AddBuildMessage(1, "Story\\Dialogs.d", "Warning: unused variable", 41, 0);
    pane.AddBuildMessage(2, "Story\\Dialogs.d", "Error: Syntax error: BROKEN", 57, 0);
    pane.AddBuildMessage(1, "Story\\Items.d", "Warning: return value is not used", 12, 0);
    pane.AddBuildMessage(2, "Story\\Items.d", "Error: Undefined identifier: FOO", 90, 0);
    pane.ReportBuildSummary(0);
    pane.GetBuildList().FindNext(4, 2);
    pane.GetBuildList().SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    const ULONGLONG end = ::GetTickCount64() + static_cast<ULONGLONG>(seconds) * 1000;
    while (::GetTickCount64() < end) {
        Pump();
        ::Sleep(20);
    }
    pane.DestroyWindow();
    frame.DestroyWindow();
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && std::strcmp(argv[1], "--show") == 0)
        return Show(argc >= 3 ? std::atoi(argv[2]) : 30);
    if (argc >= 3 && std::strcmp(argv[1], "--lines") == 0)
        kWarnings = std::atoi(argv[2]);
    return Bench();
}
