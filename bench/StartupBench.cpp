// Times the start of the program to its painted main window: Tavrelin.exe (the build tree's, or
// --program PATH) against the reference editor built by tools/build-scite.sh (--reference PATH),
// which draws with GDI as ours does (-technology=0). Both are started by this launcher in the
// same scratch folder under the same wineserver and timed on the wall clock from the start of
// the process; a warm-up each, then --rounds rounds (5 by default) taking turns at going first.
// "Painted": a visible top-level window of the process, its message loop answering, and no part
// of it or of its child windows still waiting to be painted. Each is closed with WM_CLOSE, so
// the next start finds the layout the last one left.
#include <windows.h>

#include <cstdio>
#include <string>

#include "LaunchRace.h"

namespace {

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

bool MainWindowPainted(DWORD process, std::string& waitingFor)
{
    HWND window = LaunchRace::ShownWindow(process, [](HWND) { return true; });
    if (!window)
        return false;
    waitingFor = "the shown window to be painted";
    return Painted(window);
}

}  // namespace

int main(int argc, char** argv)
{
    LaunchRace::Options options;
    if (!LaunchRace::ParseOptions(argc, argv, "StartupBench", options))
        return 2;
    const std::string folder = LaunchRace::ScratchFolder("TavrelinStartupBench");
    std::printf("start to the painted main window, wall clock; a warm-up each, then %d alternated rounds (ms)\n",
                options.rounds);
    const LaunchRace::Side ours{"Tavrelin", "\"" + options.program + "\"", folder};
    const LaunchRace::Side theirs{"reference", "\"" + options.reference + "\" -technology=0", folder};
    return LaunchRace::Compare(ours, theirs, options.rounds, MainWindowPainted, LaunchRace::Ending::Close) ? 0 : 1;
}
