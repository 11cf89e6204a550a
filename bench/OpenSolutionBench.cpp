// Times opening a generated solution of 100,000 script lines in the started program until its
// class view is filled and drawn: the solution file read into the settings, the project's
// source list read, the symbol model built and the tree refilled, as the load does it. Beside it
// the same project is compiled in the same process. Both on the wall clock, alternated after one
// cold open and one compile untimed, medians compared; goal: opening no slower than compiling.
// Run by hand from the Windows build, on a display:
//   DISPLAY=:N wine build/windows/bench/OpenSolutionBench.exe [lines] [runs]
#include <windows.h>

#include <shlwapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "BenchTiming.h"
#include "CMainFrame.h"
#include "CSolutionConfig.h"
#include "CSolutionFile.h"
#include "CSrcManager.h"
#include "CTavrelinApp.h"
#include "DocumentsState.h"
#include "IdeServices.h"
#include "JobGlobals.h"
#include "ScriptProjectGenerator.h"
#include "zCParser.h"
#include "zCTypedInfo.h"
#include "zFileSystem.h"

namespace {

const char kProfile[] = "TavrelinOpenSolutionBench";
const char kProfileKey[] = "Software\\Tavrelin tools\\TavrelinOpenSolutionBench";

class BenchApp : public CTavrelinApp {
public:
    explicit BenchApp(std::string layoutBase) : CTavrelinApp(kProfile), m_layoutBase(std::move(layoutBase)) {}
    int DoMessageBox(const char* prompt, UINT, UINT) override
    {
        std::fprintf(stderr, "message: %s\n", prompt);
        return IDCANCEL;
    }
    CMainFrame* Frame() { return dynamic_cast<CMainFrame*>(m_pMainWnd); }

protected:
    CMainFrame* NewMainFrame() override
    {
        auto* pFrame = new CMainFrame;
        pFrame->m_strExeBase = m_layoutBase.c_str();
        return pFrame;
    }

private:
    std::string m_layoutBase;
};

void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// The solution opened as Open Solution opens the file it was given: the solution into the
// settings, then the active project with its source list, the explorer's trees and the class view.
void OpenSolution(CMainFrame* pFrame, const std::string& solutionPath)
{
    if (pFrame->LoadSolution(solutionPath.c_str()) != S_OK || pFrame->LoadProject() != S_OK) {
        std::fprintf(stderr, "the solution did not open\n");
        std::exit(1);
    }
    Pump();
}

}  // namespace

int main(int argc, char** argv)
{
    const int wantedLines = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100000;
    const int runs = argc > 2 ? std::max(2, std::atoi(argv[2])) : 5;
    const bool show = argc > 3 && std::string(argv[3]) == "--show";
    // The program reads its command line as files to open: the bench's arguments are not.
    __argc = 1;

    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const std::filesystem::path root =
        std::filesystem::path(temp) / ("tavrelin-opensolution-bench-" + std::to_string(::GetCurrentProcessId()));
    const std::filesystem::path solution = root / "Varnok Projects" / "SolBench";
    const std::filesystem::path project = solution / "PrjBench";
    std::filesystem::create_directories(root / "Ide");
    std::filesystem::create_directories(project);
    const bench::GeneratedProject generated = bench::WriteProject(project, "Bench.src", wantedLines);

    char oldDirectory[MAX_PATH + 1] = {};
    ::GetCurrentDirectoryA(sizeof oldDirectory, oldDirectory);
    ::SetCurrentDirectoryA((root / "Ide").string().c_str());
    ::SHDeleteKeyA(HKEY_CURRENT_USER, kProfileKey);
    auto app = std::make_unique<BenchApp>((root / "Ide" / "Tavrelin").string());
    if (!app->InitInstance() || !app->Frame()) {
        std::fprintf(stderr, "the program did not start\n");
        return 1;
    }
    CMainFrame* pFrame = app->Frame();
    pFrame->SendMessage(WM_COMMAND, ID_PANE_CLASS_VIEW);
    pFrame->RecalcLayout();
    Pump();

    // The solution and project files as the program writes them, naming the one project.
    const std::string solutionPath = (solution / "Bench.tvs").string();
    {
        CSolutionConfig written;
        written.Projects.Add(CString("Bench"));
        written.SolutionName = "Bench";
        written.SetProjectName("Bench");
        if (WriteExchangeFile(solutionPath.c_str(), [&](CXTPPropExchange* px) {
                ExchangeSolutionFile(px, written);
            }) != SolutionFileResult::ok) {
            std::fprintf(stderr, "the solution file could not be written\n");
            return 1;
        }
        if (WriteExchangeFile((project / "Bench.tvp").string().c_str(), [&](CXTPPropExchange* px) {
                ExchangeProjectFile(px, written, nullptr, ExchangeDocumentsState);
            }) != SolutionFileResult::ok) {
            std::fprintf(stderr, "the project file could not be written\n");
            return 1;
        }
    }

    std::printf("open solution until the class view is filled: %d lines in %zu files, %d units\n", generated.lines,
                generated.sources.size(), generated.units);
    // The compile as a build job does it, the job's globals put back after it.
    zCParser parser(1000);
    int parsed = -1;
    auto compile = [&] {
        const zSTRING root = g_rootDirectory, current = g_currentDirectory;
        const int mode = g_jobMode;
        g_jobMode = zJOB_COMPILE_SCRIPTS;
        g_rootDirectory = project.string().c_str();
        g_currentDirectory = "\\";
        // Marked as a running job, as the stop poll of a compile expects.
        zTBuildSettings& settings = zGetIdeServices()->GetSettings();
        settings.BuildJobThread = 1;
        const double ms = WallMilliseconds([&] {
            parser.Reset();
            parsed = parser.Compile("Bench.src");
            if (parsed == 0)
                parser.Link();
        });
        settings.BuildJobThread = 0;
        g_rootDirectory = root;
        g_currentDirectory = current;
        g_jobMode = mode;
        return ms;
    };
    auto open = [&] { return WallMilliseconds([&] { OpenSolution(pFrame, solutionPath); }); };
    const double cold = open();
    std::printf("  cold open: %.1f ms, %u tree items\n", cold, pFrame->GetClassViewPane()->GetTree().GetCount());
    compile();
    const std::vector<Samples> times = Alternate(runs, {open, compile});
    std::printf("wall clock, median of %d alternated runs: open %.1f ms (best %.1f, worst %.1f), compile %.1f ms%s\n",
                runs, times[0].Median(), times[0].Best(), times[0].Worst(), times[1].Median(),
                parsed == 0 ? "" : "  (THE COMPILE FAILED)");
    ReportRatio("open solution / compile", times[0].Median(), times[1].Median(), 1.0);

    if (show) {
        // Left on screen for a look (a screenshot) until the window is closed: every root and
        // the first class opened.
        CTreeCtrl& tree = pFrame->GetClassViewPane()->GetTree();
        for (HTREEITEM hRoot = tree.GetChildItem(TVI_ROOT); hRoot; hRoot = tree.GetNextSiblingItem(hRoot))
            tree.Expand(hRoot, TVE_EXPAND);
        if (HTREEITEM hClass = tree.GetChildItem(tree.GetChildItem(TVI_ROOT)))
            tree.Expand(hClass, TVE_EXPAND);
        tree.EnsureVisible(tree.GetChildItem(TVI_ROOT));
        app->Run();
    } else {
        app->CloseAllDocuments(TRUE);
        pFrame->DestroyWindow();
        app->ExitInstance();
        Pump();
    }
    app.reset();
    ::SetCurrentDirectoryA(oldDirectory);
    ::SHDeleteKeyA(HKEY_CURRENT_USER, kProfileKey);
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
    return 0;
}
