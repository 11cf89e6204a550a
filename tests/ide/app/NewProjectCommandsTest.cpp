// File/New Solution and Add new Project through the real main frame, their dialogs answered as
// a user would: an empty project made once (and no other solution while the save question is
// cancelled), a ".dat" project whose "ou.bin" is missing, the Project menu's list of projects
// and the switch of the active project.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>

#include "AppFixture.h"
#include "CControlProjectLists.h"
#include "CDialog.h"
#include "CSolutionConfig.h"
#include "CSrcManager.h"
#include "CTreeSolution.h"
#include "CXTPControls.h"
#include "CXTPPopupBar.h"
#include "UiTestProbes.h"

namespace {

const char kHeaderOnly[] = "// Tavrelin workspace file\r\n// WARNING: DO NOT EDIT OR DELETE THIS FILE!\r\n\r\n";

void Click(HWND dialog, int id)
{
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

// The new-project dialog: a solution name, then an empty project of a type, and OK. When OK is
// refused, stayed tells it and Cancel ends the dialog.
std::function<void(HWND)> EmptyProject(const char* solution, int type, bool* stayed = nullptr)
{
    return [=](HWND dialog) {
        if (solution)
            ::SetDlgItemTextA(dialog, 1005, solution);
        Click(dialog, 1010);
        ::SendDlgItemMessageA(dialog, 1020, CB_SETCURSEL, type, 0);
        ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(1020, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(::GetDlgItem(dialog, 1020)));
        Click(dialog, IDOK);
        if (stayed) {
            auto* pDialog = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(dialog));
            *stayed = pDialog && pDialog->ContinueModal();
            Click(dialog, IDCANCEL);
        }
    };
}

std::string CurrentDirectory()
{
    char current[MAX_PATH] = {};
    ::GetCurrentDirectoryA(sizeof current, current);
    std::string text = current;
    return text.empty() || text.back() == '\\' ? text : text + "\\";
}

std::string ProjectList()
{
    std::string names;
    for (int i = 0; i < g_solutionConfig.Projects.GetSize(); i++)
        names += std::string(names.empty() ? "" : ",") + static_cast<const char*>(g_solutionConfig.Projects[i]);
    return names;
}

class NewProjectCommandsTest : public AppTest {
protected:
    UINT_PTR timer = 0;
    std::string projects;  // the projects root

    void SetUp() override
    {
        AppTest::SetUp();
        // No solution open, whatever an earlier test left.
        g_solutionConfig.Projects.RemoveAll();
        g_solutionConfig.ProjectName = "";
        g_solutionConfig.SolutionName = "";
        MarkSaved();
        timer = ::SetTimer(nullptr, 0, 20, PlayNextDialog);
    }
    void TearDown() override
    {
        ::KillTimer(nullptr, timer);
        AppTest::TearDown();
    }
    void StartApp()
    {
        Start();
        projects = std::string(g_solutionConfig.ProjectsRoot);
        ASSERT_EQ(projects, root + "\\Varnok Projects\\");
    }
    void Command(UINT id) { app->Frame()->SendMessage(WM_COMMAND, id); }
    // The changes counted as saved, so that closing the active project asks nothing.
    void MarkSaved()
    {
        g_solutionConfig.SolutionModified = 0;
        g_solutionConfig.ProjectModified = 0;
        g_solutionConfig.ViewStateModified = 0;
    }
};

TEST_F(NewProjectCommandsTest, AnEmptyProjectIsMadeInItsSolutionOnceAndAnotherJoinsIt)
{
    StartApp();
    g_dialogSteps.push_back({"New project", EmptyProject("X", 1)});  // "Fight"
    Command(141);
    EXPECT_TRUE(g_dialogSteps.empty());
    const std::string folder = projects + "SolX\\PrjFight\\";
    EXPECT_EQ(ReadFileText(folder + "Fight.src"), kHeaderOnly);
    EXPECT_EQ(std::string(g_solutionConfig.SolutionName), "X");
    EXPECT_EQ(g_solutionConfig.ProjectName, "Fight");
    EXPECT_EQ(ProjectList(), "Fight");
    CTreeSolution& tree = app->Frame()->GetSolutionExplorer()->GetTree();
    ASSERT_NE(tree.GetRootItem(), nullptr);
    EXPECT_EQ(std::string(tree.GetItemText(tree.GetRootItem())), "Solution 'X'");
    EXPECT_EQ(tree.GetItemText(tree.FindActiveProjectItem()), CString("Project 'Fight'"));
    EXPECT_EQ(CurrentDirectory(), folder);
    EXPECT_EQ(g_solutionConfig.SolutionModified, 1);
    EXPECT_EQ(g_solutionConfig.ProjectModified, 1);
    EXPECT_EQ(app->m_nPrompts, 0);

    // The same type again in the same solution: refused, the dialog stays until cancelled.
    MarkSaved();
    bool stayed = false;
    g_dialogSteps.push_back({"New project", EmptyProject(nullptr, 1, &stayed)});
    Command(32790);
    EXPECT_TRUE(stayed);
    EXPECT_EQ(app->m_nPrompts, 1);
    EXPECT_EQ(ProjectList(), "Fight");

    g_dialogSteps.push_back({"New project", EmptyProject(nullptr, 6)});  // "SFX"
    Command(32790);
    EXPECT_EQ(ProjectList(), "Fight,SFX");
    EXPECT_EQ(g_solutionConfig.ProjectName, "SFX");
    EXPECT_EQ(tree.GetItemText(tree.FindActiveProjectItem()), CString("Project 'SFX'"));
    EXPECT_EQ(ReadFileText(projects + "SolX\\PrjSFX\\SFX.src"), kHeaderOnly);
    EXPECT_EQ(app->m_nPrompts, 1);

    // Another solution while this one has unsaved changes: the save question, cancelled.
    g_dialogSteps.push_back({"New project", EmptyProject("Y", 3)});
    Command(141);
    EXPECT_EQ(app->m_nPrompts, 2);
    EXPECT_EQ(std::string(g_solutionConfig.SolutionName), "X");
    EXPECT_EQ(g_solutionConfig.ProjectName, "SFX");
    EXPECT_EQ(ProjectList(), "Fight,SFX");
    EXPECT_EQ(::GetFileAttributesA((projects + "SolY").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(NewProjectCommandsTest, AddingAProjectNeedsAnOpenSolution)
{
    StartApp();
    g_solutionConfig.SolutionName = "Closed";  // the last solution's name stays after its close
    const CommandStateProbe closed = CommandStateOf(app->Frame(), 32790);
    EXPECT_TRUE(closed.handled);
    EXPECT_EQ(closed.enabled, FALSE);
    g_solutionConfig.Projects.Add(CString("Fight"));
    EXPECT_EQ(CommandStateOf(app->Frame(), 32790).enabled, TRUE);
}

TEST_F(NewProjectCommandsTest, AMainScriptsDatWithoutItsLibraryAsksForItAndSaysItIsAbsent)
{
    StartApp();
    const std::string compiled = root + "\\Game\\Scripts\\_compiled\\";
    ::CreateDirectoryA((root + "\\Game").c_str(), nullptr);
    ::CreateDirectoryA((root + "\\Game\\Scripts").c_str(), nullptr);
    ::CreateDirectoryA(compiled.c_str(), nullptr);
    WriteFileText(compiled + "varnok.dat", "dat");
    g_dialogSteps.push_back({"New project", [&](HWND dialog) {
                           ::SetDlgItemTextA(dialog, 1005, "D");
                           Click(dialog, 1014);
                           ::SetDlgItemTextA(dialog, 1018, (compiled + "varnok.dat").c_str());
                           Click(dialog, IDOK);
                       }});
    bool asked = false;
    g_dialogSteps.push_back({"", [&](HWND dialog) {
                           asked = true;
                           ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
                       }});
    Command(141);
    EXPECT_TRUE(asked);
    const std::string folder = projects + "SolD\\Prjvarnok\\";
    EXPECT_EQ(ReadFileText(folder + "varnok.dat"), "dat");
    EXPECT_EQ(::GetFileAttributesA((folder + "ou.bin").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(app->m_nPrompts, 1);  // "The file ou.bin is absent in the project!"
    EXPECT_EQ(g_solutionConfig.Decompilate, 1);
    EXPECT_EQ(g_solutionConfig.ProjectName, "varnok");
}

TEST_F(NewProjectCommandsTest, TheProjectMenuListsTheProjectsAndSwitchesTheActiveOne)
{
    StartApp();
    // Two projects, each saved as Save All saves them.
    g_dialogSteps.push_back({"New project", EmptyProject("X", 1)});  // "Fight"
    Command(141);
    Command(145);
    g_dialogSteps.push_back({"New project", EmptyProject(nullptr, 2)});  // "Camera"
    Command(32790);
    Command(145);
    ASSERT_EQ(ProjectList(), "Fight,Camera");
    ASSERT_EQ(app->m_nPrompts, 0);

    CXTPPopupBar* pPopup = CXTPPopupBar::CreatePopupBar(app->Frame()->GetCommandBars());
    auto* pList = static_cast<CXTPControl*>(CControlActiveProjectList::CreateObject());
    pPopup->GetControls()->AddControl(pList, 32810);
    pPopup->NotifyControlsBeforeShow();
    CXTPControls* pControls = pPopup->GetControls();
    ASSERT_EQ(pControls->GetCount(), 3);
    EXPECT_FALSE(pList->IsVisible());
    struct Item {
        int id;
        const char* caption;
        int checked;
    } items[] = {{32810, "Fight", 0}, {32811, "Camera", 1}};
    for (int i = 0; i < 2; i++) {
        EXPECT_EQ(pControls->GetAt(i + 1)->GetID(), items[i].id);
        EXPECT_EQ(std::string(pControls->GetAt(i + 1)->GetCaption()), items[i].caption);
        EXPECT_EQ(pControls->GetAt(i + 1)->GetChecked(), items[i].checked);
    }

    // The active one: nothing happens.
    g_solutionConfig.SolutionModified = 0;
    pControls->GetAt(2)->Execute();
    EXPECT_EQ(g_solutionConfig.ProjectName, "Camera");
    EXPECT_EQ(g_solutionConfig.SolutionModified, 0);

    pControls->GetAt(1)->Execute();
    EXPECT_EQ(g_solutionConfig.ProjectName, "Fight");
    EXPECT_EQ(CurrentDirectory(), projects + "SolX\\PrjFight\\");
    EXPECT_EQ(g_solutionConfig.SolutionModified, 1);
    EXPECT_EQ(g_solutionConfig.Decompilate, 0);
    EXPECT_EQ(app->m_nPrompts, 0);

    // The explorer's message, and a name that is no project of the solution.
    MarkSaved();
    app->Frame()->SendMessage(0x594, reinterpret_cast<WPARAM>("Camera"));
    EXPECT_EQ(g_solutionConfig.ProjectName, "Camera");
    app->Frame()->SendMessage(0x594, reinterpret_cast<WPARAM>("Cam"));
    EXPECT_EQ(g_solutionConfig.ProjectName, "Camera");

    // No projects: the placeholder shows itself and puts nothing after it.
    g_solutionConfig.Projects.RemoveAll();
    pPopup->NotifyControlsBeforeShow();
    EXPECT_EQ(pControls->GetCount(), 1);
    EXPECT_TRUE(pList->IsVisible());
    pPopup->InternalRelease();
}

}  // namespace
