// A real build job in the started program: a project with a bad script reports through the main
// frame's output pane; double-clicking its error opens the script at the faulty line.
#include <gtest/gtest.h>

#include <Scintilla.h>

#include <thread>

#include "AppFixture.h"
#include "BuildJob.h"
#include "CDocTemplate.h"
#include "COutputPane.h"
#include "CScintillaDoc.h"
#include "CSolutionConfig.h"
#include "CTavrelinView.h"

TEST_F(AppTest, ABadScriptGivesARedRowAndTheSummaryAndADoubleClickOpensItsLine)
{
    // The tool's own description files beside the program, as installed.
    const std::string system = root + "\\Ide\\System";
    ::CreateDirectoryA(system.c_str(), nullptr);
    WriteFileText(system + "\\RedefinedFunc.dsc", "");
    WriteFileText(system + "\\RedefinedLocalVariable.dsc", "");
    Start();
    g_solutionConfig.SolutionName = "Mod";
    g_solutionConfig.SetProjectName("Varnok");
    CString project;
    GetProjectFolder(project);
    ::CreateDirectoryA((root + "\\Varnok Projects\\SolMod").c_str(), nullptr);
    ::CreateDirectoryA(project, nullptr);
    const std::string folder = static_cast<const char*>(project);
    WriteFileText(folder + "Varnok.src", "Bad.d\r\n");
    WriteFileText(folder + "Bad.d", "FUNC VOID Fine ()\r\n{\r\n};\r\n\r\nBROKEN;\r\n");
    g_solutionConfig.BuildMode = zJOB_COMPILE_SCRIPTS;

    COutputPane* pane = app->Frame()->GetOutputPane();
    pane->ClearBuild();
    g_solutionConfig.BuildJobThread = 1;
    std::thread worker([] { BuildThread(nullptr); });
    // The worker's lines are carried out by this thread: it serves them until the job ends.
    while (g_solutionConfig.BuildJobThread != 0)
        Pump();
    worker.join();
    Pump();

    CListCtrlForFlatTab& list = pane->GetBuildList();
    const int count = list.GetItemCount();
    ASSERT_GE(count, 2);
    const int errorRow = count - 2;
    const OutputLineItem* item = list.GetLineItem(errorRow);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->kind, 2);
    const std::string error = static_cast<const char*>(list.GetItemText(errorRow, 0));
    EXPECT_EQ(error.rfind("Bad.d(5):   ", 0), 0u) << error;
    const CXTListRowColor* color = list.FindRowColor(errorRow);
    ASSERT_NE(color, nullptr);
    EXPECT_EQ(color->crText, 0x0000FFu);
    EXPECT_EQ(std::string(list.GetItemText(count - 1, 0)), "1 error(s), 0 warning(s)");

    // Shown by the idle pass, then double-clicked as the mouse would.
    app->OnIdle(0);
    Pump();
    CRect label;
    ASSERT_TRUE(list.GetItemRect(errorRow, &label, LVIR_LABEL));
    list.PostMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(label.left + 4, label.CenterPoint().y));
    Pump();

    CTavrelinView* view = nullptr;
    for (POSITION t = app->GetFirstDocTemplatePosition(); t && !view;) {
        CDocTemplate* templ = app->GetNextDocTemplate(t);
        for (POSITION d = templ->GetFirstDocPosition(); d && !view;)
            if (auto* doc = dynamic_cast<CScintillaDoc*>(templ->GetNextDoc(d)))
                if (doc->GetPathName().CompareNoCase((folder + "Bad.d").c_str()) == 0)
                    view = dynamic_cast<CTavrelinView*>(doc->GetView());
    }
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->Sci(SCI_LINEFROMPOSITION, view->Sci(SCI_GETCURRENTPOS)), 4);
    const HWND focus = ::GetFocus();
    EXPECT_TRUE(focus == view->m_hWnd || ::IsChild(view->m_hWnd, focus));
}
