// Solutions and projects on the real main frame: opening a fixture solution with its documents,
// the close and switch prompts over the modified flags, loads that fail or are cancelled and
// change nothing, saves that fail and keep the solution open, and the recent solutions.
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "AppFixture.h"
#include "CChildFrame.h"
#include "CDocument.h"
#include "CSolutionConfig.h"
#include "CSolutionFile.h"
#include "CSrcManager.h"
#include "CTavrelinView.h"
#include "CXTPCommandBars.h"
#include "CXTPControl.h"
#include "CXTPControls.h"
#include "CXTPMenuBar.h"
#include "CXTPPropExchange.h"
#include "EditorProjectHost.h"
#include "EditorSettings.h"
#include "OpenDocuments.h"
#include "QueuedAnswers.h"
#include "Scintilla.h"
#include "UiTestProbes.h"

namespace {

const UINT kSaveSolution = 32888, kSaveProject = 32889, kSolutionDamaged = 32884, kSolutionOld = 32881,
           kProjectDamaged = 32886, kNotWritten = 63040;
const DWORD kGreen = kTabColorFirst + 2, kOrange = kTabColorFirst + 6;

// Every prompt is recorded by its id and answered from the queue (Cancel when it is empty).
class PromptApp : public TestApp {
public:
    using TestApp::TestApp;
    int DoMessageBox(const char*, UINT, UINT nIDPrompt) override
    {
        asked.push_back(nIDPrompt);
        return TakeAnswer(answers);
    }
    std::deque<int> answers;
    std::vector<UINT> asked;
};

// The frame's files decide what is foreign by the active project's source list.
struct SourceListHost : EditorProjectHost {
    std::vector<CString> GetSourceListEntries() override
    {
        std::vector<CString> entries;
        for (int i = 0; i < GetSrcManager()->GetCount(); ++i)
            entries.push_back(GetSrcManager()->GetAt(i));
        return entries;
    }
    void StartCompile() override {}
};

class SolutionFilesTest : public AppTest {
protected:
    PromptApp* prompts = nullptr;
    SourceListHost host;
    std::string projects;  // root\Varnok Projects\ (the projects root the program takes)

    void SetUp() override
    {
        AppTest::SetUp();
        ResetSolutionConfig();
        SetEditorProjectHost(&host);
        projects = root + "\\Varnok Projects\\";
    }
    void TearDown() override
    {
        AppTest::TearDown();
        SetEditorProjectHost(nullptr);
        ResetSolutionConfig();
    }
    void StartApp()
    {
        auto own = std::make_unique<PromptApp>(root + "\\Ide\\Tavrelin");
        prompts = own.get();
        app = std::move(own);
        ASSERT_TRUE(app->InitInstance());
        Pump();
    }
    CMainFrame* Frame() { return app->Frame(); }
    void Command(UINT id) { Frame()->SendMessage(WM_COMMAND, id, 0); }

    std::string SolutionFolder(const char* name) const { return projects + "Sol" + name + "\\"; }
    std::string SolutionFile(const char* name) const { return SolutionFolder(name) + name + ".tvs"; }
    std::string ProjectFolder(const char* solution, const char* project) const
    {
        return SolutionFolder(solution) + "Prj" + project + "\\";
    }

    // A solution of the projects A and B (A active) whose project A lists a.d and Story\b.d and
    // reopens a.d (green), gone.d (missing), Story\b.d (orange, active, scrolled to line 40).
    void WriteFixture(const char* name)
    {
        ::CreateDirectoryA(projects.c_str(), nullptr);
        ::CreateDirectoryA(SolutionFolder(name).c_str(), nullptr);
        const std::string prj = ProjectFolder(name, "A");
        ::CreateDirectoryA(prj.c_str(), nullptr);
        ::CreateDirectoryA((prj + "Story").c_str(), nullptr);
        std::string lines;
        for (int i = 0; i < 100; ++i)
            lines += "var int v" + std::to_string(i) + ";\r\n";
        WriteFileText(prj + "a.d", lines);
        WriteFileText(prj + "Story\\b.d", lines);
        WriteFileText(prj + "A.src", "// Source list\r\n\r\na.d\r\nStory\\b.d\r\n");

        CSolutionConfig record;
        record.Projects.Add("A");
        record.Projects.Add("B");
        record.SolutionName = name;
        record.ProjectName = "A";
        record.Platform = 0;
        record.LevelMessage = 5;
        ASSERT_EQ(WriteExchangeFile(SolutionFile(name).c_str(),
                                    [&](CXTPPropExchange* px) { ExchangeSolutionFile(px, record); }),
                  SolutionFileResult::ok);
        auto documents = [](CXTPPropExchange* px) {
            const char* names[] = {"a.d", "gone.d", "Story\\b.d"};
            long colors[] = {long(kGreen), long(kTabColorFirst), long(kOrange)};
            for (int i = 0; i < 3; ++i) {
                CString file = names[i];
                PX_String(px, "OpenFile", file);
                PX_Long(px, "TabColor", colors[i]);
            }
            CString end, active = "Story\\b.d";
            BOOL hasActive = TRUE;
            PX_String(px, "OpenFile", end);
            PX_Bool(px, "ActiveFile", hasActive, FALSE);
            PX_String(px, "OpenFile", active);
            for (long line : {0L, 0L, 40L}) {
                CTavrelinView::ViewState state;
                state.firstVisibleLine = line;
                CTavrelinView::ExchangeViewStateValues(px, state);
            }
        };
        ASSERT_EQ(WriteExchangeFile((prj + "A.tvp").c_str(),
                                    [&](CXTPPropExchange* px) {
                                        ExchangeProjectFile(px, record, nullptr, documents);
                                    }),
                  SolutionFileResult::ok);
    }

    // Solution and project as the frame opens them from the File menu.
    void Open(const char* name)
    {
        ASSERT_EQ(Frame()->LoadSolution(SolutionFile(name).c_str()), S_OK);
        ASSERT_EQ(Frame()->LoadProject(), S_OK);
    }

    std::vector<std::string> OpenFiles()
    {
        std::vector<std::string> files;
        ForEachOpenDocument([&](CDocument* doc) { files.push_back(static_cast<const char*>(doc->GetPathName())); });
        return files;
    }
    CChildFrame* ActiveChild() { return dynamic_cast<CChildFrame*>(Frame()->MDIGetActive()); }
};

TEST_F(SolutionFilesTest, ARecentSolutionOpensWithItsProjectSourceListAndDocuments)
{
    WriteFixture("Mod");
    WriteFixture("Other");
    // Seen from elsewhere: names in the project file are the project folder's.
    StartApp();
    ::SetCurrentDirectoryA(root.c_str());
    Frame()->GetRecentProjects()->Add(SolutionFile("Mod").c_str());

    Command(32775);
    const std::string prj = ProjectFolder("Mod", "A");
    CSolutionConfig& c = g_solutionConfig;
    EXPECT_EQ(std::string(c.ProjectsRoot), projects);
    EXPECT_EQ(std::string(c.SolutionName), "Mod");
    ASSERT_EQ(c.Projects.GetSize(), 2);
    EXPECT_EQ(c.ProjectName, "A");
    EXPECT_EQ(c.LevelMessage, 5);
    EXPECT_EQ(c.Platform, 0);
    EXPECT_EQ(GetSrcManager()->GetCount(), 2);
    // The missing file is skipped (the failure said so once); the rest are read in step.
    EXPECT_EQ(prompts->asked.size(), 1u);
    EXPECT_EQ(OpenFiles(), (std::vector<std::string>{prj + "a.d", prj + "Story\\b.d"}));
    CChildFrame* active = ActiveChild();
    ASSERT_NE(active, nullptr);
    EXPECT_EQ(std::string(active->GetActiveDocument()->GetPathName()), prj + "Story\\b.d");
    EXPECT_EQ(active->GetTabColor(), kOrange);
    auto* view = dynamic_cast<CTavrelinView*>(active->GetActiveView());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->Sci(SCI_GETFIRSTVISIBLELINE), 40);
    EXPECT_FALSE(c.ProjectModified || c.ViewStateModified || c.SolutionModified);

    // Save All, close, and the recent entry brings back the same documents.
    active->SetTabColor(kGreen);
    Command(145);
    EXPECT_FALSE(c.ProjectModified || c.ViewStateModified || c.SolutionModified);
    Command(143);
    EXPECT_TRUE(Frame()->m_bCanClose);
    EXPECT_EQ(c.Projects.GetSize(), 0);
    EXPECT_TRUE(OpenFiles().empty());
    Command(32775);
    EXPECT_EQ(OpenFiles(), (std::vector<std::string>{prj + "a.d", prj + "Story\\b.d"}));
    ASSERT_NE(ActiveChild(), nullptr);
    EXPECT_EQ(ActiveChild()->GetTabColor(), kGreen);
    EXPECT_EQ(prompts->asked.size(), 1u) << "no prompt on a saved solution";
}

TEST_F(SolutionFilesTest, OpeningAndClosingScriptsIsSavedWithoutAskingAndReopensSo)
{
    WriteFixture("Mod");
    const std::string prj = ProjectFolder("Mod", "A");
    WriteFileText(prj + "c.d", "var int c;\r\n");
    StartApp();
    Open("Mod");
    const size_t asked = prompts->asked.size();  // the missing file's one message
    ASSERT_EQ(OpenFiles(), (std::vector<std::string>{prj + "a.d", prj + "Story\\b.d"}));

    // Only the set of open scripts changes: one opened, one closed.
    ASSERT_NE(app->OpenDocumentFile((prj + "c.d").c_str()), nullptr);
    EXPECT_EQ(g_solutionConfig.ViewStateModified, 1);
    g_solutionConfig.ViewStateModified = 0;
    CloseOpenDocument((prj + "a.d").c_str());
    EXPECT_EQ(g_solutionConfig.ViewStateModified, 1);
    EXPECT_FALSE(g_solutionConfig.ProjectModified || g_solutionConfig.SolutionModified);

    Command(143);
    EXPECT_TRUE(OpenFiles().empty());
    Open("Mod");
    EXPECT_EQ(OpenFiles(), (std::vector<std::string>{prj + "Story\\b.d", prj + "c.d"}));
    EXPECT_EQ(prompts->asked.size(), asked) << "saved without a question, the missing file no longer listed";
}

// The open dialog answered as a user would: the path typed into its name box, then OK.
std::string g_dialogAnswer;
HHOOK g_dialogHook = nullptr;

LRESULT CALLBACK AnswerFileDialog(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE) {
        const HWND dialog = reinterpret_cast<HWND>(wParam);
        char name[32] = {};
        ::GetClassNameA(dialog, name, sizeof name);
        const HWND box = ::GetDlgItem(dialog, 1148) ? ::GetDlgItem(dialog, 1148) : ::GetDlgItem(dialog, 1152);
        if (std::string(name) == "#32770" && box) {
            ::SetWindowTextA(box, g_dialogAnswer.c_str());
            ::PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        }
    }
    return ::CallNextHookEx(g_dialogHook, code, wParam, lParam);
}

TEST_F(SolutionFilesTest, OpenSolutionLoadsTheChosenFileAndItsProject)
{
    WriteFixture("Mod");
    StartApp();
    g_dialogAnswer = SolutionFile("Mod");
    g_dialogHook = ::SetWindowsHookExA(WH_CBT, AnswerFileDialog, nullptr, ::GetCurrentThreadId());
    Command(142);
    ::UnhookWindowsHookEx(g_dialogHook);
    EXPECT_EQ(std::string(g_solutionConfig.SolutionName), "Mod");
    EXPECT_EQ(g_solutionConfig.ProjectName, "A");
    EXPECT_EQ(OpenFiles().size(), 2u);
    EXPECT_EQ(std::string((*Frame()->GetRecentProjects())[0]), SolutionFile("Mod"));
}

// The close prompt over the three flags: which question, which files are written, whether the
// solution (or, for a project switch, the project) is closed.
TEST_F(SolutionFilesTest, ClosePromptsFollowTheModifiedFlags)
{
    struct Row {
        bool project;  // CloseProject rather than Close Solution
        int solutionModified, projectModified, viewStateModified;
        int answer;
        UINT asked;
        bool solutionWritten, projectWritten, closed;
    };
    const Row rows[] = {
        {false, 0, 0, 0, 0, 0, false, false, true},
        {false, 0, 0, 1, 0, 0, true, true, true},
        {false, 1, 0, 1, 0, 0, true, true, true},
        {false, 0, 1, 1, 0, 0, true, true, true},
        {false, 1, 0, 0, IDYES, kSaveSolution, true, true, true},
        {false, 1, 0, 0, IDNO, kSaveSolution, false, false, true},
        {false, 0, 1, 0, IDNO, kSaveProject, false, false, true},
        {false, 1, 1, 0, IDCANCEL, kSaveProject, false, false, false},
        {true, 1, 0, 0, 0, 0, false, false, true},
        {true, 0, 0, 1, 0, 0, false, true, true},
        {true, 0, 1, 0, IDYES, kSaveProject, false, true, true},
        {true, 1, 1, 0, IDCANCEL, kSaveProject, false, false, false},
    };
    StartApp();
    WriteFixture("Mod");
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << (row.project ? "project " : "solution ") << row.solutionModified
                                        << row.projectModified << row.viewStateModified);
        Open("Mod");
        prompts->asked.clear();
        const std::string tvs = SolutionFile("Mod"), tvp = ProjectFolder("Mod", "A") + "A.tvp";
        const std::string oldTvs = ReadFileText(tvs), oldTvp = ReadFileText(tvp);
        ::DeleteFileA(tvs.c_str());
        ::DeleteFileA(tvp.c_str());
        g_solutionConfig.SolutionModified = row.solutionModified;
        g_solutionConfig.ProjectModified = row.projectModified;
        g_solutionConfig.ViewStateModified = row.viewStateModified;
        if (row.answer)
            prompts->answers.push_back(row.answer);

        bool closed;
        if (row.project) {
            closed = Frame()->CloseProject(TRUE) != FALSE;
        } else {
            Command(143);
            closed = Frame()->m_bCanClose != FALSE;
        }
        EXPECT_EQ(prompts->asked, row.asked ? std::vector<UINT>{row.asked} : std::vector<UINT>{});
        EXPECT_EQ(::GetFileAttributesA(tvs.c_str()) != INVALID_FILE_ATTRIBUTES, row.solutionWritten);
        EXPECT_EQ(::GetFileAttributesA(tvp.c_str()) != INVALID_FILE_ATTRIBUTES, row.projectWritten);
        EXPECT_EQ(closed, row.closed);
        EXPECT_EQ(g_solutionConfig.ProjectName.empty(), row.closed);
        EXPECT_EQ(OpenFiles().empty(), row.closed);
        if (!row.project) {
            EXPECT_EQ(g_solutionConfig.Projects.GetSize() == 0, row.closed);
        }
        // Cancel keeps everything, the unsaved changes too.
        if (!row.closed) {
            EXPECT_EQ(g_solutionConfig.ProjectModified, row.projectModified);
        }

        prompts->answers.clear();
        g_solutionConfig.SolutionModified = g_solutionConfig.ProjectModified = g_solutionConfig.ViewStateModified = 0;
        Command(143);
        ASSERT_TRUE(Frame()->m_bCanClose);
        WriteFileText(tvs, oldTvs);
        WriteFileText(tvp, oldTvp);
    }
}

// Opening another solution: a damaged or old file is refused before anything closes; a
// cancelled close prompt keeps the old solution as it was, unsaved changes and all.
TEST_F(SolutionFilesTest, AFailedOrCancelledSwitchKeepsTheOpenSolution)
{
    StartApp();
    WriteFixture("Mod");
    WriteFixture("Other");
    const std::string other = SolutionFile("Other");
    const std::string whole = ReadFileText(other);
    std::string oldVersion = whole;
    ASSERT_EQ(whole.substr(1, 2), "V1");
    oldVersion[2] = '0';
    struct Case {
        const char* what;
        std::string bytes;
        UINT asked;
        HRESULT result;
    };
    const Case cases[] = {
        {"cut short", whole.substr(0, whole.size() - 3), kSolutionDamaged, E_FAIL},
        {"huge count", whole.substr(0, 3) + std::string("\xff\xff", 2) + whole.substr(5), kSolutionDamaged, E_FAIL},
        {"old version", oldVersion, kSolutionOld, E_FAIL},
        {"cancelled", whole, kSaveProject, S_FALSE},
    };
    Open("Mod");
    const std::vector<std::string> files = OpenFiles();
    ASSERT_EQ(files.size(), 2u);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteFileText(other, c.bytes);
        g_solutionConfig.ProjectModified = 1;
        g_solutionConfig.ViewStateModified = 0;
        g_solutionConfig.ProjectsRoot = projects.c_str();
        prompts->asked.clear();
        // Another projects root: a load that went ahead would take it.
        const std::string moved = root + "\\Elsewhere\\";
        ::CreateDirectoryA(moved.c_str(), nullptr);
        ::CreateDirectoryA((moved + "SolOther").c_str(), nullptr);
        WriteFileText(moved + "SolOther\\Other.tvs", c.bytes);
        EXPECT_EQ(Frame()->LoadSolution((moved + "SolOther\\Other.tvs").c_str()), c.result);
        EXPECT_EQ(prompts->asked, std::vector<UINT>{c.asked});
        EXPECT_EQ(std::string(g_solutionConfig.ProjectsRoot), projects);
        EXPECT_EQ(std::string(g_solutionConfig.SolutionName), "Mod");
        EXPECT_EQ(g_solutionConfig.ProjectName, "A");
        EXPECT_EQ(g_solutionConfig.Projects.GetSize(), 2);
        EXPECT_EQ(g_solutionConfig.ProjectModified, 1);
        EXPECT_EQ(OpenFiles(), files);
    }
    // A damaged project file: a message, nothing opened, the flags as they were.
    prompts->answers.push_back(IDNO);
    ASSERT_EQ(Frame()->LoadSolution(other.c_str()), S_OK);
    const std::string tvp = ProjectFolder("Other", "A") + "A.tvp";
    const std::string project = ReadFileText(tvp);
    WriteFileText(tvp, project.substr(0, project.size() - 6));
    prompts->asked.clear();
    EXPECT_EQ(Frame()->LoadProject(), E_FAIL);
    EXPECT_EQ(prompts->asked, std::vector<UINT>{kProjectDamaged});
    EXPECT_TRUE(OpenFiles().empty());
    // Not taken as active, so the close neither asks nor writes over the file.
    EXPECT_TRUE(g_solutionConfig.ProjectName.empty());
    g_solutionConfig.ViewStateModified = 1;
    Command(143);
    EXPECT_TRUE(Frame()->m_bCanClose);
    EXPECT_EQ(ReadFileText(tvp), project.substr(0, project.size() - 6));
}

// A file that cannot be written is reported; the close stops, the old file stays whole.
TEST_F(SolutionFilesTest, AFailedSaveIsReportedAndTheSolutionStaysOpen)
{
    StartApp();
    WriteFixture("Mod");
    Open("Mod");
    const std::string tvp = ProjectFolder("Mod", "A") + "A.tvp";
    const std::string before = ReadFileText(tvp);
    // A folder where the new file would be written beside the old one.
    ASSERT_TRUE(::CreateDirectoryA((tvp + ".new").c_str(), nullptr));
    g_solutionConfig.ViewStateModified = 1;
    prompts->asked.clear();
    Command(143);
    EXPECT_FALSE(Frame()->m_bCanClose);
    EXPECT_EQ(prompts->asked, std::vector<UINT>{kNotWritten});
    EXPECT_EQ(g_solutionConfig.ProjectName, "A");
    EXPECT_EQ(OpenFiles().size(), 2u);
    EXPECT_EQ(g_solutionConfig.ViewStateModified, 1);
    EXPECT_EQ(ReadFileText(tvp), before);
    ::RemoveDirectoryA((tvp + ".new").c_str());
    Command(143);
    EXPECT_TRUE(Frame()->m_bCanClose);
}

// A solution without projects opens empty (said so); with no active project saving the project
// writes nothing and clears its flags; Close Solution and Save All only with projects.
TEST_F(SolutionFilesTest, AnEmptySolutionHasNoProjectToLoadOrSave)
{
    StartApp();
    EXPECT_FALSE(CommandStateOf(Frame(), 143).enabled);
    EXPECT_FALSE(CommandStateOf(Frame(), 145).enabled);
    ::CreateDirectoryA(projects.c_str(), nullptr);
    ::CreateDirectoryA(SolutionFolder("Empty").c_str(), nullptr);
    CSolutionConfig record;
    record.SolutionName = "Empty";
    ASSERT_EQ(WriteExchangeFile(SolutionFile("Empty").c_str(),
                                [&](CXTPPropExchange* px) { ExchangeSolutionFile(px, record); }),
              SolutionFileResult::ok);
    ASSERT_EQ(Frame()->LoadSolution(SolutionFile("Empty").c_str()), S_OK);
    prompts->asked.clear();
    EXPECT_EQ(Frame()->LoadProject(), S_OK);
    EXPECT_EQ(prompts->asked, std::vector<UINT>{32885});
    g_solutionConfig.ProjectModified = g_solutionConfig.ViewStateModified = 1;
    EXPECT_EQ(Frame()->SaveProject(FALSE), S_OK);
    EXPECT_EQ(g_solutionConfig.ProjectModified + g_solutionConfig.ViewStateModified, 0);
    EXPECT_EQ(::GetFileAttributesA((SolutionFolder("Empty") + "Prj").c_str()), INVALID_FILE_ATTRIBUTES);

    WriteFixture("Mod");
    Open("Mod");
    EXPECT_TRUE(CommandStateOf(Frame(), 143).enabled);
    EXPECT_TRUE(CommandStateOf(Frame(), 145).enabled);
}

// The recent solutions through the frame: a failing entry leaves, an opened one comes first
// once (case ignored), the menu shows them, the registry keeps them at the close.
TEST_F(SolutionFilesTest, RecentSolutionsInTheMenuAndTheRegistry)
{
    WriteFixture("Mod");
    const std::string good = SolutionFile("Mod"), missing = SolutionFolder("Mod") + "Gone.tvs";
    {
        HKEY key = nullptr;
        ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Tavrelin tools\\TavrelinAppTests\\Recent Project List",
                                    0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        ::RegSetValueExA(key, "Project1", 0, REG_SZ, reinterpret_cast<const BYTE*>(missing.c_str()),
                         DWORD(missing.size() + 1));
        ::RegSetValueExA(key, "Project2", 0, REG_SZ, reinterpret_cast<const BYTE*>(good.c_str()),
                         DWORD(good.size() + 1));
        ::RegCloseKey(key);
    }
    StartApp();
    CRecentProjectList& recent = *Frame()->GetRecentProjects();
    EXPECT_EQ(std::string(recent[0]), missing);

    // The menu's placeholder puts one item per entry after itself and hides.
    CXTPControls* menu = Frame()->GetCommandBars()->GetMenuBar()->GetControls();
    CXTPControl* placeholder = menu->FindControl(xtpControlError, 32775, FALSE, TRUE);
    ASSERT_NE(placeholder, nullptr);
    auto items = [&] {
        placeholder->OnLayoutMode(0);
        std::vector<std::string> captions;
        CXTPControls* list = placeholder->GetControls();
        for (int i = 0; i < list->GetCount(); ++i) {
            CXTPControl* item = list->GetAt(i);
            if (item != placeholder && item->IsTemporary()) {
                EXPECT_EQ(item->GetID(), int(32775 + captions.size()));
                EXPECT_EQ(item->GetStyle(), 8);
                captions.push_back(static_cast<const char*>(item->GetCaption()));
            }
        }
        return captions;
    };
    std::vector<std::string> shown = items();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].substr(0, 3), "&1 ");
    EXPECT_EQ(shown[1].substr(0, 3), "&2 ");
    EXPECT_NE(shown[1].find("\\...\\"), std::string::npos) << shown[1];  // a long path is shortened
    EXPECT_TRUE(placeholder->GetHideFlags() & xtpHideGeneric);

    Command(32775);  // the missing one: reported and dropped, nothing loaded
    EXPECT_EQ(prompts->asked, std::vector<UINT>{kSolutionDamaged});
    EXPECT_EQ(g_solutionConfig.Projects.GetSize(), 0);
    EXPECT_EQ(std::string(recent[0]), good);
    EXPECT_TRUE(recent[1].IsEmpty());
    EXPECT_EQ(items().size(), 1u);

    std::string upper = good;
    for (char& ch : upper)
        ch = char(::toupper(static_cast<unsigned char>(ch)));
    ASSERT_EQ(Frame()->LoadSolution(upper.c_str()), S_OK);
    EXPECT_EQ(Frame()->LoadProject(), S_OK);
    EXPECT_TRUE(recent[1].IsEmpty()) << "the same solution in another case is one entry";
    EXPECT_EQ(CloseAndRun(), 0);
    EXPECT_EQ(app->GetProfileString("Recent Project List", "Project1", ""), CString(upper.c_str()));
    EXPECT_EQ(app->GetProfileString("Recent Project List", "Project2", "none"), CString("none"));
}

}  // namespace
