// Starts the program with a small solution of two projects shown in the solution explorer,
// its folders open, until it is closed: a program to look at, not a test.
#include <windows.h>

#include <fstream>
#include <string>

#include "CMainFrame.h"
#include "CSolutionConfig.h"
#include "CSrcManager.h"
#include "CTavrelinApp.h"

namespace {

void WriteText(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

// A project folder with its list and the scripts it names.
void MakeProject(const std::string& solution, const char* name, const char* const* entries)
{
    const std::string folder = solution + "Prj" + name + "\\";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    std::string list;
    for (const char* const* entry = entries; *entry; ++entry) {
        list += std::string(*entry) + "\r\n";
        const std::string path = folder + *entry;
        for (size_t slash = path.find('\\', folder.size()); slash != std::string::npos;
             slash = path.find('\\', slash + 1))
            ::CreateDirectoryA(path.substr(0, slash).c_str(), nullptr);
        WriteText(path, "// " + std::string(*entry) + "\r\n");
    }
    WriteText(folder + name + ".src", list);
}

void ExpandAll(CTreeSolution& tree, HTREEITEM item)
{
    for (; item; item = tree.GetNextSiblingItem(item)) {
        tree.Expand(item, TVE_EXPAND);
        ExpandAll(tree, tree.GetChildItem(item));
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const std::string root = std::string(temp) + "tavrelin-explorer-demo\\";
    const std::string solution = root + "SolMod\\";
    ::CreateDirectoryA(root.c_str(), nullptr);
    ::CreateDirectoryA(solution.c_str(), nullptr);
    static const char* const fight[] = {"Fight.d", nullptr};
    static const char* const varnok[] = {"A.d", "Story\\B.d", "Story\\Sub\\C.d", "Story\\Sub\\D.d", nullptr};
    MakeProject(solution, "Fight", fight);
    MakeProject(solution, "Varnok", varnok);

    CTavrelinApp app("TavrelinExplorerDemo");
    if (!app.InitInstance())
        return 1;
    g_solutionConfig.ProjectsRoot = root.c_str();
    g_solutionConfig.SolutionName = "Mod";
    auto* frame = dynamic_cast<CMainFrame*>(app.m_pMainWnd);
    CSolutionExplorerPane* pane = frame->GetSolutionExplorer();
    for (const char* name : {"Fight", "Varnok"}) {
        g_solutionConfig.SetProjectName(name);
        CString folder;
        GetProjectFolder(folder);
        ::SetCurrentDirectoryA(folder);
        GetSrcManager()->ReadSrcList();
        pane->RebuildTree(name[0] == 'F', 0);
    }
    ExpandAll(pane->GetTree(), pane->GetTree().GetRootItem());
    pane->GetTree().SelectItem(pane->GetTree().FindActiveProjectItem());
    return app.Run();
}
