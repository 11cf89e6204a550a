// Times the start of the program to its painted main window: Tavrelin.exe against the reference
// editor built by tools/build-scite.sh (--reference PATH), each started by this launcher under
// the same wineserver, one warm-up and three runs each; prints every run and the medians.
// "Painted": a visible top-level window of the process, its message loop answering, and no
// part of it or of its child windows still waiting to be painted.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Found {
    DWORD process;
    HWND window = nullptr;
};

BOOL CALLBACK FindShown(HWND window, LPARAM lParam)
{
    auto* found = reinterpret_cast<Found*>(lParam);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process == found->process && ::IsWindowVisible(window) && !::GetWindow(window, GW_OWNER)) {
        found->window = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindUnpainted(HWND window, LPARAM lParam)
{
    if (::IsWindowVisible(window) && ::GetUpdateRect(window, nullptr, FALSE)) {
        *reinterpret_cast<bool*>(lParam) = true;
        return FALSE;
    }
    return TRUE;
}

bool Painted(HWND window)
{
    DWORD_PTR answer = 0;
    if (!::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer))
        return false;
    if (::GetUpdateRect(window, nullptr, FALSE))
        return false;
    bool unpainted = false;
    ::EnumChildWindows(window, FindUnpainted, reinterpret_cast<LPARAM>(&unpainted));
    return !unpainted;
}

// Milliseconds from the start of the command to its painted main window; negative on failure.
double TimeStart(const std::string& command, const std::string& folder)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    const auto start = Clock::now();
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                          &process))
        return -1;
    double result = -1;
    const auto deadline = start + std::chrono::seconds(60);
    Found found{process.dwProcessId};
    while (Clock::now() < deadline) {
        if (!found.window)
            ::EnumWindows(FindShown, reinterpret_cast<LPARAM>(&found));
        if (found.window && Painted(found.window)) {
            result = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            break;
        }
        if (::WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0)
            break;  // it ended by itself
    }
    if (result < 0)
        std::fprintf(stderr, "  no painted main window within the time: %s\n",
                     found.window ? "the window kept parts to paint" : "no visible window");
    // Closed as a user would, so the next start finds its settings written; ended if it will not go.
    if (found.window)
        ::PostMessageA(found.window, WM_CLOSE, 0, 0);
    if (::WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0)
        ::TerminateProcess(process.hProcess, 0);
    ::WaitForSingleObject(process.hProcess, 10000);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return result;
}

double Measure(const char* label, const std::string& command, const std::string& folder)
{
    TimeStart(command, folder);  // warm-up: Wine's libraries and the program in memory
    std::vector<double> runs;
    for (int i = 0; i < 3; ++i)
        runs.push_back(TimeStart(command, folder));
    std::printf("%-10s", label);
    for (double ms : runs)
        std::printf(" %9.1f ms", ms);
    std::sort(runs.begin(), runs.end());
    std::printf("   median %9.1f ms\n", runs[1]);
    std::fflush(stdout);
    return runs[1];
}

}  // namespace

int main(int argc, char** argv)
{
    std::string program;
    std::string reference;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--program") == 0)
            program = argv[++i];
        else if (std::strcmp(argv[i], "--reference") == 0)
            reference = argv[++i];
    }
    if (program.empty()) {
        // The build tree's program: bench\..\ide\Tavrelin.exe.
        char self[MAX_PATH] = {};
        ::GetModuleFileNameA(nullptr, self, MAX_PATH);
        program = self;
        program.erase(program.find_last_of('\\') + 1);
        program += "..\\ide\\Tavrelin.exe";
    }
    // A scratch start folder: the program makes its projects folder beside it.
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const std::string base = std::string(temp) + "TavrelinStartupBench";
    const std::string folder = base + "\\Ide";
    ::CreateDirectoryA(base.c_str(), nullptr);
    ::CreateDirectoryA(folder.c_str(), nullptr);

    std::printf("start to the painted main window, one warm-up and three runs each\n");
    const double ours = Measure("Tavrelin", "\"" + program + "\"", folder);
    if (!reference.empty()) {
        const double theirs = Measure("reference", "\"" + reference + "\"", folder);
        if (ours > 0 && theirs > 0)
            std::printf("ratio %.2f (goal: 1 or less)\n", ours / theirs);
    }
    return 0;
}
