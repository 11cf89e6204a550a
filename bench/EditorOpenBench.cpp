// Times opening a generated 10 MB script: from the start of the editor's process to a window
// titled with the file whose first screen is styled. Our editor is the script view in a plain
// MDI frame with a native menu and status bar (this program started with --frame FILE); the
// yardstick is the reference editor built by tools/build-scite.sh (--reference PATH). Three
// runs each after one warm-up; the editors are asked about their editing window across
// processes, so both are measured the same way.
#include <windows.h>

#include <Scintilla.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "AfxIds.h"
#include "CDocTemplate.h"
#include "CMDIChildWnd.h"
#include "CMDIFrameWnd.h"
#include "CStatusBar.h"
#include "CTavrelinDoc.h"
#include "CTavrelinView.h"
#include "CWinApp.h"

namespace {

constexpr UINT kMainFrame = 100;
constexpr UINT kScriptType = 129;

// ---- The test frame -----------------------------------------------------------------------

class BenchFrame : public CMDIFrameWnd {
public:
    CStatusBar status;

    int OnCreate(LPCREATESTRUCTA lpcs)
    {
        if (CMDIFrameWnd::OnCreate(lpcs) == -1)
            return -1;
        static const UINT panes[] = {ID_SEPARATOR, ID_INDICATOR_LINE, ID_INDICATOR_STYLE, ID_INDICATOR_FOLD,
                                     ID_INDICATOR_OVR};
        if (!status.Create(this)) {
            std::fprintf(stderr, "no status bar\n");
            return -1;
        }
        if (!status.SetIndicators(panes, sizeof panes / sizeof panes[0])) {
            std::fprintf(stderr, "no status panes\n");
            return -1;
        }
        return 0;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BenchFrame, CMDIFrameWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

class FrameApp : public CWinApp {
public:
    explicit FrameApp(std::string file) : CWinApp("Editor"), m_file(std::move(file)) {}

    BOOL InitInstance() override
    {
        Scintilla_RegisterClasses(::GetModuleHandleA(nullptr));
        AddDocTemplate(new CMultiDocTemplate(kScriptType, RUNTIME_CLASS(CTavrelinDoc), RUNTIME_CLASS(CMDIChildWnd),
                                             RUNTIME_CLASS(CTavrelinView)));
        auto* frame = new BenchFrame;
        if (!frame->LoadFrame(kMainFrame)) {
            std::fprintf(stderr, "the frame could not be created\n");
            return FALSE;
        }
        m_pMainWnd = frame;
        frame->SetWindowPos(nullptr, 0, 0, 1000, 700, SWP_NOZORDER | SWP_SHOWWINDOW);
        CDocument* doc = OpenDocumentFile(m_file.c_str());
        if (!doc) {
            std::fprintf(stderr, "%s could not be opened\n", m_file.c_str());
            return FALSE;
        }
        // Maximised, the child's title (the file's name) joins the frame's.
        if (CView* view = static_cast<CScintillaDoc*>(doc)->GetView())
            static_cast<CMDIChildWnd*>(view->GetParentFrame())->MDIMaximize();
        return TRUE;
    }

private:
    std::string m_file;
};

int RunFrame(const std::string& file)
{
    FrameApp app(file);
    if (!app.InitInstance())
        return 1;
    return app.Run();
}

// ---- The driver ---------------------------------------------------------------------------

using Clock = std::chrono::steady_clock;

// A script of about `bytes` bytes: functions, instances, comments, strings and numbers.
std::string GenerateScript(size_t bytes)
{
    std::string text;
    text.reserve(bytes + 4096);
    for (int n = 0; text.size() < bytes; ++n) {
        const std::string id = std::to_string(n);
        text += "// Dialogue " + id + " of the gate guard.\r\n";
        text += "instance DIA_Guard_" + id + " (C_INFO)\r\n{\r\n";
        text += "\tnpc = Grd_" + id + ";\r\n\tnr = " + id + ";\r\n";
        text += "\tcondition = DIA_Guard_" + id + "_Condition;\r\n";
        text += "\tdescription = \"Who are you? (" + id + ")\";\r\n};\r\n";
        text += "func int DIA_Guard_" + id + "_Condition()\r\n{\r\n";
        text += "\tif (Npc_KnowsInfo(hero, DIA_Guard_" + id + ") && (hero.level > 3))\r\n\t{\r\n";
        text += "\t\treturn TRUE;\r\n\t};\r\n\treturn 0x1F + " + id + ";\r\n};\r\n\r\n";
    }
    return text;
}

struct Found {
    DWORD process;
    const char* name;
    HWND window = nullptr;
};

BOOL CALLBACK FindTitled(HWND window, LPARAM lParam)
{
    auto* found = reinterpret_cast<Found*>(lParam);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    char title[512] = {};
    if (process == found->process && ::IsWindowVisible(window) && ::GetWindowTextA(window, title, sizeof title) &&
        std::strstr(title, found->name)) {
        found->window = window;
        return FALSE;
    }
    return TRUE;
}

struct Editing {
    size_t length;
    HWND edit = nullptr;
};

BOOL CALLBACK FindEditing(HWND window, LPARAM lParam)
{
    auto* editing = reinterpret_cast<Editing*>(lParam);
    char name[32] = {};
    ::GetClassNameA(window, name, sizeof name);
    if (_stricmp(name, "Scintilla") == 0 && size_t(::SendMessageA(window, SCI_GETLENGTH, 0, 0)) == editing->length) {
        editing->edit = window;
        return FALSE;
    }
    return TRUE;
}

// The first screen is styled: styling has reached the end of the last line shown.
bool FirstScreenStyled(HWND edit, size_t length)
{
    const LRESULT first = ::SendMessageA(edit, SCI_GETFIRSTVISIBLELINE, 0, 0);
    const LRESULT lines = ::SendMessageA(edit, SCI_LINESONSCREEN, 0, 0);
    const LRESULT docLine = ::SendMessageA(edit, SCI_DOCLINEFROMVISIBLE, WPARAM(first + lines), 0);
    LRESULT end = ::SendMessageA(edit, SCI_POSITIONFROMLINE, WPARAM(docLine + 1), 0);
    if (end < 0 || size_t(end) > length)
        end = LRESULT(length);
    return lines > 0 && ::SendMessageA(edit, SCI_GETENDSTYLED, 0, 0) >= end;
}

// Milliseconds from the start of the command to the styled first screen; negative on failure.
double TimeOpening(const std::string& command, const std::string& fileName, size_t length)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    const auto start = Clock::now();
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    double result = -1;
    const auto deadline = start + std::chrono::seconds(60);
    Found found{process.dwProcessId, fileName.c_str()};
    Editing editing{length};
    while (Clock::now() < deadline) {
        if (!found.window)
            ::EnumWindows(FindTitled, reinterpret_cast<LPARAM>(&found));
        if (found.window && !editing.edit)
            ::EnumChildWindows(found.window, FindEditing, reinterpret_cast<LPARAM>(&editing));
        if (editing.edit && FirstScreenStyled(editing.edit, length)) {
            result = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            break;
        }
        if (::WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0)
            break;  // it ended by itself
    }
    if (result < 0)
        std::fprintf(stderr, "  no styled first screen within the time: %s\n",
                     !found.window   ? "no visible window titled with the file"
                     : !editing.edit ? "no editing window holding the whole file"
                                     : "the first screen was not styled");
    ::TerminateProcess(process.hProcess, 0);
    ::WaitForSingleObject(process.hProcess, 10000);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return result;
}

void Measure(const char* label, const std::string& command, const std::string& fileName, size_t length)
{
    TimeOpening(command, fileName, length);  // warm-up: Wine's libraries and the file in memory
    std::vector<double> runs;
    for (int i = 0; i < 3; ++i)
        runs.push_back(TimeOpening(command, fileName, length));
    std::printf("%-10s", label);
    for (double ms : runs)
        std::printf(" %9.1f ms", ms);
    std::printf("   best %9.1f ms\n", *std::min_element(runs.begin(), runs.end()));
    std::fflush(stdout);
}

int RunDriver(const std::string& reference)
{
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const std::string fileName = "EditorOpenBench.d";
    const std::string path = std::string(temp) + fileName;
    const std::string script = GenerateScript(10u << 20);
    std::ofstream(path, std::ios::binary).write(script.data(), std::streamsize(script.size()));
    std::printf("opening %s (%zu bytes); time to a window titled with it, first screen styled\n", fileName.c_str(),
                script.size());

    char self[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    Measure("ours", "\"" + std::string(self) + "\" --frame \"" + path + "\"", fileName, script.size());
    if (!reference.empty())
        Measure("reference", "\"" + reference + "\" \"" + path + "\"", fileName, script.size());
    else
        std::printf("reference: not given (--reference PATH, from tools/build-scite.sh)\n");
    ::DeleteFileA(path.c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string reference;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--frame" && i + 1 < argc)
            return RunFrame(argv[i + 1]);
        if (arg == "--reference" && i + 1 < argc)
            reference = argv[++i];
    }
    return RunDriver(reference);
}
