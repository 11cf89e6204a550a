// Times menu sounds: from a request to the worker's call of the player (the goal is within
// 5 ms), and the processor time an idle worker takes while it waits for requests.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

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

double ThreadProcessorMilliseconds(HANDLE hThread)
{
    FILETIME created, ended, kernel, user;
    if (!::GetThreadTimes(hThread, &created, &ended, &kernel, &user))
        return -1;
    auto ticks = [](const FILETIME& t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;
}

} // namespace

int main()
{
    g_played = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);
    CXTPMenuSound sound;
    sound.SetPlayer(RecordPlay);
    sound.PlaySound(CXTPMenuSound::kCommand);  // starts the worker
    ::WaitForSingleObject(g_played, 5000);

    const int requests = 200;
    std::vector<double> latencies;
    for (int i = 0; i < requests; i++) {
        ::Sleep(2);  // the worker is idle again
        const Clock::time_point requested = Clock::now();
        sound.PlaySound(i % 2 ? CXTPMenuSound::kCommand : CXTPMenuSound::kPopup);
        if (::WaitForSingleObject(g_played, 5000) != WAIT_OBJECT_0) {
            std::printf("request %d was never played\n", i);
            return 1;
        }
        latencies.push_back(std::chrono::duration<double, std::milli>(g_playedAt - requested).count());
    }
    std::sort(latencies.begin(), latencies.end());
    std::printf("request to player, %d requests: median %.3f ms, 99th percentile %.3f ms, worst %.3f ms (goal 5 ms)\n",
                requests, latencies[requests / 2], latencies[requests * 99 / 100], latencies.back());

    const double before = ThreadProcessorMilliseconds(sound.GetThread());
    ::Sleep(2000);
    const double after = ThreadProcessorMilliseconds(sound.GetThread());
    std::printf("idle worker over 2 s: %.3f ms of processor time\n", after - before);
    sound.StopThread();
    ::CloseHandle(g_played);
    return 0;
}
