// The build worker: a job from the settings copy to the summary line, the drivers
// the project name picks, Build/Stop, fatal ends, and the model jobs' dispatch.
#include <gtest/gtest.h>

#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "BuildJob.h"
#include "DecompileFolders.h"
#include "DirectoryTools.h"
#include "EngineStartup.h"
#include "FileLayerRoot.h"
#include "FileSandbox.h"
#include "FixtureProject.h"
#include "JobGlobals.h"
#include "JobGlobalsSnapshot.h"
#include "ModelServices.h"
#include "ReporterCapture.h"
#include "zCCSLib.h"
#include "zCCSManager.h"
#include "zCOption.h"
#include "zCParser.h"
#include "zFileSystem.h"

namespace {

// A headless host that keeps what was handed to the game, and can hold the worker
// at one message until the test lets it go on.
class BuildHost : public zCHeadlessIde {
public:
    void AddBuildMessage(int kind, const char* file, const zSTRING& text, int line, bool fatal) override
    {
        zCHeadlessIde::AddBuildMessage(kind, file, text, line, fatal);
        if (fatal)
            openAtFatal = GetOpenFileCount();
        if (static_cast<const std::string&>(text) != holdAt)
            return;
        std::unique_lock<std::mutex> lock(gate);
        held = true;
        changed.notify_all();
        changed.wait(lock, [this] { return released; });
    }
    void InsertFilesInGame(int kind) override
    {
        for (const zSTRING& file : GetInsertFileList())
            inserted.push_back(std::to_string(kind) + " " + static_cast<const std::string&>(file));
        zCHeadlessIde::InsertFilesInGame(kind);
    }

    void WaitUntilHeld()
    {
        std::unique_lock<std::mutex> lock(gate);
        changed.wait(lock, [this] { return held; });
    }
    void Release()
    {
        std::lock_guard<std::mutex> lock(gate);
        released = true;
        changed.notify_all();
    }

    std::string holdAt;  // set before the job starts
    std::vector<std::string> inserted;
    int openAtFatal = -1;  // files open when the last fatal message came

private:
    std::mutex gate;
    std::condition_variable changed;
    bool held = false;
    bool released = false;
};

class BuildJobTest : public ReporterCaptureOn<BuildHost> {
protected:
    void SetUp() override
    {
        ReporterCaptureOn<BuildHost>::SetUp();
        // The tool's own folder, as installed: its System folder beside the program.
        tool.Write("System/RedefinedFunc.dsc", "INT Hlp_IsNpc(INSTANCE,INT#)\n");
        tool.Write("System/RedefinedLocalVariable.dsc", "INT# OtherNpc;\n");
        zCOption::SetStartDirectory(tool.Root());
        EngineStartup();
        g_csManager->GetLibrary()->DeleteAll();
        UseProject(project);
        zTBuildSettings& settings = host.GetSettings();
        settings.Ready = 1;
        settings.BuildMode = zJOB_COMPILE_SCRIPTS;
        settings.ProjectName = "My_Varnok_Mod";
        host.Clear();  // the start-up's own lines
    }
    void TearDown() override
    {
        EngineShutdown();
        zCOption::SetStartDirectory("");
        g_csManager->GetLibrary()->DeleteAll();
        ReporterCaptureOn<BuildHost>::TearDown();
    }

    void UseProject(const FileSandbox& folder) { host.projectFolder = folder.Root() + "\\"; }

    // The fixture's files into the project, listed in order by a source list.
    void CopyFixture(const FileSandbox& folder, const std::string& fixture, const std::vector<std::string>& files,
                     const std::string& list = "Varnok.src")
    {
        std::string lines;
        for (const std::string& file : files) {
            std::filesystem::copy_file(FixtureFolder() / fixture / file, folder.Path(file));
            lines += file + "\r\n";
        }
        folder.Write(list, lines);
    }
    void CopyLinkerFixture(const FileSandbox& folder)
    {
        CopyFixture(folder, "LinkerFixture", {"Classes.d", "Functions.d", "Instances.d"});
    }

    // As the application starts it: run marker set, the worker on a thread of its own.
    int RunJobOnThread()
    {
        host.GetSettings().BuildJobThread = 1;
        int result = 99;
        std::thread worker([&result] { result = BuildThread(nullptr); });
        worker.join();
        return result;
    }
    int RunJobHere()
    {
        host.GetSettings().BuildJobThread = 1;
        return BuildThread(nullptr);
    }

    // The job's last line is the summary with that many errors. Warnings are not
    // compared: the tool's System folder holds no name bases.
    bool EndsWithSummary(const std::string& start, int errors) const
    {
        const std::vector<std::string> texts = Texts();
        return !texts.empty() && texts.back().rfind(start + std::to_string(errors) + " error(s), ", 0) == 0;
    }

    int CountLines(const std::string& fragment) const
    {
        int count = 0;
        for (const std::string& text : Texts())
            count += text.find(fragment) != std::string::npos;
        return count;
    }

    FileSandbox tool;
    FileSandbox project;
    FileLayerRoot layer{project.Root()};  // puts back the file layer's root after the test

private:
    JobGlobalsSnapshot savedGlobals;
};

TEST_F(BuildJobTest, CompileOnItsOwnThreadWritesTheDatAndTheOutputUnits)
{
    CopyLinkerFixture(project);
    host.GetSettings().InsertInGame = 1;

    EXPECT_EQ(RunJobOnThread(), 0);
    EXPECT_EQ(host.GetSettings().BuildJobThread, 0u);
    EXPECT_TRUE(project.Exists("Varnok.dat"));
    EXPECT_TRUE(project.Exists("ou.bin"));
    EXPECT_EQ(host.inserted, (std::vector<std::string>{"0 Varnok.dat", "1 ou.bin"}));
    EXPECT_EQ(host.GetSettings().Decompilate, 1);
    EXPECT_EQ(g_parser->GetSymbol("C_NPC")->GetContent(), 256);
    // A new project has no library yet, and that is no fault: the build makes it. The
    // system files were read from the tool's System folder, not looked for in the project.
    EXPECT_EQ(g_parser->GetRedefinitions().GetFunctions().GetNum(), 1);
    EXPECT_EQ(g_parser->GetRedefinitions().GetVariables().GetNum(), 1);
    EXPECT_EQ(Texts().back(), "0 error(s), 0 warning(s)") << ::testing::PrintToString(Texts());

    // The second build starts from the stored library: unchanged scripts leave it as it is.
    const std::string units = project.Read("ou.bin");
    host.Clear();
    host.inserted.clear();
    EXPECT_EQ(RunJobOnThread(), 0);
    EXPECT_TRUE(EndsWithSummary("", 0));
    EXPECT_EQ(CountLines("Creating binary version"), 0);
    EXPECT_TRUE(project.Read("ou.bin") == units);
    EXPECT_EQ(host.inserted, (std::vector<std::string>{"0 Varnok.dat", "1 ou.bin"}));
}

// A project without a dialogue line gets its library too, on the first build only.
TEST_F(BuildJobTest, TheFirstBuildMakesTheLibraryOfANewProject)
{
    project.Write("Varnok.src", "Quiet.d\r\n");
    project.Write("Quiet.d", "FUNC VOID Quiet() { };\n");
    EXPECT_EQ(RunJobHere(), 0);
    EXPECT_EQ(Texts().back(), "0 error(s), 0 warning(s)") << ::testing::PrintToString(Texts());
    EXPECT_TRUE(project.Exists("ou.bin"));

    host.Clear();
    EXPECT_EQ(RunJobHere(), 0);
    EXPECT_EQ(Texts().back(), "0 error(s), 0 warning(s)") << ::testing::PrintToString(Texts());
    EXPECT_EQ(CountLines("Creating binary version"), 0);
}

TEST_F(BuildJobTest, DecompileWritesTheScriptTreeWithTheDialogueTexts)
{
    CopyFixture(project, "DecompileFixture",
                {"Constants.d", "Classes.d", "Functions.d", "Statements.d", "Instances.d"});
    ASSERT_EQ(RunJobHere(), 0) << ::testing::PrintToString(Texts());
    ASSERT_TRUE(project.Exists("Varnok.dat"));

    FileSandbox decompiled;
    std::filesystem::copy_file(project.Path("Varnok.dat"), decompiled.Path("Varnok.dat"));
    std::filesystem::copy_file(project.Path("ou.bin"), decompiled.Path("ou.bin"));
    UseProject(decompiled);
    host.GetSettings().BuildMode = zJOB_DECOMPILE_DAT;
    host.Clear();

    EXPECT_EQ(RunJobOnThread(), 0);
    EXPECT_TRUE(EndsWithSummary("", 0)) << ::testing::PrintToString(Texts());
    EXPECT_TRUE(HasLine("Linking skipped."));
    EXPECT_EQ(CountLines("Creating binary version"), 0);  // loaded, never stored
    // The list comes back under the project's name, the one the IDE reads.
    EXPECT_FALSE(decompiled.Exists("Varnok.src"));
    const std::string list = decompiled.Read("My_Varnok_Mod.src");
    ASSERT_FALSE(list.empty());
    // Every listed script exists, and the dialogue line got its text back from the library.
    std::string scripts;
    std::size_t at = 0;
    int listed = 0;
    while (at < list.size()) {
        std::size_t end = list.find('\n', at);
        end = end == std::string::npos ? list.size() : end;
        std::string name = list.substr(at, end - at);
        at = end + 1;
        if (!name.empty() && name.back() == '\r')
            name.pop_back();
        if (name.size() < 2 || name.compare(name.size() - 2, 2, ".d") != 0)
            continue;
        for (char& c : name) {
            if (c == '\\')
                c = '/';
        }
        ++listed;
        EXPECT_TRUE(decompiled.Exists(name)) << name;
        scripts += decompiled.Read(name);
    }
    EXPECT_GT(listed, 0);
    EXPECT_NE(scripts.find("//Spoken words."), std::string::npos);
}

TEST_F(BuildJobTest, TheDumpOptionWritesTheSymbolsOnTheSecondGamesOffsets)
{
    CopyLinkerFixture(project);
    host.GetSettings().DumpOnBuild = 1;
    host.GetSettings().Platform = zPLATFORM_SECOND_GAME;

    EXPECT_EQ(RunJobHere(), 0);
    EXPECT_EQ(g_dumpSymbols, 1);
    EXPECT_TRUE(HasLine("Symbols.txt - Creating..."));
    EXPECT_NE(project.Read("Symbols.txt").find("C_NPC"), std::string::npos);
    EXPECT_EQ(g_parser->GetSymbol("C_NPC")->GetContent(), 288);
}

TEST_F(BuildJobTest, TheFirstKeywordInTheFixedOrderPicksTheDriver)
{
    const struct {
        const char* projectName;
        const char* keyword;  // null: no driver runs
        const char* sourceList;
    } cases[] = {
        {"MY_SFX_MUSIC", "MUSIC", "Music.src"},
        {"Sfx_VisualFx", "VISUALFX", "VisualFX.src"},
        {"MY_PARTICLEFX", "PARTICLEFX", "ParticleFX.src"},
        {"Sfx", "SFX", "SFX.src"},
        {"Camera", "CAMERA", "Camera.src"},
        {"Varnok_Menu", "MENU", "Menu.src"},
        {"Fight", "FIGHT", "Fight.src"},
        {"Varnok2", "VARNOK", "Varnok.src"},
        {"Tools", nullptr, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.projectName);
        host.Clear();
        g_decompileFolders = nullptr;
        host.GetSettings().ProjectName = c.projectName;
        const int result = RunJobHere();
        EXPECT_EQ(host.GetSettings().BuildJobThread, 0u);
        if (!c.keyword) {
            // Nothing compiled, and an error row says why: no clean summary.
            EXPECT_EQ(result, 0);
            EXPECT_TRUE(HasLine("Error: The project 'Tools' has no kind in its name")) << ::testing::PrintToString(Texts());
            EXPECT_TRUE(EndsWithSummary("", 1));
            continue;
        }
        // The project holds no source list: the kind's own list is the one missed.
        EXPECT_EQ(result, -1);
        EXPECT_TRUE(HasLine(std::string("Source-File '") + c.sourceList + "' not found."));
        EXPECT_EQ(g_decompileFolders, GetDecompileFolders(c.keyword, 0));
    }
}

// The IDE writes "<project>.src": a compile reads it when it is there, else the kind's list;
// the ".dat" keeps the kind's name.
TEST_F(BuildJobTest, TheProjectsOwnListGoesBeforeTheKindsList)
{
    CopyLinkerFixture(project);
    project.Write("Broken.d", "BROKEN;\r\n");
    project.Write("Varnok.src", "Broken.d\r\n");
    project.Write("My_Varnok_Mod.src", "Classes.d\r\nFunctions.d\r\nInstances.d\r\n");

    EXPECT_EQ(RunJobHere(), 0);
    EXPECT_TRUE(EndsWithSummary("", 0)) << ::testing::PrintToString(Texts());
    EXPECT_TRUE(project.Exists("Varnok.dat"));
    EXPECT_FALSE(project.Exists("My_Varnok_Mod.dat"));

    // Without it the kind's list is read, as for a project made outside the IDE.
    std::filesystem::remove(project.Path("My_Varnok_Mod.src"));
    host.Clear();
    EXPECT_EQ(RunJobHere(), -1);
    EXPECT_TRUE(HasLine("Syntax error: BROKEN")) << ::testing::PrintToString(Texts());
}

TEST_F(BuildJobTest, ATestOfOneFileOnlyParsesThatFile)
{
    CopyLinkerFixture(project);
    zTBuildSettings& settings = host.GetSettings();
    settings.TestScript = 1;
    settings.TestFile = "Classes.d";
    settings.InsertInGame = 1;

    EXPECT_EQ(RunJobHere(), 0);
    EXPECT_EQ(g_parser->GetNumFiles(), 1);
    EXPECT_FALSE(project.Exists("Varnok.dat"));
    EXPECT_FALSE(project.Exists("ou.bin"));
    EXPECT_TRUE(host.inserted.empty());
    EXPECT_TRUE(EndsWithSummary("", 0));
}

TEST_F(BuildJobTest, StopBuildWhileCompilingEndsTheJobWithTheBreakLine)
{
    CopyLinkerFixture(project);
    host.holdAt = "Functions.d";
    host.GetSettings().BuildJobThread = 1;

    int result = 99;
    std::thread worker([&result] { result = BuildThread(nullptr); });
    host.WaitUntilHeld();
    host.GetSettings().BuildJobThread = 0;  // Build/Stop Build
    host.Release();
    worker.join();

    EXPECT_EQ(result, 0);
    EXPECT_EQ(host.GetSettings().BuildJobThread, 0u);
    EXPECT_TRUE(EndsWithSummary("Break building: ", 0));
    EXPECT_EQ(CountLines("error(s)"), 1);  // no second summary
    EXPECT_FALSE(HasLine("Instances.d"));   // stopped before the next file
    EXPECT_FALSE(project.Exists("Varnok.dat"));
    EXPECT_FALSE(project.Exists("ou.bin"));
}

TEST_F(BuildJobTest, AFatalMessageUnwindsToTheWorkerAndClosesItsFiles)
{
    CopyLinkerFixture(project);
    project.Write("Broken.d", "FUNC VOID Broken ()\r\n{\r\n};\r\nBROKEN;\r\n");
    project.Write("Varnok.src", "Classes.d\r\nBroken.d\r\nFunctions.d\r\n");
    const int openBefore = GetOpenFileCount();

    EXPECT_EQ(RunJobOnThread(), -1);
    EXPECT_EQ(host.GetSettings().BuildJobThread, 0u);
    EXPECT_TRUE(HasLine("Syntax error: BROKEN"));
    EXPECT_FALSE(HasLine("Functions.d"));
    EXPECT_EQ(CountLines("error(s)"), 1);
    EXPECT_GT(host.openAtFatal, openBefore);  // the source list being read
    EXPECT_EQ(GetOpenFileCount(), openBefore);
    EXPECT_FALSE(project.Exists("Varnok.dat"));

    // The same parser serves the next job.
    project.Write("Varnok.src", "Classes.d\r\nFunctions.d\r\nInstances.d\r\n");
    host.Clear();
    EXPECT_EQ(RunJobOnThread(), 0);
    EXPECT_TRUE(project.Exists("Varnok.dat"));
}

TEST_F(BuildJobTest, NotReadyYetTheJobEndsAtOnceAndClearsTheRunMarker)
{
    CopyLinkerFixture(project);
    host.GetSettings().Ready = 0;

    EXPECT_EQ(RunJobOnThread(), 0);
    EXPECT_EQ(host.GetSettings().BuildJobThread, 0u);
    EXPECT_TRUE(Texts().empty());
    EXPECT_FALSE(project.Exists("Varnok.dat"));
}

TEST_F(BuildJobTest, TheSettingsCopy)
{
    zTBuildSettings& settings = host.GetSettings();
    settings.ProjectName = "Mod_Sfx";
    settings.Source = "C:\\Game\\Anims\\Humans.mds";
    settings.Destination = "D:\\Out\\";
    settings.TestScript = 0;
    settings.TestFile = "Ignored.d";
    settings.PartialCompile = 1;
    settings.ModelKind = zMODEL_DYNAMIC;
    settings.LevelMessage = 3;
    settings.InsertSpace = 1;
    settings.DumpOnBuild = 0;
    g_jobTestFile = "Kept.d";
    host.GetInsertFileList().push_back("Old.dat");

    CopyBuildSettings();
    EXPECT_EQ(g_jobProjectName, "MOD_SFX");
    EXPECT_EQ(g_jobSourceDir, "C:\\Game\\Anims\\");
    EXPECT_EQ(g_jobDestDir, "D:\\Out\\");
    EXPECT_EQ(g_jobTestFile, "Kept.d");
    EXPECT_EQ(g_partialCompile, 0);  // only for compiling dynamic models
    EXPECT_EQ(g_errorReporter.GetFilterLevel(), 3);
    EXPECT_EQ(g_insertSpace, 1);
    EXPECT_EQ(g_dumpSymbols + g_dumpParseTrees + g_resaveDat + g_saveNameBase, 0);
    EXPECT_TRUE(host.GetInsertFileList().empty());
    EXPECT_EQ(g_currentDirectory, "\\");

    settings.BuildMode = zJOB_COMPILE_MODELS;
    settings.TestScript = 2;
    CopyBuildSettings();
    EXPECT_EQ(g_partialCompile, 1);
    EXPECT_EQ(g_jobTestFile, "Ignored.d");
    // Model jobs work below the folder that holds ANIMS.
    EXPECT_EQ(g_rootDirectory, "C:\\GAME");
    EXPECT_EQ(g_currentDirectory, "\\ANIMS\\");
}

// Records the tool entries the worker calls instead of running them.
class RecordingModelServices : public zCModelServices {
public:
    void ConvertMdl(zSTRING& file) override { calls.push_back("ConvertMdl " + file); }
    void ConvertModelScript(zSTRING& file) override { calls.push_back("ConvertModelScript " + file); }
    void ConvertMorphMesh(zSTRING& file) override { calls.push_back("ConvertMorphMesh " + file); }
    void DecompileMdl(zSTRING& file) override { calls.push_back("DecompileMdl " + file); }
    void DecompileModelScript(zSTRING& file) override { calls.push_back("DecompileModelScript " + file); }
    void DecompileMorphMesh(zSTRING& file) override { calls.push_back("DecompileMorphMesh " + file); }
    void CompileMdl(zSTRING& file) override { calls.push_back("CompileMdl " + file); }
    void CompileModelScript(zSTRING& file) override { calls.push_back("CompileModelScript " + file); }
    void CompileMorphMesh(zSTRING& file) override { calls.push_back("CompileMorphMesh " + file); }
    void ForEachFileInDir(int dirIndex, const zSTRING& mask, zTModelToolEntry tool) override
    {
        const struct {
            zTModelToolEntry entry;
            const char* name;
        } names[] = {{&::ConvertMdl, "ConvertMdl"},
                     {&::ConvertModelScript, "ConvertModelScript"},
                     {&::ConvertMorphMesh, "ConvertMorphMesh"},
                     {&::DecompileMdl, "DecompileMdl"}};
        std::string name = "?";
        for (const auto& n : names) {
            if (n.entry == tool)
                name = n.name;
        }
        calls.push_back("each " + std::to_string(dirIndex) + " " + static_cast<const std::string&>(mask) + " " + name);
    }

    std::vector<std::string> calls;
};

TEST_F(BuildJobTest, ModelJobsRunTheirToolWithTheFoldersAndMasks)
{
    const std::string file = "C:\\Game\\Anims\\_compiled\\Hum.MDL";
    const int kKindWithoutTool = zMODEL_MORPH_MESH + 1;
    const struct {
        int mode, kind, platform;
        std::string source;
        const char* call;  // null: the missing file name is reported; "": nothing runs
    } cases[] = {
        {zJOB_CONVERT_MODELS, zMODEL_STATIC, zPLATFORM_FIRST_GAME, file,
         "ConvertMdl C:\\Game\\Anims\\_compiled\\Hum.MDL"},
        {zJOB_CONVERT_MODELS, zMODEL_DYNAMIC, zPLATFORM_SECOND_GAME, file,
         "ConvertModelScript C:\\Game\\Anims\\_compiled\\Hum.MDL"},
        {zJOB_CONVERT_MODELS, zMODEL_MORPH_MESH, zPLATFORM_FIRST_GAME, file,
         "ConvertMorphMesh C:\\Game\\Anims\\_compiled\\Hum.MDL"},
        {zJOB_CONVERT_MODELS, zMODEL_STATIC, zPLATFORM_FIRST_GAME, "", "each 16 *.MDL ConvertMdl"},
        {zJOB_CONVERT_MODELS, zMODEL_DYNAMIC, zPLATFORM_FIRST_GAME, "", "each 4 *.MDS ConvertModelScript"},
        {zJOB_CONVERT_MODELS, zMODEL_DYNAMIC, zPLATFORM_SECOND_GAME, "", "each 16 *.MSB ConvertModelScript"},
        {zJOB_CONVERT_MODELS, zMODEL_MORPH_MESH, zPLATFORM_FIRST_GAME, "", "each 16 *.MMB ConvertMorphMesh"},
        {zJOB_DECOMPILE_MODELS, zMODEL_STATIC, zPLATFORM_FIRST_GAME, file,
         "DecompileMdl C:\\Game\\Anims\\_compiled\\Hum.MDL"},
        {zJOB_DECOMPILE_MODELS, zMODEL_DYNAMIC, zPLATFORM_FIRST_GAME, file,
         "DecompileModelScript C:\\Game\\Anims\\_compiled\\Hum.MDL"},
        {zJOB_DECOMPILE_MODELS, zMODEL_MORPH_MESH, zPLATFORM_FIRST_GAME, file,
         "DecompileMorphMesh C:\\Game\\Anims\\_compiled\\Hum.MDL"},
        {zJOB_DECOMPILE_MODELS, zMODEL_STATIC, zPLATFORM_FIRST_GAME, "", "each 16 *.MDL DecompileMdl"},
        {zJOB_DECOMPILE_MODELS, zMODEL_DYNAMIC, zPLATFORM_FIRST_GAME, "", nullptr},
        {zJOB_DECOMPILE_MODELS, zMODEL_MORPH_MESH, zPLATFORM_FIRST_GAME, "", nullptr},
        {zJOB_COMPILE_MODELS, zMODEL_STATIC, zPLATFORM_FIRST_GAME, file,
         "CompileMdl C:\\Game\\Anims\\_compiled\\Hum.MDL"},
        {zJOB_COMPILE_MODELS, zMODEL_DYNAMIC, zPLATFORM_FIRST_GAME, file,
         "CompileModelScript C:\\Game\\Anims\\_compiled\\Hum.MDL"},
        {zJOB_COMPILE_MODELS, zMODEL_MORPH_MESH, zPLATFORM_FIRST_GAME, file,
         "CompileMorphMesh C:\\Game\\Anims\\_compiled\\Hum.MDL"},
        {zJOB_COMPILE_MODELS, zMODEL_STATIC, zPLATFORM_FIRST_GAME, "", nullptr},
        {zJOB_COMPILE_MODELS, zMODEL_DYNAMIC, zPLATFORM_FIRST_GAME, "", nullptr},
        {zJOB_COMPILE_MODELS, zMODEL_MORPH_MESH, zPLATFORM_SECOND_GAME, "", nullptr},
        // A kind without a tool: nothing runs, a missing name is reported where every kind's is.
        {zJOB_CONVERT_MODELS, kKindWithoutTool, zPLATFORM_FIRST_GAME, file, ""},
        {zJOB_DECOMPILE_MODELS, kKindWithoutTool, zPLATFORM_FIRST_GAME, file, ""},
        {zJOB_COMPILE_MODELS, kKindWithoutTool, zPLATFORM_FIRST_GAME, file, ""},
        {zJOB_CONVERT_MODELS, kKindWithoutTool, zPLATFORM_FIRST_GAME, "", ""},
        {zJOB_DECOMPILE_MODELS, kKindWithoutTool, zPLATFORM_FIRST_GAME, "", nullptr},
        {zJOB_COMPILE_MODELS, kKindWithoutTool, zPLATFORM_FIRST_GAME, "", nullptr},
    };
    RecordingModelServices services;
    zSetModelServices(&services);
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.mode) + " " + std::to_string(c.kind) + " " + c.source);
        services.calls.clear();
        host.Clear();
        zTBuildSettings& settings = host.GetSettings();
        settings.BuildMode = c.mode;
        settings.ModelKind = c.kind;
        settings.Platform = c.platform;
        settings.Source = c.source;

        EXPECT_EQ(RunJobHere(), 0);
        EXPECT_EQ(host.GetSettings().BuildJobThread, 0u);
        if (c.call && !*c.call) {
            EXPECT_TRUE(services.calls.empty());
            EXPECT_EQ(Texts(), std::vector<std::string>{"0 error(s), 0 warning(s)"});
        } else if (c.call) {
            EXPECT_EQ(services.calls, std::vector<std::string>{c.call});
            EXPECT_EQ(Texts(), std::vector<std::string>{"0 error(s), 0 warning(s)"});
        } else {
            EXPECT_TRUE(services.calls.empty());
            EXPECT_EQ(Texts(), (std::vector<std::string>{"Error: Name of a file is not set.",
                                                         "1 error(s), 0 warning(s)"}));
        }
    }
    zSetModelServices(nullptr);
}

} // namespace
