// Times menu sounds beside a bare thread that waits on an event: from a request to the worker's
// call of the player, against from setting the event to the bare thread running; both on the wall
// clock, the two taking turns request by request. Goals: the median and the 99th percentile each
// within twice the bare thread's. Then the processor time the idle worker takes over 2 s, beside
// the bare thread's over the same 2 s (goal: no more).
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "BenchTiming.h"
#include "CXTPMenuSound.h"

namespace {

using Clock = std::chrono::steady_clock;

HANDLE g_played = nullptr;
Clock::time_point g_playedAt;

BOOL WINAPI RecordPlay(LPCSTR pszSound, HMODULE, DWORD)
{
    if (pszSound) {
        g_playedAt = Clock::now();
        ::SetEvent(g_played);
    }
    return TRUE;
}

// The yardstick: a thread that waits on an event and does nothing else.
HANDLE g_request = nullptr;
std::atomic<bool> g_stop{false};

DWORD WINAPI BareWorker(LPVOID)
{
    while (::WaitForSingleObject(g_request, INFINITE) == WAIT_OBJECT_0 && !g_stop) {
        g_playedAt = Clock::now();
        ::SetEvent(g_played);
    }
    return 0;
}

double Percentile(std::vector<double> values, int percent)
{
    std::sort(values.begin(), values.end());
    return values[values.size() * static_cast<size_t>(percent) / 100];
}

} // namespace

int main()
{
    g_played = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);
    g_request = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);
    HANDLE bare = ::CreateThread(nullptr, 0, BareWorker, nullptr, 0, nullptr);
    CXTPMenuSound sound;
    sound.SetPlayer(RecordPlay);
    sound.PlaySound(CXTPMenuSound::kCommand);  // starts the worker
    ::WaitForSingleObject(g_played, 5000);

    const int requests = 200;
    int request = 0;
    auto latency = [&](auto trigger) {
        return [&, trigger] {
            ::Sleep(2);  // the worker is idle again
            const Clock::time_point requested = Clock::now();
            trigger();
            if (::WaitForSingleObject(g_played, 5000) != WAIT_OBJECT_0) {
                std::printf("request %d was never carried out\n", request);
                std::exit(1);
            }
            ++request;
            return std::chrono::duration<double, std::milli>(g_playedAt - requested).count();
        };
    };
    const std::vector<Samples> times =
        Alternate(requests, {latency([&] {
                                 sound.PlaySound(request % 4 < 2 ? CXTPMenuSound::kCommand : CXTPMenuSound::kPopup);
                             }),
                             latency([] { ::SetEvent(g_request); })});
    const char* names[] = {"request to player", "bare thread woken"};
    for (int i = 0; i < 2; ++i) {
        std::printf("%-18s %d requests: median %.3f ms, 99th percentile %.3f ms, worst %.3f ms (wall clock)\n",
                    names[i], requests, times[i].Median(), Percentile(times[i].ms, 99), times[i].Worst());
    }
    ReportRatio("median, menu sound / bare thread", times[0].Median(), times[1].Median(), 2.0);
    ReportRatio("99th percentile, menu sound / bare thread", Percentile(times[0].ms, 99), Percentile(times[1].ms, 99),
                2.0);

    const double before[2] = {ThreadProcessorMilliseconds(sound.GetThread()), ThreadProcessorMilliseconds(bare)};
    ::Sleep(2000);
    const double idle[2] = {ThreadProcessorMilliseconds(sound.GetThread()) - before[0],
                            ThreadProcessorMilliseconds(bare) - before[1]};
    std::printf("idle over 2 s: worker %.3f ms, bare thread %.3f ms of processor time: %s\n", idle[0], idle[1],
                idle[0] <= idle[1] ? "met" : "MISSED");
    sound.StopThread();
    g_stop = true;
    ::SetEvent(g_request);
    ::WaitForSingleObject(bare, 5000);
    ::CloseHandle(bare);
    ::CloseHandle(g_request);
    ::CloseHandle(g_played);
    return 0;
}
