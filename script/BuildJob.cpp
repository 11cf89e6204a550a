// The build worker and the job drivers.
#include "BuildJob.h"

#include <initializer_list>
#include <string>

#include "DecompileFolders.h"
#include "DirectoryTools.h"
#include "IdeServices.h"
#include "JobGlobals.h"
#include "ModelServices.h"
#include "ParNames.h"
#include "ResourceIds.h"
#include "ResString.h"
#include "zCCSLib.h"
#include "zCCSManager.h"
#include "zCOption.h"
#include "zCParser.h"
#include "zERROR.h"
#include "zCObjectFactory.h"
#include "zFILE.h"
#include "zFileSystem.h"

namespace {

// "Name of a file is not set."

// Source lists of the script kinds, relative to the project folder.
const char kMusicList[] = "Music.src";
const char kVisualFxList[] = "VisualFX.src";
const char kParticleFxList[] = "ParticleFX.src";
const char kSfxList[] = "SFX.src";
const char kCameraList[] = "Camera.src";
const char kMenuList[] = "Menu.src";
const char kFightList[] = "Fight.src";
const char kMainList[] = "Varnok.src";

// Engine offsets of the two script classes that mirror engine objects.
const int kClassBaseFirstGame = 256;
const int kClassBaseSecondGame = 288;

// Dump option values.
enum { zDUMP_SYMBOLS = 1, zDUMP_PARSE_TREES = 2, zDUMP_RESAVE_DAT = 3, zDUMP_NAME_BASE = 4 };

struct zTScriptKind {
    const char* keyword;
    int (*driver)();
};

// In the order they are tested: VISUALFX and PARTICLEFX before SFX, which both hold.
const zTScriptKind kScriptKinds[] = {
    {"MUSIC", &BuildMusicScripts},   {"VISUALFX", &BuildVisualFxScripts},
    {"PARTICLEFX", &BuildParticleFxScripts}, {"SFX", &BuildSfxScripts},
    {"CAMERA", &BuildCameraScripts}, {"MENU", &BuildMenuScripts},
    {"FIGHT", &BuildFightScripts},   {"VARNOK", &BuildMainScripts},
};

// The tools by mode (convert, decompile, compile models) and model kind.
const zTModelToolEntry kModelTools[3][3] = {
    {&ConvertMdl, &ConvertModelScript, &ConvertMorphMesh},
    {&DecompileMdl, &DecompileModelScript, &DecompileMorphMesh},
    {&CompileMdl, &CompileModelScript, &CompileMorphMesh},
};

struct zTClassSize {
    const char* className;
    int engineSize;
};

bool IsModelJob(int mode)
{
    return mode >= zJOB_CONVERT_MODELS && mode <= zJOB_COMPILE_MODELS;
}

// The job's project name in its own case, and the list the IDE writes for it, "<name>.src".
zSTRING s_projectName;
zSTRING s_projectList;

// The list a compile reads: the project's own when its folder holds it, else the kind's
// (projects made outside the IDE keep working). The ".dat" keeps the kind's name either way,
// the name the game and a later decompile look for.
void CompileKindList(const char* kindList)
{
    zCParser& parser = *g_parser;
    if (g_jobMode != zJOB_COMPILE_SCRIPTS || s_projectList.empty() || !zMakeFile(s_projectList)->Exists()) {
        parser.Compile(kindList);
        return;
    }
    parser.Compile(s_projectList);
    parser.SetCompiledFileName(kindList);
}

// The list a decompile writes: the project's own, the one the IDE reads back.
zSTRING DecompiledList(const char* kindList)
{
    return s_projectList.empty() ? zSTRING(kindList) : s_projectList;
}

// After the link: the symbol dump, or in decompile mode the script tree.
void DumpOrDecompile(const char* sourceList)
{
    if (g_dumpSymbols)
        g_parser->DumpSymbols();
    else if (g_jobMode == zJOB_DECOMPILE_DAT)
        g_parser->Decompile(DecompiledList(sourceList));
}

// Test of one file: that file alone is parsed; true when the job is one.
bool RunTestOfOneFile()
{
    if (!g_jobTestIndex)
        return false;
    g_parser->ParseFile(g_jobTestFile);
    return true;
}

// The road of every kind but the main scripts.
int RunKindDriver(const char* sourceList, std::initializer_list<zTClassSize> classSizes)
{
    zCParser& parser = *g_parser;
    if (RunTestOfOneFile())
        return parser.GetErrorFlag();
    CompileKindList(sourceList);
    parser.Link();
    for (const zTClassSize& row : classSizes)
        parser.CheckClassSize(row.className, row.engineSize);
    DumpOrDecompile(sourceList);
    return parser.GetErrorFlag();
}

void RunModelJob(const zSTRING& sourcePath)
{
    const int kind = g_modelKind;
    // A kind without a tool runs nothing, but its missing file name is still reported.
    const bool hasTool = kind >= zMODEL_STATIC && kind <= zMODEL_MORPH_MESH;
    const zTModelToolEntry tool = hasTool ? kModelTools[g_jobMode - zJOB_CONVERT_MODELS][kind] : nullptr;
    if (!sourcePath.empty()) {
        zSTRING file = sourcePath;
        if (tool)
            tool(file);
        return;
    }
    switch (g_jobMode) {
    case zJOB_CONVERT_MODELS:
        if (!tool)
            break;
        if (kind == zMODEL_STATIC)
            ForEachFileInDir(DIR_COMPILED_ANIMS, "*.MDL", tool);
        else if (kind == zMODEL_DYNAMIC && g_platform == zPLATFORM_FIRST_GAME)
            ForEachFileInDir(DIR_ANIMS, "*.MDS", tool);
        else if (kind == zMODEL_DYNAMIC)
            ForEachFileInDir(DIR_COMPILED_ANIMS, "*.MSB", tool);
        else
            ForEachFileInDir(DIR_COMPILED_ANIMS, "*.MMB", tool);
        break;
    case zJOB_DECOMPILE_MODELS:
        if (kind == zMODEL_STATIC)
            ForEachFileInDir(DIR_COMPILED_ANIMS, "*.MDL", tool);
        else
            g_errorReporter.Report(zERR_ERROR, LoadResString(IDS_FILE_NAME_NOT_SET));
        break;
    default:
        g_errorReporter.Report(zERR_ERROR, LoadResString(IDS_FILE_NAME_NOT_SET));
        break;
    }
}

} // namespace

void CopyBuildSettings()
{
    zCIdeServices* host = zGetIdeServices();
    if (!host)
        return;
    const zTBuildSettings& settings = host->GetSettings();

    SetFilterFromSettings();
    g_jobMode = settings.BuildMode;
    g_modelKind = settings.ModelKind;
    const bool partial = settings.PartialCompile && g_jobMode == zJOB_COMPILE_MODELS && g_modelKind == zMODEL_DYNAMIC;
    g_partialCompile = partial ? g_modelKind : 0;
    g_jobProjectName = settings.ProjectName;
    g_jobProjectName.Upper();
    s_projectName = settings.ProjectName;
    s_projectList = s_projectName.empty() ? zSTRING() : zSTRING(s_projectName + ".src");
    g_jobDestDir = settings.Destination;
    g_jobSourceDir = settings.Source;
    const std::size_t lastSlash = g_jobSourceDir.rfind('\\');
    if (lastSlash != std::string::npos)
        g_jobSourceDir.erase(lastSlash + 1);
    g_jobTestIndex = settings.TestScript;
    if (g_jobTestIndex)
        g_jobTestFile = settings.TestFile;
    g_platform = settings.Platform;
    // Set, never cleared: a flag stays on for the rest of the run.
    switch (settings.DumpOnBuild) {
    case zDUMP_SYMBOLS:
        g_dumpSymbols = 1;
        break;
    case zDUMP_PARSE_TREES:
        g_dumpParseTrees = 1;
        break;
    case zDUMP_RESAVE_DAT:
        g_resaveDat = 1;
        break;
    case zDUMP_NAME_BASE:
        g_saveNameBase = 1;
        break;
    default:
        break;
    }
    g_insertSpace = settings.InsertSpace;

    // Model jobs work below the game folder that holds the source's ANIMS folder;
    // a source outside one keeps the project folder.
    const std::size_t anims = IsModelJob(g_jobMode) ? UpperCopy(g_jobSourceDir).find("\\ANIMS") : std::string::npos;
    if (anims != std::string::npos) {
        SetRootDirectory(g_jobSourceDir.substr(0, anims));
        g_currentDirectory = "\\ANIMS\\";
    } else {
        SetRootDirectory(host->GetProjectFolder());
        g_currentDirectory = "\\";
    }
    host->GetInsertFileList().clear();
}

void RunScriptJob()
{
    // Jobs may only come once the engine runs; before that there is no parser to run.
    if (!g_parser)
        return;
    g_parser->Reset();
    g_parser->SetParseTreeDump(g_dumpParseTrees);
    if (g_resaveDat) {
        g_parser->ReSaveDat(g_jobProjectName);
        return;
    }
    for (const zTScriptKind& kind : kScriptKinds) {
        if (g_jobProjectName.find(kind.keyword) == std::string::npos)
            continue;
        g_decompileFolders = GetDecompileFolders(kind.keyword, g_platform);
        kind.driver();
        return;
    }
    // Said, not silently skipped: the summary alone would read as a clean build.
    g_errorReporter.Report(zERR_ERROR, FormatResString(IDS_PROJECT_WITHOUT_KIND, s_projectName));
}

int BuildThread(void*)
{
    zCIdeServices* host = zGetIdeServices();
    if (!host)
        return 0;
    zTBuildSettings& settings = host->GetSettings();
    SetThreadInterfaceLanguage(settings.Language);
    const zSTRING sourcePath = settings.Source;

    const int result = zRunJobGuarded([&] {
        CopyBuildSettings();
        if (settings.Ready == 0)
            return 0;
        if (IsModelJob(g_jobMode))
            RunModelJob(sourcePath);
        else
            RunScriptJob();
        host->ReportBuildSummary(0);
        return 0;
    });

    // Also when the application was not ready: else it would show "building" for ever.
    settings.BuildJobThread = 0;
    SetThreadInterfaceLanguage(0);
    return result;
}

int BuildMusicScripts()
{
    return RunKindDriver(kMusicList, {{"C_MUSICSYS_CFG", 24}, {"C_MUSICTHEME", 44}, {"C_MUSICJINGLE", 32}});
}

int BuildVisualFxScripts()
{
    return RunKindDriver(kVisualFxList, {});
}

int BuildParticleFxScripts()
{
    return RunKindDriver(kParticleFxList, {});
}

int BuildSfxScripts()
{
    return RunKindDriver(kSfxList, {{"C_SFX", 68}, {"C_SNDSYS_CFG", 40}});
}

int BuildCameraScripts()
{
    return RunKindDriver(kCameraList, {{"CCAMSYS", 92}});
}

int BuildMenuScripts()
{
    // Before the test of one file too: the menu scripts call these.
    g_parser->DefineExternalTableMenu();
    return RunKindDriver(kMenuList, {});
}

int BuildFightScripts()
{
    return RunKindDriver(kFightList, {});
}

int BuildMainScripts()
{
    zCParser& parser = *g_parser;
    g_csManager->GetLibrary()->DeleteAll();
    if (g_platform == zPLATFORM_FIRST_GAME)
        parser.DefineExternalTable1();
    else
        parser.DefineExternalTable2();
    if (RunTestOfOneFile())
        return parser.GetErrorFlag();

    // The compile adds to the library as it stands: the units of scripts outside the
    // project survive the store, and an unchanged build leaves "ou.bin" as it was. A
    // new project has no library yet; the store makes it.
    if (g_jobMode == zJOB_COMPILE_SCRIPTS)
        g_csManager->LibLoad(zCCSManager::zLIB_ASCII | zCCSManager::zLIB_BINARY | zCCSManager::zLIB_NEW);
    CompileKindList(kMainList);
    const int base = g_platform == zPLATFORM_FIRST_GAME ? kClassBaseFirstGame : kClassBaseSecondGame;
    parser.BindClassOffset("C_NPC", base);
    parser.BindClassOffset("C_ITEM", base);
    parser.Link();

    if (g_dumpSymbols) {
        parser.DumpSymbols();
    } else if (g_jobMode == zJOB_DECOMPILE_DAT) {
        g_csManager->LibLoad(zCCSManager::zLIB_ASCII | zCCSManager::zLIB_BINARY);
        parser.Decompile(DecompiledList(kMainList));
    }

    if (g_jobMode == zJOB_COMPILE_SCRIPTS) {
        g_csManager->LibStore(zCCSManager::zLIB_BINARY);
        zCIdeServices* host = zGetIdeServices();
        if (host && host->GetSettings().InsertInGame) {
            host->GetInsertFileList().push_back("ou.bin");
            host->InsertFilesInGame(1);
        }
    }
    return parser.GetErrorFlag();
}
