// The running build job's settings.
#include "JobGlobals.h"

int g_jobMode = zJOB_DECOMPILE_DAT;
int g_modelKind = zMODEL_STATIC;
int g_platform = zPLATFORM_FIRST_GAME;
int g_partialCompile = 0;
zSTRING g_jobProjectName;
zSTRING g_jobSourceDir;
zSTRING g_jobDestDir;
int g_jobTestIndex = 0;
zSTRING g_jobTestFile;
int g_insertSpace = 0;
int g_dumpSymbols = 0;
int g_dumpParseTrees = 0;
int g_resaveDat = 0;
int g_saveNameBase = 0;
