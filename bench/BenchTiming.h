// One run or the best of a few, in processor time or on the wall clock, and the
// comparison of a benchmark with its yardstick: both sides alternated over several
// rounds, the ratio printed with its verdict.
// Processor time is what the portable benchmarks compare: the machines they run on
// are shared, and a run that waits for a processor is not slower. Window benchmarks
// under Wine compare wall-clock times, as most of their work is done by Wine's and
// the display's servers.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#ifdef _WIN32
// The C library's clock is the wall clock there.
inline double ProcessorNow()
{
    FILETIME created, exited, kernel, user;
    ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto ms = [](const FILETIME& t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4;
    };
    return ms(kernel) + ms(user);
}

// The processor time of one thread (the current one by default), in milliseconds.
inline double ThreadProcessorMilliseconds(HANDLE thread = ::GetCurrentThread())
{
    FILETIME created, exited, kernel, user;
    if (!::GetThreadTimes(thread, &created, &exited, &kernel, &user))
        return -1;
    auto ms = [](const FILETIME& t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4;
    };
    return ms(kernel) + ms(user);
}
#else
inline double ProcessorNow()
{
    return 1000.0 * static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}
#endif

template <class Run>
double ProcessorMilliseconds(Run run)
{
    const double start = ProcessorNow();
    run();
    return ProcessorNow() - start;
}

template <class Run>
double WallMilliseconds(Run run)
{
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

template <class Run>
double BestProcessorMilliseconds(int repeats, Run run)
{
    double best = 1e30;
    for (int i = 0; i < repeats; ++i)
        best = std::min(best, ProcessorMilliseconds(run));
    return best;
}

template <class Run>
double BestWallMilliseconds(int repeats, Run run)
{
    double best = 1e30;
    for (int i = 0; i < repeats; ++i)
        best = std::min(best, WallMilliseconds(run));
    return best;
}

inline double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t half = values.size() / 2;
    return values.size() % 2 ? values[half] : (values[half - 1] + values[half]) / 2.0;
}

// One side's times over the rounds of a comparison, in milliseconds.
struct Samples {
    std::vector<double> ms;
    double Median() const { return ::Median(ms); }
    double Mean() const
    {
        double total = 0;
        for (double value : ms)
            total += value;
        return ms.empty() ? 0 : total / static_cast<double>(ms.size());
    }
    double Best() const { return ms.empty() ? 0 : *std::min_element(ms.begin(), ms.end()); }
    double Worst() const { return ms.empty() ? 0 : *std::max_element(ms.begin(), ms.end()); }
};

// Runs every side once a round, the one that starts taking turns, so that a machine
// that slows down or speeds up meanwhile does so for all sides alike. Each side
// times itself and returns its milliseconds: timing both alike is the caller's part.
inline std::vector<Samples> Alternate(int rounds, const std::vector<std::function<double()>>& sides)
{
    std::vector<Samples> samples(sides.size());
    for (int round = 0; round < rounds; ++round) {
        for (std::size_t k = 0; k < sides.size(); ++k) {
            const std::size_t side = (static_cast<std::size_t>(round) + k) % sides.size();
            samples[side].ms.push_back(sides[side]());
        }
    }
    return samples;
}

// Prints "what: ratio (goal at most G) met" or "MISSED"; true when met.
inline bool ReportRatio(const char* what, double ours, double yardstick, double goal)
{
    const double ratio = ours / std::max(yardstick, 1e-9);
    const bool met = ratio <= goal;
    std::printf("%-58s %7.2f (goal at most %.2f) %s\n", what, ratio, goal, met ? "met" : "MISSED");
    return met;
}

#ifndef _WIN32
// Runs a program to its end, its output thrown away, and returns its processor time
// (user and system, its start-up included) in milliseconds; negative when it could
// not be started. status gets its exit status.
inline double ProgramProcessorMilliseconds(const std::vector<std::string>& arguments, int& status)
{
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int started = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    status = -1;
    if (started != 0)
        return -1;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid)
        return -1;
    const auto ms = [](const timeval& t) { return static_cast<double>(t.tv_sec) * 1e3 + t.tv_usec * 1e-3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// True when a program of that name is on the search path.
inline bool ProgramExists(const std::string& name)
{
    int status = 0;
    return ProgramProcessorMilliseconds({"sh", "-c", "command -v " + name}, status) >= 0 && status == 0;
}
#endif
