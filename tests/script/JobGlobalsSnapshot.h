// The job globals and the decompile folder list as they were when the snapshot was
// made, put back when it goes: a test that runs a job or sets them by hand leaves
// them as it found them for the next one.
#pragma once

#include "DirectoryTools.h"
#include "JobGlobals.h"
#include "zSTRING.h"

class JobGlobalsSnapshot {
public:
    JobGlobalsSnapshot() = default;
    JobGlobalsSnapshot(const JobGlobalsSnapshot&) = delete;
    JobGlobalsSnapshot& operator=(const JobGlobalsSnapshot&) = delete;
    ~JobGlobalsSnapshot()
    {
        g_jobMode = jobMode;
        g_modelKind = modelKind;
        g_platform = platform;
        g_partialCompile = partialCompile;
        g_jobProjectName = jobProjectName;
        g_jobSourceDir = jobSourceDir;
        g_jobDestDir = jobDestDir;
        g_jobTestIndex = jobTestIndex;
        g_jobTestFile = jobTestFile;
        g_insertSpace = insertSpace;
        g_dumpSymbols = dumpSymbols;
        g_dumpParseTrees = dumpParseTrees;
        g_resaveDat = resaveDat;
        g_saveNameBase = saveNameBase;
        g_decompileFolders = decompileFolders;
    }

private:
    int jobMode = g_jobMode;
    int modelKind = g_modelKind;
    int platform = g_platform;
    int partialCompile = g_partialCompile;
    zSTRING jobProjectName = g_jobProjectName;
    zSTRING jobSourceDir = g_jobSourceDir;
    zSTRING jobDestDir = g_jobDestDir;
    int jobTestIndex = g_jobTestIndex;
    zSTRING jobTestFile = g_jobTestFile;
    int insertSpace = g_insertSpace;
    int dumpSymbols = g_dumpSymbols;
    int dumpParseTrees = g_dumpParseTrees;
    int resaveDat = g_resaveDat;
    int saveNameBase = g_saveNameBase;
    const char* const* decompileFolders = g_decompileFolders;
};
