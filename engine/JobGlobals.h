// The running build job's settings: engine-side copies of the application's
// build settings, written when a job starts and read by the toolchains.
#pragma once

#include "zSTRING.h"

// 0 decompile .dat, 1 compile scripts, 2 convert models, 3 decompile models, 4 compile models.
extern int g_jobMode;
// 0 static model, 1 dynamic model, 2 morph mesh.
extern int g_modelKind;
// 0 the first game, any other value the second.
extern int g_platform;
extern int g_partialCompile;
extern zSTRING g_jobProjectName;
extern zSTRING g_jobSourceDir;  // the folder part of the source path, trailing "\" kept
extern zSTRING g_jobDestDir;
extern int g_jobTestIndex;
extern zSTRING g_jobTestFile;
extern int g_insertSpace;
// Set by the dump option; never cleared during the run.
extern int g_dumpSymbols;
extern int g_dumpParseTrees;
extern int g_resaveDat;
extern int g_saveNameBase;
