// The application started in a scratch folder "...\Ide" with its own registry profile; the
// main frame's layout files are written beside it.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>

#include "CMainFrame.h"
#include "CTavrelinApp.h"

// The profile name of the tests (under "Tavrelin tools").
extern const char kTestProfile[];

class TestApp : public CTavrelinApp {
public:
    explicit TestApp(std::string layoutBase) : CTavrelinApp(kTestProfile), m_layoutBase(std::move(layoutBase)) {}
    // No modal prompts in a test: every question is counted and answered with m_nAnswer.
    int DoMessageBox(const char*, UINT, UINT nIDPrompt) override
    {
        m_nPrompts++;
        m_nLastPrompt = nIDPrompt;
        return m_nAnswer;
    }
    int m_nPrompts = 0;
    UINT m_nLastPrompt = 0;  // the string id of the last prompt, when it was given by one
    int m_nAnswer = IDCANCEL;
    CMainFrame* Frame() { return dynamic_cast<CMainFrame*>(m_pMainWnd); }

protected:
    CMainFrame* NewMainFrame() override;

private:
    std::string m_layoutBase;
};

class AppTest : public ::testing::Test {
protected:
    std::string root;  // the scratch folder; the program starts in root\Ide
    std::unique_ptr<TestApp> app;

    void SetUp() override;
    void TearDown() override;

    // Starts the application; a stored language first when it is given.
    void Start(int storedLanguage = -1);
    // Closes the main window through WM_CLOSE and runs the message loop to its end; the exit
    // code. A loop still running after 20 s is ended with 99.
    int CloseAndRun();
    // The layout file of a language ("_en", "_ru").
    std::string LayoutFile(const char* suffix) const { return root + "\\Ide\\Tavrelin" + suffix + ".xml"; }
    void Pump();
    // A key pressed in the main window, through its accelerators, and the messages it brings.
    void PressKey(UINT key);
    // Serves the build worker until its summary row is there; that row ("timed out: " and the
    // last row after 20 s).
    std::string WaitForSummary();
    // A copy of a program file started from root\Program, in root\Ide as its current folder.
    // FALSE (with a failure reported) when it could not be copied or started.
    bool StartProgramCopy(const char* exe, PROCESS_INFORMATION* process);

private:
    char m_oldDirectory[MAX_PATH + 1] = {};
};

// A script that compiles without a message.
extern const char kFineScript[];

// The program with a solution "Mod" of one project "Varnok" (in "<root>\Varnok Projects\SolMod")
// opened from its file, as Open Solution opens it. The settings record is left without a
// solution and a job when the test ends.
class SolutionAppTest : public AppTest {
protected:
    // Starts the program, then opens the solution whose project's list names the given scripts.
    void StartWithSolution(const std::string& scripts);
    // Opens it in the running program; the listed scripts are written as fine ones.
    void OpenSolution(const std::string& scripts);
    void TearDown() override;

    std::string folder;  // the project's folder, ending in "\"
};

// The next dialogs this thread shows, each played once it is up (its modal loop runs then) by
// PlayNextDialog, from a thread timer the test sets. An empty title takes any dialog. A test's
// steps left unplayed are dropped when it ends.
struct DialogStep {
    std::string title;
    std::function<void(HWND)> play;
};
extern std::deque<DialogStep> g_dialogSteps;
void CALLBACK PlayNextDialog(HWND, UINT, UINT_PTR, DWORD);

// The first visible top-level window of the process that takes the predicate, waiting for it a
// minute at the most; null when none came.
HWND WaitForProcessWindow(DWORD process, const std::function<bool(HWND)>& wanted);
// Waits for the process (a minute by default) and closes its handles: its exit code, or
// STILL_ACTIVE when it had to be ended.
DWORD WaitForExitCode(PROCESS_INFORMATION& process, DWORD milliseconds = 60000);

// Registry values of the tests' profile, section "Settings".
DWORD ReadSettingsValue(const char* name, std::string* bytes = nullptr);
void WriteSettingsInt(const char* name, DWORD value);
void DeleteTestProfile();

std::string ReadFileText(const std::string& path);
void WriteFileText(const std::string& path, const std::string& text);
// The part of a layout file from "<DockingPane>" to its end tag.
std::string DockingSection(const std::string& xml);
// A path given relative to the build tree's top (absolute ones as they are), made full.
std::string BuildTreeFile(const std::string& path);
// A file of the source tree.
std::string SourceFile(const char* relative);
void RemoveTree(const std::string& path);
// No solution open, nothing modified: the settings record's solution part as at first start,
// whatever an earlier test of the program left in it.
void ResetSolutionConfig();
