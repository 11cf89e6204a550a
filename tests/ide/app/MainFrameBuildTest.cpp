// The Build menu in the started program: F7 on an edited script of a loaded solution (saved,
// list written, progress pane while the job runs, red row, caret on its line), the enable rules,
// Stop Build and Decompile's question.
#include <gtest/gtest.h>

#include <Scintilla.h>

#include <atomic>
#include <string>

#include "AppFixture.h"
#include "CDocTemplate.h"
#include "COutputPane.h"
#include "CScintillaDoc.h"
#include "CSolutionConfig.h"
#include "CSrcManager.h"
#include "CTavrelinIdeServices.h"
#include "CTavrelinView.h"
#include "UiTestProbes.h"

namespace {

bool IsEnabled(CMainFrame* frame, UINT id)
{
    CommandStateProbe probe;
    probe.m_nID = id;
    probe.DoUpdate(frame, TRUE);  // off where nothing handles it
    return probe.enabled != FALSE;
}

class BuildCommandsTest : public SolutionAppTest {
protected:
    // A project of 200 small scripts, each with a function of its own: a build long enough
    // to be stopped or closed on while it runs.
    void StartWithManyScripts()
    {
        std::string list;
        for (int i = 0; i < 200; i++)
            list += "S" + std::to_string(i) + ".d\r\n";
        StartWithSolution(list);
        for (int i = 0; i < 200; i++)
            WriteFileText(folder + "S" + std::to_string(i) + ".d", "FUNC VOID F" + std::to_string(i) + " () { };\r\n");
    }

    // The message loop's work: keys through the frame's table, then the idle pass.
    void Run() { PumpMessagesThrough(app.get()); }
    void Idle()
    {
        Run();
        app->OnIdle(0);
        Run();
    }
    bool HasProgressPane() { return app->Frame()->GetStatusBar()->CommandToIndex(ID_PROGRESS_PANE) >= 0; }

    CTavrelinView* OpenView(const std::string& path)
    {
        CDocument* doc = app->OpenDocumentFile(path.c_str());
        auto* script = dynamic_cast<CScintillaDoc*>(doc);
        return script ? dynamic_cast<CTavrelinView*>(script->GetView()) : nullptr;
    }
    int OpenDocumentCount()
    {
        int count = 0;
        for (POSITION t = app->GetFirstDocTemplatePosition(); t;) {
            CDocTemplate* templ = app->GetNextDocTemplate(t);
            for (POSITION d = templ->GetFirstDocPosition(); d; templ->GetNextDoc(d))
                count++;
        }
        return count;
    }
};

}  // namespace

TEST_F(BuildCommandsTest, F7SavesWritesTheListShowsProgressAndItsErrorLeadsToTheLine)
{
    StartWithSolution("Bad.d\r\n");
    WriteFileText(folder + "Bad.d", kFineScript);
    CTavrelinView* view = OpenView(folder + "Bad.d");
    ASSERT_NE(view, nullptr);
    // The user breaks the script and builds without saving first.
    view->Sci(SCI_DOCUMENTEND);
    const std::string typed = "\r\nBROKEN;\r\n";
    view->Sci(SCI_ADDTEXT, typed.size(), reinterpret_cast<LPARAM>(typed.c_str()));
    ASSERT_TRUE(view->GetDocument()->IsModified());
    Idle();

    PressKey(VK_F7);
    EXPECT_TRUE(HasProgressPane());
    EXPECT_EQ(app->Frame()->GetStatusBar()->CommandToIndex(ID_PROGRESS_PANE), 1);
    EXPECT_EQ(WaitForSummary(), "1 error(s), 0 warning(s)");
    EXPECT_FALSE(view->GetDocument()->IsModified());
    EXPECT_NE(ReadFileText(folder + "Bad.d").find("BROKEN;"), std::string::npos);
    EXPECT_EQ(ReadFileText(folder + "Varnok.src").rfind("// Tavrelin workspace file", 0), 0u);
    EXPECT_TRUE(HasProgressPane()) << "until the next idle moment";
    Idle();
    EXPECT_FALSE(HasProgressPane());
    EXPECT_EQ(app->Frame()->m_nBuildState, 0);

    CListCtrlForFlatTab& list = app->Frame()->GetOutputPane()->GetBuildList();
    const int errorRow = list.GetItemCount() - 2;
    const OutputLineItem* item = list.GetLineItem(errorRow);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->kind, 2);
    const CXTListRowColor* color = list.FindRowColor(errorRow);
    ASSERT_NE(color, nullptr);
    EXPECT_EQ(color->crText, 0x0000FFu);

    // Elsewhere in the script first, then the double-click on the red row.
    view->Sci(SCI_GOTOPOS, 0);
    CRect label;
    ASSERT_TRUE(list.GetItemRect(errorRow, &label, LVIR_LABEL));
    list.PostMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(label.left + 4, label.CenterPoint().y));
    Run();
    EXPECT_EQ(view->Sci(SCI_LINEFROMPOSITION, view->Sci(SCI_GETCURRENTPOS)), 4);
}

TEST_F(BuildCommandsTest, TheCommandsFollowTheProjectItsListItsDatAndTheJob)
{
    StartWithSolution("");
    CMainFrame* frame = app->Frame();
    const UINT tools[] = {32834, 32835, 32836, 32837, 32838, 32839, 32840, 32841, 32842};
    const struct {
        const char* state;
        bool project, listed, dat, running;
        bool compile, decompile, stop, options, tools;
    } cases[] = {
        {"no project", false, false, false, false, false, false, false, false, true},
        {"no project, a job runs", false, false, false, true, false, false, true, false, false},
        {"an empty project", true, false, false, false, false, false, false, true, false},
        {"a listed project", true, true, false, false, true, false, false, true, false},
        {"a project with a .dat", true, false, true, false, false, true, false, true, false},
        {"a job runs", true, true, true, true, false, false, true, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.state);
        g_solutionConfig.SetProjectName(c.project ? "Varnok" : "");
        GetSrcManager()->RemoveAll();
        if (c.listed)
            GetSrcManager()->InsertAt(0, CString("A.d"));
        if (c.dat)
            WriteFileText(folder + "Varnok.dat", "");
        else
            ::DeleteFileA((folder + "Varnok.dat").c_str());
        g_solutionConfig.BuildJobThread = c.running ? 1 : 0;
        EXPECT_EQ(IsEnabled(frame, ID_BUILD_COMPILE), c.compile);
        EXPECT_EQ(IsEnabled(frame, ID_BUILD_DECOMPILE), c.decompile);
        EXPECT_EQ(IsEnabled(frame, ID_BUILD_STOP), c.stop);
        EXPECT_EQ(IsEnabled(frame, ID_BUILD_OPTIONS), c.options);
        for (UINT id : tools)
            EXPECT_EQ(IsEnabled(frame, id), c.tools) << id;
        EXPECT_TRUE(IsEnabled(frame, ID_INSERT_FILES_OPTIONS));
    }
    g_solutionConfig.BuildJobThread = 0;
}

TEST_F(BuildCommandsTest, StopBuildEndsTheJobWithTheBreakSummary)
{
    StartWithManyScripts();
    app->Frame()->SendMessage(WM_COMMAND, ID_BUILD_COMPILE);
    ASSERT_NE(g_solutionConfig.BuildJobThread, 0u);
    app->Frame()->SendMessage(WM_COMMAND, ID_BUILD_STOP);
    EXPECT_EQ(WaitForSummary(), "Break building: 0 error(s), 0 warning(s)");
    EXPECT_EQ(::GetFileAttributesA((folder + "Varnok.dat").c_str()), INVALID_FILE_ATTRIBUTES);
    Idle();
    EXPECT_FALSE(HasProgressPane());
}

TEST_F(BuildCommandsTest, F8AsksBeforeTheScriptsGoAndRefreshesTheProjectAfterwards)
{
    StartWithSolution("Fine.d\r\n");
    WriteFileText(folder + "Fine.d", kFineScript);
    PressKey(VK_F7);
    ASSERT_EQ(WaitForSummary(), "0 error(s), 0 warning(s)");
    ASSERT_NE(::GetFileAttributesA((folder + "Varnok.dat").c_str()), INVALID_FILE_ATTRIBUTES);
    Idle();
    ASSERT_NE(OpenView(folder + "Fine.d"), nullptr);
    const int documents = OpenDocumentCount();

    // Cancel keeps everything as it was.
    PressKey(VK_F8);
    EXPECT_EQ(app->m_nPrompts, 1);
    EXPECT_EQ(app->m_nLastPrompt, 32880u);
    EXPECT_EQ(g_solutionConfig.BuildJobThread, 0u);
    EXPECT_FALSE(HasProgressPane());
    EXPECT_EQ(GetSrcManager()->GetCount(), 1);
    EXPECT_EQ(OpenDocumentCount(), documents);

    app->m_nAnswer = IDOK;
    g_solutionConfig.ProjectModified = 0;
    PressKey(VK_F8);
    EXPECT_EQ(app->m_nPrompts, 2);
    EXPECT_EQ(OpenDocumentCount(), 0);
    // The tool's System folder holds no name base: one warning.
    EXPECT_EQ(WaitForSummary().rfind("0 error(s), ", 0), 0u);
    Run();
    // The written list is read back on this thread and the project counts as changed.
    EXPECT_GT(GetSrcManager()->GetCount(), 0);
    EXPECT_EQ(g_solutionConfig.ProjectModified, 1);
    EXPECT_EQ(g_solutionConfig.Decompilate, 1);
    // The explorer and the class view, emptied with the list, show the decompiled scripts.
    EXPECT_GT(app->Frame()->GetSolutionExplorer()->GetTree().GetCount(), 2u) << "solution, project and scripts";
    EXPECT_GT(app->Frame()->GetClassViewPane()->GetTree().GetCount(), 0u);

    // An empty list has nothing to lose: no question.
    GetSrcManager()->RemoveAll();
    PressKey(VK_F8);
    EXPECT_EQ(app->m_nPrompts, 2);
    EXPECT_EQ(WaitForSummary().rfind("0 error(s), ", 0), 0u);
}

TEST_F(BuildCommandsTest, AToolsCommandStoresItsDialogsChoiceAndStartsItsJob)
{
    Start();
    const std::string work = root + "\\Work";
    ::CreateDirectoryA(work.c_str(), nullptr);
    const std::string model = work + "\\Hum.asc";
    WriteFileText(model, "not a model\r\n");
    g_solutionConfig.BuildMode = zJOB_COMPILE_SCRIPTS;

    // Cancel starts nothing.
    g_dialogSteps.push_back({"", [](HWND dialog) { ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); }});
    UINT_PTR timer = ::SetTimer(nullptr, 0, 20, PlayNextDialog);
    app->Frame()->SendMessage(WM_COMMAND, 32837);
    ::KillTimer(nullptr, timer);
    EXPECT_EQ(g_solutionConfig.BuildMode, zJOB_COMPILE_SCRIPTS);
    EXPECT_FALSE(HasProgressPane());

    // OK: the model, the working folder and the game go into the record, then the job runs.
    g_dialogSteps.push_back({"", [&](HWND dialog) {
                                 ::SetDlgItemTextA(dialog, 1047, model.c_str());
                                 ::SetDlgItemTextA(dialog, 1048, work.c_str());
                                 ::SendDlgItemMessageA(dialog, 1051, CB_SETCURSEL, 1, 0);
                                 ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(1051, CBN_SELCHANGE), 0);
                                 ::PostMessageA(dialog, WM_COMMAND, IDOK, 0);
                             }});
    timer = ::SetTimer(nullptr, 0, 20, PlayNextDialog);
    app->Frame()->SendMessage(WM_COMMAND, 32837);
    ::KillTimer(nullptr, timer);
    EXPECT_EQ(g_solutionConfig.BuildMode, zJOB_COMPILE_MODELS);
    EXPECT_EQ(g_solutionConfig.ModelKind, zMODEL_STATIC);
    EXPECT_EQ(g_solutionConfig.Source, model);
    EXPECT_EQ(g_solutionConfig.Destination, work + "\\Anims\\");
    EXPECT_EQ(g_solutionConfig.Platform, zPLATFORM_SECOND_GAME);
    EXPECT_TRUE(HasProgressPane());
    EXPECT_NE(WaitForSummary().find(" error(s), "), std::string::npos);
    g_solutionConfig.Platform = zPLATFORM_FIRST_GAME;
}

namespace {

// Stands in for the frame's progress bar: holds the job after its first script until the frame
// has taken the user's close, then closes once more from the job's side, as a second click would,
// and looks at the window.
class CloseDuringTheJob : public CBuildFrameTarget {
public:
    HWND frame = nullptr;
    HANDLE closeTaken = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::atomic<bool> held{false}, secondCloseAnswered{false}, shownMeanwhile{false};

    ~CloseDuringTheJob() override { ::CloseHandle(closeTaken); }
    void SetProgressStep(int) override {}
    void StepProgress() override
    {
        if (held.exchange(true) || ::WaitForSingleObject(closeTaken, 10000) != WAIT_OBJECT_0)
            return;
        // Served by the frame's wait for this job, or not at all.
        DWORD_PTR result = 0;
        secondCloseAnswered = ::SendMessageTimeoutA(frame, WM_CLOSE, 0, 0, SMTO_NORMAL, 5000, &result) != 0;
        shownMeanwhile = ::IsWindowVisible(frame) != FALSE;
    }
    void SetProgressPos(int) override {}
    void UpdateAfterDecompile() override {}
};
CloseDuringTheJob* g_closeDuringTheJob = nullptr;

LRESULT CALLBACK SeeTheCloseTaken(int code, WPARAM wParam, LPARAM lParam)
{
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && msg->message == WM_CLOSE && msg->hwnd == g_closeDuringTheJob->frame)
        ::SetEvent(g_closeDuringTheJob->closeTaken);
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

// Closing while a job runs lets it end by itself: the window stays and serves the job (a second
// close meanwhile is the same request), the .dat is written, then the program ends normally.
TEST_F(BuildCommandsTest, ClosingWhileAJobRunsLetsItFinishAndThenCloses)
{
    StartWithManyScripts();
    CloseDuringTheJob job;
    job.frame = app->Frame()->GetSafeHwnd();
    g_closeDuringTheJob = &job;
    GetTavrelinIdeServices().SetFrameTarget(&job);
    app->Frame()->SendMessage(WM_COMMAND, ID_BUILD_COMPILE);
    ASSERT_NE(g_solutionConfig.BuildJobThread, 0u);
    const HHOOK hook = ::SetWindowsHookExA(WH_GETMESSAGE, SeeTheCloseTaken, nullptr, ::GetCurrentThreadId());
    EXPECT_EQ(CloseAndRun(), 0);
    ::UnhookWindowsHookEx(hook);
    EXPECT_TRUE(job.held);
    EXPECT_TRUE(job.secondCloseAnswered);
    EXPECT_TRUE(job.shownMeanwhile);
    EXPECT_FALSE(::IsWindow(job.frame));
    EXPECT_EQ(g_solutionConfig.BuildJobThread, 0u);
    EXPECT_NE(::GetFileAttributesA((folder + "Varnok.dat").c_str()), INVALID_FILE_ATTRIBUTES);
}
