// The solution explorer in the started program: the tree a source list gives, missing files,
// new folders and scripts, renaming and deleting, the menus' enable rules, the expansion state
// through the project file's section, and calls from another thread.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <deque>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "AppFixture.h"
#include "CArchive.h"
#include "CDocTemplate.h"
#include "CDocument.h"
#include "CMemFile.h"
#include "CSolutionConfig.h"
#include "CSolutionExplorerPane.h"
#include "CSrcManager.h"
#include "CXTPPropExchangeArchive.h"
#include "QueuedAnswers.h"
#include "UiTestProbes.h"

namespace {

// Message boxes are recorded and answered from a queue (Cancel when it is empty).
class ExplorerApp : public TestApp {
public:
    using TestApp::TestApp;
    int DoMessageBox(const char* prompt, UINT, UINT) override
    {
        prompts.push_back(prompt);
        promptThreads.push_back(::GetCurrentThreadId());
        return TakeAnswer(answers);
    }
    std::deque<int> answers;
    std::vector<std::string> prompts;
    std::vector<DWORD> promptThreads;
};

// Dialogs are played by a thread timer: each step acts on the next dialog that shows.
std::deque<std::function<void(HWND)>> g_steps;
HWND g_lastDialog = nullptr;

BOOL CALLBACK FindDialog(HWND hWnd, LPARAM lParam)
{
    char name[16] = {};
    ::GetClassNameA(hWnd, name, sizeof name);
    if (std::string(name) == "#32770" && ::IsWindowVisible(hWnd) && ::IsWindowEnabled(hWnd) && hWnd != g_lastDialog) {
        *reinterpret_cast<HWND*>(lParam) = hWnd;
        return FALSE;
    }
    return TRUE;
}

VOID CALLBACK PlayStep(HWND, UINT, UINT_PTR, DWORD)
{
    static bool playing = false;
    if (playing || g_steps.empty())
        return;
    HWND dialog = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog)
        return;
    playing = true;
    auto step = g_steps.front();
    g_steps.pop_front();
    g_lastDialog = dialog;
    step(dialog);
    playing = false;
}

class DialogScript {
public:
    explicit DialogScript(std::vector<std::function<void(HWND)>> steps)
    {
        g_steps.assign(steps.begin(), steps.end());
        g_lastDialog = nullptr;
        m_timer = ::SetTimer(nullptr, 0, 20, PlayStep);
    }
    ~DialogScript()
    {
        ::KillTimer(nullptr, m_timer);
        g_steps.clear();
    }
    bool Done() const { return g_steps.empty(); }

private:
    UINT_PTR m_timer;
};

void Click(HWND dialog, int id)
{
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

// Types a name into the edit and presses OK; OK is enabled only once there is a name.
std::function<void(HWND)> Enter(int edit, const char* text, std::string* title = nullptr)
{
    return [edit, text, title](HWND dialog) {
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dialog, IDOK)));
        ::SetDlgItemTextA(dialog, edit, text);
        EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(dialog, IDOK)));
        if (title) {
            char caption[64] = {}, label[64] = {};
            ::GetWindowTextA(dialog, caption, sizeof caption);
            ::GetDlgItemTextA(dialog, 1019, label, sizeof label);
            *title = std::string(caption) + " / " + label;
        }
        Click(dialog, IDOK);
    };
}

std::function<void(HWND)> PressOk()
{
    return [](HWND dialog) { Click(dialog, IDOK); };
}

// Folders as "name[path]{children}", files as "name<path>", siblings apart by a space; the
// item alone, or with the siblings after it.
std::string Dump(CTreeSolution& tree, HTREEITEM item, bool siblings = false)
{
    std::string text;
    for (; item; item = siblings ? tree.GetNextSiblingItem(item) : nullptr) {
        text += static_cast<const char*>(tree.GetItemText(item));
        if (const SolutionItemData* record = tree.GetRecord(item)) {
            if (record->kind == kItemFolder)
                text += "[" + std::string(record->path) + "]";
            else if (record->kind == kItemFile)
                text += "<" + std::string(record->path) + ">";
        }
        if (HTREEITEM child = tree.GetChildItem(item))
            text += "{" + Dump(tree, child, true) + "}";
        if (siblings && tree.GetNextSiblingItem(item))
            text += " ";
    }
    return text;
}

std::vector<std::string> Entries()
{
    std::vector<std::string> entries;
    for (int i = 0; i < GetSrcManager()->GetCount(); ++i)
        entries.push_back(static_cast<const char*>(GetSrcManager()->GetAt(i)));
    return entries;
}

bool Exists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

int ImageOf(CTreeSolution& tree, HTREEITEM item)
{
    int image = -1, selected = -1;
    tree.GetItemImage(item, image, selected);
    return image;
}

CDocument* FindDocument(CWinApp* app, const std::string& path)
{
    for (POSITION t = app->GetFirstDocTemplatePosition(); t;) {
        CDocTemplate* templ = app->GetNextDocTemplate(t);
        for (POSITION d = templ->GetFirstDocPosition(); d;)
            if (CDocument* doc = templ->GetNextDoc(d); doc->GetPathName() == CString(path.c_str()))
                return doc;
    }
    return nullptr;
}

class ExplorerTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        g_solutionConfig.Projects.RemoveAll();
        g_solutionConfig.SolutionModified = g_solutionConfig.ProjectModified = 0;
        g_solutionConfig.ViewStateModified = g_solutionConfig.RemoveFromDisk = 0;
        GetSrcManager()->RemoveAll();
        explorerApp = new ExplorerApp(root + "\\Ide\\Tavrelin");
        app.reset(explorerApp);
        ASSERT_TRUE(app->InitInstance());
        Pump();
        g_solutionConfig.RemoveFromDisk = 0;  // the stored build options' default is 1
        g_solutionConfig.ProjectsRoot = (root + "\\Varnok Projects\\").c_str();
        g_solutionConfig.SolutionName = "Mod";
        ::CreateDirectoryA((root + "\\Varnok Projects").c_str(), nullptr);
        ::CreateDirectoryA((root + "\\Varnok Projects\\SolMod").c_str(), nullptr);
        pane = app->Frame()->GetSolutionExplorer();
    }
    void TearDown() override
    {
        g_solutionConfig.Projects.RemoveAll();
        g_solutionConfig.SetProjectName("");
        GetSrcManager()->RemoveAll();
        AppTest::TearDown();
    }

    // The project's folder with the given scripts on disk and entries in its list.
    std::string MakeProject(const char* name, const std::vector<std::string>& entries,
                            const std::vector<std::string>& files)
    {
        const std::string folder = root + "\\Varnok Projects\\SolMod\\Prj" + name + "\\";
        ::CreateDirectoryA(folder.c_str(), nullptr);
        std::string list;
        for (const std::string& entry : entries)
            list += entry + "\r\n";
        WriteFileText(folder + name + ".src", list);
        for (const std::string& file : files) {
            for (size_t slash = file.find('\\'); slash != std::string::npos; slash = file.find('\\', slash + 1))
                ::CreateDirectoryA((folder + file.substr(0, slash)).c_str(), nullptr);
            WriteFileText(folder + file, "// " + file + "\r\n");
        }
        return folder;
    }
    // Makes the project active, reads its list and rebuilds the tree for it.
    void Activate(const char* name, int fresh = 1)
    {
        g_solutionConfig.SetProjectName(name);
        CString folder;
        GetProjectFolder(folder);
        ::SetCurrentDirectoryA(folder);
        GetSrcManager()->ReadSrcList();
        pane->RebuildTree(fresh, 0);
    }
    // Projects "Fight" (one script) and "Varnok" (a script in each of two folders), both in the
    // tree; Varnok is active.
    void MakeFightAndVarnok()
    {
        MakeProject("Fight", {"F.d"}, {"F.d"});
        MakeProject("Varnok", {"One\\A.d", "Two\\B.d"}, {"One\\A.d", "Two\\B.d"});
        Activate("Fight");
        Activate("Varnok", 0);
    }
    CTreeSolution& Tree() { return pane->GetTree(); }
    HTREEITEM Root() { return Tree().GetRootItem(); }
    // The item at a path of texts below the root, as "Project 'Varnok'/Story/B.d".
    HTREEITEM ItemAt(const std::string& path)
    {
        HTREEITEM item = Root();
        size_t start = 0;
        while (item && start <= path.size()) {
            const size_t slash = path.find('/', start);
            const std::string part = path.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
            item = Tree().FindChildByText(part.c_str(), item);
            if (slash == std::string::npos)
                break;
            start = slash + 1;
        }
        return item;
    }
    void Select(HTREEITEM item) { ASSERT_TRUE(Tree().SelectItem(item)); }
    // Off where no update handler says otherwise.
    BOOL Enabled(UINT id)
    {
        const CommandStateProbe state = CommandStateOf(pane, id);
        return state.enabled != -1 && state.enabled;
    }

    ExplorerApp* explorerApp = nullptr;
    CSolutionExplorerPane* pane = nullptr;
};

TEST_F(ExplorerTest, AListGivesFoldersBeforeFilesWithTheirPathsAndPictures)
{
    MakeProject("Varnok", {"A.d", "Story\\B.d", "Story\\Sub\\C.d"}, {"A.d", "Story\\B.d", "Story\\Sub\\C.d"});
    Activate("Varnok");
    EXPECT_EQ(Dump(Tree(), Root()),
              "Solution 'Mod'{Project 'Varnok'{Story[Story]{Sub[Story\\Sub]{C.d<Story\\Sub\\C.d>} B.d<Story\\B.d>} "
              "A.d<A.d>}}");
    EXPECT_TRUE(explorerApp->prompts.empty());
    ASSERT_EQ(g_solutionConfig.Projects.GetSize(), 1);
    EXPECT_EQ(std::string(g_solutionConfig.Projects.GetAt(0)), "Varnok");
    HTREEITEM project = ItemAt("Project 'Varnok'");
    EXPECT_EQ(Tree().GetSelectedItem(), project);
    EXPECT_EQ(ImageOf(Tree(), Root()), kImageSolution);
    EXPECT_EQ(ImageOf(Tree(), project), kImageProject);
    EXPECT_EQ(ImageOf(Tree(), ItemAt("Project 'Varnok'/A.d")), kImageFile);
    // A folder shows itself open while the user has it expanded.
    HTREEITEM story = ItemAt("Project 'Varnok'/Story");
    EXPECT_EQ(ImageOf(Tree(), story), kImageFolderClosed);
    g_solutionConfig.ViewStateModified = 0;
    Select(story);
    Tree().SendMessage(WM_KEYDOWN, VK_ADD, 0);
    EXPECT_EQ(ImageOf(Tree(), story), kImageFolderOpen);
    Tree().SendMessage(WM_KEYDOWN, VK_SUBTRACT, 0);
    EXPECT_EQ(ImageOf(Tree(), story), kImageFolderClosed);
    EXPECT_EQ(g_solutionConfig.ViewStateModified, 1);
}

TEST_F(ExplorerTest, MissingFilesAreAskedForYesRemovesNoKeepsCancelStopsAsking)
{
    const std::string folder = MakeProject("Varnok", {"M1.d", "M2.d", "M3.d", "M4.d", "E.d"}, {"E.d"});
    explorerApp->answers = {IDYES, IDNO, IDCANCEL};
    Activate("Varnok");
    ASSERT_EQ(explorerApp->prompts.size(), 3u);
    EXPECT_EQ(explorerApp->prompts[0], "File 'M1.d' is registered, but not found in project, to remove it from project?");
    EXPECT_EQ(Entries(), (std::vector<std::string>{"M2.d", "M3.d", "M4.d", "E.d"}));
    // The list was written at once.
    const std::string written = ReadFileText(folder + "Varnok.src");
    EXPECT_EQ(written.find("M1.d"), std::string::npos);
    EXPECT_NE(written.find("M2.d"), std::string::npos);
    EXPECT_EQ(Dump(Tree(), ItemAt("Project 'Varnok'")), "Project 'Varnok'{E.d<E.d> M2.d<M2.d> M3.d<M3.d> M4.d<M4.d>}");
}

TEST_F(ExplorerTest, NewFolderAndNewScriptGoIntoTheSelectedFolderOnDiskInTheTreeAndTheList)
{
    const std::string folder =
        MakeProject("Varnok", {"A.d", "Story\\B.d", "Story\\Sub\\C.d"}, {"A.d", "Story\\B.d", "Story\\Sub\\C.d"});
    Activate("Varnok");
    g_solutionConfig.ProjectModified = 0;
    Select(ItemAt("Project 'Varnok'/Story/Sub"));
    std::string title;
    {
        DialogScript script({Enter(1017, "X", &title)});
        pane->OnContextCommand(ID_EXPLORER_NEW_FOLDER);
        EXPECT_TRUE(script.Done());
    }
    EXPECT_EQ(title, "New Folder / Name of the new folder:");
    EXPECT_TRUE(::GetFileAttributesA((folder + "Story\\Sub\\X").c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    HTREEITEM x = ItemAt("Project 'Varnok'/Story/Sub/X");
    ASSERT_NE(x, nullptr);
    EXPECT_EQ(std::string(Tree().GetRecord(x)->path), "Story\\Sub\\X");
    EXPECT_EQ(g_solutionConfig.ProjectModified, 1);

    // "y.txt" becomes "y.d"; the source-list dialog puts it after the row it proposes.
    Select(x);
    {
        DialogScript script({Enter(1017, "y.txt", &title), PressOk()});
        pane->OnContextCommand(ID_EXPLORER_NEW_SCRIPT);
        EXPECT_TRUE(script.Done());
    }
    EXPECT_EQ(title, "New File / Name of the new file:");
    EXPECT_TRUE(Exists(folder + "Story\\Sub\\X\\y.d"));
    HTREEITEM y = ItemAt("Project 'Varnok'/Story/Sub/X/y.d");
    ASSERT_NE(y, nullptr);
    EXPECT_EQ(std::string(Tree().GetRecord(y)->path), "Story\\Sub\\X\\y.d");
    const std::vector<std::string> entries = Entries();
    EXPECT_EQ(std::count(entries.begin(), entries.end(), "Story\\Sub\\X\\y.d"), 1);

    // A name that would leave its folder is refused before anything is made.
    Select(x);
    {
        DialogScript script({Enter(1017, "..\\..\\Out")});
        pane->OnContextCommand(ID_EXPLORER_NEW_FOLDER);
    }
    EXPECT_FALSE(Exists(folder + "Story\\Out"));
    ASSERT_FALSE(explorerApp->prompts.empty());
    EXPECT_NE(explorerApp->prompts.back().find("cannot be used"), std::string::npos);

    // A file-system failure shows the system's text and changes nothing.
    const size_t before = explorerApp->prompts.size();
    Select(x);
    {
        DialogScript script({Enter(1017, "y.d")});  // exists already
        pane->OnContextCommand(ID_EXPLORER_NEW_SCRIPT);
    }
    EXPECT_EQ(explorerApp->prompts.size(), before + 1);
    EXPECT_EQ(Entries(), entries);
}

TEST_F(ExplorerTest, AnExistingScriptIsCopiedIntoTheSelectedFolderAndListedOnce)
{
    const std::string folder = MakeProject("Varnok", {"Story\\B.d"}, {"Story\\B.d"});
    const std::string outside = root + "\\Outside.d";
    WriteFileText(outside, "// from elsewhere\r\n");
    Activate("Varnok");
    // The file dialog takes the path as typed; the source-list dialog's proposal is kept.
    auto choose = [](std::string path) {
        return [path](HWND dialog) {
            if (!::SetDlgItemTextA(dialog, 0x47C, path.c_str()))
                ::SetDlgItemTextA(dialog, 0x480, path.c_str());
            ::PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        };
    };
    for (int round = 0; round < 2; ++round) {
        Select(ItemAt("Project 'Varnok'/Story"));
        explorerApp->prompts.clear();
        {
            DialogScript script(round == 0 ? std::vector<std::function<void(HWND)>>{choose(outside), PressOk()}
                                           : std::vector<std::function<void(HWND)>>{choose(outside)});
            pane->OnContextCommand(ID_EXPLORER_ADD_SCRIPT);
            EXPECT_TRUE(script.Done()) << round;
        }
        EXPECT_EQ(ReadFileText(folder + "Story\\Outside.d"), "// from elsewhere\r\n") << round;
        EXPECT_EQ(Entries(), (std::vector<std::string>{"Story\\B.d", "Story\\Outside.d"})) << round;
        EXPECT_EQ(Dump(Tree(), ItemAt("Project 'Varnok'/Story")), "Story[Story]{B.d<Story\\B.d> Outside.d<Story\\Outside.d>}")
            << round;
        // The second time the copy finds its target there: the system's message, nothing added.
        EXPECT_EQ(explorerApp->prompts.size(), static_cast<size_t>(round)) << round;
        char current[MAX_PATH] = {};
        ::GetCurrentDirectoryA(MAX_PATH, current);
        EXPECT_EQ(std::string(current) + "\\", folder) << round;
    }
}

TEST_F(ExplorerTest, RenamingAScriptMovesTheFileTheListEntryTheOpenDocumentAndTheItem)
{
    const std::string folder =
        MakeProject("Varnok", {"A.d", "Story\\B.d", "Story\\Sub\\C.d"}, {"A.d", "Story\\B.d", "Story\\Sub\\C.d"});
    Activate("Varnok");
    // Opened as a double-click on its label does.
    HTREEITEM b = ItemAt("Project 'Varnok'/Story/B.d");
    Tree().Expand(ItemAt("Project 'Varnok'/Story"), TVE_EXPAND);
    CRect label;
    ASSERT_TRUE(Tree().GetItemRect(b, &label, TRUE));
    Tree().SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(label.left + 2, label.CenterPoint().y));
    Pump();
    ASSERT_NE(FindDocument(app.get(), folder + "Story\\B.d"), nullptr);

    Select(b);
    {
        DialogScript script({Enter(1045, "C.x")});
        pane->OnContextCommand(ID_EXPLORER_RENAME);
        EXPECT_TRUE(script.Done());
    }
    EXPECT_FALSE(Exists(folder + "Story\\B.d"));
    EXPECT_TRUE(Exists(folder + "Story\\C.d"));
    EXPECT_EQ(Entries(), (std::vector<std::string>{"A.d", "Story\\C.d", "Story\\Sub\\C.d"}));
    EXPECT_EQ(FindDocument(app.get(), folder + "Story\\B.d"), nullptr);
    EXPECT_NE(FindDocument(app.get(), folder + "Story\\C.d"), nullptr);
    HTREEITEM c = ItemAt("Project 'Varnok'/Story/C.d");
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(Tree().GetSelectedItem(), c);
    EXPECT_EQ(Dump(Tree(), ItemAt("Project 'Varnok'/Story")),
              "Story[Story]{Sub[Story\\Sub]{C.d<Story\\Sub\\C.d>} C.d<Story\\C.d>}");
    EXPECT_EQ(g_solutionConfig.ProjectModified, 1);
}

TEST_F(ExplorerTest, DeletingRefusesNonEmptyFoldersAndTheActiveProjectAndAsksForAnotherProject)
{
    MakeProject("Fight", {"F.d"}, {"F.d"});
    const std::string folder = MakeProject("Varnok", {"A.d", "Story\\B.d"}, {"A.d", "Story\\B.d"});
    Activate("Fight");
    Activate("Varnok", 0);
    ASSERT_EQ(g_solutionConfig.Projects.GetSize(), 2);
    struct Case {
        const char* item;
        std::deque<int> answers;
        const char* prompt;  // the start of the message shown
        bool gone;
    } cases[] = {
        {"Project 'Varnok'/Story", {}, "Impossible to remove not empty directory.", false},
        {"Project 'Varnok'", {}, "This operation is accessible only to the no active project.", false},
        {"Project 'Fight'/F.d", {}, "This operation is accessible only to the no active project.", false},
        {"Project 'Fight'", {IDNO}, "Do you want delete project 'Fight' from this Solution?", false},
        {"Project 'Fight'", {IDYES}, "Do you want delete project 'Fight' from this Solution?", true},
    };
    for (const Case& c : cases) {
        HTREEITEM item = ItemAt(c.item);
        ASSERT_NE(item, nullptr) << c.item;
        Select(item);
        explorerApp->answers = c.answers;
        explorerApp->prompts.clear();
        // The Delete key of the tree.
        Tree().SendMessage(WM_KEYDOWN, VK_DELETE, 0);
        ASSERT_EQ(explorerApp->prompts.size(), 1u) << c.item;
        EXPECT_EQ(explorerApp->prompts[0], c.prompt) << c.item;
        EXPECT_EQ(ItemAt(c.item) == nullptr, c.gone) << c.item;
    }
    ASSERT_EQ(g_solutionConfig.Projects.GetSize(), 1);
    EXPECT_EQ(std::string(g_solutionConfig.Projects.GetAt(0)), "Varnok");
    EXPECT_EQ(g_solutionConfig.SolutionModified, 1);
    EXPECT_TRUE(Exists(folder + "Story\\B.d"));
}

TEST_F(ExplorerTest, RemovingAScriptFromDiskClosesItsDocumentAndDropsItsEntry)
{
    const std::string folder = MakeProject("Varnok", {"A.d", "Story\\B.d"}, {"A.d", "Story\\B.d"});
    Activate("Varnok");
    HTREEITEM b = ItemAt("Project 'Varnok'/Story/B.d");
    Select(b);
    pane->OnContextCommand(ID_EXPLORER_OPEN);
    ASSERT_NE(FindDocument(app.get(), folder + "Story\\B.d"), nullptr);
    {
        DialogScript script({[](HWND dialog) {
            EXPECT_EQ(::IsDlgButtonChecked(dialog, 1076), BST_CHECKED);
            EXPECT_EQ(::IsDlgButtonChecked(dialog, 1077), BST_UNCHECKED);
            ::CheckDlgButton(dialog, 1077, BST_CHECKED);
            Click(dialog, IDOK);
        }});
        pane->OnContextCommand(ID_EXPLORER_DELETE);
        EXPECT_TRUE(script.Done());
    }
    Pump();
    EXPECT_FALSE(Exists(folder + "Story\\B.d"));
    EXPECT_EQ(FindDocument(app.get(), folder + "Story\\B.d"), nullptr);
    EXPECT_EQ(Entries(), std::vector<std::string>{"A.d"});
    EXPECT_EQ(ItemAt("Project 'Varnok'/Story/B.d"), nullptr);
    EXPECT_EQ(g_solutionConfig.RemoveFromDisk, 1);
    EXPECT_EQ(g_solutionConfig.ProjectModified, 1);
    // The emptied folder's item can go now; its folder stays on disk.
    Select(ItemAt("Project 'Varnok'/Story"));
    EXPECT_TRUE(Enabled(ID_EXPLORER_DELETE_FOLDER));
    pane->OnContextCommand(ID_EXPLORER_DELETE_FOLDER);
    EXPECT_EQ(ItemAt("Project 'Varnok'/Story"), nullptr);
    EXPECT_TRUE(Exists(folder + "Story"));
}

TEST_F(ExplorerTest, MenusAndTheirCommandsFollowTheSelection)
{
    MakeProject("Fight2", {"G.d"}, {"G.d"});
    const std::string folder = MakeProject("Fight", {"F.d"}, {"F.d"});
    Activate("Fight2");
    Activate("Fight", 0);
    pane->AddTreeItem(ItemAt("Project 'Fight'"), 1, "Empty", "Empty");
    // The active project's item is found by its whole name, not by "Fight" inside "Fight2".
    EXPECT_EQ(Tree().FindActiveProjectItem(), ItemAt("Project 'Fight'"));

    const UINT ids[] = {ID_EXPLORER_NEW_FOLDER, ID_EXPLORER_ADD_SCRIPT, ID_EXPLORER_NEW_SCRIPT, ID_EXPLORER_DELETE,
                        ID_EXPLORER_RENAME,     ID_EXPLORER_SET_ACTIVE, ID_EXPLORER_DELETE_PROJECT,
                        ID_EXPLORER_DELETE_FOLDER, ID_BUILD_COMPILE, ID_BUILD_DECOMPILE};
    struct Case {
        const char* item;
        UINT menu;
        std::vector<int> enabled;  // in the order of ids
    } cases[] = {
        {"", IDR_POPUP_SOLUTION, {0, 0, 0, 0, 0, 1, 1, 0, 0, 0}},
        {"Project 'Fight'", IDR_POPUP_PROJECT, {1, 1, 1, 1, 1, 0, 0, 0, 1, 0}},
        {"Project 'Fight'/F.d", IDR_POPUP_FILE, {1, 1, 1, 1, 1, 0, 0, 0, 1, 0}},
        {"Project 'Fight'/Empty", IDR_POPUP_FOLDER, {1, 1, 1, 1, 1, 0, 0, 1, 1, 0}},
        {"Project 'Fight2'", IDR_POPUP_PROJECT, {0, 0, 0, 0, 0, 1, 1, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        HTREEITEM item = *c.item ? ItemAt(c.item) : Root();
        ASSERT_NE(item, nullptr) << c.item;
        Select(item);
        EXPECT_EQ(pane->MenuOfItem(item), c.menu) << c.item;
        std::vector<int> enabled;
        for (UINT id : ids)
            enabled.push_back(Enabled(id) ? 1 : 0);
        EXPECT_EQ(enabled, c.enabled) << c.item;
    }
    // Decompile wants a compiled file in the project folder, and neither runs beside a build.
    WriteFileText(folder + "Fight.dat", "");
    Select(ItemAt("Project 'Fight'"));
    EXPECT_TRUE(Enabled(ID_BUILD_DECOMPILE));
    g_solutionConfig.BuildJobThread = 1;
    EXPECT_FALSE(Enabled(ID_BUILD_COMPILE));
    EXPECT_FALSE(Enabled(ID_BUILD_DECOMPILE));
    g_solutionConfig.BuildJobThread = 0;
}

TEST_F(ExplorerTest, TheExpansionStateIsSavedAndRebuiltWithAllProjectsOfTheSolution)
{
    MakeFightAndVarnok();
    // Only the solution and the active project are expanded: 0, 1 (its own second number
    // comes first), then -1. Then the second folder of the project opens.
    Tree().Expand(ItemAt("Project 'Fight'"), TVE_COLLAPSE);
    auto save = [&] {
        CMemFile file;
        {
            CArchive archive(&file, CArchive::store);
            CXTPPropExchangeArchive px(archive);
            pane->ExchangeTree(&px);
            archive.Close();
        }
        const ULONGLONG size = file.GetLength();
        std::vector<int> values(static_cast<size_t>(size / 4));
        file.SeekToBegin();
        file.Read(values.data(), static_cast<UINT>(size));
        return values;
    };
    EXPECT_EQ(save(), (std::vector<int>{0, 3, -1}));
    Tree().Expand(ItemAt("Project 'Varnok'/Two"), TVE_EXPAND);
    const std::vector<int> values = save();
    EXPECT_EQ(values, (std::vector<int>{0, 3, 6, -1}));

    // Loading builds every project's tree, the active one read last, and opens the same items.
    pane->ClearTree();
    g_solutionConfig.Projects.RemoveAll();
    g_solutionConfig.Projects.Add("Fight");
    g_solutionConfig.Projects.Add("Varnok");
    CMemFile file;
    file.Write(values.data(), static_cast<UINT>(values.size() * 4));
    file.SeekToBegin();
    {
        CArchive archive(&file, CArchive::load);
        CXTPPropExchangeArchive px(archive);
        pane->ExchangeTree(&px);
    }
    EXPECT_EQ(std::string(g_solutionConfig.GetProjectName()), "Varnok");
    EXPECT_EQ(Entries(), (std::vector<std::string>{"One\\A.d", "Two\\B.d"}));
    EXPECT_EQ(Dump(Tree(), Root()), "Solution 'Mod'{Project 'Fight'{F.d<F.d>} Project 'Varnok'{One[One]{A.d<One\\A.d>} "
                                    "Two[Two]{B.d<Two\\B.d>}}}");
    EXPECT_TRUE(Tree().IsExpanded(Root()));
    EXPECT_FALSE(Tree().IsExpanded(ItemAt("Project 'Fight'")));
    EXPECT_TRUE(Tree().IsExpanded(ItemAt("Project 'Varnok'")));
    EXPECT_FALSE(Tree().IsExpanded(ItemAt("Project 'Varnok'/One")));
    EXPECT_TRUE(Tree().IsExpanded(ItemAt("Project 'Varnok'/Two")));
}

TEST_F(ExplorerTest, OpeningASavedSolutionShowsItsProjectsAsLeftSwitchingFollowsAndClosingEmptiesTheTree)
{
    MakeFightAndVarnok();
    Tree().Expand(ItemAt("Project 'Fight'"), TVE_COLLAPSE);
    Tree().Expand(ItemAt("Project 'Varnok'/Two"), TVE_EXPAND);
    CMainFrame* frame = app->Frame();
    ASSERT_EQ(frame->SaveSolution(), S_OK);
    ASSERT_EQ(frame->SaveProject(FALSE), S_OK);
    const std::string solution = root + "\\Varnok Projects\\SolMod\\Mod.tvs";

    pane->ClearTree();
    g_solutionConfig.Projects.RemoveAll();
    g_solutionConfig.SetProjectName("");
    GetSrcManager()->RemoveAll();
    ASSERT_EQ(frame->LoadSolution(solution.c_str()), S_OK);
    ASSERT_EQ(frame->LoadProject(), S_OK);
    EXPECT_EQ(Dump(Tree(), Root()), "Solution 'Mod'{Project 'Fight'{F.d<F.d>} Project 'Varnok'{One[One]{A.d<One\\A.d>} "
                                    "Two[Two]{B.d<Two\\B.d>}}}");
    EXPECT_EQ(std::string(g_solutionConfig.GetProjectName()), "Varnok");
    EXPECT_EQ(Entries(), (std::vector<std::string>{"One\\A.d", "Two\\B.d"}));
    EXPECT_FALSE(Tree().IsExpanded(ItemAt("Project 'Fight'")));
    EXPECT_TRUE(Tree().IsExpanded(ItemAt("Project 'Varnok'")));
    EXPECT_FALSE(Tree().IsExpanded(ItemAt("Project 'Varnok'/One")));
    EXPECT_TRUE(Tree().IsExpanded(ItemAt("Project 'Varnok'/Two")));

    // Set at Active Project on the other project: the frame switches, the tree follows.
    ASSERT_EQ(frame->SaveSolution(), S_OK);
    ASSERT_EQ(frame->SaveProject(FALSE), S_OK);
    g_solutionConfig.SetProjectName("Fight");
    ASSERT_EQ(frame->SaveProject(FALSE), S_OK);
    g_solutionConfig.SetProjectName("Varnok");
    GetSrcManager()->ReadSrcList();
    Select(ItemAt("Project 'Fight'"));
    EXPECT_TRUE(Enabled(ID_EXPLORER_SET_ACTIVE));
    pane->OnContextCommand(ID_EXPLORER_SET_ACTIVE);
    EXPECT_EQ(std::string(g_solutionConfig.GetProjectName()), "Fight");
    EXPECT_EQ(Entries(), std::vector<std::string>{"F.d"});
    EXPECT_EQ(Tree().FindActiveProjectItem(), ItemAt("Project 'Fight'"));
    EXPECT_NE(ItemAt("Project 'Varnok'/Two/B.d"), nullptr);

    explorerApp->answers = {IDNO};  // the switch changed the solution: not saved
    frame->OnCloseSolution();
    EXPECT_TRUE(frame->m_bCanClose);
    EXPECT_EQ(Root(), nullptr);
}

TEST_F(ExplorerTest, CalledFromAWorkerTheTreeAndTheListChangeOnTheWindowThread)
{
    MakeProject("Varnok", {"A.d", "Gone.d"}, {"A.d"});
    g_solutionConfig.SetProjectName("Varnok");
    pane->RebuildTree(1, 0);
    GetSrcManager()->ReadSrcList();
    explorerApp->answers = {IDYES};
    // As after a decompile: the worker asks for the active project to be filled again.
    std::atomic<bool> done{false};
    std::thread worker([&] {
        pane->RefillActiveProject();
        done = true;
    });
    while (!done)
        Pump();
    worker.join();
    ASSERT_EQ(explorerApp->promptThreads.size(), 1u);
    EXPECT_EQ(explorerApp->promptThreads[0], ::GetCurrentThreadId());
    EXPECT_EQ(Entries(), std::vector<std::string>{"A.d"});
    EXPECT_EQ(Dump(Tree(), ItemAt("Project 'Varnok'")), "Project 'Varnok'{A.d<A.d>}");
}

}  // namespace
