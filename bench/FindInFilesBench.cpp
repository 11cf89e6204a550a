// Times find in files over a generated project of 100,000 lines with 10,000 hits, from the start
// of the worker to the end row in a shown output pane, beside "grep -rn" over the same files run
// natively (Wine starts the Unix program). --show leaves the pane up for a look.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "BenchTiming.h"
#include "COutputPane.h"
#include "CSolutionConfig.h"
#include "CWnd.h"
#include "FindInFiles.h"

namespace {

constexpr int kFiles = 100;
constexpr int kLinesPerFile = 1000;  // every tenth line holds the word searched for
constexpr int kRuns = 3;

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

// Milliseconds from the start of a worker to its end row shown in the pane.
double TimeFind(COutputPane& pane, const std::vector<CString>& paths)
{
    const auto start = std::chrono::steady_clock::now();
    FindInFilesRequest request;
    request.findText = "Needle";
    request.paths = paths;
    if (!StartFindInFiles(request, FALSE))
        return -1;
    while (IsFindInFilesWorkerAlive() || pane.GetFindList().GetItemCount() < kFiles * kLinesPerFile / 10 + 2) {
        Pump();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// grep -rn over the folder, started natively; milliseconds on the wall clock, or -1.
double TimeGrep(const std::string& folder)
{
    using ToUnix = char*(CDECL*)(const WCHAR*);
    const auto toUnix =
        reinterpret_cast<ToUnix>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name"));
    if (!toUnix)
        return -1;
    std::wstring wide(folder.begin(), folder.end());
    char* unixFolder = toUnix(wide.c_str());
    if (!unixFolder)
        return -1;
    std::string command = "/bin/sh -c \"grep -rn Needle '" + std::string(unixFolder) + "' > /dev/null\"";
    ::HeapFree(::GetProcessHeap(), 0, unixFolder);
    return BestWallMilliseconds(kRuns, [&] {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        std::vector<char> line(command.begin(), command.end());
        line.push_back('\0');
        if (!::CreateProcessA("Z:\\bin\\sh", line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                              &process))
            return;
        ::WaitForSingleObject(process.hProcess, 60000);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    });
}

}  // namespace

int main(int argc, char** argv)
{
    const bool show = argc >= 2 && std::strcmp(argv[1], "--show") == 0;
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "tavrelin-find-bench-" + std::to_string(::GetCurrentProcessId());
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

    std::vector<double> runs;
    for (int run = 0; run < kRuns; ++run)
        runs.push_back(TimeFind(pane, paths));
    std::sort(runs.begin(), runs.end());
    const double find = runs[runs.size() / 2];
    const int rows = pane.GetFindList().GetItemCount();
    const double grep = TimeGrep(folder);
    std::printf("%d lines in %d files, %d hits; median of %d runs: find in files %.0f ms to the end row "
                "(goal: under 1000)\n",
                kFiles * kLinesPerFile, kFiles, rows - 2, kRuns, find);
    if (grep >= 0)
        std::printf("grep -rn natively, best of %d: %.0f ms\n", kRuns, grep);
    else
        std::printf("grep -rn natively: could not be started\n");
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
    return rows == kFiles * kLinesPerFile / 10 + 2 && find >= 0 && find < 1000 ? 0 : 1;
}
