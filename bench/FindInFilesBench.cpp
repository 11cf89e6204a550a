// Times find in files over a generated project of 100 files, 100,000 lines and 10,000 hits beside
// "grep -rn" over the same folder writing its output to a file (Wine starts the Unix program).
// Both sides run on the wall clock from the start of their thread or process: the search until
// the worker has handed over its last hit, the rows until the end row is drawn in a shown pane,
// grep from just before its process starts until it has ended (the shell that runs it stamps the
// clock on both sides: Wine gives no handle to wait on for a Unix program, and its start of one is
// no part of grep's time). The two alternate; the medians are compared.
// --show leaves the pane up for a look.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "BenchTiming.h"
#include "COutputPane.h"
#include "CSolutionConfig.h"
#include "CWnd.h"
#include "FindInFiles.h"

namespace {

constexpr int kFiles = 100;
constexpr int kLinesPerFile = 1000;  // every tenth line holds the word searched for
constexpr int kHits = kFiles * kLinesPerFile / 10;
constexpr int kRuns = 9;
constexpr double kSearchGoal = 1.0;  // the search at most grep's time
constexpr double kRowsGoal = 5.0;    // the rows shown within five times grep's time

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// The project's files, in a fresh folder below the temporary folder; their full paths.
std::vector<CString> GenerateProject(const std::string& folder)
{
    ::CreateDirectoryA(folder.c_str(), nullptr);
    std::vector<CString> paths;
    for (int f = 0; f < kFiles; ++f) {
        std::string text;
        for (int line = 0; line < kLinesPerFile; ++line) {
            char buffer[160];
            if (line % 10 == 5)
                std::snprintf(buffer, sizeof buffer, "\tB_LogEntry(TOPIC_Needle, \"Entry %d of file %d\");\r\n", line, f);
            else
                std::snprintf(buffer, sizeof buffer, "\tvar int counter_%d; // a plain line of script number %d\r\n", line, f);
            text += buffer;
        }
        const std::string path = folder + "\\Story_" + std::to_string(f) + ".d";
        const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        ::CloseHandle(file);
        paths.push_back(path.c_str());
    }
    return paths;
}

void RemoveProject(const std::string& folder, const std::vector<CString>& paths)
{
    for (const CString& path : paths)
        ::DeleteFileA(path);
    ::RemoveDirectoryA(folder.c_str());
}

// The Unix name of a Windows path, or empty.
std::string UnixPath(const std::string& path)
{
    using ToUnix = char*(CDECL*)(const WCHAR*);
    const auto toUnix =
        reinterpret_cast<ToUnix>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name"));
    if (!toUnix)
        return {};
    const std::wstring wide(path.begin(), path.end());
    char* unix = toUnix(wide.c_str());
    if (!unix)
        return {};
    std::string result = unix;
    ::HeapFree(::GetProcessHeap(), 0, unix);
    return result;
}

int CountLines(const std::string& path)
{
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return -1;
    int lines = 0;
    for (int c; (c = std::fgetc(file)) != EOF;)
        lines += c == '\n';
    std::fclose(file);
    return lines;
}

// The wall clock's time now, in nanoseconds since 1970.
long long NanosecondsSince1970()
{
    FILETIME now{};
    ::GetSystemTimePreciseAsFileTime(&now);
    const long long ticks = static_cast<long long>((static_cast<unsigned long long>(now.dwHighDateTime) << 32) |
                                                   now.dwLowDateTime);
    return (ticks - 116444736000000000LL) * 100;
}

// The number in a file that a Unix program wrote whole, once its line has ended; -1 until then.
long long ReadStamp(const std::string& path)
{
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return -1;
    char text[64] = {};
    const std::size_t got = std::fread(text, 1, sizeof text - 1, file);
    std::fclose(file);
    if (got == 0 || !std::memchr(text, '\n', got))
        return -1;
    return std::strtoll(text, nullptr, 10);
}

// Runs a shell command line through Wine, which starts the Unix program without a handle to wait
// for (its wait fails at once). The command writes the wall clock ("date +%s%N") into the stamp
// file as its last step; milliseconds from the process's creation to the stamp, or -1.
double TimeShell(const std::string& command, const std::string& stamp, long long* stamped = nullptr)
{
    ::DeleteFileA(stamp.c_str());
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    // The shell gets the null device for its standard handles, not this program's output.
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    const HANDLE none = ::CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      &inherited, OPEN_EXISTING, 0, nullptr);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = startup.hStdOutput = startup.hStdError = none;
    const long long start = NanosecondsSince1970();
    const BOOL started = ::CreateProcessA("Z:\\bin\\sh", line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                          &startup, &process);
    if (none != INVALID_HANDLE_VALUE)
        ::CloseHandle(none);
    if (!started)
        return -1;
    if (process.hThread)
        ::CloseHandle(process.hThread);
    if (process.hProcess)
        ::CloseHandle(process.hProcess);
    long long end = -1;
    for (const ULONGLONG limit = ::GetTickCount64() + 60000; (end = ReadStamp(stamp)) < 0;) {
        if (::GetTickCount64() > limit)
            return -1;
        ::Sleep(1);
    }
    ::DeleteFileA(stamp.c_str());
    if (stamped)
        *stamped = end;
    return static_cast<double>(end - start) / 1e6;
}

struct FindTimes {
    double search = -1;  // to the worker's end: every file searched, every hit handed to the pane
    double rows = -1;    // to the end row drawn in the pane
};

// One find in files from the start of its worker. A thread of its own watches the worker so that
// its end is seen at once, not when this thread has done with the rows in hand.
FindTimes TimeFind(COutputPane& pane, const std::vector<CString>& paths)
{
    pane.ClearLists();  // a fresh list each run; clearing the last run's rows is not timed
    Pump();
    FindInFilesRequest request;
    request.findText = "Needle";
    request.paths = paths;
    std::atomic<bool> started{false};
    Clock::time_point workerEnd{};
    std::thread watcher([&] {
        while (!started)
            std::this_thread::yield();
        while (IsFindInFilesWorkerAlive())
            std::this_thread::yield();
        workerEnd = Clock::now();
    });
    FindTimes times;
    const Clock::time_point start = Clock::now();
    if (!StartFindInFiles(request, FALSE)) {
        started = true;
        watcher.join();
        return times;
    }
    started = true;
    const ULONGLONG limit = ::GetTickCount64() + 60000;
    for (;;) {
        Pump();
        if ((!IsFindInFilesWorkerAlive() && pane.GetFindList().GetItemCount() >= kHits + 2) ||
            ::GetTickCount64() > limit)
            break;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
    const Clock::time_point shown = Clock::now();
    watcher.join();
    times.search = Milliseconds(start, workerEnd);
    times.rows = Milliseconds(start, shown);
    return times;
}

const char* Verdict(double ratio, double goal) { return ratio <= goal ? "met" : "MISSED"; }

}  // namespace

int main(int argc, char** argv)
{
    const bool show = argc >= 2 && std::strcmp(argv[1], "--show") == 0;
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "tavrelin-find-bench-" + std::to_string(::GetCurrentProcessId());
    const std::string grepOutput = folder + ".grep";
    const std::string stampA = folder + ".stamp-a", stampB = folder + ".stamp-b";
    const std::vector<CString> paths = GenerateProject(folder);

    CWnd frame;
    frame.CreateEx(0, CWnd::DefaultClassName(), "FindInFilesBench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 900, 300,
                   nullptr, nullptr);
    COutputPane pane;
    pane.Create(&frame, 202);
    CRect client;
    frame.GetClientRect(&client);
    pane.SetWindowPos(nullptr, 0, 0, client.Width(), client.Height(), SWP_NOZORDER);
    SetOutputPane(&pane);
    Pump();

    const std::string unixFolder = UnixPath(folder);
    const std::string unixOutput = UnixPath(grepOutput);
    const std::string unixStampA = UnixPath(stampA), unixStampB = UnixPath(stampB);
    const bool canGrep = !unixFolder.empty() && !unixOutput.empty() && !unixStampA.empty() && !unixStampB.empty();
    // The shell stamps the clock before grep and after it, so grep is timed as it runs here, its
    // own process start included, not the start of a Unix program through Wine. What lies between
    // two stamps besides grep (one date's exit and the next one's start) is measured alone, two
    // stamps in a row (the median of five), and taken off grep's time.
    const std::string command = "/bin/sh -c \"date +%s%N > '" + unixStampB + "'; grep -rn Needle '" + unixFolder +
                                "' > '" + unixOutput + "'; exec date +%s%N > '" + unixStampA + "'\"";
    const std::string dateTwice = "/bin/sh -c \"date +%s%N > '" + unixStampB + "'; exec date +%s%N > '" +
                                  unixStampA + "'\"";
    double stampCost = 0;
    if (canGrep) {
        std::vector<double> costs;
        for (int i = 0; i < 5; ++i) {
            long long first = -1, second = -1;
            if (TimeShell(dateTwice, stampA, &second) >= 0 && (first = ReadStamp(stampB)) >= 0)
                costs.push_back(static_cast<double>(second - first) / 1e6);
            ::DeleteFileA(stampB.c_str());
        }
        if (!costs.empty())
            stampCost = Median(costs);
    }
    const auto timeGrep = [&] {
        long long end = -1;
        const long long begin = TimeShell(command, stampA, &end) < 0 ? -1 : ReadStamp(stampB);
        ::DeleteFileA(stampB.c_str());
        return begin < 0 ? -1.0 : static_cast<double>(end - begin) / 1e6 - stampCost;
    };

    // One untimed run of each first: the files in the cache, the programs loaded.
    if (canGrep)
        timeGrep();
    TimeFind(pane, paths);

    std::vector<double> greps, searches, rows;
    bool failed = false;
    for (int run = 0; run < kRuns; ++run) {
        for (int side = 0; side < 2; ++side) {
            if ((side == 0) == (run % 2 == 0)) {
                if (!canGrep)
                    continue;
                const double grep = timeGrep();
                failed = failed || grep < 0;
                greps.push_back(grep);
            } else {
                const FindTimes find = TimeFind(pane, paths);
                failed = failed || find.search < 0 || find.rows < 0;
                searches.push_back(find.search);
                rows.push_back(find.rows);
            }
        }
    }
    const int shownRows = pane.GetFindList().GetItemCount();
    const int grepLines = canGrep ? CountLines(grepOutput) : -1;

    const double search = Median(searches);
    const double shown = Median(rows);
    std::printf("%d lines in %d files, %d hits; %d runs alternated, medians on the wall clock\n",
                kFiles * kLinesPerFile, kFiles, shownRows - 2, kRuns);
    std::printf("find in files: search %.1f ms (runs %.1f-%.1f), rows shown %.1f ms (runs %.1f-%.1f)\n", search,
                *std::min_element(searches.begin(), searches.end()), *std::max_element(searches.begin(), searches.end()),
                shown, *std::min_element(rows.begin(), rows.end()), *std::max_element(rows.begin(), rows.end()));
    bool met = false;
    if (canGrep && !greps.empty() && !failed) {
        const double grep = Median(greps);
        std::printf("grep -rn into a file: %.1f ms (runs %.1f-%.1f; a date stamp's %.1f ms taken off), %d lines written\n", grep,
                    *std::min_element(greps.begin(), greps.end()), *std::max_element(greps.begin(), greps.end()),
                    stampCost, grepLines);
        const double searchRatio = search / grep;
        const double rowsRatio = shown / grep;
        std::printf("search / grep %.2f (goal: at most %.0f) %s\n", searchRatio, kSearchGoal,
                    Verdict(searchRatio, kSearchGoal));
        std::printf("rows shown / grep %.2f (goal: at most %.0f) %s\n", rowsRatio, kRowsGoal,
                    Verdict(rowsRatio, kRowsGoal));
        met = searchRatio <= kSearchGoal && rowsRatio <= kRowsGoal;
    } else {
        std::printf("grep -rn: could not be started; no ratio\n");
    }
    if (show) {
        const ULONGLONG end = ::GetTickCount64() + 30000;
        while (::GetTickCount64() < end) {
            Pump();
            ::Sleep(20);
        }
    }
    SetOutputPane(nullptr);
    pane.DestroyWindow();
    frame.DestroyWindow();
    RemoveProject(folder, paths);
    ::DeleteFileA(grepOutput.c_str());
    return shownRows == kHits + 2 && grepLines == kHits && met ? 0 : 1;
}
