// Two programs started the same way and timed on the wall clock from the start of their process
// to a state this launcher can see in them (a painted window, a styled first screen): a warm-up
// each, then rounds in which the two take turns at going first; each side's runs, median and
// best are printed, and the ratio of the medians with its verdict.
#pragma once

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace LaunchRace {

using Clock = std::chrono::steady_clock;

struct Side {
    const char* label;
    std::string command;
    std::string folder;  // the process's current folder; empty: this one's
};

// The command line of a launcher: --program PATH (the build tree's Tavrelin.exe when not
// given), --reference PATH (needed) and --rounds N.
struct Options {
    std::string program;
    std::string reference;
    int rounds = 5;
};

inline bool ParseOptions(int argc, char** argv, const char* name, Options& options)
{
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--program") == 0)
            options.program = argv[++i];
        else if (std::strcmp(argv[i], "--reference") == 0)
            options.reference = argv[++i];
        else if (std::strcmp(argv[i], "--rounds") == 0)
            options.rounds = std::max(1, std::atoi(argv[++i]));
    }
    if (options.program.empty()) {
        // bench\..\ide\Tavrelin.exe
        char self[MAX_PATH] = {};
        ::GetModuleFileNameA(nullptr, self, MAX_PATH);
        options.program = self;
        options.program.erase(options.program.find_last_of('\\') + 1);
        options.program += "..\\ide\\Tavrelin.exe";
    }
    if (options.reference.empty()) {
        std::fprintf(stderr,
                     "usage: %s --reference PATH [--program PATH] [--rounds N]\n"
                     "  PATH of the reference editor: ref=$(bash tools/build-scite.sh), then \"Z:$ref\"\n",
                     name);
        return false;
    }
    return true;
}

// A scratch folder "<temp>\<name>\Ide" to start both in: the program makes its projects folder
// beside the folder it starts in.
inline std::string ScratchFolder(const std::string& name)
{
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const std::string base = std::string(temp) + name;
    ::CreateDirectoryA(base.c_str(), nullptr);
    ::CreateDirectoryA((base + "\\Ide").c_str(), nullptr);
    return base + "\\Ide";
}

// Asked about the started process until it answers true; may note why it is not yet ready.
using Ready = std::function<bool(DWORD process, std::string& waitingFor)>;

// How a timed process is ended: asked to close (its settings written for the next start) or
// ended outright.
enum class Ending { Close, Terminate };

// The process's top-level windows that are visible and owned by no other window.
inline HWND ShownWindow(DWORD process, const std::function<bool(HWND)>& accept)
{
    struct Search {
        DWORD process;
        const std::function<bool(HWND)>* accept;
        HWND window;
    } search{process, &accept, nullptr};
    ::EnumWindows(
        [](HWND window, LPARAM lParam) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lParam);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(window, &owner);
            if (owner == s->process && ::IsWindowVisible(window) && !::GetWindow(window, GW_OWNER) &&
                (*s->accept)(window)) {
                s->window = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.window;
}

// Milliseconds from just before the process is created to the first poll that finds it ready;
// negative when it is not ready within a minute or ends by itself.
inline double TimeOne(const Side& side, const Ready& ready, Ending ending)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::vector<char> line(side.command.begin(), side.command.end());
    line.push_back('\0');
    const auto start = Clock::now();
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          side.folder.empty() ? nullptr : side.folder.c_str(), &startup, &process)) {
        std::fprintf(stderr, "  %s could not be started\n", side.label);
        return -1;
    }
    double result = -1;
    std::string waitingFor = "a visible window";
    const auto deadline = start + std::chrono::seconds(60);
    while (Clock::now() < deadline) {
        if (ready(process.dwProcessId, waitingFor)) {
            result = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            break;
        }
        if (::WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0) {
            waitingFor += " (the process ended)";
            break;
        }
    }
    if (result < 0)
        std::fprintf(stderr, "  %s: still waiting for %s\n", side.label, waitingFor.c_str());
    if (ending == Ending::Close) {
        // Closed as a user would, so the next start finds its settings written.
        if (HWND window = ShownWindow(process.dwProcessId, [](HWND) { return true; }))
            ::PostMessageA(window, WM_CLOSE, 0, 0);
        if (::WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0)
            ::TerminateProcess(process.hProcess, 0);
    } else {
        ::TerminateProcess(process.hProcess, 0);
    }
    ::WaitForSingleObject(process.hProcess, 10000);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return result;
}

inline double Median(std::vector<double> runs)
{
    std::sort(runs.begin(), runs.end());
    const size_t n = runs.size();
    return n % 2 ? runs[n / 2] : (runs[n / 2 - 1] + runs[n / 2]) / 2;
}

inline void PrintRuns(const Side& side, const std::vector<double>& runs)
{
    std::printf("%-10s", side.label);
    for (double ms : runs)
        std::printf(" %7.1f", ms);
    std::printf("   median %7.1f ms   best %7.1f ms\n", Median(runs), *std::min_element(runs.begin(), runs.end()));
}

// Runs `rounds` alternated rounds after a warm-up of each and prints the comparison; returns
// false when a run failed.
inline bool Compare(const Side& ours, const Side& theirs, int rounds, const Ready& ready, Ending ending)
{
    TimeOne(ours, ready, ending);  // warm-up: Wine's libraries, the program and its files in memory
    TimeOne(theirs, ready, ending);
    std::vector<double> oursRuns, theirsRuns;
    for (int round = 0; round < rounds; ++round) {
        const bool oursFirst = round % 2 == 0;
        const double first = TimeOne(oursFirst ? ours : theirs, ready, ending);
        const double second = TimeOne(oursFirst ? theirs : ours, ready, ending);
        if (first < 0 || second < 0)
            return false;
        oursRuns.push_back(oursFirst ? first : second);
        theirsRuns.push_back(oursFirst ? second : first);
    }
    PrintRuns(ours, oursRuns);
    PrintRuns(theirs, theirsRuns);
    const double ratio = Median(oursRuns) / Median(theirsRuns);
    const double bestRatio = *std::min_element(oursRuns.begin(), oursRuns.end()) /
                             *std::min_element(theirsRuns.begin(), theirsRuns.end());
    std::printf("ratio of the medians %.2f (best to best %.2f), goal 1.0 or less: %s\n", ratio, bestRatio,
                ratio <= 1.0 ? "met" : "MISSED");
    std::fflush(stdout);
    return true;
}

}  // namespace LaunchRace
