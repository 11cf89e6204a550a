// The running build job's settings: engine-side copies of the application's
// build settings, written when a job starts and read by the toolchains.
#pragma once

#include "zSTRING.h"

// What a job does: the values of g_jobMode and of the build mode it is copied from.
enum zTJobMode {
    zJOB_DECOMPILE_DAT = 0,
    zJOB_COMPILE_SCRIPTS = 1,
    zJOB_CONVERT_MODELS = 2,
    zJOB_DECOMPILE_MODELS = 3,
    zJOB_COMPILE_MODELS = 4,
};

// The kind of model a model job works on: the values of g_modelKind.
enum zTModelKind { zMODEL_STATIC = 0, zMODEL_DYNAMIC = 1, zMODEL_MORPH_MESH = 2 };

// The game a job is for: the values of g_platform. Any value but the first game's
// means the second game.
enum zTPlatform { zPLATFORM_FIRST_GAME = 0, zPLATFORM_SECOND_GAME = 1 };

// A zTJobMode.
extern int g_jobMode;
// A zTModelKind.
extern int g_modelKind;
// A zTPlatform.
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
