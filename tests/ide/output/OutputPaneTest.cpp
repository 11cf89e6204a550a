// The output pane: the sink's rows, colours, counts and records; the context menus and their
// rules; navigation; renaming; following and holding; the find results; opening a line.
#include <Scintilla.h>

#include <thread>

#include "CSolutionConfig.h"
#include "CXTFlatTabCtrl.h"
#include "IdeServices.h"
#include "InterfaceTexts.h"
#include "OutputPaneFixture.h"
#include "UiTestProbes.h"

namespace {

constexpr long long kNone = -1;
constexpr long long kBlue = 0xFF0000;
constexpr long long kRed = 0x0000FF;
constexpr long long kGreen = 0x008000;

bool Enabled(CListCtrlForFlatTab& list, UINT id)
{
    CommandStateProbe probe;
    probe.m_nID = id;
    return probe.DoUpdate(&list, TRUE) && probe.enabled;
}

// A host with settings and a project folder, for the run flag and the path rules.
class HostScope {
public:
    HostScope() { zSetIdeServices(&host); }
    ~HostScope() { zSetIdeServices(nullptr); }
    zCHeadlessIde host;
};

}  // namespace

TEST_F(OutputPaneTest, EachSinkCallMakesItsRowColourCountAndRecord)
{
    const std::string longPath = "C:\\" + std::string(300, 'p') + "\\deep.d";
    struct Case {
        int kind;
        const char* file;
        const char* text;
        int line;
        int fatal;
        std::string row;
        long long color;
        int recordLine;  // -2: no record
        std::string recordPath;
    };
    const Case cases[] = {
        {0, "a.d", "plain", -1, 0, "plain", kNone, -2, ""},
        {0, "a.d", "plain with a line", 5, 0, "plain with a line", kNone, -2, ""},
        {1, "a.d", "x", 12, 0, "a.d(12):   x", kBlue, 11, "a.d"},
        {2, "b.d", "no line", -1, 0, "no line", kRed, -1, ""},
        {2, nullptr, "a line but no file", 7, 0, "a line but no file", kRed, -1, ""},
        {1, longPath.c_str(), "long", 3, 0, longPath + "(3):   long", kBlue, 2, longPath},
        {2, "c.d", "fatal", 4, 1, "c.d(4):   fatal", kRed, 3, "c.d"},
    };
    pane->ClearBuild();
    for (const Case& c : cases)
        pane->AddBuildMessage(c.kind, c.file, c.text, c.line, c.fatal);

    ASSERT_EQ(Build().GetItemCount(), 8);
    for (int row = 0; row < 7; ++row) {
        const Case& c = cases[row];
        SCOPED_TRACE(c.row);
        EXPECT_EQ(Row(Build(), row), c.row);
        EXPECT_EQ(TextColor(Build(), row), c.color);
        const OutputLineItem* item = Build().GetLineItem(row);
        ASSERT_EQ(item != nullptr, c.recordLine != -2);
        if (item) {
            EXPECT_EQ(item->line, c.recordLine);
            EXPECT_EQ(item->kind, c.kind);
            EXPECT_EQ(std::string(item->path), c.recordPath);
        }
    }
    // The fatal message ends the output with the normal summary, counting itself.
    EXPECT_EQ(Row(Build(), 7), "3 error(s), 2 warning(s)");
    EXPECT_EQ(TextColor(Build(), 7), kNone);
    int errors = 0, warnings = 0;
    EXPECT_TRUE(pane->GetBuildResult(&errors, &warnings));
    EXPECT_EQ(errors, 3);
    EXPECT_EQ(warnings, 2);

    pane->ReportBuildSummary(1);
    EXPECT_EQ(Row(Build(), 8), "Break building: 3 error(s), 2 warning(s)");

    pane->ClearBuild();
    EXPECT_EQ(Build().GetItemCount(), 0);
    EXPECT_EQ(TextColor(Build(), 2), kNone);
    EXPECT_FALSE(pane->GetBuildResult(&errors, &warnings));
    EXPECT_EQ(errors + warnings, 0);
}

TEST_F(OutputPaneTest, TheContextMenuAndItsRulesFollowTheRowAndTheResult)
{
    struct Case {
        const char* name;
        int errors, warnings;
        bool summary;
        int row;  // -1: the last row
        UINT menu;
        bool findError, findWarning, nextError, nextWarning;
    };
    const Case cases[] = {
        {"end row, one error", 1, 0, true, -1, IDR_OUTPUT_POPUP_END, true, false, false, false},
        {"end row, warnings only", 0, 2, true, -1, IDR_OUTPUT_POPUP_END, false, true, false, true},
        {"end row of a clean build", 0, 0, true, -1, 0, false, false, false, false},
        {"the one error", 1, 0, true, 1, IDR_OUTPUT_POPUP_ERROR, true, false, false, false},
        {"one of two errors", 2, 1, true, 1, IDR_OUTPUT_POPUP_ERROR, true, true, true, false},
        {"one of two warnings", 1, 2, true, 3, IDR_OUTPUT_POPUP_WARNING, true, true, false, true},
        {"plain row", 1, 1, true, 0, 0, true, true, false, false},
        // Before the summary the counts so far decide.
        {"last error before the summary", 1, 0, false, -1, IDR_OUTPUT_POPUP_ERROR, true, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        pane->ClearBuild();
        pane->AddBuildMessage(0, nullptr, "Compiling", -1, 0);
        for (int i = 0; i < c.errors; ++i)
            pane->AddBuildMessage(2, "e.d", "error", i + 1, 0);
        for (int i = 0; i < c.warnings; ++i)
            pane->AddBuildMessage(1, "w.d", "warning", i + 1, 0);
        if (c.summary)
            pane->ReportBuildSummary(0);
        const int row = c.row == -1 ? Build().GetItemCount() - 1 : c.row;
        EXPECT_EQ(Build().ContextMenuFor(row), c.menu);
        EXPECT_EQ(Enabled(Build(), ID_OUTPUT_FIND_ERROR), c.findError);
        EXPECT_EQ(Enabled(Build(), ID_OUTPUT_FIND_WARNING), c.findWarning);
        EXPECT_EQ(Enabled(Build(), ID_OUTPUT_NEXT_ERROR), c.nextError);
        EXPECT_EQ(Enabled(Build(), ID_OUTPUT_NEXT_WARNING), c.nextWarning);
    }
    // The Find list has no such menu.
    Find().m_nErrors = Find().m_nWarnings = 5;
    EXPECT_FALSE(Enabled(Find(), ID_OUTPUT_FIND_ERROR));
    EXPECT_FALSE(Enabled(Find(), ID_OUTPUT_NEXT_WARNING));
}

TEST_F(OutputPaneTest, NavigationPaintsTheTargetGreenAndThePreviousOneRedAgain)
{
    pane->ClearBuild();
    pane->AddBuildMessage(0, nullptr, "Compiling", -1, 0);
    pane->AddBuildMessage(2, "a.d", "first", 1, 0);
    pane->AddBuildMessage(1, "a.d", "warning", 2, 0);
    pane->AddBuildMessage(2, "a.d", "second", 3, 0);
    pane->ReportBuildSummary(0);

    // As the menu on the summary line runs it.
    ASSERT_EQ(Build().ContextMenuFor(4), IDR_OUTPUT_POPUP_END);
    Build().SendMessage(WM_COMMAND, ID_OUTPUT_FIND_ERROR);
    EXPECT_EQ(TextColor(Build(), 1), kGreen);
    EXPECT_EQ(Build().m_nHighlighted, 1);

    Build().FindNext(1, 2);
    EXPECT_EQ(TextColor(Build(), 1), kRed);
    EXPECT_EQ(TextColor(Build(), 3), kGreen);
    EXPECT_EQ(TextColor(Build(), 2), kBlue);

    Build().FindNext(3, 2);  // from the last error: no wrap, nothing changes
    EXPECT_EQ(TextColor(Build(), 3), kGreen);
    EXPECT_EQ(Build().m_nHighlighted, 3);

    Build().FindFirst(1);
    EXPECT_EQ(TextColor(Build(), 3), kRed);
    EXPECT_EQ(TextColor(Build(), 2), kGreen);
    EXPECT_EQ(Build().GetSelectedCount(), 0u);  // highlighting is not selecting
}

TEST_F(OutputPaneTest, RenamingChangesTheTrailingRunOfTheOldFileOnly)
{
    pane->ClearBuild();
    pane->AddBuildMessage(1, "old.d", "in the first row", 1, 0);
    pane->AddBuildMessage(1, "other.d", "another file", 2, 0);
    pane->AddBuildMessage(1, "old.d", "third", 3, 0);
    pane->AddBuildMessage(2, "old.d", "mentions old.d too", 4, 0);
    pane->ReplaceFileInLastMessages("old.d", "new.d");

    EXPECT_EQ(Row(Build(), 0), "old.d(1):   in the first row");
    EXPECT_EQ(Row(Build(), 1), "other.d(2):   another file");
    EXPECT_EQ(Row(Build(), 2), "new.d(3):   third");
    EXPECT_EQ(Row(Build(), 3), "new.d(4):   mentions new.d too");
    EXPECT_EQ(std::string(Build().GetLineItem(2)->path), "new.d");
    EXPECT_EQ(std::string(Build().GetLineItem(0)->path), "old.d");
}

TEST_F(OutputPaneTest, WorkerLinesArriveThroughThePaneAndAHeldListShowsItsEndAtIdle)
{
    // Clicking into a list while a build or a find job runs holds it.
    for (auto* flag : {&g_solutionConfig.FindThread, &g_solutionConfig.BuildJobThread}) {
        frame->SetFocus();
        pane->ClearBuild();
        *flag = 1;
        Build().SetFocus();
        EXPECT_EQ(Build().m_bHold, 1);
        *flag = 0;
    }
    frame->SetFocus();
    pane->ClearBuild();
    g_solutionConfig.BuildJobThread = 1;
    Build().SetFocus();

    std::atomic<bool> done{false};
    std::thread worker([&] {
        for (int i = 1; i <= 100; ++i)
            pane->AddBuildMessage(1, "w.d", "warning", i, 0);
        pane->ReportBuildSummary(0);
        done = true;
    });
    while (!done)
        Pump();
    worker.join();
    Pump();  // what the worker queued last
    g_solutionConfig.BuildJobThread = 0;

    ASSERT_EQ(Build().GetItemCount(), 101);
    EXPECT_EQ(Row(Build(), 99), "w.d(100):   warning");
    EXPECT_EQ(TextColor(Build(), 99), kBlue);
    EXPECT_EQ(Row(Build(), 100), "0 error(s), 100 warning(s)");
    EXPECT_EQ(Build().GetTopIndex(), 0);  // held: it did not follow

    EXPECT_TRUE(pane->RefreshIfRequested());
    EXPECT_GE(Build().GetTopIndex() + Build().GetCountPerPage(), 101);
    EXPECT_FALSE(pane->RefreshIfRequested());

    // Without a job the focus does not hold the list; a new build lets it follow again.
    pane->ClearBuild();
    EXPECT_EQ(Build().m_bHold, 0);
    frame->SetFocus();
    Build().SetFocus();
    EXPECT_EQ(Build().m_bHold, 0);
}

TEST_F(OutputPaneTest, AWorkerNeverWaitsForThePanesThread)
{
    // The window's thread waits for the job without serving its window, as closing the
    // program may: the worker must still get to its end.
    pane->ClearBuild();
    std::thread worker([&] {
        pane->AddBuildMessage(0, nullptr, "Compiling...", -1, 0);
        pane->AddBuildMessage(2, "a.d", "bad", 3, 0);
        pane->ReplaceFileInLastMessages("a.d", "b.d");
        pane->ReportBuildSummary(0);
    });
    worker.join();
    EXPECT_EQ(Build().GetItemCount(), 0);
    Pump();
    ASSERT_EQ(Build().GetItemCount(), 3);
    EXPECT_EQ(Row(Build(), 1), "b.d(3):   bad");
    EXPECT_EQ(Row(Build(), 2), "1 error(s), 0 warning(s)");
}

TEST_F(OutputPaneTest, BuildRowsReadBackWholeAndATypedCharacterSelectsTheRowItStarts)
{
    // The Build list keeps its rows itself; the window asks for their texts.
    const std::string longText(700, 'w');
    pane->ClearBuild();
    pane->AddBuildMessage(0, nullptr, "Compiling...", -1, 0);
    pane->AddBuildMessage(1, "a.d", longText.c_str(), 3, 0);
    pane->AddBuildMessage(2, "b.d", "short", 4, 0);
    pane->ReportBuildSummary(0);
    ASSERT_EQ(Build().GetItemCount(), 4);
    EXPECT_EQ(Row(Build(), 1), "a.d(3):   " + longText);
    EXPECT_EQ(Row(Build(), 2), "b.d(4):   short");
    EXPECT_EQ(Row(Build(), 3), "1 error(s), 1 warning(s)");
    EXPECT_EQ(Row(Build(), 4), "") << "no row beyond the last";
    EXPECT_EQ(Build().GetLineItem(4), nullptr);

    Build().SendMessage(WM_CHAR, 'B', 1);  // letter case aside
    EXPECT_EQ(Build().GetNextItem(-1, LVNI_SELECTED), 2);
}

TEST_F(OutputPaneTest, FindResultsHaveTheirHeadingRowsAndEndLine)
{
    pane->BeginFindInFiles("Npc", "", 0);
    EXPECT_EQ(pane->GetTabCtrl()->GetCurSel(), 1);
    pane->AddFindResult("C:\\p\\a.d", "var C_Npc self;", 3);
    pane->AddFindResult("C:\\p\\b.d", "Npc_x", 10);
    pane->EndFindInFiles(1);
    ASSERT_EQ(Find().GetItemCount(), 4);
    EXPECT_EQ(Row(Find(), 0), "Searching for 'Npc'...");
    EXPECT_EQ(Row(Find(), 1), "C:\\p\\a.d(3):   var C_Npc self;");
    EXPECT_EQ(Find().GetLineItem(2)->line, 9);
    EXPECT_EQ(Row(Find(), 3), "2 occurrence(s) have been found.");

    pane->BeginFindInFiles("a", "b", 1);
    pane->EndFindInFiles(0);
    EXPECT_EQ(Row(Find(), 0), "Replacing 'a' with 'b'...");
    EXPECT_EQ(Row(Find(), 1), "Break searching... 0 occurrence(s) have been found.");
    EXPECT_EQ(Find().GetLineItem(0), nullptr);
}

TEST_F(OutputPaneTest, FindRowsReadBackWholeAndATypedCharacterSelectsTheRowItStarts)
{
    // The Find list keeps its rows itself; the window asks for their texts.
    const std::string longText(700, 'n');
    pane->BeginFindInFiles("n", "", 0);
    pane->AddFindResult("C:\\p\\a.d", longText.c_str(), 1);
    pane->AddFindResult("C:\\p\\b.d", "short", 2);
    pane->AddFindNote("C:\\p\\c.d: unreadable");
    pane->EndFindInFiles(1);
    ASSERT_EQ(Find().GetItemCount(), 5);
    EXPECT_EQ(Row(Find(), 1), "C:\\p\\a.d(1):   " + longText);
    EXPECT_EQ(Row(Find(), 2), "C:\\p\\b.d(2):   short");
    EXPECT_EQ(TextColor(Find(), 3), kRed);
    EXPECT_EQ(Row(Find(), 4), "2 occurrence(s) have been found.");
    EXPECT_EQ(Row(Find(), 5), "") << "no row beyond the last";
    EXPECT_EQ(Find().GetLineItem(3), nullptr);
    EXPECT_EQ(Find().GetLineItem(5), nullptr);

    Find().SendMessage(WM_CHAR, '2', 1);  // a repeat count of 1, as a key press has
    EXPECT_EQ(Find().GetNextItem(-1, LVNI_SELECTED), 4);

    // A new search starts from an empty list.
    pane->BeginFindInFiles("n", "", 0);
    EXPECT_EQ(Find().GetItemCount(), 1);
    EXPECT_EQ(Find().GetLineItem(1), nullptr);
}

TEST_F(OutputPaneTest, DoubleClickOpensTheLineInAScriptViewWithTheFocus)
{
    HostScope scope;
    scope.host.projectFolder = folder + "\\";
    std::string lines;
    for (int i = 1; i <= 40; ++i)
        lines += "// line " + std::to_string(i) + "\r\n";
    WriteFile(Path("a.d"), lines);
    WriteFile(Path("b.d"), lines);
    WriteFile(Path("c.d"), lines);

    pane->ClearBuild();
    pane->AddBuildMessage(1, Path("a.d").c_str(), "x", 12, 0);
    pane->AddBuildMessage(2, "\\b.d", "from the project's root", 30, 0);
    pane->AddBuildMessage(2, Path("nothing.d").c_str(), "no line", -1, 0);

    DoubleClick(Build(), 0);
    CDocument* doc = OpenDocument("a.d");
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(CaretLine(doc), 11);
    const HWND focus = ::GetFocus();
    const HWND view = ViewOf(doc)->m_hWnd;
    EXPECT_TRUE(focus == view || ::IsChild(view, focus));

    DoubleClick(Build(), 1);
    CDocument* b = OpenDocument("b.d");
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(CaretLine(b), 29);

    // A find result opens its own path, whatever the last build job was.
    g_solutionConfig.BuildMode = zJOB_DECOMPILE_MODELS;
    g_solutionConfig.Destination = "C:\\elsewhere\\";
    pane->BeginFindInFiles("line", "", 0);
    pane->AddFindResult(Path("c.d").c_str(), "// line 5", 5);
    DoubleClick(Find(), 1);
    CDocument* c = OpenDocument("c.d");
    g_solutionConfig.BuildMode = zJOB_DECOMPILE_DAT;
    g_solutionConfig.Destination.clear();
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(CaretLine(c), 4);
}

TEST_F(OutputPaneTest, DoubleClickOnALineWithoutAPositionOpensNothing)
{
    pane->ClearBuild();
    pane->AddBuildMessage(2, Path("a.d").c_str(), "no line", -1, 0);
    pane->AddBuildMessage(0, Path("a.d").c_str(), "plain", 3, 0);
    pane->ReportBuildSummary(0);
    WriteFile(Path("a.d"), "x\r\n");
    for (int row = 0; row < 3; ++row)
        DoubleClick(Build(), row);
    EXPECT_EQ(scripts->GetFirstDocPosition(), nullptr);
}

TEST_F(OutputPaneTest, TabTitlesFollowTheInterfaceLanguage)
{
    EXPECT_EQ(std::string(pane->GetTabCtrl()->GetItemText(0)), "Build");
    EXPECT_EQ(std::string(pane->GetTabCtrl()->GetItemText(1)), "Find in Files");
    SetInterfaceLanguage(1049);
    pane->UpdateTabTitles();
    SetInterfaceLanguage(1033);
    EXPECT_NE(std::string(pane->GetTabCtrl()->GetItemText(0)), "Build");
    pane->UpdateTabTitles();
    EXPECT_EQ(std::string(pane->GetTabCtrl()->GetItemText(0)), "Build");
}
