// Times 10,000 warnings of a build worker through the output pane beside the same lines queued
// by the worker for a plain report list in a shown window (and, for scale, through the headless
// host): all on the wall clock from the first line to the summary row, alternated runs, medians
// compared. Goal: the pane within 1.5 times the plain list. With --show it instead shows a pane
// with a build's lines for a look.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "BenchTiming.h"
#include "COutputPane.h"
#include "CWnd.h"
#include "IdeServices.h"

namespace {

int kWarnings = 10000;
constexpr int kRuns = 3;
constexpr UINT kLineMessage = WM_APP;

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

// The yardstick: the platform's report list in a shown window, a row added at the end for each
// line the worker queues, drawn once for each batch. The worker posts one message when the queue was empty: a window's
// queue holds only so many posted messages.
std::mutex g_plainMutex;
std::vector<int> g_plainLines;  // line numbers; 0 is the summary

LRESULT CALLBACK PlainListHost(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != kLineMessage)
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    std::vector<int> lines;
    {
        std::lock_guard<std::mutex> lock(g_plainMutex);
        lines.swap(g_plainLines);
    }
    // Drawn once for what arrived together, as the pane does.
    HWND list = ::GetWindow(hWnd, GW_CHILD);
    ::SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    for (int line : lines) {
        char text[160];
        if (line > 0)
            std::snprintf(text, sizeof text, "C:\\Mod\\Scripts\\Story\\Dialogs.d(%d):   Warning: unused variable", line);
        else
            std::snprintf(text, sizeof text, "Done: 0 errors, %d warnings", kWarnings);
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
        item.pszText = text;
        ::SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    ::SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list, nullptr, FALSE);
    return 0;
}

struct PlainListSink {
    HWND host;
    HWND list;
    void Queue(int line)
    {
        std::lock_guard<std::mutex> lock(g_plainMutex);
        g_plainLines.push_back(line);
        if (g_plainLines.size() == 1)
            ::PostMessageA(host, kLineMessage, 0, 0);
    }
    void Warning(int line) { Queue(line); }
    void Summary() { Queue(0); }
    bool Finished() { return ::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == kWarnings + 1; }
};

HWND ShowPlainList(const CRect& at)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = PlainListHost;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "OutputPaneBenchPlainList";
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    ::RegisterClassA(&windowClass);
    HWND host = ::CreateWindowExA(0, windowClass.lpszClassName, "Plain list", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  at.left, at.top, at.Width(), at.Height(), nullptr, nullptr, nullptr, nullptr);
    RECT client;
    ::GetClientRect(host, &client);
    HWND list = ::CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_NOCOLUMNHEADER, 0, 0,
                                  client.right, client.bottom, host, nullptr, nullptr, nullptr);
    LVCOLUMNA column = {};
    column.mask = LVCF_WIDTH;
    column.cx = client.right - 20;
    ::SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    Pump();
    return host;
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

    HWND plainHost = ShowPlainList(CRect(0, 320, 900, 620));
    HWND plainList = ::GetWindow(plainHost, GW_CHILD);
    const std::vector<Samples> times = Alternate(kRuns, {[&] {
                                                             PaneSink p{&pane};
                                                             pane.ClearBuild();
                                                             Pump();
                                                             return RunJob(p);
                                                         },
                                                         [&] {
                                                             PlainListSink p{plainHost, plainList};
                                                             ::SendMessageA(plainList, LVM_DELETEALLITEMS, 0, 0);
                                                             Pump();
                                                             return RunJob(p);
                                                         },
                                                         [&] {
                                                             HeadlessSink h;
                                                             return RunJob(h);
                                                         }});
    std::printf("%d warnings, wall clock, median of %d alternated runs: output pane %.0f ms, plain report list %.0f "
                "ms, headless host %.0f ms\n",
                kWarnings, kRuns, times[0].Median(), times[1].Median(), times[2].Median());
    const bool met = ReportRatio("output pane / plain report list", times[0].Median(), times[1].Median(), 1.5);
    ::DestroyWindow(plainHost);
    const bool ok = pane.GetBuildList().GetItemCount() == kWarnings + 1;
    pane.DestroyWindow();
    frame.DestroyWindow();
    return ok && met ? 0 : 1;
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
