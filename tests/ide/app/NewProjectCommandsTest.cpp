// File/New Solution and Add new Project through the real main frame, their dialogs answered as
// a user would: an empty project made once (and no other solution while the save question is
// cancelled), a mod's source list made into a project that compiles, a ".dat" project whose
// "ou.bin" is missing, the Project menu's list of projects and the switch of the active project.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "AppFixture.h"
#include "CClassViewPane.h"
#include "CControlProjectLists.h"
#include "CDialog.h"
#include "COutputPane.h"
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

// Every item text of a tree, depth first.
void CollectTexts(CTreeCtrl& tree, HTREEITEM parent, std::vector<std::string>& texts)
{
    for (HTREEITEM item = tree.GetChildItem(parent); item; item = tree.GetNextSiblingItem(item)) {
        texts.push_back(static_cast<const char*>(tree.GetItemText(item)));
        CollectTexts(tree, item, texts);
    }
}

bool HasText(const std::vector<std::string>& texts, const std::string& part)
{
    for (const std::string& text : texts)
        if (text.find(part) != std::string::npos)
            return true;
    return false;
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

TEST_F(NewProjectCommandsTest, AModsSourceListBecomesAProjectOfItsScriptsThatCompiles)
{
    // The tool's own description files beside the program, as installed.
    ::CreateDirectoryA((root + "\\Ide\\System").c_str(), nullptr);
    WriteFileText(root + "\\Ide\\System\\RedefinedFunc.dsc", "");
    WriteFileText(root + "\\Ide\\System\\RedefinedLocalVariable.dsc", "");
    StartApp();
    // A mod as its makers keep it: a titled list, lists nested two deep, a pattern, a script
    // named twice and one that is not there.
    const std::string mod = root + "\\Mod\\";
    for (const char* folder : {"", "Story", "Story\\Chapter1", "AI"})
        ::CreateDirectoryA((mod + folder).c_str(), nullptr);
    WriteFileText(mod + "Varnok.src",
                  "My mod - main scripts\r\n\r\nClasses.d\r\nStory\\Story.src\r\nAI\\*.d\r\nStory\\Intro.d\r\nMissing.d\r\n");
    WriteFileText(mod + "Story\\Story.src", "Intro.d\r\nChapter1\\Chapter1.src\r\n");
    WriteFileText(mod + "Story\\Chapter1\\Chapter1.src", "Dialog_01.d\r\n");
    const struct {
        const char* file;
        const char* text;
    } scripts[] = {
        {"Classes.d", "CLASS C_Npc\r\n{\r\n\tVAR INT id;\r\n\tVAR INT level;\r\n};\r\nCONST INT MAX_LEVEL = 10;\r\n"},
        {"Story\\Intro.d", "INSTANCE Hero (C_Npc)\r\n{\r\n\tid = 1;\r\n\tlevel = MAX_LEVEL;\r\n};\r\n"},
        {"Story\\Chapter1\\Dialog_01.d", "FUNC INT Dialog_01 ()\r\n{\r\n\treturn Hero.level;\r\n};\r\n"},
        {"AI\\Wolf.d", "INSTANCE Wolf (C_Npc)\r\n{\r\n\tid = 2;\r\n};\r\n"},
        {"AI\\Sheep.d", "INSTANCE Sheep (C_Npc)\r\n{\r\n\tid = 3;\r\n};\r\n"},
    };
    for (const auto& script : scripts)
        WriteFileText(mod + script.file, script.text);

    g_dialogSteps.push_back({"New project", [&](HWND dialog) {
                                 ::SetDlgItemTextA(dialog, 1005, "Mod");
                                 Click(dialog, 1012);
                                 ::SetDlgItemTextA(dialog, 1016, (mod + "Varnok.src").c_str());
                                 Click(dialog, IDOK);
                             }});
    Command(141);
    ASSERT_TRUE(g_dialogSteps.empty());
    EXPECT_EQ(app->m_nPrompts, 0) << "no question, no message";
    EXPECT_EQ(g_solutionConfig.ProjectName, "Varnok");

    // Every script in its folder, the list naming each once, in the mod's order.
    const std::string folder = projects + "SolMod\\PrjVarnok\\";
    for (const auto& script : scripts)
        EXPECT_EQ(ReadFileText(folder + script.file), script.text) << script.file;
    const std::string list = ReadFileText(folder + "Varnok.src");
    const std::string pattern = list.find("AI\\Wolf.d\r\nAI\\Sheep.d") != std::string::npos
                                    ? "AI\\Wolf.d\r\nAI\\Sheep.d\r\n"
                                    : "AI\\Sheep.d\r\nAI\\Wolf.d\r\n";
    EXPECT_EQ(list, std::string(kHeaderOnly) + "Classes.d\r\nStory\\Intro.d\r\nStory\\Chapter1\\Dialog_01.d\r\n" + pattern);
    EXPECT_EQ(GetSrcManager()->GetCount(), 5);

    // One row for the missing script, leading to the line that names it.
    CListCtrlForFlatTab& rows = app->Frame()->GetOutputPane()->GetBuildList();
    ASSERT_EQ(rows.GetItemCount(), 2);
    EXPECT_EQ(std::string(rows.GetItemText(0, 0)), "The project 'Varnok' was made, but not all of it:");
    const std::string row = static_cast<const char*>(rows.GetItemText(1, 0));
    const std::string start = mod + "Varnok.src(7):   'Missing.d' was not copied: ";
    EXPECT_EQ(row.substr(0, start.size()), start);
    EXPECT_GT(row.size(), start.size()) << "the reason";
    const OutputLineItem* item = rows.GetLineItem(1);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(std::string(item->path), mod + "Varnok.src");
    EXPECT_EQ(item->line, 6);

    // The explorer shows the folders and scripts; the class view what they declare.
    std::vector<std::string> explorer;
    CollectTexts(app->Frame()->GetSolutionExplorer()->GetTree(), TVI_ROOT, explorer);
    ASSERT_EQ(explorer.size(), 10u);
    EXPECT_EQ(explorer, (std::vector<std::string>{"Solution 'Mod'", "Project 'Varnok'", "AI", explorer[3], explorer[4],
                                                  "Story", "Chapter1", "Dialog_01.d", "Intro.d", "Classes.d"}));
    EXPECT_EQ(std::min(explorer[3], explorer[4]) + "," + std::max(explorer[3], explorer[4]), "Sheep.d,Wolf.d");
    std::vector<std::string> members;
    CollectTexts(app->Frame()->GetClassViewPane()->GetTree(), TVI_ROOT, members);
    for (const char* name : {"C_Npc", "Hero", "Wolf", "Sheep", "Dialog_01", "MAX_LEVEL"})
        EXPECT_TRUE(HasText(members, name)) << name;

    PressKey(VK_F7);
    EXPECT_EQ(WaitForSummary(), "0 error(s), 0 warning(s)");
    EXPECT_NE(::GetFileAttributesA((folder + "Varnok.dat").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(app->m_nPrompts, 0);
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
