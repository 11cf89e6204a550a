// A new project on disk: the scripts a chosen source list names (nested lists, duplicates,
// wildcards, names without ".d", titles and notes, a list that includes itself), each copied
// or reported with its reason, a ".dat" with its "ou.bin",
// the new-project dialog's choices and its refusal of a project that exists, and the
// decompile test of the active project.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "ActiveProject.h"
#include "CProjectDlg.h"
#include "CSolutionConfig.h"
#include "CStdioFile.h"
#include "CWinApp.h"
#include "NewProjectFiles.h"
#include "SettingsFixture.h"

namespace {

class PromptApp : public CWinApp {
public:
    PromptApp() : CWinApp("NewProjectTests") {}
    std::vector<std::string> prompts;
    int DoMessageBox(const char* lpszPrompt, UINT, UINT) override
    {
        prompts.push_back(lpszPrompt);
        return IDOK;
    }
};

void Write(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::string Read(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

bool Exists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void RemoveTree(const std::string& path)
{
    WIN32_FIND_DATAA data;
    const HANDLE search = ::FindFirstFileA((path + "\\*").c_str(), &data);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = data.cFileName;
            if (name == "." || name == "..")
                continue;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path + "\\" + name);
            else
                ::DeleteFileA((path + "\\" + name).c_str());
        } while (::FindNextFileA(search, &data));
        ::FindClose(search);
    }
    ::RemoveDirectoryA(path.c_str());
}

std::vector<std::string> Strings(const std::vector<CString>& texts)
{
    std::vector<std::string> result;
    for (const CString& text : texts)
        result.push_back(static_cast<const char*>(text));
    return result;
}

class NewProjectTest : public ::testing::Test {
protected:
    PromptApp app;
    std::string root;  // ends in a backslash

    void SetUp() override
    {
        char temp[MAX_PATH] = {};
        ::GetTempPathA(MAX_PATH, temp);
        root = std::string(temp) + "tavrelin-newproject-" + std::to_string(::GetCurrentProcessId()) + "\\";
        RemoveTree(root.substr(0, root.size() - 1));
        ASSERT_TRUE(CreateFolderTree(root.c_str()));
        g_solutionConfig.ProjectsRoot = root.c_str();
        g_solutionConfig.SolutionName = "";
        g_solutionConfig.ProjectName = "";
        g_solutionConfig.Platform = 0;
    }
    void TearDown() override
    {
        g_solutionConfig.ProjectName = "";
        RemoveTree(root.substr(0, root.size() - 1));
    }
    void MakeFolder(const std::string& relative) { ASSERT_TRUE(CreateFolderTree((root + relative).c_str())); }

    // Scripts\Main.src, a mod's list as its makers write them: a title line, Story\A.d directly,
    // in another case and again through the nested Sub\Inner.src (which names Main.src back),
    // AI\* a pattern over scripts and a note, "Intro" a script without its extension, "Readme"
    // a word naming no script, ..\Outside.d a file outside the list's folder, Lists\*.src a
    // pattern over lists, Lost\Gone.d a script that is not there.
    void MakeSourceTree()
    {
        for (const char* folder : {"Scripts\\Story", "Scripts\\Sub", "Scripts\\AI", "Scripts\\Empty", "Scripts\\Lists"})
            MakeFolder(folder);
        Write(root + "Scripts\\Main.src",
              "My mod - main scripts\r\n\r\nStory\\A.d\r\nSTORY\\a.d\r\nSub\\Inner.src\r\nMain.src\r\n"
              "AI\\*\r\nIntro\r\n..\\Outside.d\r\nEmpty\\*.d\r\nStory\\A.d // a note: the line is skipped\r\n"
              "Bad\r|Name.d\r\nReadme\r\nLists\\*.src\r\nLost\\Gone.d\r\n");
        Write(root + "Scripts\\Sub\\Inner.src", "B.d\n..\\Story\\A.d\n..\\Main.src\n");
        Write(root + "Scripts\\Lists\\More.src", "More.d\n");
        Write(root + "Scripts\\Story\\A.d", "a");
        Write(root + "Scripts\\Sub\\B.d", "b");
        Write(root + "Scripts\\AI\\X.d", "x");
        Write(root + "Scripts\\AI\\Y.d", "y");
        Write(root + "Scripts\\AI\\notes.txt", "not a script");
        Write(root + "Scripts\\Intro.d", "intro");
        Write(root + "Scripts\\Readme", "a word of the title");
        Write(root + "Scripts\\Lists\\More.d", "more");
        Write(root + "Outside.d", "outside");
    }
    std::string List(const char* relative) { return root + "Scripts\\" + relative; }
};

// Where a problem was named and what it says, as one text: "<list>(<line>): <text>".
std::string Described(const ProjectProblem& problem)
{
    return std::string(problem.file) + "(" + std::to_string(problem.line) + "): " + static_cast<const char*>(problem.text);
}

TEST_F(NewProjectTest, ASourceListGivesEachScriptOnceWithTheLineNamingItAndSkipsWhatNamesNone)
{
    MakeSourceTree();
    SrcCollection written;
    CollectSrcFiles(List("Main.src").c_str(), (root + "Scripts").c_str(), written);

    struct Entry {
        const char* path;
        const char* list;
        int line;
    } expected[] = {{"Story\\A.d", "Main.src", 3}, {"Sub\\B.d", "Sub\\Inner.src", 1}, {"AI\\X.d", "Main.src", 7},
                    {"AI\\Y.d", "Main.src", 7},    {"Intro.d", "Main.src", 8},          {"Lists\\More.d", "Lists\\More.src", 1},
                    {"Lost\\Gone.d", "Main.src", 15}};
    ASSERT_EQ(written.entries.size(), std::size(expected));
    ASSERT_EQ(written.namedAt.size(), std::size(expected));
    // The pattern's matches come in the system's order.
    if (written.entries[2] == "AI\\Y.d") {
        std::swap(written.entries[2], written.entries[3]);
        std::swap(written.namedAt[2], written.namedAt[3]);
    }
    for (size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(std::string(written.entries[i]), expected[i].path);
        EXPECT_EQ(std::string(written.namedAt[i].file), List(expected[i].list)) << expected[i].path;
        EXPECT_EQ(written.namedAt[i].line, expected[i].line) << expected[i].path;
    }
    ASSERT_EQ(written.problems.size(), 2u);
    EXPECT_EQ(Described(written.problems[0]),
              List("Main.src(9): '..\\Outside.d' lies outside the folder of the chosen list and is not taken over"));
    EXPECT_EQ(Described(written.problems[1]), List("Main.src(12): 'Bad\r|Name.d' is no path of a file"));
}

TEST_F(NewProjectTest, AMissingNestedListIsReportedAtTheLineNamingIt)
{
    MakeFolder("Scripts");
    Write(root + "Scripts\\Main.src", "A.d\nGone.src\n");
    SrcCollection written;
    CollectSrcFiles(List("Main.src").c_str(), (root + "Scripts").c_str(), written);
    EXPECT_EQ(Strings(written.entries), std::vector<std::string>{"A.d"});
    ASSERT_EQ(written.problems.size(), 1u);
    EXPECT_EQ(Described(written.problems[0]),
              List("Main.src(2): the list '") + List("Gone.src' cannot be read"));
}

TEST_F(NewProjectTest, AProjectFromASourceListGetsEachScriptThereAndListsOnlyThose)
{
    MakeSourceTree();
    const std::string project = root + "SolX\\PrjMain\\";
    MakeFolder("SolX\\PrjMain");
    SrcCollection sources;
    CollectSrcFiles(List("Main.src").c_str(), (root + "Scripts").c_str(), sources);
    sources.problems.clear();
    CopyProjectFiles((root + "Scripts\\").c_str(), project.c_str(), sources);
    ASSERT_TRUE(WriteProjectSrcList(project.c_str(), "Main", sources.entries, sources.problems));

    // The missing script alone is a problem, at its line, with the system's reason; its
    // folder is not made.
    ASSERT_EQ(sources.problems.size(), 1u);
    const std::string missing = Described(sources.problems[0]);
    const std::string start = List("Main.src(15): 'Lost\\Gone.d' was not copied: ");
    EXPECT_EQ(missing.substr(0, start.size()), start);
    EXPECT_GT(missing.size(), start.size()) << "a reason";
    EXPECT_EQ(sources.entries.size(), sources.namedAt.size());

    const std::string list = Read(project + "Main.src");
    const std::string header = "// Tavrelin workspace file\r\n// WARNING: DO NOT EDIT OR DELETE THIS FILE!\r\n\r\n";
    EXPECT_EQ(list.substr(0, header.size()), header);
    EXPECT_NE(list.find("\r\nStory\\A.d\r\nSub\\B.d\r\n"), std::string::npos) << list;
    EXPECT_EQ(list.find("Gone"), std::string::npos) << list;
    EXPECT_EQ(list.find("STORY"), std::string::npos);
    struct Copy {
        const char* file;
        const char* text;
    } copies[] = {{"Story\\A.d", "a"}, {"Sub\\B.d", "b"},       {"AI\\X.d", "x"},
                  {"AI\\Y.d", "y"},    {"Intro.d", "intro"}, {"Lists\\More.d", "more"}};
    for (const Copy& copy : copies) {
        EXPECT_EQ(Read(project + copy.file), copy.text) << copy.file;
        EXPECT_NE(list.find(std::string("\r\n") + copy.file + "\r\n"), std::string::npos) << copy.file;
    }
    for (const char* absent : {"AI\\notes.txt", "Readme", "Readme.d", "Outside.d", "Sub\\Inner.src", "Lost"})
        EXPECT_FALSE(Exists(project + absent)) << absent;
    EXPECT_FALSE(Exists(root + "SolX\\Outside.d"));

    // A file of the project in a script's place is kept and reported, never overwritten.
    const std::string again = root + "SolX\\PrjAgain\\";
    MakeFolder("SolX\\PrjAgain\\Story");
    Write(again + "Story\\A.d", "the project's own");
    Write(List("One.src"), "Story\\A.d\r\nSub\\B.d\r\n");
    SrcCollection one;
    CollectSrcFiles(List("One.src").c_str(), (root + "Scripts").c_str(), one);
    CopyProjectFiles((root + "Scripts\\").c_str(), again.c_str(), one);
    EXPECT_EQ(Read(again + "Story\\A.d"), "the project's own");
    EXPECT_EQ(Strings(one.entries), std::vector<std::string>{"Sub\\B.d"});
    ASSERT_EQ(one.problems.size(), 1u);
    EXPECT_NE(Described(one.problems[0]).find("One.src(1): 'Story\\A.d' was not copied: "), std::string::npos)
        << Described(one.problems[0]);
}

TEST_F(NewProjectTest, ADatProjectTakesOuBinFromTheGamesCutsceneFolderOrAsksForIt)
{
    struct Case {
        const char* name;       // the project's name, the .dat's title
        bool libraryInGame;     // Content\Cutscene\ou.bin beside the _compiled folder
        const char* answer;     // what the question for the file gives; null: not asked
        const char* library;    // the project's "ou.bin"; null: none
        bool missing;
    } cases[] = {
        {"varnok", true, nullptr, "game library", false},  // the main scripts in any case
        {"Varnok", false, "Other\\ou.bin", "chosen library", false},
        {"VARNOK", false, "", nullptr, true},  // declined
        {"Varnok", false, "Other\\none.bin", nullptr, true},
        {"Fight", true, nullptr, nullptr, false},  // no library for other kinds
    };
    MakeFolder("Game\\Scripts\\_compiled");
    MakeFolder("Game\\Scripts\\Content\\Cutscene");
    MakeFolder("Other");
    Write(root + "Other\\ou.bin", "chosen library");
    for (const Case& c : cases) {
        const std::string dat = root + "Game\\Scripts\\_compiled\\" + c.name + ".dat";
        Write(dat, "dat");
        const std::string library = root + "Game\\Scripts\\Content\\Cutscene\\ou.bin";
        if (c.libraryInGame)
            Write(library, "game library");
        else
            ::DeleteFileA(library.c_str());
        const std::string project = root + "SolX\\Prj" + c.name + "\\";
        RemoveTree(project.substr(0, project.size() - 1));
        MakeFolder(std::string("SolX\\Prj") + c.name);

        bool asked = false, missing = false;
        std::vector<ProjectProblem> problems;
        const bool made = CreateProjectFromDat(dat.c_str(), project.c_str(), c.name,
                                               [&] {
                                                   asked = true;
                                                   return CString(*c.answer ? (root + c.answer).c_str() : "");
                                               },
                                               missing, problems);
        EXPECT_TRUE(made) << c.name;
        EXPECT_EQ(Read(project + c.name + ".dat"), "dat") << c.name;
        EXPECT_EQ(asked, c.answer != nullptr) << c.name;
        EXPECT_EQ(Read(project + "ou.bin"), c.library ? c.library : "") << c.name;
        EXPECT_EQ(Exists(project + "ou.bin"), c.library != nullptr) << c.name;
        EXPECT_EQ(missing, c.missing) << c.name;
        ::DeleteFileA(dat.c_str());
    }
}

TEST_F(NewProjectTest, ADatThatCannotBeCopiedIsReported)
{
    MakeFolder("SolX\\PrjVarnok");
    bool missing = false;
    std::vector<ProjectProblem> problems;
    EXPECT_FALSE(CreateProjectFromDat((root + "nowhere\\Varnok.dat").c_str(), (root + "SolX\\PrjVarnok\\").c_str(),
                                      "Varnok", nullptr, missing, problems));
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(std::string(problems[0].text).find("nowhere\\Varnok.dat"), std::string::npos);
}

TEST_F(NewProjectTest, TheDialogNamesTheProjectByItsChoiceAndRefusesOneThatExists)
{
    MakeSourceTree();
    Write(root + "Scripts\\Game.dat", "dat");
    MakeFolder("SolX\\PrjFight");
    struct Case {
        int radio;
        int type;              // for the empty project
        const char* path;      // for a list or a .dat, below root
        bool okEnabled;
        const char* project;   // null: refused as existing
    } cases[] = {
        {1010, 2, nullptr, true, "Camera"},
        {1010, 1, nullptr, true, nullptr},          // SolX\PrjFight exists
        {1012, 0, "Scripts\\Main.src", true, "Main"},
        {1012, 0, "Scripts\\None.src", false, nullptr},
        {1014, 0, "Scripts\\Game.dat", true, "Game"},
        {1014, 0, "Scripts", false, nullptr},         // a folder is no file
    };
    for (const Case& c : cases) {
        app.prompts.clear();
        CProjectDlg dialog;
        bool enabled = false, stayed = false;
        std::string srcText, datText;
        int types = 0;
        const INT_PTR result = PlayModal(dialog, [&](HWND hWnd) {
            srcText = ItemText(hWnd, 1016);
            datText = ItemText(hWnd, 1018);
            types = static_cast<int>(::SendDlgItemMessageA(hWnd, 1020, CB_GETCOUNT, 0, 0));
            ::SetDlgItemTextA(hWnd, 1005, "X");
            Click(hWnd, c.radio);
            if (c.radio == 1010)
                SelectIndex(hWnd, 1020, c.type);
            else
                ::SetDlgItemTextA(hWnd, c.radio == 1012 ? 1016 : 1018, (root + c.path).c_str());
            enabled = ::IsWindowEnabled(::GetDlgItem(hWnd, IDOK)) != FALSE;
            Click(hWnd, IDOK);
            stayed = dialog.ContinueModal() != FALSE;
            if (stayed)
                Click(hWnd, IDCANCEL);
        });
        EXPECT_EQ(srcText, "Choice src file");
        EXPECT_EQ(datText, "Choice dat file");
        EXPECT_EQ(types, 8);
        EXPECT_EQ(enabled, c.okEnabled) << c.radio << " " << (c.path ? c.path : "");
        if (c.project) {
            EXPECT_EQ(result, IDOK);
            EXPECT_EQ(std::string(dialog.m_strProjectName), c.project);
            EXPECT_EQ(dialog.m_nKind, (c.radio - 1010) / 2);
            EXPECT_EQ(std::string(dialog.m_strSolutionName), "X");
            EXPECT_TRUE(app.prompts.empty());
        } else {
            EXPECT_EQ(result, IDCANCEL);
            EXPECT_TRUE(stayed);
            EXPECT_EQ(app.prompts.size(), c.okEnabled ? 1u : 0u);
            if (c.okEnabled) {
                EXPECT_EQ(app.prompts[0], "Project 'Fight' already exists!");
            }
        }
    }
}

TEST_F(NewProjectTest, AddingKeepsTheSolutionsNameAndLocation)
{
    CProjectDlg dialog("Mod");
    bool nameEnabled = true, locationEnabled = true;
    std::string name, location;
    PlayModal(dialog, [&](HWND hWnd) {
        nameEnabled = ::IsWindowEnabled(::GetDlgItem(hWnd, 1005)) != FALSE;
        locationEnabled = ::IsWindowEnabled(::GetDlgItem(hWnd, 1007)) != FALSE;
        name = ItemText(hWnd, 1005);
        location = ItemText(hWnd, 1007);
        Click(hWnd, IDCANCEL);
    });
    EXPECT_TRUE(dialog.m_bAdding);
    EXPECT_FALSE(nameEnabled);
    EXPECT_FALSE(locationEnabled);
    EXPECT_EQ(name, "Mod");
    EXPECT_EQ(location, root);
}

TEST_F(NewProjectTest, ADecompileProjectIsFoundInItsOwnFolderWhateverTheCurrentDirectory)
{
    g_solutionConfig.SolutionName = "X";
    g_solutionConfig.ProjectName = "Varnok";
    MakeFolder("SolX\\PrjVarnok");
    ::SetCurrentDirectoryA(root.c_str());
    Write(root + "Stray.dat", "not the project's");
    EXPECT_FALSE(IsDecompileProject());
    EXPECT_EQ(g_solutionConfig.Decompilate, 0);
    Write(root + "SolX\\PrjVarnok\\Varnok.dat", "dat");
    EXPECT_TRUE(IsDecompileProject());
    EXPECT_EQ(g_solutionConfig.Decompilate, 1);
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    ::SetCurrentDirectoryA(temp);
}

}  // namespace
