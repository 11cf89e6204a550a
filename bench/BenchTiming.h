// One run or the best of a few, in processor time or on the wall clock. Processor
// time is what the benchmarks compare where the C library gives it (not on Windows):
// the machines they run on are shared, and a run that waits for a processor is not
// slower.
// Outside programs are timed on the wall clock.
#pragma once

#include <algorithm>
#include <chrono>
#include <ctime>

template <class Run>
double ProcessorMilliseconds(Run run)
{
    const std::clock_t start = std::clock();
    run();
    const std::clock_t end = std::clock();
    return 1000.0 * static_cast<double>(end - start) / CLOCKS_PER_SEC;
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
    for (int i = 0; i < repeats; ++i) {
        const auto start = std::chrono::steady_clock::now();
        run();
        const auto end = std::chrono::steady_clock::now();
        best = std::min(best, std::chrono::duration<double, std::milli>(end - start).count());
    }
    return best;
}
