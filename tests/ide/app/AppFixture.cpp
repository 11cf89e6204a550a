// The application tests' scratch folder, profile and message loop.
#include "AppFixture.h"

#include <shlwapi.h>

#include <fstream>
#include <sstream>

#include "COutputPane.h"
#include "CSolutionConfig.h"
#include "CSolutionFile.h"
#include "CSrcManager.h"
#include "DocumentsState.h"
#include "ErrorBox.h"
#include "UiTestProbes.h"

const char kTestProfile[] = "TavrelinAppTests";
const char kFineScript[] = "FUNC VOID Fine ()\r\n{\r\n};\r\n";
std::deque<DialogStep> g_dialogSteps;

namespace {

const char kProfileKey[] = "Software\\Tavrelin tools\\TavrelinAppTests";

VOID CALLBACK EndHungLoop(HWND, UINT, UINT_PTR, DWORD)
{
    ::PostQuitMessage(99);
}

BOOL CALLBACK FindShownDialog(HWND hWnd, LPARAM lParam)
{
    char className[32] = {}, title[256] = {};
    ::GetClassNameA(hWnd, className, sizeof className);
    ::GetWindowTextA(hWnd, title, sizeof title);
    if (std::string(className) != "#32770" || !::IsWindowVisible(hWnd) ||
        (!g_dialogSteps.front().title.empty() && g_dialogSteps.front().title != title))
        return TRUE;
    *reinterpret_cast<HWND*>(lParam) = hWnd;
    return FALSE;
}

struct ProcessWindowSearch {
    DWORD process;
    const std::function<bool(HWND)>* wanted;
    HWND hWnd;
};

BOOL CALLBACK FindProcessWindow(HWND hWnd, LPARAM lParam)
{
    auto* search = reinterpret_cast<ProcessWindowSearch*>(lParam);
    DWORD process = 0;
    ::GetWindowThreadProcessId(hWnd, &process);
    if (process != search->process || !::IsWindowVisible(hWnd) || !(*search->wanted)(hWnd))
        return TRUE;
    search->hWnd = hWnd;
    return FALSE;
}

}  // namespace

void CALLBACK PlayNextDialog(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_dialogSteps.empty())
        return;
    HWND dialog = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindShownDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog)
        return;
    DialogStep step = std::move(g_dialogSteps.front());
    g_dialogSteps.pop_front();
    step.play(dialog);
}

CMainFrame* TestApp::NewMainFrame()
{
    auto* pFrame = new CMainFrame;
    pFrame->m_strExeBase = m_layoutBase.c_str();
    return pFrame;
}

void AppTest::SetUp()
{
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    std::ostringstream name;
    name << temp << "tavrelin-app-" << ::GetCurrentProcessId() << "-" << ::GetTickCount();
    root = name.str();
    ::CreateDirectoryA(root.c_str(), nullptr);
    ::CreateDirectoryA((root + "\\Ide").c_str(), nullptr);
    ::GetCurrentDirectoryA(sizeof m_oldDirectory, m_oldDirectory);
    SourceFile("");
    ::SetCurrentDirectoryA((root + "\\Ide").c_str());
    DeleteTestProfile();
}

void AppTest::TearDown()
{
    if (app && app->m_pMainWnd && app->m_pMainWnd->GetSafeHwnd()) {
        app->CloseAllDocuments(TRUE);
        app->m_pMainWnd->DestroyWindow();
        app->ExitInstance();
    }
    Pump();
    app.reset();
    ::SetCurrentDirectoryA(m_oldDirectory);
    RemoveTree(root);
    DeleteTestProfile();
    g_dialogSteps.clear();
}

void AppTest::Start(int storedLanguage)
{
    if (storedLanguage >= 0)
        WriteSettingsInt("Current Language", static_cast<DWORD>(storedLanguage));
    app = std::make_unique<TestApp>(root + "\\Ide\\Tavrelin");
    ASSERT_TRUE(app->InitInstance());
    // Nobody would answer its box here: a stub reached in a test ends it with the text on stderr.
    zSetErrorBoxHandler(nullptr);
    ASSERT_NE(app->Frame(), nullptr);
    Pump();
}

int AppTest::CloseAndRun()
{
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 20000, EndHungLoop);
    app->m_pMainWnd->PostMessage(WM_CLOSE);
    const int code = app->Run();
    ::KillTimer(nullptr, timer);
    return code;
}

void AppTest::Pump()
{
    PumpMessages();
}

void SolutionAppTest::StartWithSolution(const std::string& scripts)
{
    // The tool's own description files beside the program, as installed.
    ::CreateDirectoryA((root + "\\Ide\\System").c_str(), nullptr);
    WriteFileText(root + "\\Ide\\System\\RedefinedFunc.dsc", "");
    WriteFileText(root + "\\Ide\\System\\RedefinedLocalVariable.dsc", "");
    Start();
    OpenSolution(scripts);
}

void SolutionAppTest::OpenSolution(const std::string& scripts)
{
    const std::string solution = root + "\\Varnok Projects\\SolMod";
    ::CreateDirectoryA((root + "\\Varnok Projects").c_str(), nullptr);
    ::CreateDirectoryA(solution.c_str(), nullptr);
    folder = solution + "\\PrjVarnok\\";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    WriteFileText(folder + "Varnok.src", scripts);
    // The listed scripts exist when the project opens (a missing one would be asked about).
    for (size_t start = 0, end; start < scripts.size(); start = end + 2) {
        end = scripts.find("\r\n", start);
        if (end == std::string::npos)
            end = scripts.size();
        if (end > start)
            WriteFileText(folder + scripts.substr(start, end - start), kFineScript);
    }
    const std::string file = solution + "\\Mod.tvs";
    {
        CSolutionConfig saved;
        saved.Projects.Add(CString("Varnok"));
        saved.SolutionName = "Mod";
        saved.SetProjectName("Varnok");
        saved.LevelMessage = 8;
        ASSERT_EQ(WriteExchangeFile(file.c_str(), [&](CXTPPropExchange* px) { ExchangeSolutionFile(px, saved); }),
                  SolutionFileResult::ok);
    }
    {
        CSolutionConfig project;
        project.SetProjectName("Varnok");
        ASSERT_EQ(WriteExchangeFile((folder + "Varnok.tvp").c_str(),
                                    [&](CXTPPropExchange* px) {
                                        ExchangeProjectFile(px, project, nullptr, ExchangeDocumentsState);
                                    }),
                  SolutionFileResult::ok);
    }
    // As Open Solution loads the file it was given, with nothing left open by earlier tests.
    ResetSolutionConfig();
    ASSERT_EQ(app->Frame()->LoadSolution(file.c_str()), S_OK);
    ASSERT_EQ(app->Frame()->LoadProject(), S_OK);
}

void SolutionAppTest::TearDown()
{
    AppTest::TearDown();
    // The record outlives the program object: the next test starts without a solution.
    g_solutionConfig.BuildJobThread = 0;
    g_solutionConfig.Projects.RemoveAll();
    g_solutionConfig.SolutionName = "";
    g_solutionConfig.SetProjectName("");
    g_solutionConfig.ProjectsRoot = "";
    GetSrcManager()->RemoveAll();
}

void AppTest::PressKey(UINT key)
{
    ::SetFocus(app->Frame()->GetSafeHwnd());
    app->Frame()->PostMessage(WM_KEYDOWN, key, 1);
    app->Frame()->PostMessage(WM_KEYUP, key, 0xC0000001);
    PumpMessagesThrough(app.get());
}

std::string AppTest::WaitForSummary()
{
    CListCtrlForFlatTab& list = app->Frame()->GetOutputPane()->GetBuildList();
    const DWORD start = ::GetTickCount();
    for (;;) {
        PumpMessagesThrough(app.get());
        const int count = list.GetItemCount();
        const std::string last = count ? static_cast<const char*>(list.GetItemText(count - 1, 0)) : "";
        if (g_solutionConfig.BuildJobThread == 0 && last.find("error(s), ") != std::string::npos)
            return last;
        if (::GetTickCount() - start > 20000)
            return "timed out: " + last;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

bool AppTest::StartProgramCopy(const char* exe, PROCESS_INFORMATION* process)
{
    const std::string program = root + "\\Program";
    ::CreateDirectoryA(program.c_str(), nullptr);
    const std::string path = BuildTreeFile(exe);
    const std::string copy = program + "\\" + path.substr(path.find_last_of("/\\") + 1);
    if (!::CopyFileA(path.c_str(), copy.c_str(), FALSE)) {
        ADD_FAILURE() << "cannot copy " << exe;
        return false;
    }
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + copy + "\"";
    if (!::CreateProcessA(copy.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, (root + "\\Ide").c_str(),
                          &startup, process)) {
        ADD_FAILURE() << "cannot start " << copy;
        return false;
    }
    return true;
}

HWND WaitForProcessWindow(DWORD process, const std::function<bool(HWND)>& wanted)
{
    ProcessWindowSearch search = {process, &wanted, nullptr};
    for (int i = 0; i < 600 && !search.hWnd; i++) {
        ::EnumWindows(FindProcessWindow, reinterpret_cast<LPARAM>(&search));
        if (!search.hWnd)
            ::Sleep(100);
    }
    return search.hWnd;
}

DWORD WaitForExitCode(PROCESS_INFORMATION& process, DWORD milliseconds)
{
    DWORD code = STILL_ACTIVE;
    if (::WaitForSingleObject(process.hProcess, milliseconds) == WAIT_OBJECT_0)
        ::GetExitCodeProcess(process.hProcess, &code);
    else
        ::TerminateProcess(process.hProcess, 99);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return code;
}

DWORD ReadSettingsValue(const char* name, std::string* bytes)
{
    HKEY key = nullptr;
    const std::string path = std::string(kProfileKey) + "\\Settings";
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return static_cast<DWORD>(-1);
    BYTE data[1024] = {};
    DWORD size = sizeof data;
    DWORD type = 0;
    const LONG result = ::RegQueryValueExA(key, name, nullptr, &type, data, &size);
    ::RegCloseKey(key);
    if (result != ERROR_SUCCESS)
        return static_cast<DWORD>(-1);
    if (bytes)
        bytes->assign(reinterpret_cast<const char*>(data), size);
    return type == REG_DWORD ? *reinterpret_cast<const DWORD*>(data) : size;
}

void WriteSettingsInt(const char* name, DWORD value)
{
    HKEY key = nullptr;
    const std::string path = std::string(kProfileKey) + "\\Settings";
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ::RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    ::RegCloseKey(key);
}

void DeleteTestProfile()
{
    ::SHDeleteKeyA(HKEY_CURRENT_USER, kProfileKey);
}

std::string ReadFileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

void WriteFileText(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

std::string DockingSection(const std::string& xml)
{
    const size_t begin = xml.find("<DockingPane>");
    const size_t end = xml.find("</DockingPane>");
    if (begin == std::string::npos || end == std::string::npos)
        return std::string();
    return xml.substr(begin, end + 14 - begin);
}

std::string BuildTreeFile(const std::string& path)
{
    // The build tree's top, where the tests start: taken before a test moves the current
    // directory (SetUp asks first).
    static const std::string top = [] {
        char full[MAX_PATH] = {};
        ::GetCurrentDirectoryA(MAX_PATH, full);
        return std::string(full);
    }();
    if (!path.empty() && path[0] == '/')
        return "Z:" + path;
    if (path.size() > 1 && path[1] == ':')
        return path;
    char full[MAX_PATH] = {};
    ::GetFullPathNameA((top + "\\" + path).c_str(), MAX_PATH, full, nullptr);
    return std::string(full);
}

std::string SourceFile(const char* relative)
{
    std::string tree = BuildTreeFile(TAVRELIN_SOURCE_DIR);
    while (tree.size() > 3 && (tree.back() == '\\' || tree.back() == '/'))
        tree.pop_back();
    return tree + "/" + relative;
}

void RemoveTree(const std::string& path)
{
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string child = path + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                ::SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileA(child.c_str());
            }
        } while (::FindNextFileA(search, &found));
        ::FindClose(search);
    }
    ::RemoveDirectoryA(path.c_str());
}

void ResetSolutionConfig()
{
    CSolutionConfig& c = g_solutionConfig;
    c.Projects.RemoveAll();
    c.SolutionName.Empty();
    c.ProjectName.clear();
    c.SolutionModified = c.ProjectModified = c.ViewStateModified = 0;
    GetSrcManager()->RemoveAll();
}
