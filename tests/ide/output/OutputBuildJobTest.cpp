// A real build job on a project with a bad script, reported through the output pane from the
// worker's thread; double-clicking its error opens the script at the faulty line.
#include <Scintilla.h>

#include <thread>

#include "BuildJob.h"
#include "EngineStartup.h"
#include "IdeServices.h"
#include "OutputPaneFixture.h"
#include "zCOption.h"

namespace {

// The application's host as far as the build job needs it: settings, the project folder, and
// the pane as the sink.
class PaneHost : public zCHeadlessIde {
public:
    explicit PaneHost(COutputPane* pane) : pane(pane) {}
    void AddBuildMessage(int kind, const char* file, const zSTRING& text, int line, bool fatal) override
    {
        pane->AddBuildMessage(kind, file, text.c_str(), line, fatal);
    }
    void ReportBuildSummary(int broken) override { pane->ReportBuildSummary(broken); }
    void ReplaceFileInLastMessages(const zSTRING& oldName, const zSTRING& newName) override
    {
        pane->ReplaceFileInLastMessages(oldName.c_str(), newName.c_str());
    }

private:
    COutputPane* pane;
};

}  // namespace

TEST_F(OutputPaneTest, ABadScriptGivesARedRowAndTheSummaryAndOpensAtItsLine)
{
    PaneHost host(pane);
    zSetIdeServices(&host);
    host.projectFolder = folder + "\\";
    // The tool's own description files, as installed beside the program.
    ::CreateDirectoryA(Path("System").c_str(), nullptr);
    WriteFile(Path("System\\RedefinedFunc.dsc"), "");
    WriteFile(Path("System\\RedefinedLocalVariable.dsc"), "");
    WriteFile(Path("Varnok.src"), "Bad.d\r\n");
    WriteFile(Path("Bad.d"), "FUNC VOID Fine ()\r\n{\r\n};\r\n\r\nBROKEN;\r\n");
    zCOption::SetStartDirectory(folder);
    EngineStartup();
    zTBuildSettings& settings = host.GetSettings();
    settings.Ready = 1;
    settings.BuildMode = 1;
    settings.ProjectName = "Varnok";

    pane->ClearBuild();
    settings.BuildJobThread = 1;
    std::thread worker([] { BuildThread(nullptr); });
    // The worker's lines are written by this thread: it serves them until the job ends.
    while (settings.BuildJobThread != 0)
        Pump();
    worker.join();
    Pump();
    EngineShutdown();
    ::DeleteFileA(Path("System\\RedefinedFunc.dsc").c_str());
    ::DeleteFileA(Path("System\\RedefinedLocalVariable.dsc").c_str());
    ::RemoveDirectoryA(Path("System").c_str());
    zCOption::SetStartDirectory("");

    const int count = Build().GetItemCount();
    ASSERT_GE(count, 2);
    int errorRow = -1;
    for (int row = 0; row < count; ++row)
        if (const OutputLineItem* item = Build().GetLineItem(row))
            if (item->kind == 2)
                errorRow = row;
    ASSERT_NE(errorRow, -1);
    const std::string error = Row(Build(), errorRow);
    EXPECT_NE(error.find("Bad.d(5):   "), std::string::npos) << error;
    EXPECT_EQ(TextColor(Build(), errorRow), 0x0000FF);
    EXPECT_EQ(Row(Build(), count - 1), "1 error(s), 0 warning(s)");

    DoubleClick(Build(), errorRow);
    CDocument* doc = OpenDocument("Bad.d");
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(CaretLine(doc), 4);
    const HWND view = ViewOf(doc)->m_hWnd;
    EXPECT_TRUE(::GetFocus() == view || ::IsChild(view, ::GetFocus()));
    zSetIdeServices(nullptr);
}
